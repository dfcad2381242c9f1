// libFuzzer target for the saved-game loader: any bytes either decode into a
// position where every invariant holds, or are refused without touching the
// output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "control/savegame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vandrel::SavedGame out;
  out.Score = {123, 456};
  const vandrel::SavedGame before = out;
  const std::string err = vandrel::DecodeSavedGame(data, size, out);
  if (!err.empty()) {
    if (!(out == before)) std::abort();
    return 0;
  }
  vandrel::GameState s;
  s.Pieces = out.Pieces;
  if (!vandrel::CheckInvariants(s).empty() || out.GamesLeft > 10 ||
      out.GamesLeft < vandrel::kMinGamesLeft)
    std::abort();
  for (int t = 0; t < vandrel::kTeams; ++t)
    if (out.Score[t] < 0 || out.Bonus[t] < 0 || out.Score[t] > vandrel::kMaxPoints ||
        out.Bonus[t] > vandrel::kMaxPoints)
      std::abort();
  // A good file survives the round trip unchanged.
  const auto again = vandrel::EncodeSavedGame(out);
  for (size_t i = 0; i < again.size(); ++i)
    if (again[i] != data[i]) std::abort();
  return 0;
}
