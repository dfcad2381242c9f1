// vandrel-artgen OUTDIR: draws all of the game's pictures into OUTDIR.
//
// Needs no display: it selects Qt's offscreen platform unless told otherwise.
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <functional>

#include "tools/artgen/art.h"

using namespace artgen;

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QTextStream err(stderr);
  if (argc != 2) {
    err << "usage: vandrel-artgen OUTDIR\n";
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(QStringLiteral("icons"))) {
    err << "vandrel-artgen: cannot create " << out.path() << "\n";
    return 1;
  }

  bool ok = true;
  auto report = [&](const QString& name, bool written, const QString& why) {
    if (!written) {
      err << "vandrel-artgen: " << name << ": " << why << "\n";
      ok = false;
    }
  };
  auto jpeg = [&](const QString& name, const QImage& image) {
    QString why;
    report(name, WriteJpeg(image, out.filePath(name), 90, &why), why);
  };
  auto bmp = [&](const QString& name, const QImage& image) {
    QString why;
    report(name, WriteBmp24(image, out.filePath(name), &why), why);
  };
  auto png = [&](const QString& name, const QImage& image) {
    report(name, image.save(out.filePath(name), "PNG"), QStringLiteral("cannot write"));
  };

  jpeg(QStringLiteral("board.jpg"), DrawBoard());
  for (int k : {2, 3}) {
    const QString at = QStringLiteral("@%1x").arg(k);
    jpeg(QStringLiteral("board%1.jpg").arg(at), DrawBoard(k));
    bmp(QStringLiteral("blue%1.bmp").arg(at), DrawDiscBitmap(kBlue, 29, k));
    bmp(QStringLiteral("green%1.bmp").arg(at), DrawDiscBitmap(kGreen, 28, k));
    png(QStringLiteral("bye%1.png").arg(at), DrawByeGlyph(k));
    jpeg(QStringLiteral("prompt%1.jpg").arg(at), DrawPromptPicture(k));
    jpeg(QStringLiteral("title%1.jpg").arg(at), DrawTitlePicture(k));
  }
  jpeg(QStringLiteral("strip.jpg"), DrawStrip());
  jpeg(QStringLiteral("prompt.jpg"), DrawPromptPicture());
  jpeg(QStringLiteral("title.jpg"), DrawTitlePicture());
  bmp(QStringLiteral("blue.bmp"), DrawDiscBitmap(kBlue, 29));
  bmp(QStringLiteral("green.bmp"), DrawDiscBitmap(kGreen, 28));
  png(QStringLiteral("bye.png"), DrawByeGlyph());
  png(QStringLiteral("icon.png"), DrawIcon(32));
  for (int size : {16, 32, 48, 64, 128, 256})
    png(QStringLiteral("icons/vandrel-%1.png").arg(size), DrawIcon(size));
  return ok ? 0 : 1;
}
