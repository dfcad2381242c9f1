// "Your record" and the about box's way to it, driven as a player drives
// them: clicks and keys while they run modally.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "tests/ui/dialogs/dialog_test.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/dialog_layer.h"
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

// Each count in its own row under its caption's name, the number
// right-aligned, in full (nine digits), clear of the caption and read out
// with it; the rows one under the other, the buttons below them.
TEST_F(DialogTest, RecordShowsEachCountInItsRow) {
  PlayerRecord r{12, 7, 5, 4, 2, 1, 1, 187, 999'999'999, 1};
  RecordDialog dialog(QImage(), nullptr);
  dialog.ShowRecord(r);
  const struct {
    QLabel* value;
    const char* name;
    const char* caption;
    const char* shown;
  } rows[] = {{dialog.GamesPlayed, "GamesPlayed", "Games played", "12"},
              {dialog.GamesWon, "GamesWon", "Games won", "7"},
              {dialog.GamesLost, "GamesLost", "Games lost", "5"},
              {dialog.MatchesPlayed, "MatchesPlayed", "Matches played", "4"},
              {dialog.MatchesWon, "MatchesWon", "Matches won", "2"},
              {dialog.MatchesLost, "MatchesLost", "Matches lost", "1"},
              {dialog.MatchesDrawn, "MatchesDrawn", "Matches drawn", "1"},
              {dialog.BestMatchScore, "BestMatchScore", "Best match score", "187"},
              {dialog.LongestRun, "LongestRun", "Longest run of games won", "999999999"}};
  int above = dialog.HeadingLine->geometry().bottom();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.caption);
    EXPECT_EQ(row.value->objectName(), row.name);
    auto* caption = dialog.findChild<QLabel*>(QString(row.name) + "Caption");
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
  EXPECT_EQ(dialog.windowTitle(), "Your record");
  EXPECT_EQ(dialog.Heading->text(), "Your record");
  EXPECT_FALSE(dialog.ClearBtn->accessibleName().isEmpty());
}

// OK, Return and Escape close it keeping the record; Clear (a click or C)
// asks once more and answers true only on "Yes"; after "No" it stays up.
TEST_F(DialogTest, RecordClearsOnlyWhenTheQuestionIsAnsweredYes) {
  const struct {
    const char* name;
    std::function<void(RecordDialog*)> act;
    std::optional<bool> yes;  // the answer to "Clear your record?", if asked
    bool cleared;
  } cases[] = {
      {"OK", [](RecordDialog* d) { Click(d->OkBtn); }, std::nullopt, false},
      {"Return", [](RecordDialog* d) { PressKey(d, Qt::Key_Return); }, std::nullopt, false},
      {"Escape", [](RecordDialog* d) { PressKey(d, Qt::Key_Escape); }, std::nullopt, false},
      {"ClearYes", [](RecordDialog* d) { Click(d->ClearBtn); }, true, true},
      {"ClearNo", [](RecordDialog* d) { Click(d->ClearBtn); }, false, false},
      {"KeyCYes", [](RecordDialog* d) { PressKey(d, Qt::Key_C); }, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
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
      c.act(d);
      upAfter = d->isVisible();
      if (upAfter) Click(d->OkBtn);
    });
    EXPECT_EQ(dialog.Execute(PlayerRecord{}), c.cleared);
    EXPECT_EQ(asked, c.yes ? std::vector<QString>{"Clear your record?"} : std::vector<QString>{});
    EXPECT_EQ(upAfter, c.yes == false);
  }
}

// The about box's "Record" (a click or R) closes it asking for the record;
// the other ways out do not. The button lies clear of the link.
TEST_F(DialogTest, AboutRecordButtonAsksForTheRecord) {
  const struct {
    const char* name;
    std::function<void(AboutDialog*)> act;
    bool asked;
  } cases[] = {
      {"Click", [](AboutDialog* a) { Click(a->RecordBtn); }, true},
      {"R", [](AboutDialog* a) { PressKey(a, Qt::Key_R); }, true},
      {"Return", [](AboutDialog* a) { PressKey(a, Qt::Key_Return); }, false},
      {"Picture", [](AboutDialog* a) { Click(a->TitlePicture); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AboutDialog about;
    WhenModal<AboutDialog>(c.act);
    EXPECT_EQ(about.Execute(), c.asked);
    EXPECT_FALSE(about.RecordBtn->geometry().intersects(about.WebLink->geometry()));
    EXPECT_TRUE(about.Client->rect().contains(about.RecordBtn->geometry()));
  }
}

// The layer shows the record it is given, scaled with the window.
TEST_F(DialogTest, TheLayerShowsTheRecordScaled) {
  QWidget window;
  const std::unique_ptr<vandrel::DialogLayer> layer = vandrel::CreateDialogs(&window, QImage());
  layer->setLayoutScale(2.0);
  QSize size;
  QString won;
  WhenModal<RecordDialog>([&](RecordDialog* d) {
    size = d->size();
    won = d->GamesWon->text();
    Click(d->OkBtn);
  });
  PlayerRecord r;
  r.GamesWon = 3;
  EXPECT_FALSE(layer->record(r));
  EXPECT_EQ(size, RecordDialog(QImage(), nullptr).size() * 2);
  EXPECT_EQ(won, "3");
}

}  // namespace
