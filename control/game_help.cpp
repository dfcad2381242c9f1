// The game's side of the help at the board: the hint and the markers.
#include <optional>

#include "computer/hint.h"
#include "control/board_help.h"
#include "control/game.h"
#include "rules/rules.h"

namespace vandrel {

void Game::HintBtnClick() {
  if (s_.Input != HumanInput::AwaitMove || s_.MoveInProgress || s_.ComputerTurn) return;
  const std::optional<Choice> hint = HintFor(s_.Pieces, kHuman, s_.Dice);
  if (!hint) return;
  if (s_.PieceSelected) DropSelection();
  if (hint->piece == 0) {
    const int r = RemovalTarget(s_, kHuman, s_.Dice);
    ui_.Trace("hint remove %d", r);
    const TPiece& x = s_.piece(kComputer, r);
    ui_.PlaceCursor(x.Col, x.Row);
    UpdateMarks();
    ui_.Announce(HintSaid(s_.Pieces, *hint, r));
    return;
  }
  ui_.Trace("hint %d %d %d", hint->piece, hint->col, hint->row);
  const Said said = HintSaid(s_.Pieces, *hint, 0);
  pc1MouseDown(hint->piece, MouseButton::Left);
  ui_.PlaceCursor(hint->col, hint->row);
  ui_.Announce(said);
}

void Game::DropSelection() {
  ui_.InvertFrame(s_.SelX, s_.SelY);
  s_.PieceSelected = false;
  ui_.SetHumanPiecesEnabled(true);
}

void Game::UpdateMarks() {
  const BoardMarks m = MarksFor(s_, lastMove_);
  if (m == shown_) return;
  shown_ = m;
  ui_.ShowMarks(m);
}

}  // namespace vandrel
