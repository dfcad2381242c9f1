// vandrel-selfplay --games N --seed S
// Plays N complete games of the computer against a random human and checks
// the rules' invariants after every move.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/selfplay/selfplay.h"

int main(int argc, char** argv) {
  long games = 1000;
  unsigned long long seed = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--games") == 0 && i + 1 < argc) {
      games = std::strtol(argv[++i], nullptr, 10);
    } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      seed = std::strtoull(argv[++i], nullptr, 10);
    } else {
      std::fprintf(stderr, "usage: vandrel-selfplay --games N --seed S\n");
      return 2;
    }
  }
  if (games < 1 || games > 100000000) {
    std::fprintf(stderr, "vandrel-selfplay: --games wants a number from 1 to 100000000\n");
    return 2;
  }
  const vandrel::SelfPlayResult r = vandrel::RunSelfPlay(static_cast<int>(games), seed);
  if (!r.firstViolation.empty()) std::printf("first violation: %s\n", r.firstViolation.c_str());
  const double turns = r.games ? static_cast<double>(r.turns) / r.games : 0.0;
  const double rate = r.seconds > 0 ? r.games / r.seconds : 0.0;
  std::printf(
      "games=%d violations=%d computer_wins=%d human_wins=%d turns_per_game=%.1f "
      "games_per_second=%.0f\n",
      r.games, r.violations, r.computerWins, r.humanWins, turns, rate);
  return r.violations > 0 ? 1 : 0;
}
