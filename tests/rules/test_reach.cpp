#include <gtest/gtest.h>

#include <vector>

#include "rules/reach.h"
#include "rules/rules.h"
#include "tests/support/fake_presentation.h"
#include "tests/support/positions.h"

namespace vandrel {
namespace {

using testing::Position;

// The markers of the help at the board against the rules' judgement of each
// square, for every piece and every die.
TEST(Reach, MarkedSquaresAreExactlyTheLegalOnes) {
  // Played positions (the first is the start), and one with the removal open.
  std::vector<GameState> positions = testing::PlayedPositions(400, 3);
  positions.push_back(
      Position(". . . . . . . ."
               ". . . . . . . ."
               ". a b c . e f ."
               ". A B C D E F ."
               ". . . . . . . ."
               ". . . . . . . ."
               ". . . . . . . ."
               ". . . d . . . ."));
  testing::FakePresentation ui;  // "Wrong direction" boxes land here
  int marked = 0, removals = 0;
  for (size_t i = 0; i < positions.size(); ++i) {
    GameState s = positions[i];
    for (int dice = 1; dice <= 6; ++dice) {
      s.Dice = dice;
      for (int t = 0; t < kTeams; ++t) {
        for (int p = 1; p <= kPiecesPerTeam; ++p) {
          const uint64_t bits = ReachableSquares(s.Pieces, t, p, dice);
          for (int sq = 0; sq < 64; ++sq) {
            const bool legal = IsLegalMove(s, ui, t, p, sq % 8, sq / 8);
            ASSERT_EQ((bits >> sq & 1) != 0, legal)
                << "position " << i << " dice " << dice << " team " << t << " piece " << p
                << " square " << sq % 8 << "," << sq / 8;
            marked += legal;
          }
        }
        const int r = RemovalTarget(s, t, dice);
        const uint64_t ring = RemovalSquare(s.Pieces, t, dice);
        if (r == 0) {
          EXPECT_EQ(ring, 0u) << "position " << i;
        } else {
          ++removals;
          const TPiece& y = s.piece(1 - t, r);
          EXPECT_EQ(ring, SquareBit(y.Col, y.Row)) << "position " << i;
        }
      }
    }
  }
  EXPECT_GT(marked, 1000);
  EXPECT_GT(removals, 0);
  EXPECT_EQ(ReachableSquares(positions[0].Pieces, kHuman, 1, 0), 0u);  // no die, no marks
}

}  // namespace
}  // namespace vandrel
