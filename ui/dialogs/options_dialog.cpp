#include "ui/dialogs/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "ui/dialogs/dialog_style.h"
#include "ui/widgets/key_binding.h"

using vandrel::FlatButton;

namespace {
constexpr int kMinGames = 1;
constexpr int kMaxGames = 10;
// The computer's level takes a band of its own between the sound box and the
// buttons; the dialog grows by it.
constexpr int kBandTop = 136;
constexpr int kBand = 40;
}  // namespace

TOptionForm::TOptionForm(const QImage& strip, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      strip_(strip) {
  setObjectName(QStringLiteral("OptionForm"));
  setWindowTitle(QStringLiteral("Options"));
  setFixedSize(298, 180 + kBand);
  setFont(vandrel::DialogFont(vandrel::Face::Tahoma, 19, false));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(0, 64, 0));
  setPalette(palette);

  Label1 = new QLabel(QStringLiteral("Games / Match"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  vandrel::MakeCreamLabel(Label1, vandrel::DialogFont(vandrel::Face::Tahoma, 19, false));
  Label1->move(16, 40);
  Label1->adjustSize();

  MatchLabel = new QLabel(QStringLiteral("1"), this);
  MatchLabel->setObjectName(QStringLiteral("MatchLabel"));
  vandrel::MakeCreamLabel(MatchLabel, vandrel::DialogFont(vandrel::Face::Tahoma, 40, true));
  MatchLabel->setGeometry(184, 24, 53, 53);
  MatchLabel->setFixedSize(53, 53);
  MatchLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);

  SpeedButton1 = vandrel::MakeFlatButton(this, QString(), QRect(248, 16, 35, 33),
                                         vandrel::DialogFont(vandrel::Face::Tahoma, 21, true));
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setArrow(FlatButton::Arrow::Up);
  SpeedButton2 = vandrel::MakeFlatButton(this, QString(), QRect(248, 48, 35, 33),
                                         vandrel::DialogFont(vandrel::Face::Tahoma, 21, true));
  SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
  SpeedButton2->setArrow(FlatButton::Arrow::Down);

  SFXBox = new QCheckBox(this);
  SFXBox->setObjectName(QStringLiteral("SFXBox"));
  SFXBox->setGeometry(68, 104, 15, 15);
  SFXBox->setChecked(true);  // the first time only; afterwards it keeps its state

  Label2 = new QLabel(QStringLiteral("Sound FX On/Off"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  vandrel::MakeCreamLabel(Label2, vandrel::DialogFont(vandrel::Face::Tahoma, 19, false));
  Label2->move(104, 100);
  Label2->adjustSize();

  Label3 = new QLabel(QStringLiteral("Computer:"), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  vandrel::MakeCreamLabel(Label3, vandrel::DialogFont(vandrel::Face::Tahoma, 19, false));
  Label3->adjustSize();
  // Under the Apply button, so that the choice reads "Computer: Classic".
  LevelBox = new QComboBox(this);
  LevelBox->setObjectName(QStringLiteral("LevelBox"));
  LevelBox->setFont(vandrel::DialogFont(vandrel::Face::Tahoma, 19, false));
  LevelBox->addItems({QStringLiteral("Classic"), QStringLiteral("Strong")});
  LevelBox->setGeometry(176, kBandTop + 4, 113, 30);
  Label3->move(16, LevelBox->y() + (LevelBox->height() - Label3->height()) / 2);

  CancelBtn =
      vandrel::MakeFlatButton(this, QStringLiteral("Cancel"), QRect(8, kBandTop + kBand, 113, 37),
                              vandrel::DialogFont(vandrel::Face::Tahoma, 19, false));
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  ApplyBtn =
      vandrel::MakeFlatButton(this, QStringLiteral("Apply"), QRect(176, kBandTop + kBand, 113, 37),
                              vandrel::DialogFont(vandrel::Face::Tahoma, 19, false));
  ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));

  connect(SpeedButton1, &QAbstractButton::clicked, this, &TOptionForm::SpeedButton1Click);
  connect(SpeedButton2, &QAbstractButton::clicked, this, &TOptionForm::SpeedButton2Click);
  connect(ApplyBtn, &QAbstractButton::clicked, this, &TOptionForm::ApplyBtnClick);
  connect(CancelBtn, &QAbstractButton::clicked, this, &TOptionForm::CancelBtnClick);

  // Return applies, Up and Down press the arrows (held, they repeat); Escape
  // cancels as it does in any dialog. The buttons tell their keys.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
    vandrel::BindKey(this, QKeySequence(key), [this] { vandrel::Press(ApplyBtn); });
  vandrel::BindKey(
      this, QKeySequence(Qt::Key_Up), [this] { vandrel::Press(SpeedButton1); }, true);
  vandrel::BindKey(
      this, QKeySequence(Qt::Key_Down), [this] { vandrel::Press(SpeedButton2); }, true);
  SpeedButton1->setToolTip(QStringLiteral("One game more (Up)"));
  SpeedButton2->setToolTip(QStringLiteral("One game fewer (Down)"));
  ApplyBtn->setToolTip(QStringLiteral("Apply (Return)"));
  CancelBtn->setToolTip(QStringLiteral("Cancel (Escape)"));

  // Names for a screen reader where the control shows none of its own.
  SpeedButton1->setAccessibleName(QStringLiteral("One game more"));
  SpeedButton2->setAccessibleName(QStringLiteral("One game fewer"));
  SFXBox->setAccessibleName(QStringLiteral("Sound FX On/Off"));
  MatchLabel->setAccessibleDescription(QStringLiteral("Games / Match"));
}

int TOptionForm::Execute(int* gamesPerMatch, bool* sfxOn, bool* strong) {
  gamesPerMatch_ = gamesPerMatch;
  sfxOn_ = sfxOn;
  strong_ = strong;
  const int result = exec();
  gamesPerMatch_ = nullptr;
  sfxOn_ = nullptr;
  strong_ = nullptr;
  return result == kApply ? kApply : kCancel;
}

void TOptionForm::FormShow() {
  // The check box is left as it was: it keeps the state of the last closing.
  if (gamesPerMatch_) MatchLabel->setNum(*gamesPerMatch_);
  // The level shows what is in force: a choice cancelled is forgotten.
  LevelBox->setCurrentIndex(strong_ && *strong_ ? kStrong : kClassic);
}

void TOptionForm::ChangeGames(int step) {
  if (!gamesPerMatch_) return;
  *gamesPerMatch_ = std::clamp(*gamesPerMatch_ + step, kMinGames, kMaxGames);
  MatchLabel->setNum(*gamesPerMatch_);
}

void TOptionForm::SpeedButton1Click() { ChangeGames(+1); }

void TOptionForm::SpeedButton2Click() { ChangeGames(-1); }

void TOptionForm::ApplyBtnClick() {
  if (sfxOn_) *sfxOn_ = SFXBox->isChecked();
  if (strong_) *strong_ = LevelBox->currentIndex() == kStrong;
  done(kApply);
}

void TOptionForm::CancelBtnClick() { done(kCancel); }

// The close box, Escape and a close from outside all count as Cancel.
void TOptionForm::reject() { done(kCancel); }

void TOptionForm::showEvent(QShowEvent* event) {
  vandrel::CentreOnScreen(this);
  FormShow();
  QDialog::showEvent(event);
}

void TOptionForm::FormPaint() {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  if (!strip_.isNull()) painter.drawImage(rect(), strip_);
}

void TOptionForm::paintEvent(QPaintEvent*) { FormPaint(); }
