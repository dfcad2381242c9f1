// vandrel-selfplay --games N --seed S [--computer classic|strong]
//                  [--human random|classic|strong]
// Plays N complete games of the computer against a stand-in human and checks
// the rules' invariants after every move.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/selfplay/selfplay.h"

namespace {

constexpr const char* kUsage =
    "usage: vandrel-selfplay --games N --seed S [--computer classic|strong] "
    "[--human random|classic|strong]\n";

// A whole decimal number and nothing else.
bool ParseNumber(const char* text, unsigned long long& out) {
  if (*text < '0' || *text > '9') return false;
  char* end = nullptr;
  errno = 0;
  out = std::strtoull(text, &end, 10);
  return errno == 0 && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  vandrel::SelfPlayOptions o;
  unsigned long long games = 1000;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    bool ok = value != nullptr;
    if (std::strcmp(arg, "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (ok && std::strcmp(arg, "--games") == 0) {
      ok = ParseNumber(value, games);
    } else if (ok && std::strcmp(arg, "--seed") == 0) {
      unsigned long long seed = 0;
      ok = ParseNumber(value, seed);
      o.seed = seed;
    } else if (ok && std::strcmp(arg, "--computer") == 0) {
      ok = std::strcmp(value, "classic") == 0 || std::strcmp(value, "strong") == 0;
      o.computer = value[0] == 's' ? vandrel::ComputerLevel::Strong : vandrel::ComputerLevel::Classic;
    } else if (ok && std::strcmp(arg, "--human") == 0) {
      ok = std::strcmp(value, "random") == 0 || std::strcmp(value, "classic") == 0 ||
           std::strcmp(value, "strong") == 0;
      o.human = value[0] == 'r'   ? vandrel::Policy::Random
                : value[0] == 'c' ? vandrel::Policy::Classic
                                  : vandrel::Policy::Strong;
    } else {
      ok = false;
    }
    if (!ok) {
      std::fputs(kUsage, stderr);
      return 2;
    }
    ++i;
  }
  if (games < 1 || games > 100000000) {
    std::fprintf(stderr, "vandrel-selfplay: --games wants a number from 1 to 100000000\n");
    return 2;
  }
  o.games = static_cast<int>(games);
  const vandrel::SelfPlayResult r = vandrel::RunSelfPlay(o);
  if (!r.firstViolation.empty()) std::printf("first violation: %s\n", r.firstViolation.c_str());
  const double turns = r.games ? static_cast<double>(r.turns) / r.games : 0.0;
  const double rate = r.seconds > 0 ? r.games / r.seconds : 0.0;
  std::printf(
      "games=%d violations=%d computer_wins=%d human_wins=%d turns_per_game=%.1f "
      "games_per_second=%.0f ms_per_move=%.3f\n",
      r.games, r.violations, r.computerWins, r.humanWins, turns, rate, r.msPerMove);
  return r.violations > 0 ? 1 : 0;
}
