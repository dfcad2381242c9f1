// The main window's side panel, the developer controls and the real game
// loop, driven through the window as in test_window.cpp.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>

#include "control/match_memory.h"
#include "tests/ui/window/window_test.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/panel_widgets.h"
#include "ui/window/developer_panel.h"
#include "ui/window/window_builder.h"

namespace window_tests {

// --- Side panel controls ----------------------------------------------------------------

TEST_F(WindowTest, RulesViewerTogglesAndCoversTheBoard) {
  EXPECT_FALSE(Controls().rulesViewer->isVisible());
  S() = Start();
  S().TurnBusy = true;
  S().Input = HumanInput::AwaitThrow;
  window->UnlockBoard();

  Controls().rulesButton->click();
  EXPECT_TRUE(Controls().rulesViewer->isVisible());
  EXPECT_TRUE(Controls().rulesViewer->document()->toPlainText().contains("To win"));
  // A click on the text closes the rules; the piece underneath hears nothing.
  Press(Square(2, 6));
  EXPECT_FALSE(Controls().rulesViewer->isVisible());
  EXPECT_TRUE(log->prompts.empty());

  Controls().rulesButton->click();
  Controls().rulesButton->click();
  EXPECT_FALSE(Controls().rulesViewer->isVisible());
  Press(Square(2, 6));
  EXPECT_EQ(log->prompts, std::vector<QString>{"Click the Dice!"});
}

TEST_F(WindowTest, SoundButtonAndCaptions) {
  EXPECT_EQ(Controls().diceButton->text(), "Throw\r\nDice");
  EXPECT_FALSE(Controls().diceButton->isEnabled());
  EXPECT_FALSE(Controls().playGameButton->isEnabled());
  EXPECT_TRUE(Controls().newMatchButton->isEnabled());
  EXPECT_EQ(Controls().soundButton->text(), "SFX On");
  Controls().soundButton->click();
  EXPECT_EQ(Controls().soundButton->text(), "SFX Off");
  EXPECT_FALSE(S().SfxOn);
  Controls().soundButton->click();
  EXPECT_EQ(Controls().soundButton->text(), "SFX On");
  EXPECT_TRUE(S().SfxOn);
  Controls().aboutButton->click();
  EXPECT_EQ(log->aboutShown, 1);
}

// R and "Record" in the about box show the record as it stands; it is
// cleared only when the player says so there, and never while quitting.
TEST_F(WindowTest, RecordFromKeyROrTheAboutBoxClearedOnlyOnYes) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  for (const auto& [key, clear] : {std::pair{true, false}, {true, true}, {false, true}}) {
    window->Memory().CountGame(true);
    *log = DialogLog{};
    log->aboutAsksRecord = true;
    log->clearRecord = clear;
    key ? QTest::keyClick(window->windowHandle(), Qt::Key_R) : Controls().aboutButton->click();
    ASSERT_EQ(log->recordsShown.size(), 1u);
    EXPECT_EQ(log->recordsShown[0].GamesWon, 1);
    EXPECT_EQ(window->Memory().Record().GamesPlayed, clear ? 0 : 1) << key;
    window->Memory().ClearRecord();
  }
  log->aboutAsksRecord = false;
  Controls().aboutButton->click();     // the about box closed another way
  window->game().SpeedButton1Click();  // quitting
  window->ShowRecord();
  EXPECT_EQ(log->recordsShown.size(), 1u);
}

TEST_F(WindowTest, NoKeyClosesTheWindow) {
  for (Qt::Key k : {Qt::Key_Escape, Qt::Key_Space, Qt::Key_Return, Qt::Key_Q}) {
    QTest::keyClick(window->windowHandle(), k);
  }
  QTest::keyClick(window->windowHandle(), Qt::Key_W, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowTest, DeveloperEditorsCopyThePieceSquareAndDumpIt) {
  Open(MainWindow::Options{true, false},
       QSize(vandrel::kDeveloperWidth, vandrel::kDeveloperHeight));
  ASSERT_NE(window->Developer().piecespin, nullptr);
  EXPECT_TRUE(window->Developer().teamspin->isVisible());
  window->Developer().piecespin->setValue(4);
  EXPECT_EQ(S().piecespin, 4);
  EXPECT_EQ(window->Developer().spin1->value(), 4);
  EXPECT_EQ(window->Developer().spin2->value(), 1);
  window->Developer().teamspin->setValue(1);
  EXPECT_EQ(window->Developer().spin2->value(), 6);
  window->Developer().SpeedButton3Click();
  const QStringList expected = {"Team = 1",       "ID = 4",        "Col = 4",       "Row = 6",
                                "EndP = False",   "EndRow = 0",    "StartP = True", "Start Row = 6",
                                "OnBase = False", "Base Row = -1", "Base Col = 7"};
  EXPECT_EQ(window->Developer().MemoLines(), expected);
  EXPECT_EQ(window->Developer().pieceMemo->toPlainText().split('\n'), expected);
  // The Move button does nothing unless the human has a piece selected.
  window->Developer().MoveBtnClick();
  EXPECT_EQ(S().piece(kHuman, 4).Row, 6);
}

// --- The real game loop --------------------------------------------------------------------

// Runs `step` every few milliseconds while the game loop runs, like a player
// watching the screen.
class Script : public QObject {
 public:
  explicit Script(std::function<void()> step) : step_(std::move(step)) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { step_(); });
    timer_.start();
  }

 private:
  std::function<void()> step_;
  QTimer timer_;
};

struct Leaving {
  const char* name;
  bool byBye;
};

void PrintTo(const Leaving& l, std::ostream* os) { *os << l.name; }

class GameLoopTest : public WindowTest, public ::testing::WithParamInterface<Leaving> {};

TEST_P(GameLoopTest, PlaysAMoveThenLeavesFromInsideTheLoop) {
  std::FILE* trace = std::tmpfile();
  window->SetTraceStream(trace);
  Press(Controls().newMatchButton->mapTo(window.get(), QPoint(70, 30)));
  EXPECT_EQ(log->optionsShown, 1);
  EXPECT_TRUE(Controls().playGameButton->isEnabled());

  enum { Throw, Select, Target, WaitComputer, Leave, Done } phase = Throw;
  int humanDice = 0;
  Script script([&] {
    GameState& s = S();
    switch (phase) {
      case Throw:
        if (s.Input == HumanInput::AwaitThrow && Controls().diceButton->isEnabled()) {
          phase = Select;
          Press(Controls().diceButton->mapTo(window.get(), QPoint(36, 32)));
        }
        break;
      case Select:
        if (s.Input == HumanInput::AwaitMove) {
          humanDice = s.Dice;
          phase = Target;
          Press(Square(1, 6));
        }
        break;
      case Target:
        phase = WaitComputer;
        MoveTo(FirstTarget(humanDice));
        Press(FirstTarget(humanDice));
        break;
      case WaitComputer:
        // The computer has moved and the human is to throw again.
        if (s.Input == HumanInput::AwaitThrow && s.Dice == 0) phase = Leave;
        break;
      case Leave:
        phase = Done;
        if (GetParam().byBye) {
          Press(Controls().byeButton->mapTo(window.get(), QPoint(70, 30)));
        } else {
          window->close();  // as the desktop would
        }
        break;
      case Done:
        break;
    }
  });

  Press(Controls().playGameButton->mapTo(window.get(), QPoint(70, 30)));
  // The game loop has returned: the window closes as soon as control is back here.
  EXPECT_EQ(phase, Done);
  EXPECT_TRUE(window->Quitting());
  QTest::qWait(50);
  EXPECT_FALSE(window->isVisible());

  std::rewind(trace);
  std::string lines;
  char buf[256];
  while (std::fgets(buf, sizeof buf, trace)) lines += buf;
  std::fclose(trace);
  EXPECT_NE(lines.find("throw " + std::to_string(humanDice) + "\nmove 1 1 "), std::string::npos)
      << lines;
  EXPECT_NE(lines.find("turn 0\n"), std::string::npos) << lines;
  EXPECT_NE(lines.find("move 0 "), std::string::npos) << lines;
  EXPECT_EQ(S().piece(kHuman, 1).Col * 70 + 59, FirstTarget(humanDice).x());
}

INSTANTIATE_TEST_SUITE_P(Window, GameLoopTest,
                         ::testing::Values(Leaving{"Bye", true}, Leaving{"CloseEvent", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, ClosingDuringAPauseEndsThePauseAtOnce) {
  QTimer::singleShot(50, window.get(), [&] { window->close(); });
  QElapsedTimer t;
  t.start();
  bool goOn = true;
  // A handler pausing for 5 s, as the game's pauses do.
  QMetaObject::invokeMethod(
      window.get(), [&] { goOn = vandrel::Pause(*window, 5000); }, Qt::DirectConnection);
  EXPECT_FALSE(goOn);
  EXPECT_LT(t.elapsed(), 1000);
  QTest::qWait(20);
  EXPECT_FALSE(window->isVisible());
}

}  // namespace window_tests
