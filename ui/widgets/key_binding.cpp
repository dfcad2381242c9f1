#include "ui/widgets/key_binding.h"

#include <QAbstractButton>
#include <QShortcut>

namespace vandrel {

QShortcut* BindKey(QWidget* window, const QKeySequence& key, std::function<void()> action,
                   bool repeats) {
  auto* s = new QShortcut(key, window);
  s->setContext(Qt::WindowShortcut);
  s->setAutoRepeat(repeats);
  QObject::connect(s, &QShortcut::activated, window, std::move(action));
  return s;
}

void Press(QAbstractButton* b) {
  if (b && b->isEnabled() && b->isVisible()) b->click();
}

}  // namespace vandrel
