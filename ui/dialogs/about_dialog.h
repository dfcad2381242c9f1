// The about box: the title picture, the version and a link to our web page.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

class QLabel;

namespace vandrel {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens an address with the desktop's handler; false when it could not.
  using UrlOpener = std::function<bool(const QUrl&)>;

  explicit AboutDialog(QWidget* parent = nullptr);

  // Shows the about box modally until the picture or the link is clicked.
  void Execute();
  // The main window's layout scale, which the dialog takes whenever it is
  // shown (0, the default: none told; the dialog stays as it is built).
  void setLayoutScale(double factor) { layoutScale_ = factor; }

  // Replaces the desktop's handler (QDesktopServices::openUrl), for tests.
  void SetUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }

  // The part of an address after its last colon or backslash, as the error
  // box names it ("https://host" gives "//host").
  static QString AddressTail(const QString& address);

  QWidget* Client = nullptr;  // the client area, inside the 1-pixel margin
  QLabel* TitlePicture = nullptr;
  QLabel* Version = nullptr;
  QLabel* WebLink = nullptr;

 public slots:
  void TitlePictureClick();
  void WebLinkClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  double layoutScale_ = 0.0;
  UrlOpener openUrl_;
  QObject* pressed_ = nullptr;  // the control the left button went down on
};

}  // namespace vandrel
