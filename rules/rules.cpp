#include "rules/rules.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "rules/translation_marks.h"

namespace vandrel {

namespace {

char TeamLetter(int t) { return t == 0 ? 'X' : 'Y'; }

}  // namespace

// --- The piece table ------------------------------------------------------

void ResetPieces(GameState& s, Presentation& ui) {
  for (int t = 0; t < kTeams; ++t) {
    for (int p = 1; p <= kPiecesPerTeam; ++p) {
      TPiece& x = s.piece(t, p);
      x.Col = p;
      x.Row = StartRowOf(t);
      x.EndP = 0;
      x.EndRow = EndRowOf(t);
      x.StartP = 1;
      x.StartRow = StartRowOf(t);
      x.OnBase = 0;
      x.OnReturn = 0;
      x.BaseRow = -1;
      x.BaseCol = BaseColOf(t);
      ui.SetGridCell(p, x.Row, TeamLetter(t));
    }
  }
}

bool IsOnBase(const GameState& s, int t, int p) { return s.piece(t, p).OnBase != 0; }

void SetOnBase(GameState& s, int t, int p, int v) {
  TPiece& x = s.piece(t, p);
  x.OnBase = v ? 1 : 0;
  x.EndP = v ? 0 : 1;
  x.StartP = v ? 0 : 1;
}

void UpdateEndP(GameState& s, int t, int p) {
  TPiece& x = s.piece(t, p);
  x.EndP = x.Row == x.EndRow;
}

void UpdateStartP(GameState& s, int t, int p) {
  TPiece& x = s.piece(t, p);
  x.StartP = x.Row == x.StartRow;
}

void UpdateOnReturn(GameState& s, int t, int p) {
  TPiece& x = s.piece(t, p);
  x.OnReturn = x.Col == BaseColOf(t) && x.Row == ReturnRowOf(t);
}

int PieceAt(const GameState& s, int t, int col, int row) {
  for (int q = 1; q <= kPiecesPerTeam; ++q) {
    const TPiece& x = s.piece(1 - t, q);
    if (x.Col == col && x.Row == row) return q;
  }
  return 0;
}

bool AllAtEndRow(const GameState& s, int t) {
  for (int p = 1; p <= kPiecesPerTeam; ++p)
    if (!s.piece(t, p).EndP) return false;
  return true;
}

// --- Legality -------------------------------------------------------------

// A piece moves exactly the die's count of squares, forward or sideways, and
// in any one row sideways in one direction only. Surplus steps can therefore
// be spent only in pairs (out in one row, back in another), which needs at
// least one forward step; a purely sideways move uses the whole count.
bool StepsFit(const GameState& s, int t, int p, int col, int row, int dice) {
  const TPiece& x = s.piece(t, p);
  if (x.OnBase) return std::abs(row - x.Row) == dice;
  const int dr = std::abs(row - x.Row);
  const int dc = std::abs(col - x.Col);
  const int d = dr + dc;
  if (d > dice) return false;
  if ((d - dice) % 2 != 0) return false;
  if (row == x.Row) return dc == dice;
  return true;
}

bool IsLegalMove(const GameState& s, Presentation& ui, int t, int p, int col, int row) {
  const TPiece& x = s.piece(t, p);
  if (!StepsFit(s, t, p, col, row, s.Dice)) return false;
  if (col < 0 || col > 7 || row < 0 || row > 7) return false;
  if (x.EndP) return false;  // an arrived piece never moves by itself
  for (int q = 1; q <= kPiecesPerTeam; ++q) {
    if (q == p) continue;
    const TPiece& y = s.piece(t, q);
    if (y.Col == col && y.Row == row && !y.OnBase && !y.OnReturn) return false;
  }
  if (row == StartRowOf(1 - t)) return false;  // the opponent's start row is safe
  if (row == 0 || row == 7) {
    // An opponent piece still on its start row closes the end-row square
    // behind it.
    for (int q = 1; q <= kPiecesPerTeam; ++q) {
      const TPiece& y = s.piece(1 - t, q);
      if (y.StartP && y.Row == StartRowOf(1 - t) && y.Col == col) return false;
    }
  }
  if (x.OnBase) {
    const bool wrong = t == 0 ? row > x.Row : row < x.Row;
    if (wrong) {
      //: A message box: a piece in its Base column may only go on towards its
      //: return square.
      ui.MessageBox(QT_TRANSLATE_NOOP("vandrel::Game", "Wrong direction"));
      return false;
    }
  } else {
    const bool backwards = t == 1 ? row > x.Row : row < x.Row;
    if (backwards) return false;
  }
  if (x.OnBase) {
    if (col != BaseColOf(t)) return false;
    if (t == 0 ? row < ReturnRowOf(0) : row > ReturnRowOf(1)) return false;
  }
  if (!x.OnBase && (x.Col == 0 || x.Col == 7) && row != x.Row) return false;
  if (!x.OnBase && (col < 1 || col > 6)) return false;
  return true;
}

namespace {

// The squares IsLegalMove accepts for piece (t, p) with a die of d, inside
// the search box of a die of dice (the two are the same but in tests), in
// column-then-row order, handed to f until it answers false.
// Same tests as IsLegalMove, worked out once per piece instead of once per
// square; a base piece has a single target, and only the pieces that walk
// the base can be told "Wrong direction", so nothing here shows anything.
template <class F>
bool ForEachTarget(const PieceTable& b, int t, int p, int dice, int d, F&& f) {
  const TPiece& x = b[t][p - 1];
  if (x.OnBase) {
    const int target = t == 1 ? x.Row + dice : x.Row - dice;
    const bool can = t == 1 ? target <= ReturnRowOf(1) : target >= ReturnRowOf(0);
    if (can) f(BaseColOf(t), target);
    return can;
  }
  if (x.EndP) return false;  // an arrived piece never moves by itself
  // Squares held by the team's other pieces outside the base walk, and the
  // end-row columns closed by an opponent still on its start row.
  uint64_t own = 0;
  unsigned closed = 0;
  for (int q = 1; q <= kPiecesPerTeam; ++q) {
    const TPiece& y = b[t][q - 1];
    if (q != p && !y.OnBase && !y.OnReturn) own |= uint64_t{1} << (y.Row * 8 + y.Col);
    const TPiece& z = b[1 - t][q - 1];
    if (z.StartP && z.Row == StartRowOf(1 - t)) closed |= 1u << z.Col;
  }
  const bool fromReturn = x.Col == 0 || x.Col == 7;
  const int c0 = std::max(1, x.Col - dice), c1 = std::min(6, x.Col + dice);
  // Forward only: rows grow for team 0 and shrink for team 1.
  const int r0 = t == 0 ? x.Row : std::max(0, x.Row - dice);
  const int r1 = t == 0 ? std::min(7, x.Row + dice) : x.Row;
  bool found = false;
  for (int c = c0; c <= c1; ++c) {
    const int dc = std::abs(c - x.Col);
    for (int r = r0; r <= r1; ++r) {
      const int dr = std::abs(r - x.Row);
      if (dr + dc > d || (dr + dc - d) % 2 != 0) continue;
      if (dr == 0 && dc != d) continue;
      if (fromReturn && r != x.Row) continue;
      if (r == StartRowOf(1 - t)) continue;
      if (own >> (r * 8 + c) & 1) continue;
      if ((r == 0 || r == 7) && (closed >> c & 1)) continue;
      found = true;
      if (!f(c, r)) return true;
    }
  }
  return found;
}

}  // namespace

bool FindMoves(GameState& s, Presentation&, int t, int p, int dice, RecordFn record) {
  if (!(s.ComputerTurn && record != nullptr))
    return ForEachTarget(s.Pieces, t, p, dice, s.Dice, [](int, int) { return false; });
  return ForEachTarget(s.Pieces, t, p, dice, s.Dice, [&](int c, int r) {
    record(s, p, c, r);
    return true;
  });
}

int LegalTargets(const PieceTable& b, int t, int p, int dice, Square* out) {
  int n = 0;
  ForEachTarget(b, t, p, dice, dice, [&](int c, int r) {
    out[n++] = {c, r};
    return true;
  });
  return n;
}

int RemovalTarget(const GameState& s, int t, int dice) { return RemovalTarget(s.Pieces, t, dice); }

int RemovalTarget(const PieceTable& b, int t, int dice) {
  for (const TPiece& x : b[t])
    if (x.StartP || x.OnBase) return 0;
  const int col = t == 1 ? dice : 7 - dice;
  int target = 0;
  for (int q = 1; q <= kPiecesPerTeam; ++q) {
    const TPiece& y = b[1 - t][q - 1];
    if (y.EndP && y.Col == col) target = q;
  }
  return target;
}

int CountMoveOptions(GameState& s, Presentation& ui, int t, RecordFn record) {
  int count = 0;
  for (int p = 1; p <= kPiecesPerTeam; ++p)
    if (FindMoves(s, ui, t, p, s.Dice, record)) ++count;
  if (RemovalTarget(s, t, s.Dice) > 0) ++count;
  return count;
}

// --- Carrying out moves ---------------------------------------------------

void ShowBadMove(GameState& s, Presentation& ui, bool frame) {
  if (frame) {
    ui.InvertFrame(s.SelX, s.SelY);
    //: The prompt: a box of two lines of 273 layout pixels in a bold 19-pixel face.
    ui.ShowPrompt(QT_TRANSLATE_NOOP("vandrel::Game", "You can't move there!"));
  } else {
    //: The prompt. "Dice" is the "Throw Dice" button.
    ui.ShowPrompt(QT_TRANSLATE_NOOP("vandrel::Game", "Click the Dice!"));
  }
}

void MoveBtnClick(GameState& s, Presentation& ui) {
  const int t = s.teamspin, p = s.piecespin, c = s.spin1, r = s.spin2;
  const bool validRequest = (t == 0 || t == 1) && p >= 1 && p <= kPiecesPerTeam;
  if (validRequest && IsLegalMove(s, ui, t, p, c, r)) {
    s.MoveInProgress = true;
    s.PieceSelected = false;
    const TPiece& x = s.piece(t, p);
    ui.Trace("move %d %d %d %d", t, p, c, r);
    ui.SetGridCell(x.Col, x.Row, ' ');
    CaptureAt(s, ui, t, c, r);
    ui.RedrawPieces(s);
    ui.ProcessMessages();
    PlacePiece(s, ui, t, p, c, r);
    ui.RedrawPieces(s);
    ui.ProcessMessages();
    ui.DumpPiece(t, p, s.piece(t, p));
    ui.SetHumanPiecesEnabled(false);
    s.ComputerTurn = false;
    s.TurnBusy = false;
    s.MoveInProgress = false;
  } else if (!s.ComputerTurn) {
    ShowBadMove(s, ui, true);
  }
  ui.RedrawPieces(s);
  ui.ProcessMessages();
  Pause(ui, 300);
}

void CaptureAt(GameState& s, Presentation& ui, int t, int col, int row) {
  const int q = PieceAt(s, t, col, row);
  if (q == 0) return;
  s.Bonus[t] = AddPoints(s.Bonus[t], 10);
  ui.Trace("capture %d %d", 1 - t, q);
  SendToBase(s, ui, 1 - t, q);
  SetOnBase(s, 1 - t, q, 1);
  ui.ProcessMessages();
  if (s.SfxOn) ui.PlaySfx(Sound::POP);
}

void PlacePiece(GameState& s, Presentation& ui, int t, int p, int col, int row) {
  TPiece& x = s.piece(t, p);
  x.Col = col;
  x.Row = row;
  if (s.SfxOn) ui.PlaySfx(Sound::MOVE);
  ui.RedrawPieces(s);
  ui.ProcessMessages();
  ui.SetGridCell(col, row, TeamLetter(t));
  if (x.OnBase && row == ReturnRowOf(t)) SetOnBase(s, t, p, 0);
  UpdateEndP(s, t, p);
  if (x.EndP) {
    s.Bonus[t] = AddPoints(s.Bonus[t], 20);
    if (s.SfxOn) ui.PlaySfx(Sound::ENDROW);
  }
  UpdateStartP(s, t, p);
  UpdateOnReturn(s, t, p);
  CheckGameOver(s, ui, t);
}

void SendToBase(GameState& s, Presentation& ui, int t, int p) {
  PlacePiece(s, ui, t, p, BaseColOf(t), EntryRowOf(t));
}

void TakeFromEndRow(GameState& s, Presentation& ui, int t, int p) {
  const TPiece& x = s.piece(t, p);
  ui.SetGridCell(x.Col, x.Row, ' ');
  if (x.EndP) {
    s.MoveInProgress = true;
    ui.Trace("remove %d %d", t, p);
    SendToBase(s, ui, t, p);
    SetOnBase(s, t, p, 1);
    UpdateEndP(s, t, p);
    s.MoveInProgress = false;
  }
  ui.ProcessMessages();
}

void CheckGameOver(GameState& s, Presentation& ui, int t) {
  if (!AllAtEndRow(s, t)) return;
  ScoreGame(s, ui, t);
  ui.SetBonusPanelVisible(false);
  s.GameRunning = false;
  s.Input = HumanInput::Closed;
  s.NewBtnEnabled = true;
  ui.SetButtonEnabled(Button::PlayGame, true);
  ui.HoldGameButtons(false);
  ui.Trace("game-over %d %d %d", t, s.Score[0], s.Score[1]);
  AnnounceGame(s, ui, t == 1);
}

int LoserPenalty(const GameState& s, int w) {
  int sum = 0;
  for (int q = 1; q <= kPiecesPerTeam; ++q) {
    const TPiece& y = s.piece(1 - w, q);
    if (!y.EndP) sum += 50;
    if (y.OnBase) sum += 100;
  }
  return sum;
}

void ScoreGame(GameState& s, Presentation& ui, int w) {
  s.Score[w] = AddPoints(s.Score[w], int64_t{LoserPenalty(s, w)} + s.Bonus[w]);
  ui.ShowScores(s.Score[0], s.Score[1]);
  ui.SetBonusPanelVisible(false);
}

void AnnounceGame(GameState& s, Presentation& ui, bool humanWon) {
  if (s.SfxOn) ui.PlaySfx(humanWon ? Sound::WIN : Sound::LOSE);
  //: The prompt at a game's end.
  ui.ShowPrompt(humanWon ? QT_TRANSLATE_NOOP("vandrel::Game", "Game Over - You Win!")
                         : QT_TRANSLATE_NOOP("vandrel::Game", "Game Over - You Lose!"));
}

}  // namespace vandrel
