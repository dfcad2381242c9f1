// The game's keys: shortcuts for the side panel's buttons, a keyboard cursor
// on the board. (Each dialog binds its own keys.)
//
// A key does what a click does, and only where the click would count: a
// panel key clicks its button, which does nothing while the button is
// disabled; Return on the board is a left click on the cursor's square,
// Escape a right click there (which drops a selection). The keys belong to
// the window that shows them, so while a dialog is up only its own keys work.
//
// The cursor is a dashed frame just inside the square, so it shows beside
// the inverted selection frame on the cell's edge and around a piece. It is
// drawn while the board takes clicks, and at the start of each of the human's
// turns it goes to the human's lowest-numbered piece not yet on its target row.
//
// The keys know the window by its controls (ui/window/window_controls.h).
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPoint>
#include <functional>

#include "rules/presentation.h"
#include "ui/window/window_controls.h"

class QPainter;
class QWidget;

namespace vandrel {

class Accessibility;

class Keyboard : public QObject {
  Q_OBJECT
 public:
  // Binds the keys to controls.window. access: told where the cursor stands
  // (may be null).
  Keyboard(const WindowControls& controls, Accessibility* access);

  // The human's turn begins: the cursor goes to the human's first piece that
  // still has a way to go.
  void PlaceCursorForTurn(const GameState& s);

  // The cursor's square, and whether it shows (the board takes clicks).
  QPoint Cursor() const { return {col_, row_}; }
  bool CursorShown() const;

  // Puts the cursor on square (col, row) (kept on the board).
  void PlaceCursor(int col, int row) { SetCursor(col, row); }
  // Moves the cursor one square (kept on the board).
  void MoveCursor(int dcol, int drow);
  // A click on the cursor's square, delivered as the mouse would deliver it:
  // to the topmost enabled piece image there, else to the board.
  void ClickCursor(MouseButton b);

  // Key H, while the board takes clicks: asks the game for a hint.
  std::function<void()> onHint;
  // Key R: shows the player's record.
  std::function<void()> onRecord;

 private:
  void PaintCursor(QPainter& p) const;
  void SetCursor(int col, int row);

  const WindowControls& controls_;
  Accessibility* access_;
  int col_ = 1, row_ = 6;
};

}  // namespace vandrel
