// The options dialog, driven the way a player drives it: clicks and keys
// while it runs modally.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
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
  int Run(int* games, bool* sfxOn, bool* strong, std::function<void(OptionsDialog*)> inside,
          bool* showMoves = nullptr) {
    WhenModal<OptionsDialog>(std::move(inside));
    return form_.Execute(games, sfxOn, strong, showMoves);
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

// "Show moves" stands under the sound box, and the computer's level has a
// band of its own between it and the buttons: what was above keeps its
// place, the buttons keep their distance from the bottom edge.
TEST_F(OptionsTest, RowsAndLevelBandSitBetweenTheCountAndTheButtons) {
  EXPECT_EQ(form_.size(), QSize(298, 276));
  const std::vector<std::pair<QWidget*, QPoint>> kept = {
      {form_.GamesCaption, {16, 40}},   {form_.GamesCount, {184, 24}},
      {form_.MoreGamesBtn, {248, 16}},  {form_.FewerGamesBtn, {248, 48}},
      {form_.SoundBox, {68, 104}},      {form_.SoundCaption, {104, 100}},
      {form_.ShowMovesBox, {68, 136}},  {form_.ShowMovesCaption, {104, 132}},
      {form_.ClassicChoice, {68, 194}}, {form_.StrongChoice, {176, 194}}};
  for (const auto& [widget, place] : kept)
    EXPECT_EQ(widget->pos(), place) << widget->objectName().toStdString();
  for (QWidget* button :
       {static_cast<QWidget*>(form_.CancelBtn), static_cast<QWidget*>(form_.ApplyBtn)})
    EXPECT_EQ(form_.height() - button->geometry().bottom() - 1, 180 - (136 + 37));
  EXPECT_EQ(form_.CancelBtn->x(), 8);
  EXPECT_EQ(form_.ApplyBtn->x(), 176);
  const int bandTop = std::max(form_.ShowMovesBox->geometry().bottom(),
                               form_.ShowMovesCaption->geometry().bottom());
  EXPECT_GT(form_.ShowMovesCaption->y(), form_.SoundCaption->geometry().bottom());
  const std::vector<std::pair<QWidget*, QString>> band = {{form_.LevelCaption, "Computer:"},
                                                          {form_.ClassicChoice, "Classic"},
                                                          {form_.StrongChoice, "Strong"}};
  for (const auto& [w, text] : band) {
    const std::string name = w->objectName().toStdString();
    EXPECT_GT(w->y(), bandTop) << name;
    EXPECT_LT(w->geometry().bottom(), form_.CancelBtn->y()) << name;
    EXPECT_GE(w->width(), w->sizeHint().width()) << name << " cuts its caption";
    EXPECT_LE(w->geometry().right(), form_.width() - 4) << name;
    EXPECT_EQ(w->property("text").toString(), text) << name;
  }
  EXPECT_GT(form_.ClassicChoice->y(), form_.LevelCaption->geometry().bottom());
  EXPECT_GT(form_.StrongChoice->x(), form_.ClassicChoice->geometry().right());
  EXPECT_EQ(form_.ShowMovesCaption->text(), "Show moves");
  EXPECT_EQ(form_.ShowMovesBox->accessibleName(), "Show moves");
}

// Apply takes "Show moves" and the level; Cancel forgets a change, and every
// opening shows what is in force: marks on and Classic at first.
TEST_F(OptionsTest, ApplyTakesTheMarksAndTheLevelAndCancelForgetsThem) {
  struct Step {
    bool chooseStrong, toggleMarks, apply;
    bool shownStrong, shownMarks;  // when the dialog opens
    bool strongAfter, marksAfter;
  };
  const Step steps[] = {
      {true, true, false, false, true, false, true},  // a cancelled change is forgotten
      {true, false, true, false, true, true, true},
      {false, true, false, true, true, true, true},  // the next opening shows Strong
      {false, true, true, true, true, true, false},
      {false, false, false, true, false, true, false},  // ... and the marks off
      {true, true, true, true, false, true, true},      // choosing the chosen one keeps it
  };
  int games = 1;
  bool sfx = true, strong = false, marks = true;
  for (const Step& step : steps) {
    bool shown = !step.shownStrong, shownMarks = !step.shownMarks;
    Run(
        &games, &sfx, &strong,
        [&](OptionsDialog* form) {
          shown = form->StrongChoice->isChecked() && !form->ClassicChoice->isChecked();
          shownMarks = form->ShowMovesBox->isChecked();
          // As a player picks it from the keyboard: Up and Down are the
          // dialog's (the games per match), Right and Left the choices'.
          if (step.chooseStrong) {
            form->ClassicChoice->setFocus();
            QTest::keyClick(form->ClassicChoice, Qt::Key_Right);
          }
          if (step.toggleMarks) Click(form->ShowMovesBox);
          Click(step.apply ? form->ApplyBtn : form->CancelBtn);
        },
        &marks);
    EXPECT_EQ(shown, step.shownStrong);
    EXPECT_EQ(shownMarks, step.shownMarks);
    EXPECT_EQ(strong, step.strongAfter);
    EXPECT_EQ(marks, step.marksAfter);
  }
  Run(&games, &sfx, &strong, [&](OptionsDialog* form) {
    form->StrongChoice->setFocus();
    QTest::keyClick(form->StrongChoice, Qt::Key_Left);
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
