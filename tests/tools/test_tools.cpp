#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "control/savegame.h"
#include "rules/rules.h"
#include "tests/support/positions.h"
#include "tools/selfplay/selfplay.h"

namespace vandrel {
namespace {

struct Output {
  int status;
  std::string out;
};

Output Command(const std::string& cmd) {
  Output r{0, {}};
  std::FILE* p = ::popen(cmd.c_str(), "r");
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
  const int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

TEST(SelfPlay, ThousandsOfGamesKeepEveryRule) {
  const SelfPlayResult r = RunSelfPlay(3000, 7);
  EXPECT_EQ(r.games, 3000);
  EXPECT_EQ(r.violations, 0) << r.firstViolation;
  EXPECT_EQ(r.computerWins + r.humanWins, 3000);
  EXPECT_GT(r.computerWins, r.humanWins);  // the weights beat a random player
  EXPECT_GT(r.turns, 3000 * 20);
}

// FNV-1a over everything the games wrote to their trace.
uint64_t TraceHash(int games, uint64_t seed) {
  char* text = nullptr;
  size_t size = 0;
  std::FILE* f = ::open_memstream(&text, &size);
  const SelfPlayResult r = RunSelfPlay(games, seed, f);
  std::fclose(f);
  EXPECT_EQ(r.violations, 0) << r.firstViolation;
  uint64_t h = 0xcbf29ce484222325ULL;
  for (size_t i = 0; i < size; ++i) h = (h ^ static_cast<unsigned char>(text[i])) * 0x100000001b3ULL;
  std::free(text);
  return h;
}

// The classic computer's every throw, move, capture, pass and result over
// a thousand games, as recorded before the engine was made faster: not one
// move may change.
TEST(SelfPlay, ClassicGamesAreMoveForMoveAsRecorded) {
  EXPECT_EQ(TraceHash(1000, 20261209), 0x2ec31ff2e88b08acULL);
}

TEST(SelfPlay, SameSeedSameGames) {
  const SelfPlayResult a = RunSelfPlay(200, 42), b = RunSelfPlay(200, 42);
  EXPECT_EQ(a.turns, b.turns);
  EXPECT_EQ(a.humanWins, b.humanWins);
}

TEST(SelfPlay, ToolPrintsItsSummaryLast) {
  const Output r = Command(std::string(VANDREL_SELFPLAY) + " --games 500 --seed 3");
  EXPECT_EQ(r.status, 0);
  const std::regex last(
      R"((^|\n)games=500 violations=0 computer_wins=\d+ human_wins=\d+ turns_per_game=[0-9.]+ games_per_second=\d+ ms_per_move=[0-9]+\.[0-9]{3}\n$)");
  EXPECT_TRUE(std::regex_search(r.out, last)) << r.out;
  const Output strong = Command(std::string(VANDREL_SELFPLAY) +
                                " --games 1 --seed 4 --computer strong --human classic");
  EXPECT_EQ(strong.status, 0);
  EXPECT_TRUE(std::regex_search(strong.out, std::regex(R"(^games=1 violations=0 .* ms_per_move=[0-9.]+\n$)")))
      << strong.out;
}

TEST(SelfPlay, ToolRefusesWhatItDoesNotUnderstand) {
  const std::string tool = VANDREL_SELFPLAY;
  const std::pair<const char*, int> cases[] = {
      {"--help", 0},
      {"--games abc", 2},
      {"--games 7x", 2},
      {"--games -5", 2},
      {"--games 0", 2},
      {"--seed 1.5", 2},
      {"--games", 2},
      {"--computer clever", 2},
      {"--human nobody", 2},
      {"--level strong", 2},
  };
  for (const auto& [args, status] : cases) {
    const Output r = Command(tool + " " + args + " 2>&1");
    EXPECT_EQ(r.status, status) << args;
    const bool usage = r.out.find("usage: vandrel-selfplay --games N --seed S "
                                  "[--computer classic|strong] [--human random|classic|strong]") !=
                       std::string::npos;
    EXPECT_EQ(usage, std::string(args) != "--games 0")  // that one names the range
        << args << ": " << r.out;
  }
}

TEST(VdgTool, ShowsAndChecksFiles) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("vandrel-vdg-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  SavedGame g;
  g.Pieces = testing::Position(testing::kStartPicture).Pieces;
  g.Score = {0, 350};
  g.GamesLeft = 0;
  g.PlayGameEnabled = true;
  ASSERT_EQ(WriteSavedGame((dir / "g.vdg").string(), g), "");
  const std::string tool = VANDREL_VDG;
  const Output show = Command(tool + " show " + (dir / "g.vdg").string());
  EXPECT_EQ(show.status, 0);
  EXPECT_EQ(
      show.out.find("{\"pieces\":[[{\"col\":1,\"row\":1,\"endp\":0,\"endrow\":7,\"startp\":1,"
                    "\"startrow\":1,\"onbase\":0,\"onreturn\":0,\"baserow\":-1,\"basecol\":0}"),
      0u)
      << show.out;
  EXPECT_NE(show.out.find("\"score\":[0,350],\"bonus\":[0,0],\"games_left\":0,"
                          "\"new_match_enabled\":0,\"play_game_enabled\":1,\"sfx_on\":1}"),
            std::string::npos)
      << show.out;
  EXPECT_EQ(Command(tool + " check " + (dir / "g.vdg").string()).status, 0);

  // Refusals go to standard error, naming the file; standard output stays
  // empty, so `show` prints JSON or nothing. A FIFO is refused at once.
  std::ofstream(dir / "bad.vdg") << "not a game";
  ASSERT_EQ(::mkfifo((dir / "fifo.vdg").c_str(), 0666), 0);
  struct Case {
    std::string args;
    int status;
    std::string err;
  };
  const std::string bad = (dir / "bad.vdg").string(), none = (dir / "none.vdg").string(),
                    fifo = (dir / "fifo.vdg").string();
  const Case cases[] = {
      {"check " + bad, 1, "vandrel-vdg: " + bad + ": " + kNotASavedGame + "\n"},
      {"show " + bad, 1, "vandrel-vdg: " + bad + ": " + kNotASavedGame + "\n"},
      {"check " + none, 1, "vandrel-vdg: " + none + ": No such file or directory.\n"},
      {"show " + fifo, 1, "vandrel-vdg: " + fifo + ": " + kNotASavedGame + "\n"},
      {"", 2, ""},
      {"print " + bad, 2, ""},
      {"check " + bad + " extra", 2, ""},
  };
  for (const Case& c : cases) {
    const std::string errFile = (dir / "stderr").string();
    const Output r = Command("timeout 10 " + tool + " " + c.args + " 2>" + errFile);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_EQ(r.out, "") << c.args;
    std::ifstream in(errFile);
    const std::string err((std::istreambuf_iterator<char>(in)), {});
    if (c.status == 2) {
      EXPECT_EQ(err.rfind("usage: vandrel-vdg", 0), 0u) << c.args;
    } else {
      EXPECT_EQ(err, c.err) << c.args;
    }
  }
  const Output help = Command(tool + " --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: vandrel-vdg", 0), 0u) << help.out;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace vandrel
