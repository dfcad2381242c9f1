// The window in another language: a few finished German texts (the test
// catalogue translated_window_de.ts) reach the captions, the screen
// reader's names and the game's prompts, and the game's sentences put their
// squares where the translation wants them.
#include <QCoreApplication>
#include <QTranslator>

#include "control/board_help.h"
#include "tests/ui/window/window_test.h"
#include "ui/widgets/flat_button.h"
#include "ui/window/game_text.h"

namespace window_tests {
namespace {

class TranslatedWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(german_.load(QStringLiteral(":/test/translated_window_de.qm")));
    QCoreApplication::installTranslator(&german_);
    WindowTest::SetUp();
  }
  void TearDown() override { QCoreApplication::removeTranslator(&german_); }

  QTranslator german_;
};

TEST_F(TranslatedWindowTest, CaptionsNamesAndPromptsInTheLanguage) {
  EXPECT_EQ(Controls().diceButton->text(), "Wür-\r\nfeln");
  EXPECT_EQ(Controls().soundButton->text(), "Ton an");
  EXPECT_EQ(Controls().loadButton->text(), "Load");  // not translated: English
  EXPECT_EQ(Controls().pieces[7]->accessibleName(), "Dein Stein, Reihe 7, Spalte 1");
  S() = Start();
  S().GameRunning = true;
  S().TurnBusy = true;
  S().Input = HumanInput::AwaitThrow;
  window->UnlockBoard();
  Press(Square(4, 6));
  EXPECT_EQ(log->prompts, std::vector<QString>{"Würfeln!"});
}

TEST_F(TranslatedWindowTest, SentencesPlaceTheirSquaresAsTheLanguageDoes) {
  const vandrel::PieceTable start = Start().Pieces;
  const struct {
    QString said, want;
  } cases[] = {
      {vandrel::GameText(vandrel::HintSaid(start, {3, 3, 4}, 0)),
       "Tipp: nach Reihe 5, Spalte 3 von Reihe 7, Spalte 3"},
      {vandrel::GameText(vandrel::SquareOf(0, 6)), "linke Basisspalte, Reihe 7"},
      // Untranslated: the English, the squares in German all the same.
      {vandrel::GameText(vandrel::HintSaid(start, {0, 0, 0}, 5)),
       "Hint: send back the computer's piece on Reihe 2, Spalte 5"},
      // No key at all (the system's reason): as it is.
      {vandrel::GameText("No such file or directory."), "No such file or directory."},
  };
  for (const auto& c : cases) EXPECT_EQ(c.said, c.want);
}

}  // namespace
}  // namespace window_tests
