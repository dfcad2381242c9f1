#include "control/player_record.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "rules/state.h"

namespace vandrel {

namespace {

int32_t Bump(int32_t n) { return n < kMaxRecordCount ? n + 1 : n; }

// The file's names for the counts, in the order they are written.
using Field = int32_t PlayerRecord::*;
constexpr std::array<std::pair<std::string_view, Field>, 10> kFields{{
    {"games-played", &PlayerRecord::GamesPlayed},
    {"games-won", &PlayerRecord::GamesWon},
    {"games-lost", &PlayerRecord::GamesLost},
    {"matches-played", &PlayerRecord::MatchesPlayed},
    {"matches-won", &PlayerRecord::MatchesWon},
    {"matches-lost", &PlayerRecord::MatchesLost},
    {"matches-drawn", &PlayerRecord::MatchesDrawn},
    {"best-match-score", &PlayerRecord::BestMatchScore},
    {"longest-run", &PlayerRecord::LongestRun},
    {"current-run", &PlayerRecord::CurrentRun},
}};

constexpr std::string_view kHeader = "# Vandrel: your record against the computer";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// What must hold between the counts of a record the game wrote.
bool Consistent(const PlayerRecord& r) {
  return int64_t{r.GamesWon} + r.GamesLost <= r.GamesPlayed &&
         int64_t{r.MatchesWon} + r.MatchesLost + r.MatchesDrawn <= r.MatchesPlayed &&
         r.CurrentRun <= r.LongestRun && r.LongestRun <= r.GamesWon &&
         r.BestMatchScore <= kMaxPoints;
}

}  // namespace

void PlayerRecord::CountGame(bool humanWon) {
  GamesPlayed = Bump(GamesPlayed);
  if (humanWon) {
    GamesWon = Bump(GamesWon);
    CurrentRun = Bump(CurrentRun);
    LongestRun = std::max(LongestRun, CurrentRun);
  } else {
    GamesLost = Bump(GamesLost);
    CurrentRun = 0;
  }
}

void PlayerRecord::CountMatch(int32_t humanScore, int32_t computerScore) {
  MatchesPlayed = Bump(MatchesPlayed);
  if (humanScore > computerScore) {
    MatchesWon = Bump(MatchesWon);
  } else if (humanScore < computerScore) {
    MatchesLost = Bump(MatchesLost);
  } else {
    MatchesDrawn = Bump(MatchesDrawn);
  }
  BestMatchScore = std::max(BestMatchScore, std::clamp(humanScore, 0, kMaxPoints));
}

std::string FormatPlayerRecord(const PlayerRecord& r) {
  std::string out(kHeader);
  out += '\n';
  for (const auto& [name, field] : kFields) {
    out += name;
    out += ' ';
    out += std::to_string(r.*field);
    out += '\n';
  }
  return out;
}

std::string ParsePlayerRecord(std::string_view text, PlayerRecord& out) {
  PlayerRecord r;
  std::array<bool, kFields.size()> seen{};
  while (!text.empty()) {
    const auto eol = text.find('\n');
    std::string_view line = Trim(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (line.empty() || line.front() == '#') continue;
    const auto space = line.find_first_of(" \t");
    if (space == std::string_view::npos) return "a line is not a name and a count.";
    const std::string_view name = line.substr(0, space);
    const std::string_view value = Trim(line.substr(space));
    const auto it = std::find_if(kFields.begin(), kFields.end(),
                                 [&](const auto& f) { return f.first == name; });
    if (it == kFields.end()) continue;  // a later version's count
    const auto i = static_cast<std::size_t>(it - kFields.begin());
    if (seen[i]) return "a count is there twice.";
    int32_t n = -1;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || n < 0 || n > kMaxRecordCount)
      return "a count is out of range.";
    r.*(it->second) = n;
    seen[i] = true;
  }
  if (std::find(seen.begin(), seen.end(), true) == seen.end()) return "it holds no counts.";
  if (!Consistent(r)) return "its counts contradict each other.";
  out = r;
  return {};
}

}  // namespace vandrel
