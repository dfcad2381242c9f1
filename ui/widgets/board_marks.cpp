#include "ui/widgets/board_marks.h"

#include <QPainter>
#include <QPen>

namespace vandrel {

namespace {

constexpr int kCell = 70;
constexpr double kDotRadius = 9;
constexpr double kRingRadius = 32;

template <class F>
void ForEachSquare(uint64_t bits, F&& f) {
  for (int i = 0; i < 64; ++i)
    if (bits >> i & 1) f(QPointF(kCell * (i % 8) + kCell / 2.0, kCell * (i / 8) + kCell / 2.0));
}

}  // namespace

void PaintBoardMarks(QPainter& p, const BoardMarks& marks) {
  if (marks == BoardMarks{}) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  // The last move: a 2-pixel orange line one pixel inside the square's edge.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(232, 112, 0, 235), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  ForEachSquare(marks.lastMove, [&p](QPointF c) {
    p.drawRect(QRectF(c.x() - kCell / 2.0 + 2, c.y() - kCell / 2.0 + 2, kCell - 4, kCell - 4));
  });
  // The removal: a soft ring just outside the piece's disc.
  p.setPen(QPen(QColor(200, 40, 40, 170), 3));
  ForEachSquare(marks.removal, [&p](QPointF c) { p.drawEllipse(c, kRingRadius, kRingRadius); });
  // The reachable squares: a dark translucent dot with a pale rim, seen on
  // light and dark squares alike.
  p.setPen(QPen(QColor(255, 255, 255, 170), 1.5));
  p.setBrush(QColor(16, 64, 40, 120));
  ForEachSquare(marks.reachable, [&p](QPointF c) { p.drawEllipse(c, kDotRadius, kDotRadius); });
  p.restore();
}

}  // namespace vandrel
