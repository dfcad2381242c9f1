#include "ui/dialogs/about_dialog.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <algorithm>

#include "ui/dialogs/dialog_style.h"
#include "ui/widgets/key_binding.h"

namespace {
// Our web page, written without its scheme as the link shows it.
const QString kWebAddress = QStringLiteral("vandrel.example.org");
}  // namespace

Tlogo::Tlogo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  setObjectName(QStringLiteral("logo"));
  // A client of 500 x 267 inside a margin of one pixel.
  setFixedSize(502, 269);
  Client = new QWidget(this);
  Client->setGeometry(1, 1, 500, 267);

  // The picture is 502 x 269; the client shows all but its last two columns and rows.
  Image1 = new QLabel(Client);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(0, 0, 502, 269);
  vandrel::SetArtPicture(Image1, "title");
  Image1->installEventFilter(this);

  Label2 = new QLabel(QStringLiteral("v 1.1"), Client);
  Label2->setObjectName(QStringLiteral("Label2"));
  vandrel::MakeCreamLabel(Label2, vandrel::DialogFont(vandrel::Face::Arial, 13, true, true));
  Label2->move(456, 72);
  Label2->adjustSize();

  Label1 = new QLabel(kWebAddress, Client);
  Label1->setObjectName(QStringLiteral("Label1"));
  vandrel::MakeCreamLabel(Label1, vandrel::DialogFont(vandrel::Face::Arial, 24, true, true));
  // 497 x 23, but a 24-pixel font needs more height than that for the
  // descenders of "p" and "g": the label grows downwards to fit them.
  const int linkHeight = std::max(23, Label1->fontMetrics().height());
  Label1->setGeometry(4, 236, 497, linkHeight);
  Label1->setFixedSize(497, linkHeight);
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label1->setCursor(Qt::PointingHandCursor);
  Label1->installEventFilter(this);

  // Return closes the box as a click on the picture does.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
    vandrel::BindKey(this, QKeySequence(key), [this] { accept(); });
  Image1->setAccessibleName(QStringLiteral("Vandrel"));
}

void Tlogo::Execute() { exec(); }

QString Tlogo::AddressTail(const QString& address) {
  const qsizetype cut =
      std::max(address.lastIndexOf(QLatin1Char(':')), address.lastIndexOf(QLatin1Char('\\')));
  return address.mid(cut + 1);
}

void Tlogo::Image1Click() { accept(); }

void Tlogo::Label1Click() {
  const QString address = QStringLiteral("https://") + Label1->text();
  if (!openUrl_ || !openUrl_(QUrl(address))) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"),
                    QStringLiteral("Failed to execute ") + AddressTail(address), QMessageBox::Ok,
                    this);
    box.setTextFormat(Qt::PlainText);
    vandrel::ScaleTextWithOwner(&box);
    box.exec();
  }
  accept();
}

// A click is a left press and a release over the same control.
bool Tlogo::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Image1 && watched != Label1) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      pressed_ = watched;
      return true;
    }
  } else if (event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const bool click = mouse->button() == Qt::LeftButton && pressed_ == watched &&
                       static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
    if (mouse->button() == Qt::LeftButton) pressed_ = nullptr;
    if (click) {
      if (watched == Label1)
        Label1Click();
      else
        Image1Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void Tlogo::showEvent(QShowEvent* event) {
  vandrel::CentreOnScreen(this);
  QDialog::showEvent(event);
}
