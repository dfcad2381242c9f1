#include "rules/reach.h"

#include "rules/rules.h"

namespace vandrel {

uint64_t ReachableSquares(const PieceTable& b, int t, int p, int dice) {
  if (t < 0 || t >= kTeams || p < 1 || p > kPiecesPerTeam || dice < 1) return 0;
  Square targets[kMaxTargets];
  const int n = LegalTargets(b, t, p, dice, targets);
  uint64_t bits = 0;
  for (int i = 0; i < n; ++i) bits |= SquareBit(targets[i].col, targets[i].row);
  return bits;
}

uint64_t RemovalSquare(const PieceTable& b, int t, int dice) {
  if (t < 0 || t >= kTeams || dice < 1) return 0;
  const int q = RemovalTarget(b, t, dice);
  if (q == 0) return 0;
  const TPiece& y = b[1 - t][q - 1];
  return SquareBit(y.Col, y.Row);
}

}  // namespace vandrel
