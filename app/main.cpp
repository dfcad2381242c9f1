// Vandrel: one player against the computer.
//
//   vandrel [--window] [FILE.vdg]      (vandrel --help for the rest)
//
// Environment: VANDREL_TRACE=1 writes one line per game event on standard
// output (in English, whatever the language); VANDREL_DEVELOPER=1 shows the
// developer controls (and leaves the screen mode alone, since they need more
// room than 800 x 600). LANGUAGE, LC_ALL, LC_MESSAGES and LANG choose the
// language (ui/language/language_choice.h).
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "app/cmdline.h"
#include "platform/mode_guardian.h"
#include "platform/quit_signals.h"
#include "ui/language/language_choice.h"
#include "ui/language/translations.h"
#include "ui/window/main_window.h"
#include "ui/window/preload.h"

namespace {

bool EnvOn(const char* name) {
  const char* v = std::getenv(name);
  return v && std::strcmp(v, "1") == 0;
}

QStringList Arguments(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  if (int rc = vandrel::RunModeGuardianIfAsked(argc, argv); rc >= 0) return rc;

  // The player's language comes first: the command line speaks it too.
  const std::string language = vandrel::ChooseLanguage();
  vandrel::LoadTranslations(language);

  // The command line is settled before Qt starts; a display Qt cannot open
  // is told in one line while the application object is made.
  const vandrel::CommandLine cl = vandrel::ParseCommandLine(Arguments(argc, argv));
  if (cl.done) {
    std::fputs(cl.out.c_str(), stdout);
    std::fputs(cl.err.c_str(), stderr);
    return cl.exitCode;
  }
  if (const std::string why = vandrel::DisplayProblem(); !why.empty()) {
    std::fprintf(stderr, "vandrel: %s\n", why.c_str());
    return vandrel::kExitFailure;
  }

  vandrel::Preload();
  std::optional<vandrel::DisplayGuard> guard(std::in_place);
  QApplication app(argc, argv);
  guard.reset();
  QApplication::setApplicationName(QStringLiteral("Vandrel"));
  vandrel::InstallTranslations();  // before the first widget

  MainWindow::Options options;
  options.developer = EnvOn("VANDREL_DEVELOPER");
  options.windowed = cl.windowed;
  options.keepFiles = true;
  // A saved game named on the command line is what the player chose to play.
  options.offerUnfinished = cl.file.isEmpty();
  options.language = QString::fromStdString(language);
  int rc = 0;
  {
    MainWindow window(options);
    if (EnvOn("VANDREL_TRACE")) window.SetTraceStream(stdout);
    // The dialogs (prompt, options, about box) follow right after the
    // window's first paint; the last step of start-up is the game's screen
    // mode (unless windowed).
    window.ShowOnScreen();
    vandrel::InstallQuitSignalHandlers([&window] { window.close(); });
    // A saved game named on the command line starts as "Load" starts one,
    // once the window runs.
    if (!cl.file.isEmpty()) {
      QTimer::singleShot(0, &window, [&window, &cl] { window.OpenSavedGame(cl.file); });
    }
    rc = QApplication::exec();
  }  // the window puts the screen mode back and lets its sounds go
  return rc;
}
