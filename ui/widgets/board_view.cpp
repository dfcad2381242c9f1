#include "ui/widgets/board_view.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <memory>

#include "ui/widgets/board_marks.h"

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

constexpr int kFramePen = 4;

}  // namespace

// --- BoardView -------------------------------------------------------------------

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  still_.start();
  hintTimer_.setSingleShot(true);
  connect(&hintTimer_, &QTimer::timeout, this, [this] { showHint(); });
}

namespace {
constexpr int kHintRestMs = 2000;
}

bool BoardView::event(QEvent* e) {
  if (e->type() != QEvent::ToolTip) return QWidget::event(e);
  hintTimer_.start(std::max<int>(0, kHintRestMs - static_cast<int>(still_.elapsed())));
  return true;
}

void BoardView::showHint() {
  if (toolTip().isEmpty() || !underMouse()) return;
  if (still_.elapsed() < kHintRestMs) {
    hintTimer_.start(kHintRestMs - static_cast<int>(still_.elapsed()));
    return;
  }
  const QPoint at = mapFromGlobal(QCursor::pos());
  const int side = scale_.map(kCellPixels);
  const QRect cell(scale_.map(kCellPixels * (scale_.toLayout(at.x()) / kCellPixels)),
                   scale_.map(kCellPixels * (scale_.toLayout(at.y()) / kCellPixels)), side, side);
  // Hidden again as soon as the pointer leaves the cell.
  QToolTip::showText(mapToGlobal(cell.bottomLeft() + QPoint(0, 4)), toolTip(), this, cell);
}

void BoardView::drawPicture(const QImage& picture) {
  if (picture.isNull()) return;
  const QSize side(kBoardSide, kBoardSide);
  if (picture.size() == side && picture.format() == QImage::Format_RGB32) {
    // The whole bitmap: shared with the picture until the first frame is
    // drawn on it, so start-up neither clears nor copies 1.2 MB.
    bitmap_ = picture;
  } else {
    if (bitmap_.isNull()) {
      bitmap_ = QImage(side, QImage::Format_RGB32);
      bitmap_.fill(Qt::black);
    }
    QPainter p(&bitmap_);
    p.drawImage(0, 0, picture);
  }
  rebuildScreenBitmap();
  update();
}

void BoardView::rescale(const LayoutScale& scale) {
  if (scale == scale_ && (scale.identity() || !screen_.isNull())) return;
  scale_ = scale;
  rebuildScreenBitmap();
  update();
}

void BoardView::rebuildScreenBitmap() {
  if (scale_.identity() && scale_.devicePixelRatio() == 1.0) {
    screen_ = QImage();
    return;
  }
  // The picture drawn for this scale, or the 1x bitmap where there is none.
  const int artScale = ArtScaleFor(scale_.deviceScale());
  QImage art = art_ && artScale > 1 ? art_(artScale) : QImage();
  if (art.isNull()) art = bitmap_;
  // As large as the widget, which the layout may have made a pixel larger
  // than 560 scaled.
  const double dpr = scale_.devicePixelRatio();
  const QSize device =
      (size().isEmpty() ? QSize(scale_.map(kBoardSide), scale_.map(kBoardSide)) : size()) * dpr;
  screen_ = art.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
  screen_.setDevicePixelRatio(dpr);
  for (const QPoint& f : frames_) invertOnScreen(f.x(), f.y());
}

void BoardView::invertOnScreen(int x, int y) {
  const double kx = static_cast<double>(screen_.width()) / kBoardSide;
  const double ky = static_cast<double>(screen_.height()) / kBoardSide;
  const auto dx = [kx](int v) { return static_cast<int>(std::lround(v * kx)); };
  const auto dy = [ky](int v) { return static_cast<int>(std::lround(v * ky)); };
  const QRect device(QPoint(dx(x), dy(y)),
                     QPoint(dx(x + kCellPixels) - 1, dy(y + kCellPixels) - 1));
  invert(screen_, device, std::max(1, dx(kFramePen)));
}

void BoardView::invert(QImage& image, const QRect& rect, int pen) {
  const QRect cell = rect & image.rect();
  if (cell.isEmpty()) return;
  const QRect inner = cell.adjusted(pen, pen, -pen, -pen);
  QRegion outline(cell);
  outline -= QRegion(inner);
  for (const QRect& band : outline) {
    for (int yy = band.top(); yy <= band.bottom(); ++yy) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(yy));
      for (int xx = band.left(); xx <= band.right(); ++xx) line[xx] ^= 0x00FFFFFFu;
    }
  }
}

void BoardView::invertFrame(int x, int y) {
  constexpr int kPen = kFramePen;
  const QRect cell(x, y, kCellPixels, kCellPixels);
  invert(bitmap_, cell, kPen);
  // Inverting twice puts the pixels back: only the frames inverted an odd
  // number of times remain.
  const QPoint at(x, y);
  if (auto it = std::find(frames_.begin(), frames_.end(), at); it != frames_.end()) {
    frames_.erase(it);
  } else {
    frames_.push_back(at);
  }
  if (screen_.isNull()) {
    QRegion outline(cell & bitmap_.rect());
    outline -= QRegion(cell.adjusted(kPen, kPen, -kPen, -kPen));
    update(outline);
    return;
  }
  invertOnScreen(x, y);
  update(scale_.map(cell).adjusted(-2, -2, 2, 2));
}

void BoardView::setMarks(const BoardMarks& marks) {
  if (marks == marks_) return;
  marks_ = marks;
  update();
}

void BoardView::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  if (bitmap_.isNull()) {
    p.fillRect(rect(), Qt::black);  // no picture yet
  } else if (screen_.isNull()) {
    for (const QRect& r : e->region()) p.drawImage(r.topLeft(), bitmap_, r);
  } else {
    p.setClipRegion(e->region());
    p.drawImage(QPoint(0, 0), screen_);
    p.scale(scale_.factor(), scale_.factor());
  }
  // What is drawn over the board (the markers, then the keyboard cursor) is
  // drawn in board pixels, at any scale, under the piece images.
  PaintBoardMarks(p, marks_);
  if (onPaintOver) onPaintOver(p);
}

void BoardView::mousePressEvent(QMouseEvent* e) {
  e->accept();
  if (onMouseDown) {
    const QPointF at = e->position();
    onMouseDown(scale_.toLayout(at.x()), scale_.toLayout(at.y()), GameButton(e->button()));
  }
}

void BoardView::mouseMoveEvent(QMouseEvent* e) {
  e->accept();
  still_.restart();
  if (onMouseMove) {
    const QPointF at = e->position();
    onMouseMove(scale_.toLayout(at.x()), scale_.toLayout(at.y()));
  }
}

// --- PieceArt --------------------------------------------------------------------

const QPixmap& PieceArt::at(const LayoutScale& scale) {
  if (for_ && *for_ == scale) return pixmap_;
  for_ = scale;
  if (scale.identity() && scale.devicePixelRatio() == 1.0) {
    pixmap_ = KeyedPixmap(art_(1));
  } else {
    QImage art = art_(ArtScaleFor(scale.deviceScale()));
    if (art.isNull()) art = art_(1);
    pixmap_ = ScaledArt(KeyedToAlpha(art), QSize(kPieceSide, kPieceSide), scale);
  }
  return pixmap_;
}

// --- PieceImage ------------------------------------------------------------------

PieceImage::PieceImage(BoardView* board, std::shared_ptr<PieceArt> art, int tag)
    : QWidget(board), art_(std::move(art)), tag_(tag) {
  setMouseTracking(true);
  rescale(board->scale());
}

void PieceImage::rescale(const LayoutScale& scale) {
  scale_ = scale;
  picture_ = art_->at(scale);
  resize(scale.map(kPieceSide), scale.map(kPieceSide));
  place(col_, row_);
  update();
}

void PieceImage::place(int col, int row) {
  col_ = col;
  row_ = row;
  move(scale_.map(kCellPixels * col + kPieceInset), scale_.map(kCellPixels * row + kPieceInset));
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
