#include "ui/media/bmp_image.h"

#include <QFile>
#include <cstdint>

namespace vandrel {

namespace {

uint32_t Le(const QByteArray& d, qsizetype at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(d[at + i]);
  return v;
}

}  // namespace

QImage ReadBmpResource(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? ReadBmp(f.readAll()) : QImage();
}

QImage ReadBmp(const QByteArray& d) {
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return {};
  const qsizetype offset = Le(d, 10, 4);
  const auto width = static_cast<int32_t>(Le(d, 18, 4));
  const auto height = static_cast<int32_t>(Le(d, 22, 4));
  const int bits = static_cast<int>(Le(d, 28, 2));
  const uint32_t compression = Le(d, 30, 4);
  const bool bitfields32 = compression == 3 && bits == 32;
  if ((bits != 24 && bits != 32) || (compression != 0 && !bitfields32)) return {};
  if (width <= 0 || width > 4096 || height == 0 || height > 4096 || height < -4096) return {};
  const int rows = height < 0 ? -height : height;
  const int bytesPerPixel = bits / 8;
  const qsizetype stride = (static_cast<qsizetype>(width) * bytesPerPixel + 3) / 4 * 4;
  if (offset < 54 || offset + stride * rows > d.size()) return {};
  QImage img(width, rows, QImage::Format_RGB32);
  for (int y = 0; y < rows; ++y) {
    // Rows are stored bottom-up unless the height is negative.
    const int src = height > 0 ? rows - 1 - y : y;
    const auto* in = reinterpret_cast<const uint8_t*>(d.constData() + offset + stride * src);
    auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < width; ++x, in += bytesPerPixel) out[x] = qRgb(in[2], in[1], in[0]);
  }
  return img;
}

}  // namespace vandrel
