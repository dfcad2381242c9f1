#include "ui/media/art.h"

#include <QBitmap>
#include <map>
#include <memory>

namespace vandrel {

QString ArtResourceName(const char* stem, const char* suffix, int artScale) {
  return artScale == 1
             ? QStringLiteral(":/art/%1.%2").arg(QLatin1String(stem), QLatin1String(suffix))
             : QStringLiteral(":/art/%1@%3x.%2")
                   .arg(QLatin1String(stem), QLatin1String(suffix))
                   .arg(artScale);
}

int ArtScaleFor(double deviceScale) {
  if (deviceScale <= 1.0) return 1;
  if (deviceScale <= 2.0) return 2;
  return 3;
}

ArtLoader CachedArt(ArtLoader load) {
  auto cache = std::make_shared<std::map<int, QImage>>();
  return [load = std::move(load), cache](int artScale) {
    auto [it, added] = cache->try_emplace(artScale);
    if (added) it->second = load(artScale);
    return it->second;
  };
}

QImage KeyedToAlpha(const QImage& bitmap) {
  if (bitmap.isNull()) return {};
  QImage img = bitmap.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = img.pixel(0, img.height() - 1) & 0x00FFFFFFu;
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if ((line[x] & 0x00FFFFFFu) == key) line[x] = 0;
  }
  return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QPixmap KeyedPixmap(const QImage& bitmap) {
  if (bitmap.isNull()) return {};
  const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB32);
  const QRgb key = rgb.pixel(0, rgb.height() - 1);
  QPixmap pix = QPixmap::fromImage(rgb);
  pix.setMask(QBitmap::fromImage(rgb.createMaskFromColor(key, Qt::MaskInColor)));
  return pix;
}

}  // namespace vandrel
