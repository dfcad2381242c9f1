// What the game keeps between runs: hostile kept files, the record's text
// and counts, the unfinished match after every kind of turn end, the offer
// at start, and a kill in the middle of a write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>

#include "control/game.h"
#include "control/kept_file.h"
#include "control/match_memory.h"
#include "rules/rules.h"
#include "tests/support/fake_presentation.h"
#include "tests/support/trace_log.h"
#include "tools/selfplay/players.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::FakePresentation;
using testing::ScriptedPlayer;
using Player = ScriptedPlayer;

struct TempDir {
  fs::path path;
  TempDir() {
    char pattern[] = "/tmp/vandrel-memory-XXXXXX";
    path = ::mkdtemp(pattern);
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

void WriteText(const fs::path& p, const std::string& text) { std::ofstream(p) << text; }

// Every line told, for the test to count.
struct Told {
  std::vector<std::string> lines;
  MatchMemory::Warn warn() {
    return [this](const std::string& l) { lines.push_back(l); };
  }
};

const std::string kGoodRecord =
    "games-played 5\ngames-won 3\ngames-lost 2\nlongest-run 2\ncurrent-run 1\n";

// --- Hostile files -------------------------------------------------------------

TEST(KeptFiles, HostileFilesAreLeftAloneAndNeverHang) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> make;
    KeptRead::Status status;
  };
  const std::vector<Case> cases = {
      {"missing", [](const fs::path&) {}, KeptRead::Missing},
      {"ordinary", [](const fs::path& p) { WriteText(p, kGoodRecord); }, KeptRead::Read},
      {"folder", [](const fs::path& p) { fs::create_directory(p); }, KeptRead::Unusable},
      {"fifo", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }, KeptRead::Unusable},
      {"link to a fifo",
       [](const fs::path& p) {
         ::mkfifo((p.string() + ".fifo").c_str(), 0600);
         fs::create_symlink(p.string() + ".fifo", p);
       },
       KeptRead::Unusable},
      {"link to a folder", [](const fs::path& p) { fs::create_directory_symlink("/", p); },
       KeptRead::Unusable},
      {"link to a device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
       KeptRead::Unusable},
      {"dangling link", [](const fs::path& p) { fs::create_symlink(p.string() + ".none", p); },
       KeptRead::Unusable},
      {"looping link", [](const fs::path& p) { fs::create_symlink(p, p); }, KeptRead::Unusable},
      {"oversized", [](const fs::path& p) { WriteText(p, std::string(kMaxRecordBytes + 1, '#')); },
       KeptRead::Unusable},
      {"garbled", [](const fs::path& p) { WriteText(p, "\x01\x02 games-won -4\n"); },
       KeptRead::Read},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path record = dir.path / "record", unfinished = dir.path / "unfinished.vdg";
    c.make(record);
    c.make(unfinished);
    EXPECT_EQ(ReadKeptFile(record, kMaxRecordBytes).status, c.status);

    struct stat before {};
    ::lstat(record.c_str(), &before);
    Told told;
    MatchMemory memory({record, unfinished}, told.warn());
    memory.LoadRecord();
    SavedGame g;
    EXPECT_FALSE(memory.FindUnfinished(g));
    const bool good = std::string(c.name) == "ordinary";
    EXPECT_EQ(memory.Record().GamesPlayed, good ? 5 : 0);
    // One line for each file the game could not use, and nothing changed.
    // (The good record is no saved game: as the unfinished match it is told.)
    EXPECT_EQ(told.lines.size(), c.status == KeptRead::Missing ? 0u : good ? 1u : 2u);
    struct stat after {};
    ::lstat(record.c_str(), &after);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

    // Once the player's play changes the record it is written, or the
    // trouble told once however often it recurs.
    told.lines.clear();
    memory.CountGame(true);
    memory.CountGame(false);
    const KeptRead back = ReadKeptFile(record, kMaxRecordBytes);
    if (back.status == KeptRead::Read) {
      PlayerRecord r;
      EXPECT_EQ(ParsePlayerRecord(back.text, r), "");
      EXPECT_EQ(r, memory.Record());
      EXPECT_TRUE(told.lines.empty());
    } else {
      EXPECT_EQ(told.lines.size(), 1u);
    }
  }
}

// --- The record ------------------------------------------------------------------

TEST(PlayerRecordText, ReadsOnlyWhatTheGameCouldHaveWritten) {
  const std::pair<std::string, bool> cases[] = {
      {kGoodRecord, true},
      {"# a comment\r\n\ngames-played 1\t\ngames-lost 1\n", true},
      {"games-played 2\nfuture-count 7\ngames-won 1\ngames-lost 1\nlongest-run 1\n", true},
      {"", false},
      {"# nothing but a comment\n", false},
      {"games-played\n", false},
      {"games-played x\n", false},
      {"games-played 12x\n", false},
      {"games-played -1\n", false},
      {"games-played 1000000000\n", false},
      {"games-played 99999999999999999999\n", false},
      {"games-played 1\ngames-played 1\n", false},
      {"games-played 1\ngames-won 1\ngames-lost 1\n", false},  // more won and lost than played
      {"games-played 5\ngames-won 1\ngames-lost 1\nlongest-run 2\n", false},
      {"games-played 5\ngames-won 3\nlongest-run 1\ncurrent-run 2\n", false},
      {"matches-played 1\nmatches-won 1\nmatches-drawn 1\n", false},
      {"best-match-score 100000000\n", false},
  };
  for (const auto& [text, good] : cases) {
    SCOPED_TRACE(text);
    PlayerRecord r;
    r.GamesPlayed = 77;
    const std::string why = ParsePlayerRecord(text, r);
    EXPECT_EQ(why.empty(), good) << why;
    if (!good) {
      EXPECT_EQ(r.GamesPlayed, 77) << "a refused text changed the record";
    }
  }
}

TEST(PlayerRecordText, CountsRunsAndMatchesAndReadsBackWhatItWrites) {
  PlayerRecord r;
  for (bool won : {true, true, false, true, true, true, false}) r.CountGame(won);
  r.CountMatch(700, 300);
  r.CountMatch(100, 300);
  r.CountMatch(200, 200);
  EXPECT_EQ(r, (PlayerRecord{7, 5, 2, 3, 1, 1, 1, 700, 3, 0}));
  PlayerRecord back;
  ASSERT_EQ(ParsePlayerRecord(FormatPlayerRecord(r), back), "");
  EXPECT_EQ(back, r);
  PlayerRecord full{kMaxRecordCount, kMaxRecordCount, 0, 0, 0, 0, 0, 0,
                    kMaxRecordCount, kMaxRecordCount};
  full.CountGame(true);
  EXPECT_EQ(full.GamesPlayed, kMaxRecordCount) << "a count overflowed";
  ASSERT_EQ(ParsePlayerRecord(FormatPlayerRecord(full), back), "");
}

// --- The unfinished match in the game ----------------------------------------------

struct MemoryHarness {
  explicit MemoryHarness(uint32_t seed)
      : ui(seed),
        game(ui),
        player(ui, game),
        trace(ui),
        memory({dir.path / "record", dir.path / "unfinished.vdg"}, told.warn()) {
    game.FormCreate();
    game.SetMemory(&memory);
  }
  TempDir dir;
  FakePresentation ui;
  Game game;
  Player player;
  testing::TraceLog trace;
  Told told;
  MatchMemory memory;
  bool Kept(SavedGame& g) { return ReadSavedGame(memory.paths().unfinished, g).empty(); }
};

TEST(UnfinishedMatch, KeptAfterEveryKindOfTurnEndAndForgottenWithTheMatch) {
  // Whenever the game stands between two turns, the file holds the match as
  // it stands; which kind of turn end came last is read from the trace.
  std::map<std::string, int> checked;
  for (uint32_t seed = 1; seed <= 12 && checked.size() < 5; ++seed) {
    MemoryHarness h(seed);
    h.player.Then(Player::NewMatch({.ups = 1}))
        .Then(Player::PlayGame())
        .When([](Game& g) { return g.state().LoopDepth == 0 && g.state().GamesLeft == 1; },
              [&](Game& g) {
                // Between the games: the next game's start, scores kept.
                SavedGame kept;
                ASSERT_TRUE(h.Kept(kept));
                GameState start = g.state();
                SilentPresentation quiet;
                ResetPieces(start, quiet);
                EXPECT_EQ(kept.Pieces, start.Pieces);
                EXPECT_EQ(kept.Score, g.state().Score);
                EXPECT_EQ(kept.GamesLeft, 1);
                EXPECT_TRUE(kept.PlayGameEnabled);
                checked["between games"]++;
                g.NewBtnClick();
              });
    h.player.autoplay = FirstLegalHuman;
    // At the first wait after each "turn" line (before the turn changes a
    // piece), the file holds the match as the last turn left it.
    auto inner = h.ui.onWait;
    int turns = 0;
    h.ui.onWait = [&](testing::WaitKind k) {
      const auto lines = h.trace.Lines();
      const int now = static_cast<int>(std::count_if(
          lines.begin(), lines.end(), [](auto& l) { return l.rfind("turn ", 0) == 0; }));
      if (now > turns && h.game.state().GameRunning) {
        turns = now;
        const GameState& s = h.game.state();
        SavedGame kept;
        EXPECT_TRUE(h.Kept(kept));
        EXPECT_EQ(kept.Pieces, s.Pieces);
        EXPECT_EQ(kept.Score, s.Score);
        EXPECT_EQ(kept.Bonus, s.Bonus);
        EXPECT_EQ(kept.GamesLeft, s.GamesLeft);
        const auto last = std::find_if(lines.rbegin(), lines.rend(), [](const std::string& l) {
          return l.rfind("move", 0) == 0 || l.rfind("remove", 0) == 0 || l.rfind("pass", 0) == 0;
        });
        if (last != lines.rend()) checked[last->substr(0, last->find(' ') + 2)]++;
      }
      return inner(k);
    };
    h.player.Run();
    // The match is over: counted, and nothing left to continue.
    EXPECT_EQ(h.memory.Record().GamesPlayed, 2);
    EXPECT_EQ(h.memory.Record().MatchesPlayed, 1);
    EXPECT_FALSE(fs::exists(h.memory.paths().unfinished));
    EXPECT_TRUE(h.told.lines.empty());
  }
  for (const char* kind : {"move 1", "move 0", "between games"})
    EXPECT_GT(checked[kind], 0) << kind;
  EXPECT_GT(checked["remove 0"] + checked["remove 1"] + checked["pass 0"] + checked["pass 1"], 0);
}

TEST(UnfinishedMatch, OfferedAtStart) {
  struct Case {
    const char* name;
    bool file, garbled, answer;
    bool offered, loaded, kept;
  };
  const Case cases[] = {
      {"none", false, false, true, false, false, false},
      {"yes", true, false, true, true, true, true},
      {"no", true, false, false, true, false, false},
      {"garbled", true, true, true, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryHarness h(4);
    SavedGame g = SavedGameOf(h.game.state());
    g.Score = {120, 340};
    g.GamesLeft = 2;
    if (c.file) {
      ASSERT_EQ(WriteSavedGame(h.memory.paths().unfinished, g), "");
    }
    if (c.garbled) WriteText(h.memory.paths().unfinished, "not a game");
    h.ui.answers.push_back(c.answer);
    h.player.Then([](Game& game) { game.OfferUnfinishedMatch(); }).Then(Player::Bye());
    h.player.Run();
    EXPECT_EQ(h.ui.Prompts(), c.offered
                                  ? std::vector<std::string>{"Continue your unfinished match?"}
                                  : std::vector<std::string>{});
    EXPECT_EQ(h.trace.Count("loaded"), c.loaded ? 1 : 0);
    if (c.loaded) {
      EXPECT_EQ(h.game.state().Score, g.Score);
    }
    EXPECT_EQ(fs::exists(h.memory.paths().unfinished), c.kept);
    EXPECT_EQ(h.told.lines.size(), c.garbled ? 1u : 0u);
  }
}

// A kill at any moment of a write leaves the earlier match or the new one.
TEST(UnfinishedMatch, AKillDuringTheWriteLeavesAWholeFile) {
  TempDir dir;
  const std::string path = dir.path / "unfinished.vdg";
  GameState s;
  SilentPresentation quiet;
  ResetPieces(s, quiet);
  SavedGame a = SavedGameOf(s), b = a;
  a.Score = {1, 2};
  b.Score = {3, 4};
  b.GamesLeft = 5;
  const char* soak = std::getenv("VANDREL_SOAK");
  const int rounds = soak ? 2000 : 150;
  int seenA = 0, seenB = 0;
  for (int i = 0; i < rounds; ++i) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      MatchMemory m({"", path}, nullptr);
      for (int n = 0;; ++n) m.KeepUnfinished(n % 2 ? a : b);
    }
    ::usleep(static_cast<useconds_t>(200 + (i * 7919) % 3000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    SavedGame g;
    const std::string why = ReadSavedGame(path, g);
    if (why.empty()) {
      EXPECT_TRUE(g == a || g == b);
      seenA += g == a;
      seenB += g == b;
    } else {
      EXPECT_FALSE(fs::exists(path)) << "round " << i << ": " << why;
    }
  }
  EXPECT_GT(seenA + seenB, rounds / 2);
}

}  // namespace
}  // namespace vandrel
