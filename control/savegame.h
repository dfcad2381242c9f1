// The saved-game file: 456 bytes, no header, all integers signed 32-bit
// little-endian, all flags one byte holding 0 or 1.
//
//   offset  size  content
//     0     432   the twelve piece records (36 bytes each, laid out as
//                 described beside TPiece), team 0 pieces 1..6 first
//   432       4   Score[0] (computer)
//   436       4   Score[1] (human)
//   440       4   Bonus[0]
//   444       4   Bonus[1]
//   448       4   GamesLeft
//   452       1   "New Match" button enabled
//   453       1   "Play Game" button enabled
//   454       1   SfxOn
//   455       1   "New Match" button enabled (again)
//
// Whose turn it is, the die, the selection and the games per match are not
// stored: a loaded game goes on with the human to throw.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "rules/state.h"
#include "rules/translation_marks.h"

namespace vandrel {

constexpr std::size_t kSavedGameSize = 456;

struct SavedGame {
  std::array<std::array<TPiece, kPiecesPerTeam>, kTeams> Pieces{};
  std::array<int32_t, kTeams> Score{};
  std::array<int32_t, kTeams> Bonus{};
  int32_t GamesLeft = 0;
  bool NewMatchEnabled = false;
  bool PlayGameEnabled = false;
  bool SfxOn = true;

  bool operator==(const SavedGame&) const = default;
};

// The message for a file that is not one of ours, or not one we can trust.
// The other reasons a file cannot be read or written are the system's own
// (strerror), which the window shows as they are.
//: An error box, when a saved game is loaded.
inline constexpr const char* kNotASavedGame =
    QT_TRANSLATE_NOOP("vandrel::Game", "This file is not a Vandrel saved game.");

// The stored part of a game; the two button flags are the game's own.
SavedGame SavedGameOf(const GameState& s);
// Copies a loaded game into s (pieces, scores, bonuses, GamesLeft, SfxOn).
void ApplySavedGame(const SavedGame& g, GameState& s);

std::array<uint8_t, kSavedGameSize> EncodeSavedGame(const SavedGame& g);
// Decodes and checks a file's bytes: a reachable position, scores and
// bonuses 0..kMaxPoints, GamesLeft kMinGamesLeft..10. Answers "" and fills out, or answers
// kNotASavedGame and leaves out as it was.
std::string DecodeSavedGame(const uint8_t* data, std::size_t size, SavedGame& out);

// Writes the file and answers "" or the system's reason followed by a full
// stop. The save goes to what the name stands for: through symbolic links to
// their target, keeping an existing file's mode, owner (where permitted) and
// hard links. A file the user may not write is refused and left as it was.
// The bytes go to a short hidden temporary file in the same folder that
// replaces the target only once it is complete, so a failed save never spoils
// an earlier one; temporaries that an interrupted save left there are removed
// after a minute. (A file with other hard links is written in place, and its
// earlier bytes are put back if that fails.)
std::string WriteSavedGame(const std::string& path, const SavedGame& g);
// Reads and checks a file. Answers "" and fills out, or the reason. Only an
// ordinary file is opened, and never so that the open could wait.
std::string ReadSavedGame(const std::string& path, SavedGame& out);

}  // namespace vandrel
