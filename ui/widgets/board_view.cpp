#include "ui/widgets/board_view.h"

#include <QBitmap>
#include <QByteArray>
#include <QCursor>
#include <QFile>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

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

ArtLoader CachedArt(ArtLoader load) {
  auto cache = std::make_shared<std::map<int, QImage>>();
  return [load = std::move(load), cache](int artScale) {
    auto [it, added] = cache->try_emplace(artScale);
    if (added) it->second = load(artScale);
    return it->second;
  };
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

QPixmap KeyedPixmap(const QImage& bitmap) {
  if (bitmap.isNull()) return {};
  const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB32);
  const QRgb key = rgb.pixel(0, rgb.height() - 1);
  QPixmap pix = QPixmap::fromImage(rgb);
  pix.setMask(QBitmap::fromImage(rgb.createMaskFromColor(key, Qt::MaskInColor)));
  return pix;
}

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
  // What is drawn over the board (the keyboard cursor) is drawn in board
  // pixels, at any scale.
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
