#include "ui/window/keyboard.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPen>
#include <QShortcut>
#include <QTextEdit>
#include <algorithm>
#include <vector>

#include "ui/widgets/board_view.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/key_binding.h"
#include "ui/widgets/panel_widgets.h"
#include "ui/window/accessibility.h"

namespace vandrel {

Keyboard::Keyboard(const WindowControls& controls, Accessibility* access)
    : QObject(controls.window), controls_(controls), access_(access) {
  QWidget* window = controls.window;
  // The panel's keys, shown in the buttons' tooltips: "Throw Dice (Space or
  // D)". The keys' names are Qt's, in the player's language ("Strg+S").
  struct PanelKey {
    QAbstractButton* button;
    const char* action;
    std::vector<QKeySequence> keys;
  };
  const PanelKey panel[] = {
      //: The tooltips of the side panel's buttons, before their keys.
      {controls.newMatchButton, QT_TR_NOOP("New Match"), {QKeySequence(Qt::Key_N)}},
      {controls.playGameButton, QT_TR_NOOP("Play Game"), {QKeySequence(Qt::Key_P)}},
      {controls.diceButton,
       QT_TR_NOOP("Throw Dice"),
       {QKeySequence(Qt::Key_Space), QKeySequence(Qt::Key_D)}},
      {controls.saveButton, QT_TR_NOOP("Save"), {QKeySequence(Qt::CTRL | Qt::Key_S)}},
      {controls.loadButton, QT_TR_NOOP("Load"), {QKeySequence(Qt::CTRL | Qt::Key_O)}},
      {controls.rulesButton, QT_TR_NOOP("Rules: show or hide"), {QKeySequence(Qt::Key_F1)}},
      {controls.soundButton, QT_TR_NOOP("Sound on or off"), {QKeySequence(Qt::Key_M)}},
      {controls.byeButton, QT_TR_NOOP("Bye!"), {QKeySequence(Qt::CTRL | Qt::Key_Q)}},
  };
  for (const PanelKey& k : panel) {
    QAbstractButton* b = k.button;
    QString shown;
    for (const QKeySequence& key : k.keys) {
      BindKey(window, key, [b] { Press(b); });
      const QString name = key.toString(QKeySequence::NativeText);
      //: Two keys that do the same: "Space or D".
      shown = shown.isEmpty() ? name : tr("%1 or %2").arg(shown, name);
    }
    //: A tooltip: %1 is what the button does, %2 its key ("Throw Dice (Space or D)").
    b->setToolTip(tr("%1 (%2)").arg(tr(k.action), shown));
  }

  // The board: the arrows move the cursor, Return clicks, Escape drops.
  const struct {
    Qt::Key key;
    int dcol, drow;
  } arrows[] = {
      {Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0}, {Qt::Key_Up, 0, -1}, {Qt::Key_Down, 0, 1}};
  for (const auto& a : arrows) {
    BindKey(
        window, QKeySequence(a.key), [this, a] { MoveCursor(a.dcol, a.drow); }, true);
  }
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    BindKey(window, QKeySequence(key), [this] { ClickCursor(MouseButton::Left); });
  }
  BindKey(window, QKeySequence(Qt::Key_Escape), [this] { ClickCursor(MouseButton::Right); });
  BindKey(window, QKeySequence(Qt::Key_H), [this] {
    if (CursorShown() && onHint) onHint();
  });
  // R has no button of its own on the panel: the record is reached through
  // the about box, whose button tells the key.
  BindKey(window, QKeySequence(Qt::Key_R), [this] {
    if (onRecord) onRecord();
  });
  controls.aboutButton->setToolTip(tr("About Vandrel (R: your record)"));
  //: The board's tooltip: %1 is the mouse's part of it ("right click to
  //: de-select piece"), the keys and the marks follow.
  controls.board->setToolTip(
      tr("%1 (Escape); arrow keys move the cursor, Return clicks; H: a hint. "
         "Dots mark where the selected piece may go, a ring the piece you may "
         "send back, an orange outline the computer's last move")
          .arg(controls.board->toolTip()));
  for (int i = 1; i <= 12; ++i) {
    controls.pieces[static_cast<size_t>(i)]->setToolTip(
        //: The tooltip of the player's pieces.
        i > 6 ? tr("Your piece: click to select it, dots then mark where it may go (H: a hint)")
              //: The tooltip of the computer's pieces.
              : tr("The computer's piece: a ring marks the one you may send back (H: a hint)"));
  }
  controls.board->onPaintOver = [this](QPainter& p) { PaintCursor(p); };
  SetCursor(col_, row_);
}

bool Keyboard::CursorShown() const {
  return controls_.board->isEnabled() && !controls_.rulesViewer->isVisible();
}

void Keyboard::PlaceCursorForTurn(const GameState& s) {
  for (int p = 1; p <= kPiecesPerTeam; ++p) {
    const TPiece& x = s.piece(kHuman, p);
    if (x.Row != EndRowOf(kHuman)) {
      SetCursor(x.Col, x.Row);
      return;
    }
  }
}

void Keyboard::SetCursor(int col, int row) {
  col_ = std::clamp(col, 0, 7);
  row_ = std::clamp(row, 0, 7);
  controls_.board->update();
  if (access_) access_->CursorMoved(col_, row_);
}

void Keyboard::MoveCursor(int dcol, int drow) {
  if (!CursorShown()) return;
  SetCursor(col_ + dcol, row_ + drow);
}

void Keyboard::ClickCursor(MouseButton b) {
  // The rules lie over the board: a click there closes them.
  if (controls_.rulesViewer->isVisible()) {
    controls_.closeRules();
    return;
  }
  BoardView* board = controls_.board;
  if (!board->isEnabled()) return;
  if (b == MouseButton::Left) {
    // The topmost piece image on the square takes the click if it is enabled;
    // a disabled one lets it through to the board, as it does the mouse's.
    const QObjectList& images = board->children();
    for (auto it = images.crbegin(); it != images.crend(); ++it) {
      auto* img = qobject_cast<PieceImage*>(*it);
      if (!img || !img->isVisible() || img->col() != col_ || img->row() != row_) continue;
      if (img->isEnabled() && img->onMouseDown) {
        img->onMouseDown(img->tag(), b);
        return;
      }
      break;
    }
  }
  // Escape goes to the board itself: a right click on an own piece's image
  // would select it rather than drop the selection.
  if (board->onMouseDown) {
    board->onMouseDown(kCellPixels * col_ + kCellPixels / 2, kCellPixels * row_ + kCellPixels / 2,
                       b);
  }
}

void Keyboard::PaintCursor(QPainter& p) const {
  if (!CursorShown()) return;
  // Two pixels wide, four inside the square: between the selection frame on
  // the cell's edge and the piece six pixels in. Yellow dashes on black.
  const QRectF r(kCellPixels * col_ + 5, kCellPixels * row_ + 5, kCellPixels - 10,
                 kCellPixels - 10);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::black, 2));
  p.drawRect(r);
  QPen dash(QColor(255, 224, 0), 2, Qt::CustomDashLine);
  dash.setDashPattern({3, 2});
  p.setPen(dash);
  p.drawRect(r);
  p.restore();
}

}  // namespace vandrel
