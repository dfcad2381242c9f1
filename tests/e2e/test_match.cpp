// A whole match against the real program on a real X server (Xvfb), with
// xdotool as the player. The test reads the program's trace, keeps its own
// copy of the game on our engine, picks the human's moves there and clicks
// them; every move the program reports must be legal on that copy and every
// score must agree.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "rules/rules.h"
#include "tools/selfplay/players.h"

extern char** environ;

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool Have(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

pid_t Spawn(const std::vector<std::string>& argv, int outFd = -1, int fd3 = -1) {
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  if (outFd >= 0) posix_spawn_file_actions_adddup2(&fa, outFd, STDOUT_FILENO);
  if (fd3 >= 0) posix_spawn_file_actions_adddup2(&fa, fd3, 3);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], &fa, nullptr, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&fa);
  return pid;
}

// Ends a child process when the test leaves early.
// XDG folders of the game's own for this run, whatever the caller's
// environment holds, so that nothing the game keeps changes the next run.
struct PrivateFolders {
  std::filesystem::path home;
  PrivateFolders() {
    char pattern[] = "/tmp/vandrel-e2e-XXXXXX";
    home = ::mkdtemp(pattern);
    for (const char* var : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_STATE_HOME",
                            "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
      const std::filesystem::path dir = home / var;
      std::filesystem::create_directory(dir);
      std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
      ::setenv(var, dir.c_str(), 1);
    }
  }
  ~PrivateFolders() {
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
  }
};

struct Reaper {
  pid_t pid;
  ~Reaper() {
    if (pid > 0 && ::waitpid(pid, nullptr, WNOHANG) == 0) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
  }
};

void Run(const std::string& cmd) { (void)!std::system(cmd.c_str()); }

void Click(int x, int y) {
  Run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
      " sleep 0.05 click 1 sleep 0.05");
}

// Board cell centres and side-panel buttons in window coordinates (800 x 600).
// The output of a shell command, line by line.
std::vector<std::string> Lines(const std::string& cmd) {
  std::vector<std::string> lines;
  std::FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return lines;
  char buf[256];
  while (std::fgets(buf, sizeof buf, p)) {
    std::string l = buf;
    while (!l.empty() && l.back() == '\n') l.pop_back();
    lines.push_back(l);
  }
  ::pclose(p);
  return lines;
}

// Whether the game shows a dialog: a visible window of its own that is
// neither the main window (the whole screen) nor a tooltip.
bool DialogShown(pid_t game) {
  for (const std::string& w :
       Lines("xdotool search --onlyvisible --pid " + std::to_string(game) + " 2>/dev/null")) {
    int width = 0, height = 0;
    for (const std::string& l : Lines("xdotool getwindowgeometry --shell " + w)) {
      std::sscanf(l.c_str(), "WIDTH=%d", &width);
      std::sscanf(l.c_str(), "HEIGHT=%d", &height);
    }
    if (width >= 200 && height >= 150 && width < 800) return true;
  }
  return false;
}

// Waits (up to ten seconds) until a dialog of the game is shown or gone.
bool WaitDialog(pid_t game, bool shown) {
  for (int i = 0; i < 200; ++i) {
    if (DialogShown(game) == shown) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

int CellX(int col) { return 24 + 70 * col + 35; }
int CellY(int row) { return 20 + 70 * row + 35; }
constexpr int kPanel = 800 - 182;

// The program's standard output, line by line.
class TraceReader {
 public:
  // pid is the program writing; it is ended if the test leaves before it.
  TraceReader(int fd, pid_t pid) : pid_(pid), file_(fdopen(fd, "r")), thread_([this] { Loop(); }) {}
  ~TraceReader() {
    {
      std::lock_guard lock(m_);
      if (!done_) ::kill(pid_, SIGKILL);
    }
    thread_.join();
    std::fclose(file_);
  }
  // The next line, or "" after the timeout or the end of the output.
  std::string Next(std::chrono::seconds timeout) {
    std::unique_lock lock(m_);
    cv_.wait_for(lock, timeout, [&] { return !lines_.empty() || done_; });
    if (lines_.empty()) return {};
    std::string l = lines_.front();
    lines_.pop_front();
    lastTime = times_.front();
    times_.pop_front();
    return l;
  }
  std::vector<std::string> all;
  Clock::time_point lastTime;  // when the line returned last arrived

 private:
  void Loop() {
    char buf[512];
    while (std::fgets(buf, sizeof buf, file_)) {
      std::string l(buf);
      while (!l.empty() && (l.back() == '\n' || l.back() == '\r')) l.pop_back();
      std::lock_guard lock(m_);
      lines_.push_back(l);
      times_.push_back(Clock::now());
      all.push_back(l);
      cv_.notify_all();
    }
    std::lock_guard lock(m_);
    done_ = true;
    cv_.notify_all();
  }
  pid_t pid_;
  std::FILE* file_;
  std::mutex m_;
  std::condition_variable cv_;
  std::deque<std::string> lines_;
  std::deque<Clock::time_point> times_;
  bool done_ = false;
  std::thread thread_;
};

QImage Screenshot(const fs::path& dir, const std::string& name) {
  const fs::path file = dir / (name + ".png");
  Run("import -window root " + file.string() + " 2>/dev/null");
  return QImage(QString::fromStdString(file.string()));
}

// Every piece of the copy shows in its team's colour on its square.
void ExpectPiecesDrawn(const QImage& shot, const GameState& s, const std::string& when) {
  ASSERT_FALSE(shot.isNull()) << when;
  for (int t = 0; t < 2; ++t)
    for (int p = 1; p <= 6; ++p) {
      const TPiece& x = s.piece(t, p);
      const QColor c = shot.pixelColor(CellX(x.Col), CellY(x.Row) + 12);
      if (t == 0)
        EXPECT_GT(c.blue(), c.green() + 30) << when << ": computer piece " << p;
      else
        EXPECT_GT(c.green(), c.blue() + 30) << when << ": human piece " << p;
    }
}

TEST(WholeMatch, TwoGamesThroughTheRealWindow) {
  for (const char* tool : {"Xvfb", "xdotool", "import"})
    if (!Have(tool)) GTEST_SKIP() << tool << " is not installed";
  const fs::path dir = fs::temp_directory_path() / ("vandrel-e2e-" + std::to_string(::getpid()));
  fs::create_directories(dir);

  // Xvfb picks a free display itself and tells its number on fd 3.
  int dfd[2];
  ASSERT_EQ(::pipe(dfd), 0);
  const pid_t xvfb = Spawn(
      {"Xvfb", "-displayfd", "3", "-screen", "0", "800x600x24", "-nolisten", "tcp"}, -1, dfd[1]);
  ::close(dfd[1]);
  ASSERT_GT(xvfb, 0);
  Reaper xvfbReaper{xvfb};
  char number[16] = {};
  ASSERT_GT(::read(dfd[0], number, sizeof number - 1), 0) << "Xvfb did not start";
  ::close(dfd[0]);
  const std::string display = ":" + std::to_string(std::atoi(number));
  ::setenv("DISPLAY", display.c_str(), 1);
  for (int i = 0; i < 100 && std::system("xdotool getdisplaygeometry >/dev/null 2>&1"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));

  ::setenv("VANDREL_TRACE", "1", 1);
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  PrivateFolders folders;
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const pid_t game = Spawn({VANDREL_PROGRAM}, fds[1]);
  ::close(fds[1]);
  ASSERT_GT(game, 0);
  Reaper gameReaper{game};
  {
    TraceReader trace(fds[0], game);
    const auto next = [&](int seconds = 30) { return trace.Next(std::chrono::seconds(seconds)); };
    auto waitFor = [&](const std::string& line) {
      for (std::string l; !(l = next()).empty();)
        if (l == line) return true;
      return false;
    };
    // Everything there is to click exists once the program says "ready".
    ASSERT_TRUE(waitFor("ready"));

    GameState s;
    SilentPresentation ui;
    ResetPieces(s, ui);
    ExpectPiecesDrawn(Screenshot(dir, "start"), s, "at the start");

    // "New Match": two games, Apply.
    Click(kPanel + 88, 480);
    std::string options;
    for (int i = 0; i < 100 && options.empty(); ++i) {
      std::FILE* p = ::popen("xdotool search --onlyvisible --name '^Options$' 2>/dev/null", "r");
      char buf[64] = {};
      if (std::fgets(buf, sizeof buf, p)) options = buf;
      ::pclose(p);
      if (options.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_FALSE(options.empty()) << "the options dialog did not open";
    while (!options.empty() && options.back() == '\n') options.pop_back();
    int ox = 0, oy = 0;
    {
      std::FILE* p = ::popen(("xdotool getwindowgeometry --shell " + options).c_str(), "r");
      char buf[64];
      while (std::fgets(buf, sizeof buf, p)) {
        std::sscanf(buf, "X=%d", &ox);
        std::sscanf(buf, "Y=%d", &oy);
      }
      ::pclose(p);
    }
    Click(ox + 248 + 17, oy + 16 + 16);   // one game more
    Click(ox + 176 + 56, oy + 232 + 18);  // Apply, below the computer's level
    ASSERT_TRUE(WaitDialog(game, false)) << "the options dialog did not close";
    Click(kPanel + 88, 332);  // "Play Game"

    std::mt19937 rng(12345);
    int turn = -1, games = 0, moves = 0, captures = 0;
    // From "turn 0" to the next "turn 1" the program waits for the die
    // (2000 ms), the move (300), the end of the computer's turn (300) and the
    // start of the human's (300), and for nothing else: there is no sound
    // server here, so no sound may hold the game up.
    std::vector<double> computerTurnMs;
    Clock::time_point computerTurnStart;
    bool promptInTurn = false;  // or a removal: not an ordinary turn
    bool newGame = true, captureShot = false, matchOver = false;
    std::string finalPrompt;
    const auto deadline = Clock::now() + std::chrono::minutes(20);
    // After a game the click on "Play Game" counts only once the last game's
    // loop has wound down, which the trace does not tell: click again until
    // the program answers (the next game's turn, or the match result).
    int playClicks = 0;
    while (!matchOver && Clock::now() < deadline) {
      const std::string l = next(playClicks > 0 ? 2 : 60);
      if (l.empty() && playClicks > 0 && playClicks < 10) {
        ++playClicks;
        Click(kPanel + 88, 332);  // "Play Game"
        continue;
      }
      ASSERT_FALSE(l.empty()) << "the program went quiet";
      playClicks = 0;
      int a = 0, b = 0, c = 0, d = 0;
      if (std::sscanf(l.c_str(), "turn %d", &a) == 1) {
        if (a == kHuman && turn == kComputer && !promptInTurn && !newGame)
          computerTurnMs.push_back(
              std::chrono::duration<double, std::milli>(trace.lastTime - computerTurnStart)
                  .count());
        if (a == kComputer) computerTurnStart = trace.lastTime;
        promptInTurn = false;
        if (newGame) {
          ResetPieces(s, ui);
          s.Bonus = {0, 0};
          newGame = false;
        }
        if (captures > 0 && !captureShot) {
          ExpectPiecesDrawn(Screenshot(dir, "capture"), s, "after a capture");
          captureShot = true;
        }
        turn = a;
        s.SetTeam(turn);
        // The die is enabled in the same step that says "turn 1".
        if (turn == kHuman) Click(kPanel + 52, 264);  // "Throw Dice"
      } else if (std::sscanf(l.c_str(), "throw %d", &a) == 1) {
        s.Dice = a;
        if (turn != kHuman) continue;
        HumanOption opts[kMaxHumanOptions];
        const int n = HumanOptions(s, opts);
        if (n == 0) continue;  // a pass follows
        // Take a piece as soon as there is one to take, for the screenshot of
        // a capture; after that, leave the computer's pieces alone, which
        // keeps the games short.
        int pick = std::uniform_int_distribution<int>(0, n - 1)(rng);
        const auto takes = [&](const HumanOption& o) {
          return o.piece && PieceAt(s, kHuman, o.col, o.row);
        };
        for (int i = 0; i < n; ++i)
          if (captures == 0 ? takes(opts[i]) : takes(opts[pick]) && !takes(opts[i])) pick = i;
        const HumanOption& o = opts[pick];
        if (o.piece == 0) {
          const TPiece& any = s.piece(kComputer, 1);
          Click(CellX(any.Col), CellY(any.Row));
        } else {
          const TPiece& x = s.piece(kHuman, o.piece);
          Click(CellX(x.Col), CellY(x.Row));
          Click(CellX(o.col), CellY(o.row));
        }
      } else if (std::sscanf(l.c_str(), "move %d %d %d %d", &a, &b, &c, &d) == 4) {
        ASSERT_EQ(a, turn) << l;
        ASSERT_TRUE(IsLegalMove(s, ui, a, b, c, d)) << "the program played an illegal move: " << l;
        const bool wasComputer = a == kComputer;
        s.ComputerTurn = wasComputer;
        s.SetTeam(a);
        s.SetPiece(b);
        s.spin1 = c;
        s.spin2 = d;
        MoveBtnClick(s, ui);
        ++moves;
      } else if (std::sscanf(l.c_str(), "capture %d %d", &a, &b) == 2) {
        ++captures;
      } else if (std::sscanf(l.c_str(), "remove %d %d", &a, &b) == 2) {
        promptInTurn = true;  // a removal has no 300 ms pause of its own
        ASSERT_EQ(RemovalTarget(s, 1 - a, s.Dice), b) << l;
        TakeFromEndRow(s, ui, a, b);
      } else if (std::sscanf(l.c_str(), "pass %d", &a) == 1) {
        EXPECT_EQ(CountMoveOptions(s, ui, a), 0) << "a pass with a move to make: " << l;
      } else if (std::sscanf(l.c_str(), "game-over %d %d %d", &a, &b, &c) == 3) {
        // Our copy ended the game at the same move and scored it the same.
        EXPECT_TRUE(AllAtEndRow(s, a)) << l;
        EXPECT_FALSE(AllAtEndRow(s, 1 - a)) << l;
        EXPECT_EQ(s.Score[0], b) << l;
        EXPECT_EQ(s.Score[1], c) << l;
        ++games;
        newGame = true;
      } else if (l.rfind("prompt ", 0) == 0) {
        promptInTurn = true;
        const std::string text = l.substr(7);
        ASSERT_TRUE(WaitDialog(game, true)) << "the prompt did not show: " << text;
        if (text.rfind("Game Over - You", 0) == 0) {
          const QImage shot = Screenshot(dir, "game-over-" + std::to_string(games));
          ASSERT_FALSE(shot.isNull());
          // The prompt stands in the middle of the screen: its dark green
          // picture and, on the OK button, cream text somewhere.
          const QColor bg = shot.pixelColor(400, 300);
          EXPECT_GT(bg.green(), bg.red() + 10) << "no prompt over the board at game over";
          EXPECT_LT(bg.lightness(), 140);
        }
        Click(400, 362);  // OK
        ASSERT_TRUE(WaitDialog(game, false)) << "the prompt did not close: " << text;
        if (text.rfind("Game Over - You", 0) == 0) {
          Click(kPanel + 88, 332);  // "Play Game": the next game, or the match result
          playClicks = 1;
        } else if (text.rfind("Match Over", 0) == 0 || text == "Game Over - It's a Draw!") {
          finalPrompt = text;
          matchOver = true;
        }
      }
    }
    ASSERT_TRUE(matchOver) << "the match did not end in time";
    ASSERT_GT(computerTurnMs.size(), 10u);
    std::sort(computerTurnMs.begin(), computerTurnMs.end());
    const double median = computerTurnMs[computerTurnMs.size() / 2];
    std::printf("computer turns: %zu, median %.0f ms, shortest %.0f ms, longest %.0f ms\n",
                computerTurnMs.size(), median, computerTurnMs.front(), computerTurnMs.back());
    EXPECT_GE(computerTurnMs.front(), 2850) << "a pause was cut short";
    EXPECT_LT(median, 2900 + 250) << "the computer's turn waits for more than its pauses";
    EXPECT_EQ(games, 2);
    EXPECT_GT(moves, 20);
    const std::string expected = s.Score[1] > s.Score[0]   ? "Match Over - You Win!"
                                 : s.Score[0] > s.Score[1] ? "Match Over - You Lose!"
                                                           : "Game Over - It's a Draw!";
    EXPECT_EQ(finalPrompt, expected);
    Click(kPanel + 88, 552);  // "Bye!"
    int status = 0;
    for (int i = 0; i < 100 && ::waitpid(game, &status, WNOHANG) == 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the program did not leave cleanly on Bye!";
    if (WIFEXITED(status)) gameReaper.pid = -1;
    if (!HasFailure()) fs::remove_all(dir);  // keep the screenshots of a failure
  }
}

}  // namespace
}  // namespace vandrel
