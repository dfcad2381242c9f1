// The computer player (team 0): it lists its legal moves with a small weight
// each and plays the first of greatest weight, after the end-row removal,
// which always comes first. There is no look-ahead.
#pragma once

#include "rules/presentation.h"
#include "rules/state.h"

namespace vandrel {

// Empties the candidate list (at every throw, the human's too).
void ClearMoveList(GameState& s);
// Appends one weighed candidate; FindMoves calls it during the computer's
// turn (a RecordFn).
void RecordCandidate(GameState& s, int piece, int col, int row);

// The weights of a play-area move of team t to (col, row).
int GuardScore(const GameState& s, int t, int col, int row);
int EndRowScore(int row);
int CaptureScore(const GameState& s, int t, int col, int row);
// Weights of a base-column move.
constexpr int kBaseReturnScore = 5;
constexpr int kBaseWalkScore = 2;

// The index of the first candidate of greatest weight above 0, or -1. Also
// writes the list into the developer candidate grid.
int PickBestMove(GameState& s, Presentation& ui);

// Carrying the choice out, for both levels: the end-row removal named by
// the die; or the move request filled with the candidate and carried out.
void PlayRemoval(GameState& s, Presentation& ui);
void PlayCandidate(GameState& s, Presentation& ui, int piece, int col, int row);

// The computer's choice, after its throw and the can-move test: the removal
// option, else the best candidate, else a random one; or a pass when there is
// nothing to play.
void ComputerChoice(GameState& s, Presentation& ui);

}  // namespace vandrel
