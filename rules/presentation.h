// The one seam between the game logic and everything outside it: the screen,
// the sounds, the dialogs, the clock, the random source and the event queue.
//
// The game logic calls the public, non-virtual operations. Each forwards to a
// protected virtual that an implementation provides: the Qt window in the
// program, a recording fake and a scripted player in the tests, a silent one
// in the self-play tool.
//
// Quitting. Once the program is leaving (the window is closing), every wait
// returns false, and from then on nothing more is drawn, played or shown: the
// forwarding operations drop the calls. Handlers further down the call stack
// check the waits' results where they loop, and so unwind quickly.
//
// Waiting. The three waits are the only places where user input is handled,
// nested inside the game logic:
//  - ProcessMessages() handles whatever is pending and returns at once;
//  - WaitForEvent() blocks until at least one event has been handled;
//  - WaitUntil(deadline) handles events until the clock reaches deadline.
// None of them may poll in a busy loop.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "rules/said.h"
#include "rules/state.h"

namespace vandrel {

enum class Sound { DICE, ENDROW, LOSE, MOVE, POP, WIN };
constexpr int kSoundCount = 6;
// The sound's resource name. Inline, so the sound module has it too.
constexpr const char* SoundName(Sound s) {
  switch (s) {
    case Sound::DICE:
      return "DICE";
    case Sound::ENDROW:
      return "ENDROW";
    case Sound::LOSE:
      return "LOSE";
    case Sound::MOVE:
      return "MOVE";
    case Sound::POP:
      return "POP";
    case Sound::WIN:
      return "WIN";
  }
  return "";
}

enum class Button { Dice, PlayGame, NewMatch, Load };

// The mouse button of a click on the board or a piece.
enum class MouseButton { Left, Right, Middle };
constexpr int kButtonCount = 4;

// The help at the board, one bit per square (bit row * 8 + col): where the
// selected piece may go, the computer's piece the removal would send back,
// and the squares of the computer's last move.
struct BoardMarks {
  uint64_t reachable = 0;
  uint64_t removal = 0;
  uint64_t lastMove = 0;
  bool operator==(const BoardMarks&) const = default;
};

constexpr int kOptionsApply = 1;
constexpr int kOptionsCancel = 2;

class Presentation {
 public:
  virtual ~Presentation() = default;

  // --- Board view ---------------------------------------------------------
  void RedrawPieces(const GameState& s) {
    if (live()) redrawPieces(s);
  }
  // Pieces on their start squares, the match scores shown, then LockBoard.
  void ResetSprites(const GameState& s) {
    if (live()) resetSprites(s);
  }
  void LockBoard() {
    if (live()) setBoardEnabled(false);
  }
  void UnlockBoard() {
    if (live()) setBoardEnabled(true);
  }
  void SetHumanPiecesEnabled(bool on) {
    if (live()) setHumanPiecesEnabled(on);
  }
  // Inverts the 70 x 70 selection frame whose top-left corner is at board
  // (x, y); inverting twice restores the board.
  void InvertFrame(int x, int y) {
    if (live()) invertFrame(x, y);
  }

  // The markers of the help at the board; all zero clears them. They are
  // drawn over the board picture and under the pieces.
  void ShowMarks(const BoardMarks& marks) {
    if (live()) showMarks(marks);
  }
  // Puts the keyboard cursor on square (col, row), where Return clicks.
  void PlaceCursor(int col, int row) {
    if (live()) placeCursor(col, row);
  }
  // Tells a screen reader one short sentence at once, as an alert.
  void Announce(const Said& said) {
    if (live() && !said.empty()) announce(said);
  }

  // --- Side panel ---------------------------------------------------------
  void SetButtonEnabled(Button b, bool on) {
    wanted_[static_cast<int>(b)] = on;
    const bool held = holdGameButtons_ && (b == Button::PlayGame || b == Button::Load);
    if (live()) setButtonEnabled(b, on && !held);
  }
  // While a game is being played a click on "Play Game" or "Load" does
  // nothing, so they show disabled whatever the game sets; released (when
  // the game ends), they show the state last set.
  void HoldGameButtons(bool hold) {
    holdGameButtons_ = hold;
    SetButtonEnabled(Button::PlayGame, wanted_[static_cast<int>(Button::PlayGame)]);
    SetButtonEnabled(Button::Load, wanted_[static_cast<int>(Button::Load)]);
  }
  void ShowDie(int value) {
    if (live()) showDie(value);
  }  // 0 blanks it
  void SetDieEnabled(bool on) {
    if (live()) setDieEnabled(on);
  }
  // Shows the arrow of the side to move and hides the other one.
  void ShowTurnArrow(int team) {
    if (live()) showTurnArrow(team);
  }
  void SetBonusPanelVisible(bool on) {
    if (live()) setBonusPanelVisible(on);
  }
  void ShowScores(int computer, int human) {
    if (live()) showScores(computer, human);
  }
  void SetSfxCaption(bool on) {
    if (live()) setSfxCaption(on);
  }

  // --- Developer views ----------------------------------------------------
  // 'X' for team 0, 'Y' for team 1, ' ' blanks the cell.
  void SetGridCell(int col, int row, char letter) {
    if (live()) setGridCell(col, row, letter);
  }
  void DumpPiece(int team, int piece, const TPiece& p) {
    if (live()) dumpPiece(team, piece, p);
  }
  void ShowCandidates(const GameState& s) {
    if (live()) showCandidates(s);
  }
  void ShowMoveRequest(const GameState& s) {
    if (live()) showMoveRequest(s);
  }

  // --- Sounds and modal dialogs -------------------------------------------
  // Plays one sound and returns when it has ended.
  void PlaySfx(Sound snd);
  // The texts of the prompts and message boxes are English, marked for
  // translation (rules/translation_marks.h); the window says them in the
  // player's language, the trace keeps them English.
  //
  // Shows one message in the prompt dialog and returns when it is closed.
  void ShowPrompt(std::string_view text);
  // Asks a question in the prompt dialog, traced as a prompt: true for
  // "Yes", false for "No" (and whenever the program is leaving).
  bool AskQuestion(std::string_view text);
  // A plain message box titled "Vandrel", no icon, one OK.
  void MessageBox(std::string_view text) {
    if (live()) messageBox(text);
  }
  // An error box titled "Vandrel" with an error icon and one OK.
  void ErrorBox(std::string_view text) {
    if (live()) errorBox(text);
  }
  // The options dialog: it changes GamesPerMatch as the arrows are pressed,
  // and SfxOn and Level on Apply. Answers kOptionsApply or kOptionsCancel.
  int ShowOptions(GameState& s) { return live() ? showOptions(s) : kOptionsCancel; }
  std::optional<std::string> AskSaveFileName() { return live() ? askSaveFileName() : std::nullopt; }
  std::optional<std::string> AskOpenFileName() { return live() ? askOpenFileName() : std::nullopt; }

  // --- Event queue and clock ----------------------------------------------
  bool ProcessMessages() { return live() && keep(processMessages()); }
  bool WaitForEvent() { return live() && keep(waitForEvent()); }
  bool WaitUntil(int64_t deadlineMs) { return live() && keep(waitUntil(deadlineMs)); }
  // A monotonic millisecond clock.
  int64_t Now() { return now(); }

  // --- Random source ------------------------------------------------------
  // A uniform whole number 0..n-1.
  int Random(int n) { return random(n); }
  // Seeds the generator afresh (from the clock, in the program).
  void Reseed() { reseed(); }

  // --- Trace --------------------------------------------------------------
  // One line per game event, written to the trace stream when one is set.
  void Trace(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
  void SetTraceStream(std::FILE* f) { trace_ = f; }

  bool Quitting() const { return quitting_; }
  // The program is leaving: every wait returns false from now on.
  void Quit() { quitting_ = true; }

 protected:
  virtual void redrawPieces(const GameState& s) = 0;
  virtual void resetSprites(const GameState& s) = 0;
  virtual void setBoardEnabled(bool on) = 0;
  virtual void setHumanPiecesEnabled(bool on) = 0;
  virtual void invertFrame(int x, int y) = 0;
  // The help at the board: nothing shows where these are not overridden.
  virtual void showMarks(const BoardMarks&) {}
  virtual void placeCursor(int, int) {}
  virtual void announce(const Said&) {}
  virtual void setButtonEnabled(Button b, bool on) = 0;
  virtual void showDie(int value) = 0;
  virtual void setDieEnabled(bool on) = 0;
  virtual void showTurnArrow(int team) = 0;
  virtual void setBonusPanelVisible(bool on) = 0;
  virtual void showScores(int computer, int human) = 0;
  virtual void setSfxCaption(bool on) = 0;
  virtual void setGridCell(int col, int row, char letter) = 0;
  virtual void dumpPiece(int team, int piece, const TPiece& p) = 0;
  virtual void showCandidates(const GameState& s) = 0;
  virtual void showMoveRequest(const GameState& s) = 0;
  virtual void playSfx(Sound snd) = 0;
  virtual void showPrompt(std::string_view text) = 0;
  // Only the window asks questions; elsewhere the answer is "No".
  virtual bool askQuestion(std::string_view) { return false; }
  virtual void messageBox(std::string_view text) = 0;
  virtual void errorBox(std::string_view text) = 0;
  virtual int showOptions(GameState& s) = 0;
  virtual std::optional<std::string> askSaveFileName() = 0;
  virtual std::optional<std::string> askOpenFileName() = 0;
  // The waits answer false when the program is leaving.
  virtual bool processMessages() = 0;
  virtual bool waitForEvent() = 0;
  virtual bool waitUntil(int64_t deadlineMs) = 0;
  virtual int64_t now() = 0;
  virtual int random(int n) = 0;
  virtual void reseed() = 0;

 private:
  bool live() const { return !quitting_; }
  bool keep(bool goOn) {
    if (!goOn) quitting_ = true;
    return !quitting_;
  }

  bool quitting_ = false;
  std::FILE* trace_ = nullptr;
  bool wanted_[kButtonCount] = {};
  bool holdGameButtons_ = false;
};

// A presentation that shows nothing and never waits: its clock jumps to each
// deadline. The self-play tool and many tests build on it.
class SilentPresentation : public Presentation {
 public:
  explicit SilentPresentation(uint64_t seed = 1) : rng_(seed ? seed : 1) {}

 protected:
  void redrawPieces(const GameState&) override {}
  void resetSprites(const GameState&) override {}
  void setBoardEnabled(bool) override {}
  void setHumanPiecesEnabled(bool) override {}
  void invertFrame(int, int) override {}
  void setButtonEnabled(Button, bool) override {}
  void showDie(int) override {}
  void setDieEnabled(bool) override {}
  void showTurnArrow(int) override {}
  void setBonusPanelVisible(bool) override {}
  void showScores(int, int) override {}
  void setSfxCaption(bool) override {}
  void setGridCell(int, int, char) override {}
  void dumpPiece(int, int, const TPiece&) override {}
  void showCandidates(const GameState&) override {}
  void showMoveRequest(const GameState&) override {}
  void playSfx(Sound) override {}
  void showPrompt(std::string_view) override {}
  void messageBox(std::string_view) override {}
  void errorBox(std::string_view) override {}
  int showOptions(GameState&) override { return kOptionsApply; }
  std::optional<std::string> askSaveFileName() override { return std::nullopt; }
  std::optional<std::string> askOpenFileName() override { return std::nullopt; }
  bool processMessages() override { return true; }
  bool waitForEvent() override { return true; }
  bool waitUntil(int64_t deadlineMs) override {
    if (deadlineMs > clock_) clock_ = deadlineMs;
    return true;
  }
  int64_t now() override { return clock_; }
  int random(int n) override;
  void reseed() override {}

  int64_t clock_ = 0;
  uint64_t rng_;
};

// Waits ms milliseconds while events keep being handled. False when the
// program is leaving.
bool Pause(Presentation& ui, int ms);

}  // namespace vandrel
