#include "ui/dialogs/about_dialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <algorithm>

#include "ui/dialogs/dialog_style.h"
#include "ui/widgets/key_binding.h"

namespace vandrel {

namespace {

// The guide that comes with the game: the README installed beside the
// program (bin/../share/doc/vandrel), else the one of the source tree it was
// built from; empty when neither is there.
QString FindReadme() {
  const QStringList places = {
      QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/vandrel/README.md"),
      QStringLiteral(VANDREL_SOURCE_README)};
  for (const QString& place : places)
    if (QFileInfo(place).isFile()) return QFileInfo(place).canonicalFilePath();
  return {};
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  setObjectName(QStringLiteral("AboutDialog"));
  // A client of 500 x 267 inside a margin of one pixel.
  setFixedSize(502, 269);
  Client = new QWidget(this);
  Client->setGeometry(1, 1, 500, 267);

  // The picture is 502 x 269; the client shows all but its last two columns and rows.
  TitlePicture = new QLabel(Client);
  TitlePicture->setObjectName(QStringLiteral("TitlePicture"));
  TitlePicture->setGeometry(0, 0, 502, 269);
  SetArtPicture(TitlePicture, "title");
  TitlePicture->installEventFilter(this);

  Version = new QLabel(QStringLiteral("v 1.1"), Client);
  Version->setObjectName(QStringLiteral("Version"));
  MakeCreamLabel(Version, DialogFont(Face::Arial, 13, true, true));
  Version->move(456, 72);
  Version->adjustSize();

  // The link to the game's guide, shown where there is one.
  WebLink = new QLabel(QStringLiteral("README"), Client);
  WebLink->setObjectName(QStringLiteral("WebLink"));
  MakeCreamLabel(WebLink, DialogFont(Face::Arial, 24, true, true));
  // 497 x 23, but a 24-pixel font needs more height than that for the
  // descenders of "p" and "g": the label grows downwards to fit them.
  const int linkHeight = std::max(23, WebLink->fontMetrics().height());
  WebLink->setGeometry(4, 236, 497, linkHeight);
  WebLink->setFixedSize(497, linkHeight);
  WebLink->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  WebLink->setCursor(Qt::PointingHandCursor);
  WebLink->installEventFilter(this);
  SetReadme(FindReadme());

  // Between the row of pieces and the link, at the right, in the link's face.
  RecordBtn = MakeFlatButton(
      Client,
      //: The about box's button to the player's record, 96 x 32 layout pixels.
      tr("Record"), QRect(396, 198, 96, 32), DialogFont(Face::Arial, 19, true, true));
  RecordBtn->setObjectName(QStringLiteral("RecordBtn"));
  connect(RecordBtn, &QAbstractButton::clicked, this, &AboutDialog::RecordBtnClick);

  // Return closes the box as a click on the picture does; R asks for the record.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
    BindKey(this, QKeySequence(key), [this] { accept(); });
  BindKey(this, QKeySequence(Qt::Key_R), [this] { Press(RecordBtn); });
  RecordBtn->setToolTip(tr("Your record (R)"));
  RecordBtn->setAccessibleName(tr("Your record"));
  TitlePicture->setAccessibleName(QStringLiteral("Vandrel"));
}

bool AboutDialog::Execute() { return exec() == kRecord; }

QString AboutDialog::AddressTail(const QString& address) {
  const qsizetype cut =
      std::max(address.lastIndexOf(QLatin1Char(':')), address.lastIndexOf(QLatin1Char('\\')));
  return address.mid(cut + 1);
}

void AboutDialog::TitlePictureClick() { accept(); }

void AboutDialog::RecordBtnClick() { done(kRecord); }

void AboutDialog::SetReadme(const QString& path) {
  readme_ = path;
  WebLink->setVisible(!path.isEmpty());
  WebLink->setToolTip(path);
}

void AboutDialog::WebLinkClick() {
  const QString address = QUrl::fromLocalFile(readme_).toString();
  if (!openUrl_ || !openUrl_(QUrl(address))) {
    //: The title of the box when the web page could not be opened.
    QMessageBox box(
        QMessageBox::Critical, tr("Error"),
        //: %1 is the guide's address without its scheme ("///usr/share/doc/vandrel/README.md").
        tr("Failed to execute %1").arg(AddressTail(address)), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    ScaleText(&box, layoutScale_);
    box.exec();
  }
  accept();
}

// A click is a left press and a release over the same control.
bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != TitlePicture && watched != WebLink) return QDialog::eventFilter(watched, event);
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
      if (watched == WebLink)
        WebLinkClick();
      else
        TitlePictureClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void AboutDialog::showEvent(QShowEvent* event) {
  CentreOnScreen(this, layoutScale_);
  QDialog::showEvent(event);
}

}  // namespace vandrel
