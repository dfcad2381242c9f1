#include <gtest/gtest.h>

#include <map>

#include "computer/computer.h"
#include "rules/rules.h"
#include "tests/support/fake_presentation.h"
#include "tests/support/positions.h"

namespace vandrel {
namespace {

using testing::FakePresentation;
using testing::Position;

// Builds the computer's candidate list for the position as its turn would.
GameState Candidates(const char* picture, int dice) {
  GameState s = Position(picture, dice);
  s.ComputerTurn = true;
  s.SetTeam(0);
  SilentPresentation ui;
  ClearMoveList(s);
  CountMoveOptions(s, ui, 0, RecordCandidate);
  return s;
}

int ScoreOf(const GameState& s, int piece, int col, int row) {
  for (int i = 0; i < s.MoveCount; ++i)
    if (s.Moves[i].Piece == piece && s.Moves[i].Col == col && s.Moves[i].Row == row)
      return s.Moves[i].Score;
  return -1;  // not a candidate
}

// Plays the computer's choice step and answers the square piece went to.
std::pair<int, int> Choice(GameState& s, FakePresentation& ui, int piece) {
  ComputerChoice(s, ui);
  return {s.piece(0, piece).Col, s.piece(0, piece).Row};
}

TEST(Weights, EachKindOfMove) {
  // Computer piece 1 walks its base, piece 2 is in play, piece 3 faces the
  // human's start row; a human piece has arrived on column 5.
  GameState s = Position(
      ". . . . . E . ."
      ". . . . . . . ."
      ". . b . . . . ."
      "a . . C . . . ."
      ". . . . . . . ."
      ". . . . c . . ."
      ". A B . D . F ."
      ". d e f . . . .",
      1);
  s.ComputerTurn = true;
  SilentPresentation ui;
  ClearMoveList(s);
  CountMoveOptions(s, ui, 0, RecordCandidate);
  EXPECT_EQ(ScoreOf(s, 1, 0, 2), kBaseWalkScore);  // base move that stays in the base
  EXPECT_EQ(ScoreOf(s, 2, 3, 2), 0);               // plain sideways move
  EXPECT_EQ(ScoreOf(s, 2, 2, 3), 0);               // plain forward move
  EXPECT_EQ(ScoreOf(s, 3, 4, 6), -1);              // the human's start row is safe
  EXPECT_EQ(GuardScore(s, 0, 4, 1), 3);
  EXPECT_EQ(GuardScore(s, 0, 5, 1), 0);  // the square behind is taken already
  EXPECT_EQ(GuardScore(s, 0, 4, 2), 0);
  EXPECT_EQ(EndRowScore(7), 1);
  EXPECT_EQ(EndRowScore(0), 1);
  EXPECT_EQ(EndRowScore(3), 0);
  EXPECT_EQ(CaptureScore(s, 0, 3, 3), 4);
  EXPECT_EQ(CaptureScore(s, 0, 3, 2), 0);
}

TEST(Weights, BaseMoveOntoTheReturnSquareWeighsFive) {
  GameState s = Candidates(
      ". . . . . . . ."
      ". . b c d e f ."
      ". . . . . . . ."
      "a . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". A B C D E F ."
      ". . . . . . . .",
      2);
  ASSERT_GE(s.MoveCount, 1);
  EXPECT_EQ(s.Moves[0].Piece, 1);
  EXPECT_EQ(s.Moves[0].Row, 1);
  EXPECT_EQ(s.Moves[0].Score, kBaseReturnScore);
}

struct PreferenceCase {
  const char* name;
  const char* board;
  int dice;
  int piece;  // the computer piece expected to move
  int col, row;
};

const PreferenceCase kPreferences[] = {
    // Piece 1 may take on (1, 3); piece 2 may guard (1, 1) from its return
    // square.
    {"capture beats guard",
     ". . . . . . . ."
     "b . . . . . . ."
     ". a . . . c d ."
     ". A . . . . e ."
     ". . . . . . f ."
     ". . . . . . . ."
     ". . B C D E F ."
     ". . . . . . . .",
     1, 1, 1, 3},
    {"guard beats arrival",
     ". . . . . . . ."
     "b . . . . . . ."
     ". . . . . . . ."
     ". . . . . . . ."
     ". . . . . . . ."
     ". . . . . . . ."
     ". A B C D E F ."
     ". a c d e f . .",
     1, 2, 1, 1},
    {"return square beats capture",
     ". . . . . . . ."
     ". . . . . . . ."
     "a . . . . . . ."
     ". b . . . . . ."
     ". B . . . . . ."
     ". . . . . . . ."
     ". A . C D E F ."
     ". . c d e f . .",
     1, 1, 0, 1},
    {"base walk beats arrival",
     ". . . . . . . ."
     ". . . . . . . ."
     ". . . . . . . ."
     "a . . . . . . ."
     ". . . . . . . ."
     ". b . . . . . ."
     ". A B C D E F ."
     ". . c d e f . .",
     1, 1, 0, 2},
};

TEST(Choice, PrefersByWeight) {
  for (const PreferenceCase& c : kPreferences) {
    SCOPED_TRACE(c.name);
    GameState s = Candidates(c.board, c.dice);
    FakePresentation ui;
    EXPECT_EQ(Choice(s, ui, c.piece), std::make_pair(c.col, c.row));
    EXPECT_EQ(CheckInvariants(s), "");
  }
}

TEST(Choice, TiesGoToTheFirstCandidate) {
  // Three captures of weight 4 with a 1: pieces 1 and 2 can both take the
  // human's piece on (1, 2), piece 4 the one on (5, 2). Piece 1 plays.
  GameState s = Candidates(
      ". . . . . . . ."
      ". a . c . e f ."
      ". B b . d D . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". A . C . E F ."
      ". . . . . . . .",
      1);
  EXPECT_EQ(ScoreOf(s, 1, 1, 2), 4);
  EXPECT_EQ(ScoreOf(s, 2, 1, 2), 4);
  EXPECT_EQ(ScoreOf(s, 4, 5, 2), 4);
  FakePresentation ui;
  const int best = PickBestMove(s, ui);
  ASSERT_GE(best, 0);
  for (int i = 0; i < best; ++i) EXPECT_LT(s.Moves[i].Score, 4) << i;
  EXPECT_EQ(Choice(s, ui, 1), std::make_pair(1, 2));
  EXPECT_EQ(s.piece(1, 2).OnBase, 1);
}

TEST(Choice, WeightZeroMovesAreDrawnUniformly) {
  const char* plain =
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . a . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". A B C D E F ."
      ". . b c d e f .";
  GameState s0 = Candidates(plain, 1);
  ASSERT_GT(s0.MoveCount, 1);
  SilentPresentation silent;
  EXPECT_EQ(PickBestMove(s0, silent), -1);
  std::map<std::pair<int, int>, int> seen;
  FakePresentation ui(7);
  const int n = s0.MoveCount, trials = 3000;
  for (int i = 0; i < trials; ++i) {
    GameState s = s0;
    seen[Choice(s, ui, 1)]++;
  }
  EXPECT_EQ(static_cast<int>(seen.size()), n);
  for (const auto& [square, count] : seen)
    EXPECT_NEAR(count, trials / n, trials / n * 0.25) << square.first << "," << square.second;
}

TEST(Choice, RemovalComesBeforeAnyMove) {
  // A capture is there for the taking, but the human's piece on (2, 0) is
  // square 5 as the computer counts, and the die shows 5.
  GameState s = Candidates(
      ". . C . . . . ."
      ". . . . . . . ."
      ". a . . . . . ."
      ". . . . . . A ."
      ". b . . . . . ."
      ". . . . . . . ."
      ". . B . D E F ."
      ". . c d e f . .",
      5);
  FakePresentation ui;
  const auto pieces = s.Pieces;
  ComputerChoice(s, ui);
  EXPECT_EQ(s.piece(1, 3).Col, 7);
  EXPECT_EQ(s.piece(1, 3).Row, 1);
  EXPECT_EQ(s.piece(1, 3).OnBase, 1);
  for (int p = 1; p <= 6; ++p) EXPECT_EQ(s.piece(0, p), pieces[0][p - 1]);
  EXPECT_TRUE(ui.Calls("pause").empty()) << "the removal has no pause of its own";
}

TEST(Choice, NothingToPlayIsAPass) {
  GameState s = Candidates(
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". A B C D E F ."
      ". a b c d e f .",
      3);
  EXPECT_EQ(s.MoveCount, 0);
  const GameState before = s;
  FakePresentation ui;
  ComputerChoice(s, ui);
  EXPECT_EQ(s, before);
}

}  // namespace
}  // namespace vandrel
