// vandrel-bare-window: the least a Qt program does to show a window over the
// whole screen, for tools/measure.sh to hold the game's start-up against.
// Writes "shown" at its first paint.
#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <cstdio>

class Bare : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    if (shown_) return;
    shown_ = true;
    std::puts("shown");
    std::fflush(stdout);
  }

 private:
  bool shown_ = false;
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Bare w;
  w.setWindowFlag(Qt::FramelessWindowHint);
  w.setGeometry(QGuiApplication::primaryScreen()->geometry());
  w.show();
  return QApplication::exec();
}
