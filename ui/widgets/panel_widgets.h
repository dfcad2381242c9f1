// The small controls of the main window's side panel, drawn by hand so that
// they look the same on every desktop: the flat buttons (flat_button.h), the
// die display, the turn arrows, the bevel lines, the column numbers and a
// panel that stretches the strip picture over itself.
#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <vector>

#include "ui/widgets/layout_scale.h"

namespace vandrel {

// A colour given as the 24-bit number 0x00BBGGRR.
constexpr QRgb FromBgr(unsigned bgr) {
  return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
              static_cast<int>((bgr >> 16) & 0xFF));
}

// The die display: lime digits on black inside a sunken border; the digit
// is embossed grey while the display is disabled.
class DieDisplay : public QFrame, public Rescalable {
  Q_OBJECT
 public:
  explicit DieDisplay(QWidget* parent);
  void rescale(const LayoutScale& scale) override;
  void setText(const QString& text);
  QString text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

// A right-pointing filled triangle, the turn marker beside "You" and "Me".
class TurnArrow : public QWidget {
  Q_OBJECT
 public:
  TurnArrow(QWidget* parent, QRgb colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

// A line along the top edge, lowered: a grey line over a white one.
class Bevel : public QWidget, public Rescalable {
  Q_OBJECT
 public:
  explicit Bevel(QWidget* parent);
  void rescale(const LayoutScale& scale) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int line_ = 1;
};

// The column numbers over and under the board. The caption keeps its runs of
// spaces; each number is drawn over the middle of its board column.
class ColumnCaption : public QWidget, public Rescalable {
  Q_OBJECT
 public:
  ColumnCaption(QWidget* parent, const QString& caption, QRgb colour);
  QString text() const { return caption_; }
  void rescale(const LayoutScale& scale) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  QColor colour_;
  LayoutScale scale_;
};

// The strip picture stretched over a rectangle. The strip changes only from
// top to bottom, so it is kept as one colour per row and painted as lines:
// much cheaper than scaling the picture at every paint.
class StripPainter {
 public:
  StripPainter() = default;
  explicit StripPainter(const QImage& strip);
  bool isNull() const { return rows_.empty(); }
  // Paints the part of `target` that lies in `dirty`.
  void paint(QPainter& p, const QRect& target, const QRect& dirty) const;

 private:
  std::vector<QRgb> rows_;  // the strip's rows, each averaged across
};

// A panel with the strip stretched over it (the side panel). The strip is
// laid over the whole window, so the panel continues the window's background
// wherever the layout stands.
class PictureFill : public QWidget {
  Q_OBJECT
 public:
  PictureFill(QWidget* parent, const QImage& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  StripPainter strip_;
};

}  // namespace vandrel
