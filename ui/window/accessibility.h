// What assistive technology (a screen reader, over AT-SPI) learns about the
// game: a name for every control, without line breaks; the die's value; each
// piece with its square; and the square under the keyboard cursor. (The
// dialogs name their own controls, and the prompt announces itself.)
//
// Squares are named in the rules text's numbers (SquareOf in
// control/board_help.h): columns 1..6 from the left as the numbers below the
// board show, rows 1..8 from the top, and the two base columns by their side.
// "Your piece, column 1, row 7" is the human's piece on the leftmost square
// of its Safe row. Pieces carry no numbers: the player never sees any.
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

// "Your piece, column 4, row 5" / "The computer's piece, column 5, row 4".
QString PieceName(int team, int col, int row);
// The square as the cursor names it: the pieces on it ("2 of your pieces,
// the right Base column, row 4" for a stack), or "Empty square, column 3,
// row 5".
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
