// The main window: the board with its twelve piece images, the side panel,
// the rules viewer and the developer controls, and the Qt side of the game's
// presentation seam (drawing, sounds, dialogs, the clock and the waits).
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
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "control/game.h"
#include "rules/presentation.h"
#include "ui/widgets/layout_scale.h"

class QEventLoop;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTextEdit;

namespace vandrel {
class Accessibility;
class BoardView;
class Bevel;
class ColumnCaption;
class DialogLayer;
class DieDisplay;
class Keyboard;
class PanelButton;
class PictureFill;
class PieceImage;
class SoundOutput;
class StripPainter;
class TurnArrow;
class WindowMode;
}  // namespace vandrel

class TForm1 : public QWidget, public vandrel::Presentation {
  Q_OBJECT

 public:
  struct Options {
    bool developer = false;  // show the developer controls
    bool sound = true;       // load the sound effects
    bool windowed = false;   // --window: in a window, the screen mode left alone
  };

  // The size of the game's client area, and of the area with the developer
  // controls.
  static constexpr int kClientWidth = 800;
  static constexpr int kClientHeight = 600;
  static constexpr int kDeveloperWidth = 1430;
  static constexpr int kDeveloperHeight = 720;

  // Runs the window's part of the program's start-up, game.FormCreate included.
  explicit TForm1(Options options);
  TForm1();
  ~TForm1() override;

  vandrel::Game& game() { return game_; }
  vandrel::Keyboard& keyboard() { return *keys_; }

  // Starts a game from a saved game, as "Load" does with that file chosen
  // (a saved game named on the command line).
  void OpenSavedGame(const QString& path);

  // Starts decoding the board and strip pictures, then reading the font
  // configuration, on a thread of its own, so that both are ready when the
  // window is made. Call it first thing in main, before the QApplication
  // (which takes a while to set up).
  static void Preload();

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
  // DumpPiece's eleven lines, kept whether or not the memo is shown.
  QStringList MemoLines() const { return memoLines_; }
  bool DeveloperMode() const { return options_.developer; }

  // A fixed seed for the die, in place of the clock (tests).
  void SetRandomSeed(uint32_t seed);

  // The screen mode found at start-up.
  int SavedWidth = 0;
  int SavedHeight = 0;
  int SavedBpp = 0;

  // --- Handlers of the window's own controls --------------------------------
  void FormPaint(QPaintEvent* event);
  void SpeedButton1Click();  // "Bye!"
  void SpeedButton2Click();  // "Rules"
  void SpeedButton5Click();  // "?"
  void RichEdit1MouseDown();
  void teamspinChange();
  void piecespinChange();
  void MoveBtnClick();
  void SpeedButton3Click();  // "Refresh"

 protected:
  // --- The presentation seam ----------------------------------------------------
  void redrawPieces(const vandrel::GameState& s) override;
  void resetSprites(const vandrel::GameState& s) override;
  void setBoardEnabled(bool on) override;
  void setHumanPiecesEnabled(bool on) override;
  void invertFrame(int x, int y) override;
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
  void BuildBoard(const QImage& picture);
  void BuildPanel();
  void BuildRulesViewer();
  void BuildDeveloperControls();
  void LoadRulesText(const char* name);
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
  vandrel::Game game_;
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
  bool syncing_ = false;  // the developer editors are being set from the game
  QStringList memoLines_;

  QImage strip_;
  std::unique_ptr<vandrel::StripPainter> background_;
  QWidget* client_ = nullptr;
  vandrel::LayoutScaler scaler_;
  bool rulesLoaded_ = false;
  std::unique_ptr<vandrel::WindowMode> windowMode_;

 public:
  // --- Controls, by their form names ----------------------------------------------
  vandrel::BoardView* bgpic = nullptr;
  // pc[1..6]: the computer's pieces 1..6 (pc1..pc6); pc[7..12]: the human's.
  std::array<vandrel::PieceImage*, 13> pc{};
  std::array<QLabel*, 7> LeftStackLabels{};
  std::array<QLabel*, 7> RightStackLabels{};
  vandrel::ColumnCaption* Label2 = nullptr;
  vandrel::ColumnCaption* Label9 = nullptr;
  QTextEdit* RichEdit1 = nullptr;

  vandrel::PictureFill* Panel1 = nullptr;
  QLabel* Label11 = nullptr;
  vandrel::Bevel* Bevel3 = nullptr;
  vandrel::TurnArrow* humarrow = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Play2 = nullptr;
  vandrel::Bevel* Bevel1 = nullptr;
  vandrel::TurnArrow* comparrow = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Play1 = nullptr;
  vandrel::Bevel* Bevel2 = nullptr;
  QWidget* BonusPanel = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* bonuslabel1 = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* bonuslabel2 = nullptr;
  vandrel::PanelButton* SpeedButton2 = nullptr;
  vandrel::PanelButton* SpeedButton5 = nullptr;
  vandrel::PanelButton* DiceBtn = nullptr;
  vandrel::DieDisplay* dice = nullptr;
  vandrel::PanelButton* NewBtn = nullptr;
  vandrel::PanelButton* sfxBtn = nullptr;
  vandrel::PanelButton* SpeedButton4 = nullptr;
  vandrel::PanelButton* LoadBtn = nullptr;
  vandrel::PanelButton* MatchBtn = nullptr;
  vandrel::PanelButton* SpeedButton1 = nullptr;

  // Developer controls (developer mode only).
  QSpinBox* teamspin = nullptr;
  QSpinBox* piecespin = nullptr;
  QSpinBox* spin1 = nullptr;
  QSpinBox* spin2 = nullptr;
  QPushButton* MoveBtn = nullptr;
  QPushButton* SpeedButton3 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QTableWidget* SG = nullptr;
  QTableWidget* sg2 = nullptr;
};
