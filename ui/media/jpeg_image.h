// Decoding of the game's JPEG pictures with libjpeg.
//
// Every JPEG the program shows goes through these two functions rather than
// Qt's image plugins. Bad input (empty, truncated, corrupt or not a JPEG at
// all) gives a null image and, when asked for, a short text saying why.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vandrel {

// Decodes a complete JPEG file held in memory into a Format_RGB32 image.
QImage DecodeJpeg(const QByteArray& data, QString* error = nullptr);

// Reads a JPEG from a file or a Qt resource path (":/art/board.jpg") and decodes it.
QImage LoadJpegResource(const QString& path, QString* error = nullptr);

}  // namespace vandrel
