#include "ui/window/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace vandrel {

namespace {

// The announcer as a screen reader knows it: an alert named by its message.
class AnnouncerInterface : public QAccessibleWidget {
 public:
  explicit AnnouncerInterface(Announcer* a)
      : QAccessibleWidget(a, QAccessible::AlertMessage), announcer_(a) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name || t == QAccessible::Description) return announcer_->Message();
    return QAccessibleWidget::text(t);
  }

 private:
  Announcer* announcer_;
};

QAccessibleInterface* AnnouncerFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(Announcer::staticMetaObject.className()))
    return new AnnouncerInterface(static_cast<Announcer*>(object));
  return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* window) : QWidget(window) {
  static const bool installed = [] {
    QAccessible::installFactory(AnnouncerFactory);
    return true;
  }();
  (void)installed;
  setObjectName(QStringLiteral("Announcer"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 1, 1);
}

void Announcer::Say(const QString& text) {
  message_ = text;
  setAccessibleName(text);
  setAccessibleDescription(text);
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

}  // namespace vandrel
