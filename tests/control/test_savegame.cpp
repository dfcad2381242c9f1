#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "control/game.h"
#include "control/savegame.h"
#include "rules/rules.h"
#include "tests/support/fake_presentation.h"
#include "tests/support/positions.h"

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using testing::FakePresentation;
using testing::Position;
using testing::ScriptedPlayer;
using Bytes = std::vector<uint8_t>;

// A position after some play: captures (computer pieces 2 and 5 walk their
// base), an arrival of each side, the human's piece 6 back on its return
// square.
const char* kMidGame =
    ". . . C . . . ."
    ". a . . . . . ."
    "e . . . B . . ."
    ". . . . . c . ."
    "b . . A . . . ."
    ". . . . . D . ."
    ". . . . . E . F"
    ". . . . d f . .";

SavedGame MidGame() {
  SavedGame g;
  g.Pieces = Position(kMidGame).Pieces;
  g.Score = {250, 1130};
  g.Bonus = {40, 30};
  g.GamesLeft = 2;
  g.NewMatchEnabled = false;
  g.PlayGameEnabled = false;
  g.SfxOn = true;
  return g;
}

fs::path TempDir() {
  const fs::path dir =
      fs::temp_directory_path() / ("vandrel-test-" + std::to_string(::getpid()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

Bytes ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& p, const Bytes& b) {
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

void PutI32(Bytes& b, size_t off, int32_t v) {
  for (int i = 0; i < 4; ++i)
    b[off + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}

TEST(SavedGameFile, MatchesTheLayoutByteForByte) {
  const SavedGame g = MidGame();
  // The file as the layout table describes it.
  Bytes want(456, 0);
  for (int t = 0; t < 2; ++t)
    for (int p = 0; p < 6; ++p) {
      const TPiece& x = g.Pieces[t][p];
      const size_t at = (t * 6 + p) * 36;
      PutI32(want, at + 0, x.Col);
      PutI32(want, at + 4, x.Row);
      want[at + 8] = x.EndP;
      PutI32(want, at + 12, 7 - 7 * t);
      want[at + 16] = x.StartP;
      PutI32(want, at + 20, 5 * t + 1);
      want[at + 24] = x.OnBase;
      want[at + 25] = x.OnReturn;
      PutI32(want, at + 28, -1);
      PutI32(want, at + 32, 7 * t);
    }
  PutI32(want, 432, 250);
  PutI32(want, 436, 1130);
  PutI32(want, 440, 40);
  PutI32(want, 444, 30);
  PutI32(want, 448, 2);
  want[452] = 0;
  want[453] = 0;
  want[454] = 1;
  want[455] = 0;

  const fs::path dir = TempDir();
  ASSERT_EQ(WriteSavedGame(dir / "mid.vdg", g), "");
  EXPECT_EQ(ReadFile(dir / "mid.vdg"), want);
  // Something in the position is worth checking by hand: the walking base
  // piece and the returned one.
  EXPECT_EQ(want[1 * 36 + 24], 1);   // computer piece 2 walks its base
  EXPECT_EQ(want[11 * 36 + 25], 1);  // human piece 6 on its return square
  EXPECT_EQ(fs::directory_iterator(dir)->path().filename(), "mid.vdg");  // no leftovers
}

TEST(SavedGameFile, LoadingAndSavingIsTheIdentity) {
  const fs::path dir = TempDir();
  SavedGame g = MidGame();
  g.NewMatchEnabled = true;
  g.GamesLeft = -3;  // counted below zero by games after a load: still a good file
  ASSERT_EQ(WriteSavedGame(dir / "a.vdg", g), "");
  SavedGame back;
  ASSERT_EQ(ReadSavedGame(dir / "a.vdg", back), "");
  EXPECT_EQ(back, g);
  ASSERT_EQ(WriteSavedGame(dir / "b.vdg", back), "");
  const Bytes a = ReadFile(dir / "a.vdg"), b = ReadFile(dir / "b.vdg");
  EXPECT_EQ(a, b);
  EXPECT_EQ(a[452], a[455]);
}

// Every file is either refused as a whole, or loads a position in which every
// invariant holds.
void ExpectLoadsSoundlyOrNotAtAll(const Bytes& b, const std::string& what) {
  SavedGame out = MidGame();
  const SavedGame before = out;
  const std::string err = DecodeSavedGame(b.data(), b.size(), out);
  if (!err.empty()) {
    EXPECT_EQ(err, kNotASavedGame) << what;
    EXPECT_EQ(out, before) << what << ": a refused file changed the game";
    return;
  }
  GameState s;
  ApplySavedGame(out, s);
  s.Pieces = out.Pieces;
  EXPECT_EQ(CheckInvariants(s), "") << what;
  EXPECT_GE(out.Score[0], 0) << what;
  EXPECT_LE(out.GamesLeft, 10) << what;
}

TEST(SavedGameFile, RefusesEveryTruncation) {
  const auto full = EncodeSavedGame(MidGame());
  for (size_t n = 0; n < full.size(); ++n) {
    SavedGame out = MidGame();
    EXPECT_EQ(DecodeSavedGame(full.data(), n, out), kNotASavedGame) << n;
    EXPECT_EQ(out, MidGame()) << n;
  }
  Bytes longer(full.begin(), full.end());
  longer.push_back(0);
  SavedGame out;
  EXPECT_EQ(DecodeSavedGame(longer.data(), longer.size(), out), kNotASavedGame);
}

TEST(SavedGameFile, EverySingleByteChangeIsSafe) {
  const auto good = EncodeSavedGame(MidGame());
  int refused = 0, loaded = 0;
  for (size_t i = 0; i < good.size(); ++i)
    for (int v : {0x00, 0x01, 0x02, 0x07, 0x08, 0x80, 0xFF}) {
      if (good[i] == v) continue;
      Bytes b(good.begin(), good.end());
      b[i] = static_cast<uint8_t>(v);
      SavedGame out;
      (DecodeSavedGame(b.data(), b.size(), out).empty() ? loaded : refused)++;
      ExpectLoadsSoundlyOrNotAtAll(b, "byte " + std::to_string(i) + " = " + std::to_string(v));
    }
  EXPECT_GT(refused, 0);
  EXPECT_GT(loaded, 0);  // scores, bonuses and games left may take other values
}

TEST(SavedGameFile, RefusesWhatTheGameCannotTrust) {
  struct Case {
    const char* name;
    void (*spoil)(Bytes&);
  };
  const Case cases[] = {
      {"column 8", [](Bytes& b) { PutI32(b, 0, 8); }},
      {"negative row", [](Bytes& b) { PutI32(b, 36 + 4, -1); }},
      {"flag 2", [](Bytes& b) { b[8] = 2; }},
      {"padding", [](Bytes& b) { b[10] = 1; }},
      {"end row of the wrong team", [](Bytes& b) { PutI32(b, 12, 0); }},
      {"base row", [](Bytes& b) { PutI32(b, 28, 0); }},
      {"flags disagree with the square", [](Bytes& b) { b[16] = 1 - b[16]; }},
      {"two of a team on one square",
       [](Bytes& b) {
         PutI32(b, 4 * 36 + 0, 2);
         PutI32(b, 4 * 36 + 4, 3);
       }},
      {"both teams on one square",
       [](Bytes& b) {
         PutI32(b, 6 * 36 + 0, 5);
         PutI32(b, 6 * 36 + 4, 3);
       }},
      {"negative score", [](Bytes& b) { PutI32(b, 436, -5); }},
      {"negative bonus", [](Bytes& b) { PutI32(b, 440, -1); }},
      {"games left above 10", [](Bytes& b) { PutI32(b, 448, 11); }},
      {"button flag 3", [](Bytes& b) { b[453] = 3; }},
      {"the two New Match bytes differ", [](Bytes& b) { b[455] = 1; }},
  };
  const auto good = EncodeSavedGame(MidGame());
  for (const Case& c : cases) {
    Bytes b(good.begin(), good.end());
    c.spoil(b);
    SavedGame out;
    EXPECT_EQ(DecodeSavedGame(b.data(), b.size(), out), kNotASavedGame) << c.name;
  }
}

TEST(SavedGameFile, RandomFilesNeverLoadABrokenPosition) {
  std::mt19937 rng(77);
  const auto good = EncodeSavedGame(MidGame());
  for (int i = 0; i < 3000; ++i) {
    Bytes b;
    if (i % 2) {
      b.resize(456);
      for (auto& x : b) x = static_cast<uint8_t>(rng() & (i % 4 == 1 ? 0x01 : 0xFF));
    } else {
      b.assign(good.begin(), good.end());  // a good file with a few bytes changed
      for (int k = 0; k < 1 + i % 5; ++k) b[rng() % b.size()] = static_cast<uint8_t>(rng());
    }
    ExpectLoadsSoundlyOrNotAtAll(b, "random file " + std::to_string(i));
  }
}

// --- Failures of the file system -----------------------------------------------

// A small tmpfs of our own; the test is skipped where mounting is not allowed.
class Mounted {
 public:
  Mounted(const fs::path& dir, unsigned long flags, const char* opts) : dir_(dir) {
    fs::create_directories(dir);
    ok_ = ::mount("tmpfs", dir.c_str(), "tmpfs", flags, opts) == 0;
  }
  ~Mounted() {
    if (ok_) ::umount2(dir_.c_str(), MNT_DETACH);
  }
  bool ok() const { return ok_; }

 private:
  fs::path dir_;
  bool ok_ = false;
};

TEST(SavedGameFile, SavingIntoAMissingFolderReportsTheReason) {
  const fs::path dir = TempDir();
  EXPECT_EQ(WriteSavedGame(dir / "no-such-folder" / "x.vdg", MidGame()),
            "No such file or directory.");
}

TEST(SavedGameFile, ReadOnlyFolderKeepsTheEarlierFile) {
  const fs::path dir = TempDir() / "ro";
  Mounted m(dir, 0, "size=64k");
  if (!m.ok()) GTEST_SKIP() << "cannot mount a tmpfs here";
  ASSERT_EQ(WriteSavedGame(dir / "game.vdg", MidGame()), "");
  const Bytes earlier = ReadFile(dir / "game.vdg");
  ASSERT_EQ(::mount("tmpfs", dir.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
  SavedGame other = MidGame();
  other.Score = {1, 2};
  EXPECT_EQ(WriteSavedGame(dir / "game.vdg", other), "Read-only file system.");
  EXPECT_EQ(ReadFile(dir / "game.vdg"), earlier);
}

TEST(SavedGameFile, FullDiskKeepsTheEarlierFileAndLeavesNoTemporary) {
  const fs::path dir = TempDir() / "full";
  Mounted m(dir, 0, "size=8k");
  if (!m.ok()) GTEST_SKIP() << "cannot mount a tmpfs here";
  ASSERT_EQ(WriteSavedGame(dir / "game.vdg", MidGame()), "");
  const Bytes earlier = ReadFile(dir / "game.vdg");
  {
    std::ofstream fill(dir / "filler", std::ios::binary);
    const std::string block(4096, 'x');
    for (int i = 0; i < 8 && fill; ++i) fill << block;
  }
  SavedGame other = MidGame();
  other.Score = {1, 2};
  EXPECT_EQ(WriteSavedGame(dir / "game.vdg", other), "No space left on device.");
  EXPECT_EQ(ReadFile(dir / "game.vdg"), earlier);
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir)) files += e.is_regular_file();
  EXPECT_EQ(files, 2) << "a temporary file was left behind";
}

// --- What may be opened, and what a save leaves behind ---------------------------

constexpr uid_t kNobody = 65534;

// Runs f in a child process (as the unprivileged user "nobody" when asked)
// and answers what it answered, or "(hangs)" when it takes longer than a few
// seconds: then the child is killed.
std::string InChild(const std::function<std::string()>& f, bool asNobody = false) {
  int fds[2];
  if (::pipe(fds) != 0) return "(no pipe)";
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    std::string r = "(cannot become nobody)";
    if (!asNobody || (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0)) r = f();
    (void)!::write(fds[1], r.data(), r.size());
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string out;
  pollfd p{fds[0], POLLIN, 0};
  char buf[512];
  for (;;) {
    if (::poll(&p, 1, 10000) <= 0) {
      ::kill(pid, SIGKILL);
      out = "(hangs)";
      break;
    }
    const ssize_t n = ::read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fds[0]);
  ::waitpid(pid, nullptr, 0);
  return out;
}

bool Root() { return ::geteuid() == 0; }

TEST(SavedGameFile, OnlyOrdinaryFilesAreOpenedAndNothingWaits) {
  const fs::path dir = TempDir();
  fs::permissions(dir, fs::perms::all);  // nobody may look inside
  ASSERT_EQ(::mkfifo((dir / "fifo.vdg").c_str(), 0666), 0);
  fs::create_directory(dir / "folder.vdg");
  fs::create_symlink("loop-b.vdg", dir / "loop-a.vdg");
  fs::create_symlink("loop-a.vdg", dir / "loop-b.vdg");
  ASSERT_EQ(WriteSavedGame(dir / "locked.vdg", MidGame()), "");
  fs::permissions(dir / "locked.vdg", fs::perms::none);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const std::string sockPath = (dir / "socket.vdg").string();
  ASSERT_LT(sockPath.size(), sizeof addr.sun_path);
  std::copy(sockPath.begin(), sockPath.end(), addr.sun_path);
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ::listen(sock, 1);

  struct Case {
    const char* what;
    std::string path;
    std::string reason;
    bool asNobody;
  };
  const Case cases[] = {
      {"a FIFO", (dir / "fifo.vdg").string(), kNotASavedGame, false},
      {"a folder", (dir / "folder.vdg").string(), kNotASavedGame, false},
      {"an endless device", "/dev/zero", kNotASavedGame, false},
      {"a socket", sockPath, kNotASavedGame, false},
      {"an unreadable file", (dir / "locked.vdg").string(), "Permission denied.", Root()},
      {"a symlink loop", (dir / "loop-a.vdg").string(), "Too many levels of symbolic links.",
       false},
  };
  for (const Case& c : cases) {
    const std::string got = InChild(
        [&] {
          SavedGame out;
          return ReadSavedGame(c.path, out);
        },
        c.asNobody);
    EXPECT_EQ(got, c.reason) << c.what;
  }
  ::close(sock);
}

struct FileFacts {
  Bytes bytes;
  unsigned mode;
  nlink_t links;
  uid_t owner;
  bool symlink;
};

FileFacts Facts(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return {ReadFile(p), st.st_mode & 07777u, st.st_nlink, st.st_uid, fs::is_symlink(p)};
}

TEST(SavedGameFile, SavingOverWritesThroughAndKeepsWhatThePlayerKeeps) {
  const fs::path dir = TempDir();
  fs::permissions(dir, fs::perms::all);  // nobody may save here too
  const Bytes earlier(456, 0);           // any earlier content
  const auto newBytes = EncodeSavedGame(MidGame());
  const Bytes saved(newBytes.begin(), newBytes.end());
  struct Case {
    const char* what;
    std::string name;                              // what the player chose
    std::function<void(const fs::path&)> prepare;  // sets up the earlier file
    std::string reason;                            // "" or the refusal
    bool asNobody;
    std::function<void(const fs::path&)> check;  // the state afterwards
  };
  const auto link = [&](const fs::path& p) {
    WriteFile(dir / "target.vdg", earlier);
    fs::permissions(dir / "target.vdg", fs::perms(0640));
    fs::create_symlink("target.vdg", p);
  };
  const auto file = [&](unsigned mode) {
    return [&, mode](const fs::path& p) {
      WriteFile(p, earlier);
      fs::permissions(p, fs::perms(mode));
      if (Root()) {
        ASSERT_EQ(::chown(p.c_str(), kNobody, kNobody), 0);
      }
    };
  };
  const Case cases[] = {
      {"a symlink", "link.vdg", link, "", false,
       [&](const fs::path& p) {
         EXPECT_TRUE(fs::is_symlink(p));
         const FileFacts f = Facts(dir / "target.vdg");
         EXPECT_EQ(f.bytes, saved);
         EXPECT_EQ(f.mode, 0640u);
       }},
      {"a dangling symlink", "dangling.vdg",
       [&](const fs::path& p) { fs::create_symlink("made.vdg", p); }, "", false,
       [&](const fs::path& p) {
         EXPECT_TRUE(fs::is_symlink(p));
         EXPECT_EQ(ReadFile(dir / "made.vdg"), saved);
       }},
      {"a 0600 file of another owner", "private.vdg", file(0600), "", false,
       [&](const fs::path& p) {
         const FileFacts f = Facts(p);
         EXPECT_EQ(f.bytes, saved);
         EXPECT_EQ(f.mode, 0600u);
         if (Root()) {
           EXPECT_EQ(f.owner, kNobody);
         }
       }},
      {"a read-only file", "readonly.vdg", file(0444), "Permission denied.", true,
       [&](const fs::path& p) {
         const FileFacts f = Facts(p);
         EXPECT_EQ(f.bytes, earlier);
         EXPECT_EQ(f.mode, 0444u);
       }},
      {"a hard link", "hard.vdg",
       [&](const fs::path& p) {
         WriteFile(dir / "original.vdg", earlier);
         fs::create_hard_link(dir / "original.vdg", p);
       },
       "", false,
       [&](const fs::path& p) {
         EXPECT_EQ(Facts(p).links, 2u);
         EXPECT_EQ(ReadFile(dir / "original.vdg"), saved);
       }},
      {"a 250-character name", std::string(246, 'n') + ".vdg", file(0644), "", false,
       [&](const fs::path& p) { EXPECT_EQ(Facts(p).bytes, saved); }},
      {"a folder", "folder.vdg", [](const fs::path& p) { fs::create_directory(p); },
       "Is a directory.", false, [](const fs::path& p) { EXPECT_TRUE(fs::is_directory(p)); }},
  };
  for (const Case& c : cases) {
    const fs::path p = dir / c.name;
    c.prepare(p);
    // An ordinary user is refused by the file's mode itself; root is not.
    const bool asNobody = c.asNobody && Root();
    EXPECT_EQ(InChild([&] { return WriteSavedGame(p.string(), MidGame()); }, asNobody), c.reason)
        << c.what;
    c.check(p);
  }
  // Nothing but the files themselves is left in the folder.
  for (const auto& e : fs::directory_iterator(dir))
    EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
}

TEST(SavedGameFile, StaleTemporariesOfOursAreRemovedOnTheNextSave) {
  const fs::path dir = TempDir();
  const auto age = [](const fs::path& p, int seconds) {
    const timespec t[2] = {{::time(nullptr) - seconds, 0}, {::time(nullptr) - seconds, 0}};
    ::utimensat(AT_FDCWD, p.c_str(), t, 0);
  };
  // Left by a save that was killed: an old one, a fresh one (another save may
  // be writing it), and files of the player's that look a little alike.
  const char* old = ".game.vdg.vdg-a1B2c3";
  const char* fresh = ".game.vdg.vdg-Zz9yY8";
  const char* players[] = {".game.vdg.vdg-a1B2c3~", ".notes.vdg-abc", "game.vdg.vdg-a1B2c3"};
  for (const char* n : {old, fresh}) WriteFile(dir / n, Bytes(456, 0));
  for (const char* n : players) WriteFile(dir / n, Bytes(10, 0));
  for (const char* n : {old, players[0], players[1], players[2]}) age(dir / n, 120);
  ASSERT_EQ(WriteSavedGame(dir / "other.vdg", MidGame()), "");
  EXPECT_FALSE(fs::exists(dir / old));
  EXPECT_TRUE(fs::exists(dir / fresh));
  for (const char* n : players) EXPECT_TRUE(fs::exists(dir / n)) << n;
}

// Scores and bonuses up to what the panel shows, games left down to a
// generous bound: such files load; one step further they are refused.
TEST(SavedGameFile, ExtremeNumbersLoadUpToTheBoundsAndNoFurther) {
  struct Case {
    size_t offset;
    int32_t value;
    bool loads;
  };
  const Case cases[] = {
      {432, kMaxPoints, true},    {432, kMaxPoints + 1, false},    {436, INT32_MAX, false},
      {440, kMaxPoints, true},    {444, kMaxPoints + 1, false},    {444, INT32_MIN, false},
      {448, kMinGamesLeft, true}, {448, kMinGamesLeft - 1, false}, {448, INT32_MIN, false},
  };
  const auto good = EncodeSavedGame(MidGame());
  for (const Case& c : cases) {
    Bytes b(good.begin(), good.end());
    PutI32(b, c.offset, c.value);
    SavedGame out;
    EXPECT_EQ(DecodeSavedGame(b.data(), b.size(), out).empty(), c.loads)
        << "offset " << c.offset << " = " << c.value;
  }
}

TEST(SavedGameFile, MissingFileReportsTheReason) {
  SavedGame out;
  EXPECT_EQ(ReadSavedGame((TempDir() / "nothing.vdg").string(), out), "No such file or directory.");
}

// --- Saving and loading in the game ----------------------------------------------

struct Harness {
  Harness() : ui(3), game(ui), player(ui, game) { game.FormCreate(); }
  FakePresentation ui;
  Game game;
  ScriptedPlayer player;
};

bool HumanToThrow(Game& g) { return g.state().Input == HumanInput::AwaitThrow; }

TEST(SaveAndLoad, ALoadedGameGoesOnWithTheHumanToThrowAndPlaysToTheEnd) {
  const fs::path dir = TempDir();
  SavedGame g = MidGame();
  g.SfxOn = false;
  ASSERT_EQ(WriteSavedGame(dir / "mid.vdg", g), "");

  Harness h;
  h.ui.openNames.push_back((dir / "mid.vdg").string());
  h.player.Then(ScriptedPlayer::Load()).When(HumanToThrow, [&](Game& game) {
    const GameState& s = game.state();
    EXPECT_EQ(s.Pieces, g.Pieces);
    EXPECT_EQ(s.Score, g.Score);
    EXPECT_EQ(s.Bonus, g.Bonus);
    EXPECT_EQ(s.Dice, 0);
    EXPECT_FALSE(s.SfxOn);
    EXPECT_FALSE(s.NewBtnEnabled);  // both were off when it was saved
    EXPECT_FALSE(s.MatchBtnEnabled);
    EXPECT_FALSE(s.LoadPending);
    game.DiceBtnClick();
  });
  h.player.autoplay = FirstLegalHuman;
  h.player.Run();
  EXPECT_EQ(h.ui.Calls("sfx-caption").back(), "SFX Off");
  EXPECT_FALSE(h.game.state().GameRunning);
  EXPECT_TRUE(AllAtEndRow(h.game.state(), 0) || AllAtEndRow(h.game.state(), 1));
  EXPECT_EQ(h.game.state().GamesLeft, 1);
  EXPECT_TRUE(h.ui.Sounds().empty());
}

TEST(SaveAndLoad, CancelledOpenStartsAnOrdinaryGame) {
  Harness h;
  h.game.state().GamesLeft = 1;
  h.player.Then(ScriptedPlayer::Load()).When(HumanToThrow, [](Game& game) {
    GameState fresh = Position(testing::kStartPicture);
    EXPECT_EQ(game.state().Pieces, fresh.Pieces);
    EXPECT_TRUE(game.state().GameRunning);
    game.SpeedButton1Click();
  });
  h.player.Run();
  EXPECT_EQ(h.ui.Calls("open-dialog").size(), 1u);
  EXPECT_TRUE(h.ui.Calls("error").empty());
}

TEST(SaveAndLoad, ARefusedFileChangesNothingAndTheFreshGameIsPlayed) {
  const fs::path dir = TempDir();
  WriteFile(dir / "short.vdg", Bytes(100, 1));
  Harness h;
  h.game.state().Score = {70, 80};
  h.game.state().GamesLeft = 3;
  h.ui.openNames.push_back((dir / "short.vdg").string());
  h.player.Then(ScriptedPlayer::Load()).When(HumanToThrow, [](Game& game) {
    EXPECT_EQ(game.state().piece(1, 1).Row, 6);
    EXPECT_EQ(game.state().Score[0], 70);
    EXPECT_EQ(game.state().GamesLeft, 3);
    EXPECT_TRUE(game.state().SfxOn);
    EXPECT_FALSE(game.state().LoadPending);
    game.SpeedButton1Click();
  });
  h.player.Run();
  EXPECT_EQ(h.ui.Calls("error"), std::vector<std::string>{kNotASavedGame});
}

// Every file the game writes loads again, and holds what the game held. A
// hasty player presses "Save" at every wait of many games, started from a new
// match and from loaded files at the numbers' bounds; a save during a move is
// ignored, every other one is read back at once.
TEST(SaveAndLoad, EverySaveAtEveryMomentLoadsAgain) {
  // Thousands of saves: in memory where we can, as each one is synced.
  const fs::path dir = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : TempDir();
  const std::string name = (dir / ("vandrel-" + std::to_string(::getpid()) + ".vdg")).string();
  SavedGame extreme = MidGame();
  extreme.Score = {kMaxPoints, kMaxPoints - 1};
  extreme.Bonus = {kMaxPoints - 5, kMaxPoints};
  extreme.GamesLeft = kMinGamesLeft;
  SavedGame high = extreme;
  high.GamesLeft = 10;
  high.PlayGameEnabled = high.NewMatchEnabled = true;
  const std::optional<SavedGame> starts[] = {std::nullopt, extreme, high};
  int saves = 0, ignored = 0;
  for (uint32_t seed = 1; seed <= 2; ++seed)
    for (const auto& start : starts) {
      FakePresentation ui(seed);
      Game game(ui);
      game.FormCreate();
      ui.onWait = [&](testing::WaitKind k) {
        if (ui.Quitting()) return false;
        ui.saveNames.push_back(name);
        const size_t dialogs = ui.Calls("save-dialog").size();
        game.SpeedButton4Click();
        if (ui.Calls("save-dialog").size() == dialogs) {
          ++ignored;
          EXPECT_TRUE(game.state().MoveInProgress);
          ui.saveNames.clear();
        } else {
          ++saves;
          SavedGame back, want = SavedGameOf(game.state());
          EXPECT_EQ(ReadSavedGame(name, back), "") << "file written at a bad moment";
          EXPECT_EQ(back, want);
        }
        if (k == testing::WaitKind::Event) return FirstLegalHuman(game);
        return true;
      };
      if (start) {
        ASSERT_EQ(WriteSavedGame(name, *start), "");
        ui.openNames.push_back(name);
        game.LoadBtnClick();
      } else {
        game.state().GamesLeft = 1;
        game.state().NewBtnEnabled = true;
        game.NewBtnClick();
      }
      EXPECT_TRUE(ui.Calls("error").empty()) << ui.Calls("error").front();
      const GameState& s = game.state();
      EXPECT_FALSE(s.GameRunning);
      EXPECT_TRUE(AllAtEndRow(s, 0) || AllAtEndRow(s, 1));
      for (int t = 0; t < kTeams; ++t) EXPECT_LE(s.Score[t], kMaxPoints);
      if (start) {
        EXPECT_EQ(s.GamesLeft, std::max(kMinGamesLeft, start->GamesLeft - 1));
      }
      // And once more after the game: the file that ends up on disk loads.
      ui.saveNames.push_back(name);
      ASSERT_TRUE(game.SaveGame());
      SavedGame back;
      EXPECT_EQ(ReadSavedGame(name, back), "");
    }
  fs::remove(name);
  EXPECT_GT(saves, 1000);
  EXPECT_GT(ignored, 0);
}

TEST(SaveAndLoad, AFailedSaveShowsTheReasonAndTheGameGoesOn) {
  Harness h;
  h.ui.saveNames.push_back((TempDir() / "missing" / "x.vdg").string());
  const GameState before = h.game.state();
  EXPECT_FALSE(h.game.SaveGame());
  EXPECT_EQ(h.ui.Calls("error"), std::vector<std::string>{"No such file or directory."});
  EXPECT_EQ(h.game.state(), before);
}

}  // namespace
}  // namespace vandrel

namespace vandrel {
namespace {

// Writes a few good files into ./corpus for the fuzzer to start from.
TEST(SavedGameFile, WritesSeedCorpus) {
  if (!fs::exists("corpus")) GTEST_SKIP() << "only for the fuzzer's run";
  SavedGame g = MidGame();
  ASSERT_EQ(WriteSavedGame("corpus/mid.vdg", g), "");
  g.Pieces = Position(testing::kStartPicture).Pieces;
  g.Score = {0, 0};
  g.Bonus = {0, 0};
  g.NewMatchEnabled = true;
  ASSERT_EQ(WriteSavedGame("corpus/start.vdg", g), "");
}

}  // namespace
}  // namespace vandrel
