#include "ui/dialogs/prompt_dialog.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>

#include "ui/dialogs/dialog_style.h"
#include "ui/widgets/key_binding.h"
#include "ui/widgets/layout_scale.h"

namespace vandrel {

namespace {

// The prompt as a screen reader knows it: an alert whose name is its message.
class PromptInterface : public QAccessibleWidget {
 public:
  explicit PromptInterface(PromptDialog* prompt)
      : QAccessibleWidget(prompt, QAccessible::AlertMessage), prompt_(prompt) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return prompt_->Message->text();
    return QAccessibleWidget::text(t);
  }

 private:
  PromptDialog* prompt_;
};

//: The prompt's button that closes a message: 81 x 37 layout pixels.
QString OkCaption() { return PromptDialog::tr("OK"); }

QAccessibleInterface* PromptFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(PromptDialog::staticMetaObject.className()))
    return new PromptInterface(static_cast<PromptDialog*>(object));
  return nullptr;
}

}  // namespace

PromptDialog::PromptDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("PromptDialog"));
  setFixedSize(303, 200);
  setFont(DialogFont(Face::Tahoma, 19, false));

  // The picture is 227 rows high; its top 24 rows lie above the window.
  Picture = new QLabel(this);
  Picture->setObjectName(QStringLiteral("Picture"));
  Picture->setGeometry(0, -24, 303, 227);
  SetArtPicture(Picture, "prompt");

  // The message: centred, wrapped within the label, cut off below it.
  Message = new QLabel(this);
  Message->setObjectName(QStringLiteral("Message"));
  MakeCreamLabel(Message, DialogFont(Face::Tahoma, 19, true));
  Message->setGeometry(16, 20, 273, 61);
  Message->setFixedSize(273, 61);
  Message->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Message->setWordWrap(true);

  OkBtn = MakeFlatButton(this, OkCaption(), QRect(112, 144, 81, 37),
                         DialogFont(Face::Tahoma, 19, true));
  OkBtn->setObjectName(QStringLiteral("OkBtn"));
  connect(OkBtn, &QAbstractButton::clicked, this, &PromptDialog::OkBtnClick);
  // A question's two answers share the OK button's place between the
  // picture's two balls.
  //: The prompt's answer to a question: a button of 58 x 37 layout pixels.
  NoBtn =
      MakeFlatButton(this, tr("No"), QRect(152, 144, 58, 37), DialogFont(Face::Tahoma, 19, true));
  NoBtn->setObjectName(QStringLiteral("NoBtn"));
  NoBtn->hide();
  connect(NoBtn, &QAbstractButton::clicked, this, &QDialog::reject);

  // The prompt has nothing else to do with a key: Return, Enter and Space
  // all answer it.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
    BindKey(this, QKeySequence(key), [this] { Press(OkBtn); });
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(PromptFactory);
    return true;
  }();
  (void)factoryInstalled;
}

void PromptDialog::SetQuestion(bool question) {
  question_ = question;
  //: The prompt's answer to a question: a button of 58 x 37 layout pixels.
  OkBtn->setText(question ? tr("Yes") : OkCaption());
  NoBtn->setVisible(question);
  // Placed as it is shown, once the dialog has taken its scale.
  if (isVisible()) PlaceOkBtn();
}

void PromptDialog::PlaceOkBtn() {
  // The scaler knows the button in the place it was built in, OK's; "Yes"
  // has its own, scaled as the dialog is.
  const LayoutScale scale(layoutScale_ > 0.0 ? layoutScale_ : 1.0);
  OkBtn->setGeometry(scale.mapEdges(question_ ? QRect(93, 144, 58, 37) : QRect(112, 144, 81, 37)));
}

void PromptDialog::ShowMessage(const QString& text) {
  SetQuestion(false);
  Message->setText(text);
  exec();
}

bool PromptDialog::AskQuestion(const QString& text) {
  SetQuestion(true);
  Message->setText(text);
  const bool yes = exec() == QDialog::Accepted;
  SetQuestion(false);
  return yes;
}

void PromptDialog::OkBtnClick() { accept(); }

void PromptDialog::showEvent(QShowEvent* event) {
  // A screen reader announces the message as it comes up.
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
  CentreOnScreen(this, layoutScale_);
  PlaceOkBtn();
  QDialog::showEvent(event);
}

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text, double layoutScale) {
  // Titled with the game's name, in every language.
  QMessageBox box(icon, QStringLiteral("Vandrel"), text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  ScaleText(&box, layoutScale);
  box.exec();
}

// Our own dialog rather than the desktop's, so that it looks and behaves the
// same everywhere. Saved games are matched by extension in any case: a game
// saved as "name" becomes "name.VDG", and "*.vdg" alone would hide it.
std::optional<std::string> RunFileDialog(QWidget* parent, const QString& title,
                                         const QString& filter, const QString& suffix, bool save,
                                         const QString& folder, double layoutScale) {
  QFileDialog dialog(parent, title, folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(suffix);
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  ScaleText(&dialog, layoutScale);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
  return QFile::encodeName(files.first()).toStdString();
}

}  // namespace

void ShowPlainMessage(QWidget* parent, const QString& text, double layoutScale) {
  ShowBox(parent, QMessageBox::NoIcon, text, layoutScale);
}

void ShowErrorMessage(QWidget* parent, const QString& text, double layoutScale) {
  ShowBox(parent, QMessageBox::Critical, text, layoutScale);
}

std::optional<std::string> AskSaveGameFile(QWidget* parent, const QString& folder,
                                           double layoutScale) {
  //: The title of the file dialog that saves a game.
  return RunFileDialog(parent, PromptDialog::tr("Save Game"),
                       //: The save dialog's file type; "(*.vdg)" stays as it is.
                       PromptDialog::tr("Vandrel File (*.vdg)"), QStringLiteral("VDG"), true,
                       folder, layoutScale);
}

std::optional<std::string> AskLoadGameFile(QWidget* parent, const QString& folder,
                                           double layoutScale) {
  //: The title of the file dialog that loads a saved game.
  return RunFileDialog(parent, PromptDialog::tr("Open"),
                       //: The open dialog's file type; "(*.vdg)" stays as it is.
                       PromptDialog::tr("Vandrel Files (*.vdg)"), QStringLiteral("vdg"), false,
                       folder, layoutScale);
}

}  // namespace vandrel
