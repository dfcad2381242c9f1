// The program's command line: vandrel [--window] [FILE.vdg].
//
// Parsed before anything touches a display, so that --help, --version and a
// wrong option work without one, and a missing display is reported in one
// line instead of Qt's abort.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace vandrel {

struct CommandLine {
  bool windowed = false;  // --window: play in a window, the screen mode left alone
  QString file;           // a saved game to start from; empty for none

  // Set when the program has nothing more to do than print `out` on standard
  // output and `err` on standard error and leave with `exitCode`.
  bool done = false;
  int exitCode = 0;
  std::string out, err;
};

// Exit codes, as Debian's programs use them.
constexpr int kExitFailure = 1;  // no display
constexpr int kExitUsage = 2;    // an option or argument the program does not take

// args: the whole argv, the program's name first.
CommandLine ParseCommandLine(const QStringList& args);

// Why there is no display to open, as one line ("cannot open a display:
// DISPLAY is not set"), or an empty string when there may be one. Asks the
// environment only: a display that is named but does not open is found by
// Qt itself, under a DisplayGuard.
std::string DisplayProblem();

// While one lives (around the making of the application object), a display
// that Qt cannot open ends the program with one line on standard error
// ("vandrel: cannot open display ':9'") and kExitFailure, instead of Qt's
// warnings and abort. What Qt says on a start that succeeds is passed on
// when the guard goes. No second connection to the display is made for the
// check: closing one on a server with no other client resets the server,
// and the game's own connection would wait for that.
class DisplayGuard {
 public:
  DisplayGuard();
  ~DisplayGuard();
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;
};

}  // namespace vandrel
