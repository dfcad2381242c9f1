// Complete games of the computer against a random human, played through the
// real handlers with a presentation that shows nothing and never waits.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace vandrel {

struct SelfPlayResult {
  int games = 0;
  int violations = 0;
  int computerWins = 0;
  int humanWins = 0;
  int64_t turns = 0;
  double seconds = 0;
  std::string firstViolation;  // what went wrong first, if anything
};

// trace: when given, every game event is written there, one line each.
SelfPlayResult RunSelfPlay(int games, uint64_t seed, std::FILE* trace = nullptr);

}  // namespace vandrel
