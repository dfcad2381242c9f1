// The main window: the board with its twelve piece images, the side panel,
// the rules viewer and, in developer mode, the developer controls; and the Qt
// side of the game's presentation seam (drawing, sounds, dialogs, the clock
// and the waits, in ui/window/main_window_presentation.cpp).
//
// Layout. Every control has its place in an 800 x 600 layout (`Client`),
// scaled uniformly to the largest size that fits the window and centred in
// it (ui/widgets/layout_scale.h); the window shows the strip picture stretched over
// itself around it. Full screen, the window is frameless and fills the
// screen; with --window it is an ordinary window, and F11 switches between
// the two. The developer controls, shown only in developer mode, lie below
// and right of the 800 x 600 area, which then grows to hold them.
//
// Waiting and leaving. The game loop and its pauses run nested inside the
// button and mouse handlers. Closing the window while any of them runs (by
// "Bye!", the desktop, or a quit signal) tells the game to quit, ends the
// running waits and dialogs and closes the window for real once the last
// handler has returned.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "control/game.h"
#include "rules/presentation.h"
#include "ui/widgets/layout_scale.h"
#include "ui/window/window_controls.h"

class QEventLoop;

namespace vandrel {
class Accessibility;
class DeveloperPanel;
class DialogLayer;
class Keyboard;
class KeptSettings;
class MatchMemory;
class SoundOutput;
class StripPainter;
class WindowMode;
}  // namespace vandrel

class MainWindow : public QWidget, public vandrel::Presentation {
  Q_OBJECT

 public:
  struct Options {
    bool developer = false;  // show the developer controls
    bool sound = true;       // load the sound effects
    bool windowed = false;   // --window: in a window, the screen mode left alone
    // Keep the settings, the record and the unfinished match under the XDG
    // folders (the program); without it nothing is read or written (tests).
    bool keepFiles = false;
    // Offer the match an earlier run left unfinished, once started.
    bool offerUnfinished = false;
    // The player's language ("de", "pt_BR"; empty for English), for the rules
    // text. The translations themselves are the application's
    // (ui/language/translations.h).
    QString language = {};
  };

  // Runs the window's part of the program's start-up, game.FormCreate included.
  explicit MainWindow(Options options);
  MainWindow();
  ~MainWindow() override;

  vandrel::Game& game() { return game_; }
  // The record and the unfinished match, and the player's settings.
  vandrel::MatchMemory& Memory() { return *memory_; }
  vandrel::KeptSettings& Settings() { return *settings_; }
  vandrel::Keyboard& keyboard() { return *keys_; }
  // The board, the side panel and the rules viewer.
  const vandrel::WindowControls& Controls() const { return controls_; }
  // The developer controls (made in developer mode only) and the memo.
  vandrel::DeveloperPanel& Developer() { return *developer_; }

  // Starts a game from a saved game, as "Load" does with that file chosen
  // (a saved game named on the command line).
  void OpenSavedGame(const QString& path);

  // Creates the prompt, the options dialog and the about box, in that order.
  // Done by the start-up after the first paint, when not called before.
  void CreateDialogs();
  // Puts another dialog layer in place (tests answer the dialogs themselves).
  void SetDialogs(std::unique_ptr<vandrel::DialogLayer> dialogs);

  // Shows the window as the options ask: an 800 x 600 window, or full screen
  // with the game's screen mode where the screen has one that gives 800 x 600
  // layout pixels (the layout is scaled otherwise). F11 switches between the
  // two (ui/window/window_mode.h).
  void ShowOnScreen();
  // The layout's current scale.
  const vandrel::LayoutScale& LayoutScale() const { return scaler_.scale(); }

  // The client area holding the 800 x 600 layout.
  QWidget* Client() const { return client_; }
  const QImage& BoardBitmap() const;
  bool DeveloperMode() const { return options_.developer; }

  // A fixed seed for the die, in place of the clock (tests).
  void SetRandomSeed(uint32_t seed);

  // --- Handlers of the window's own controls --------------------------------
  void FormPaint(QPaintEvent* event);
  void SpeedButton1Click();   // "Bye!"
  void SpeedButton2Click();   // "Rules"
  void SpeedButton5Click();   // "?"
  void RichEdit1MouseDown();  // a click on the rules
  // The player's record (key R, or "Record" in the about box); cleared when
  // the player asks for it there.
  void ShowRecord();

 protected:
  // --- The presentation seam ----------------------------------------------------
  void redrawPieces(const vandrel::GameState& s) override;
  void resetSprites(const vandrel::GameState& s) override;
  void setBoardEnabled(bool on) override;
  void setHumanPiecesEnabled(bool on) override;
  void invertFrame(int x, int y) override;
  void showMarks(const vandrel::BoardMarks& marks) override;
  void placeCursor(int col, int row) override;
  void announce(const vandrel::Said& said) override;
  void setButtonEnabled(vandrel::Button b, bool on) override;
  void showDie(int value) override;
  void setDieEnabled(bool on) override;
  void showTurnArrow(int team) override;
  void setBonusPanelVisible(bool on) override;
  void showScores(int computer, int human) override;
  void setSfxCaption(bool on) override;
  void setGridCell(int col, int row, char letter) override;
  void dumpPiece(int team, int piece, const vandrel::TPiece& p) override;
  void showCandidates(const vandrel::GameState& s) override;
  void showMoveRequest(const vandrel::GameState& s) override;
  void playSfx(vandrel::Sound snd) override;
  void showPrompt(std::string_view text) override;
  bool askQuestion(std::string_view text) override;
  void messageBox(std::string_view text) override;
  void errorBox(std::string_view text) override;
  int showOptions(vandrel::GameState& s) override;
  std::optional<std::string> askSaveFileName() override;
  std::optional<std::string> askOpenFileName() override;
  bool processMessages() override;
  bool waitForEvent() override;
  bool waitUntil(int64_t deadlineMs) override;
  int64_t now() override;
  int random(int n) override;
  void reseed() override;

  // --- Qt events ------------------------------------------------------------------
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Wires the controls to their handlers.
  void ConnectControls();
  // What the first picture of the window can do without: the dialogs (unless
  // some are in place already), the rules text, the sounds, the "Bye!" glyph
  // and the window icon. Done right after the first paint, or before the
  // first handler runs if that comes sooner.
  void FinishStartUp();
  void PlaceClient();
  QSize LayoutSize() const;

  // Runs a handler of the game. Handlers nest (the game loop lets clicks run
  // inside it); when the outermost one returns and the window was asked to
  // close meanwhile, the window closes.
  template <class F>
  void Run(F&& handler);
  // Closes the window (soon) once it was asked to and nothing runs any more.
  void CloseWhenUnwound();
  // Ends the waits and the modal dialogs that are running.
  void UnwindWaits();

  Options options_;
  std::unique_ptr<vandrel::KeptSettings> settings_;
  std::unique_ptr<vandrel::MatchMemory> memory_;
  vandrel::Game game_;
  vandrel::WindowControls controls_;
  std::unique_ptr<vandrel::DeveloperPanel> developer_;
  std::unique_ptr<vandrel::DialogLayer> dialogs_;
  std::unique_ptr<vandrel::SoundOutput> sfx_;
  std::unique_ptr<vandrel::Accessibility> access_;
  std::unique_ptr<vandrel::Keyboard> keys_;

  QElapsedTimer clock_;
  std::mt19937 rng_;
  std::optional<uint32_t> fixedSeed_;

  int depth_ = 0;                   // handlers of the game running, nested
  bool closing_ = false;            // the window was asked to close
  bool closeQueued_ = false;        // the real close is on its way
  std::vector<QEventLoop*> loops_;  // the pauses running, innermost last
  bool tracedShown_ = false;
  bool startUpFinished_ = false;

  QImage strip_;
  std::unique_ptr<vandrel::StripPainter> background_;
  QWidget* client_ = nullptr;
  vandrel::LayoutScaler scaler_;
  QString rulesText_;  // the rules' resource in the player's language
  bool rulesLoaded_ = false;
  std::unique_ptr<vandrel::WindowMode> windowMode_;
};
