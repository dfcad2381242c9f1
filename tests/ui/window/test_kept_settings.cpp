// The settings file: what the player chose comes back, and a file the game
// cannot use leaves the defaults, is told once and is not overwritten until
// the player changes a setting.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "ui/window/kept_settings.h"

namespace vandrel {
namespace {

struct Settings {
  QTemporaryDir dir;
  QString path = dir.path() + QStringLiteral("/vandrel/vandrel.conf");
  std::vector<std::string> told;
  KeptSettings Make() {
    return KeptSettings(path, [this](const std::string& l) { told.push_back(l); });
  }
  void Write(const std::string& text) {
    QDir().mkpath(dir.path() + QStringLiteral("/vandrel"));
    std::ofstream(path.toStdString()) << text;
  }
};

TEST(KeptSettings, WhatThePlayerChoseComesBack) {
  Settings f;
  {
    KeptSettings s = f.Make();
    s.Load();
    EXPECT_EQ(s.Values(), GameSettings{});
    EXPECT_FALSE(QFile::exists(f.path)) << "written before anything changed";
    GameState g;
    g.GamesPerMatch = 7;
    g.SfxOn = false;
    g.Level = ComputerLevel::Strong;
    g.ShowMoves = false;
    s.KeepGame(g);
    s.KeepFullScreen(false);
    s.KeepLastFolder("/srv/games/final.vdg");
  }
  KeptSettings s = f.Make();
  s.Load();
  EXPECT_EQ(s.Values(),
            (GameSettings{7, false, ComputerLevel::Strong, false, false, "/srv/games"}));
  GameState g;
  s.ApplyTo(g);
  EXPECT_EQ(KeptSettings::TraceLine(g, false),
            "settings games 7 sound off computer strong show-moves off screen window");
  EXPECT_TRUE(f.told.empty());
}

TEST(KeptSettings, ValuesTheGameCannotUseKeepTheirDefaults) {
  struct Case {
    const char* text;
    GameSettings expected;
    bool told;
  };
  const GameSettings d;
  auto with = [](auto change) {
    GameSettings v;
    change(v);
    return v;
  };
  const Case cases[] = {
      {"[match]\ngames=4\n[computer]\nlevel=Strong\n", with([](GameSettings& v) {
         v.gamesPerMatch = 4;
         v.level = ComputerLevel::Strong;
       }),
       false},
      {"[match]\ngames=0\n", d, true},
      {"[match]\ngames=11\n", d, true},
      {"[match]\ngames=three\n", d, true},
      {"[match]\ngames=99999999999999999999\n", d, true},
      {"[sound]\non=maybe\n[window]\nfull_screen=false\n",
       with([](GameSettings& v) { v.fullScreen = false; }), true},
      {"[computer]\nlevel=grandmaster\n", d, true},
      {"[files]\nlast_folder=relative/path\n", d, true},
      {"[help]\nshow_moves=false\nfuture=1\n", with([](GameSettings& v) { v.showMoves = false; }),
       false},
      {"\x01\x02\x03garbage without sections\n", d, false},
      {"", d, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Settings f;
    f.Write(c.text);
    KeptSettings s = f.Make();
    s.Load();
    EXPECT_EQ(s.Values(), c.expected);
    EXPECT_EQ(f.told.size(), c.told ? 1u : 0u);
  }
}

TEST(KeptSettings, HostileFilesAreToldOnceAndLeftUntilAChange) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
    bool writable;
  };
  const Case cases[] = {
      {"folder", [](const std::string& p) { std::filesystem::create_directories(p); }, false},
      {"fifo", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, true},
      {"link to a fifo",
       [](const std::string& p) {
         ::mkfifo((p + ".fifo").c_str(), 0600);
         std::filesystem::create_symlink(p + ".fifo", p);
       },
       true},
      {"oversized", [](const std::string& p) { std::ofstream(p) << std::string(70000, 'x'); },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Settings f;
    QDir().mkpath(f.dir.path() + QStringLiteral("/vandrel"));
    c.make(f.path.toStdString());
    KeptSettings s = f.Make();
    s.Load();  // must not hang on a FIFO
    EXPECT_EQ(s.Values(), GameSettings{});
    EXPECT_EQ(f.told.size(), 1u);
    // The player changes a setting: written where it can be, else told once.
    GameState g;
    g.GamesPerMatch = 2;
    s.KeepGame(g);
    g.GamesPerMatch = 3;
    s.KeepGame(g);
    EXPECT_EQ(f.told.size(), c.writable ? 1u : 2u);
    if (c.writable) {
      KeptSettings back = f.Make();
      back.Load();
      EXPECT_EQ(back.Values().gamesPerMatch, 3);
    }
  }
}

}  // namespace
}  // namespace vandrel
