// The main window driven like a player would: mouse events go in through the
// window (so Qt picks the control under the pointer, as on a real screen),
// the real Game handles them, and the tests look at the game state, the
// board bitmap and the pixels of the grabbed window.
//
// Here: the board, its frame and clicks, the stack heights, the pixels and
// the scaled layout (the side panel and the game loop in test_window_panel.cpp).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTest>

#include "tests/ui/window/window_test.h"
#include "ui/widgets/board_view.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/layout_scale.h"
#include "ui/widgets/panel_widgets.h"

namespace window_tests {

// --- Selecting, the frame, de-selecting ------------------------------------------

TEST_F(WindowTest, SelectedPieceFrameFollowsPointerAndRightClickDropsIt) {
  HumanToMove(3);
  board = window->BoardBitmap().copy();

  Press(Square(1, 6));  // the human's piece 1
  EXPECT_TRUE(S().PieceSelected);
  EXPECT_EQ(S().piecespin, 1);
  EXPECT_EQ(FrameCell(), QPoint(1, 6));
  for (int i = 7; i <= 12; ++i)
    EXPECT_FALSE(Controls().pieces[static_cast<size_t>(i)]->isEnabled());

  // Cell by cell under the pointer, also over the own (now disabled) pieces.
  const QPoint path[] = {{2, 5}, {3, 4}, {3, 4}, {4, 6}, {6, 2}};
  for (QPoint cell : path) {
    MoveTo(Square(cell.x(), cell.y()) + QPoint(20, -20));
    EXPECT_EQ(FrameCell(), cell);
  }
  // An enabled computer piece keeps the pointer to itself: the frame stays.
  MoveTo(Square(4, 1));
  EXPECT_EQ(FrameCell(), QPoint(6, 2));

  Press(Square(5, 4), Qt::RightButton);
  EXPECT_FALSE(S().PieceSelected);
  EXPECT_EQ(window->BoardBitmap(), board);
  for (int i = 7; i <= 12; ++i) EXPECT_TRUE(Controls().pieces[static_cast<size_t>(i)]->isEnabled());
  EXPECT_TRUE(log->prompts.empty());
}

TEST_F(WindowTest, FrameDrawnTwiceRestoresBoardPixelsExactly) {
  const QImage bitmapBefore = window->BoardBitmap().copy();
  const QImage shownBefore = Controls().board->grab().toImage();
  for (QPoint at : {QPoint(0, 0), QPoint(210, 280), QPoint(490, 490)}) {
    window->InvertFrame(at.x(), at.y());
    const QImage framed = window->BoardBitmap();
    EXPECT_NE(framed, bitmapBefore);
    // A 4-pixel outline of the 70 x 70 cell, inverted; inside and outside untouched.
    EXPECT_EQ(framed.pixel(at + QPoint(3, 35)), bitmapBefore.pixel(at + QPoint(3, 35)) ^ 0xFFFFFF);
    EXPECT_EQ(framed.pixel(at + QPoint(35, 69)),
              bitmapBefore.pixel(at + QPoint(35, 69)) ^ 0xFFFFFF);
    EXPECT_EQ(framed.pixel(at + QPoint(4, 35)), bitmapBefore.pixel(at + QPoint(4, 35)));
    window->InvertFrame(at.x(), at.y());
    EXPECT_EQ(window->BoardBitmap(), bitmapBefore);
  }
  EXPECT_EQ(Controls().board->grab().toImage(), shownBefore);
}

// --- Target clicks ------------------------------------------------------------------

TEST_F(WindowTest, RefusedTargetKeepsFrameWhereItStood) {
  HumanToMove(3);
  board = window->BoardBitmap().copy();
  Press(Square(1, 6));
  // Onto the own piece 3: its image is disabled, so the board takes the click.
  MoveTo(Square(3, 6));
  Press(Square(3, 6));
  ASSERT_EQ(log->prompts.size(), 1u);
  EXPECT_EQ(log->prompts[0], "You can't move there!");
  EXPECT_TRUE(S().PieceSelected);
  EXPECT_EQ(FrameCell(), QPoint(3, 6));
  EXPECT_EQ(S().piece(kHuman, 1).Row, 6);
  EXPECT_EQ(S().piece(kHuman, 3).Row, 6);

  // The selection stands: another square is judged afresh.
  MoveTo(Square(1, 3));
  Press(Square(1, 3));
  EXPECT_FALSE(S().PieceSelected);
  EXPECT_EQ(window->BoardBitmap(), board);
  EXPECT_EQ(S().piece(kHuman, 1).Row, 3);
}

TEST_F(WindowTest, LegalTargetMovesPieceImageAndLeavesNoFrame) {
  HumanToMove(3);
  board = window->BoardBitmap().copy();
  Press(Square(1, 6));
  MoveTo(Square(1, 3));
  Press(Square(1, 3));
  EXPECT_TRUE(log->prompts.empty());
  EXPECT_FALSE(S().PieceSelected);
  EXPECT_FALSE(S().TurnBusy);
  EXPECT_EQ(window->BoardBitmap(), board);
  EXPECT_EQ(Under(Square(1, 3)), Controls().pieces[7]);
  EXPECT_EQ(Controls().pieces[7]->pos(), QPoint(76, 216));  // board (6 + 70 col, 6 + 70 row)
  // Moved: the own images stay disabled until the computer's turn.
  EXPECT_FALSE(Controls().pieces[7]->isEnabled());
}

TEST_F(WindowTest, OwnPieceBeforeTheThrowSaysClickTheDice) {
  S() = Start();
  S().GameRunning = true;
  S().TurnBusy = true;
  S().Input = HumanInput::AwaitThrow;
  window->UnlockBoard();
  Press(Square(4, 6));
  EXPECT_EQ(log->prompts, std::vector<QString>{"Click the Dice!"});
  EXPECT_FALSE(S().PieceSelected);
  for (int i = 7; i <= 12; ++i) EXPECT_TRUE(Controls().pieces[static_cast<size_t>(i)]->isEnabled());
}

TEST_F(WindowTest, ComputerPieceClickIsTargetWithSelection) {
  // A computer piece in reach: the click on its image captures it.
  GameState s = Start();
  Place(s, kComputer, 2, 1, 3);
  HumanToMove(s, 3);
  board = window->BoardBitmap().copy();
  Press(Square(1, 6));
  Press(Square(1, 3));
  EXPECT_TRUE(log->prompts.empty());
  EXPECT_EQ(S().piece(kHuman, 1).Row, 3);
  EXPECT_EQ(QPoint(S().piece(kComputer, 2).Col, S().piece(kComputer, 2).Row), QPoint(0, 6));
  EXPECT_EQ(Under(Square(0, 6)), Controls().pieces[2]);
  EXPECT_EQ(S().Bonus[kHuman], 10);
  EXPECT_EQ(Controls().humanBonus->text(), "10");
  EXPECT_EQ(window->BoardBitmap(), board);
}

TEST_F(WindowTest, ComputerPieceClickWithoutSelectionIsTheRemoval) {
  const GameState s = Position(
      ". . . . . . . ."
      ". a b . d e f ."
      ". . . . . . . ."
      ". A B C D E F ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . c . . . .");
  // With a 2 the end-row square 2 is empty: the click does nothing.
  HumanToMove(s, 2);
  Press(Square(1, 1));
  EXPECT_EQ(S().piece(kComputer, 3).Row, 7);
  EXPECT_TRUE(S().TurnBusy);
  // With a 3 the piece on square 3 goes back to base, whichever image was clicked.
  HumanToMove(s, 3);
  Press(Square(5, 1));
  EXPECT_EQ(QPoint(S().piece(kComputer, 3).Col, S().piece(kComputer, 3).Row), QPoint(0, 6));
  EXPECT_EQ(Controls().pieces[3]->pos(), QPoint(6, 426));
  EXPECT_FALSE(S().TurnBusy);
  EXPECT_TRUE(log->prompts.empty());
}

TEST_F(WindowTest, LockedBoardTakesNoClicks) {
  S() = Start();
  S().Dice = 3;
  S().Input = HumanInput::AwaitMove;
  window->LockBoard();
  Press(Square(1, 6));
  MoveTo(Square(1, 4));
  Press(Square(1, 4));
  EXPECT_FALSE(S().PieceSelected);
  EXPECT_EQ(S().piece(kHuman, 1).Row, 6);
  EXPECT_TRUE(log->prompts.empty());
}

// --- Stack labels ---------------------------------------------------------------------

TEST_F(WindowTest, StackLabelCountsBasePiecesAndTakesTheMouse) {
  GameState s = Start();
  Place(s, kComputer, 1, 0, 4);
  Place(s, kComputer, 2, 0, 4);
  HumanToMove(s, 3);
  QLabel* label = Controls().leftStackHeights[4];
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), "2");
  EXPECT_EQ(label->pos(), QPoint(36, 330));
  EXPECT_EQ(Under(QPoint(38, 334)), label);
  // The number is drawn in cream over the blue disc.
  const QImage shot = window->grab(label->geometry()).toImage();
  int cream = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QColor c = shot.pixelColor(x, y);
      if (c.red() > 235 && c.green() > 235 && c.blue() > 215) ++cream;
    }
  EXPECT_GT(cream, 20);
  for (int n : {1, 2, 3, 5, 6}) EXPECT_FALSE(Controls().leftStackHeights[n]->isVisible()) << n;
  for (int n = 1; n <= 6; ++n) EXPECT_FALSE(Controls().rightStackHeights[n]->isVisible()) << n;

  // Over and on the number nothing happens; elsewhere in the cell the board
  // takes the target click.
  board = window->BoardBitmap().copy();
  Press(Square(1, 6));
  MoveTo(Square(1, 4));
  MoveTo(label->geometry().center());
  EXPECT_EQ(FrameCell(), QPoint(1, 4));
  Press(label->geometry().center());
  EXPECT_TRUE(log->prompts.empty());
  EXPECT_TRUE(S().PieceSelected);

  // Three, two again, none.
  Place(S(), kComputer, 3, 0, 4);
  window->RedrawPieces(S());
  EXPECT_EQ(label->text(), "3");
  Place(S(), kComputer, 3, 3, 1);
  window->RedrawPieces(S());
  EXPECT_EQ(label->text(), "2");
  Place(S(), kComputer, 2, 2, 1);
  window->RedrawPieces(S());
  EXPECT_FALSE(label->isVisible());
}

// --- Pixels -------------------------------------------------------------------------------

TEST_F(WindowTest, PanelDieAndDiscsShowTheirColours) {
  const QImage shot = window->grab().toImage();
  EXPECT_EQ(shot.pixelColor(638, 76), QColor(0, 36, 0));  // "Bonus Points" panel
  EXPECT_EQ(shot.pixelColor(714, 240), QColor(0, 0, 0));  // the die display
  const QColor blue = shot.pixelColor(Square(1, 1));
  EXPECT_GT(blue.blue(), blue.red() + 80);
  EXPECT_GT(blue.blue(), blue.green() + 60);
  const QColor green = shot.pixelColor(Square(6, 6));
  EXPECT_GT(green.green(), green.red() + 60);
  EXPECT_GT(green.green(), green.blue() + 60);
  // The discs' black corners are see-through: the board shows there.
  const QColor corner = shot.pixelColor(Square(1, 1) - QPoint(28, 28));
  EXPECT_NE(corner, QColor(0, 0, 0));
  EXPECT_EQ(corner, QColor(window->BoardBitmap().pixel(70 + 7, 70 + 7)));
}

TEST_F(WindowTest, DieDisplayGreysWhenDisabled) {
  window->ShowDie(4);
  window->SetDieEnabled(true);
  const QImage lit = Controls().die->grab().toImage();
  window->SetDieEnabled(false);
  const QImage grey = Controls().die->grab().toImage();
  int lime = 0, limeWhenGrey = 0;
  for (int y = 0; y < lit.height(); ++y)
    for (int x = 0; x < lit.width(); ++x) {
      if (lit.pixelColor(x, y) == QColor(0, 255, 0)) ++lime;
      if (grey.pixelColor(x, y) == QColor(0, 255, 0)) ++limeWhenGrey;
    }
  EXPECT_GT(lime, 50);
  EXPECT_EQ(limeWhenGrey, 0);
}

// Any other client area scales the whole layout: the largest scale that
// fits, centred, the strip around it. Clicks land in the cell under the
// pointer and the frame comes and goes without a trace on the screen.
TEST_F(WindowTest, LayoutScalesToTheClientArea) {
  struct Case {
    QSize size;
    double scale;
    QPoint offset;
  };
  const Case cases[] = {{{1024, 768}, 1.28, {0, 0}},
                        {{1920, 1080}, 1.8, {240, 0}},
                        {{800, 700}, 1.0, {0, 50}},
                        {{600, 600}, 0.75, {0, 75}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.size.width() << "x" << c.size.height());
    Open(MainWindow::Options{false, false}, c.size);
    EXPECT_DOUBLE_EQ(window->LayoutScale().factor(), c.scale);
    EXPECT_EQ(window->Client()->pos(), c.offset);
    const auto at = [&](QPoint layout) {
      return c.offset + QPoint(qRound(layout.x() * c.scale), qRound(layout.y() * c.scale));
    };
    EXPECT_EQ(Controls().sidePanel->mapTo(window.get(), QPoint(0, 0)), at({618, 0}));
    EXPECT_EQ(Controls().byeButton->mapTo(window.get(), QPoint(0, 0)), at({618 + 16, 520}));
    if (c.offset != QPoint(0, 0)) {
      // The strip around the layout: dark green, no default grey.
      const QColor edge = PixelAt(c.offset / 2);
      EXPECT_LT(edge.red(), 40);
      EXPECT_GT(edge.green(), edge.blue());
    }

    HumanToMove(3);
    board = window->BoardBitmap().copy();
    const QImage shown = Controls().board->grab().toImage();
    const auto square = [&](int col, int row) { return at(Square(col, row)); };
    Press(square(1, 6));
    EXPECT_TRUE(S().PieceSelected);
    MoveTo(square(3, 4) + QPoint(qRound(30 * c.scale), qRound(30 * c.scale)));
    EXPECT_EQ(FrameCell(), QPoint(3, 4));
    Press(square(3, 4), Qt::RightButton);
    EXPECT_FALSE(S().PieceSelected);
    EXPECT_EQ(Controls().board->grab().toImage(), shown);
    Press(square(1, 6));
    Press(square(1, 3));  // three up
    EXPECT_EQ(S().piece(kHuman, 1).Row, 3);
    EXPECT_EQ(Under(window->Client()->mapFrom(window.get(), square(1, 3))), Controls().pieces[7]);
  }
}

// Every widget pixel belongs to exactly one layout pixel, and the layout
// pixel's own widget pixels map back to it, at any scale.
TEST(LayoutScale, WidgetPixelsMapBackToTheirLayoutPixel) {
  for (double f : {0.75, 1.0, 1.28, 1.5, 1.8, 2.0, 2.7, 3.6}) {
    const vandrel::LayoutScale scale(f);
    for (int x = 0; x < 800; ++x) {
      for (int px = scale.map(x); px < scale.map(x + 1); ++px)
        ASSERT_EQ(scale.toLayout(px + 0.5), x) << f << " " << px;
    }
  }
  struct Fit {
    QSize area;
    double scale;
    QPoint offset;
  };
  for (const Fit& f : {Fit{{800, 600}, 1.0, {0, 0}}, Fit{{1600, 1200}, 2.0, {0, 0}},
                       Fit{{3840, 2160}, 3.6, {480, 0}}, Fit{{1200, 1000}, 1.5, {0, 50}}}) {
    const vandrel::LayoutFit fit = vandrel::FitLayout(f.area, {800, 600});
    EXPECT_DOUBLE_EQ(fit.scale, f.scale);
    EXPECT_EQ(fit.offset, f.offset);
  }
}

TEST(ReadBmp, MatchesQtsReaderAndRefusesDamagedFiles) {
  for (const char* path : {":/art/blue.bmp", ":/art/green.bmp"}) {
    QFile f{QString::fromLatin1(path)};
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path;
    const QByteArray bytes = f.readAll();
    const QImage ours = vandrel::ReadBmp(bytes);
    const QImage qts = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(qts.isNull());
    EXPECT_EQ(ours, qts) << path;
    // Cut short, or not a bitmap: nothing, and no crash.
    EXPECT_TRUE(vandrel::ReadBmp(bytes.left(bytes.size() - 1)).isNull());
    EXPECT_TRUE(vandrel::ReadBmp(bytes.left(40)).isNull());
    QByteArray eightBit = bytes;
    eightBit[28] = 8;
    EXPECT_TRUE(vandrel::ReadBmp(eightBit).isNull());
  }
}

}  // namespace window_tests

int main(int argc, char** argv) {
  // Widget tests need no screen (test discovery runs without one too).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
