// "Your record" and the about box's way to it, driven as a player drives
// them: clicks and keys while they run modally.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <optional>
#include <vector>

#include "tests/ui/dialogs/dialog_test.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/prompt_dialog.h"
#include "ui/dialogs/record_dialog.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/panel_widgets.h"

namespace {

using vandrel::AboutDialog;
using vandrel::PlayerRecord;
using vandrel::PromptDialog;
using vandrel::RecordDialog;
using vandrel::testing::Click;
using vandrel::testing::DialogTest;

void PressKey(QDialog* d, Qt::Key key) {
  if (QTest::qWaitForWindowActive(d)) QTest::keyClick(d->windowHandle(), key);
}

// Each count in its own row beside its caption, the number
// right-aligned, in full (nine digits), clear of the caption and read out
// with it; the rows one under the other, the buttons below them.
TEST_F(DialogTest, RecordShowsEachCountInItsRow) {
  PlayerRecord r{12, 7, 5, 4, 2, 1, 1, 187, 999'999'999, 1};
  RecordDialog dialog(QImage(), nullptr);
  dialog.ShowRecord(r);
  const struct {
    QLabel* value;
    const char* caption;
    const char* shown;
  } rows[] = {{dialog.GamesPlayed, "Games played", "12"},
              {dialog.GamesWon, "Games won", "7"},
              {dialog.GamesLost, "Games lost", "5"},
              {dialog.MatchesPlayed, "Matches played", "4"},
              {dialog.MatchesWon, "Matches won", "2"},
              {dialog.MatchesLost, "Matches lost", "1"},
              {dialog.MatchesDrawn, "Matches drawn", "1"},
              {dialog.BestMatchScore, "Best match score", "187"},
              {dialog.LongestRun, "Longest run of games won", "999999999"}};
  int above = dialog.HeadingLine->geometry().bottom();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.caption);
    auto* caption = dialog.findChild<QLabel*>(row.value->objectName() + "Caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), row.caption);
    EXPECT_EQ(row.value->text(), row.shown);
    EXPECT_EQ(row.value->accessibleName(), QString("%1: %2").arg(row.caption, row.shown));
    EXPECT_TRUE(row.value->alignment() & Qt::AlignRight);
    const QFontMetrics valueInk(row.value->font()), captionInk(caption->font());
    EXPECT_LE(valueInk.horizontalAdvance(row.value->text()), row.value->width());
    EXPECT_LE(caption->x() + captionInk.horizontalAdvance(row.caption), row.value->x());
    EXPECT_EQ(caption->y(), row.value->y());
    EXPECT_GT(row.value->y(), above);
    above = row.value->geometry().bottom();
  }
  EXPECT_GT(dialog.OkBtn->y(), above);
  EXPECT_LE(dialog.OkBtn->geometry().bottom(), dialog.height());
}

// Return and Escape close it keeping the record; Clear (a click, here
// Key_unknown, or C) asks once more and answers true only on "Yes"; after
// "No" it stays up until OK.
TEST_F(DialogTest, RecordClearsOnlyWhenTheQuestionIsAnsweredYes) {
  const struct {
    Qt::Key key;
    std::optional<bool> yes;  // the answer to "Clear your record?", if asked
  } cases[] = {{Qt::Key_Return, std::nullopt},
               {Qt::Key_Escape, std::nullopt},
               {Qt::Key_unknown, true},
               {Qt::Key_C, true},
               {Qt::Key_C, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key << " " << c.yes.value_or(false));
    PromptDialog prompt;
    RecordDialog dialog(QImage(), &prompt);
    std::vector<QString> asked;
    if (c.yes) {
      WhenModal<PromptDialog>([&](PromptDialog* p) {
        asked.push_back(p->Message->text());
        Click(*c.yes ? p->OkBtn : p->NoBtn);
      });
    }
    bool upAfter = false;
    WhenModal<RecordDialog>([&](RecordDialog* d) {
      c.key == Qt::Key_unknown ? Click(d->ClearBtn) : PressKey(d, c.key);
      upAfter = d->isVisible();
      if (upAfter) Click(d->OkBtn);
    });
    EXPECT_EQ(dialog.Execute(PlayerRecord{}), c.yes.value_or(false));
    EXPECT_EQ(asked, c.yes ? std::vector<QString>{"Clear your record?"} : std::vector<QString>{});
    EXPECT_EQ(upAfter, c.yes == false);
  }
}

// The about box's "Record" (a click or R) closes it asking for the record,
// Return does not; the button lies clear of the link.
TEST_F(DialogTest, AboutRecordButtonAsksForTheRecord) {
  for (const auto& [key, asked] :
       {std::pair{Qt::Key_unknown, true}, {Qt::Key_R, true}, {Qt::Key_Return, false}}) {
    AboutDialog about;
    WhenModal<AboutDialog>([key = key](AboutDialog* a) {
      key == Qt::Key_unknown ? Click(a->RecordBtn) : PressKey(a, key);
    });
    EXPECT_EQ(about.Execute(), asked) << key;
    EXPECT_FALSE(about.RecordBtn->geometry().intersects(about.WebLink->geometry()));
  }
}

}  // namespace
