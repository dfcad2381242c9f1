// vandrel-vdg: a maintainer's look inside saved games.
//
//   vandrel-vdg show FILE    prints the saved game as one JSON object
//   vandrel-vdg check FILE   exits 0 for a file the game would load
//
// A file the game would refuse is reported on standard error as
// "vandrel-vdg: FILE: reason", with exit status 1; standard output then
// stays empty. Bad usage exits with 2.
#include <cstdio>
#include <cstring>
#include <string>

#include "control/savegame.h"

namespace {

constexpr const char* kUsage =
    "usage: vandrel-vdg show FILE    print the saved game as JSON\n"
    "       vandrel-vdg check FILE   exit 0 if the game would load FILE\n"
    "A refused file is reported on standard error (exit status 1).\n";

int Usage() {
  std::fputs(kUsage, stderr);
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
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc != 3) return Usage();
  const std::string verb = argv[1];
  if (verb != "show" && verb != "check") return Usage();
  vandrel::SavedGame g;
  const std::string err = vandrel::ReadSavedGame(argv[2], g);
  if (!err.empty()) {
    std::fprintf(stderr, "vandrel-vdg: %s: %s\n", argv[2], err.c_str());
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
