// The about box: the title picture, the version, a link to our web page and
// the way to the player's record.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

class QLabel;

namespace vandrel {

class FlatButton;

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens an address with the desktop's handler; false when it could not.
  using UrlOpener = std::function<bool(const QUrl&)>;

  explicit AboutDialog(QWidget* parent = nullptr);

  // The answer of "Record".
  static constexpr int kRecord = 2;

  // Shows the about box modally until the picture, the link or "Record" is
  // clicked. True when it closed for "Record" (a click, or R): the player
  // asked to see the record.
  bool Execute();
  // The main window's layout scale, which the dialog takes whenever it is
  // shown (0, the default: none told; the dialog stays as it is built).
  void setLayoutScale(double factor) { layoutScale_ = factor; }

  // The game's guide the link opens (empty: no link).
  void SetReadme(const QString& path);

  // Replaces the desktop's handler (QDesktopServices::openUrl), for tests.
  void SetUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }

  // The part of an address after its last colon or backslash, as the error
  // box names it ("https://host" gives "//host").
  static QString AddressTail(const QString& address);

  QWidget* Client = nullptr;  // the client area, inside the 1-pixel margin
  QLabel* TitlePicture = nullptr;
  QLabel* Version = nullptr;
  QLabel* WebLink = nullptr;
  FlatButton* RecordBtn = nullptr;  // "Record", under the row of pieces

 public slots:
  void TitlePictureClick();
  void WebLinkClick();
  void RecordBtnClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  double layoutScale_ = 0.0;
  UrlOpener openUrl_;
  QString readme_;
  QObject* pressed_ = nullptr;  // the control the left button went down on
};

}  // namespace vandrel
