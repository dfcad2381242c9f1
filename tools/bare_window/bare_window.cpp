// vandrel-bare-window: the least a Qt program does to show a window over the
// whole screen, for tools/measure.sh to hold the game's start-up against.
// Writes "shown" at its first paint.
//
//   vandrel-bare-window [--caption-and-picture FILE.jpg]
//
// With the option it also draws one caption and the picture, decoded as the
// game decodes its board, before that first paint: what any window showing
// a line of text and the board pays at least.
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "ui/media/jpeg_image.h"

class Bare : public QWidget {
 public:
  QString picturePath;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!picturePath.isEmpty()) {
      QPainter p(this);
      if (picture_.isNull()) picture_ = vandrel::LoadJpegResource(picturePath);
      p.drawImage(24, 20, picture_);
      QFont font(QStringLiteral("DejaVu Sans"));
      font.setPixelSize(16);
      font.setBold(true);
      p.setFont(font);
      p.drawText(QRect(634, 448, 145, 65), Qt::AlignCenter, QStringLiteral("New Match"));
    }
    if (shown_) return;
    shown_ = true;
    std::puts("shown");
    std::fflush(stdout);
  }

 private:
  QImage picture_;
  bool shown_ = false;
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Bare w;
  if (argc == 3 && std::strcmp(argv[1], "--caption-and-picture") == 0)
    w.picturePath = QFile::decodeName(argv[2]);
  w.setWindowFlag(Qt::FramelessWindowHint);
  w.setGeometry(QGuiApplication::primaryScreen()->geometry());
  w.show();
  return QApplication::exec();
}
