// The strong computer player. After its throw it weighs every legal move,
// the end-row removal included, by searching ahead over the die: its own
// move, then the average over the opponent's six throws of the opponent's
// best reply, then its own next throws and moves, as deep as its budget
// allows (expectimax), and finally a weighed judgement of the board.
//
// The search plays on copies of the piece table only, through the same move
// generator as the rules, and allocates nothing.
#pragma once

#include <array>
#include <cstdint>

#include "rules/presentation.h"
#include "rules/rules.h"
#include "rules/state.h"

namespace vandrel {

// One thing a side may do after its throw: move piece to (col, row), or
// (piece 0) send back the opponent's piece named by the die.
struct Choice {
  int piece = 0, col = 0, row = 0;
  bool operator==(const Choice&) const = default;
};
constexpr int kMaxChoices = kPiecesPerTeam * kMaxTargets + 1;

// Every legal choice of team t with the die, moves in the order the rules
// list them (pieces, then columns, then rows), the removal last.
int ListChoices(const PieceTable& b, int t, int dice, Choice* out);
// Carries a legal choice out on the table, as the move path would: a piece
// landed on goes to its base, a piece reaching its return square leaves the
// base walk, flags follow the squares. Answers whether team t has now won.
bool ApplyChoice(PieceTable& b, int t, int dice, const Choice& c);

// The judgement of a board, one weight per feature; see strong.cpp.
struct StrongWeights {
  int arrived, progress, inBase, baseWalk, onReturn, guard, threat, exposed;
};
extern const StrongWeights kStrongWeights;

struct StrongLimits {
  int maxDepth = 4;               // plies: own move, reply, own move, reply
  int64_t nodeBudget = 1500000;   // boards judged or expanded, over all depths
  int timeMs = 70;                // a deeper pass stops when this runs out (0: none)
};

// The index into options (n > 0, all legal for team t with dice) of the
// strong player's choice.
int StrongPick(const PieceTable& b, int t, int dice, const Choice* options, int n,
               const StrongLimits& limits = {}, const StrongWeights& w = kStrongWeights);

// The computer's choice step at the strong level, after its throw and the
// can-move test: the same presentation calls as the classic player's for the
// move it plays (candidate grid and move request, or the removal), or a pass.
void StrongComputerChoice(GameState& s, Presentation& ui);

}  // namespace vandrel
