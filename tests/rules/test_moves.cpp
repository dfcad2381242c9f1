#include <gtest/gtest.h>

#include <set>

#include "rules/rules.h"
#include "tests/support/fake_presentation.h"
#include "tests/support/positions.h"

namespace vandrel {
namespace {

using testing::FakePresentation;
using testing::Place;
using testing::Position;
using Calls = std::vector<std::string>;

// The calls a move makes that a player sees or waits for.
Calls Visible(const FakePresentation& ui) {
  static const std::set<std::string> kinds = {"sound",  "prompt",      "redraw", "pump",
                                              "pause",  "msgbox",      "frame",  "humanpieces",
                                              "scores", "bonus-panel", "button"};
  Calls out;
  for (const auto& c : ui.calls)
    if (kinds.count(c.substr(0, c.find(' ')))) out.push_back(c);
  return out;
}

void Request(GameState& s, int t, int p, int col, int row) {
  s.SetTeam(t);
  s.SetPiece(p);
  s.spin1 = col;
  s.spin2 = row;
}

// The human's piece 3 faces the computer's piece 3 in the middle.
const char* kFacing =
    ". . . . . . . ."
    ". a b . d e f ."
    ". . . . . . . ."
    ". . . c . . . ."
    ". . . C . . . ."
    ". . . . . . . ."
    ". A B . D E F ."
    ". . . . . . . .";

TEST(MovePath, CaptureSendsThePieceToItsBaseWithSoundsAndRedraws) {
  GameState s = Position(kFacing, 1);
  s.GameRunning = s.TurnBusy = s.PieceSelected = true;
  FakePresentation ui;
  Request(s, 1, 3, 3, 3);
  MoveBtnClick(s, ui);

  const TPiece& taken = s.piece(0, 3);
  EXPECT_EQ(taken.Col, 0);
  EXPECT_EQ(taken.Row, 6);
  EXPECT_EQ(taken.OnBase, 1);
  EXPECT_EQ(taken.EndP, 0);
  EXPECT_EQ(taken.StartP, 0);
  EXPECT_EQ(s.piece(1, 3).Col, 3);
  EXPECT_EQ(s.piece(1, 3).Row, 3);
  EXPECT_EQ(s.Bonus[1], 10);
  EXPECT_EQ(s.Bonus[0], 0);
  EXPECT_FALSE(s.TurnBusy);
  EXPECT_FALSE(s.PieceSelected);
  EXPECT_EQ(CheckInvariants(s), "");

  const Calls expected = {
      "sound MOVE", "redraw",    "pump",  // the taken piece put on its entry square
      "pump",       "sound POP",          // then the pop
      "redraw",     "pump",               //
      "sound MOVE", "redraw",    "pump",  // the mover lands
      "redraw",     "pump",      "humanpieces 0", "redraw", "pump", "pause 300",
  };
  EXPECT_EQ(Visible(ui), expected);
}

TEST(MovePath, SilentWhenSoundIsOff) {
  GameState s = Position(kFacing, 1);
  s.SfxOn = false;
  FakePresentation ui;
  Request(s, 1, 3, 3, 3);
  MoveBtnClick(s, ui);
  EXPECT_TRUE(ui.Sounds().empty());
  EXPECT_EQ(s.piece(0, 3).OnBase, 1);
}

TEST(MovePath, BaseWalkEndsOnTheReturnSquare) {
  const char* walking =
      ". . . . . . . ."
      ". a b . d e f ."
      ". . . . . . . ."
      "c . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". A B C D E F ."
      ". . . . . . . .";
  GameState s = Position(walking, 2);
  s.ComputerTurn = true;
  FakePresentation ui;
  Request(s, 0, 3, 0, 1);
  MoveBtnClick(s, ui);
  const TPiece& x = s.piece(0, 3);
  EXPECT_EQ(x.OnBase, 0);
  EXPECT_EQ(x.StartP, 1);
  EXPECT_EQ(x.OnReturn, 1);
  EXPECT_EQ(x.EndP, 0);
  EXPECT_EQ(ui.Sounds(), Calls{"MOVE"});
  EXPECT_EQ(CheckInvariants(s), "");
  // Standing on its start row, it keeps the computer from the removal.
  Place(s, 1, 2, 5, 0);
  for (int p = 1; p <= 6; ++p)
    if (p != 3) Place(s, 0, p, p, 3);
  EXPECT_EQ(RemovalTarget(s, 0, 2), 0);
  Place(s, 0, 3, 3, 2);
  EXPECT_EQ(RemovalTarget(s, 0, 2), 2);
}

TEST(MovePath, ArrivalEarnsBonusEveryTimeAndRemovalSendsBack) {
  const char* nearly =
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . C . . . ."
      ". a b c d e f ."
      ". . . . . . . ."
      ". A B . D E F ."
      ". . . . . . . ."
      ". . . . . . . .";
  // The human's piece 3 jumps the computer's start row, now empty, to arrive.
  GameState s = Position(nearly, 2);
  FakePresentation ui;
  Request(s, 1, 3, 3, 0);
  MoveBtnClick(s, ui);
  EXPECT_EQ(s.piece(1, 3).EndP, 1);
  EXPECT_EQ(s.Bonus[1], 20);
  EXPECT_EQ(ui.Sounds(), (Calls{"MOVE", "ENDROW"}));

  ui.Clear();
  TakeFromEndRow(s, ui, 1, 3);
  EXPECT_EQ(s.piece(1, 3).Col, 7);
  EXPECT_EQ(s.piece(1, 3).Row, 1);
  EXPECT_EQ(s.piece(1, 3).OnBase, 1);
  EXPECT_EQ(s.piece(1, 3).EndP, 0);
  EXPECT_EQ(ui.Sounds(), Calls{"MOVE"});  // no pop, no points for the remover
  EXPECT_EQ(s.Bonus[0], 0);
  EXPECT_EQ(CheckInvariants(s), "");

  Place(s, 1, 3, 3, 2);
  Request(s, 1, 3, 3, 0);
  MoveBtnClick(s, ui);
  EXPECT_EQ(s.Bonus[1], 40);
}

TEST(MovePath, RemovalOfAPieceNotOnItsEndRowDoesNothing) {
  GameState s = Position(kFacing);
  const GameState before = s;
  FakePresentation ui;
  TakeFromEndRow(s, ui, 1, 3);
  EXPECT_EQ(s, before);
  EXPECT_TRUE(ui.Sounds().empty());
}

TEST(MovePath, TheSixthArrivalEndsAndScoresTheGame) {
  const char* last =
      ". A B C D E . ."
      ". . . . . . . ."
      ". . . . . . F ."
      ". . . . . . . ."
      "c . . . . . . ."
      ". . . . . . . ."
      ". a b . d e f ."
      ". . . . . . . .";
  GameState s = Position(last, 2);
  s.Score = {30, 100};
  s.Bonus = {10, 120};
  s.GameRunning = s.TurnBusy = true;
  FakePresentation ui;
  Request(s, 1, 6, 6, 0);
  MoveBtnClick(s, ui);

  EXPECT_FALSE(s.GameRunning);
  EXPECT_TRUE(s.NewBtnEnabled);
  // Six computer pieces short of row 7 (50 each), one in its base (100),
  // plus the human's bonus of 120 + 20 for this arrival.
  EXPECT_EQ(s.Score[1], 100 + 6 * 50 + 100 + 140);
  EXPECT_EQ(s.Score[0], 30);
  EXPECT_EQ(ui.Sounds(), (Calls{"MOVE", "ENDROW", "WIN"}));
  EXPECT_EQ(ui.Prompts(), Calls{"Game Over - You Win!"});
  // The scores are shown before the announcement, the panel hidden.
  const Calls v = Visible(ui);
  const auto at = [&](const std::string& c) {
    return std::find(v.begin(), v.end(), c) - v.begin();
  };
  EXPECT_LT(at("scores 30 640"), at("sound WIN"));
  EXPECT_LT(at("bonus-panel 0"), at("prompt Game Over - You Win!"));
  EXPECT_LT(at("button PlayGame 1"), at("prompt Game Over - You Win!"));
}

TEST(ScoreGame, LoserPiecesInBaseAndShortOfTheEndRow) {
  // The computer wins; the human has three arrived, two walking its base
  // column and one still in play.
  const char* won =
      ". A B C . . . ."
      ". . . . . . . D"
      ". . . . . . . E"
      ". . . . . F . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". a b c d e f .";
  GameState s = Position(won);
  s.Bonus = {70, 55};
  FakePresentation ui;
  ScoreGame(s, ui, 0);
  EXPECT_EQ(s.Score[0], 3 * 50 + 2 * 100 + 70);
  EXPECT_EQ(s.Score[1], 0);
}

TEST(ScoreGame, PieceOnItsReturnSquareCountsFifty) {
  const char* won =
      ". A B C D E . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . F"
      ". a b c d e f .";
  GameState s = Position(won);
  EXPECT_EQ(LoserPenalty(s, 0), 50);
}

TEST(MovePath, RefusedHumanMoveKeepsTheSelectionAndSaysSo) {
  GameState s = Position(kFacing, 1);
  s.PieceSelected = true;
  s.SelX = 210;
  s.SelY = 140;
  s.TurnBusy = true;
  const auto pieces = s.Pieces;
  FakePresentation ui;
  Request(s, 1, 3, 3, 5);  // backwards
  MoveBtnClick(s, ui);
  EXPECT_TRUE(s.PieceSelected);
  EXPECT_TRUE(s.TurnBusy);
  EXPECT_EQ(s.Pieces, pieces);
  const Calls expected = {"frame 210 140", "prompt You can't move there!", "redraw", "pump",
                          "pause 300"};
  EXPECT_EQ(Visible(ui), expected);
}

TEST(MovePath, WrongDirectionComesBeforeTheRefusal) {
  const char* base =
      ". . . . . . . ."
      ". a b c d e f ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . C"
      ". . . . . . . ."
      ". A B . D E F ."
      ". . . . . . . .";
  GameState s = Position(base, 2);
  FakePresentation ui;
  Request(s, 1, 3, 3, 2);
  MoveBtnClick(s, ui);
  EXPECT_EQ(ui.Calls("msgbox"), Calls{"Wrong direction"});
  const Calls v = Visible(ui);
  ASSERT_GE(v.size(), 3u);
  EXPECT_EQ(v[0], "msgbox Wrong direction");
  EXPECT_EQ(v[2], "prompt You can't move there!");
}

TEST(MovePath, RefusedComputerRequestShowsNothing) {
  GameState s = Position(kFacing, 1);
  s.ComputerTurn = true;
  const auto pieces = s.Pieces;
  FakePresentation ui;
  Request(s, 0, 3, 3, 2);  // backwards for the computer
  MoveBtnClick(s, ui);
  EXPECT_EQ(s.Pieces, pieces);
  EXPECT_TRUE(ui.Prompts().empty());
  EXPECT_TRUE(ui.Calls("frame").empty());
}

TEST(Pieces, ResetLaysOutANewGame) {
  GameState s = Position(kFacing);
  FakePresentation ui;
  ResetPieces(s, ui);
  for (int t = 0; t < 2; ++t)
    for (int p = 1; p <= 6; ++p) {
      const TPiece& x = s.piece(t, p);
      EXPECT_EQ(x.Col, p);
      EXPECT_EQ(x.Row, t == 0 ? 1 : 6);
      EXPECT_EQ(x.StartP, 1);
      EXPECT_EQ(x.EndP, 0);
      EXPECT_EQ(x.BaseRow, -1);
      EXPECT_EQ(x.BaseCol, t == 0 ? 0 : 7);
    }
  EXPECT_EQ(CheckInvariants(s), "");
}

TEST(Pieces, ReturnSquareIsEachTeamsOwn) {
  GameState s = Position(kFacing);
  s.piece(1, 1).Col = 7;
  s.piece(1, 1).Row = 6;
  UpdateOnReturn(s, 1, 1);
  EXPECT_EQ(s.piece(1, 1).OnReturn, 1);
  s.piece(0, 1).Col = 7;
  s.piece(0, 1).Row = 6;
  UpdateOnReturn(s, 0, 1);
  EXPECT_EQ(s.piece(0, 1).OnReturn, 0);
}

TEST(Pieces, PieceAtFindsOnlyOpponents) {
  GameState s = Position(kFacing);
  EXPECT_EQ(PieceAt(s, 0, 3, 4), 3);  // the human's piece 3
  EXPECT_EQ(PieceAt(s, 1, 3, 4), 0);
  EXPECT_EQ(PieceAt(s, 1, 3, 3), 3);
}

TEST(Invariants, CatchBrokenPositions) {
  struct Case {
    const char* name;
    void (*spoil)(GameState&);
  };
  const Case cases[] = {
      {"flag disagrees", [](GameState& s) { s.piece(0, 1).EndP = 1; }},
      {"off the board", [](GameState& s) { s.piece(1, 2).Row = 8; }},
      {"two teams share", [](GameState& s) { Place(s, 1, 1, 3, 3); }},
      {"own pieces share", [](GameState& s) { Place(s, 1, 1, 3, 4); }},
      {"base flag outside the base", [](GameState& s) { s.piece(1, 4).OnBase = 1; }},
      {"base column without the flag", [](GameState& s) { s.piece(0, 2).Col = 0; }},
      {"wrong constants", [](GameState& s) { s.piece(0, 5).BaseRow = 0; }},
  };
  for (const Case& c : cases) {
    GameState s = Position(kFacing);
    ASSERT_EQ(CheckInvariants(s), "");
    c.spoil(s);
    EXPECT_NE(CheckInvariants(s), "") << c.name;
  }
}

}  // namespace
}  // namespace vandrel
