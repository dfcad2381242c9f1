// The main window's test fixture: a window on the offscreen platform whose
// dialogs are answered at once and logged, driven like a player would drive
// it, with mouse events going in through the window.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/positions.h"
#include "ui/dialogs/dialog_layer.h"
#include "ui/widgets/board_view.h"
#include "ui/window/main_window.h"

namespace window_tests {

using vandrel::GameState;
using vandrel::HumanInput;
using vandrel::kComputer;
using vandrel::kHuman;
using vandrel::testing::Place;
using vandrel::testing::Position;

// Answers every dialog at once and remembers what was shown.
struct DialogLog {
  std::vector<QString> prompts;
  std::vector<QString> messages;
  int optionsShown = 0;
  int aboutShown = 0;
  bool aboutAsksRecord = false;  // the about box is left for the record
  std::vector<vandrel::PlayerRecord> recordsShown;
  bool clearRecord = false;  // the record's answer
};

class FakeDialogs : public vandrel::DialogLayer {
 public:
  explicit FakeDialogs(std::shared_ptr<DialogLog> log) : log_(std::move(log)) {}
  void prompt(const QString& text) override { log_->prompts.push_back(text); }
  int options(int*, bool*, bool*, bool*) override {
    ++log_->optionsShown;
    return 1;
  }
  bool about() override {
    ++log_->aboutShown;
    return log_->aboutAsksRecord;
  }
  bool record(const vandrel::PlayerRecord& shown) override {
    log_->recordsShown.push_back(shown);
    return log_->clearRecord;
  }
  void plainMessage(const QString& text) override { log_->messages.push_back(text); }
  void errorMessage(const QString& text) override { log_->messages.push_back(text); }
  bool ask(const QString&) override { return false; }
  std::optional<std::string> askSaveFile(const QString&) override { return std::nullopt; }
  std::optional<std::string> askLoadFile(const QString&) override { return std::nullopt; }

 private:
  std::shared_ptr<DialogLog> log_;
};

// Window coordinates of the middle of board square (col, row).
inline QPoint Square(int col, int row) { return {24 + 70 * col + 35, 20 + 70 * row + 35}; }

// The human's first move for a die value: straight up when the column is
// free, else a bend (rows 2..5 are empty at the start).
inline QPoint FirstTarget(int dice) {
  if (dice <= 4) return Square(1, 6 - dice);
  return dice == 5 ? Square(2, 2) : Square(1, 2);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(MainWindow::Options{false, false}); }

  void Open(MainWindow::Options options, QSize size = QSize(800, 600)) {
    window = std::make_unique<MainWindow>(options);
    window->SetDialogs(std::make_unique<FakeDialogs>(log));
    window->SetRandomSeed(7);
    window->setGeometry(QRect(QPoint(0, 0), size));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  GameState& S() { return window->game().state(); }
  const vandrel::WindowControls& Controls() { return window->Controls(); }

  // The human's move is due: the die shows `dice`, the board is unlocked.
  void HumanToMove(const GameState& position, int dice) {
    S() = position;
    S().Dice = dice;
    S().GameRunning = true;
    S().TurnBusy = true;
    S().SetTeam(kHuman);
    S().Input = HumanInput::AwaitMove;
    window->UnlockBoard();
    window->RedrawPieces(S());
  }
  void HumanToMove(int dice) { HumanToMove(Start(), dice); }

  static GameState Start() { return Position(vandrel::testing::kStartPicture); }

  // Mouse events go to the window, which delivers them to the control under
  // the pointer.
  void Press(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseClick(window->windowHandle(), b, {}, at);
  }
  void MoveTo(QPoint at) { QTest::mouseMove(window->windowHandle(), at); }

  QWidget* Under(QPoint at) { return window->Client()->childAt(at); }

  // The cell the frame is on, read from the bitmap: the one cell whose
  // outline differs from the board picture. (-1, -1) when there is none.
  QPoint FrameCell() {
    QPoint found(-1, -1);
    for (int r = 0; r < 8; ++r)
      for (int c = 0; c < 8; ++c)
        if (window->BoardBitmap().pixel(70 * c + 1, 70 * r + 35) !=
            board.pixel(70 * c + 1, 70 * r + 35)) {
          if (found.x() >= 0) return {-2, -2};  // two frames
          found = {c, r};
        }
    return found;
  }

  QColor PixelAt(QPoint at) { return window->grab().toImage().pixelColor(at); }

  std::shared_ptr<DialogLog> log = std::make_shared<DialogLog>();
  std::unique_ptr<MainWindow> window;
  QImage board;  // the bitmap with no frame, taken by the tests that need it
};

}  // namespace window_tests
