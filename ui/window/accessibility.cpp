#include "ui/window/accessibility.h"

#include <QEvent>
#include <QLabel>
#include <QTextEdit>
#include <algorithm>
#include <vector>

#include "control/board_help.h"
#include "ui/widgets/board_view.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/panel_widgets.h"
#include "ui/window/announcer.h"
#include "ui/window/game_text.h"

namespace vandrel {

namespace {

QString SquareText(int col, int row) { return GameText(SquareOf(col, row)); }

void Name(QWidget* w, const QString& name, const QString& description = {}) {
  if (!w) return;
  w->setAccessibleName(name);
  if (!description.isEmpty()) w->setAccessibleDescription(description);
}

}  // namespace

QString PieceName(int team, int col, int row) {
  const QString square = SquareText(col, row);
  //: A screen reader's name for the player's piece; %1 is its square
  //: ("column 3, row 5").
  if (team == kHuman) return Accessibility::tr("Your piece, %1").arg(square);
  //: A screen reader's name for the computer's piece; %1 is its square.
  return Accessibility::tr("The computer's piece, %1").arg(square);
}

QString SquareName(const GameState& s, int col, int row) {
  const QString square = SquareText(col, row);
  for (int team : {kHuman, kComputer}) {
    int here = 0;
    for (int p = 1; p <= kPiecesPerTeam; ++p) {
      if (s.piece(team, p).Col == col && s.piece(team, p).Row == row) ++here;
    }
    if (here == 0) continue;
    if (here == 1) return PieceName(team, col, row);
    //: The square under the keyboard cursor, with two or more of the player's
    //: pieces stacked in a Base column: %n is how many, %1 the square.
    if (team == kHuman)
      return Accessibility::tr("%n of your pieces, %1", nullptr, here).arg(square);
    //: The same with the computer's pieces.
    return Accessibility::tr("%n of the computer's pieces, %1", nullptr, here).arg(square);
  }
  //: The square under the keyboard cursor; %1 is the square.
  return Accessibility::tr("Empty square, %1").arg(square);
}

QString DieName(int value) {
  //: A screen reader's name for the die: %1 is the number thrown.
  if (value > 0) return Accessibility::tr("Die: %1").arg(value);
  //: A screen reader's name for the die before a throw.
  return Accessibility::tr("Die: not thrown");
}

Accessibility::Accessibility(const WindowControls& controls)
    : QObject(controls.window), controls_(controls) {
  const WindowControls& c = controls;
  // Captions with a line break, no caption, or a symbol get a name; the
  // others keep their caption as their name.
  // The names are spoken, never shown: their length is free.
  //: A screen reader's name for the "Throw Dice" button (its caption has a
  //: line break).
  Name(c.diceButton, tr("Throw Dice"));
  //: A screen reader's name for the "?" button.
  Name(c.aboutButton, tr("About Vandrel"));
  Name(c.die, DieName(0));
  Name(c.humanTurnArrow, tr("Your turn"));
  //: The computer speaks as "I".
  Name(c.computerTurnArrow, tr("My turn"));
  Name(c.board, tr("Board"));
  //: The rules text, shown over the board.
  Name(c.rulesViewer, tr("Rules"));
  //: The column numbers above the board, from the computer's side.
  Name(c.topColumnNumbers, tr("Columns 6 to 1, as the computer counts them"));
  //: The column numbers below the board, from the player's side.
  Name(c.bottomColumnNumbers, tr("Columns 1 to 6, as you count them"));
  c.humanMatchScore->setAccessibleDescription(tr("Your match score"));
  c.computerMatchScore->setAccessibleDescription(tr("My match score"));
  c.humanBonus->setAccessibleDescription(tr("Your bonus points"));
  c.computerBonus->setAccessibleDescription(tr("My bonus points"));
  // Stack label n stands on row n of its base column.
  for (int n = 1; n <= 6; ++n) {
    //: The number of the computer's pieces on one square of its Base column;
    //: %1 is the square ("the left Base column, row 2").
    c.leftStackHeights[static_cast<size_t>(n)]->setAccessibleDescription(
        tr("The computer's pieces stacked in %1").arg(SquareText(BaseColOf(kComputer), n)));
    //: The number of the player's pieces on one square of their Base column;
    //: %1 is the square.
    c.rightStackHeights[static_cast<size_t>(n)]->setAccessibleDescription(
        tr("Your pieces stacked in %1").arg(SquareText(BaseColOf(kHuman), n)));
  }
  // The pieces are renamed whenever they move.
  for (int i = 1; i <= 12; ++i) {
    NamePiece(c.pieces[static_cast<size_t>(i)]);
    c.pieces[static_cast<size_t>(i)]->installEventFilter(this);
  }

  dieSettled_.setSingleShot(true);
  dieSettled_.setInterval(kDieSettleMs);
  connect(&dieSettled_, &QTimer::timeout, this,
          [this] { controls_.die->setAccessibleName(DieName(dieValue_)); });
}

void Accessibility::NamePiece(QObject* object) {
  auto* img = qobject_cast<PieceImage*>(object);
  if (!img) return;
  // pieces[7..12] are the human's.
  const bool human = std::find(controls_.pieces.begin() + 7, controls_.pieces.end(), img) !=
                     controls_.pieces.end();
  const QString name = PieceName(human ? kHuman : kComputer, img->col(), img->row());
  if (img->accessibleName() != name) img->setAccessibleName(name);
}

bool Accessibility::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Move) {
    NamePiece(watched);
    // The cursor's square may have changed hands.
    if (cursorCol_ >= 0) CursorMoved(cursorCol_, cursorRow_);
  }
  return QObject::eventFilter(watched, event);
}

void Accessibility::ShowDie(int value) {
  dieValue_ = value;
  if (value == 0) {
    // A blank die is told at once.
    dieSettled_.stop();
    controls_.die->setAccessibleName(DieName(0));
    return;
  }
  dieSettled_.start();
}

void Accessibility::CursorMoved(int col, int row) {
  cursorCol_ = col;
  cursorRow_ = row;
  //: The board's description for a screen reader: %1 is what stands on the
  //: square under the keyboard cursor ("Empty square, column 3, row 5").
  const QString text = tr("Cursor: %1").arg(SquareName(controls_.gameState(), col, row));
  if (controls_.board->accessibleDescription() != text)
    controls_.board->setAccessibleDescription(text);
}

}  // namespace vandrel

namespace vandrel {

void Accessibility::Announce(const QString& text) {
  if (!announcer_) {
    announcer_ = new Announcer(controls_.window);
    announcer_->show();
  }
  announcer_->Say(text);
}

}  // namespace vandrel
