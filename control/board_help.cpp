#include "control/board_help.h"

#include "rules/reach.h"

namespace vandrel {

namespace {

bool Moved(const TPiece& a, const TPiece& b) { return a.Col != b.Col || a.Row != b.Row; }

std::string Number(int n) { return std::to_string(n); }

}  // namespace

BoardMarks MarksFor(const GameState& s, uint64_t lastMove) {
  BoardMarks m;
  if (!s.ShowMoves) return m;
  m.lastMove = lastMove;
  if (s.Input != HumanInput::AwaitMove || s.MoveInProgress) return m;
  if (s.PieceSelected && s.teamspin == kHuman)
    m.reachable = ReachableSquares(s.Pieces, kHuman, s.piecespin, s.Dice);
  m.removal = RemovalSquare(s.Pieces, kHuman, s.Dice);
  return m;
}

uint64_t LastMoveSquares(const PieceTable& before, const PieceTable& after) {
  uint64_t bits = 0;
  for (int p = 0; p < kPiecesPerTeam; ++p) {
    const TPiece& was = before[kComputer][p];
    const TPiece& is = after[kComputer][p];
    if (Moved(was, is)) bits |= SquareBit(was.Col, was.Row) | SquareBit(is.Col, is.Row);
    const TPiece& taken = before[kHuman][p];
    if (Moved(taken, after[kHuman][p])) bits |= SquareBit(taken.Col, taken.Row);
  }
  return bits;
}

std::string ComputerMoveText(const PieceTable& before, const PieceTable& after) {
  std::string text;
  for (int p = 0; p < kPiecesPerTeam; ++p) {
    const TPiece& is = after[kComputer][p];
    if (!Moved(before[kComputer][p], is)) continue;
    text = "I moved piece " + Number(p + 1) + " to column " + Number(is.Col) + ", row " +
           Number(is.Row);
  }
  for (int p = 0; p < kPiecesPerTeam; ++p) {
    if (!Moved(before[kHuman][p], after[kHuman][p])) continue;
    text += text.empty() ? "I took your piece " : " and took your piece ";
    text += Number(p + 1);
  }
  return text;
}

std::string HintText(const Choice& c, int removal) {
  if (c.piece == 0) return "Hint: send back the computer's piece " + Number(removal);
  return "Hint: piece " + Number(c.piece) + " to column " + Number(c.col) + ", row " +
         Number(c.row);
}

}  // namespace vandrel
