#include "ui/widgets/panel_widgets.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>

#include "ui/widgets/flat_button.h"
#include "ui/widgets/fonts.h"

namespace vandrel {

// --- DieDisplay ------------------------------------------------------------------

DieDisplay::DieDisplay(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setFont(WindowFont(Face::Arial, 53, true));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  pal.setColor(QPalette::Light, QColor(255, 255, 255));
  pal.setColor(QPalette::Dark, QColor(128, 128, 128));
  pal.setColor(QPalette::Mid, QColor(160, 160, 160));
  setPalette(pal);
}

void DieDisplay::rescale(const LayoutScale& scale) { setLineWidth(std::max(1, scale.map(2))); }

void DieDisplay::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

void DieDisplay::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  if (text_.isEmpty()) return;
  QPainter p(this);
  p.setFont(font());
  const QRect r = contentsRect();
  if (isEnabled()) {
    p.setPen(QColor(0, 255, 0));
    p.drawText(r, Qt::AlignCenter, text_);
  } else {
    DrawEmbossedText(p, r, Qt::AlignCenter, text_);
  }
}

// --- TurnArrow ---------------------------------------------------------------------

TurnArrow::TurnArrow(QWidget* parent, QRgb colour) : QWidget(parent), colour_(colour) {}

void TurnArrow::paintEvent(QPaintEvent*) {
  // The symbol font's right triangle at 21 pixels: about 7 wide, 13 high.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = width(), h = height();
  QPainterPath path;
  path.moveTo(w * 0.33, h * 0.19);
  path.lineTo(w * 0.67, h * 0.50);
  path.lineTo(w * 0.33, h * 0.81);
  path.closeSubpath();
  p.fillPath(path, colour_);
}

// --- Bevel ---------------------------------------------------------------------------

Bevel::Bevel(QWidget* parent) : QWidget(parent) {}

void Bevel::rescale(const LayoutScale& scale) {
  line_ = std::max(1, scale.map(1));
  update();
}

void Bevel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(0, 0, width(), line_, QColor(128, 128, 128));
  p.fillRect(0, line_, width(), line_, QColor(255, 255, 255));
}

// --- ColumnCaption ---------------------------------------------------------------------

ColumnCaption::ColumnCaption(QWidget* parent, const QString& caption, QRgb colour)
    : QWidget(parent), caption_(caption), colour_(colour) {
  setFont(WindowFont(Face::MsSansSerif, 11, true));
}

void ColumnCaption::paintEvent(QPaintEvent*) {
  // The caption starts 2 pixels left of the middle of board column 1 and the
  // columns are 70 pixels apart: number i is centred at 4 + 70 i.
  QPainter p(this);
  p.setFont(font());
  p.setPen(colour_);
  const QStringList numbers = caption_.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  for (int i = 0; i < numbers.size(); ++i) {
    const QRect cell(scale_.map(4 + 70 * i - 35), 0, scale_.map(70), height());
    p.drawText(cell, Qt::AlignCenter, numbers[i]);
  }
}

void ColumnCaption::rescale(const LayoutScale& scale) {
  scale_ = scale;
  update();
}

// --- StripPainter -----------------------------------------------------------------------

StripPainter::StripPainter(const QImage& strip) {
  const QImage img = strip.convertToFormat(QImage::Format_RGB32);
  rows_.reserve(static_cast<size_t>(img.height()));
  for (int y = 0; y < img.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    int r = 0, g = 0, b = 0;
    for (int x = 0; x < img.width(); ++x) {
      r += qRed(line[x]);
      g += qGreen(line[x]);
      b += qBlue(line[x]);
    }
    const int n = img.width();
    rows_.push_back(qRgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n));
  }
}

void StripPainter::paint(QPainter& p, const QRect& target, const QRect& dirty) const {
  const QRect area = target & dirty;
  if (area.isEmpty() || rows_.empty()) return;
  const auto n = static_cast<int64_t>(rows_.size());
  // Runs of lines that take the same strip row are filled at once.
  int y = area.top();
  while (y <= area.bottom()) {
    const int64_t row = (static_cast<int64_t>(y - target.top()) * n) / target.height();
    int end = y + 1;
    while (end <= area.bottom() &&
           (static_cast<int64_t>(end - target.top()) * n) / target.height() == row)
      ++end;
    p.fillRect(QRect(area.left(), y, area.width(), end - y), QColor(rows_[row]));
    y = end;
  }
}

// --- PictureFill --------------------------------------------------------------------------

PictureFill::PictureFill(QWidget* parent, const QImage& picture)
    : QWidget(parent), strip_(picture) {
  setAttribute(Qt::WA_OpaquePaintEvent, !strip_.isNull());
}

void PictureFill::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  const QWidget* top = window();
  strip_.paint(p, QRect(-mapTo(top, QPoint(0, 0)), top->size()), e->rect());
}

}  // namespace vandrel
