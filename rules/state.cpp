#include "rules/state.h"

#include <cstdio>

namespace vandrel {

void GameState::SetTeam(int t) {
  teamspin = t;
  spin1 = piece(teamspin, piecespin).Col;
  spin2 = piece(teamspin, piecespin).Row;
}

void GameState::SetPiece(int p) {
  piecespin = p;
  spin1 = piece(teamspin, piecespin).Col;
  spin2 = piece(teamspin, piecespin).Row;
}

namespace {

std::string Broken(int t, int p, const char* what) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "team %d piece %d: %s", t, p, what);
  return buf;
}

}  // namespace

std::string CheckInvariants(const GameState& s) {
  for (int t = 0; t < kTeams; ++t) {
    for (int p = 1; p <= kPiecesPerTeam; ++p) {
      const TPiece& x = s.piece(t, p);
      if (x.Col < 0 || x.Col > 7 || x.Row < 0 || x.Row > 7) return Broken(t, p, "off the board");
      if (x.EndRow != EndRowOf(t) || x.StartRow != StartRowOf(t) || x.BaseRow != -1 ||
          x.BaseCol != BaseColOf(t))
        return Broken(t, p, "team constants wrong");
      if (x.EndP > 1 || x.StartP > 1 || x.OnBase > 1 || x.OnReturn > 1)
        return Broken(t, p, "flag is not 0 or 1");
      if (x.EndP != (x.Row == x.EndRow)) return Broken(t, p, "EndP disagrees with the row");
      if (x.StartP != (x.Row == x.StartRow)) return Broken(t, p, "StartP disagrees with the row");
      const bool onReturnSquare = x.Col == BaseColOf(t) && x.Row == ReturnRowOf(t);
      if (x.OnReturn != onReturnSquare) return Broken(t, p, "OnReturn disagrees with the square");
      if (x.OnBase) {
        const int lo = t == 0 ? ReturnRowOf(0) + 1 : EntryRowOf(1);
        const int hi = t == 0 ? EntryRowOf(0) : ReturnRowOf(1) - 1;
        if (x.Col != BaseColOf(t) || x.Row < lo || x.Row > hi)
          return Broken(t, p, "base piece outside its base walk");
      } else if ((x.Col < 1 || x.Col > 6) && !onReturnSquare) {
        return Broken(t, p, "outside the play area");
      }
      for (int q = p + 1; q <= kPiecesPerTeam; ++q) {
        const TPiece& y = s.piece(t, q);
        if (x.Col == y.Col && x.Row == y.Row && x.Col != BaseColOf(t))
          return Broken(t, p, "shares a square with a piece of its own team");
      }
      if (t == 0) {
        for (int q = 1; q <= kPiecesPerTeam; ++q) {
          const TPiece& y = s.piece(1, q);
          if (x.Col == y.Col && x.Row == y.Row)
            return Broken(t, p, "shares a square with an opponent");
        }
      }
    }
  }
  return {};
}

}  // namespace vandrel
