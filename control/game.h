// Turns, the game loop, matches and the saved game: the handlers of the main
// window's buttons and mouse, in plain C++. The window (or a test's scripted
// player) calls them; they reach the screen only through the Presentation.
//
// The game loop lives inside NewBtnClick ("Play Game"). It starts the next
// turn whenever none is in progress and otherwise waits for the next event,
// so the human's clicks are handled nested inside it. The computer's turn
// runs to its end inside one call.
#pragma once

#include <optional>
#include <string>

#include "rules/presentation.h"
#include "rules/state.h"

namespace vandrel {

class MatchMemory;

class Game {
 public:
  explicit Game(Presentation& ui) : ui_(ui) {}
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  GameState& state() { return s_; }
  const GameState& state() const { return s_; }
  Presentation& ui() { return ui_; }

  // Program start-up: the game's part of the main window's creation.
  void FormCreate();

  // What the game keeps between runs: the record and the unfinished match
  // (none until set; the memory must outlive the game's use of it).
  void SetMemory(MatchMemory* memory) { memory_ = memory; }
  // At start: offers the match an earlier run left unfinished, and loads it
  // when the player says "Yes"; "No" forgets it.
  void OfferUnfinishedMatch();

  // --- Buttons -------------------------------------------------------------
  void NewBtnClick();        // "Play Game": starts a game and runs its loop
  void MatchBtnClick();      // "New Match"
  void DiceBtnClick();       // the die button; the computer's turn calls it too
  void sfxBtnClick();        // "SFX On" / "SFX Off"
  void SpeedButton1Click();  // "Bye!": the game loop ends, waits report quitting
  void SpeedButton4Click();  // "Save"
  void LoadBtnClick();       // "Load"
  // "Load" with the file already chosen (a saved game named on the command
  // line): the same game start, the same error box for a refused file.
  void LoadBtnClick(const std::string& path);

  // --- Mouse ---------------------------------------------------------------
  // A button pressed on one of the human's piece images (piece 1..6).
  void pc1MouseDown(int piece, MouseButton b);
  // A button pressed on the board, at board pixel (x, y).
  void bgpicMouseDown(int x, int y, MouseButton b);
  // The pointer moved over the board: the selection frame follows it.
  void bgpicMouseMove(int x, int y);
  // A button pressed on one of the computer's piece images (piece 1..6).
  void pc7MouseDown(int piece, MouseButton b);

  // --- Keys ----------------------------------------------------------------
  // The hint (key H), while the human must move: the strong player's choice
  // for the human. Its piece is selected as a click would select it and the
  // cursor stands on its target (for the removal, on the computer's piece to
  // click), so Return plays it. Anywhere else it does nothing.
  void HintBtnClick();

  // --- Turn and match steps (called by the handlers above) -----------------
  void NextTurn();
  void HumanBtnClick();
  void ComputaBtnClick();
  int RollDie();
  void FinishMatch();
  void AnnounceMatch(bool humanWon);

  // --- The saved game --------------------------------------------------------
  // Asks for a file and writes the game to it; false when nothing was saved.
  bool SaveGame();
  // Asks for a file and reads a game from it; false when nothing was loaded.
  bool LoadGame();

  // Whether a click on these buttons counts now.
  bool CanSave() const;

 private:
  void SetButton(Button b, bool on);
  void BoardClick(int col, int row, MouseButton b);
  // The selected piece is put down: its frame goes, the pieces take clicks again.
  void DropSelection();
  // Prepares a game (loading one when LoadPending is set) and runs its loop.
  void PlayOneGame();
  // A click on "Play Game" or "Load" inside a game loop: taken when the game
  // has ended and its loop is winding down, to act once the loop has ended.
  void QueueClick(Button b);
  // Hands the window the help's markers when they have changed.
  void UpdateMarks();
  // A turn has ended: the match as it stands is kept for the next run.
  void KeepUnfinishedMatch();
  // A game of the match has ended (gamesLeft: the games left before it
  // did): the record counts it, and the match is kept between its games or
  // forgotten once its last game is over.
  void CountFinishedGame(int32_t gamesLeft);

  enum class Queued { None, PlayGame, Load };
  Queued queued_ = Queued::None;

  GameState s_;
  Presentation& ui_;
  uint64_t lastMove_ = 0;  // the squares of the computer's last move, until the human throws
  BoardMarks shown_;       // the markers the window shows
  std::optional<std::string> chosenFile_;  // LoadGame's answer in place of the dialog
  MatchMemory* memory_ = nullptr;
};

}  // namespace vandrel
