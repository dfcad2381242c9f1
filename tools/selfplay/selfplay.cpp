#include "tools/selfplay/selfplay.h"

#include <chrono>

#include "control/game.h"
#include "rules/rules.h"
#include "tools/selfplay/players.h"

namespace vandrel {

namespace {

// Shows nothing; checks the position at the start of every turn, when the
// previous move is complete; lets the random human act when the game waits.
class SelfPlayPresentation : public SilentPresentation {
 public:
  SelfPlayPresentation(uint64_t seed, SelfPlayResult& r)
      : SilentPresentation(seed), human_(seed * 7919 + 1), r_(r) {}
  Game* game = nullptr;
  int lastTeam = -1;
  bool alternated = true;

  void Violation(const std::string& what) {
    if (r_.violations++ == 0) r_.firstViolation = what;
  }

 protected:
  void showTurnArrow(int team) override {
    // "Play Game" prepares a human turn before the loop starts; the turns
    // proper begin once the game runs.
    if (!game->state().GameRunning) return;
    ++r_.turns;
    if (team == lastTeam) alternated = false;
    lastTeam = team;
    const std::string broken = CheckInvariants(game->state());
    if (!broken.empty()) Violation(broken);
  }
  bool waitForEvent() override {
    // The game loop waits only for the human; a human with nothing to do
    // here would hang a real game.
    if (!human_(*game)) {
      Violation("the game waited for a human who had nothing to do");
      return false;
    }
    return true;
  }

 private:
  RandomHuman human_;
  SelfPlayResult& r_;
};

}  // namespace

SelfPlayResult RunSelfPlay(int games, uint64_t seed, std::FILE* trace) {
  SelfPlayResult r;
  SelfPlayPresentation ui(seed, r);
  ui.SetTraceStream(trace);
  Game game(ui);
  ui.game = &game;
  GameState& s = game.state();
  s.SfxOn = false;
  game.FormCreate();
  s.SfxOn = false;  // nothing to hear; the sounds take no time here anyway

  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < games && !ui.Quitting(); ++i) {
    s.GamesLeft = 1;
    s.NewBtnEnabled = true;
    const auto before = s.Score;
    ui.alternated = true;
    game.NewBtnClick();
    ++r.games;

    const bool w0 = AllAtEndRow(s, 0), w1 = AllAtEndRow(s, 1);
    if (w0 == w1) {
      ui.Violation("a game ended without exactly one winner");
      continue;
    }
    const int w = w1 ? 1 : 0;
    (w == 1 ? r.humanWins : r.computerWins) += 1;
    const int expected = LoserPenalty(s, w) + s.Bonus[w];
    if (s.Score[w] - before[w] != expected || s.Score[1 - w] != before[1 - w])
      ui.Violation("the winner's score is not the game's points");
    if (!ui.alternated) ui.Violation("turns did not alternate");
    const std::string broken = CheckInvariants(s);
    if (!broken.empty()) ui.Violation(broken);
  }
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return r;
}

}  // namespace vandrel
