#include <gtest/gtest.h>

#include <tuple>

#include "computer/computer.h"
#include "computer/strong.h"
#include "control/savegame.h"
#include "rules/rules.h"
#include "tests/support/fake_presentation.h"
#include "tests/support/positions.h"

namespace vandrel {
namespace {

using testing::FakePresentation;
using testing::Position;

// The human has five pieces home and the sixth, on (6, 2), reaches (6, 0)
// with a 2, 4 or 6. The computer's piece 3 stands on (4, 2). Here the
// computer may send a piece back from the top row ...
constexpr const char* kHumanAboutToWin =
    ". A B C D E . ."
    ". . . . . . . ."
    ". . . . c . F ."
    ". a . . . . . ."
    ". . b . . . . ."
    ". . . . d e . ."
    ". . . . . . f ."
    ". . . . . . . .";
// ... and here it may not: its piece 1 is still on its start row.
constexpr const char* kHumanAboutToWinNoRemoval =
    ". A B C D E . ."
    ". a . . . . . ."
    ". . . . c . F ."
    ". . . . . . . ."
    ". . b . . . . ."
    ". . . . d e . ."
    ". . . . . . f ."
    ". . . . . . . .";

struct Case {
  const char* name;
  const char* picture;
  int dice;
  Choice best;  // piece 0: the removal
};

// Positions in which one choice is plainly best.
const Case kCases[] = {
    // Five pieces home: the 2 takes piece 6 home and wins; the classic
    // weights would rather take the human's piece on (4, 5).
    {"arrival_that_wins",
     ". . . . . . . ."
     ". . . . . . . ."
     ". A . . . . . ."
     ". . B . . . . ."
     ". . . C . . . ."
     ". . . . D . f ."
     ". . . . . E . F"
     ". a b c d e . .",
     2,
     {6, 6, 7}},
    // Taking the human's last piece out of play is the only way not to lose
    // at once.
    {"capture_that_saves", kHumanAboutToWinNoRemoval, 2, {3, 6, 2}},
    // A 3 cannot reach the piece on (6, 2), but it sends the human's piece on
    // (4, 0) back to its base.
    {"removal_that_saves", kHumanAboutToWin, 3, {0, 0, 0}},
};

TEST(Strong, PlainlyBestChoice) {
  for (const Case& c : kCases) {
    const GameState s = Position(c.picture, c.dice);
    Choice options[kMaxChoices];
    const int n = ListChoices(s.Pieces, kComputer, c.dice, options);
    ASSERT_GT(n, 1) << c.name;
    EXPECT_EQ(options[StrongPick(s.Pieces, kComputer, c.dice, options, n)], c.best) << c.name;
    for (int depth = 1; depth <= 3; ++depth) {  // however little time a slow machine leaves
      StrongLimits limits;
      limits.maxDepth = depth;
      limits.timeMs = 0;
      EXPECT_EQ(options[StrongPick(s.Pieces, kComputer, c.dice, options, n, limits)], c.best)
          << c.name << " depth " << depth;
    }
  }
}

// Where both players choose alike, the strong one plays its choice through
// the same calls as the classic one.
TEST(Strong, PlaysItsChoiceAsTheClassicPlayerDoes) {
  for (auto [picture, dice] : {std::pair{kHumanAboutToWinNoRemoval, 2}, {kHumanAboutToWin, 3}}) {
    GameState classic = Position(picture, dice), strong = classic;
    FakePresentation a, b;
    for (GameState* s : {&classic, &strong}) {
      s->ComputerTurn = s->TurnBusy = s->GameRunning = true;
      s->SetTeam(kComputer);
      ClearMoveList(*s);
      SilentPresentation silent;
      CountMoveOptions(*s, silent, kComputer, RecordCandidate);
    }
    ComputerChoice(classic, a);
    StrongComputerChoice(strong, b);
    EXPECT_EQ(a.calls, b.calls) << dice;
    EXPECT_EQ(classic, strong) << dice;
  }
}

// The level chosen in the options dialog holds for the session: Apply sets
// it, Cancel leaves it, a loaded game keeps it, the saved game never holds
// it; and the computer's turn plays by it.
TEST(Strong, LevelFromTheOptionsDecidesTheComputersTurn) {
  FakePresentation ui;
  Game game(ui);
  GameState& s = game.state();
  game.FormCreate();
  EXPECT_EQ(s.Level, ComputerLevel::Classic);
  ui.options = {{.level = ComputerLevel::Strong, .apply = false},
                {.level = ComputerLevel::Strong}};
  game.MatchBtnClick();
  EXPECT_EQ(s.Level, ComputerLevel::Classic);
  game.MatchBtnClick();
  EXPECT_EQ(s.Level, ComputerLevel::Strong);
  GameState classic = s;
  classic.Level = ComputerLevel::Classic;
  EXPECT_EQ(SavedGameOf(s), SavedGameOf(classic));
  ApplySavedGame(SavedGameOf(classic), s);
  EXPECT_EQ(s.Level, ComputerLevel::Strong);

  // Five pieces home and a 2: the strong player takes piece 6 home and wins,
  // the classic one takes the human's piece on (4, 5).
  for (auto [level, col, row] : {std::tuple{ComputerLevel::Strong, 6, 7}, {ComputerLevel::Classic, 4, 5}}) {
    s.Pieces = Position(kCases[0].picture).Pieces;
    s.Level = level;
    s.GameRunning = true;
    for (int i = 0; i < 20; ++i) ui.randomValues.push_back(2);
    game.ComputaBtnClick();
    EXPECT_EQ(s.piece(kComputer, 6).Col, col);
    EXPECT_EQ(s.piece(kComputer, 6).Row, row);
  }
}

// Thousands of quick games between two shallow strong players: every choice
// is one the rules allow, carrying it out on the bare table gives what the
// move path gives, and the invariants hold after every move.
TEST(Strong, NeverLeavesTheRules) {
  StrongLimits quick;
  quick.maxDepth = 1;
  quick.timeMs = 0;
  SilentPresentation ui(5);
  int games = 0, moves = 0;
  for (; games < 2000; ++games) {
    GameState s;
    ResetPieces(s, ui);
    s.GameRunning = true;
    int t = games % 2;
    for (int turn = 0; turn < 1000 && s.GameRunning; ++turn, t = 1 - t) {
      s.Dice = 1 + ui.Random(6);
      Choice options[kMaxChoices];
      const int n = ListChoices(s.Pieces, t, s.Dice, options);
      if (n == 0) continue;
      const Choice c = options[StrongPick(s.Pieces, t, s.Dice, options, n, quick)];
      PieceTable expected = s.Pieces;
      const bool won = ApplyChoice(expected, t, s.Dice, c);
      if (c.piece == 0) {
        const int r = RemovalTarget(s, t, s.Dice);
        ASSERT_GT(r, 0);
        TakeFromEndRow(s, ui, 1 - t, r);
      } else {
        ASSERT_TRUE(IsLegalMove(s, ui, t, c.piece, c.col, c.row));
        s.SetTeam(t);
        s.SetPiece(c.piece);
        s.spin1 = c.col;
        s.spin2 = c.row;
        MoveBtnClick(s, ui);
      }
      ++moves;
      ASSERT_EQ(s.Pieces, expected) << "game " << games << " turn " << turn;
      ASSERT_EQ(won, !s.GameRunning);
      ASSERT_EQ(CheckInvariants(s), "") << "game " << games << " turn " << turn;
    }
    ASSERT_FALSE(s.GameRunning) << "game " << games << " did not end";
  }
  EXPECT_GT(moves, games * 20);
}

}  // namespace
}  // namespace vandrel
