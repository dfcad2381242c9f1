// The prompt, the about box, the dialog layer, the message boxes and the file
// dialogs, driven the way a player drives them: clicks while they run
// modally. The options dialog has its own file, test_options_dialog.cpp, and
// the record its own, test_record_dialog.cpp.
#include <gtest/gtest.h>

#include <QApplication>
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

#include "tests/ui/dialogs/dialog_test.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/dialog_layer.h"
#include "ui/dialogs/dialog_style.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs/prompt_dialog.h"
#include "ui/dialogs/record_dialog.h"
#include "ui/media/jpeg_image.h"

namespace {

using vandrel::AboutDialog;
using vandrel::OptionsDialog;
using vandrel::PromptDialog;
using vandrel::testing::Click;
using vandrel::testing::DialogTest;

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

TEST_F(DialogTest, AboutLinkOpensTheGuideOrSaysItFailedAndClosesEitherWay) {
  const QString guide = QStringLiteral("/usr/share/doc/vandrel/README.md");
  for (const bool opens : {true, false}) {
    AboutDialog logo;
    logo.SetReadme(guide);
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
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(guide)}) << opens;
    if (opens) {
      EXPECT_TRUE(text.isEmpty()) << "no error box when the address opens";
    } else {
      EXPECT_EQ(title, "Error");
      EXPECT_EQ(text, "Failed to execute ///usr/share/doc/vandrel/README.md");
      EXPECT_EQ(icon, QMessageBox::Critical);
      EXPECT_EQ(buttons, 1);
      EXPECT_TRUE(aboutStillUp) << "the error box comes over the about box";
    }
  }
  AboutDialog without;
  without.SetReadme(QString());
  EXPECT_FALSE(without.WebLink->isVisibleTo(&without)) << "a link to a guide that is not there";
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
  bool showMoves = true;
  layer->options(&games, &sfx, &strong, &showMoves);
  WhenModal<AboutDialog>(record);
  layer->about();
  WhenModal<vandrel::RecordDialog>(record);
  layer->record(vandrel::PlayerRecord{});
  EXPECT_EQ(sizes, (std::vector<QSize>{{606, 400}, {596, 552}, {1004, 538}, {880, 794}}));

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
  layer->askLoadFile(QString());
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

TEST_F(DialogTest, AQuestionIsAnsweredByKeyOrButtonAndThePromptIsAMessageAgain) {
  const auto key = [](Qt::Key k) {
    return [k](PromptDialog* p) {
      if (QTest::qWaitForWindowActive(p)) QTest::keyClick(p->windowHandle(), k);
    };
  };
  const std::pair<std::function<void(PromptDialog*)>, bool> answers[] = {
      {key(Qt::Key_Return), true},
      {key(Qt::Key_Space), true},
      {key(Qt::Key_Escape), false},
      {[](PromptDialog* p) { Click(p->OkBtn); }, true},
      {[](PromptDialog* p) { Click(p->NoBtn); }, false},
      {[](PromptDialog* p) { p->close(); }, false},
  };
  PromptDialog prompt;
  for (const auto& [answer, yes] : answers) {
    WhenModal<PromptDialog>([&](PromptDialog* p) {
      EXPECT_EQ(p->OkBtn->text(), "Yes");
      EXPECT_TRUE(p->NoBtn->isVisible());
      answer(p);
    });
    EXPECT_EQ(prompt.AskQuestion("Continue your unfinished match?"), yes);
  }
  WhenModal<PromptDialog>([&](PromptDialog* p) {
    EXPECT_EQ(p->OkBtn->text(), "OK");
    EXPECT_FALSE(p->NoBtn->isVisible());
    Click(p->OkBtn);
  });
  prompt.ShowMessage("Click the Dice!");
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
  EXPECT_EQ(vandrel::AskSaveGameFile(nullptr, QString(), 0.0), Path("game.VDG"));
  EXPECT_EQ(title, "Save Game");
  EXPECT_EQ(filters, QStringList{"Vandrel File (*.vdg)"});
  EXPECT_EQ(proposed, "");

  for (const char* name : {"OLD.VDG", "new.vdg"}) {  // existing files, any case
    WhenModal<QFileDialog>([&](QFileDialog* d) { TypeAndAccept(d, name); });
    EXPECT_EQ(vandrel::AskSaveGameFile(nullptr, QString(), 0.0), Path(name))
        << "asked before replacing";
  }
  WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(vandrel::AskSaveGameFile(nullptr, QString(), 0.0), std::nullopt);
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
  EXPECT_EQ(vandrel::AskLoadGameFile(nullptr, QString(), 0.0), std::nullopt);
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
  EXPECT_EQ(vandrel::AskLoadGameFile(nullptr, QString(), 0.0), Path("new.vdg"));
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
