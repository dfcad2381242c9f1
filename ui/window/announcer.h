// Short messages for a screen reader that come with no dialog of their own
// (the hint, the computer's move): a speck of a widget in the window, an
// alert whose name is the last message, announced as each one comes.
#pragma once

#include <QString>
#include <QWidget>

namespace vandrel {

class Announcer : public QWidget {
  Q_OBJECT
 public:
  explicit Announcer(QWidget* window);

  // Tells the message at once.
  void Say(const QString& text);
  const QString& Message() const { return message_; }

 protected:
  void paintEvent(QPaintEvent*) override {}

 private:
  QString message_;
};

}  // namespace vandrel
