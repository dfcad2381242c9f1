#include "computer/computer.h"

#include <cstring>
#include <type_traits>

#include "rules/rules.h"

namespace vandrel {

void ClearMoveList(GameState& s) {
  // Four zero integers a record: one block of zero bytes, at every throw.
  static_assert(std::is_trivially_copyable_v<TMoveEntry>);
  std::memset(static_cast<void*>(s.Moves.data()), 0, sizeof s.Moves);
  s.MoveCount = 0;
}

int GuardScore(const GameState& s, int t, int col, int row) {
  // A piece on the computer's start row closes the human's end-row square in
  // front of it, which is worth something only while that square is empty.
  if (row != StartRowOf(0)) return 0;
  for (int q = 1; q <= kPiecesPerTeam; ++q) {
    const TPiece& y = s.piece(1 - t, q);
    if (y.EndP && y.Col == col) return 0;
  }
  return 3;
}

int EndRowScore(int row) { return row == 0 || row == 7 ? 1 : 0; }

int CaptureScore(const GameState& s, int t, int col, int row) {
  return PieceAt(s, t, col, row) != 0 ? 4 : 0;
}

void RecordCandidate(GameState& s, int piece, int col, int row) {
  if (s.MoveCount >= kMaxMoves) return;  // cannot happen: at most 14 per piece
  constexpr int t = kComputer;
  TMoveEntry& e = s.Moves[s.MoveCount++];
  e.Piece = piece;
  e.Col = col;
  e.Row = row;
  if (s.piece(t, piece).OnBase) {
    e.Score = row == ReturnRowOf(t) ? kBaseReturnScore : kBaseWalkScore;
  } else {
    e.Score = GuardScore(s, t, col, row) + EndRowScore(row) + CaptureScore(s, t, col, row);
  }
}

int PickBestMove(GameState& s, Presentation& ui) {
  ui.ShowCandidates(s);
  int best = -1, bestScore = 0;
  for (int i = 0; i < s.MoveCount; ++i) {
    if (s.Moves[i].Score > bestScore) {
      best = i;
      bestScore = s.Moves[i].Score;
    }
  }
  return best;
}

void PlayRemoval(GameState& s, Presentation& ui) {
  TakeFromEndRow(s, ui, kHuman, RemovalTarget(s, kComputer, s.Dice));
  ui.RedrawPieces(s);
}

void PlayCandidate(GameState& s, Presentation& ui, int piece, int col, int row) {
  s.SetPiece(piece);
  s.spin1 = col;
  s.spin2 = row;
  ui.ShowMoveRequest(s);
  MoveBtnClick(s, ui);
}

void ComputerChoice(GameState& s, Presentation& ui) {
  if (RemovalTarget(s, kComputer, s.Dice) > 0) {
    PlayRemoval(s, ui);
    return;
  }
  if (s.MoveCount == 0) return;  // "I can't move!" has been shown
  int i = PickBestMove(s, ui);
  if (i == -1) i = ui.Random(s.MoveCount);
  const TMoveEntry& e = s.Moves[i];
  PlayCandidate(s, ui, e.Piece, e.Col, e.Row);
}

}  // namespace vandrel
