#include "app/cmdline.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "ui/language/translations.h"

#ifndef VANDREL_VERSION
#error "the build gives the program's version"
#endif

namespace vandrel {

namespace {

constexpr const char* kProgram = "vandrel";

std::string Line(const QString& s) { return s.toStdString() + "\n"; }

// The command line's texts, in the player's language: read before the
// application object exists, so through the catalogues themselves.
QString Tr(const char* text) { return translate("vandrel::CommandLine", text); }

struct Option {
  QStringList names;
  const char* description;
};

// -h/--help, -v/--version, --window, in the order --help lists them.
const Option kOptions[] = {
    {{QStringLiteral("h"), QStringLiteral("help")},
     //: --help's list of options: each in one line after a column of 20
     //: characters, within 80.
     QT_TRANSLATE_NOOP("vandrel::CommandLine", "show this help and exit")},
    {{QStringLiteral("v"), QStringLiteral("version")},
     QT_TRANSLATE_NOOP("vandrel::CommandLine", "show the version and exit")},
    {{QStringLiteral("window")},
     QT_TRANSLATE_NOOP("vandrel::CommandLine", "play in a window and leave the screen mode alone")},
};

// "  -h, --help        show this help and exit": a name and its description.
std::string HelpRow(const QString& names, const QString& description) {
  return Line(QStringLiteral("  ") + names.leftJustified(18) + description);
}

std::string HelpText() {
  // QCommandLineParser's own text needs the application object, which would
  // need the display; ours is written out in the same shape.
  //: --help's first line. "vandrel", "[" and "]" stay; "options" and "FILE"
  //: may be translated.
  std::string text = Line(translate("vandrel::CommandLine", "Usage: vandrel [options] [FILE.vdg]"));
  text += Line(translate("vandrel::CommandLine",
                         "Vandrel: a board game for one player against the computer."));
  //: --help's heading over the options.
  text += "\n" + Line(translate("vandrel::CommandLine", "Options:"));
  for (const Option& o : kOptions) {
    QString names;
    for (const QString& n : o.names) {
      if (!names.isEmpty()) names += QStringLiteral(", ");
      names += (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
    }
    text += HelpRow(names, Tr(o.description));
  }
  //: --help's heading over the arguments.
  text += "\n" + Line(translate("vandrel::CommandLine", "Arguments:"));
  //: --help: the name of the argument, as in the first line ("[FILE.vdg]");
  //: at most 16 characters.
  text += HelpRow(
      translate("vandrel::CommandLine", "FILE.vdg"),
      //: --help: what the argument is. "Load" is the button.
      translate("vandrel::CommandLine", "a saved game to start from, as \"Load\" starts one"));
  //: --help's last lines, each within 80 characters: the keys and the buttons
  //: they press, by the buttons' captions. "vandrel(6)" is the manual page.
  text += "\n" + Line(translate(
                     "vandrel::CommandLine",
                     "Keys: N New Match, P Play Game, Space or D Throw Dice, H a hint, F1 Rules,\n"
                     "M sound on or off, R Your record, F11 full screen or a window, Ctrl+S Save,\n"
                     "Ctrl+O Load, Ctrl+Q Bye!; on the board the arrows and Return, Escape to\n"
                     "de-select a piece. See vandrel(6)."));
  return text;
}

// Why the parser refused the command line.
QString ParseError(const QCommandLineParser& parser) {
  const QStringList unknown = parser.unknownOptionNames();
  //: A command line refused: one option the program does not know.
  if (unknown.size() == 1)
    return translate("vandrel::CommandLine", "Unknown option '%1'.").arg(unknown.first());
  //: A command line refused: the options the program does not know, with
  //: commas between them.
  if (unknown.size() > 1)
    return translate("vandrel::CommandLine", "Unknown options: %1.")
        .arg(unknown.join(QStringLiteral(", ")));
  // A value given to an option that takes none: Qt's words.
  return parser.errorText();
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
    cl.err = std::string(kProgram) + ": " + Line(why) +
             //: After a command line refused; "vandrel --help" stays.
             Line(translate("vandrel::CommandLine", "Try 'vandrel --help' for more information."));
    return cl;
  };
  if (!parser.parse(args)) return usage(ParseError(parser));
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
  //: A command line refused: it named more than one saved game.
  if (files.size() > 1) return usage(translate("vandrel::CommandLine", "one saved game at a time"));
  cl.windowed = parser.isSet(window);
  if (!files.isEmpty()) cl.file = files.first();
  return cl;
}

std::string DisplayProblem() {
  // Another platform (offscreen, wayland, vnc, ...) is Qt's to check.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform && std::string(platform).rfind("xcb", 0) != 0) return {};
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* display = std::getenv("DISPLAY");
  if ((!display || !*display) && !(!platform && wayland && *wayland)) {
    //: The program cannot start: no display named. DISPLAY is the
    //: environment variable's name and stays.
    return translate("vandrel::CommandLine", "cannot open a display: DISPLAY is not set")
        .toStdString();
  }
  return {};
}

// --- While Qt opens the display ----------------------------------------------

namespace {

// A message held back; the strings it points to are Qt's own and static.
struct Held {
  QtMsgType type;
  const char* file;
  int line;
  const char* function;
  const char* category;
  QString text;
};

// Qt may speak from its other threads too (D-Bus) while it starts; the state
// lives as long as the program, so a late message finds it still there.
struct StartUp {
  std::mutex mutex;
  QtMessageHandler previous = nullptr;
  std::vector<Held> held;
  bool noConnection = false;
  QString display;  // the display Qt said it could not open
};

StartUp& State() {
  static StartUp* state = new StartUp;
  return *state;
}

void OnStartUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  StartUp& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  const QLatin1String category(context.category ? context.category : "");
  static const QLatin1String kNoConnection("could not connect to display");
  if (category.startsWith(QLatin1String("qt.qpa")) && text.startsWith(kNoConnection)) {
    s.noConnection = true;
    s.display = text.mid(kNoConnection.size()).trimmed();
    if (s.display.isEmpty()) s.display = QString::fromLocal8Bit(std::getenv("DISPLAY"));
  }
  if (type != QtFatalMsg) {
    s.held.push_back({type, context.file, context.line, context.function, context.category, text});
    return;
  }
  std::string why;
  if (s.noConnection) {
    //: The program cannot start: %1 is the display's name (":0").
    why =
        translate("vandrel::CommandLine", "cannot open display '%1'").arg(s.display).toStdString();
  } else {
    // Not the display: what Qt said on the way tells what it was.
    for (const Held& h : s.held) std::fprintf(stderr, "%s\n", h.text.toLocal8Bit().constData());
    //: The program cannot start: %1 is Qt's reason, in English.
    why = translate("vandrel::CommandLine", "cannot start: %1")
              .arg(text.section(QLatin1Char('\n'), 0, 0))
              .toStdString();
  }
  std::fprintf(stderr, "%s: %s\n", kProgram, why.c_str());
  std::fflush(stderr);
  std::_Exit(kExitFailure);
}

}  // namespace

DisplayGuard::DisplayGuard() {
  StartUp& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.previous = qInstallMessageHandler(OnStartUpMessage);
}

DisplayGuard::~DisplayGuard() {
  StartUp& s = State();
  std::vector<Held> held;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    qInstallMessageHandler(s.previous);
    held.swap(s.held);
  }
  // The display opened: what Qt said on the way goes out as it would have.
  for (const Held& h : held) {
    qt_message_output(h.type, QMessageLogContext(h.file, h.line, h.function, h.category), h.text);
  }
}

}  // namespace vandrel
