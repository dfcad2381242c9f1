// The Qt side of the presentation seam: the window draws what the game tells
// it, runs the dialogs, plays the sounds, keeps the clock and the random
// source, and waits with a nested event loop. The game's texts come across in
// English and are shown in the player's language (ui/window/game_text.h).
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "ui/dialogs/dialog_layer.h"
#include "ui/sound/sound_module.h"
#include "ui/widgets/board_view.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/panel_widgets.h"
#include "ui/window/accessibility.h"
#include "ui/window/developer_panel.h"
#include "ui/window/game_text.h"
#include "ui/window/kept_settings.h"
#include "ui/window/keyboard.h"
#include "ui/window/main_window.h"
#include "ui/window/window_builder.h"

// --- The board and the side panel ---------------------------------------------------------

namespace {

// A modal dialog counts as a handler running: a close asked for meanwhile
// waits until it has returned.
class ShowingDialog {
 public:
  ShowingDialog(QWidget& window, int& depth) : window_(window), depth_(depth) { ++depth_; }
  // The keys go back to the window: without a window manager (and with some
  // managers) nothing else gives it the focus once a dialog has gone.
  ~ShowingDialog() {
    --depth_;
    if (window_.isVisible()) window_.activateWindow();
  }
  ShowingDialog(const ShowingDialog&) = delete;
  ShowingDialog& operator=(const ShowingDialog&) = delete;

 private:
  QWidget& window_;
  int& depth_;
};

}  // namespace

void MainWindow::redrawPieces(const vandrel::GameState& s) {
  for (int i = 1; i <= 12; ++i) {
    const vandrel::TPiece& x =
        i <= 6 ? s.piece(vandrel::kComputer, i) : s.piece(vandrel::kHuman, i - 6);
    controls_.pieces[static_cast<size_t>(i)]->place(x.Col, x.Row);
  }
  for (int side = 0; side < 2; ++side) {
    const int team = side == 0 ? vandrel::kComputer : vandrel::kHuman;
    const int col = vandrel::BaseColOf(team);
    auto& labels = side == 0 ? controls_.leftStackHeights : controls_.rightStackHeights;
    for (int n = 1; n <= 6; ++n) {
      int count = 0;
      for (int p = 1; p <= vandrel::kPiecesPerTeam; ++p) {
        const vandrel::TPiece& x = s.piece(team, p);
        if (x.Col == col && x.Row == n) ++count;
      }
      QLabel* label = labels[static_cast<size_t>(n)];
      if (count >= 2) {
        label->setText(QString::number(count));
        label->adjustSize();
        label->show();
      } else {
        label->hide();
      }
    }
  }
  controls_.humanBonus->setText(QString::number(s.Bonus[vandrel::kHuman]));
  controls_.computerBonus->setText(QString::number(s.Bonus[vandrel::kComputer]));
}

void MainWindow::resetSprites(const vandrel::GameState& s) {
  for (int i = 1; i <= 12; ++i) {
    const bool human = i > 6;
    controls_.pieces[static_cast<size_t>(i)]->place(
        human ? i - 6 : i, vandrel::StartRowOf(human ? vandrel::kHuman : 0));
  }
  showScores(s.Score[vandrel::kComputer], s.Score[vandrel::kHuman]);
  setBoardEnabled(false);
}

void MainWindow::setBoardEnabled(bool on) {
  controls_.board->setEnabled(on);
  for (int i = 1; i <= 12; ++i) controls_.pieces[static_cast<size_t>(i)]->setEnabled(on);
}

void MainWindow::setHumanPiecesEnabled(bool on) {
  for (int i = 7; i <= 12; ++i) controls_.pieces[static_cast<size_t>(i)]->setEnabled(on);
}

void MainWindow::invertFrame(int x, int y) { controls_.board->invertFrame(x, y); }

void MainWindow::showMarks(const vandrel::BoardMarks& marks) { controls_.board->setMarks(marks); }

void MainWindow::placeCursor(int col, int row) { keys_->PlaceCursor(col, row); }

void MainWindow::announce(const vandrel::Said& said) { access_->Announce(vandrel::GameText(said)); }

void MainWindow::setButtonEnabled(vandrel::Button b, bool on) {
  switch (b) {
    case vandrel::Button::Dice:
      controls_.diceButton->setEnabled(on);
      break;
    case vandrel::Button::PlayGame:
      controls_.playGameButton->setEnabled(on);
      break;
    case vandrel::Button::NewMatch:
      controls_.newMatchButton->setEnabled(on);
      break;
    case vandrel::Button::Load:
      controls_.loadButton->setEnabled(on);
      break;
  }
}

void MainWindow::showDie(int value) {
  controls_.die->setText(value > 0 ? QString::number(value) : QString());
  access_->ShowDie(value);
}

void MainWindow::setDieEnabled(bool on) { controls_.die->setEnabled(on); }

void MainWindow::showTurnArrow(int team) {
  controls_.humanTurnArrow->setVisible(team == vandrel::kHuman);
  controls_.computerTurnArrow->setVisible(team == vandrel::kComputer);
  if (team == vandrel::kHuman) keys_->PlaceCursorForTurn(game_.state());
}

void MainWindow::setBonusPanelVisible(bool on) {
  controls_.bonusPanel->setVisible(on);
  // The panel covers the match scores; their last digit would peek out.
  controls_.computerMatchScore->setVisible(!on);
  controls_.humanMatchScore->setVisible(!on);
}

void MainWindow::showScores(int computer, int human) {
  controls_.computerMatchScore->setText(QString::number(computer));
  controls_.humanMatchScore->setText(QString::number(human));
}

void MainWindow::setSfxCaption(bool on) {
  controls_.soundButton->setText(vandrel::SoundButtonCaption(on));
  controls_.soundButton->update();
}

// --- The developer views --------------------------------------------------------------------

void MainWindow::setGridCell(int col, int row, char letter) {
  developer_->setGridCell(col, row, letter);
}

void MainWindow::dumpPiece(int team, int piece, const vandrel::TPiece& p) {
  developer_->dumpPiece(team, piece, p);
}

void MainWindow::showCandidates(const vandrel::GameState& s) { developer_->showCandidates(s); }

void MainWindow::showMoveRequest(const vandrel::GameState& s) { developer_->showMoveRequest(s); }

// --- Sounds and dialogs ---------------------------------------------------------------------

void MainWindow::playSfx(vandrel::Sound snd) {
  if (!sfx_) return;
  sfx_->start(snd);
  const int ms = sfx_->lengthMs(snd);
  if (ms > 0) waitUntil(now() + ms);
}

void MainWindow::showPrompt(std::string_view text) {
  if (!dialogs_) return;
  ShowingDialog showing(*this, depth_);
  dialogs_->prompt(vandrel::GameText(text));
}

bool MainWindow::askQuestion(std::string_view text) {
  if (!dialogs_) return false;
  ShowingDialog showing(*this, depth_);
  return dialogs_->ask(vandrel::GameText(text)) && !closing_;
}

void MainWindow::messageBox(std::string_view text) {
  if (!dialogs_) return;
  ShowingDialog showing(*this, depth_);
  dialogs_->plainMessage(vandrel::GameText(text));
}

void MainWindow::errorBox(std::string_view text) {
  if (!dialogs_) return;
  ShowingDialog showing(*this, depth_);
  dialogs_->errorMessage(vandrel::GameText(text));
}

int MainWindow::showOptions(vandrel::GameState& s) {
  if (!dialogs_) return vandrel::kOptionsCancel;
  bool strong = s.Level == vandrel::ComputerLevel::Strong;
  bool showMoves = s.ShowMoves;
  int answer;
  {
    ShowingDialog showing(*this, depth_);
    answer = dialogs_->options(&s.GamesPerMatch, &s.SfxOn, &strong, &showMoves);
  }
  if (answer == vandrel::kOptionsApply) {
    s.Level = strong ? vandrel::ComputerLevel::Strong : vandrel::ComputerLevel::Classic;
    s.ShowMoves = showMoves;
    if (!closing_) settings_->KeepGame(s);
  }
  return closing_ ? vandrel::kOptionsCancel : answer;
}

std::optional<std::string> MainWindow::askSaveFileName() {
  if (!dialogs_) return std::nullopt;
  std::optional<std::string> name;
  {
    ShowingDialog showing(*this, depth_);
    name = dialogs_->askSaveFile(settings_->LastFolder());
  }
  if (closing_) return std::nullopt;
  if (name) settings_->KeepLastFolder(*name);
  return name;
}

std::optional<std::string> MainWindow::askOpenFileName() {
  if (!dialogs_) return std::nullopt;
  std::optional<std::string> name;
  {
    ShowingDialog showing(*this, depth_);
    name = dialogs_->askLoadFile(settings_->LastFolder());
  }
  if (closing_) return std::nullopt;
  if (name) settings_->KeepLastFolder(*name);
  return name;
}

// --- The waits, the clock and the random source ----------------------------------------------

bool MainWindow::processMessages() {
  if (closing_) return false;
  QCoreApplication::processEvents();
  return !closing_;
}

bool MainWindow::waitForEvent() {
  if (closing_) return false;
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return !closing_;
}

bool MainWindow::waitUntil(int64_t deadlineMs) {
  while (!closing_) {
    const int64_t left = deadlineMs - now();
    if (left <= 0) break;
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, [&loop] { loop.exit(0); });
    timer.start(static_cast<int>(std::min<int64_t>(left, 1 << 30)));
    loops_.push_back(&loop);
    const int rc = loop.exec();
    loops_.erase(std::find(loops_.begin(), loops_.end(), &loop));
    // exec answers at once once the application is quitting: leave then.
    if (rc != 0) {
      if (!closing_) {
        closing_ = true;
        game_.SpeedButton1Click();
      }
      break;
    }
  }
  CloseWhenUnwound();
  return !closing_;
}

int64_t MainWindow::now() { return clock_.elapsed(); }

int MainWindow::random(int n) {
  if (n <= 1) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(rng_);
}

void MainWindow::reseed() {
  if (fixedSeed_) return;  // tests keep one sequence
  rng_.seed(
      static_cast<uint32_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}
