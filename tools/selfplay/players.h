// Ready-made human players that act through the same handlers as the
// window's mouse: the self-play tool and the tests use them.
#pragma once

#include <cstdint>

#include "computer/strong.h"
#include "control/game.h"

namespace vandrel {

// One thing the human may do after a throw: move piece to (col, row), or
// (piece 0) use the removal option.
using HumanOption = Choice;
constexpr int kMaxHumanOptions = kMaxChoices;

// Every legal move of the human with the current die, then the removal.
int HumanOptions(const GameState& s, HumanOption* out);
// Clicks the option as a person would: piece, then target; or a computer
// piece for the removal.
void PlayHumanOption(Game& g, const HumanOption& o);

// Throws when the throw is due, then plays the first legal option. Answers
// false when no human action is due.
bool FirstLegalHuman(Game& g);

// How a stand-in human chooses among its options.
enum class Policy {
  Random,   // uniformly among all of them
  Classic,  // the classic computer's weights, mirrored for the human's team
  Strong,   // the strong computer's search, for the human's team
};

// Throws when due, then chooses by its policy.
class RandomHuman {
 public:
  explicit RandomHuman(uint64_t seed, Policy policy = Policy::Random)
      : rng_(seed ? seed : 1), policy_(policy) {}
  bool operator()(Game& g);

 private:
  int Next(int n);
  int Classic(const GameState& s, const HumanOption* opts, int n);
  uint64_t rng_;
  Policy policy_;
};

}  // namespace vandrel
