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

// Why the program cannot open the display Qt will use, as one line ("cannot
// open display ':9'"), or an empty string when it can (or when Qt is told to
// use a platform that needs no X display).
std::string DisplayProblem();

}  // namespace vandrel
