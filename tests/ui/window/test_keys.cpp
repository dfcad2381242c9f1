// The game without a mouse: panel keys that act only where a click would,
// the board's keyboard cursor (where it starts, Return and Escape as clicks
// on its square), and the keys of the dialogs. Keys go in through the
// window, as the keyboard delivers them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <memory>
#include <vector>

#include "tests/support/positions.h"
#include "ui/dialogs/dialog_layer.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/widgets/board_view.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/panel_widgets.h"
#include "ui/window/accessibility.h"
#include "ui/window/keyboard.h"
#include "ui/window/main_window.h"

namespace {

using vandrel::GameState;
using vandrel::HumanInput;
using vandrel::kComputer;
using vandrel::kHuman;
using vandrel::testing::Position;

struct Shown {
  int prompts = 0;
  int options = 0;
};

class CountingDialogs : public vandrel::DialogLayer {
 public:
  explicit CountingDialogs(Shown* shown) : shown_(shown) {}
  void prompt(const QString&) override { ++shown_->prompts; }
  int options(int*, bool*, bool*, bool*) override {
    ++shown_->options;
    return 1;
  }
  bool about() override { return false; }
  void plainMessage(const QString&) override {}
  void errorMessage(const QString&) override {}
  bool ask(const QString&) override { return false; }
  std::optional<std::string> askSaveFile(const QString&) override { return std::nullopt; }
  std::optional<std::string> askLoadFile(const QString&) override { return std::nullopt; }

 private:
  Shown* shown_;
};

class KeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<MainWindow>(MainWindow::Options{false, false});
    window->SetDialogs(std::make_unique<CountingDialogs>(&shown));
    window->setGeometry(0, 0, 800, 600);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  GameState& S() { return window->game().state(); }
  const vandrel::WindowControls& Controls() { return window->Controls(); }

  void Key(Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QTest::keyClick(window->windowHandle(), k, m);
  }
  void Keys(std::initializer_list<Qt::Key> keys) {
    for (Qt::Key k : keys) Key(k);
  }

  // The human's turn begins in `position` (the cursor is placed), and the
  // die shows `dice`.
  void HumanTurn(const GameState& position, int dice) {
    S() = position;
    S().GameRunning = true;
    window->game().HumanBtnClick();
    S().Dice = dice;
    S().Input = HumanInput::AwaitMove;
  }

  QPoint Cursor() { return window->keyboard().Cursor(); }

  Shown shown;
  std::unique_ptr<MainWindow> window;
};

struct CursorStart {
  const char* name;
  const char* picture;
  QPoint cursor;
};

class CursorStartTest : public KeysTest, public ::testing::WithParamInterface<CursorStart> {};

TEST_P(CursorStartTest, OnTheLowestPieceNotYetOnItsTargetRow) {
  HumanTurn(Position(GetParam().picture), 0);
  EXPECT_EQ(Cursor(), GetParam().cursor);
  EXPECT_TRUE(window->keyboard().CursorShown());
}

INSTANTIATE_TEST_SUITE_P(Keys, CursorStartTest,
                         ::testing::Values(CursorStart{"NewGame", vandrel::testing::kStartPicture,
                                                       QPoint(1, 6)},
                                           CursorStart{"PieceOneHome",
                                                       "A . . . . . . ."
                                                       ". a b c d e f ."
                                                       ". . . . . . . ."
                                                       ". . . . . . . ."
                                                       ". . . . B . . ."
                                                       ". . . . . . . ."
                                                       ". . . C D E F ."
                                                       ". . . . . . . .",
                                                       QPoint(4, 4)},
                                           CursorStart{"OnTheBaseWalk",
                                                       ". A B . . . . ."
                                                       ". a b c d e f ."
                                                       ". . . . . . . ."
                                                       ". . . . . . . C"
                                                       ". . . . . . . ."
                                                       ". . . . . . . ."
                                                       ". . . . D E F ."
                                                       ". . . . . . . .",
                                                       QPoint(7, 3)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeysTest, ReturnAndEscapeAreClicksOnTheCursorSquare) {
  HumanTurn(Position(vandrel::testing::kStartPicture), 3);
  Key(Qt::Key_Escape);  // a right click on the own piece's image would select it
  EXPECT_FALSE(S().PieceSelected);
  Key(Qt::Key_Return);  // on piece 1: selects it
  EXPECT_TRUE(S().PieceSelected);
  Key(Qt::Key_Escape);  // the right click: dropped
  EXPECT_FALSE(S().PieceSelected);
  Keys({Qt::Key_Return, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Left, Qt::Key_Left});
  EXPECT_EQ(Cursor(), QPoint(0, 3)) << "kept on the board";
  Keys({Qt::Key_Right, Qt::Key_Return});
  EXPECT_EQ(QPoint(S().piece(kHuman, 1).Col, S().piece(kHuman, 1).Row), QPoint(1, 3));
  EXPECT_FALSE(S().PieceSelected);
  EXPECT_EQ(shown.prompts, 0);
}

TEST_F(KeysTest, ReturnOnAComputerPieceIsTheRemoval) {
  const GameState s = Position(
      ". . . . . . . ."
      ". a b . d e f ."
      ". . . . . . . ."
      ". A B C D E F ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . c . . . .");
  HumanTurn(s, 3);
  Keys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Return});  // on the computer's piece 1
  EXPECT_EQ(QPoint(S().piece(kComputer, 3).Col, S().piece(kComputer, 3).Row), QPoint(0, 6));
  EXPECT_FALSE(S().TurnBusy);
}

// What a screen reader hears of the cursor's square, in the rules text's
// numbers: a piece, a stack in a base column, an empty square.
TEST(SquareNames, SpeakTheRulesNumbers) {
  GameState s = Position(vandrel::testing::kStartPicture);
  vandrel::testing::Place(s, kHuman, 1, 7, 3);
  vandrel::testing::Place(s, kHuman, 2, 7, 3);
  vandrel::testing::Place(s, kComputer, 6, 0, 5);
  const struct {
    int col, row;
    const char* name;
  } cases[] = {
      {3, 6, "Your piece, column 3, row 7"},
      {3, 1, "The computer's piece, column 3, row 2"},
      {3, 4, "Empty square, column 3, row 5"},
      {7, 3, "2 of your pieces, the right Base column, row 4"},
      {0, 5, "The computer's piece, the left Base column, row 6"},
      {7, 6, "Empty square, the right Base column, row 7"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(vandrel::SquareName(s, c.col, c.row).toStdString(), c.name) << c.name;
}

// H: the hinted piece selected, the cursor on its target, a marker on each
// square the piece may reach, painted on the screen and never into the
// game's bitmap; Return plays the move and the markers go. With the help
// off the hint still works, and nothing is marked.
TEST_F(KeysTest, HintMarksTheSquaresAndReturnPlaysIt) {
  for (bool showMoves : {true, false}) {
    HumanTurn(Position(vandrel::testing::kStartPicture), 3);
    S().ShowMoves = showMoves;
    const QImage bitmap = window->BoardBitmap().copy();
    const QImage before = window->grab().toImage();
    Key(Qt::Key_H);
    ASSERT_TRUE(S().PieceSelected) << showMoves;
    const vandrel::TPiece& x = S().piece(kHuman, S().piecespin);
    const QPoint target = Cursor();
    const QPoint at(24 + 70 * target.x() + 35, 20 + 70 * target.y() + 35);
    const auto& marks = Controls().board->marks();
    EXPECT_EQ(marks.reachable >> (target.y() * 8 + target.x()) & 1, showMoves ? 1u : 0u);
    EXPECT_EQ(window->grab().toImage().pixel(at) != before.pixel(at), showMoves);
    EXPECT_EQ(window->BoardBitmap().pixel(at - QPoint(24, 20)), bitmap.pixel(at - QPoint(24, 20)));
    const QPoint from(x.Col, x.Row);
    Key(Qt::Key_Return);
    EXPECT_FALSE(S().PieceSelected);
    EXPECT_EQ(marks, vandrel::BoardMarks{});
    EXPECT_NE(QPoint(S().piece(kHuman, S().piecespin).Col, S().piece(kHuman, S().piecespin).Row),
              from);
  }
  Key(Qt::Key_H);  // no move due: nothing
  EXPECT_FALSE(S().PieceSelected);
}

TEST_F(KeysTest, PanelKeysActOnlyWhereAClickWould) {
  // No game: "Play Game" and the die are disabled, so P and Space do nothing.
  Keys({Qt::Key_P, Qt::Key_Space, Qt::Key_D});
  EXPECT_FALSE(S().GameRunning);
  EXPECT_EQ(S().Dice, 0);
  Key(Qt::Key_M);
  EXPECT_EQ(Controls().soundButton->text(), "SFX Off");
  Key(Qt::Key_F1);
  EXPECT_TRUE(Controls().rulesViewer->isVisible());
  Key(Qt::Key_Escape);  // a click on the rules closes them
  EXPECT_FALSE(Controls().rulesViewer->isVisible());
  Key(Qt::Key_N);
  EXPECT_EQ(shown.options, 1);
  EXPECT_TRUE(Controls().playGameButton->isEnabled());
  Key(Qt::Key_N);  // "New Match" is disabled now
  EXPECT_EQ(shown.options, 1);
  EXPECT_TRUE(Controls().diceButton->toolTip().contains("Space or D"));
  Key(Qt::Key_Q, Qt::ControlModifier);
  QTest::qWait(20);
  EXPECT_FALSE(window->isVisible());
}

// The real options dialog, answered with keys. (The prompt's keys are
// tried on a real X server, in the accessibility test.)
class DialogKeysTest : public KeysTest {
 protected:
  void SetUp() override {
    KeysTest::SetUp();
    window->CreateDialogs();
  }
  // Sends the keys to the dialog once it is up and active.
  void Answer(QWidget* dialog, std::vector<Qt::Key> keys) {
    QTimer::singleShot(0, dialog, [dialog, keys] {
      if (!QTest::qWaitForWindowActive(dialog)) dialog->close();
      for (Qt::Key k : keys) QTest::keyClick(dialog->windowHandle(), k);
    });
  }
};

TEST_F(DialogKeysTest, OptionsArrowsReturnAndEscape) {
  auto* options = window->findChild<vandrel::OptionsDialog*>();
  ASSERT_NE(options, nullptr);
  int games = 1;
  bool sfx = true;
  std::vector<Qt::Key> keys(12, Qt::Key_Up);
  keys.push_back(Qt::Key_Down);
  keys.push_back(Qt::Key_Return);
  Answer(options, keys);
  EXPECT_EQ(options->Execute(&games, &sfx), vandrel::OptionsDialog::kApply);
  EXPECT_EQ(games, 9);
  Answer(options, {Qt::Key_Down, Qt::Key_Escape});
  EXPECT_EQ(options->Execute(&games, &sfx), vandrel::OptionsDialog::kCancel);
  EXPECT_EQ(games, 8);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
