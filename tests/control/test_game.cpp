#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "control/game.h"
#include "control/savegame.h"
#include "rules/rules.h"
#include "tests/support/fake_presentation.h"
#include "tests/support/positions.h"
#include "tests/support/trace_log.h"

namespace vandrel {
namespace {

using testing::FakePresentation;
using testing::Position;
using testing::ScriptedPlayer;
using Calls = std::vector<std::string>;
using Player = ScriptedPlayer;

using testing::TraceLog;

struct Harness {
  explicit Harness(uint32_t seed = 1) : ui(seed), game(ui), player(ui, game), trace(ui) {
    game.FormCreate();
  }
  GameState& s() { return game.state(); }
  FakePresentation ui;
  Game game;
  Player player;
  TraceLog trace;
};

// A die that shows v at the end of its animation.
void ForceDie(FakePresentation& ui, int v) {
  for (int i = 0; i < 20; ++i) ui.randomValues.push_back(v);
}

bool HumanToThrow(Game& g) { return g.state().Input == HumanInput::AwaitThrow; }
bool HumanToMove(Game& g) { return g.state().Input == HumanInput::AwaitMove; }

// Replaces the pieces (at the human's turn, before the throw).
Player::Action SetPosition(const char* picture) {
  return [picture](Game& g) {
    const GameState p = Position(picture);
    g.state().Pieces = p.Pieces;
  };
}

TEST(Match, OneGameFromNewMatchToTheResult) {
  Harness h(5);
  h.player.Then(Player::NewMatch()).Then(Player::PlayGame());
  h.player.autoplay = FirstLegalHuman;
  h.player.Run();
  const int64_t gameTime = h.ui.clock;
  // The game is over; "Play Game" once more gives the match result.
  ASSERT_FALSE(h.s().GameRunning);
  EXPECT_EQ(h.s().GamesLeft, 0);
  EXPECT_TRUE(h.s().NewBtnEnabled);
  const Calls prompts = h.ui.Prompts();
  ASSERT_FALSE(prompts.empty());
  const bool humanWon = AllAtEndRow(h.s(), 1);
  EXPECT_EQ(prompts.back(), humanWon ? "Game Over - You Win!" : "Game Over - You Lose!");
  EXPECT_EQ(h.ui.Sounds().back(), humanWon ? "WIN" : "LOSE");

  h.player.Then(Player::PlayGame());
  h.player.Run();
  EXPECT_EQ(h.ui.Prompts().back(), humanWon ? "Match Over - You Win!" : "Match Over - You Lose!");
  EXPECT_TRUE(h.s().MatchBtnEnabled);
  EXPECT_FALSE(h.s().NewBtnEnabled);

  // Every throw is "DICE" then twenty steps of 100 ms; every move request
  // pauses 300 ms; the computer's turn waits 500 ms before and 300 after,
  // the human's 300 before.
  const int throws = h.trace.Count("throw");
  const int moves = h.trace.Count("move");
  const int computerTurns = h.trace.Count("turn 0");
  const int humanTurns = h.trace.Count("turn 1");
  EXPECT_EQ(gameTime, throws * 2000 + moves * 300 + computerTurns * 800 + humanTurns * 300);
  EXPECT_EQ(h.ui.Sounds().size() >= static_cast<size_t>(throws), true);
  int dice = 0;
  for (const auto& snd : h.ui.Sounds()) dice += snd == "DICE";
  EXPECT_EQ(dice, throws);
  EXPECT_EQ(throws, computerTurns + humanTurns);
  EXPECT_EQ(CheckInvariants(h.s()), "");
}

TEST(Match, TurnsAlternateAcrossGames) {
  Harness h(11);
  h.player.Then(Player::NewMatch({.ups = 1}))
      .Then(Player::PlayGame())
      .When([](Game& g) { return g.state().LoopDepth == 0 && g.state().GamesLeft == 1; },
            Player::PlayGame());
  h.player.autoplay = FirstLegalHuman;
  h.player.Run();
  ASSERT_EQ(h.s().GamesLeft, 0);
  // The side that made the last move of a game does not start the next.
  const Calls lines = h.trace.Lines();
  int lastMover = -1, games = 0;
  bool expectFirstTurn = false;
  for (const auto& l : lines) {
    if (l.rfind("move ", 0) == 0 || l.rfind("remove ", 0) == 0) {
      // "remove t p" names the removed piece's team: the mover is the other.
      const int t = l[l.find(' ') + 1] - '0';
      lastMover = l[0] == 'm' ? t : 1 - t;
    } else if (l.rfind("game-over", 0) == 0) {
      ++games;
      expectFirstTurn = true;
    } else if (l.rfind("turn ", 0) == 0 && expectFirstTurn) {
      EXPECT_EQ(l[5] - '0', 1 - lastMover);
      expectFirstTurn = false;
    }
  }
  EXPECT_EQ(games, 2);
}

TEST(Match, ThreeGamesAddUpAndThenTheResult) {
  Harness h(3);
  h.player.Then(Player::NewMatch({.ups = 2}));
  for (int i = 0; i < 4; ++i)
    h.player.When([](Game& g) { return g.state().LoopDepth == 0; }, Player::PlayGame());
  h.player.autoplay = FirstLegalHuman;
  h.player.Run();
  EXPECT_EQ(h.s().GamesPerMatch, 3);
  EXPECT_EQ(h.s().GamesLeft, 0);
  EXPECT_EQ(h.trace.Count("game-over"), 3);
  const Calls prompts = h.ui.Prompts();
  const std::string result = h.s().Score[1] > h.s().Score[0]   ? "Match Over - You Win!"
                             : h.s().Score[0] > h.s().Score[1] ? "Match Over - You Lose!"
                                                               : "Game Over - It's a Draw!";
  EXPECT_EQ(prompts.back(), result);
}

TEST(Match, EqualScoresAreADrawWithTheWinningSound) {
  Harness h;
  h.s().Score = {350, 350};
  h.s().GamesLeft = 0;
  h.s().NewBtnEnabled = true;
  h.player.Then(Player::PlayGame());
  h.player.Run();
  EXPECT_EQ(h.ui.Sounds(), Calls{"WIN"});
  EXPECT_EQ(h.ui.Prompts(), Calls{"Game Over - It's a Draw!"});
  EXPECT_TRUE(h.s().MatchBtnEnabled);
}

TEST(Match, NoGamesLeftAnnouncesTheResultInsteadOfPlaying) {
  Harness h;
  h.s().Score = {500, 120};
  h.s().GamesLeft = -1;  // a loaded game may have counted below zero
  h.s().NewBtnEnabled = true;
  h.s().SfxOn = false;
  h.player.Then(Player::PlayGame());
  h.player.Run();
  EXPECT_TRUE(h.ui.Sounds().empty());
  EXPECT_EQ(h.ui.Prompts(), Calls{"Match Over - You Lose!"});
  EXPECT_FALSE(h.s().NewBtnEnabled);
  EXPECT_EQ(h.trace.Count("turn"), 0);
}

TEST(Match, CancelKeepsEverythingButTheGamesPerMatch) {
  Harness h;
  h.s().Score = {40, 90};
  h.s().GamesLeft = 2;
  h.player.Then(Player::NewMatch({.ups = 3, .setBox = false, .apply = false}))
      .Then(Player::NewMatch({.apply = false}));
  h.player.Run();
  EXPECT_EQ(h.s().GamesPerMatch, 4);
  EXPECT_EQ(h.s().GamesLeft, 2);
  EXPECT_EQ(h.s().Score[0], 40);
  EXPECT_TRUE(h.s().SfxOn);
  EXPECT_TRUE(h.s().MatchBtnEnabled);
  EXPECT_FALSE(h.s().NewBtnEnabled);
  EXPECT_FALSE(h.ui.sfxBox);  // the box keeps how it was left
}

TEST(Match, ApplyWithTheBoxClearSilencesTheGame) {
  Harness h;
  h.player.Then(Player::NewMatch({.ups = 12, .setBox = false}));
  h.player.Run();
  EXPECT_EQ(h.s().GamesPerMatch, 10);
  EXPECT_EQ(h.s().GamesLeft, 10);
  EXPECT_FALSE(h.s().SfxOn);
  EXPECT_EQ(h.ui.Calls("sfx-caption").back(), "SFX Off");
  EXPECT_FALSE(h.s().MatchBtnEnabled);
}

// The human's pieces all arrived but one walking its base on row 3: a 4
// leaves the human nothing to do.
const char* kHumanStuck =
    ". A B C D E . ."
    ". . . . . . . ."
    ". a b c d e f ."
    ". . . . . . . F"
    ". . . . . . . ."
    ". . . . . . . ."
    ". . . . . . . ."
    ". . . . . . . .";

TEST(Turns, HumanWhoCannotMovePasses) {
  Harness h;
  h.player.Then(Player::NewMatch())
      .Then(Player::PlayGame())
      .When(HumanToThrow, SetPosition(kHumanStuck))
      .When(HumanToThrow,
            [](Game& g) {
              ForceDie(static_cast<FakePresentation&>(g.ui()), 4);
              g.DiceBtnClick();
            })
      // A second move after the pass must not count.
      .Soon(Player::Select(6))
      .Soon(Player::Click(7, 4))
      .When([](Game& g) { return g.state().ComputerTurn; }, Player::Bye());
  h.player.Run();
  EXPECT_EQ(h.ui.Prompts().at(0), "You can't move!");
  const Calls lines = h.trace.Lines();
  const auto pass = std::find(lines.begin(), lines.end(), "pass 1");
  ASSERT_NE(pass, lines.end());
  EXPECT_EQ(*std::next(pass), "prompt You can't move!");
  EXPECT_EQ(*std::next(pass, 2), "turn 0");
  EXPECT_EQ(h.s().piece(1, 6).Row, 3);  // the late clicks moved nothing
}

TEST(Turns, ComputerWhoCannotMovePasses) {
  // The computer's pieces all arrived but one in its base on row 4.
  const char* stuck =
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      "f . . . . . . ."
      ". . . . . . . ."
      ". A B C D E F ."
      ". a b c d e . .";
  Harness h;
  h.player.Then(Player::NewMatch())
      .Then(Player::PlayGame())
      .When(HumanToThrow, SetPosition(stuck))
      .When(HumanToThrow,
            [](Game& g) {
              auto& ui = static_cast<FakePresentation&>(g.ui());
              ForceDie(ui, 4);
              ForceDie(ui, 4);  // the computer's throw too
              g.DiceBtnClick();
            })
      .Then(Player::Select(1))
      .Then(Player::Click(1, 2))
      .When(HumanToThrow, Player::Bye());
  h.player.Run();
  EXPECT_EQ(h.ui.Prompts(), Calls{"I can't move!"});
  EXPECT_EQ(h.trace.Count("pass 0"), 1);
  EXPECT_EQ(h.s().piece(1, 1).Row, 2);
  EXPECT_EQ(h.s().piece(0, 6).Row, 4);
}

TEST(Turns, RemovalClickCountsOnlyAfterTheThrow) {
  // The computer's piece 4 arrived on (3, 7); no human piece on row 6 or in
  // its base column.
  const char* removable =
      ". . . . . . . ."
      ". . . . . . . ."
      ". a b c . e f ."
      ". A B C D E F ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . d . . . .";
  Harness h;
  h.player.Then(Player::NewMatch())
      .Then(Player::PlayGame())
      .When(HumanToThrow, SetPosition(removable))
      .When(HumanToThrow, Player::ClickComputerPiece(2))  // before the throw: nothing
      .When(HumanToThrow,
            [](Game& g) {
              EXPECT_EQ(g.state().piece(0, 4).Row, 7);
              ForceDie(static_cast<FakePresentation&>(g.ui()), 3);
              g.DiceBtnClick();
            })
      .When(HumanToMove, Player::ClickComputerPiece(2))  // any computer piece will do
      .When([](Game& g) { return g.state().ComputerTurn; }, Player::Bye());
  h.player.Run();
  const TPiece& d = h.s().piece(0, 4);
  EXPECT_EQ(d.Col, 0);
  EXPECT_EQ(d.Row, 6);
  EXPECT_EQ(d.OnBase, 1);
  EXPECT_EQ(h.trace.Count("remove 0 4"), 1);
  EXPECT_EQ(h.s().Bonus[1], 0);
}

TEST(Turns, ClickingAnOwnPieceBeforeTheThrowSaysClickTheDice) {
  Harness h;
  h.player.Then(Player::NewMatch())
      .Then(Player::PlayGame())
      .When(HumanToThrow, Player::Select(3))
      .When(HumanToThrow, Player::Click(3, 5))
      .When(HumanToThrow, Player::Bye());
  h.player.Run();
  EXPECT_EQ(h.ui.Prompts(), Calls{"Click the Dice!"});
  EXPECT_FALSE(h.s().PieceSelected);
  EXPECT_TRUE(h.ui.humanPiecesEnabled);
  EXPECT_EQ(h.s().piece(1, 3).Row, 6);
}

TEST(Mouse, SelectFollowDeselectAndRefuse) {
  Harness h;
  h.player.Then(Player::NewMatch())
      .Then(Player::PlayGame())
      .When(HumanToThrow,
            [](Game& g) {
              ForceDie(static_cast<FakePresentation&>(g.ui()), 1);
              g.DiceBtnClick();
            })
      .When(HumanToMove,
            [](Game& g) {
              auto& ui = static_cast<FakePresentation&>(g.ui());
              g.pc1MouseDown(2, MouseButton::Left);
              EXPECT_EQ(ui.framesDrawn, 1);
              EXPECT_EQ(ui.frameX, 140);
              EXPECT_EQ(ui.frameY, 420);
              EXPECT_FALSE(ui.humanPiecesEnabled);
              g.bgpicMouseMove(300, 200);
              EXPECT_EQ(ui.frameX, 280);
              EXPECT_EQ(ui.frameY, 140);
              EXPECT_EQ(ui.framesDrawn, 1);
              g.bgpicMouseDown(300, 200, MouseButton::Right);
              EXPECT_EQ(ui.framesDrawn, 0);
              EXPECT_FALSE(g.state().PieceSelected);
              EXPECT_TRUE(ui.humanPiecesEnabled);
              // Select again and try a square the rules refuse.
              g.pc1MouseDown(2, MouseButton::Left);
              g.bgpicMouseMove(2 * 70 + 5, 3 * 70 + 5);
              g.bgpicMouseDown(2 * 70 + 5, 3 * 70 + 5, MouseButton::Left);
              EXPECT_TRUE(g.state().PieceSelected);
              EXPECT_EQ(ui.framesDrawn, 1);
              EXPECT_EQ(ui.frameX, 140);
              EXPECT_EQ(ui.frameY, 210);
              // Clicking an own piece now is a target click on its square.
              g.pc1MouseDown(3, MouseButton::Left);
              EXPECT_EQ(g.state().piecespin, 2);
              // A legal target leaves no frame.
              g.bgpicMouseMove(2 * 70 + 5, 5 * 70 + 5);
              g.bgpicMouseDown(2 * 70 + 5, 5 * 70 + 5, MouseButton::Left);
              EXPECT_FALSE(g.state().PieceSelected);
              EXPECT_EQ(ui.framesDrawn, 0);
            })
      .When([](Game& g) { return g.state().ComputerTurn; }, Player::Bye());
  h.player.Run();
  EXPECT_EQ(h.ui.Prompts(), (Calls{"You can't move there!", "You can't move there!"}));
  EXPECT_EQ(h.s().piece(1, 2).Row, 5);
}

// --- Input that is not due ---------------------------------------------------

TEST(Mends, ClicksDuringTheDieAnimationDoNotCount) {
  Harness h;
  h.player.Then(Player::NewMatch())
      .Then(Player::PlayGame())
      .When(HumanToThrow,
            [](Game& g) {
              ForceDie(static_cast<FakePresentation&>(g.ui()), 2);
              g.DiceBtnClick();
            })
      .Soon(Player::Throw())  // a second press of the die button
      .Soon(Player::Select(1))
      .Soon(Player::Click(1, 5))
      .Soon(Player::ClickComputerPiece(1))
      .When(HumanToMove, Player::Bye());
  h.player.Run();
  EXPECT_EQ(h.trace.Count("throw"), 1);
  EXPECT_EQ(h.trace.Count("move"), 0);
  EXPECT_EQ(h.s().piece(1, 1).Row, 6);
  EXPECT_FALSE(h.s().PieceSelected);
  EXPECT_TRUE(h.ui.Prompts().empty());
}

TEST(Mends, NoInputDuringTheComputersTurnOrAfterTheGame) {
  Harness h(9);
  h.player.Then(Player::NewMatch()).Then(Player::PlayGame());
  for (int i = 0; i < 30; ++i) {
    h.player.When([](Game& g) { return g.state().ComputerTurn; },
                  [](Game& g) {
                    g.pc1MouseDown(1, MouseButton::Left);
                    g.bgpicMouseDown(35, 35, MouseButton::Left);
                    g.pc7MouseDown(1, MouseButton::Left);
                    g.DiceBtnClick();
                  });
  }
  h.player.autoplay = FirstLegalHuman;
  h.player.Run();
  // Every move and throw of the human came from its own turn.
  const Calls lines = h.trace.Lines();
  int turn = -1;
  for (const auto& l : lines) {
    if (l.rfind("turn ", 0) == 0) turn = l[5] - '0';
    if (l.rfind("move ", 0) == 0) {
      EXPECT_EQ(l[5] - '0', turn) << l;
    }
  }
  EXPECT_EQ(h.trace.Count("game-over"), 1);
  // After the game, a removal click does nothing.
  const GameState after = h.s();
  h.game.pc7MouseDown(1, MouseButton::Left);
  h.game.pc1MouseDown(1, MouseButton::Left);
  EXPECT_EQ(h.s(), after);
}

TEST(Mends, PlayGameAndLoadDoNothingWhileAGameRuns) {
  Harness h;
  h.s().GamesLeft = 5;
  h.s().NewBtnEnabled = true;
  h.player.Then(Player::PlayGame())
      .When(HumanToThrow,
            [](Game& g) {
              g.state().NewBtnEnabled = true;  // as a loaded file may leave it
              const GameState before = g.state();
              g.NewBtnClick();
              g.LoadBtnClick();
              EXPECT_EQ(g.state(), before);
            })
      .When(HumanToThrow, Player::Bye());
  h.player.Run();
  EXPECT_EQ(h.s().GamesLeft, 4);  // one game counted, once
  EXPECT_EQ(h.trace.Count("turn"), 1);
}

// "Play Game" and "Load" show enabled exactly when a click acts. While a game
// is played both show disabled, and a click (were one passed on) changes
// nothing. From the end of the game they show what the game set, and a hasty
// click while the loop winds down starts the next game, or the load, as soon
// as the loop has ended.
TEST(Mends, PlayGameAndLoadShowWhatAClickDoes) {
  for (const bool fromFile : {false, true}) {
    Harness h(fromFile ? 7 : 3);
    int probes = 0, shownWhilePlaying = 0, clickActed = 0, windDownClicks = 0;
    const auto click = [&](Button b) {
      b == Button::Load ? h.game.LoadBtnClick() : h.game.NewBtnClick();
    };
    const auto inner = h.ui.onWait;
    h.ui.onWait = [&](testing::WaitKind k) {
      GameState& s = h.s();
      if (!h.ui.Quitting() && s.GameRunning) {
        for (const Button b : {Button::PlayGame, Button::Load}) {
          ++probes;
          shownWhilePlaying += h.ui.Shown(b);
          const GameState before = s;
          const size_t calls = h.ui.calls.size();
          click(b);
          clickActed += !(s == before) || h.ui.calls.size() != calls;
        }
      } else if (!h.ui.Quitting() && s.LoopDepth > 0 && windDownClicks == 0) {
        const Button b = fromFile ? Button::Load : Button::PlayGame;
        EXPECT_TRUE(h.ui.Shown(b)) << "the game is over but its loop still runs";
        ++windDownClicks;
        click(b);
      }
      return inner(k);
    };
    if (fromFile) {
      // A file saved between two games of a match: "Play Game" enabled.
      SavedGame g = SavedGameOf(Position(testing::kStartPicture));
      g.GamesLeft = 2;
      g.PlayGameEnabled = true;
      const std::string name = ::testing::TempDir() + "/between-games.vdg";
      ASSERT_EQ(WriteSavedGame(name, g), "");
      h.ui.openNames.push_back(name);
      h.player.Then(Player::Load());
    } else {
      h.player.Then(Player::NewMatch({.ups = 1}))
          .When([](Game& g) { return g.state().LoopDepth == 0; },
                [&](Game& g) {
                  EXPECT_TRUE(h.ui.Shown(Button::Load));
                  EXPECT_TRUE(h.ui.Shown(Button::PlayGame));
                  g.NewBtnClick();
                });
    }
    h.player.autoplay = FirstLegalHuman;
    h.player.Run();
    EXPECT_GT(probes, 100);
    EXPECT_EQ(shownWhilePlaying, 0) << "shown enabled while a game is played";
    EXPECT_EQ(clickActed, 0);
    EXPECT_EQ(windDownClicks, 1);
    EXPECT_EQ(h.trace.Count("game-over"), 2) << "the hasty click started no game";
    EXPECT_EQ(h.ui.Calls("open-dialog").size(), fromFile ? 2u : 0u);
    EXPECT_TRUE(h.ui.Shown(Button::PlayGame));  // for the match's result
    EXPECT_TRUE(h.ui.Shown(Button::Load));
  }
}

// --- Leaving ---------------------------------------------------------------

TEST(Leaving, ByeInTheMiddleOfTheComputersTurn) {
  Harness h;
  size_t callsAtBye = 0;
  h.player.Then(Player::NewMatch())
      .Then(Player::PlayGame())
      .When([](Game& g) { return g.state().ComputerTurn && g.state().Dice > 0; },
            [&](Game& g) {
              g.SpeedButton1Click();
              callsAtBye = h.ui.calls.size();
            });
  h.player.autoplay = FirstLegalHuman;
  h.player.Run();
  EXPECT_TRUE(h.ui.Quitting());
  EXPECT_FALSE(h.s().GameRunning);
  EXPECT_EQ(h.ui.calls.size(), callsAtBye) << "something was drawn or played after Bye!";
}

// Regression: the loop spun for ever when the program was leaving between
// two turns without "Bye!" (no turn could begin, and none was in progress).
TEST(Leaving, QuittingBetweenTurnsWithoutByeEndsTheLoop) {
  Harness h;
  h.player.Then(Player::NewMatch())
      .Then(Player::PlayGame())
      .When([](Game& g) { return !g.state().TurnBusy && g.state().GameRunning; },
            [&](Game&) { h.ui.Quit(); });
  h.player.autoplay = FirstLegalHuman;
  h.player.Run();
  EXPECT_FALSE(h.s().GameRunning);
  EXPECT_EQ(h.s().LoopDepth, 0);
}

TEST(Leaving, ByeDuringASound) {
  Harness h;
  size_t callsAtBye = 0;
  h.player.Then(Player::NewMatch())
      .Then(Player::PlayGame())
      .When([](Game& g) { return g.state().Input == HumanInput::AwaitThrow; }, Player::Throw())
      .When([&](Game&) { return !h.ui.Sounds().empty(); },  // inside "DICE"
            [&](Game& g) {
              g.SpeedButton1Click();
              callsAtBye = h.ui.calls.size();
            });
  h.player.Run();
  EXPECT_EQ(h.ui.calls.size(), callsAtBye);
  EXPECT_EQ(h.trace.Count("throw"), 0);
}

// --- Random input at random moments ----------------------------------------

TEST(Robustness, RandomClicksAtRandomMomentsKeepTheGameSound) {
  std::mt19937 rng(2024);
  int games = 0, winners = 0;
  for (int round = 0; round < 150; ++round) {
    Harness h(1000 + round);
    h.s().SfxOn = round % 2 == 0;
    h.s().GamesLeft = 1;
    h.s().NewBtnEnabled = true;
    int lastTurn = -1;
    bool alternates = true;
    std::string broken;
    // A player who, at every wait, may do anything at all.
    h.ui.onWait = [&](testing::WaitKind k) {
      if (h.ui.Quitting()) return false;
      GameState& s = h.s();
      if (!s.MoveInProgress && !s.ComputerTurn && broken.empty()) broken = CheckInvariants(s);
      const int roll = std::uniform_int_distribution<int>(0, 99)(rng);
      const int a = std::uniform_int_distribution<int>(1, 6)(rng);
      const int x = std::uniform_int_distribution<int>(-10, 570)(rng);
      const int y = std::uniform_int_distribution<int>(-10, 570)(rng);
      const MouseButton b = roll % 7 == 0 ? MouseButton::Right : MouseButton::Left;
      const bool eventWait = k == testing::WaitKind::Event;
      if (!eventWait && roll > 20) return true;  // most pauses pass quietly
      switch (roll % 6) {
        case 0:
          h.game.DiceBtnClick();
          break;
        case 1:
          h.game.pc1MouseDown(a, b);
          break;
        case 2:
          h.game.bgpicMouseDown(x, y, b);
          break;
        case 3:
          h.game.pc7MouseDown(a, b);
          break;
        case 4:
          h.game.bgpicMouseMove(x, y);
          break;
        case 5:
          h.game.NewBtnClick();
          break;
      }
      if (eventWait && s.GameRunning && s.TurnBusy) {
        // Keep the game moving: a sensible action now and then.
        std::mt19937 local(rng());
        RandomHuman human(local());
        if (roll % 3 == 0) human(h.game);
      }
      return !h.ui.Quitting();
    };
    h.ui.SetTraceStream(nullptr);
    TraceLog log(h.ui);
    h.game.NewBtnClick();
    ++games;
    for (const auto& l : log.Lines()) {
      if (l.rfind("turn ", 0) != 0) continue;
      const int t = l[5] - '0';
      if (t == lastTurn) alternates = false;
      lastTurn = t;
    }
    EXPECT_EQ(broken, "") << "round " << round;
    EXPECT_TRUE(alternates) << "round " << round;
    EXPECT_EQ(CheckInvariants(h.s()), "") << "round " << round;
    if (AllAtEndRow(h.s(), 0) != AllAtEndRow(h.s(), 1)) ++winners;
    EXPECT_EQ(log.Count("game-over"), 1) << "round " << round;
  }
  EXPECT_EQ(winners, games);
}

}  // namespace
}  // namespace vandrel
