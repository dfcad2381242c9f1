// The prompt, the options dialog, the about box, the message boxes and the file
// dialogs, driven the way a player drives them: clicks while they run modally.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/dialog_layer.h"
#include "ui/dialogs/dialog_style.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs/prompt_dialog.h"
#include "ui/media/jpeg_image.h"

void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
void PrintTo(const QSize& size, std::ostream* os) { *os << size.width() << 'x' << size.height(); }

namespace {

using vandrel::AboutDialog;
using vandrel::OptionsDialog;
using vandrel::PromptDialog;

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// Each test has a watchdog, so that a dialog left open fails it instead of hanging.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    watchdog_.setSingleShot(true);
    QObject::connect(&watchdog_, &QTimer::timeout, [] {
      ADD_FAILURE() << "a modal window was left open";
      while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->done(0);
        QApplication::processEvents();
      }
    });
    watchdog_.start(10000);
  }
  void TearDown() override { watchers_.clear(); }  // steps that never ran end here

  // Runs `step` on the modal window of type T as soon as one is up. A step
  // scheduled before a modal call runs inside that call's event loop.
  template <typename T>
  void WhenModal(std::function<void(T*)> step) {
    QTimer* timer = watchers_.emplace_back(std::make_unique<QTimer>()).get();
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
      auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
      if (!window || !window->isVisible()) return;
      timer->stop();
      step(window);
    });
    timer->start(5);
  }

  QTimer watchdog_;
  std::vector<std::unique_ptr<QTimer>> watchers_;
};

// --- Options dialog ----------------------------------------------------------

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

// --- Prompt ------------------------------------------------------------------

// The pixels a text adds to the prompt.
std::vector<QPoint> InkOf(PromptDialog& prompt, const QString& text) {
  prompt.Message->setText(QString());
  const QImage blank = prompt.grab().toImage();
  prompt.Message->setText(text);
  const QImage written = prompt.grab().toImage();
  std::vector<QPoint> ink;
  for (int y = 0; y < blank.height(); ++y)
    for (int x = 0; x < blank.width(); ++x)
      if (blank.pixel(x, y) != written.pixel(x, y)) ink.emplace_back(x, y);
  return ink;
}

TEST_F(DialogTest, PromptWrapsALongMessageInsideItsLabelAndCutsOffTheRest) {
  PromptDialog prompt;
  const QRect label(16, 20, 273, 61);
  const QString text =
      "This is a long message that cannot possibly fit on one line of the prompt, "
      "nor on two, nor on three, so the end of it must be cut off below the label";
  const std::vector<QPoint> ink = InkOf(prompt, text);
  ASSERT_FALSE(ink.empty());
  QRect inked(ink.front(), ink.front());
  for (const QPoint& p : ink) inked |= QRect(p, p);
  EXPECT_TRUE(label.contains(inked)) << "text drawn outside the label";
  EXPECT_GE(inked.height(), 2 * QFontMetrics(prompt.Message->font()).lineSpacing() - 4)
      << "wrapped onto more than two lines";
  EXPECT_EQ(prompt.Message->size(), QSize(273, 61));
  EXPECT_EQ(prompt.Message->text(), text) << "wrapped, not elided";

  const std::vector<QPoint> shortInk = InkOf(prompt, "Click the Dice!");
  QRect line(shortInk.front(), shortInk.front());
  for (const QPoint& p : shortInk) line |= QRect(p, p);
  EXPECT_NEAR(line.center().x(), label.center().x(), 3) << "centred";
  EXPECT_LT(line.height(), QFontMetrics(prompt.Message->font()).lineSpacing());
}

TEST_F(DialogTest, PromptOkAndCloseFromOutsideBothEndTheMessage) {
  PromptDialog prompt;
  QString shown;
  WhenModal<PromptDialog>([&](PromptDialog* p) {
    shown = p->Message->text();
    Click(p->OkBtn);
  });
  prompt.ShowMessage("You can't move there!");
  EXPECT_EQ(shown, "You can't move there!");
  EXPECT_FALSE(prompt.isVisible());

  WhenModal<PromptDialog>([](PromptDialog* p) { p->reject(); });
  prompt.ShowMessage("Click the Dice!");
  EXPECT_FALSE(prompt.isVisible());
}

// --- About box -----------------------------------------------------------------

TEST_F(DialogTest, AboutLinkOpensTheAddressOrSaysItFailedAndClosesEitherWay) {
  for (const bool opens : {true, false}) {
    AboutDialog logo;
    std::vector<QUrl> opened;
    logo.SetUrlOpener([&](const QUrl& url) {
      opened.push_back(url);
      return opens;
    });
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    bool aboutStillUp = false;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = box->buttons().size();
      aboutStillUp = logo.isVisible();
      Click(box->button(QMessageBox::Ok));
    });
    WhenModal<AboutDialog>([](AboutDialog* l) { Click(l->WebLink); });
    logo.Execute();
    QApplication::processEvents();

    EXPECT_FALSE(logo.isVisible()) << opens;
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl("https://vandrel.example.org")}) << opens;
    if (opens) {
      EXPECT_TRUE(text.isEmpty()) << "no error box when the address opens";
    } else {
      EXPECT_EQ(title, "Error");
      EXPECT_EQ(text, "Failed to execute //vandrel.example.org");
      EXPECT_EQ(icon, QMessageBox::Critical);
      EXPECT_EQ(buttons, 1);
      EXPECT_TRUE(aboutStillUp) << "the error box comes over the about box";
    }
  }
}

TEST_F(DialogTest, AboutPictureClickClosesAndOtherClicksDoNot) {
  AboutDialog logo;
  int opened = 0;
  logo.SetUrlOpener([&](const QUrl&) { return ++opened, true; });
  bool stillUp = false;
  WhenModal<AboutDialog>([&](AboutDialog* l) {
    Click(l->Version);  // the version label does nothing
    QTest::mouseClick(l->TitlePicture, Qt::RightButton);
    stillUp = l->isVisible();
    QTest::mouseClick(l->TitlePicture, Qt::LeftButton, {}, QPoint(100, 50));
  });
  logo.Execute();
  EXPECT_TRUE(stillUp);
  EXPECT_FALSE(logo.isVisible());
  EXPECT_EQ(opened, 0);
  // The descenders of the address fit in the link, which stays inside the box.
  EXPECT_GE(logo.WebLink->height(), QFontMetrics(logo.WebLink->font()).height());
  EXPECT_LE(logo.WebLink->geometry().bottom(), logo.Client->height() - 1);
}

// --- Scaled pictures ---------------------------------------------------------------

// A dialog owned by a window with a scaled layout shows its picture drawn for
// that scale, pixel for pixel, not the 1x picture stretched; its labels of a
// fixed size (the message, the address) grow with it.
TEST_F(DialogTest, ScaledDialogsShowThePicturesDrawnForTheirScale) {
  for (const int scale : {2, 3}) {
    QWidget owner;
    PromptDialog prompt(&owner);
    AboutDialog logo(&owner);
    prompt.setLayoutScale(scale);
    logo.setLayoutScale(scale);
    prompt.show();
    logo.show();
    for (const auto& [picture, stem, fixed, width] :
         {std::tuple(prompt.Picture, "prompt", prompt.Message, 273),
          std::tuple(logo.TitlePicture, "title", logo.WebLink, 497)}) {
      const QString art = QStringLiteral(":/art/%1@%2x.jpg").arg(stem).arg(scale);
      SCOPED_TRACE(art.toStdString());
      const QImage drawn = vandrel::LoadJpegResource(art);
      ASSERT_FALSE(drawn.isNull());
      EXPECT_TRUE(picture->pixmap().toImage().convertToFormat(drawn.format()) == drawn)
          << "not the picture drawn for the scale";
      EXPECT_EQ(fixed->width(), width * scale);
      EXPECT_GE(fixed->height(), fixed->fontMetrics().height());
    }
  }
}

// The layer tells its dialogs and the system's boxes the main window's
// layout scale: each dialog comes up at twice its size, a box with twice
// its font.
TEST_F(DialogTest, TheLayerScalesItsDialogsAndBoxesWithTheWindow) {
  QWidget window;
  const std::unique_ptr<vandrel::DialogLayer> layer = vandrel::CreateDialogs(&window, QImage());
  layer->setLayoutScale(2.0);
  std::vector<QSize> sizes;
  const auto record = [&](QDialog* d) {
    sizes.push_back(d->size());
    d->done(0);
  };
  WhenModal<PromptDialog>(record);
  layer->prompt("Click the Dice!");
  WhenModal<OptionsDialog>(record);
  int games = 1;
  bool sfx = true, strong = false;
  layer->options(&games, &sfx, &strong);
  WhenModal<AboutDialog>(record);
  layer->about();
  EXPECT_EQ(sizes, (std::vector<QSize>{{606, 400}, {596, 440}, {1004, 538}}));

  const double unscaled = QMessageBox().font().pointSizeF();
  std::vector<double> fonts;
  WhenModal<QMessageBox>([&](QMessageBox* box) {
    fonts.push_back(box->font().pointSizeF());
    box->done(0);
  });
  layer->plainMessage("Wrong direction");
  WhenModal<QFileDialog>([&](QFileDialog* d) {
    fonts.push_back(d->font().pointSizeF());
    d->reject();
  });
  layer->askLoadFile();
  EXPECT_EQ(fonts, (std::vector<double>{2 * unscaled, 2 * unscaled}));
}

// Each dialog has its own keys, with no window around it: Return, Enter and
// Space answer the prompt, Return and Enter close the about box. (A key that
// does nothing leaves the dialog to the watchdog.)
TEST_F(DialogTest, ThePromptAndTheAboutBoxAnswerTheirOwnKeys) {
  const auto press = [](QDialog* d, Qt::Key key) {
    if (QTest::qWaitForWindowActive(d)) QTest::keyClick(d->windowHandle(), key);
  };
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
    PromptDialog prompt;
    WhenModal<PromptDialog>([&](PromptDialog* p) { press(p, key); });
    prompt.ShowMessage("Click the Dice!");
  }
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    AboutDialog about;
    WhenModal<AboutDialog>([&](AboutDialog* a) { press(a, key); });
    about.Execute();
  }
}

// --- Message boxes -------------------------------------------------------------

TEST_F(DialogTest, MessageBoxesAreTitledVandrelWithOneOk) {
  using Show = void (*)(QWidget*, const QString&, double);
  const std::vector<std::pair<Show, QMessageBox::Icon>> cases = {
      {vandrel::ShowPlainMessage, QMessageBox::NoIcon},
      {vandrel::ShowErrorMessage, QMessageBox::Critical}};
  for (const auto& [show, expectedIcon] : cases) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Question;
    qsizetype buttons = 0;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = box->buttons().size();
      Click(box->button(QMessageBox::Ok));
    });
    show(nullptr, "Wrong direction", 0.0);
    EXPECT_EQ(title, "Vandrel");
    EXPECT_EQ(text, "Wrong direction");
    EXPECT_EQ(icon, expectedIcon);
    EXPECT_EQ(buttons, 1);
  }
}

// --- File dialogs --------------------------------------------------------------

class FileDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_TRUE(dir_.isValid());
    for (const char* name : {"OLD.VDG", "new.vdg", "Mixed.Vdg", "notes.txt"}) {
      QFile file(dir_.filePath(name));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
  }

  // Types a name into the dialog and accepts it. A dialog opens where the last
  // one was left, so the test's folder is chosen first.
  void TypeAndAccept(QFileDialog* dialog, const QString& name) {
    dialog->setDirectory(dir_.path());
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides accept()
  }

  std::string Path(const QString& name) const {
    return QFile::encodeName(dir_.filePath(name)).toStdString();
  }

  QTemporaryDir dir_;
};

TEST_F(FileDialogTest, SaveProposesNoNameAddsVdgAndReplacesWithoutAsking) {
  QString title, proposed;
  QStringList filters;
  WhenModal<QFileDialog>([&](QFileDialog* d) {
    title = d->windowTitle();
    filters = d->nameFilters();
    proposed = d->findChild<QLineEdit*>("fileNameEdit")->text();
    TypeAndAccept(d, "game");
  });
  EXPECT_EQ(vandrel::AskSaveGameFile(nullptr, 0.0), Path("game.VDG"));
  EXPECT_EQ(title, "Save Game");
  EXPECT_EQ(filters, QStringList{"Vandrel File (*.vdg)"});
  EXPECT_EQ(proposed, "");

  for (const char* name : {"OLD.VDG", "new.vdg"}) {  // existing files, any case
    WhenModal<QFileDialog>([&](QFileDialog* d) { TypeAndAccept(d, name); });
    EXPECT_EQ(vandrel::AskSaveGameFile(nullptr, 0.0), Path(name)) << "asked before replacing";
  }
  WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(vandrel::AskSaveGameFile(nullptr, 0.0), std::nullopt);
}

// The open dialog lists saved games whatever the case of their extension, and nothing else.
TEST_F(FileDialogTest, LoadListsSavedGamesInAnyCase) {
  QStringList listed, filters;
  WhenModal<QFileDialog>([&](QFileDialog* d) {
    filters = d->nameFilters();
    d->setDirectory(dir_.path());
    auto* model = d->findChild<QFileSystemModel*>();
    const QModelIndex root = model->index(dir_.path());
    for (int i = 0; i < 200 && model->rowCount(root) < 3; ++i) QTest::qWait(10);  // filled later
    QTest::qWait(50);
    for (int row = 0; row < model->rowCount(root); ++row)
      listed << model->index(row, 0, root).data().toString();
    d->reject();
  });
  EXPECT_EQ(vandrel::AskLoadGameFile(nullptr, 0.0), std::nullopt);
  listed.sort();
  EXPECT_EQ(listed, (QStringList{"Mixed.Vdg", "OLD.VDG", "new.vdg"}));
  EXPECT_EQ(filters, QStringList{"Vandrel Files (*.vdg)"});
}

TEST_F(FileDialogTest, LoadTakesOnlyExistingFilesAndAddsVdg) {
  bool warned = false;
  bool stayedOpen = false;
  WhenModal<QFileDialog>([&](QFileDialog* d) {
    WhenModal<QMessageBox>([&](QMessageBox* box) {  // Qt's "file not found"
      warned = true;
      box->accept();
    });
    TypeAndAccept(d, "missing");
    stayedOpen = d->isVisible();
    TypeAndAccept(d, "new");
  });
  EXPECT_EQ(vandrel::AskLoadGameFile(nullptr, 0.0), Path("new.vdg"));
  EXPECT_TRUE(warned);
  EXPECT_TRUE(stayedOpen);
}

}  // namespace

int main(int argc, char** argv) {
  // Offscreen, also when the tests are listed at build time.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
