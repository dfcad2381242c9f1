// vandrel-tune [games] [seed]
// Tunes the strong player's weights by self-play: games on the bare piece
// table between a shallow strong player (own move and the reply) and the
// classic weights. Each weight in turn is moved up and down by a quarter;
// a move is kept when it wins more games with the same dice. Prints the
// weights after every round.
#include <cstdio>
#include <cstdlib>

#include "computer/computer.h"
#include "computer/strong.h"

namespace {

using namespace vandrel;

uint64_t rng = 1;
int Next(int n) {
  rng ^= rng >> 12;
  rng ^= rng << 25;
  rng ^= rng >> 27;
  return static_cast<int>(((rng * 0x2545F4914F6CDD1DULL) >> 32) % static_cast<uint64_t>(n));
}

// The classic weights for team t, as the computer's turn weighs them.
int ClassicPick(const PieceTable& b, int t, const Choice* c, int n) {
  if (c[n - 1].piece == 0) return n - 1;
  int best = -1, bestScore = 0;
  for (int i = 0; i < n; ++i) {
    int score;
    if (b[t][c[i].piece - 1].OnBase) {
      score = c[i].row == ReturnRowOf(t) ? kBaseReturnScore : kBaseWalkScore;
    } else {
      score = EndRowScore(c[i].row);
      bool filled = false, capture = false;
      for (const TPiece& y : b[1 - t]) {
        if (y.EndP && y.Col == c[i].col) filled = true;
        if (y.Col == c[i].col && y.Row == c[i].row) capture = true;
      }
      if (capture) score += 4;
      if (c[i].row == StartRowOf(t) && !filled) score += 3;
    }
    if (score > bestScore) best = i, bestScore = score;
  }
  return best >= 0 ? best : Next(n);
}

// Strong's wins over games played from seed.
int Wins(const StrongWeights& w, int games, uint64_t seed) {
  StrongLimits shallow;
  shallow.maxDepth = 2;
  shallow.timeMs = 0;
  int wins = 0;
  for (int g = 0; g < games; ++g) {
    rng = seed + g * 7919;
    PieceTable b{};
    for (int t = 0; t < 2; ++t)
      for (int p = 1; p <= 6; ++p) {
        TPiece& x = b[t][p - 1];
        x = TPiece{p, StartRowOf(t), 0, EndRowOf(t), 1, StartRowOf(t), 0, 0, -1, BaseColOf(t)};
      }
    int t = g % 2;
    for (int turn = 0; turn < 2000; ++turn, t = 1 - t) {
      const int dice = 1 + Next(6);
      Choice c[kMaxChoices];
      const int n = ListChoices(b, t, dice, c);
      if (n == 0) continue;
      const int i = t == 0 ? StrongPick(b, 0, dice, c, n, shallow, w) : ClassicPick(b, 1, c, n);
      if (ApplyChoice(b, t, dice, c[i])) {
        wins += t == 0;
        break;
      }
    }
  }
  return wins;
}

}  // namespace

int main(int argc, char** argv) {
  const int games = argc > 1 ? std::atoi(argv[1]) : 400;
  const uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  StrongWeights w = kStrongWeights;
  int* fields[] = {&w.arrived, &w.progress, &w.inBase, &w.baseWalk,
                   &w.onReturn, &w.guard,   &w.threat, &w.exposed};
  int best = Wins(w, games, seed);
  std::printf("start: %d/%d\n", best, games);
  for (int round = 0; round < 2; ++round) {
    for (int* f : fields) {
      const int was = *f;
      const int step = std::abs(was) / 4 > 0 ? std::abs(was) / 4 : 1;
      for (int candidate : {was + step, was - step}) {
        *f = candidate;
        const int wins = Wins(w, games, seed);
        if (wins > best) {
          best = wins;
          break;
        }
        *f = was;
      }
    }
    std::printf(
        "round %d: %d/%d arrived=%d progress=%d inBase=%d baseWalk=%d onReturn=%d guard=%d "
        "threat=%d exposed=%d\n",
        round + 1, best, games, w.arrived, w.progress, w.inBase, w.baseWalk, w.onReturn, w.guard,
        w.threat, w.exposed);
    std::fflush(stdout);
  }
}
