// What assistive technology (a screen reader, over AT-SPI) learns about the
// game: a name for every control, without line breaks; the die's value; each
// piece with its square; and the square under the keyboard cursor. (The
// dialogs name their own controls, and the prompt announces itself.)
//
// Squares are named by column 0..7 from the left and row 0..7 from the top,
// as the game counts them: "Your piece 1, column 1, row 6" is the human's
// piece 1 on its start square.
//
// The names know the window by its controls (ui/window/window_controls.h).
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include "rules/state.h"
#include "ui/window/window_controls.h"

class QWidget;

namespace vandrel {

class Announcer;

// "Your piece 3, column 4, row 4" / "Computer piece 5, column 5, row 3".
QString PieceName(int team, int piece, int col, int row);
// The square as the cursor names it: the pieces on it ("Your pieces 2 and 4,
// column 7, row 3" for a stack), or "Empty square, column 3, row 4".
QString SquareName(const GameState& s, int col, int row);
// "Die: 4", or "Die: not thrown" for 0.
QString DieName(int value);

class Accessibility : public QObject {
  Q_OBJECT
 public:
  // Names the controls, which stay the window's (controls.window).
  explicit Accessibility(const WindowControls& controls);

  // The die shows a value (0: blank). The name follows once the value has
  // stood for a moment, so a reader is told the throw, not the animation.
  void ShowDie(int value);
  // The keyboard cursor stands on (col, row).
  void CursorMoved(int col, int row);
  // Tells a screen reader a message at once, as an alert (the hint, the
  // computer's move).
  void Announce(const QString& text);

  // How long the die's value must stand before it is told.
  static constexpr int kDieSettleMs = 250;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void NamePiece(QObject* image);

  const WindowControls& controls_;
  Announcer* announcer_ = nullptr;  // made with the first message
  QTimer dieSettled_;
  int dieValue_ = 0;
  int cursorCol_ = -1, cursorRow_ = -1;
};

}  // namespace vandrel
