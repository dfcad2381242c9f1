// The help at the board, worked out from the game state: the markers the
// window draws, the computer's last move as squares and as words, and the
// hint as words.
//
// Squares are told in the rules text's numbers (SquareOf), as the
// screen-reader names tell them; the trace keeps the game's own 0..7.
#pragma once

#include <cstdint>
#include <string>

#include "computer/strong.h"
#include "rules/presentation.h"
#include "rules/said.h"
#include "rules/state.h"

namespace vandrel {

// The markers for the state: nothing while ShowMoves is off; lastMove (the
// squares of the computer's last move) as given; and while the human must
// move, the squares the selected piece may reach, and the computer's piece
// the removal would send back when that option is open.
BoardMarks MarksFor(const GameState& s, uint64_t lastMove);

// The squares of the computer's turn that went from before to after: the
// square its piece left and the one it reached, and the square of each of
// the human's pieces it took (by landing on it or by the removal).
uint64_t LastMoveSquares(const PieceTable& before, const PieceTable& after);

// A square in the rules text's numbers: "column 3, row 5" in the play area
// (columns 1..6 from the left, as the numbers below the board show; rows 1..8
// from the top), "the left Base column, row 7" and "the right Base column,
// row 2" in the computer's and the human's base columns, as a format and its
// numbers (English() in rules/said.h gives the English).
SquareSaid SquareOf(int col, int row);

// The computer's turn in words: "I moved my piece from column 2, row 2 to
// column 2, row 4", or "... and took your piece there" after a capture;
// "I sent back your piece on column 3, row 1" for the removal; empty when
// nothing moved.
Said ComputerMoveSaid(const PieceTable& before, const PieceTable& after);

// The hint in words, for the human's choice on board b: "Hint: move your
// piece from column 3, row 7 to column 3, row 5", or for the removal of the
// computer's piece `removal`, "Hint: send back the computer's piece on
// column 6, row 8".
Said HintSaid(const PieceTable& b, const Choice& c, int removal);

}  // namespace vandrel
