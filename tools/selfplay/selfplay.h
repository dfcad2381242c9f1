// Complete games of the computer against a stand-in human, played through
// the real handlers with a presentation that shows nothing and never waits.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "rules/state.h"
#include "tools/selfplay/players.h"

namespace vandrel {

struct SelfPlayOptions {
  int games = 1000;
  uint64_t seed = 1;
  ComputerLevel computer = ComputerLevel::Classic;
  Policy human = Policy::Random;
  std::FILE* trace = nullptr;  // every game event, one line each, when given
};

struct SelfPlayResult {
  int games = 0;
  int violations = 0;
  int computerWins = 0;
  int humanWins = 0;
  int64_t turns = 0;
  double seconds = 0;
  double msPerMove = 0;        // median thinking time of the computer's moves
  std::string firstViolation;  // what went wrong first, if anything
};

SelfPlayResult RunSelfPlay(const SelfPlayOptions& o);
// The classic computer against a random human.
SelfPlayResult RunSelfPlay(int games, uint64_t seed, std::FILE* trace = nullptr);

}  // namespace vandrel
