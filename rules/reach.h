// The squares a piece may reach, as one bit per board square, for the help
// at the board. Bit row * 8 + col stands for square (col, row).
#pragma once

#include <cstdint>

#include "rules/state.h"

namespace vandrel {

constexpr uint64_t SquareBit(int col, int row) { return uint64_t{1} << (row * 8 + col); }

// Every square piece (t, p) of the table may legally move to with the die,
// from the rules' own move generator (LegalTargets).
uint64_t ReachableSquares(const PieceTable& b, int t, int p, int dice);

// The square of the opponent's piece that team t may send back instead of
// moving (RemovalTarget), or 0 when the removal is not open.
uint64_t RemovalSquare(const PieceTable& b, int t, int dice);

}  // namespace vandrel
