// The move search and the computer's choice run on fixed arrays: not one
// allocation from the throw's candidate list to the chosen move.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "computer/computer.h"
#include "computer/strong.h"
#include "rules/rules.h"
#include "tests/support/positions.h"

// The replacements below pair malloc with free, as they must.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t n) {
  if (counting) ++allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace vandrel {
namespace {

TEST(NoAllocation, SearchWeighAndChoose) {
  GameState s = testing::Position(
      ". . C . . . . ."
      ". a . . . . . ."
      ". . . . B . . ."
      "e . . . . c . ."
      ". . . A . . . F"
      ". . . . . D . ."
      ". . . . . E . ."
      ". . . . d f b .");
  SilentPresentation ui;
  s.ComputerTurn = true;
  s.SetTeam(0);
  for (int dice = 1; dice <= 6; ++dice) {
    GameState t = s;
    t.Dice = dice;
    counting = true;
    ClearMoveList(t);
    CountMoveOptions(t, ui, 0, RecordCandidate);
    CountMoveOptions(t, ui, 1);
    GameState u = t;
    ComputerChoice(t, ui);
    u.Level = ComputerLevel::Strong;
    StrongComputerChoice(u, ui);
    counting = false;
    EXPECT_EQ(allocations, 0) << "die " << dice;
  }
}

}  // namespace
}  // namespace vandrel
