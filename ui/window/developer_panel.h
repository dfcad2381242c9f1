// The developer controls, shown below and right of the game's area in
// developer mode: the move request's four editors with "Move", the piece
// memo with "Refresh", the board grid and the computer's candidate moves.
//
// The editors keep the names of the game state's fields they show
// (teamspin, piecespin, spin1, spin2). Outside developer mode the panel
// builds no controls but still keeps the memo's lines.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

#include "rules/presentation.h"

class QFont;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QWidget;

namespace vandrel {

class DeveloperPanel : public QObject {
  Q_OBJECT
 public:
  // `presentation` shows the memo as the game would; `clickBoard` delivers a
  // left click at board (x, y) as the window delivers the mouse's.
  DeveloperPanel(QObject* parent, GameState& state, Presentation& presentation,
                 std::function<void(int x, int y)> clickBoard);

  // Makes the controls on `client`, in `font`.
  void Build(QWidget* client, const QFont& font);

  // --- Handlers -------------------------------------------------------------------
  void teamspinChange();
  void piecespinChange();
  void MoveBtnClick();
  void SpeedButton3Click();  // "Refresh"

  // --- Drawing, for the presentation seam -----------------------------------------
  void setGridCell(int col, int row, char letter);
  void dumpPiece(int team, int piece, const TPiece& p);
  void showCandidates(const GameState& s);
  void showMoveRequest(const GameState& s);

  // DumpPiece's eleven lines, kept whether or not the memo is shown.
  QStringList MemoLines() const { return memoLines_; }

  QSpinBox* teamspin = nullptr;
  QSpinBox* piecespin = nullptr;
  QSpinBox* spin1 = nullptr;  // the target column
  QSpinBox* spin2 = nullptr;  // the target row
  QPushButton* moveButton = nullptr;
  QPushButton* refreshButton = nullptr;
  QPlainTextEdit* pieceMemo = nullptr;
  QTableWidget* boardGrid = nullptr;      // 'X' and 'Y' on the squares
  QTableWidget* candidateList = nullptr;  // piece, column, row, score

 private:
  GameState& state_;
  Presentation& presentation_;
  std::function<void(int x, int y)> clickBoard_;
  bool syncing_ = false;  // the editors are being set from the game
  QStringList memoLines_;
};

}  // namespace vandrel
