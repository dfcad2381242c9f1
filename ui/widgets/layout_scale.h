// The game's layout at any size: the 800 x 600 layout (or the developer's
// larger one) scaled uniformly into whatever client area the window has.
//
// The game keeps thinking in layout pixels: every position it sets and every
// mouse position it reads is in the 800 x 600 coordinates. Only the widgets'
// geometry, their fonts and what the custom widgets paint follow the scale.
// The widgets stay real widgets (no graphics view in between), so they keep
// their accessibility and input as they are.
#pragma once

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <vector>

#include "ui/media/art.h"

class QTextDocument;

namespace vandrel {

// Where and how large a layout of size `layout` stands in `area`: the
// largest scale that fits, the aspect kept, centred.
struct LayoutFit {
  double scale = 1.0;
  QPoint offset;
  QSize size;  // the scaled layout, in widget pixels
};
LayoutFit FitLayout(QSize area, QSize layout);

// Maps layout coordinates to widget coordinates at one scale, and back.
class LayoutScale {
 public:
  explicit LayoutScale(double factor = 1.0, double devicePixelRatio = 1.0)
      : factor_(factor), dpr_(devicePixelRatio) {}
  double factor() const { return factor_; }
  double devicePixelRatio() const { return dpr_; }
  // Device pixels per layout pixel: what the art must be drawn for.
  double deviceScale() const { return factor_ * dpr_; }
  bool identity() const { return factor_ == 1.0; }

  int map(int v) const;
  QPoint map(QPoint p) const { return {map(p.x()), map(p.y())}; }
  // Place and size mapped apiece: one layout size, one widget size.
  QRect map(const QRect& r) const;
  // Each edge mapped: neighbouring rectangles still meet.
  QRect mapEdges(const QRect& r) const;
  QFont map(const QFont& f) const;
  // The layout pixel under widget coordinate v (the inverse of map).
  int toLayout(double v) const;

  bool operator==(const LayoutScale&) const = default;

 private:
  double factor_;
  double dpr_;
};

// Widgets that paint for the scale themselves (pictures, hand-drawn lines).
class Rescalable {
 public:
  virtual ~Rescalable() = default;
  virtual void rescale(const LayoutScale& scale) = 0;
  // True for widgets that keep their own layout position (the pieces, which
  // move during the game); the scaler then leaves their geometry alone.
  virtual bool placesItself() const { return false; }
};

// Scales a tree of widgets built at scale 1.
class LayoutScaler {
 public:
  // Records the geometry and font of every widget under root (root itself
  // is the caller's to place). Widgets made later are added with add().
  void capture(QWidget* root);
  void add(QWidget* w);
  void apply(const LayoutScale& scale);
  const LayoutScale& scale() const { return scale_; }

 private:
  struct Entry {
    QPointer<QWidget> widget;
    QRect rect;       // in the root's layout coordinates
    QPoint parentAt;  // the parent's place in them
    QFont font;
    std::vector<int> sections;  // column widths then row heights of a table
    bool fixed = false;         // a fixed size (a label that wraps its text)
  };
  QWidget* root_ = nullptr;
  std::vector<Entry> entries_;
  LayoutScale scale_;
};

// A picture (drawn at any of the art scales) resized smoothly for `scale`:
// `layoutSize` layout pixels, with the device pixel ratio set. A picture that
// has the size already comes back untouched.
QPixmap ScaledArt(const QImage& art, QSize layoutSize, const LayoutScale& scale);

// Multiplies the font sizes and the margins of a rich-text document.
void ScaleDocument(QTextDocument* doc, double factor);

}  // namespace vandrel
