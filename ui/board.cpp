#include "ui/board.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace vandrel {

MouseButton GameButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return MouseButton::Left;
  }
}

QPixmap KeyedPixmap(const QImage& bitmap) {
  if (bitmap.isNull()) return {};
  const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB32);
  const QRgb key = rgb.pixel(0, rgb.height() - 1);
  QPixmap pix = QPixmap::fromImage(rgb);
  pix.setMask(QBitmap::fromImage(rgb.createMaskFromColor(key, Qt::MaskInColor)));
  return pix;
}

// --- BoardView -------------------------------------------------------------------

BoardView::BoardView(QWidget* parent)
    : QWidget(parent), bitmap_(kBoardSide, kBoardSide, QImage::Format_RGB32) {
  bitmap_.fill(Qt::black);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void BoardView::drawPicture(const QImage& picture) {
  QPainter p(&bitmap_);
  p.drawImage(0, 0, picture);
  update();
}

void BoardView::invertFrame(int x, int y) {
  constexpr int kPen = 4;
  const QRect cell = QRect(x, y, kCellPixels, kCellPixels) & bitmap_.rect();
  if (cell.isEmpty()) return;
  const QRect inner = cell.adjusted(kPen, kPen, -kPen, -kPen);
  QRegion outline(cell);
  outline -= QRegion(inner);
  for (const QRect& band : outline) {
    for (int yy = band.top(); yy <= band.bottom(); ++yy) {
      auto* line = reinterpret_cast<QRgb*>(bitmap_.scanLine(yy));
      for (int xx = band.left(); xx <= band.right(); ++xx) line[xx] ^= 0x00FFFFFFu;
    }
  }
  update(outline);
}

void BoardView::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  for (const QRect& r : e->region()) p.drawImage(r.topLeft(), bitmap_, r);
}

void BoardView::mousePressEvent(QMouseEvent* e) {
  e->accept();
  if (onMouseDown) {
    const QPoint at = e->position().toPoint();
    onMouseDown(at.x(), at.y(), GameButton(e->button()));
  }
}

void BoardView::mouseMoveEvent(QMouseEvent* e) {
  e->accept();
  if (onMouseMove) {
    const QPoint at = e->position().toPoint();
    onMouseMove(at.x(), at.y());
  }
}

// --- PieceImage ------------------------------------------------------------------

PieceImage::PieceImage(BoardView* board, const QPixmap& picture, int tag)
    : QWidget(board), picture_(picture), tag_(tag) {
  resize(kPieceSide, kPieceSide);
  setMouseTracking(true);
}

void PieceImage::place(int col, int row) {
  col_ = col;
  row_ = row;
  move(kCellPixels * col + kPieceInset, kCellPixels * row + kPieceInset);
}

void PieceImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, picture_);
}

void PieceImage::mousePressEvent(QMouseEvent* e) {
  e->accept();
  if (onMouseDown) onMouseDown(tag_, GameButton(e->button()));
}

void PieceImage::mouseMoveEvent(QMouseEvent* e) { e->accept(); }

}  // namespace vandrel
