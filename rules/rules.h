// The rules of the game: laying out the pieces, judging moves, carrying them
// out, captures, the end-row removal, bonus points and the end of a game.
// Every function takes the game state and the presentation seam; none of
// them allocates.
#pragma once

#include "rules/presentation.h"
#include "rules/state.h"

namespace vandrel {

// --- The piece table ------------------------------------------------------
void ResetPieces(GameState& s, Presentation& ui);
bool IsOnBase(const GameState& s, int t, int p);
// v = 1: the piece walks its base column (EndP and StartP cleared).
// v = 0: the caller recomputes EndP and StartP at once.
void SetOnBase(GameState& s, int t, int p, int v);
void UpdateEndP(GameState& s, int t, int p);
void UpdateStartP(GameState& s, int t, int p);
void UpdateOnReturn(GameState& s, int t, int p);
// The first piece of team t's opponent on (col, row), or 0.
int PieceAt(const GameState& s, int t, int col, int row);
bool AllAtEndRow(const GameState& s, int t);

// --- Legality -------------------------------------------------------------
// Whether the die's count of steps can take piece (t, p) to (col, row).
bool StepsFit(const GameState& s, int t, int p, int col, int row, int dice);
// The full test of one move with the current Dice. A base piece sent the
// wrong way shows "Wrong direction" before the answer is false.
bool IsLegalMove(const GameState& s, Presentation& ui, int t, int p, int col, int row);

// Called for every legal square FindMoves meets during the computer's turn.
using RecordFn = void (*)(GameState& s, int piece, int col, int row);

// Whether piece (t, p) has a legal move with dice (always Dice). While the
// computer moves and record is given, the whole search box is walked and
// every legal square is recorded, in column-then-row order.
bool FindMoves(GameState& s, Presentation& ui, int t, int p, int dice, RecordFn record = nullptr);
// The squares piece (t, p) of the table may move to with the die, in the
// order FindMoves meets them; out has room for kMaxTargets. Answers how many.
struct Square {
  int col = 0, row = 0;
};
constexpr int kMaxTargets = 48;
int LegalTargets(const PieceTable& b, int t, int p, int dice, Square* out);
// The opponent's piece that team t may send back from the opponent's end
// row instead of moving, or 0.
int RemovalTarget(const GameState& s, int t, int dice);
int RemovalTarget(const PieceTable& b, int t, int dice);
// The can-move test: the number of team t's pieces that can move, plus one
// when the removal option is open. Builds the candidate list on the way when
// the computer moves.
int CountMoveOptions(GameState& s, Presentation& ui, int t, RecordFn record = nullptr);

// --- Carrying out moves ---------------------------------------------------
// Carries out the move request (teamspin, piecespin, spin1, spin2), or
// refuses it. Both ways end with a 300 ms pause.
void MoveBtnClick(GameState& s, Presentation& ui);
void PlacePiece(GameState& s, Presentation& ui, int t, int p, int col, int row);
void SendToBase(GameState& s, Presentation& ui, int t, int p);
void CaptureAt(GameState& s, Presentation& ui, int t, int col, int row);
void TakeFromEndRow(GameState& s, Presentation& ui, int t, int p);
void CheckGameOver(GameState& s, Presentation& ui, int t);
void ScoreGame(GameState& s, Presentation& ui, int w);
void AnnounceGame(GameState& s, Presentation& ui, bool humanWon);
// frame = true: the selection frame drawn again and "You can't move there!";
// frame = false: "Click the Dice!".
void ShowBadMove(GameState& s, Presentation& ui, bool frame);

// The end-of-game points of winner w, bonus not included.
int LoserPenalty(const GameState& s, int w);

}  // namespace vandrel
