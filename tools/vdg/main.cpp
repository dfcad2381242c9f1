// vandrel-vdg: a maintainer's look inside saved games.
//
//   vandrel-vdg show FILE    prints the saved game as one JSON object
//   vandrel-vdg check FILE   exits 0 for a file the game would load; else
//                            prints the game's reason and exits 1
#include <cstdio>
#include <cstring>
#include <string>

#include "control/savegame.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: vandrel-vdg show FILE\n       vandrel-vdg check FILE\n");
  return 2;
}

void PrintPiece(const vandrel::TPiece& x) {
  std::printf(
      "{\"col\":%d,\"row\":%d,\"endp\":%d,\"endrow\":%d,\"startp\":%d,\"startrow\":%d,"
      "\"onbase\":%d,\"onreturn\":%d,\"baserow\":%d,\"basecol\":%d}",
      x.Col, x.Row, x.EndP, x.EndRow, x.StartP, x.StartRow, x.OnBase, x.OnReturn, x.BaseRow,
      x.BaseCol);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  const std::string verb = argv[1];
  if (verb != "show" && verb != "check") return Usage();
  vandrel::SavedGame g;
  const std::string err = vandrel::ReadSavedGame(argv[2], g);
  if (!err.empty()) {
    std::printf("%s\n", err.c_str());
    return 1;
  }
  if (verb == "check") return 0;
  std::printf("{\"pieces\":[");
  for (int t = 0; t < vandrel::kTeams; ++t) {
    std::printf(t ? ",[" : "[");
    for (int p = 0; p < vandrel::kPiecesPerTeam; ++p) {
      if (p) std::printf(",");
      PrintPiece(g.Pieces[t][p]);
    }
    std::printf("]");
  }
  std::printf(
      "],\"score\":[%d,%d],\"bonus\":[%d,%d],\"games_left\":%d,\"new_match_enabled\":%d,"
      "\"play_game_enabled\":%d,\"sfx_on\":%d}\n",
      g.Score[0], g.Score[1], g.Bonus[0], g.Bonus[1], g.GamesLeft, g.NewMatchEnabled ? 1 : 0,
      g.PlayGameEnabled ? 1 : 0, g.SfxOn ? 1 : 0);
  return 0;
}
