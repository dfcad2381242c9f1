#include "ui/dialogs/options_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>

#include "rules/state.h"
#include "ui/dialogs/dialog_style.h"
#include "ui/widgets/key_binding.h"

namespace vandrel {

namespace {
// The rows of the check boxes and the level stand a row apart; the level
// takes a band of its own between the check boxes and the buttons: its
// caption, then its two choices, the first under the check boxes, the second
// above the Apply button. The dialog grows by the second check box and the
// band.
constexpr int kRow = 32;
constexpr int kBandTop = 136 + kRow;
constexpr int kBand = 2 * kRow;
constexpr int kClassicLeft = 68;
constexpr int kStrongLeft = 176;
constexpr int kChoiceHeight = 28;
}  // namespace

OptionsDialog::OptionsDialog(const QImage& strip, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      strip_(strip) {
  setObjectName(QStringLiteral("OptionsDialog"));
  //: The options dialog's title.
  setWindowTitle(tr("Options"));
  setFixedSize(298, 180 + kRow + kBand);
  setFont(DialogFont(Face::Tahoma, 19, false));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(0, 64, 0));
  setPalette(palette);

  //: Left of the games per match, 168 layout pixels before the number.
  GamesCaption = new QLabel(tr("Games / Match"), this);
  GamesCaption->setObjectName(QStringLiteral("GamesCaption"));
  MakeCreamLabel(GamesCaption, DialogFont(Face::Tahoma, 19, false));
  GamesCaption->move(16, 40);
  GamesCaption->adjustSize();

  GamesCount = new QLabel(QStringLiteral("1"), this);
  GamesCount->setObjectName(QStringLiteral("GamesCount"));
  MakeCreamLabel(GamesCount, DialogFont(Face::Tahoma, 40, true));
  GamesCount->setGeometry(184, 24, 53, 53);
  GamesCount->setFixedSize(53, 53);
  GamesCount->setAlignment(Qt::AlignRight | Qt::AlignTop);

  MoreGamesBtn =
      MakeFlatButton(this, QString(), QRect(248, 16, 35, 33), DialogFont(Face::Tahoma, 21, true));
  MoreGamesBtn->setObjectName(QStringLiteral("MoreGamesBtn"));
  MoreGamesBtn->setArrow(FlatButton::Arrow::Up);
  FewerGamesBtn =
      MakeFlatButton(this, QString(), QRect(248, 48, 35, 33), DialogFont(Face::Tahoma, 21, true));
  FewerGamesBtn->setObjectName(QStringLiteral("FewerGamesBtn"));
  FewerGamesBtn->setArrow(FlatButton::Arrow::Down);

  SoundBox = new QCheckBox(this);
  SoundBox->setObjectName(QStringLiteral("SoundBox"));
  SoundBox->setGeometry(68, 104, 15, 15);
  SoundBox->setChecked(true);  // the first time only; afterwards it keeps its state

  //: Right of its check box: 190 layout pixels up to the dialog's edge.
  SoundCaption = new QLabel(tr("Sound FX On/Off"), this);
  SoundCaption->setObjectName(QStringLiteral("SoundCaption"));
  MakeCreamLabel(SoundCaption, DialogFont(Face::Tahoma, 19, false));
  SoundCaption->move(104, 100);
  SoundCaption->adjustSize();

  ShowMovesBox = new QCheckBox(this);
  ShowMovesBox->setObjectName(QStringLiteral("ShowMovesBox"));
  ShowMovesBox->setGeometry(SoundBox->geometry().translated(0, kRow));
  ShowMovesBox->setChecked(true);

  //: Right of its check box: 190 layout pixels. The marks on the board where
  //: a selected piece may go and what the computer moved.
  ShowMovesCaption = new QLabel(tr("Show moves"), this);
  ShowMovesCaption->setObjectName(QStringLiteral("ShowMovesCaption"));
  MakeCreamLabel(ShowMovesCaption, DialogFont(Face::Tahoma, 19, false));
  ShowMovesCaption->move(SoundCaption->pos() + QPoint(0, kRow));
  ShowMovesCaption->adjustSize();

  //: Over the computer's two levels, "Classic" and "Strong": 280 layout pixels.
  LevelCaption = new QLabel(tr("Computer:"), this);
  LevelCaption->setObjectName(QStringLiteral("LevelCaption"));
  MakeCreamLabel(LevelCaption, DialogFont(Face::Tahoma, 19, false));
  LevelCaption->adjustSize();
  // Two choices on the dialog's face; Left and Right go from one to the other.
  ClassicChoice =
      //: The computer's level as the game first had it: a choice of about 85
      //: layout pixels beside its round button.
      MakeCreamChoice(this, tr("Classic"), DialogFont(Face::Tahoma, 19, false));
  ClassicChoice->setObjectName(QStringLiteral("ClassicChoice"));
  StrongChoice =
      //: The computer's stronger level: a choice of about 95 layout pixels
      //: beside its round button.
      MakeCreamChoice(this, tr("Strong"), DialogFont(Face::Tahoma, 19, false));
  StrongChoice->setObjectName(QStringLiteral("StrongChoice"));
  for (QRadioButton* choice : {ClassicChoice, StrongChoice})
    choice->setGeometry(choice == ClassicChoice ? kClassicLeft : kStrongLeft, kBandTop + kRow - 6,
                        choice->width(), kChoiceHeight);
  ClassicChoice->setChecked(true);
  LevelCaption->move(16, kBandTop - 4);

  //: A button of 113 x 37 layout pixels.
  CancelBtn = MakeFlatButton(this, tr("Cancel"), QRect(8, kBandTop + kBand, 113, 37),
                             DialogFont(Face::Tahoma, 19, false));
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  //: A button of 113 x 37 layout pixels.
  ApplyBtn = MakeFlatButton(this, tr("Apply"), QRect(176, kBandTop + kBand, 113, 37),
                            DialogFont(Face::Tahoma, 19, false));
  ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));

  connect(MoreGamesBtn, &QAbstractButton::clicked, this, &OptionsDialog::MoreGamesBtnClick);
  connect(FewerGamesBtn, &QAbstractButton::clicked, this, &OptionsDialog::FewerGamesBtnClick);
  connect(ApplyBtn, &QAbstractButton::clicked, this, &OptionsDialog::ApplyBtnClick);
  connect(CancelBtn, &QAbstractButton::clicked, this, &OptionsDialog::CancelBtnClick);

  // Return applies, Up and Down press the arrows (held, they repeat); Escape
  // cancels as it does in any dialog. The buttons tell their keys.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
    BindKey(this, QKeySequence(key), [this] { Press(ApplyBtn); });
  BindKey(
      this, QKeySequence(Qt::Key_Up), [this] { Press(MoreGamesBtn); }, true);
  BindKey(
      this, QKeySequence(Qt::Key_Down), [this] { Press(FewerGamesBtn); }, true);
  //: A tooltip; Up is the arrow key.
  MoreGamesBtn->setToolTip(tr("One game more (Up)"));
  //: A tooltip; Down is the arrow key.
  FewerGamesBtn->setToolTip(tr("One game fewer (Down)"));
  //: A tooltip; Return is the key.
  ApplyBtn->setToolTip(tr("Apply (Return)"));
  //: A tooltip; Escape is the key.
  CancelBtn->setToolTip(tr("Cancel (Escape)"));

  // Names for a screen reader where the control shows none of its own.
  // The captions beside the controls name them where they can.
  //: A screen reader's name for the up arrow.
  MoreGamesBtn->setAccessibleName(tr("One game more"));
  //: A screen reader's name for the down arrow.
  FewerGamesBtn->setAccessibleName(tr("One game fewer"));
  SoundBox->setAccessibleName(SoundCaption->text());
  ShowMovesBox->setAccessibleName(ShowMovesCaption->text());
  //: A screen reader's description of the "Show moves" check box.
  ShowMovesBox->setAccessibleDescription(
      tr("Marks on the board where a selected piece may go and what the computer moved"));
  //: A screen reader's name for a level: %1 is "Classic" or "Strong".
  const QString level = tr("Computer: %1");
  ClassicChoice->setAccessibleName(level.arg(ClassicChoice->text()));
  StrongChoice->setAccessibleName(level.arg(StrongChoice->text()));
  GamesCount->setAccessibleDescription(GamesCaption->text());
}

int OptionsDialog::Execute(int* gamesPerMatch, bool* sfxOn, bool* strong, bool* showMoves) {
  gamesPerMatch_ = gamesPerMatch;
  sfxOn_ = sfxOn;
  strong_ = strong;
  showMoves_ = showMoves;
  const int result = exec();
  gamesPerMatch_ = nullptr;
  sfxOn_ = nullptr;
  strong_ = nullptr;
  showMoves_ = nullptr;
  return result == kApply ? kApply : kCancel;
}

void OptionsDialog::FormShow() {
  // The sound box is left as it was: it keeps the state of the last closing.
  if (gamesPerMatch_) GamesCount->setNum(*gamesPerMatch_);
  // The marks and the level show what is in force: a change cancelled is
  // forgotten.
  if (showMoves_) ShowMovesBox->setChecked(*showMoves_);
  (strong_ && *strong_ ? StrongChoice : ClassicChoice)->setChecked(true);
}

void OptionsDialog::ChangeGames(int step) {
  if (!gamesPerMatch_) return;
  *gamesPerMatch_ = std::clamp(*gamesPerMatch_ + step, kMinGamesPerMatch, kMaxGamesPerMatch);
  GamesCount->setNum(*gamesPerMatch_);
}

void OptionsDialog::MoreGamesBtnClick() { ChangeGames(+1); }

void OptionsDialog::FewerGamesBtnClick() { ChangeGames(-1); }

void OptionsDialog::ApplyBtnClick() {
  if (sfxOn_) *sfxOn_ = SoundBox->isChecked();
  if (showMoves_) *showMoves_ = ShowMovesBox->isChecked();
  if (strong_) *strong_ = StrongChoice->isChecked();
  done(kApply);
}

void OptionsDialog::CancelBtnClick() { done(kCancel); }

// The close box, Escape and a close from outside all count as Cancel.
void OptionsDialog::reject() { done(kCancel); }

void OptionsDialog::showEvent(QShowEvent* event) {
  CentreOnScreen(this, layoutScale_);
  FormShow();
  QDialog::showEvent(event);
}

void OptionsDialog::FormPaint() {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  if (!strip_.isNull()) painter.drawImage(rect(), strip_);
}

void OptionsDialog::paintEvent(QPaintEvent*) { FormPaint(); }

}  // namespace vandrel
