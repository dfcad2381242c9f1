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
  return (team == kHuman ? QStringLiteral("Your piece, ")
                         : QStringLiteral("The computer's piece, ")) +
         SquareText(col, row);
}

QString SquareName(const GameState& s, int col, int row) {
  for (int team : {kHuman, kComputer}) {
    int here = 0;
    for (int p = 1; p <= kPiecesPerTeam; ++p) {
      if (s.piece(team, p).Col == col && s.piece(team, p).Row == row) ++here;
    }
    if (here == 0) continue;
    if (here == 1) return PieceName(team, col, row);
    return QStringLiteral("%1 of %2, %3")
        .arg(here)
        .arg(team == kHuman ? QStringLiteral("your pieces")
                            : QStringLiteral("the computer's pieces"),
             SquareText(col, row));
  }
  return QStringLiteral("Empty square, ") + SquareText(col, row);
}

QString DieName(int value) {
  return value > 0 ? QStringLiteral("Die: %1").arg(value) : QStringLiteral("Die: not thrown");
}

Accessibility::Accessibility(const WindowControls& controls)
    : QObject(controls.window), controls_(controls) {
  const WindowControls& c = controls;
  // Captions with a line break, no caption, or a symbol get a name; the
  // others keep their caption as their name.
  Name(c.diceButton, QStringLiteral("Throw Dice"));
  Name(c.aboutButton, QStringLiteral("About Vandrel"));
  Name(c.die, DieName(0));
  Name(c.humanTurnArrow, QStringLiteral("Your turn"));
  Name(c.computerTurnArrow, QStringLiteral("My turn"));
  Name(c.board, QStringLiteral("Board"));
  Name(c.rulesViewer, QStringLiteral("Rules"));
  Name(c.topColumnNumbers, QStringLiteral("Columns 6 to 1, as the computer counts them"));
  Name(c.bottomColumnNumbers, QStringLiteral("Columns 1 to 6, as you count them"));
  c.humanMatchScore->setAccessibleDescription(QStringLiteral("Your match score"));
  c.computerMatchScore->setAccessibleDescription(QStringLiteral("My match score"));
  c.humanBonus->setAccessibleDescription(QStringLiteral("Your bonus points"));
  c.computerBonus->setAccessibleDescription(QStringLiteral("My bonus points"));
  // Stack label n stands on row n of its base column.
  for (int n = 1; n <= 6; ++n) {
    c.leftStackHeights[static_cast<size_t>(n)]->setAccessibleDescription(
        QStringLiteral("The computer's pieces stacked in ") + SquareText(BaseColOf(kComputer), n));
    c.rightStackHeights[static_cast<size_t>(n)]->setAccessibleDescription(
        QStringLiteral("Your pieces stacked in ") + SquareText(BaseColOf(kHuman), n));
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
  const QString text = QStringLiteral("Cursor: ") + SquareName(controls_.gameState(), col, row);
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
