// A stand-in for the game around the screen mode: it saves the mode, switches to 800 x 600,
// shows a frameless window filling the screen with "Bye!" where the game has it (the side
// panel's button, at (634, 520) on an 800 x 600 screen), and restores the mode when the
// window closes, be it by "Bye!" or by a quit signal.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <cstdio>

#include "platform/mode_guardian.h"
#include "platform/quit_signals.h"
#include "platform/screen_mode.h"

int main(int argc, char** argv) {
  if (int rc = vandrel::RunModeGuardianIfAsked(argc, argv); rc >= 0) return rc;

  QApplication app(argc, argv);
  const vandrel::DisplayMode saved = vandrel::CurrentDisplayMode();
  std::printf("mode_probe: started at %dx%d, %d bits per pixel\n", saved.width, saved.height,
              saved.bpp);

  QWidget window;
  window.setWindowFlag(Qt::FramelessWindowHint);
  window.setWindowTitle("Vandrel");
  window.setStyleSheet("background-color: #004000;");
  QPushButton bye("Bye!", &window);
  bye.setGeometry(634, 520, 145, 65);
  bye.setStyleSheet("color: #ffffd2; font-weight: bold;");
  QObject::connect(&bye, &QPushButton::clicked, &window, &QWidget::close);
  vandrel::InstallQuitSignalHandlers([&window] {
    std::printf("mode_probe: quit signal\n");
    std::fflush(stdout);
    window.close();
  });

  QElapsedTimer timer;
  timer.start();
  const bool switched = vandrel::SetDisplayMode(800, 600, 32);
  const double switchMs = timer.nsecsElapsed() / 1e6;
  std::printf("mode_probe: switch to 800x600 %s in %.1f ms\n", switched ? "done" : "not made",
              switchMs);

  window.setGeometry(switched ? QRect(0, 0, 800, 600) : app.primaryScreen()->geometry());
  window.show();
  std::fflush(stdout);
  const int rc = app.exec();

  timer.restart();
  const bool restored = vandrel::SetDisplayMode(saved.width, saved.height, saved.bpp);
  std::printf("mode_probe: restore to %dx%d %s in %.1f ms\n", saved.width, saved.height,
              restored ? "done" : "not made", timer.nsecsElapsed() / 1e6);
  std::fflush(stdout);
  return rc;
}
