#include "tools/selfplay/players.h"

#include "computer/computer.h"
#include "rules/rules.h"

namespace vandrel {

int HumanOptions(const GameState& s, HumanOption* out) {
  return ListChoices(s.Pieces, kHuman, s.Dice, out);
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

// The classic weights for the human's team: the removal first; a base move
// onto the return square 5, any other base move 2; in play, a guard move
// onto the human's start row 3 (while the computer's end-row square in front
// is empty), an arrival 1, a capture 4; the first of greatest weight, or a
// random move when none weighs anything.
int RandomHuman::Classic(const GameState& s, const HumanOption* opts, int n) {
  if (opts[n - 1].piece == 0) return n - 1;
  int best = -1, bestScore = 0;
  for (int i = 0; i < n; ++i) {
    const HumanOption& o = opts[i];
    int score;
    if (s.piece(kHuman, o.piece).OnBase) {
      score = o.row == ReturnRowOf(kHuman) ? kBaseReturnScore : kBaseWalkScore;
    } else {
      score = EndRowScore(o.row) + CaptureScore(s, kHuman, o.col, o.row);
      if (o.row == StartRowOf(kHuman)) {
        bool filled = false;
        for (const TPiece& y : s.Pieces[kComputer])
          if (y.EndP && y.Col == o.col) filled = true;
        if (!filled) score += 3;
      }
    }
    if (score > bestScore) {
      best = i;
      bestScore = score;
    }
  }
  return best >= 0 ? best : Next(n);
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
  int i = 0;
  switch (policy_) {
    case Policy::Random:
      i = Next(n);
      break;
    case Policy::Classic:
      i = Classic(s, opts, n);
      break;
    case Policy::Strong:
      i = StrongPick(s.Pieces, kHuman, s.Dice, opts, n);
      break;
  }
  PlayHumanOption(g, opts[i]);
  return true;
}

}  // namespace vandrel
