// The player's settings, kept between runs in an INI file
// ($XDG_CONFIG_HOME/vandrel/vandrel.conf): games per match, sound, the
// computer's level, "Show moves", full screen or a window, and the folder
// last used by Save and Load.
//
// The file is read once at start; a value the game cannot use keeps its
// default and is told in one line on standard error. The file is written
// only when the player changes a setting (Apply, the sound button, F11, a
// file chosen), so a file the game could not read stays as it is until then.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "rules/state.h"

namespace vandrel {

struct GameSettings {
  int gamesPerMatch = 1;
  bool sound = true;
  ComputerLevel level = ComputerLevel::Classic;
  bool showMoves = true;
  bool fullScreen = true;
  QString lastFolder;  // empty: the working folder

  bool operator==(const GameSettings&) const = default;
};

class KeptSettings {
 public:
  using Warn = std::function<void(const std::string& line)>;
  // path "" keeps nothing (the tests' windows).
  KeptSettings(QString path, Warn warn);
  static QString DefaultPath();

  // Reads the file, if there is one.
  void Load();
  const GameSettings& Values() const { return values_; }

  // The game's settings as the player left them.
  void ApplyTo(GameState& s) const;
  // The player changed the game's settings: kept when they differ.
  void KeepGame(const GameState& s);
  void KeepFullScreen(bool on);
  // The folder of a file chosen in the Save or Load dialog.
  void KeepLastFolder(const std::string& file);
  const QString& LastFolder() const { return values_.lastFolder; }

  // "settings games N sound on|off computer classic|strong show-moves on|off
  // screen full|window", the trace's line after "ready" (screen: as this
  // run shows the window).
  static std::string TraceLine(const GameState& s, bool fullScreen);

 private:
  void Write();

  QString path_;
  Warn warn_;
  GameSettings values_;
  bool writeTold_ = false;
};

}  // namespace vandrel
