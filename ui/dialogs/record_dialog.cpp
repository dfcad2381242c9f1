#include "ui/dialogs/record_dialog.h"

#include <QLabel>
#include <QPainter>

#include "ui/dialogs/dialog_style.h"
#include "ui/dialogs/prompt_dialog.h"
#include "ui/widgets/key_binding.h"
#include "ui/widgets/panel_widgets.h"

namespace vandrel {

namespace {

// The rows in their three groups: the games, the matches, the bests. A
// small gap stands between two groups.
struct Row {
  const char* name;  // the number's object name, its field in the dialog
  const char* caption;
  int32_t PlayerRecord::*count;
  QLabel* RecordDialog::*value;
  int group;
};
const Row kRows[] = {
    {"GamesPlayed", QT_TRANSLATE_NOOP("vandrel::RecordDialog", "Games played"),
     &PlayerRecord::GamesPlayed, &RecordDialog::GamesPlayed, 0},
    {"GamesWon", QT_TRANSLATE_NOOP("vandrel::RecordDialog", "Games won"), &PlayerRecord::GamesWon,
     &RecordDialog::GamesWon, 0},
    {"GamesLost", QT_TRANSLATE_NOOP("vandrel::RecordDialog", "Games lost"),
     &PlayerRecord::GamesLost, &RecordDialog::GamesLost, 0},
    {"MatchesPlayed", QT_TRANSLATE_NOOP("vandrel::RecordDialog", "Matches played"),
     &PlayerRecord::MatchesPlayed, &RecordDialog::MatchesPlayed, 1},
    {"MatchesWon", QT_TRANSLATE_NOOP("vandrel::RecordDialog", "Matches won"),
     &PlayerRecord::MatchesWon, &RecordDialog::MatchesWon, 1},
    {"MatchesLost", QT_TRANSLATE_NOOP("vandrel::RecordDialog", "Matches lost"),
     &PlayerRecord::MatchesLost, &RecordDialog::MatchesLost, 1},
    {"MatchesDrawn", QT_TRANSLATE_NOOP("vandrel::RecordDialog", "Matches drawn"),
     &PlayerRecord::MatchesDrawn, &RecordDialog::MatchesDrawn, 1},
    {"BestMatchScore", QT_TRANSLATE_NOOP("vandrel::RecordDialog", "Best match score"),
     &PlayerRecord::BestMatchScore, &RecordDialog::BestMatchScore, 2},
    {"LongestRun", QT_TRANSLATE_NOOP("vandrel::RecordDialog", "Longest run of games won"),
     &PlayerRecord::LongestRun, &RecordDialog::LongestRun, 2},
};

// The layout, in the dialog's own pixels at scale 1.
constexpr int kWidth = 440;
constexpr int kMargin = 16;
constexpr int kFirstRow = 64;
constexpr int kRowHeight = 28;
constexpr int kGroupGap = 10;
constexpr int kValueWidth = 128;  // nine digits, the most a count holds
constexpr int kButtonWidth = 113;
constexpr int kButtonHeight = 37;
constexpr int kRowCount = sizeof(kRows) / sizeof(kRows[0]);
constexpr int kButtonsTop = kFirstRow + kRowCount * kRowHeight + 2 * kGroupGap + 14;
constexpr int kHeight = kButtonsTop + kButtonHeight + 10;

int RowTop(int index) { return kFirstRow + index * kRowHeight + kRows[index].group * kGroupGap; }

}  // namespace

RecordDialog::RecordDialog(const QImage& strip, PromptDialog* confirm, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      strip_(strip),
      confirm_(confirm) {
  setObjectName(QStringLiteral("RecordDialog"));
  setWindowTitle(tr("Your record"));
  setFixedSize(kWidth, kHeight);
  setFont(DialogFont(Face::Tahoma, 19, false));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(0, 64, 0));
  setPalette(palette);

  Heading = new QLabel(tr("Your record"), this);
  Heading->setObjectName(QStringLiteral("Heading"));
  MakeCreamLabel(Heading, DialogFont(Face::Tahoma, 26, true));
  Heading->setGeometry(kMargin, 10, kWidth - 2 * kMargin, 36);
  Heading->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  HeadingLine = new Bevel(this);
  HeadingLine->setObjectName(QStringLiteral("HeadingLine"));
  HeadingLine->setGeometry(kMargin, 50, kWidth - 2 * kMargin, 4);

  for (int i = 0; i < kRowCount; ++i) {
    const Row& row = kRows[i];
    const int top = RowTop(i);
    auto* caption = new QLabel(tr(row.caption), this);
    caption->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("Caption"));
    MakeCreamLabel(caption, DialogFont(Face::Tahoma, 19, false));
    caption->setGeometry(kMargin, top, kWidth - 2 * kMargin - kValueWidth, kRowHeight);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    caption->setAccessibleName(caption->text());
    auto* value = new QLabel(QStringLiteral("0"), this);
    value->setObjectName(QString::fromLatin1(row.name));
    MakeCreamLabel(value, DialogFont(Face::Tahoma, 19, true));
    value->setGeometry(kWidth - kMargin - kValueWidth, top, kValueWidth, kRowHeight);
    value->setFixedSize(kValueWidth, kRowHeight);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Tab walks the numbers, so that a screen reader reads each row.
    value->setFocusPolicy(Qt::TabFocus);
    this->*row.value = value;
  }

  //: A button of the record dialog, 113 x 37 layout pixels.
  ClearBtn = MakeFlatButton(this, tr("Clear"), QRect(8, kButtonsTop, kButtonWidth, kButtonHeight),
                            DialogFont(Face::Tahoma, 19, false));
  ClearBtn->setObjectName(QStringLiteral("ClearBtn"));
  OkBtn = MakeFlatButton(this, PromptDialog::tr("OK"),
                         QRect(kWidth - 8 - kButtonWidth, kButtonsTop, kButtonWidth, kButtonHeight),
                         DialogFont(Face::Tahoma, 19, false));
  OkBtn->setObjectName(QStringLiteral("OkBtn"));
  connect(ClearBtn, &QAbstractButton::clicked, this, &RecordDialog::ClearBtnClick);
  connect(OkBtn, &QAbstractButton::clicked, this, &RecordDialog::OkBtnClick);

  // Return closes the dialog as Escape does; C or Delete clears.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
    BindKey(this, QKeySequence(key), [this] { Press(OkBtn); });
  for (Qt::Key key : {Qt::Key_C, Qt::Key_Delete})
    BindKey(this, QKeySequence(key), [this] { Press(ClearBtn); });
  OkBtn->setToolTip(tr("OK (Return)"));
  ClearBtn->setToolTip(tr("Clear your record (C)"));
  OkBtn->setAccessibleName(PromptDialog::tr("OK"));
  ClearBtn->setAccessibleName(tr("Clear your record"));
  Heading->setAccessibleName(Heading->text());
  ShowRecord(PlayerRecord{});
}

void RecordDialog::ShowRecord(const PlayerRecord& shown) {
  for (const Row& row : kRows) {
    QLabel* value = this->*row.value;
    value->setNum(static_cast<int>(shown.*row.count));
    value->setAccessibleName(
        //: What a screen reader says of a row: the caption and its number.
        tr("%1: %2").arg(tr(row.caption), value->text()));
  }
}

bool RecordDialog::Execute(const PlayerRecord& shown) {
  ShowRecord(shown);
  return exec() == kClear;
}

void RecordDialog::ClearBtnClick() {
  if (confirm_ && confirm_->AskQuestion(tr("Clear your record?")) && isVisible()) done(kClear);
}

void RecordDialog::OkBtnClick() { accept(); }

void RecordDialog::showEvent(QShowEvent* event) {
  CentreOnScreen(this, layoutScale_);
  QDialog::showEvent(event);
}

void RecordDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  if (!strip_.isNull()) painter.drawImage(rect(), strip_);
}

}  // namespace vandrel
