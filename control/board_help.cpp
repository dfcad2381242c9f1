#include "control/board_help.h"

#include "rules/reach.h"
#include "rules/translation_marks.h"

namespace vandrel {

namespace {

bool Moved(const TPiece& a, const TPiece& b) { return a.Col != b.Col || a.Row != b.Row; }

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

// The words are marked for translation; the window says them in the
// player's language (ui/window/game_text.h).
SquareSaid SquareOf(int col, int row) {
  //: A square of the board, in sentences such as the hint; %1 is the row
  //: (1 to 8 from the top). The left Base column is the computer's.
  if (col == BaseColOf(kComputer))
    return {QT_TRANSLATE_NOOP("vandrel::Game", "the left Base column, row %1"), {row + 1, 0}};
  //: A square of the board; %1 is the row (1 to 8 from the top). The right
  //: Base column is the player's.
  if (col == BaseColOf(kHuman))
    return {QT_TRANSLATE_NOOP("vandrel::Game", "the right Base column, row %1"), {row + 1, 0}};
  //: A square of the board: %1 is the column (1 to 6 from the left), %2 the
  //: row (1 to 8 from the top).
  return {QT_TRANSLATE_NOOP("vandrel::Game", "column %1, row %2"), {col, row + 1}};
}

Said ComputerMoveSaid(const PieceTable& before, const PieceTable& after) {
  Said said;
  for (int p = 0; p < kPiecesPerTeam; ++p) {
    const TPiece& was = before[kComputer][p];
    const TPiece& is = after[kComputer][p];
    if (!Moved(was, is)) continue;
    //: A screen reader's alert after the computer's move: %1 and %2 are
    //: squares ("column 2, row 2", "the left Base column, row 7").
    said = {QT_TRANSLATE_NOOP("vandrel::Game", "I moved my piece from %1 to %2"),
            {SquareOf(was.Col, was.Row), SquareOf(is.Col, is.Row)}};
  }
  for (int p = 0; p < kPiecesPerTeam; ++p) {
    const TPiece& was = before[kHuman][p];
    if (!Moved(was, after[kHuman][p])) continue;
    // With a move, the human's piece stood where the computer's landed; without
    // one, the computer used the removal option on it.
    if (said.empty()) {
      //: A screen reader's alert: the computer used the removal option; %1 is
      //: the square.
      said = {QT_TRANSLATE_NOOP("vandrel::Game", "I sent back your piece on %1"),
              {SquareOf(was.Col, was.Row)}};
    } else {
      //: A screen reader's alert after the computer's move that took the
      //: player's piece where it landed: %1 and %2 are squares.
      said.format = QT_TRANSLATE_NOOP("vandrel::Game",
                                      "I moved my piece from %1 to %2 and took your piece there");
    }
  }
  return said;
}

Said HintSaid(const PieceTable& b, const Choice& c, int removal) {
  if (c.piece == 0) {
    //: A screen reader's alert for the hint key: the removal option, when the
    //: piece is not known.
    if (removal < 1 || removal > kPiecesPerTeam)
      return {QT_TRANSLATE_NOOP("vandrel::Game", "Hint: send back the computer's piece")};
    const TPiece& y = b[kComputer][removal - 1];
    //: A screen reader's alert for the hint key: the removal option; %1 is the
    //: square of the computer's piece.
    return {QT_TRANSLATE_NOOP("vandrel::Game", "Hint: send back the computer's piece on %1"),
            {SquareOf(y.Col, y.Row)}};
  }
  const TPiece& x = b[kHuman][c.piece - 1];
  //: A screen reader's alert for the hint key: %1 and %2 are squares.
  return {QT_TRANSLATE_NOOP("vandrel::Game", "Hint: move your piece from %1 to %2"),
          {SquareOf(x.Col, x.Row), SquareOf(c.col, c.row)}};
}

}  // namespace vandrel
