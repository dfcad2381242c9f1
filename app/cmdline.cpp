#include "app/cmdline.h"

#include <QCommandLineParser>
#include <cstdlib>
#include <vector>

// After Qt's headers: Xlib defines Status, Bool and the like as macros.
#include <X11/Xlib.h>

#ifndef VANDREL_VERSION
#error "the build gives the program's version"
#endif

namespace vandrel {

namespace {

constexpr const char* kProgram = "vandrel";

std::string Line(const QString& s) { return s.toStdString() + "\n"; }

struct Option {
  QStringList names;
  const char* description;
};

// -h/--help, -v/--version, --window, in the order --help lists them.
const Option kOptions[] = {
    {{QStringLiteral("h"), QStringLiteral("help")}, "show this help and exit"},
    {{QStringLiteral("v"), QStringLiteral("version")}, "show the version and exit"},
    {{QStringLiteral("window")}, "play in a window and leave the screen mode alone"},
};

std::string HelpText() {
  // QCommandLineParser's own text needs the application object, which would
  // need the display; ours is written out in the same shape.
  std::string text =
      "Usage: vandrel [options] [FILE.vdg]\n"
      "Vandrel: a board game for one player against the computer.\n"
      "\n"
      "Options:\n";
  for (const Option& o : kOptions) {
    QString names;
    for (const QString& n : o.names) {
      if (!names.isEmpty()) names += QStringLiteral(", ");
      names += (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
    }
    text += "  " + names.leftJustified(18).toStdString() + o.description + "\n";
  }
  text +=
      "\n"
      "Arguments:\n"
      "  FILE.vdg          a saved game to start from, as \"Load\" starts one\n"
      "\n"
      "Keys: N New Match, P Play Game, Space or D Throw Dice, the arrows and\n"
      "Return on the board, Escape to drop a piece, F1 Rules, M sound on or off,\n"
      "Ctrl+S Save, Ctrl+O Load, Ctrl+Q Bye!. See vandrel(6).\n";
  return text;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& args) {
  CommandLine cl;
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  std::vector<QCommandLineOption> options;
  for (const Option& o : kOptions) {
    options.emplace_back(o.names, QString::fromLatin1(o.description));
    parser.addOption(options.back());
  }
  const QCommandLineOption& help = options[0];
  const QCommandLineOption& version = options[1];
  const QCommandLineOption& window = options[2];

  const auto usage = [&cl](const QString& why) {
    cl.done = true;
    cl.exitCode = kExitUsage;
    cl.err = std::string(kProgram) + ": " + why.toStdString() +
             "\nTry 'vandrel --help' for more information.\n";
    return cl;
  };
  if (!parser.parse(args)) return usage(parser.errorText());
  if (parser.isSet(help)) {
    cl.done = true;
    cl.out = HelpText();
    return cl;
  }
  if (parser.isSet(version)) {
    cl.done = true;
    cl.out =
        Line(QStringLiteral("%1 %2").arg(QLatin1String(kProgram), QStringLiteral(VANDREL_VERSION)));
    return cl;
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) return usage(QStringLiteral("one saved game at a time"));
  cl.windowed = parser.isSet(window);
  if (!files.isEmpty()) cl.file = files.first();
  return cl;
}

std::string DisplayProblem() {
  // Another platform (offscreen, wayland, vnc, ...) is Qt's to check.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform && std::string(platform).rfind("xcb", 0) != 0) return {};
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const bool maybeWayland = !platform && wayland && *wayland;
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    if (maybeWayland) return {};
    return "cannot open a display: DISPLAY is not set";
  }
  if (Display* d = XOpenDisplay(display)) {
    XCloseDisplay(d);
    return {};
  }
  if (maybeWayland) return {};
  return std::string("cannot open display '") + display + "'";
}

}  // namespace vandrel
