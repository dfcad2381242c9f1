// What the game remembers of the player's matches between runs: the record
// of games and matches won and lost, and the unfinished match, kept after
// every turn so that a match survives the window closing, the session ending
// or the program being killed.
//
// A kept file the game cannot read as its own (garbled, out of range, a
// folder, a FIFO, a link to one) is left as it is and the game goes on with
// what it can use; it is replaced only once the player's play changes what
// it holds. Every trouble is told once, through `warn`, as one line.
#pragma once

#include <functional>
#include <string>

#include "control/player_record.h"
#include "control/savegame.h"

namespace vandrel {

class MatchMemory {
 public:
  struct Paths {
    std::string record;      // "" keeps no record
    std::string unfinished;  // "" keeps no unfinished match
  };
  // The files under the player's XDG folders.
  static Paths DefaultPaths();

  using Warn = std::function<void(const std::string& line)>;
  MatchMemory(Paths paths, Warn warn);

  const Paths& paths() const { return paths_; }

  // --- The record ---------------------------------------------------------
  // Reads the record file (a missing one is an empty record).
  void LoadRecord();
  const PlayerRecord& Record() const { return record_; }
  void CountGame(bool humanWon);
  void CountMatch(int32_t humanScore, int32_t computerScore);
  // Starts the record afresh, at the player's wish.
  void ClearRecord();

  // --- The unfinished match -------------------------------------------------
  // Reads the unfinished match left by an earlier run: true, with g filled,
  // when there is one the game can continue.
  bool FindUnfinished(SavedGame& g);
  // Keeps the match as it stands, in the saved-game format.
  void KeepUnfinished(const SavedGame& g);
  // The match is over, or the player declined to continue it.
  void ForgetUnfinished();

 private:
  void WriteRecord();
  void SayOnce(bool& said, const std::string& line);

  Paths paths_;
  Warn warn_;
  PlayerRecord record_;
  bool recordWriteTold_ = false;
  bool unfinishedWriteTold_ = false;
};

}  // namespace vandrel
