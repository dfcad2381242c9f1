#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
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

TEST(SaveAndLoad, SaveDuringAMoveIsIgnoredAndFilesAreAlwaysWhole) {
  const fs::path dir = TempDir();
  Harness h;
  int saves = 0;
  // A hasty player presses "Save" at every wait of a whole game; each file
  // written must load.
  h.ui.onWait = [&](testing::WaitKind k) {
    if (h.ui.Quitting()) return false;
    const std::string name = (dir / ("s" + std::to_string(saves) + ".vdg")).string();
    h.ui.saveNames.push_back(name);
    const size_t before = h.ui.Calls("save-dialog").size();
    h.game.SpeedButton4Click();
    if (h.ui.Calls("save-dialog").size() > before) {
      ++saves;
      SavedGame back;
      EXPECT_EQ(ReadSavedGame(name, back), "") << "file written at a bad moment";
    } else {
      h.ui.saveNames.pop_back();
      EXPECT_TRUE(h.game.state().MoveInProgress);
    }
    if (k == testing::WaitKind::Event) return FirstLegalHuman(h.game);
    return true;
  };
  h.game.state().GamesLeft = 1;
  h.game.state().NewBtnEnabled = true;
  h.game.NewBtnClick();
  EXPECT_GT(saves, 50);
  EXPECT_FALSE(h.game.state().GameRunning);
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
