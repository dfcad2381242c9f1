// The 560 x 560 board: eight by eight cells of 70 pixels.
//
//   row 0      green crosses, the human's end row
//   row 1      blue hatched squares, the computer's start row
//   rows 2..5  cream squares with rings and the name across them
//   row 6      green hatched squares, the human's start row
//   row 7      blue crosses, the computer's end row
//   column 0   the computer's base column, drawn upside down
//   column 7   the human's base column
//   corners    red-and-yellow ornaments
#include <QFont>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>

#include "tools/artgen/art.h"

namespace artgen {
namespace {

constexpr int kCell = 70;
constexpr int kSize = 8 * kCell;

QRectF Cell(int col, int row) { return QRectF(col * kCell, row * kCell, kCell, kCell); }

// A plain tile: a gentle top-to-bottom gradient with a bevelled edge.
void Tile(QPainter& p, const QRectF& r, const QColor& colour) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0.0, colour.lighter(104));
  g.setColorAt(1.0, colour.darker(104));
  p.fillRect(r, g);
}

void Bevel(QPainter& p, const QRectF& r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(255, 255, 255, 110), 1));
  p.drawLine(QPointF(r.left(), r.top()), QPointF(r.right() - 1, r.top()));
  p.drawLine(QPointF(r.left(), r.top()), QPointF(r.left(), r.bottom() - 1));
  p.setPen(QPen(QColor(40, 50, 30, 90), 1));
  p.drawLine(QPointF(r.left(), r.bottom() - 1), QPointF(r.right() - 1, r.bottom() - 1));
  p.drawLine(QPointF(r.right() - 1, r.top()), QPointF(r.right() - 1, r.bottom() - 1));
  p.restore();
}

// Fills `shape` with the team's gradient, outlines it and gives it a shadow.
void Emboss(QPainter& p, const QPainterPath& shape, const TeamColours& team) {
  const QRectF box = shape.boundingRect();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 55));
  p.drawPath(shape.translated(1.6, 2.0));
  QLinearGradient fill(box.topLeft(), box.bottomRight());
  fill.setColorAt(0.0, team.light);
  fill.setColorAt(0.5, team.base);
  fill.setColorAt(1.0, team.dark);
  p.setBrush(fill);
  p.setPen(QPen(team.rim, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(shape);
}

// The target mark of an end row: a diagonal cross.
void Cross(QPainter& p, const QRectF& cell, const TeamColours& team) {
  Tile(p, cell, team.tint);
  const QPointF c = cell.center();
  const qreal arm = 19;
  QPainterPath lines;
  lines.moveTo(c + QPointF(-arm, -arm));
  lines.lineTo(c + QPointF(arm, arm));
  lines.moveTo(c + QPointF(arm, -arm));
  lines.lineTo(c + QPointF(-arm, arm));
  QPainterPathStroker stroker;
  stroker.setWidth(13);
  stroker.setCapStyle(Qt::RoundCap);
  QPainterPath cross = stroker.createStroke(lines).simplified();
  // A faint ring behind the cross marks the square as a goal.
  QColor ring = team.base;
  ring.setAlpha(90);
  p.setPen(QPen(ring, 2.0));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, 29, 29);
  Emboss(p, cross, team);
}

// A start square: diagonal hatching inside a rounded frame.
void Hatched(QPainter& p, const QRectF& cell, const TeamColours& team) {
  Tile(p, cell, team.tint);
  const QRectF inner = cell.adjusted(5, 5, -5, -5);
  QPainterPath frame;
  frame.addRoundedRect(inner, 7, 7);
  p.save();
  p.setClipPath(frame);
  QColor line = team.base;
  line.setAlpha(150);
  p.setPen(QPen(line, 2.6, Qt::SolidLine, Qt::FlatCap));
  for (qreal d = -kCell; d < kCell * 2; d += 9)
    p.drawLine(QPointF(inner.left() + d, inner.top()),
               QPointF(inner.left() + d - inner.height(), inner.bottom()));
  p.restore();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(team.dark, 2.0));
  p.drawPath(frame);
}

// Everything in a base column is drawn in its owner's own view: the content
// is laid out for a cell at (0,0)..(70,70) read by the green player, and the
// computer's column is the same drawing turned half round.
enum class BaseMark { kEntry, kArrow, kReturn, kFaceSmile, kFaceWink, kFaceGrin };

void BaseDisc(QPainter& p, const TeamColours& team) {
  const QPointF c(35, 35);
  DrawPiece(p, c, 27, team);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(14);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
  QPainterPath text;
  text.addText(0, 0, font, QStringLiteral("BASE"));
  const QRectF b = text.boundingRect();
  text.translate(c - b.center());
  p.setPen(QPen(team.rim, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(text);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 252, 236));
  p.drawPath(text);
}

// A straight arrow pointing down the column, towards the return square.
void StraightArrow(QPainter& p, const TeamColours& team) {
  QPainterPath arrow;
  const qreal shaft = 7, head = 17, top = 8, neck = 38, tip = 63;
  arrow.moveTo(35 - shaft, top);
  arrow.lineTo(35 + shaft, top);
  arrow.lineTo(35 + shaft, neck);
  arrow.lineTo(35 + head, neck);
  arrow.lineTo(35, tip);
  arrow.lineTo(35 - head, neck);
  arrow.lineTo(35 - shaft, neck);
  arrow.closeSubpath();
  Emboss(p, arrow, team);
}

// The return square's arrow: down the column, then a turn towards the play area
// (to the left in the green player's view).
void ReturnArrow(QPainter& p, const TeamColours& team) {
  QPainterPath line;
  line.moveTo(46, 3);
  line.lineTo(46, 24);
  line.cubicTo(46, 44, 40, 48, 24, 48);
  QPainterPathStroker stroker;
  stroker.setWidth(13);
  stroker.setCapStyle(Qt::FlatCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  QPainterPath shape = stroker.createStroke(line);
  QPainterPath head;
  head.moveTo(25, 30);
  head.lineTo(4, 48);
  head.lineTo(25, 66);
  head.closeSubpath();
  shape = shape.united(head).simplified();
  Emboss(p, shape, team);
}

void Face(QPainter& p, const TeamColours& team, BaseMark mood) {
  const QPointF c(35, 35);
  const qreal r = 24;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 45));
  p.drawEllipse(c + QPointF(1.5, 2), r, r);
  QRadialGradient skin(c + QPointF(-8, -10), 34);
  skin.setColorAt(0.0, team.light.lighter(112));
  skin.setColorAt(0.6, team.light);
  skin.setColorAt(1.0, team.base);
  p.setBrush(skin);
  p.setPen(QPen(team.dark, 2.0));
  p.drawEllipse(c, r, r);

  // Eyes.
  p.setPen(Qt::NoPen);
  p.setBrush(team.rim);
  p.drawEllipse(QPointF(27, 29), 3.2, 4.2);
  if (mood == BaseMark::kFaceWink) {
    p.setPen(QPen(team.rim, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(38, 26, 9, 7), 20 * 16, 140 * 16);
  } else {
    p.drawEllipse(QPointF(43, 29), 3.2, 4.2);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawEllipse(QPointF(26, 27.5), 1.1, 1.3);
  if (mood != BaseMark::kFaceWink) p.drawEllipse(QPointF(42, 27.5), 1.1, 1.3);

  // Mouth.
  if (mood == BaseMark::kFaceGrin) {
    QPainterPath mouth;
    mouth.moveTo(24, 39);
    mouth.cubicTo(26, 52, 44, 52, 46, 39);
    mouth.closeSubpath();
    p.setBrush(team.rim);
    p.setPen(QPen(team.rim, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 252, 240));
    p.drawRect(QRectF(27, 39.5, 16, 3));
  } else {
    p.setPen(QPen(team.rim, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(24, 30, 22, 16), 200 * 16, 140 * 16);
  }
}

void BaseCell(QPainter& p, int col, int row, const TeamColours& team, BaseMark mark,
              bool upsideDown) {
  const QRectF cell = Cell(col, row);
  Tile(p, cell, team.tint.darker(108));
  p.save();
  p.translate(cell.topLeft());
  if (upsideDown) {
    p.translate(kCell, kCell);
    p.rotate(180);
  }
  switch (mark) {
    case BaseMark::kEntry:
      BaseDisc(p, team);
      break;
    case BaseMark::kArrow:
      StraightArrow(p, team);
      break;
    case BaseMark::kReturn:
      ReturnArrow(p, team);
      break;
    default:
      Face(p, team, mark);
      break;
  }
  p.restore();
}

// The game's name across the middle, in outline capitals along the diagonal
// from the lower left to the upper right of the play area.
void Name(QPainter& p, const QRectF& area) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(100);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
  QPainterPath text;
  text.addText(0, 0, font, QStringLiteral("VANDREL"));
  text.translate(-text.boundingRect().center());

  const qreal angle = -std::atan2(area.height(), area.width()) * 180 / M_PI;
  QTransform turn;
  turn.rotate(angle);
  const QRectF turned = turn.map(text).boundingRect();
  const QRectF room = area.adjusted(10, 10, -10, -10);
  const qreal scale = std::min(room.width() / turned.width(), room.height() / turned.height());
  QTransform place;
  place.translate(area.center().x(), area.center().y());
  place.rotate(angle);
  place.scale(scale, scale);
  const QPainterPath name = place.map(text);

  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(255, 255, 255, 150), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(name.translated(1.5, 1.5));
  QColor wash = kGreen.base;
  wash.setAlpha(56);
  p.setBrush(wash);
  p.setPen(QPen(kInk, 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(name);
  // A light line inside the dark one makes the letters look cut into the board.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kGreen.light, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(name);
  p.restore();
}

}  // namespace

QImage DrawBoard(int scale) {
  QImage image(kSize * scale, kSize * scale, QImage::Format_RGB32);
  image.fill(kCream);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);

  // The middle: rings, then the name over them.
  const QRectF middle(kCell, 2 * kCell, 6 * kCell, 4 * kCell);
  p.save();
  p.setClipRect(middle);
  DrawRings(p, middle.center(), 300, 17);
  p.restore();
  Name(p, middle);
  for (int row = 2; row <= 5; ++row)
    for (int col = 1; col <= 6; ++col) Bevel(p, Cell(col, row));

  for (int col = 1; col <= 6; ++col) {
    Cross(p, Cell(col, 0), kGreen);
    Hatched(p, Cell(col, 1), kBlue);
    Hatched(p, Cell(col, 6), kGreen);
    Cross(p, Cell(col, 7), kBlue);
    for (int row : {0, 1, 6, 7}) Bevel(p, Cell(col, row));
  }

  // The computer's column, seen from its own side of the table.
  BaseCell(p, 0, 6, kBlue, BaseMark::kEntry, true);
  BaseCell(p, 0, 5, kBlue, BaseMark::kFaceSmile, true);
  BaseCell(p, 0, 4, kBlue, BaseMark::kArrow, true);
  BaseCell(p, 0, 3, kBlue, BaseMark::kFaceWink, true);
  BaseCell(p, 0, 2, kBlue, BaseMark::kFaceGrin, true);
  BaseCell(p, 0, 1, kBlue, BaseMark::kReturn, true);
  // The human's column.
  BaseCell(p, 7, 1, kGreen, BaseMark::kEntry, false);
  BaseCell(p, 7, 2, kGreen, BaseMark::kFaceSmile, false);
  BaseCell(p, 7, 3, kGreen, BaseMark::kArrow, false);
  BaseCell(p, 7, 4, kGreen, BaseMark::kFaceWink, false);
  BaseCell(p, 7, 5, kGreen, BaseMark::kFaceGrin, false);
  BaseCell(p, 7, 6, kGreen, BaseMark::kReturn, false);
  for (int row = 1; row <= 6; ++row) {
    Bevel(p, Cell(0, row));
    Bevel(p, Cell(7, row));
  }

  for (auto [col, row] : {std::pair{0, 0}, {7, 0}, {0, 7}, {7, 7}}) {
    DrawCornerOrnament(p, Cell(col, row));
    Bevel(p, Cell(col, row));
  }

  // Lines between the cells, a little darker along the base columns.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(70, 90, 60, 100), 1));
  for (int i = 1; i < 8; ++i) {
    p.drawLine(i * kCell, 0, i * kCell, kSize - 1);
    p.drawLine(0, i * kCell, kSize - 1, i * kCell);
  }
  p.setPen(QPen(QColor(30, 50, 30), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, kSize - 1, kSize - 1);
  p.end();
  return image;
}

}  // namespace artgen
