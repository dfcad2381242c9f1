#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

#include "computer/hint.h"
#include "tests/support/positions.h"

namespace vandrel {
namespace {

using testing::Position;

TEST(Hint, IsTheStrongPlayersChoiceForTheHuman) {
  // From the start position, the human's pieces 1..5 home on row 0.
  using Steps = std::vector<std::array<int, 4>>;  // team, piece, col, row
  const Steps home = {{1, 1, 1, 0}, {1, 2, 2, 0}, {1, 3, 3, 0}, {1, 4, 4, 0}, {1, 5, 5, 0}};
  const struct {
    const char* name;
    Steps steps;
    int dice;
    std::optional<Choice> hint;
  } cases[] = {
      // The 2 takes piece 6 home and wins.
      {"arrival_that_wins", {{1, 6, 6, 2}, {0, 6, 6, 4}}, 2, Choice{6, 6, 0}},
      // Piece 6 walks its base, where a 3 overshoots the return square; no
      // removal while it walks: nothing to hint.
      {"no_choice", {{1, 6, 7, 4}}, 3, std::nullopt},
      {"no_die", {{1, 6, 6, 2}}, 0, std::nullopt},
  };
  for (const auto& c : cases) {
    GameState s = Position(testing::kStartPicture);
    for (const Steps* steps : {&home, &c.steps})
      for (const auto& [t, p, col, row] : *steps) testing::Place(s, t, p, col, row);
    EXPECT_EQ(HintFor(s.Pieces, kHuman, c.dice), c.hint) << c.name;
  }
  // Over played positions, without a time limit so the two searches agree:
  // the hint is one of the legal choices, the one the strong player picks.
  const StrongLimits limits{2, 200000, 0};
  for (const GameState& s : testing::PlayedPositions(150, 5)) {
    Choice options[kMaxChoices];
    const int n = ListChoices(s.Pieces, kHuman, s.Dice, options);
    const std::optional<Choice> hint = HintFor(s.Pieces, kHuman, s.Dice, limits);
    ASSERT_EQ(hint.has_value(), n > 0);
    if (n == 0) continue;
    EXPECT_EQ(*hint, options[StrongPick(s.Pieces, kHuman, s.Dice, options, n, limits)]);
  }
}

// Prints the hint's time over a few hundred positions; it must come well
// within the moment a player waits for a key to answer.
TEST(Hint, AnswersInATenthOfASecond) {
  std::vector<double> ms;
  for (const GameState& s : testing::PlayedPositions(300, 11)) {
    const auto start = std::chrono::steady_clock::now();
    (void)HintFor(s.Pieces, kHuman, s.Dice);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
  }
  std::sort(ms.begin(), ms.end());
  const double median = ms[ms.size() / 2], worst = ms.back();
  std::printf("hint time over %zu positions: median %.1f ms, worst %.1f ms\n", ms.size(), median,
              worst);
  EXPECT_LT(median, 100);
  EXPECT_LT(worst, 200);  // a shared machine may stall a thread now and then
}

}  // namespace
}  // namespace vandrel
