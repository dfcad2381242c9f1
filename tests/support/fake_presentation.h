// A recording presentation with a fake clock, and a scripted player that
// acts whenever the game waits. Tests drive the real handlers through them.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "control/game.h"
#include "rules/presentation.h"
#include "tools/selfplay/players.h"

namespace vandrel::testing {

enum class WaitKind { Pump, Event, Deadline, Sound };

class FakePresentation : public Presentation {
 public:
  explicit FakePresentation(uint32_t seed = 1) : rng_(seed) {}

  // Every call that reached the presentation, in order ("sound MOVE",
  // "prompt You can't move there!", "redraw", "frame 210 280", ...).
  std::vector<std::string> calls;
  // The calls that start with prefix, with the prefix and a space removed.
  std::vector<std::string> Calls(const std::string& prefix) const;
  std::vector<std::string> Sounds() const { return Calls("sound"); }
  std::vector<std::string> Prompts() const { return Calls("prompt"); }
  void Clear() { calls.clear(); }

  // The clock, in ms, and how far the waits moved it.
  int64_t clock = 0;

  // Values the random source answers first; after them, a seeded generator.
  std::deque<int> randomValues;

  // What the options dialog is told to do, one entry per opening.
  struct Options {
    int ups = 0;
    int downs = 0;
    std::optional<bool> setBox{};          // click the sound box into this state
    std::optional<ComputerLevel> level{};  // choose the computer's level
    bool apply = true;
  };
  std::deque<Options> options;
  bool sfxBox = true;  // the dialog's check box keeps its state between openings

  // The answers to the prompt's questions, in order (then "No").
  std::deque<bool> answers;

  // File names the save and open dialogs answer (nullopt: cancelled).
  std::deque<std::optional<std::string>> saveNames, openNames;

  // Called at every wait; the scripted player hangs here.
  std::function<bool(WaitKind)> onWait;

  // Board and buttons as the window would show them.
  bool boardEnabled = false;
  bool humanPiecesEnabled = true;
  bool dieEnabled = false;
  int dieShown = 0;
  int frameX = -1, frameY = -1;  // the frame's cell when exactly one is drawn
  int framesDrawn = 0;           // inversions that are on the board now (0 or 1 expected)
  bool bonusPanelVisible = true;
  bool shown[kButtonCount] = {false, false, true, true};  // as the window starts
  bool Shown(Button b) const { return shown[static_cast<int>(b)]; }
  // The help at the board: the markers shown now, the cursor placed by the
  // game, and the messages told to a screen reader.
  BoardMarks marks;
  int cursorCol = -1, cursorRow = -1;
  std::vector<std::string> announced;

 protected:
  void redrawPieces(const GameState&) override { calls.push_back("redraw"); }
  void resetSprites(const GameState& s) override;
  void setBoardEnabled(bool on) override;
  void setHumanPiecesEnabled(bool on) override;
  void invertFrame(int x, int y) override;
  void setButtonEnabled(Button b, bool on) override;
  void showMarks(const BoardMarks& m) override { marks = m; }
  void placeCursor(int col, int row) override {
    cursorCol = col;
    cursorRow = row;
  }
  void announce(const Said& said) override { announced.push_back(English(said)); }
  void showDie(int value) override { dieShown = value; }
  void setDieEnabled(bool on) override { dieEnabled = on; }
  void showTurnArrow(int team) override;
  void setBonusPanelVisible(bool on) override;
  void showScores(int computer, int human) override;
  void setSfxCaption(bool on) override;
  void setGridCell(int, int, char) override {}
  void dumpPiece(int, int, const TPiece&) override {}
  void showCandidates(const GameState&) override {}
  void showMoveRequest(const GameState&) override {}
  // A sound takes no time here, but input may arrive while it plays.
  void playSfx(Sound s) override;
  void showPrompt(std::string_view text) override;
  bool askQuestion(std::string_view text) override;
  void messageBox(std::string_view text) override;
  void errorBox(std::string_view text) override;
  int showOptions(GameState& s) override;
  std::optional<std::string> askSaveFileName() override;
  std::optional<std::string> askOpenFileName() override;
  bool processMessages() override;
  bool waitForEvent() override;
  bool waitUntil(int64_t deadlineMs) override;
  int64_t now() override { return clock; }
  int random(int n) override;
  void reseed() override {}

 private:
  std::mt19937 rng_;
};

// Plays the human's side: each time the game waits, it delivers the next
// scripted action. Actions queued with Then() wait until the game waits for
// an event (the human's moment); actions queued with Soon() go at the very
// next wait of any kind (a pump or a pause), as a hasty player's would.
// When the script runs dry and an autoplayer is set, the autoplayer acts.
class ScriptedPlayer {
 public:
  using Action = std::function<void(Game&)>;

  ScriptedPlayer(FakePresentation& ui, Game& game);

  ScriptedPlayer& Then(Action a) { return Push(std::move(a), false); }
  ScriptedPlayer& Soon(Action a) { return Push(std::move(a), true); }
  // Delivered at the first wait of any kind at which when(game) holds.
  ScriptedPlayer& When(std::function<bool(Game&)> when, Action a);

  // The human's part, made whenever the game waits for it and the script is
  // empty. Answers false when it had nothing to do.
  std::function<bool(Game&)> autoplay;

  // The program's own message loop: runs until the script is done (and the
  // autoplayer has nothing to do). Then every wait reports quitting.
  void Run();

  // Ready-made actions, as the window would deliver them.
  static Action NewMatch(FakePresentation::Options o = {});
  static Action PlayGame();
  static Action Throw();
  static Action Select(int piece);
  static Action Click(int col, int row);
  static Action RightClick(int col, int row);
  static Action ClickComputerPiece(int piece);
  static Action Bye();
  static Action Save();
  static Action Load();

  int delivered = 0;

 private:
  ScriptedPlayer& Push(Action a, bool soon);
  bool OnWait(WaitKind k);

  struct Step {
    Action act;
    bool soon;
    std::function<bool(Game&)> when;
  };
  FakePresentation& ui_;
  Game& game_;
  std::deque<Step> script_;
};

}  // namespace vandrel::testing
