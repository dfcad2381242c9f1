#include "tests/support/positions.h"

#include <random>
#include <stdexcept>

#include "computer/strong.h"
#include "rules/rules.h"

namespace vandrel::testing {

void Place(GameState& s, int t, int p, int col, int row) {
  TPiece& x = s.piece(t, p);
  x.Col = col;
  x.Row = row;
  x.EndRow = EndRowOf(t);
  x.StartRow = StartRowOf(t);
  x.BaseRow = -1;
  x.BaseCol = BaseColOf(t);
  x.OnBase = col == BaseColOf(t) && row != ReturnRowOf(t);
  x.EndP = row == x.EndRow;
  x.StartP = row == x.StartRow;
  x.OnReturn = col == BaseColOf(t) && row == ReturnRowOf(t);
}

GameState Position(const std::string& picture, int dice) {
  GameState s;
  SilentPresentation silent;
  ResetPieces(s, silent);
  bool seen[2][7] = {};
  int i = 0;
  for (char ch : picture) {
    if (ch == ' ' || ch == '\n') continue;
    const int col = i % 8, row = i / 8;
    ++i;
    if (ch == '.') continue;
    const int t = ch >= 'a' && ch <= 'f' ? 0 : ch >= 'A' && ch <= 'F' ? 1 : -1;
    if (t < 0) throw std::invalid_argument("unknown character in position");
    const int p = (t == 0 ? ch - 'a' : ch - 'A') + 1;
    if (seen[t][p]) throw std::invalid_argument("piece twice in position");
    seen[t][p] = true;
    Place(s, t, p, col, row);
  }
  if (i != 64) throw std::invalid_argument("position is not 8 x 8");
  for (int t = 0; t < 2; ++t)
    for (int p = 1; p <= 6; ++p)
      if (!seen[t][p]) throw std::invalid_argument("piece missing from position");
  s.Dice = dice;
  return s;
}

std::vector<GameState> PlayedPositions(int count, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<GameState> out;
  const GameState start = Position(kStartPicture);
  PieceTable b = start.Pieces;
  int t = kHuman;
  while (static_cast<int>(out.size()) < count) {
    GameState s = start;
    s.Pieces = b;
    s.Dice = static_cast<int>(rng() % 6) + 1;
    out.push_back(s);
    Choice options[kMaxChoices];
    const int n = ListChoices(b, t, s.Dice, options);
    if (n > 0 && ApplyChoice(b, t, s.Dice, options[rng() % static_cast<unsigned>(n)]))
      b = start.Pieces;  // a game won: the next one starts
    t = 1 - t;
  }
  return out;
}

}  // namespace vandrel::testing
