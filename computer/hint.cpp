#include "computer/hint.h"

namespace vandrel {

std::optional<Choice> HintFor(const PieceTable& b, int t, int dice, const StrongLimits& limits) {
  if (t < 0 || t >= kTeams || dice < 1 || dice > 6) return std::nullopt;
  Choice options[kMaxChoices];
  const int n = ListChoices(b, t, dice, options);
  if (n == 0) return std::nullopt;
  return options[StrongPick(b, t, dice, options, n, limits)];
}

}  // namespace vandrel
