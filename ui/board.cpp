#include "ui/board.h"

#include <QBitmap>
#include <QByteArray>
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

namespace {

uint32_t Le(const QByteArray& d, qsizetype at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(d[at + i]);
  return v;
}

}  // namespace

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
  if (onPaintOver) onPaintOver(p);
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
