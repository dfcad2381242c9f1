// The hint at the board: what the strong computer player would do in the
// human's place, with the human's team and die.
#pragma once

#include <optional>

#include "computer/strong.h"
#include "rules/state.h"

namespace vandrel {

// The search is cut short in time, so the answer comes while the player is
// still looking at the board.
constexpr StrongLimits kHintLimits{4, 1500000, 60};

// The strong player's choice for team t with the die: a move (piece 1..6 to
// (col, row)) or, piece 0, sending back the opponent's piece the die names.
// Nothing when team t has no legal choice.
std::optional<Choice> HintFor(const PieceTable& b, int t, int dice,
                              const StrongLimits& limits = kHintLimits);

}  // namespace vandrel
