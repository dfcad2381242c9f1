// The game's flat button, on the side panel and in the dialogs: transparent,
// a raised edge while the mouse is over it and a sunken one while it is held
// down. It shows a caption, which may have several lines ("\r\n") and a
// glyph left of it, or a filled triangle pointing up or down (the arrows of
// the options dialog).
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QSize>
#include <QString>

#include "ui/widgets/layout_scale.h"

class QPainter;

namespace vandrel {

// Writes text greyed out the way disabled captions look: a white copy one
// pixel down and right under a grey one.
void DrawEmbossedText(QPainter& p, const QRect& r, int flags, const QString& text);

class FlatButton : public QAbstractButton, public Rescalable {
  Q_OBJECT
 public:
  enum class Arrow { None, Up, Down };
  // Where the button stands. The side panel's buttons have a slightly
  // stronger edge and emboss their caption while disabled; the dialogs'
  // keep their colour.
  enum class Setting { Panel, Dialog };

  FlatButton(QWidget* parent, const QString& caption, QColor ink, const QFont& font,
             Setting setting = Setting::Panel);

  // The triangle instead of the caption.
  void setArrow(Arrow arrow);
  Arrow arrow() const { return arrow_; }
  // A glyph left of the caption, `size` layout pixels.
  void setGlyph(ArtLoader glyph, QSize size);
  // The glyph as it is painted, in widget pixels; empty without one.
  QSize glyphSize() const { return glyph_.deviceIndependentSize().toSize(); }
  void rescale(const LayoutScale& scale) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void paintCaption(QPainter& p, QPoint shift);
  void paintArrow(QPainter& p, QPoint shift);

  QColor ink_;
  Setting setting_;
  Arrow arrow_ = Arrow::None;
  ArtLoader glyphArt_;
  QSize glyphSize_;
  QPixmap glyph_;
  LayoutScale scale_;
};

}  // namespace vandrel
