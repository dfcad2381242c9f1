#include "ui/widgets/flat_button.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace vandrel {

namespace {

// Captions are written with Windows line ends.
QString Lines(const QString& caption) {
  QString s = caption;
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

}  // namespace

void DrawEmbossedText(QPainter& p, const QRect& r, int flags, const QString& text) {
  p.setPen(QColor(255, 255, 255));
  p.drawText(r.translated(1, 1), flags, text);
  p.setPen(QColor(128, 128, 128));
  p.drawText(r, flags, text);
}

FlatButton::FlatButton(QWidget* parent, const QString& caption, QColor ink, const QFont& font,
                       Setting setting)
    : QAbstractButton(parent), ink_(ink), setting_(setting) {
  setText(caption);
  setFont(font);
  setAttribute(Qt::WA_Hover);
  // A key must never press a button of the window: "Bye!" would quit. The
  // dialogs' keys are bound to the dialog (ui/widgets/key_binding.h).
  setFocusPolicy(Qt::NoFocus);
}

void FlatButton::setArrow(Arrow arrow) {
  arrow_ = arrow;
  update();
}

void FlatButton::setGlyph(ArtLoader glyph, QSize size) {
  glyphArt_ = std::move(glyph);
  glyphSize_ = size;
  rescale(scale_);
}

void FlatButton::rescale(const LayoutScale& scale) {
  scale_ = scale;
  if (!glyphArt_) return;
  glyph_ = ScaledArt(glyphArt_(ArtScaleFor(scale.deviceScale())), glyphSize_, scale);
  update();
}

bool FlatButton::event(QEvent* e) {
  if (e->type() == QEvent::HoverEnter || e->type() == QEvent::HoverLeave) update();
  return QAbstractButton::event(e);
}

void FlatButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  const bool down = isDown();
  // The edge: light above and left, dark below and right; the other way
  // round while pressed. Nothing at rest.
  if (isEnabled() && (down || underMouse())) {
    const int alpha = setting_ == Setting::Panel ? 180 : 170;
    const QColor light(255, 255, 255, alpha), dark(0, 0, 0, alpha);
    p.setPen(down ? dark : light);
    p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
    p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
    p.setPen(down ? light : dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
  }
  const QPoint shift = down ? QPoint(1, 1) : QPoint(0, 0);
  if (arrow_ == Arrow::None) {
    paintCaption(p, shift);
  } else {
    paintArrow(p, shift);
  }
}

void FlatButton::paintCaption(QPainter& p, QPoint shift) {
  const QRect r = rect();
  const QString caption = Lines(text());
  p.setFont(font());

  // Glyph and caption side by side, the pair centred.
  QRect textRect = r;
  if (!glyph_.isNull()) {
    const int gap = scale_.map(4);
    const QSize glyph = glyphSize();
    const int textWidth = p.fontMetrics().boundingRect(r, Qt::AlignCenter, caption).width();
    const int total = glyph.width() + gap + textWidth;
    const int left = (r.width() - total) / 2;
    p.drawPixmap(QPoint(left, (r.height() - glyph.height()) / 2) + shift, glyph_);
    textRect = QRect(left + glyph.width() + gap, 0, textWidth, r.height());
  }
  textRect.translate(shift);
  const int flags = Qt::AlignCenter;
  if (isEnabled() || setting_ == Setting::Dialog) {
    p.setPen(ink_);
    p.drawText(textRect, flags, caption);
  } else {
    DrawEmbossedText(p, textRect, flags, caption);
  }
}

void FlatButton::paintArrow(QPainter& p, QPoint shift) {
  // A filled triangle 14 pixels wide and 7 high on the 33-pixel button, like
  // the symbol font's arrows; larger with a scaled dialog.
  const QRect r = rect();
  const double k = r.height() / 33.0;
  const double halfWidth = 7 * k;
  const double height = 7 * k;
  const QPointF centre = QRectF(r).center() + QPointF(shift) + QPointF(0.5, 0.5);
  const double top = centre.y() - height / 2.0;
  const double bottom = top + height;
  QPainterPath path;
  if (arrow_ == Arrow::Up) {
    path.moveTo(centre.x(), top);
    path.lineTo(centre.x() + halfWidth, bottom);
    path.lineTo(centre.x() - halfWidth, bottom);
  } else {
    path.moveTo(centre.x() - halfWidth, top);
    path.lineTo(centre.x() + halfWidth, top);
    path.lineTo(centre.x(), bottom);
  }
  path.closeSubpath();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillPath(path, ink_);
}

}  // namespace vandrel
