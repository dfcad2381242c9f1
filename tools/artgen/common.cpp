#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <cmath>

#include "tools/artgen/art.h"

namespace artgen {

const TeamColours kBlue{QColor(150, 190, 255), QColor(42, 96, 222), QColor(18, 44, 136),
                        QColor(10, 22, 74), QColor(200, 214, 244)};
const TeamColours kGreen{QColor(190, 245, 140), QColor(62, 178, 48), QColor(22, 100, 22),
                         QColor(10, 50, 12), QColor(208, 236, 190)};

const QColor kCream(240, 236, 214);
const QColor kCreamShade(229, 223, 196);
const QColor kRed(206, 42, 36);
const QColor kYellow(252, 208, 62);
const QColor kGold(250, 214, 110);
const QColor kInk(18, 92, 30);

void DrawPiece(QPainter& p, QPointF c, qreal r, const TeamColours& team) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);

  // Body: lit from the upper left.
  QRadialGradient body(c + QPointF(-0.35 * r, -0.4 * r), 1.5 * r);
  body.setColorAt(0.0, team.light);
  body.setColorAt(0.45, team.base);
  body.setColorAt(1.0, team.dark);
  p.setPen(Qt::NoPen);
  p.setBrush(team.rim);
  p.drawEllipse(c, r, r);
  p.setBrush(body);
  p.drawEllipse(c, r - 0.08 * r - 1.0, r - 0.08 * r - 1.0);

  // The dished centre: a ring that is dark above and light below.
  const qreal inner = 0.62 * r;
  QLinearGradient ring(c - QPointF(0, inner), c + QPointF(0, inner));
  ring.setColorAt(0.0, team.dark);
  ring.setColorAt(1.0, team.light);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QBrush(ring), std::max(1.2, 0.07 * r)));
  p.drawEllipse(c, inner, inner);
  QRadialGradient dish(c + QPointF(0.15 * r, 0.2 * r), inner);
  dish.setColorAt(0.0, team.base.lighter(112));
  dish.setColorAt(1.0, team.base.darker(115));
  p.setPen(Qt::NoPen);
  p.setBrush(dish);
  p.drawEllipse(c, inner - 0.05 * r, inner - 0.05 * r);

  // A soft highlight on the upper left of the rim.
  QRadialGradient shine(c + QPointF(-0.42 * r, -0.48 * r), 0.45 * r);
  shine.setColorAt(0.0, QColor(255, 255, 255, 170));
  shine.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.setBrush(shine);
  p.drawEllipse(c + QPointF(-0.42 * r, -0.48 * r), 0.45 * r, 0.35 * r);
  p.restore();
}

void DrawSpiralDisc(QPainter& p, QPointF c, qreal r, const TeamColours& team) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  // A soft shadow under the disc.
  QRadialGradient shadow(c + QPointF(0.08 * r, 0.12 * r), 1.12 * r);
  shadow.setColorAt(0.8, QColor(0, 0, 0, 110));
  shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shadow);
  p.drawEllipse(c + QPointF(0.08 * r, 0.12 * r), 1.12 * r, 1.12 * r);

  QRadialGradient body(c + QPointF(-0.35 * r, -0.4 * r), 1.5 * r);
  body.setColorAt(0.0, team.light);
  body.setColorAt(0.45, team.base);
  body.setColorAt(1.0, team.dark);
  p.setBrush(team.rim);
  p.drawEllipse(c, r, r);
  p.setBrush(body);
  p.drawEllipse(c, 0.94 * r, 0.94 * r);

  // An Archimedean spiral of three and a half turns, drawn as a raised ridge:
  // a shadow line, then the lit line just above and left of it.
  QPainterPath spiral;
  const qreal turns = 3.5;
  const qreal maxAngle = turns * 2 * M_PI;
  const qreal reach = 0.80 * r;
  for (int i = 0; i <= 600; ++i) {
    const qreal a = maxAngle * i / 600.0;
    const qreal rad = reach * a / maxAngle;
    const QPointF pt = c + QPointF(rad * std::cos(a - M_PI / 2), rad * std::sin(a - M_PI / 2));
    if (i == 0)
      spiral.moveTo(pt);
    else
      spiral.lineTo(pt);
  }
  const qreal width = std::max(1.5, 0.085 * r);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(team.dark, width, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(spiral.translated(0.3 * width, 0.45 * width));
  p.setPen(QPen(team.light, width * 0.8, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(spiral);

  QRadialGradient shine(c + QPointF(-0.4 * r, -0.45 * r), 0.5 * r);
  shine.setColorAt(0.0, QColor(255, 255, 255, 150));
  shine.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shine);
  p.drawEllipse(c + QPointF(-0.4 * r, -0.45 * r), 0.5 * r, 0.38 * r);
  p.restore();
}

namespace {

QPainterPath Star(QPointF c, qreal outer, qreal inner, int points, qreal turn) {
  QPainterPath path;
  for (int i = 0; i < 2 * points; ++i) {
    const qreal a = turn + M_PI * i / points;
    const qreal rad = (i % 2 == 0) ? outer : inner;
    const QPointF pt = c + QPointF(rad * std::cos(a), rad * std::sin(a));
    if (i == 0)
      path.moveTo(pt);
    else
      path.lineTo(pt);
  }
  path.closeSubpath();
  return path;
}

}  // namespace

void DrawCornerOrnament(QPainter& p, const QRectF& sq) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = sq.width();
  const QPointF c = sq.center();

  // Red field with a yellow lozenge, then a red eight-pointed star.
  QLinearGradient field(sq.topLeft(), sq.bottomRight());
  field.setColorAt(0.0, kRed.lighter(115));
  field.setColorAt(1.0, kRed.darker(125));
  p.fillRect(sq, field);

  QPainterPath lozenge;
  lozenge.moveTo(c.x(), sq.top() + 0.06 * s);
  lozenge.lineTo(sq.right() - 0.06 * s, c.y());
  lozenge.lineTo(c.x(), sq.bottom() - 0.06 * s);
  lozenge.lineTo(sq.left() + 0.06 * s, c.y());
  lozenge.closeSubpath();
  QRadialGradient glow(c, 0.5 * s);
  glow.setColorAt(0.0, kYellow.lighter(115));
  glow.setColorAt(1.0, kYellow.darker(112));
  p.setPen(QPen(kRed.darker(160), std::max(1.0, 0.025 * s)));
  p.setBrush(glow);
  p.drawPath(lozenge);

  p.setBrush(kRed);
  p.drawPath(Star(c, 0.33 * s, 0.14 * s, 8, -M_PI / 2));
  p.setBrush(kYellow);
  p.drawEllipse(c, 0.1 * s, 0.1 * s);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed.darker(130));
  p.drawEllipse(c, 0.04 * s, 0.04 * s);

  // Small yellow dots in the four red corners.
  p.setBrush(kYellow);
  const qreal d = 0.12 * s;
  for (QPointF corner : {sq.topLeft() + QPointF(d, d), sq.topRight() + QPointF(-d, d),
                         sq.bottomLeft() + QPointF(d, -d), sq.bottomRight() + QPointF(-d, -d)})
    p.drawEllipse(corner, 0.045 * s, 0.045 * s);
  p.restore();
}

void DrawRings(QPainter& p, QPointF c, qreal outer, qreal step, int alpha) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QColor a = kCream, b = kCreamShade, line = kCreamShade.darker(108);
  a.setAlpha(alpha);
  b.setAlpha(alpha);
  line.setAlpha(alpha);
  int band = 0;
  // Annuli rather than stacked discs, so that translucent rings do not add up.
  for (qreal rad = outer; rad > 0; rad -= step, ++band) {
    QPainterPath annulus;
    annulus.addEllipse(c, rad, rad);
    if (rad - step > 0) annulus.addEllipse(c, rad - step, rad - step);
    p.setPen(Qt::NoPen);
    p.setBrush(band % 2 == 0 ? b : a);
    p.drawPath(annulus);
    p.setPen(QPen(line, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, rad, rad);
  }
  p.restore();
}

}  // namespace artgen
