// Vandrel: one player against the computer.
//
// Environment: VANDREL_TRACE=1 writes one line per game event on standard
// output; VANDREL_DEVELOPER=1 shows the developer controls (and leaves the
// screen mode alone, since they need more room than 800 x 600).
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "myfunc.h"
#include "vandu.h"

namespace {

bool EnvOn(const char* name) {
  const char* v = std::getenv(name);
  return v && std::strcmp(v, "1") == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (int rc = vandrel::RunModeGuardianIfAsked(argc, argv); rc >= 0) return rc;

  TForm1::PreloadPictures();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vandrel"));

  TForm1::Options options;
  options.developer = EnvOn("VANDREL_DEVELOPER");
  for (int i = 1; i < argc; ++i) options.windowed |= std::strcmp(argv[i], "--window") == 0;
  int rc = 0;
  {
    TForm1 form(options);
    if (EnvOn("VANDREL_TRACE")) form.SetTraceStream(stdout);
    // The dialogs (prompt, options, about box) follow right after the
    // window's first paint.
    // The last step of start-up: the game's screen mode (unless windowed).
    form.ShowOnScreen();
    vandrel::InstallQuitSignalHandlers([&form] { form.close(); });
    rc = QApplication::exec();
  }  // the window puts the screen mode back and lets its sounds go
  return rc;
}
