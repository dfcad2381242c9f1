#include "ui/widgets/layout_scale.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace vandrel {

LayoutFit FitLayout(QSize area, QSize layout) {
  LayoutFit fit;
  if (area.isEmpty() || layout.isEmpty()) return fit;
  fit.scale = std::min(static_cast<double>(area.width()) / layout.width(),
                       static_cast<double>(area.height()) / layout.height());
  fit.size = QSize(static_cast<int>(std::lround(layout.width() * fit.scale)),
                   static_cast<int>(std::lround(layout.height() * fit.scale)));
  fit.offset =
      QPoint((area.width() - fit.size.width()) / 2, (area.height() - fit.size.height()) / 2);
  return fit;
}

// --- LayoutScale -------------------------------------------------------------------

int LayoutScale::map(int v) const { return static_cast<int>(std::lround(v * factor_)); }

QRect LayoutScale::map(const QRect& r) const {
  // Place and size apiece: a widget of one layout size has one widget size
  // wherever it stands (the pieces, the cells).
  return {map(r.x()), map(r.y()), map(r.width()), map(r.height())};
}

QRect LayoutScale::mapEdges(const QRect& r) const {
  const QPoint a = map(r.topLeft());
  return {a, QSize(map(r.x() + r.width()) - a.x(), map(r.y() + r.height()) - a.y())};
}

QFont LayoutScale::map(const QFont& f) const {
  QFont g = f;
  if (f.pixelSize() > 0) {
    g.setPixelSize(std::max(1, map(f.pixelSize())));
  } else if (f.pointSizeF() > 0) {
    g.setPointSizeF(f.pointSizeF() * factor_);
  }
  return g;
}

int LayoutScale::toLayout(double v) const {
  const int px = static_cast<int>(std::floor(v));
  int x = static_cast<int>(std::floor((px + 0.5) / factor_));
  // The layout pixel x covers widget pixels map(x) .. map(x + 1) - 1.
  while (x > 0 && map(x) > px) --x;
  while (map(x + 1) <= px) ++x;
  return x;
}

// --- LayoutScaler ------------------------------------------------------------------

void LayoutScaler::capture(QWidget* root) {
  root_ = root;
  for (QWidget* w : root->findChildren<QWidget*>()) {
    // The parts Qt builds inside its own widgets (viewports, scroll bars,
    // spin box editors) follow their owner.
    QWidget* owner = w->parentWidget();
    bool inner = false;
    for (; owner && owner != root; owner = owner->parentWidget()) {
      if (qobject_cast<QAbstractScrollArea*>(owner) || qobject_cast<QAbstractSpinBox*>(owner)) {
        inner = true;
        break;
      }
    }
    if (!inner) add(w);
  }
}

void LayoutScaler::add(QWidget* w) {
  // Every widget is placed where the root's layout puts it: rounding once
  // per widget, not once per level of nesting.
  QWidget* parent = w->parentWidget();
  const QPoint parentAt = parent && parent != root_ ? parent->mapTo(root_, QPoint(0, 0)) : QPoint();
  Entry e{w, w->geometry().translated(parentAt), parentAt, w->font(), {}};
  e.fixed = w->minimumSize() == w->maximumSize();
  if (auto* table = qobject_cast<QTableWidget*>(w)) {
    for (int c = 0; c < table->columnCount(); ++c) e.sections.push_back(table->columnWidth(c));
    e.sections.push_back(table->verticalHeader()->defaultSectionSize());
  }
  entries_.push_back(std::move(e));
}

void LayoutScaler::apply(const LayoutScale& scale) {
  scale_ = scale;
  for (Entry& e : entries_) {
    QWidget* w = e.widget;
    if (!w) continue;
    auto* own = dynamic_cast<Rescalable*>(w);
    if (!own || !own->placesItself()) {
      const QRect r = scale.mapEdges(e.rect).translated(-scale.map(e.parentAt));
      // A fixed size would hold the widget at its 1x size: it stays fixed, scaled.
      if (e.fixed) w->setFixedSize(r.size());
      w->setGeometry(r);
    }
    w->setFont(scale.map(e.font));
    if (auto* table = qobject_cast<QTableWidget*>(w); table && !e.sections.empty()) {
      const int columns = static_cast<int>(e.sections.size()) - 1;
      for (int c = 0; c < columns && c < table->columnCount(); ++c)
        table->setColumnWidth(c, scale.map(e.sections[static_cast<size_t>(c)]));
      const int rowHeight = scale.map(e.sections.back());
      table->verticalHeader()->setMinimumSectionSize(1);
      table->verticalHeader()->setDefaultSectionSize(rowHeight);
      for (int r = 0; r < table->rowCount(); ++r) table->setRowHeight(r, rowHeight);
    }
    if (own) own->rescale(scale);
  }
}

// --- Art ---------------------------------------------------------------------------

QPixmap ScaledArt(const QImage& art, QSize layoutSize, const LayoutScale& scale) {
  if (art.isNull()) return {};
  const double dpr = scale.devicePixelRatio();
  const QSize device(static_cast<int>(std::lround(scale.map(layoutSize.width()) * dpr)),
                     static_cast<int>(std::lround(scale.map(layoutSize.height()) * dpr)));
  QPixmap pix;
  if (art.size() == device) {
    pix = QPixmap::fromImage(art);
  } else {
    pix = QPixmap::fromImage(art.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  pix.setDevicePixelRatio(dpr);
  return pix;
}

void ScaleDocument(QTextDocument* doc, double factor) {
  if (factor == 1.0) return;
  QFont base = doc->defaultFont();
  if (base.pixelSize() > 0) {
    base.setPixelSize(std::max(1, static_cast<int>(std::lround(base.pixelSize() * factor))));
  } else if (base.pointSizeF() > 0) {
    base.setPointSizeF(base.pointSizeF() * factor);
  }
  doc->setDefaultFont(base);
  struct Run {
    int position, length;
    QTextCharFormat format;
  };
  std::vector<Run> runs;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    QTextBlockFormat bf = b.blockFormat();
    bf.setLeftMargin(bf.leftMargin() * factor);
    bf.setRightMargin(bf.rightMargin() * factor);
    bf.setTextIndent(bf.textIndent() * factor);
    bf.setTopMargin(bf.topMargin() * factor);
    bf.setBottomMargin(bf.bottomMargin() * factor);
    QTextCursor(b).setBlockFormat(bf);
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      QTextCharFormat cf = f.charFormat();
      if (!cf.hasProperty(QTextFormat::FontPointSize)) continue;
      cf.setFontPointSize(cf.fontPointSize() * factor);
      runs.push_back({f.position(), f.length(), cf});
    }
  }
  // Changing a fragment's format may merge it with its neighbours: collect
  // first, then change.
  QTextCursor c(doc);
  for (const Run& r : runs) {
    c.setPosition(r.position);
    c.setPosition(r.position + r.length, QTextCursor::KeepAnchor);
    c.setCharFormat(r.format);
  }
}

}  // namespace vandrel
