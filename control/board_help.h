// The help at the board, worked out from the game state: the markers the
// window draws, the computer's last move as squares and as words, and the
// hint as words.
//
// Squares are told by column and row as the game counts them (0..7 from the
// left and from the top), as the trace and the screen-reader names do.
#pragma once

#include <cstdint>
#include <string>

#include "computer/strong.h"
#include "rules/presentation.h"
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

// The computer's turn in words: "I moved piece 2 to column 3, row 4",
// "I took your piece 1", or both joined by "and"; empty when nothing moved.
std::string ComputerMoveText(const PieceTable& before, const PieceTable& after);

// The hint in words, for team t's choice: "Hint: piece 3 to column 4, row 2"
// or "Hint: send back the computer's piece 5" (removal names the piece).
std::string HintText(const Choice& c, int removal);

}  // namespace vandrel
