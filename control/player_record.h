// The player's record: the games and matches played, won and lost against
// the computer, the best match score and the longest run of games won. Kept
// as a small text file of "name value" lines, one value per line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vandrel {

struct PlayerRecord {
  int32_t GamesPlayed = 0;
  int32_t GamesWon = 0;
  int32_t GamesLost = 0;
  int32_t MatchesPlayed = 0;
  int32_t MatchesWon = 0;
  int32_t MatchesLost = 0;
  int32_t MatchesDrawn = 0;
  int32_t BestMatchScore = 0;  // the player's highest total in a finished match
  int32_t LongestRun = 0;      // the most games won in a row
  int32_t CurrentRun = 0;      // the games won in a row up to the last one

  // Counts one finished game, won or lost by the player.
  void CountGame(bool humanWon);
  // Counts one finished match with its totals.
  void CountMatch(int32_t humanScore, int32_t computerScore);

  bool operator==(const PlayerRecord&) const = default;
};

// The counts stop here rather than overflow.
constexpr int32_t kMaxRecordCount = 999'999'999;
// A record file is never longer than this.
constexpr std::size_t kMaxRecordBytes = 4096;

std::string FormatPlayerRecord(const PlayerRecord& r);
// Reads a record's text. Answers "" and fills out, or the reason the text
// is not a record (garbled, a count out of range, counts that contradict
// each other), leaving out as it was.
std::string ParsePlayerRecord(std::string_view text, PlayerRecord& out);

}  // namespace vandrel
