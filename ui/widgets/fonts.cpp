#include "ui/widgets/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace vandrel {

namespace {

// Each face, then the free font that stands in for it.
QStringList Faces(Face face) {
  switch (face) {
    case Face::Tahoma:
      return {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")};
    case Face::MsSansSerif:
      return {QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")};
    case Face::Verdana:
      return {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")};
    case Face::Arial:
      return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
  }
  return {};
}

// The faces that this machine has. Asked for a face it lacks, Qt sorts every
// font fontconfig knows to find a stand-in, once for each such face, and
// keeps a text engine apart for each name: the start-up would pay for
// Tahoma, Verdana and MS Sans Serif that all end up as DejaVu Sans.
QStringList Installed(Face face) {
  const QStringList wanted = Faces(face);
  const QStringList installed = QFontDatabase::families();
  QStringList families;
  for (const QString& family : wanted)
    if (installed.contains(family, Qt::CaseInsensitive)) families << family;
  return families.isEmpty() ? wanted : families;
}

}  // namespace

QFont WindowFont(Face face, int pixelSize, bool bold) {
  QFont f;
  f.setFamilies(Installed(face));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  return f;
}

QFont WindowFontPt(Face face, int pointSize, bool bold) {
  QFont f;
  f.setFamilies(Installed(face));
  f.setPointSize(pointSize);
  f.setBold(bold);
  return f;
}

QFont DialogFont(Face face, int pixelSize, bool bold, bool italic) {
  QFont f;
  f.setFamilies(Faces(face));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setItalic(italic);
  return f;
}

}  // namespace vandrel
