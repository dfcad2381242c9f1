// The piece discs' Windows bitmaps.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vandrel {

// Reads an uncompressed 24- or 32-bit Windows bitmap (the piece discs). Our
// own few lines, so that start-up does not wait for Qt to look through its
// image plugins. A null image for anything else.
QImage ReadBmp(const QByteArray& data);
// ReadBmp on a compiled-in resource.
QImage ReadBmpResource(const QString& path);

}  // namespace vandrel
