#include "ui/dialogs/dialog_style.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>
#include <vector>

#include "ui/media/jpeg_image.h"
#include "ui/widgets/layout_scale.h"

namespace vandrel {

void MakeCreamLabel(QLabel* label, const QFont& font) {
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->setAutoFillBackground(false);
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, kDialogText);
  label->setPalette(palette);
}

QRadioButton* MakeCreamChoice(QWidget* parent, const QString& caption, const QFont& font) {
  auto* choice = new QRadioButton(caption, parent);
  choice->setFont(font);
  choice->setAutoFillBackground(false);
  QPalette palette = choice->palette();
  palette.setColor(QPalette::WindowText, kDialogText);
  palette.setColor(QPalette::ButtonText, kDialogText);
  choice->setPalette(palette);
  choice->adjustSize();
  return choice;
}

namespace {

// The label's picture (its stem) is kept with the label for the scaler.
constexpr char kArtStem[] = "vandrelArtStem";

QPixmap ArtPicture(const QByteArray& stem, QSize layoutSize, const LayoutScale& scale) {
  const int artScale = ArtScaleFor(scale.deviceScale());
  return ScaledArt(LoadJpegResource(ArtResourceName(stem.constData(), "jpg", artScale)), layoutSize,
                   scale);
}

// The dialog's widgets as built, kept with the dialog.
class DialogScaler : public QObject {
 public:
  explicit DialogScaler(QWidget* dialog) : QObject(dialog), size_(dialog->size()) {
    setObjectName(QStringLiteral("vandrel-dialog-scaler"));
    for (auto* label : dialog->findChildren<QLabel*>()) {
      if (label->property(kArtStem).isValid())
        pictures_.push_back({label, label->size()});
      else if (!label->pixmap().isNull())
        label->setScaledContents(true);
    }
    scaler_.capture(dialog);
  }
  void apply(QWidget* dialog, const LayoutScale& scale) {
    if (scale == scaler_.scale()) return;
    scaler_.apply(scale);
    dialog->setFixedSize(scale.map(size_.width()), scale.map(size_.height()));
    for (const Picture& picture : pictures_)
      if (picture.label)
        picture.label->setPixmap(
            ArtPicture(picture.label->property(kArtStem).toByteArray(), picture.size, scale));
  }

 private:
  struct Picture {
    QPointer<QLabel> label;
    QSize size;  // in layout pixels
  };
  QSize size_;
  LayoutScaler scaler_;
  std::vector<Picture> pictures_;
};

void ScaleWithLayout(QWidget* window, double factor) {
  const LayoutScale scale(factor, window->devicePixelRatioF());
  auto* scaler = window->findChild<QObject*>(QStringLiteral("vandrel-dialog-scaler"),
                                             Qt::FindDirectChildrenOnly);
  // A desktop scaled by 2 leaves the layout at 1 but still wants the 2x pictures.
  if (factor <= 0.0 || (scale.deviceScale() == 1.0 && !scaler)) return;
  if (!scaler) scaler = new DialogScaler(window);
  static_cast<DialogScaler*>(scaler)->apply(window, scale);
}

}  // namespace

void SetArtPicture(QLabel* label, const char* stem) {
  label->setProperty(kArtStem, QByteArray(stem));
  label->setPixmap(ArtPicture(stem, label->size(), LayoutScale()));
}

void ScaleText(QWidget* box, double factor) {
  if (factor <= 1.0) return;
  QFont font = box->font();
  if (font.pixelSize() > 0) {
    font.setPixelSize(qRound(font.pixelSize() * factor));
  } else {
    font.setPointSizeF(font.pointSizeF() * factor);
  }
  box->setFont(font);
  box->resize(box->sizeHint());
}

void CentreOnScreen(QWidget* window, double layoutScale) {
  const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
  ScaleWithLayout(window, layoutScale);
  QScreen* screen = window->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = owner && owner->isVisible() ? owner->geometry() : screen->geometry();
  QRect frame = window->frameGeometry();
  if (!window->isVisible()) {
    // Before the first show the frame is not known yet; the client will do.
    frame = QRect(QPoint(0, 0), window->size());
  }
  frame.moveCenter(area.center());
  window->move(frame.topLeft());
}

FlatButton* MakeFlatButton(QWidget* parent, const QString& caption, const QRect& geometry,
                           const QFont& font) {
  auto* button = new FlatButton(parent, caption, kDialogText, font, FlatButton::Setting::Dialog);
  button->setGeometry(geometry);
  return button;
}

}  // namespace vandrel
