// Ready-made human players that act through the same handlers as the
// window's mouse: the self-play tool and the tests use them.
#pragma once

#include <cstdint>

#include "control/game.h"

namespace vandrel {

// One thing the human may do after a throw: move piece to (col, row), or
// (piece 0) use the removal option.
struct HumanOption {
  int piece = 0, col = 0, row = 0;
};
constexpr int kMaxHumanOptions = kPiecesPerTeam * 64 + 1;

// Every legal move of the human with the current die, then the removal.
int HumanOptions(const GameState& s, HumanOption* out);
// Clicks the option as a person would: piece, then target; or a computer
// piece for the removal.
void PlayHumanOption(Game& g, const HumanOption& o);

// Throws when the throw is due, then plays the first legal option. Answers
// false when no human action is due.
bool FirstLegalHuman(Game& g);

// Throws when due, then picks uniformly among all legal options.
class RandomHuman {
 public:
  explicit RandomHuman(uint64_t seed) : rng_(seed ? seed : 1) {}
  bool operator()(Game& g);

 private:
  int Next(int n);
  uint64_t rng_;
};

}  // namespace vandrel
