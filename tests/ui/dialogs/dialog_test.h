// What the dialog tests share: a watchdog that fails a test which leaves a
// dialog open, steps run on a modal dialog once it is up, and clicks.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QSize>
#include <QString>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QSize& size, std::ostream* os) {
  *os << size.width() << 'x' << size.height();
}

namespace vandrel::testing {

inline void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// Each test has a watchdog, so that a dialog left open fails it instead of hanging.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    watchdog_.setSingleShot(true);
    QObject::connect(&watchdog_, &QTimer::timeout, [] {
      ADD_FAILURE() << "a modal window was left open";
      while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->done(0);
        QApplication::processEvents();
      }
    });
    watchdog_.start(10000);
  }
  void TearDown() override { watchers_.clear(); }  // steps that never ran end here

  // Runs `step` on the modal window of type T as soon as one is up. A step
  // scheduled before a modal call runs inside that call's event loop.
  template <typename T>
  void WhenModal(std::function<void(T*)> step) {
    QTimer* timer = watchers_.emplace_back(std::make_unique<QTimer>()).get();
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
      auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
      if (!window || !window->isVisible()) return;
      timer->stop();
      step(window);
    });
    timer->start(5);
  }

  QTimer watchdog_;
  std::vector<std::unique_ptr<QTimer>> watchers_;
};

}  // namespace vandrel::testing
