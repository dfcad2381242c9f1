#include "computer/strong.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdlib>

#include "computer/computer.h"

namespace vandrel {

// Tuned by self-play against the classic player (vandrel-tune, 300 games a
// trial): each weight was moved up and down by a quarter in turn and kept
// where it won more games with the same dice.
const StrongWeights kStrongWeights = {
    .arrived = 75,
    .progress = 12,
    .inBase = -60,
    .baseWalk = -8,
    .onReturn = -20,
    .guard = 12,
    .threat = -6,
    .exposed = -15,
};

namespace {

void SetSquare(TPiece& x, int t, int col, int row) {
  x.Col = col;
  x.Row = row;
  x.EndP = row == EndRowOf(t);
  x.StartP = row == StartRowOf(t);
  x.OnReturn = col == BaseColOf(t) && row == ReturnRowOf(t);
}

void ToBase(TPiece& x, int t) {
  SetSquare(x, t, BaseColOf(t), EntryRowOf(t));
  x.OnBase = 1;
}

}  // namespace

int ListChoices(const PieceTable& b, int t, int dice, Choice* out) {
  int n = 0;
  Square targets[kMaxTargets];
  for (int p = 1; p <= kPiecesPerTeam; ++p) {
    const int k = LegalTargets(b, t, p, dice, targets);
    for (int i = 0; i < k; ++i) out[n++] = {p, targets[i].col, targets[i].row};
  }
  if (RemovalTarget(b, t, dice) > 0) out[n++] = {0, 0, 0};
  return n;
}

bool ApplyChoice(PieceTable& b, int t, int dice, const Choice& c) {
  if (c.piece == 0) {
    const int r = RemovalTarget(b, t, dice);
    if (r > 0) ToBase(b[1 - t][r - 1], 1 - t);
    return false;
  }
  for (TPiece& y : b[1 - t]) {
    if (y.Col == c.col && y.Row == c.row) {
      ToBase(y, 1 - t);
      break;
    }
  }
  TPiece& x = b[t][c.piece - 1];
  if (x.OnBase && c.row == ReturnRowOf(t)) x.OnBase = 0;
  SetSquare(x, t, c.col, c.row);
  if (!x.EndP) return false;
  for (const TPiece& y : b[t])
    if (!y.EndP) return false;
  return true;
}

namespace {

constexpr double kWin = 1e6;

// The dice (bit k for a throw of k) with which a piece of team o could land
// on (col, row), forward or sideways by the step rules.
unsigned CaptureDice(const PieceTable& b, int o, int col, int row) {
  unsigned dice = 0;
  for (const TPiece& y : b[o]) {
    if (y.OnBase || y.EndP || y.OnReturn) continue;
    const int dr = o == 0 ? row - y.Row : y.Row - row;
    if (dr < 0) continue;
    const int dc = std::abs(col - y.Col);
    for (int k = dr + dc; k <= 6; k += 2)
      if (k > 0 && (dr > 0 || dc == k)) dice |= 1u << k;
  }
  return dice;
}

// The judgement of team t's side of the board.
int SideValue(const PieceTable& b, int t, const StrongWeights& w) {
  const int o = 1 - t;
  bool opponentMayRemove = true;  // the opponent has no piece on its start row or in base
  for (const TPiece& y : b[o])
    if (y.StartP || y.OnBase) opponentMayRemove = false;
  int v = 0;
  for (const TPiece& x : b[t]) {
    if (x.EndP) {
      v += w.arrived;
      if (opponentMayRemove) v += w.exposed;
    } else if (x.OnBase) {
      v += w.inBase + w.baseWalk * std::abs(x.Row - ReturnRowOf(t));
    } else if (x.OnReturn) {
      v += w.onReturn;
    } else {
      const int advanced = std::abs(x.Row - StartRowOf(t));
      v += w.progress * advanced;
      if (x.StartP) {
        // A piece on the start row closes the opponent's end-row square in
        // front of it while that square is empty.
        bool filled = false;
        for (const TPiece& y : b[o])
          if (y.EndP && y.Col == x.Col) filled = true;
        if (!filled) v += w.guard;
      } else {
        const int hits = std::popcount(CaptureDice(b, o, x.Col, x.Row));
        v += w.threat * hits * (1 + advanced);
      }
    }
  }
  return v;
}

class Search {
 public:
  Search(int us, const StrongLimits& limits, const StrongWeights& w)
      : us_(us), limits_(limits), w_(w), start_(std::chrono::steady_clock::now()) {}

  // The value of team t's move after its throw of dice, plies left.
  double Decide(const PieceTable& b, int t, int dice, int plies) {
    if (Out()) return 0;
    Choice options[kMaxChoices];
    const int n = ListChoices(b, t, dice, options);
    ++nodes_;
    if (n == 0) return Chance(b, 1 - t, plies - 1);
    double best = t == us_ ? -2 * kWin : 2 * kWin;
    for (int i = 0; i < n; ++i) {
      const double v = After(b, t, dice, options[i], plies);
      best = t == us_ ? std::max(best, v) : std::min(best, v);
    }
    return best;
  }

  // The value once team t has carried out choice c, plies counting c.
  double After(const PieceTable& b, int t, int dice, const Choice& c, int plies) {
    PieceTable next = b;
    if (ApplyChoice(next, t, dice, c)) return t == us_ ? kWin + plies : -kWin - plies;
    return Chance(next, 1 - t, plies - 1);
  }

  // The average over team t's six throws.
  double Chance(const PieceTable& b, int t, int plies) {
    if (plies <= 0) {
      ++nodes_;
      return SideValue(b, us_, w_) - SideValue(b, 1 - us_, w_);
    }
    double sum = 0;
    for (int dice = 1; dice <= 6; ++dice) sum += Decide(b, t, dice, plies);
    return sum / 6;
  }

  bool Out() {
    if (aborted_) return true;
    if (nodes_ > limits_.nodeBudget) aborted_ = true;
    if (limits_.timeMs > 0 && (nodes_ & 1023) == 0 && ElapsedMs() > limits_.timeMs) aborted_ = true;
    return aborted_;
  }
  double ElapsedMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
        .count();
  }

  int64_t nodes_ = 0;
  bool aborted_ = false;

 private:
  int us_;
  const StrongLimits& limits_;
  const StrongWeights& w_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace

int StrongPick(const PieceTable& b, int t, int dice, const Choice* options, int n,
               const StrongLimits& limits, const StrongWeights& w) {
  if (n <= 1) return 0;
  Search search(t, limits, w);
  int best = 0;
  int64_t lastSpent = 0;
  for (int plies = 1; plies <= limits.maxDepth; ++plies) {
    const int64_t before = search.nodes_;
    int pick = 0;
    double pickValue = -4 * kWin;
    for (int i = 0; i < n; ++i) {
      const double v = search.After(b, t, dice, options[i], plies);
      if (v > pickValue) {
        pick = i;
        pickValue = v;
      }
    }
    if (search.aborted_) break;  // an unfinished pass is not trusted
    best = pick;
    if (pickValue >= kWin) break;  // a sure win needs no deeper look
    // Each pass costs about as many times the one before as that one cost
    // the one before it (six throws times the moves of a throw): start the
    // next only when it can finish.
    const int64_t spent = std::max<int64_t>(1, search.nodes_ - before);
    const double growth = lastSpent > 0 ? std::max(6.0, static_cast<double>(spent) / lastSpent) : 60;
    lastSpent = spent;
    if (search.nodes_ + spent * growth > limits.nodeBudget) break;
    if (limits.timeMs > 0 && search.ElapsedMs() * (1 + growth) > limits.timeMs) break;
  }
  return best;
}

void StrongComputerChoice(GameState& s, Presentation& ui) {
  Choice options[kMaxChoices];
  const int n = ListChoices(s.Pieces, kComputer, s.Dice, options);
  if (n == 0) return;  // "I can't move!" has been shown
  const Choice& c = options[StrongPick(s.Pieces, kComputer, s.Dice, options, n)];
  if (c.piece == 0) {
    PlayRemoval(s, ui);
  } else {
    ui.ShowCandidates(s);
    PlayCandidate(s, ui, c.piece, c.col, c.row);
  }
}

}  // namespace vandrel
