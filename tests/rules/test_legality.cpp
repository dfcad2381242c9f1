#include <gtest/gtest.h>

#include <map>
#include <vector>
#include <string>

#include "rules/rules.h"
#include "tests/support/fake_presentation.h"
#include "tests/support/positions.h"

namespace vandrel {
namespace {

using testing::FakePresentation;
using testing::Position;

const std::map<std::string, std::string> kBoards = {
    {"start", testing::kStartPicture},
    // The human's piece 3 out alone in the middle.
    {"lone",
     ". . . . . . . ."
     ". a b c d e f ."
     ". . . . . . . ."
     ". . . . . . . ."
     ". . . C . . . ."
     ". . . . . . . ."
     ". A B . D E F ."
     ". . . . . . . ."},
    // Pieces next to the opponents' start rows, a computer piece still in
    // front of square (4, 0), and one of the human's pieces arrived.
    {"safe_rows",
     ". . F . . . . ."
     ". a b c d . . ."
     ". . . C . . . ."
     ". . . . . e f ."
     ". . . . . . . ."
     ". . B . . . . ."
     ". A . . D E . ."
     ". . . . . . . ."},
    // The human's piece 3 walks its base column on row 3; piece 4 on row 4.
    {"base",
     ". . . . . . . ."
     ". a b c d e f ."
     ". . . . . . . ."
     ". . . . . . . C"
     ". . . . . . . D"
     ". . . . . . . ."
     ". A B . . E F ."
     ". . . . . . . ."},
    // The human's piece 3 back on its return square, piece 5 in the way.
    {"return",
     ". . . . . . . ."
     ". a b c d e f ."
     ". . . . . . . ."
     ". . . . D . . ."
     ". . F . . . . ."
     ". . . . . . . ."
     ". A B . . E . C"
     ". . . . . . . ."},
    // Computer pieces walking and returning in column 0.
    {"computer_base",
     ". . . . . . . ."
     "c . b . d e f ."
     ". . . . . . . ."
     ". . . . . . . ."
     "a . . . . . . ."
     ". . . . . . . ."
     ". A B C D E F ."
     ". . . . . . . ."},
};

struct LegalCase {
  const char* name;
  const char* board;
  int dice, team, piece, col, row;
  bool legal;
  bool wrongDirection = false;
};

const LegalCase kCases[] = {
    {"one forward plus a sideways pair", "lone", 3, 1, 3, 3, 3, true},
    {"parity does not fit", "lone", 3, 1, 3, 4, 3, false},
    {"three steps sideways", "lone", 3, 1, 3, 6, 4, true},
    {"staying put is no move", "lone", 3, 1, 3, 3, 4, false},
    {"two sideways and one forward", "lone", 3, 1, 3, 1, 3, true},
    {"backwards is refused", "lone", 1, 1, 3, 3, 5, false},
    {"too far", "lone", 1, 1, 3, 3, 2, false},
    {"off the board", "lone", 4, 1, 3, -1, 4, false},
    {"sideways into a base column", "lone", 4, 1, 3, 7, 4, false},
    {"start: die 1 forward", "start", 1, 1, 4, 4, 5, true},
    {"start: computer forward", "start", 1, 0, 2, 2, 2, true},
    {"start: sideways onto a neighbour", "start", 1, 1, 4, 5, 6, false},
    {"start: sideways off the play area", "start", 1, 1, 1, 0, 6, false},
    {"start: two sideways past neighbours", "start", 2, 1, 1, 3, 6, false},
    {"human may not land on row 1", "safe_rows", 3, 1, 3, 5, 1, false},
    {"not even to take a piece there", "safe_rows", 2, 1, 3, 4, 1, false},
    {"computer may not land on row 6", "safe_rows", 3, 0, 6, 6, 6, false},
    {"nor take a piece there", "safe_rows", 3, 0, 5, 5, 6, false},
    {"end square closed by the piece in front", "safe_rows", 2, 1, 3, 3, 0, false},
    {"closed by a piece that has not moved", "safe_rows", 3, 1, 3, 4, 0, false},
    {"open end square", "safe_rows", 4, 1, 3, 5, 0, true},
    {"arrived pieces never move", "safe_rows", 1, 1, 6, 3, 0, false},
    {"own piece blocks the square", "safe_rows", 1, 0, 6, 5, 3, false},
    {"capture in the play area", "safe_rows", 1, 0, 3, 3, 2, true},
    {"base piece passing its return square", "base", 4, 1, 3, 7, 7, false},
    {"base piece reaching its return square", "base", 3, 1, 3, 7, 6, true},
    {"base piece two steps", "base", 2, 1, 3, 7, 5, true},
    {"base pieces stack", "base", 1, 1, 3, 7, 4, true},
    {"base piece the wrong way", "base", 2, 1, 4, 7, 2, false, true},
    {"column tested after the direction", "base", 2, 1, 4, 3, 2, false, true},
    {"base piece out of its column", "base", 2, 1, 4, 3, 6, false},
    {"re-entry onto an own piece", "return", 2, 1, 3, 5, 6, false},
    {"re-entry by the exact count", "return", 3, 1, 3, 4, 6, true},
    {"re-entry must stay in its row", "return", 2, 1, 3, 6, 5, false},
    {"re-entry one square short", "return", 4, 1, 3, 4, 6, false},
    {"computer base piece to its return square", "computer_base", 3, 0, 1, 0, 1, true},
    {"computer base piece past it", "computer_base", 4, 0, 1, 0, 0, false},
    {"computer base piece the wrong way", "computer_base", 1, 0, 1, 0, 5, false, true},
    {"computer piece leaving its return square", "computer_base", 3, 0, 3, 3, 1, true},
    {"onto its own neighbour", "computer_base", 2, 0, 3, 2, 1, false},
};

TEST(Legality, TableOfMoves) {
  for (const LegalCase& c : kCases) {
    SCOPED_TRACE(c.name);
    GameState s = Position(kBoards.at(c.board), c.dice);
    FakePresentation ui;
    const GameState before = s;
    EXPECT_EQ(IsLegalMove(s, ui, c.team, c.piece, c.col, c.row), c.legal);
    const auto boxes = ui.Calls("msgbox");
    if (c.wrongDirection) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0], "Wrong direction");
    } else {
      EXPECT_TRUE(boxes.empty());
    }
    EXPECT_EQ(s, before) << "judging a move changed the game";
  }
}

TEST(Legality, EveryLegalMoveOfEveryDieIsTheDiesLength) {
  // Whatever the position, a legal play-area move covers at most the die's
  // count and never lands beside the rules' fixed limits.
  for (const auto& [name, board] : kBoards) {
    for (int dice = 1; dice <= 6; ++dice) {
      GameState s = Position(board, dice);
      FakePresentation ui;
      for (int t = 0; t < 2; ++t)
        for (int p = 1; p <= 6; ++p)
          for (int c = -1; c <= 8; ++c)
            for (int r = -1; r <= 8; ++r) {
              if (!IsLegalMove(s, ui, t, p, c, r)) continue;
              SCOPED_TRACE(name + " t" + std::to_string(t) + " p" + std::to_string(p));
              const TPiece& x = s.piece(t, p);
              EXPECT_TRUE(c >= 0 && c <= 7 && r >= 0 && r <= 7);
              EXPECT_NE(r, StartRowOf(1 - t));
              EXPECT_FALSE(x.EndP);
              if (!x.OnBase) {
                EXPECT_LE(std::abs(c - x.Col) + std::abs(r - x.Row), dice);
                EXPECT_TRUE(c >= 1 && c <= 6);
              }
            }
    }
  }
}

TEST(FindMoves, StopsAtTheFirstSquareOutsideTheComputersTurn) {
  GameState s = Position(kBoards.at("lone"), 3);
  FakePresentation ui;
  int recorded = 0;
  static int* counter;
  counter = &recorded;
  RecordFn count = [](GameState&, int, int, int) { ++*counter; };
  EXPECT_TRUE(FindMoves(s, ui, 1, 3, 3, count));
  EXPECT_EQ(recorded, 0);  // not the computer's turn: nothing recorded
  s.ComputerTurn = true;
  EXPECT_TRUE(FindMoves(s, ui, 1, 3, 3, count));
  EXPECT_GT(recorded, 1);
}

TEST(FindMoves, RecordsSquaresColumnByColumnThenRowByRow) {
  GameState s = Position(kBoards.at("lone"), 3);
  s.ComputerTurn = true;
  FakePresentation ui;
  static std::vector<std::pair<int, int>> seen;
  seen.clear();
  FindMoves(s, ui, 1, 3, 3, [](GameState&, int, int c, int r) { seen.push_back({c, r}); });
  ASSERT_FALSE(seen.empty());
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  for (auto [c, r] : seen) EXPECT_TRUE(IsLegalMove(s, ui, 1, 3, c, r)) << c << "," << r;
}

TEST(FindMoves, BasePieceNeedsRoomBeforeItsReturnSquare) {
  GameState s = Position(kBoards.at("base"));
  FakePresentation ui;
  EXPECT_FALSE(FindMoves(s, ui, 1, 3, 4));  // row 3 + 4 passes row 6
  EXPECT_TRUE(FindMoves(s, ui, 1, 3, 3));
  EXPECT_TRUE(ui.Calls("msgbox").empty());
}

TEST(FindMoves, ArrivedPieceIsNeverMovable) {
  GameState s = Position(kBoards.at("safe_rows"));
  FakePresentation ui;
  for (int dice = 1; dice <= 6; ++dice) {
    s.Dice = dice;
    EXPECT_FALSE(FindMoves(s, ui, 1, 6, dice)) << dice;
  }
}

// The move generator works the tests out once per piece; over many random
// boards it must accept exactly the squares IsLegalMove accepts, in order.
TEST(FindMoves, ListsExactlyTheLegalSquaresOnRandomBoards) {
  uint64_t rng = 88172645463325252ULL;
  auto next = [&](int n) {
    rng ^= rng << 13;
    rng ^= rng >> 7;
    rng ^= rng << 17;
    return static_cast<int>(rng % static_cast<uint64_t>(n));
  };
  SilentPresentation ui;
  for (int board = 0; board < 1000; ++board) {
    GameState s = Position(testing::kStartPicture);
    bool taken[8][8] = {};
    for (int t = 0; t < 2; ++t)
      for (int p = 1; p <= 6; ++p) {
        int c, r;
        if (next(5) == 0) {  // in its base walk, or on its return square
          c = BaseColOf(t);
          r = 1 + next(6);
        } else {
          do {
            c = 1 + next(6);
            r = next(8);
          } while (taken[c][r]);
          taken[c][r] = true;
        }
        testing::Place(s, t, p, c, r);
      }
    for (int t = 0; t < 2; ++t)
      for (int dice = 1; dice <= 6; ++dice) {
        s.Dice = dice;
        for (int p = 1; p <= 6; ++p) {
          Square got[kMaxTargets];
          const int n = LegalTargets(s.Pieces, t, p, dice, got);
          std::vector<std::pair<int, int>> want;
          for (int c = 0; c < 8; ++c)
            for (int r = 0; r < 8; ++r)
              if (IsLegalMove(s, ui, t, p, c, r)) want.push_back({c, r});
          ASSERT_EQ(n, static_cast<int>(want.size())) << "board " << board << " die " << dice;
          for (int i = 0; i < n; ++i)
            ASSERT_EQ(std::make_pair(got[i].col, got[i].row), want[i]) << "board " << board;
          EXPECT_EQ(FindMoves(s, ui, t, p, dice), n > 0);
        }
      }
  }
}

TEST(RemovalTarget, NeedsNoOwnPieceOnTheStartRowOrInBase) {
  // The computer's piece 4 arrived on (4, 7).
  const char* open =
      ". . . . . . . ."
      ". . . . . . . ."
      ". a b c . e f ."
      ". A B C . . . ."
      ". . . . . . . ."
      ". . . . E F . ."
      ". . . . D . . ."
      ". . . . d . . .";
  GameState s = Position(open);
  EXPECT_EQ(RemovalTarget(s, 1, 4), 0);  // human piece 4 still on its start row (4, 6)
  testing::Place(s, 1, 4, 4, 4);
  EXPECT_EQ(RemovalTarget(s, 1, 4), 4);
  EXPECT_EQ(RemovalTarget(s, 1, 3), 0);  // nothing on square 3
  testing::Place(s, 1, 4, 7, 3);         // now walking the base column
  EXPECT_EQ(RemovalTarget(s, 1, 4), 0);
  testing::Place(s, 1, 4, 7, 6);  // on its return square, which is on the start row
  EXPECT_EQ(RemovalTarget(s, 1, 4), 0);
}

TEST(RemovalTarget, ComputerCountsTheTopRowFromTheRight) {
  const char* arrived =
      ". . C . . . . ."
      ". . . . . . . ."
      ". a b c d e f ."
      ". A B . D E F ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . .";
  GameState s = Position(arrived);
  EXPECT_EQ(RemovalTarget(s, 0, 5), 3);  // column 7 - 5 = 2
  EXPECT_EQ(RemovalTarget(s, 0, 2), 0);
}

TEST(CanMove, CountsMovablePiecesAndTheRemoval) {
  GameState s = Position(kBoards.at("start"), 1);
  FakePresentation ui;
  EXPECT_EQ(CountMoveOptions(s, ui, 1), 6);
  EXPECT_EQ(CountMoveOptions(s, ui, 0), 6);
  s.Dice = 2;
  EXPECT_EQ(CountMoveOptions(s, ui, 1), 6);
}

}  // namespace
}  // namespace vandrel
