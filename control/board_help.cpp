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

std::string SquareWords(int col, int row) {
  const std::string rowWords = ", row " + Number(row + 1);
  if (col == BaseColOf(kComputer)) return "the left Base column" + rowWords;
  if (col == BaseColOf(kHuman)) return "the right Base column" + rowWords;
  return "column " + Number(col) + rowWords;
}

std::string ComputerMoveText(const PieceTable& before, const PieceTable& after) {
  std::string text;
  for (int p = 0; p < kPiecesPerTeam; ++p) {
    const TPiece& was = before[kComputer][p];
    const TPiece& is = after[kComputer][p];
    if (!Moved(was, is)) continue;
    text = "I moved my piece from " + SquareWords(was.Col, was.Row) + " to " +
           SquareWords(is.Col, is.Row);
  }
  for (int p = 0; p < kPiecesPerTeam; ++p) {
    const TPiece& was = before[kHuman][p];
    if (!Moved(was, after[kHuman][p])) continue;
    // With a move, the human's piece stood where the computer's landed; without
    // one, the computer used the removal option on it.
    text += text.empty() ? "I sent back your piece on " + SquareWords(was.Col, was.Row)
                         : " and took your piece there";
  }
  return text;
}

std::string HintText(const PieceTable& b, const Choice& c, int removal) {
  if (c.piece == 0) {
    if (removal < 1 || removal > kPiecesPerTeam) return "Hint: send back the computer's piece";
    const TPiece& y = b[kComputer][removal - 1];
    return "Hint: send back the computer's piece on " + SquareWords(y.Col, y.Row);
  }
  const TPiece& x = b[kHuman][c.piece - 1];
  return "Hint: move your piece from " + SquareWords(x.Col, x.Row) + " to " +
         SquareWords(c.col, c.row);
}

}  // namespace vandrel
