// The options dialog, driven the way a player drives it: clicks and keys
// while it runs modally.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/dialogs/dialog_test.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/widgets/flat_button.h"

namespace {

using vandrel::OptionsDialog;
using vandrel::testing::Click;
using vandrel::testing::DialogTest;

class OptionsTest : public DialogTest {
 protected:
  // Opens the dialog, runs `inside` while it is up, and gives Execute's answer.
  int Run(int* games, bool* sfxOn, std::function<void(OptionsDialog*)> inside) {
    return Run(games, sfxOn, nullptr, std::move(inside));
  }
  int Run(int* games, bool* sfxOn, bool* strong, std::function<void(OptionsDialog*)> inside) {
    WhenModal<OptionsDialog>(std::move(inside));
    return form_.Execute(games, sfxOn, strong);
  }

  OptionsDialog form_{QImage(10, 796, QImage::Format_RGB32)};
};

struct ArrowCase {
  int start, ups, downs, expected;
};

class OptionsArrowTest : public OptionsTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(OptionsArrowTest, ArrowsClampToOneToTenAndWriteAtOnce) {
  const ArrowCase c = GetParam();
  int games = c.start;
  bool sfx = true;
  QString shown;
  int afterFirstPress = 0;
  Run(&games, &sfx, [&](OptionsDialog* form) {
    for (int i = 0; i < c.ups; ++i) Click(form->MoreGamesBtn);
    for (int i = 0; i < c.downs; ++i) {
      Click(form->FewerGamesBtn);
      if (i == 0) afterFirstPress = games;  // written at once, not on Apply
    }
    shown = form->GamesCount->text();
    Click(form->CancelBtn);
  });
  EXPECT_EQ(games, c.expected);
  EXPECT_EQ(shown, QString::number(c.expected));
  if (c.ups == 0) {
    EXPECT_EQ(afterFirstPress, std::max(c.start - 1, 1));
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, OptionsArrowTest,
                         ::testing::Values(ArrowCase{1, 12, 0, 10}, ArrowCase{1, 0, 1, 1},
                                           ArrowCase{5, 0, 2, 3}, ArrowCase{5, 2, 3, 4},
                                           ArrowCase{10, 0, 15, 1}),
                         [](const ::testing::TestParamInfo<ArrowCase>& info) {
                           const ArrowCase& c = info.param;
                           return "From" + std::to_string(c.start) + "Up" + std::to_string(c.ups) +
                                  "Down" + std::to_string(c.downs);
                         });

TEST_F(OptionsTest, CancelKeepsTheChangedCountAndTheNextOpeningShowsIt) {
  int games = 3;
  bool sfx = true;
  QString shownFirst, shownNext;
  const int result = Run(&games, &sfx, [&](OptionsDialog* form) {
    shownFirst = form->GamesCount->text();
    Click(form->MoreGamesBtn);
    Click(form->MoreGamesBtn);
    Click(form->SoundBox);
    Click(form->CancelBtn);
  });
  EXPECT_EQ(result, OptionsDialog::kCancel);
  EXPECT_EQ(games, 5);
  EXPECT_TRUE(sfx) << "Cancel leaves the sound switch alone";
  Run(&games, &sfx, [&](OptionsDialog* form) {
    shownNext = form->GamesCount->text();
    Click(form->CancelBtn);
  });
  EXPECT_EQ(shownFirst, "3");
  EXPECT_EQ(shownNext, "5");
}

// Apply takes the check box; the box keeps its own state between openings,
// whatever the sound button did to the switch meanwhile.
TEST_F(OptionsTest, ApplyTakesTheBoxWhichKeepsItsStateBetweenOpenings) {
  int games = 1;
  bool sfx = true;
  bool checkedAtFirst = false;
  EXPECT_EQ(Run(&games, &sfx,
                [&](OptionsDialog* form) {
                  checkedAtFirst = form->SoundBox->isChecked();
                  Click(form->SoundBox);
                  Click(form->ApplyBtn);
                }),
            OptionsDialog::kApply);
  EXPECT_TRUE(checkedAtFirst);
  EXPECT_FALSE(sfx);

  for (const bool switchedElsewhere : {true, false}) {
    sfx = switchedElsewhere;
    bool shown = !form_.SoundBox->isChecked();
    const bool left = form_.SoundBox->isChecked();
    Run(&games, &sfx, [&](OptionsDialog* form) {
      shown = form->SoundBox->isChecked();
      Click(form->SoundBox);  // leaves it the other way for the next round
      Click(form->ApplyBtn);
    });
    EXPECT_EQ(shown, left);
    EXPECT_EQ(sfx, !left);
  }
}

// Every way out other than Apply answers Cancel, a close from outside included.
TEST_F(OptionsTest, EveryOtherWayOutIsCancel) {
  const std::vector<std::pair<const char*, std::function<void(OptionsDialog*)>>> ways = {
      {"close box", [](OptionsDialog* f) { f->close(); }},
      {"reject", [](OptionsDialog* f) { f->reject(); }},
      {"Escape", [](OptionsDialog* f) { QTest::keyClick(f, Qt::Key_Escape); }},
      {"done(0)", [](OptionsDialog* f) { f->done(0); }},
  };
  for (const auto& [name, way] : ways) {
    int games = 4;
    bool sfx = true;
    const int result = Run(&games, &sfx, [&, way = way](OptionsDialog* form) {
      form->SoundBox->setChecked(false);
      way(form);
    });
    EXPECT_EQ(result, OptionsDialog::kCancel) << name;
    EXPECT_TRUE(sfx) << name;
    EXPECT_FALSE(form_.isVisible()) << name;
  }
}

// The computer's level has a band of its own between the sound box and the
// buttons: what was above keeps its place, the buttons keep their distance
// from the bottom edge.
TEST_F(OptionsTest, LevelBandSitsBetweenTheSoundBoxAndTheButtons) {
  EXPECT_EQ(form_.size(), QSize(298, 220));
  const std::vector<std::pair<QWidget*, QPoint>> kept = {
      {form_.GamesCaption, {16, 40}},  {form_.GamesCount, {184, 24}},
      {form_.MoreGamesBtn, {248, 16}}, {form_.FewerGamesBtn, {248, 48}},
      {form_.SoundBox, {68, 104}},     {form_.SoundCaption, {104, 100}}};
  for (const auto& [widget, place] : kept)
    EXPECT_EQ(widget->pos(), place) << widget->objectName().toStdString();
  for (QWidget* button :
       {static_cast<QWidget*>(form_.CancelBtn), static_cast<QWidget*>(form_.ApplyBtn)})
    EXPECT_EQ(form_.height() - button->geometry().bottom() - 1, 180 - (136 + 37));
  EXPECT_EQ(form_.CancelBtn->x(), 8);
  EXPECT_EQ(form_.ApplyBtn->x(), 176);
  const int bandTop =
      std::max(form_.SoundBox->geometry().bottom(), form_.SoundCaption->geometry().bottom());
  for (QWidget* w :
       {static_cast<QWidget*>(form_.LevelCaption), static_cast<QWidget*>(form_.LevelBox)}) {
    EXPECT_GT(w->y(), bandTop) << w->objectName().toStdString();
    EXPECT_LT(w->geometry().bottom(), form_.CancelBtn->y()) << w->objectName().toStdString();
    EXPECT_LE(w->geometry().right(), form_.width()) << w->objectName().toStdString();
  }
  EXPECT_EQ(form_.LevelCaption->text(), "Computer:");
  ASSERT_EQ(form_.LevelBox->count(), 2);
  EXPECT_EQ(form_.LevelBox->itemText(OptionsDialog::kClassic), "Classic");
  EXPECT_EQ(form_.LevelBox->itemText(OptionsDialog::kStrong), "Strong");
  EXPECT_LT(form_.LevelCaption->geometry().right(), form_.LevelBox->x());
}

// Apply takes the level; Cancel forgets a change, and every opening shows
// the level in force, Classic at first.
TEST_F(OptionsTest, ApplyTakesTheLevelAndCancelForgetsIt) {
  struct Step {
    bool chooseStrong, apply, shownStrong, strongAfter;
  };
  const Step steps[] = {
      {true, false, false, false},  // Classic at first; a cancelled change is forgotten
      {true, true, false, true},
      {false, false, true, true},  // the next opening shows Strong
      {false, true, true, true},
  };
  int games = 1;
  bool sfx = true, strong = false;
  for (const Step& step : steps) {
    bool shown = !step.shownStrong;
    Run(&games, &sfx, &strong, [&](OptionsDialog* form) {
      shown = form->LevelBox->currentIndex() == OptionsDialog::kStrong;
      // As a player picks it from the keyboard: the arrows are the dialog's
      // (the games per match), End and Home the list's.
      if (step.chooseStrong) {
        form->LevelBox->setFocus();
        QTest::keyClick(form->LevelBox, Qt::Key_End);
      }
      Click(step.apply ? form->ApplyBtn : form->CancelBtn);
    });
    EXPECT_EQ(shown, step.shownStrong);
    EXPECT_EQ(strong, step.strongAfter);
  }
  Run(&games, &sfx, &strong, [&](OptionsDialog* form) {
    QTest::keyClick(form->LevelBox, Qt::Key_Home);
    Click(form->ApplyBtn);
  });
  EXPECT_FALSE(strong);
}

// The arrows are drawn triangles: wider at the bottom going up, at the top going down.
TEST_F(OptionsTest, ArrowsPointUpAndDown) {
  auto inkWidth = [](QWidget* button, int dy) {
    const QImage image = button->grab().toImage();
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, image.height() / 2 + dy).blue() > 150) ++n;
    return n;
  };
  QImage black(10, 796, QImage::Format_RGB32);
  black.fill(Qt::black);
  OptionsDialog form(black);
  EXPECT_GT(inkWidth(form.MoreGamesBtn, 2), inkWidth(form.MoreGamesBtn, -2) + 3);
  EXPECT_GT(inkWidth(form.FewerGamesBtn, -2), inkWidth(form.FewerGamesBtn, 2) + 3);
}

}  // namespace
