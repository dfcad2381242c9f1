#include "tools/selfplay/players.h"

#include "rules/rules.h"

namespace vandrel {

int HumanOptions(const GameState& s, HumanOption* out) {
  int n = 0;
  Square targets[kMaxTargets];
  for (int p = 1; p <= kPiecesPerTeam; ++p) {
    const int k = LegalTargets(s, kHuman, p, s.Dice, targets);
    for (int i = 0; i < k; ++i) out[n++] = {p, targets[i].col, targets[i].row};
  }
  if (RemovalTarget(s, kHuman, s.Dice) > 0) out[n++] = {0, 0, 0};
  return n;
}

void PlayHumanOption(Game& g, const HumanOption& o) {
  if (o.piece == 0) {
    g.pc7MouseDown(1, MouseButton::Left);
  } else {
    g.pc1MouseDown(o.piece, MouseButton::Left);
    g.bgpicMouseDown(o.col * 70 + 35, o.row * 70 + 35, MouseButton::Left);
  }
}

bool FirstLegalHuman(Game& g) {
  const GameState& s = g.state();
  if (s.Input == HumanInput::AwaitThrow) {
    g.DiceBtnClick();
    return true;
  }
  if (s.Input != HumanInput::AwaitMove) return false;
  HumanOption opts[kMaxHumanOptions];
  if (HumanOptions(s, opts) == 0) return false;
  PlayHumanOption(g, opts[0]);
  return true;
}

int RandomHuman::Next(int n) {
  rng_ ^= rng_ >> 12;
  rng_ ^= rng_ << 25;
  rng_ ^= rng_ >> 27;
  return static_cast<int>(((rng_ * 0x2545F4914F6CDD1DULL) >> 32) % static_cast<uint64_t>(n));
}

bool RandomHuman::operator()(Game& g) {
  const GameState& s = g.state();
  if (s.Input == HumanInput::AwaitThrow) {
    g.DiceBtnClick();
    return true;
  }
  if (s.Input != HumanInput::AwaitMove) return false;
  HumanOption opts[kMaxHumanOptions];
  const int n = HumanOptions(s, opts);
  if (n == 0) return false;
  PlayHumanOption(g, opts[Next(n)]);
  return true;
}

}  // namespace vandrel
