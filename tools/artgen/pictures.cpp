// The smaller pictures: the panel strip, the two piece bitmaps, the "Bye!"
// glyph, the icons and the two dialog pictures.
#include <QFont>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "tools/artgen/art.h"

namespace artgen {
namespace {

// Brightness of the panel strip from 0 (edge) to 1 (middle).
qreal StripLevel(qreal t) { return std::pow(std::sin(M_PI * t), 1.4); }

QColor Mix(const QColor& a, const QColor& b, qreal t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                          a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

// Dark green backdrop of the dialogs: a vertical strip-like glow plus a
// radial brightening around `glow`.
void Backdrop(QPainter& p, const QRectF& r, QPointF glow, qreal reach) {
  QLinearGradient vertical(r.topLeft(), r.bottomLeft());
  for (int i = 0; i <= 10; ++i) {
    const qreal level = StripLevel(i / 10.0);
    vertical.setColorAt(i / 10.0, QColor(0, 22 + int(70 * level), 0));
  }
  p.fillRect(r, vertical);
  QRadialGradient light(glow, reach);
  light.setColorAt(0.0, QColor(40, 150, 30, 150));
  light.setColorAt(0.55, QColor(20, 120, 10, 60));
  light.setColorAt(1.0, QColor(0, 60, 0, 0));
  p.fillRect(r, light);
}

// Makes a palette of at most `count` colours for the opaque pixels by
// k-means, with index 0 kept fully transparent.
QImage Quantize(const QImage& argb, int count) {
  struct Sample {
    std::array<double, 4> v;  // premultiplied a, r, g, b
  };
  std::vector<Sample> samples;
  for (int y = 0; y < argb.height(); ++y)
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb px = argb.pixel(x, y);
      if (qAlpha(px) < 24) continue;
      samples.push_back(
          {{double(qAlpha(px)), double(qRed(px)), double(qGreen(px)), double(qBlue(px))}});
    }
  const int k = std::min<int>(count - 1, int(samples.size()));
  std::vector<std::array<double, 4>> centres;
  for (int i = 0; i < k; ++i) centres.push_back(samples[(i * samples.size()) / k].v);
  auto nearest = [&](const std::array<double, 4>& v) {
    int best = 0;
    double bestDistance = 1e30;
    for (int c = 0; c < int(centres.size()); ++c) {
      double d = 0;
      for (int j = 0; j < 4; ++j) d += (v[j] - centres[c][j]) * (v[j] - centres[c][j]);
      if (d < bestDistance) bestDistance = d, best = c;
    }
    return best;
  };
  for (int round = 0; round < 30; ++round) {
    std::vector<std::array<double, 5>> sums(centres.size(), {0, 0, 0, 0, 0});
    for (const Sample& s : samples) {
      auto& sum = sums[nearest(s.v)];
      for (int j = 0; j < 4; ++j) sum[j] += s.v[j];
      sum[4] += 1;
    }
    for (size_t c = 0; c < centres.size(); ++c)
      if (sums[c][4] > 0)
        for (int j = 0; j < 4; ++j) centres[c][j] = sums[c][j] / sums[c][4];
  }

  QList<QRgb> table{qRgba(0, 0, 0, 0)};
  for (const auto& c : centres) {
    const int a = std::clamp(int(std::lround(c[0])), 1, 255);
    auto un = [&](double v) { return std::clamp(int(std::lround(v * 255.0 / a)), 0, 255); };
    table.push_back(qRgba(un(c[1]), un(c[2]), un(c[3]), a));
  }
  QImage indexed(argb.size(), QImage::Format_Indexed8);
  indexed.setColorTable(table);
  for (int y = 0; y < argb.height(); ++y)
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb px = argb.pixel(x, y);
      const std::array<double, 4> v{double(qAlpha(px)), double(qRed(px)), double(qGreen(px)),
                                    double(qBlue(px))};
      indexed.setPixel(x, y, qAlpha(px) < 24 ? 0 : 1 + nearest(v));
    }
  return indexed;
}

}  // namespace

QImage DrawStrip() {
  QImage image(10, 796, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    const qreal level = StripLevel((y + 0.5) / image.height());
    const QColor c = Mix(QColor(0, 7, 0), QColor(4, 124, 0), level);
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, c.rgb());
  }
  return image;
}

QImage DrawDiscBitmap(const TeamColours& team, qreal radius, int scale) {
  const int kSide = 58 * scale;
  QImage layer(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  {
    QPainter p(&layer);
    p.scale(scale, scale);
    DrawPiece(p, QPointF(29, 29), radius, team);
  }
  // The program draws the bitmap with black as the transparent colour, so
  // the soft edge cannot fade into black: it fades into a light board tone
  // instead, and the faintest fringe becomes background. Nothing but the
  // background is exactly black.
  const QColor board(214, 222, 200);
  QImage out(kSide, kSide, QImage::Format_RGB32);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      const QRgb px = layer.pixel(x, y);
      const int a = qAlpha(px);
      if (a < 48) {
        out.setPixel(x, y, qRgb(0, 0, 0));
        continue;
      }
      auto blend = [&](int premultiplied, int under) {
        return premultiplied + (under * (255 - a) + 127) / 255;
      };
      int r = blend(qRed(px), board.red());
      int g = blend(qGreen(px), board.green());
      int b = blend(qBlue(px), board.blue());
      if (r == 0 && g == 0 && b == 0) b = 1;
      out.setPixel(x, y, qRgb(r, g, b));
    }
  return out;
}

QImage DrawByeGlyph(int scale) {
  // Drawn four times larger, reduced smoothly, then fitted to 16 colours
  // (only the 1x glyph; the larger ones keep their colours).
  const int kScale = 4 * scale;
  QImage big(16 * kScale, 16 * kScale, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::transparent);
  {
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kScale, kScale);
    // Door frame and the bright doorway.
    p.setPen(QPen(QColor(70, 40, 18), 1.0));
    p.setBrush(QColor(255, 240, 190));
    p.drawRect(QRectF(1.5, 1.5, 8, 13));
    // The door swung open towards us.
    QPainterPath door;
    door.moveTo(1.5, 1.5);
    door.lineTo(5.5, 3.0);
    door.lineTo(5.5, 15.5);
    door.lineTo(1.5, 14.5);
    door.closeSubpath();
    QLinearGradient wood(QPointF(1.5, 0), QPointF(5.5, 0));
    wood.setColorAt(0, QColor(232, 176, 96));
    wood.setColorAt(1, QColor(176, 112, 48));
    p.setBrush(wood);
    p.setPen(QPen(QColor(90, 52, 20), 0.8));
    p.drawPath(door);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 52, 20));
    p.drawEllipse(QPointF(4.4, 9.0), 0.6, 0.6);
    // The way out.
    QPainterPath arrow;
    arrow.moveTo(6.5, 7.0);
    arrow.lineTo(10.5, 7.0);
    arrow.lineTo(10.5, 4.0);
    arrow.lineTo(15.4, 8.5);
    arrow.lineTo(10.5, 13.0);
    arrow.lineTo(10.5, 10.0);
    arrow.lineTo(6.5, 10.0);
    arrow.closeSubpath();
    QLinearGradient lit(QPointF(0, 4), QPointF(0, 13));
    lit.setColorAt(0, kRed.lighter(135));
    lit.setColorAt(1, kRed);
    p.setBrush(lit);
    p.setPen(QPen(QColor(90, 10, 8), 0.9, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(arrow);
  }
  const QImage small =
      big.scaled(16 * scale, 16 * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
          .convertToFormat(QImage::Format_ARGB32);
  return scale == 1 ? Quantize(small, 16) : small;
}

QImage DrawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  const QRectF tile(0.03 * s, 0.03 * s, 0.94 * s, 0.94 * s);
  QPainterPath shape;
  shape.addRoundedRect(tile, 0.16 * s, 0.16 * s);
  p.setPen(Qt::NoPen);
  p.setBrush(kCream);
  p.drawPath(shape);
  if (size >= 48) {
    p.save();
    p.setClipPath(shape);
    DrawRings(p, tile.center(), 0.7 * s, 0.075 * s);
    p.restore();
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kInk, std::max(1.0, 0.045 * s)));
  p.drawPath(shape);
  const qreal r = size <= 16 ? 0.3 * s : 0.27 * s;
  DrawPiece(p, QPointF(0.645 * s, 0.355 * s), r, kBlue);
  DrawPiece(p, QPointF(0.355 * s, 0.645 * s), r, kGreen);
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

QImage DrawPromptPicture(int scale) {
  // Only rows 24 and below show; the message sits at y 44..105 and the
  // OK button at x 112..193, y 168..205 of this picture.
  QImage image(303 * scale, 227 * scale, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  const QRectF all(0, 0, 303, 227);
  Backdrop(p, all, QPointF(151.5, 118), 170);

  // Faint rings behind the message.
  p.save();
  p.setOpacity(0.06);
  DrawRings(p, QPointF(151.5, 118), 200, 14);
  p.restore();

  // A fine gold frame around the visible part.
  QColor frame = kGold;
  frame.setAlpha(120);
  p.setPen(QPen(frame, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(4.5, 28.5, 294, 194), 8, 8);

  DrawSpiralDisc(p, QPointF(52, 180), 34, kGreen);
  DrawSpiralDisc(p, QPointF(251, 180), 34, kBlue);
  p.end();
  return image;
}

QImage DrawTitlePicture(int scale) {
  // Labels go over the bottom 35 rows (the web address) and near (456, 72)
  // (the version), so those stay plain and dark.
  QImage image(502 * scale, 269 * scale, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  const QRectF all(0, 0, 502, 269);
  Backdrop(p, all, QPointF(240, 110), 260);
  p.save();
  p.setOpacity(0.05);
  DrawRings(p, QPointF(240, 120), 320, 16);
  p.restore();

  // A fine gold frame, as on the prompt.
  QColor frame = kGold;
  frame.setAlpha(110);
  p.setPen(QPen(frame, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(4.5, 4.5, 493, 260), 9, 9);

  // The name.
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setBold(true);
  font.setPixelSize(66);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
  QPainterPath name;
  name.addText(0, 0, font, QStringLiteral("VANDREL"));
  const QRectF box = name.boundingRect();
  name.translate(QPointF(226, 70) - box.center());
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 120));
  p.drawPath(name.translated(3, 4));
  QLinearGradient gold(QPointF(0, name.boundingRect().top()),
                       QPointF(0, name.boundingRect().bottom()));
  gold.setColorAt(0.0, QColor(255, 244, 180));
  gold.setColorAt(0.5, kGold);
  gold.setColorAt(1.0, QColor(206, 140, 40));
  p.setBrush(gold);
  p.setPen(QPen(QColor(60, 40, 6), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(name);

  // A rule with a small lozenge under the name.
  const qreal ruleY = 116;
  QLinearGradient rule(QPointF(54, 0), QPointF(398, 0));
  rule.setColorAt(0.0, QColor(250, 214, 110, 0));
  rule.setColorAt(0.5, QColor(250, 214, 110, 220));
  rule.setColorAt(1.0, QColor(250, 214, 110, 0));
  p.setPen(QPen(QBrush(rule), 1.5));
  p.drawLine(QPointF(54, ruleY), QPointF(398, ruleY));
  QPainterPath lozenge;
  lozenge.moveTo(226, ruleY - 5);
  lozenge.lineTo(232, ruleY);
  lozenge.lineTo(226, ruleY + 5);
  lozenge.lineTo(220, ruleY);
  lozenge.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  p.drawPath(lozenge);

  // A short row of the board: a corner, six squares with the two teams
  // facing each other, a corner.
  constexpr qreal kCell = 44;
  const qreal left = 251 - 4 * kCell, top = 150;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawRect(QRectF(left + 3, top + 4, 8 * kCell, kCell));
  for (int i = 0; i < 8; ++i) {
    const QRectF cell(left + i * kCell, top, kCell, kCell);
    if (i == 0 || i == 7) {
      DrawCornerOrnament(p, cell);
    } else {
      QLinearGradient g(cell.topLeft(), cell.bottomLeft());
      const QColor base = (i % 2) ? kCream : kCreamShade;
      g.setColorAt(0, base.lighter(104));
      g.setColorAt(1, base.darker(106));
      p.fillRect(cell, g);
    }
    p.setPen(QPen(QColor(40, 60, 30, 140), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cell);
  }
  for (int i = 1; i <= 6; ++i) {
    const QPointF c(left + (i + 0.5) * kCell, top + kCell / 2);
    DrawPiece(p, c, 18.5, i <= 3 ? kGreen : kBlue);
  }
  p.end();
  return image;
}

}  // namespace artgen
