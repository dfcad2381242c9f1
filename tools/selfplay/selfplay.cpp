#include "tools/selfplay/selfplay.h"

#include <chrono>
#include <vector>

#include "control/game.h"
#include "rules/rules.h"
#include "tools/selfplay/players.h"

namespace vandrel {

namespace {

// Thinking times in steps of a microsecond up to 200 ms (longer ones count
// as 200 ms), for the median.
class TimeHistogram {
 public:
  void Add(double ms) {
    const auto us = static_cast<size_t>(ms * 1000);
    ++counts_[us < counts_.size() ? us : counts_.size() - 1];
    ++total_;
  }
  double MedianMs() const {
    int64_t seen = 0;
    for (size_t us = 0; us < counts_.size(); ++us)
      if ((seen += counts_[us]) * 2 >= total_ && total_ > 0) return static_cast<double>(us) / 1000;
    return 0;
  }

 private:
  std::vector<uint32_t> counts_ = std::vector<uint32_t>(200000);
  int64_t total_ = 0;
};

// Shows nothing; checks the position at the start of every turn, when the
// previous move is complete; lets the stand-in human act when the game
// waits. The computer thinks from the end of its throw (its die greyed) to
// the first sign of its choice: the candidate grid, the move request or the
// removal's first step.
class SelfPlayPresentation : public SilentPresentation {
 public:
  SelfPlayPresentation(uint64_t seed, Policy human, SelfPlayResult& r)
      : SilentPresentation(seed), human_(seed * 7919 + 1, human), r_(r) {}
  TimeHistogram thinking;
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
  void setDieEnabled(bool on) override {
    if (!on && game->state().ComputerTurn) {
      thinkingSince_ = std::chrono::steady_clock::now();
      isThinking_ = true;
    }
  }
  void showCandidates(const GameState&) override { Decided(); }
  void showMoveRequest(const GameState&) override { Decided(); }
  void setGridCell(int, int, char) override { Decided(); }
  void redrawPieces(const GameState&) override { isThinking_ = false; }  // a pass
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
  void Decided() {
    if (!isThinking_) return;
    isThinking_ = false;
    thinking.Add(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                           thinkingSince_)
                     .count());
  }

  RandomHuman human_;
  SelfPlayResult& r_;
  bool isThinking_ = false;
  std::chrono::steady_clock::time_point thinkingSince_;
};

}  // namespace

SelfPlayResult RunSelfPlay(int games, uint64_t seed, std::FILE* trace) {
  SelfPlayOptions o;
  o.games = games;
  o.seed = seed;
  o.trace = trace;
  return RunSelfPlay(o);
}

SelfPlayResult RunSelfPlay(const SelfPlayOptions& o) {
  const int games = o.games;
  SelfPlayResult r;
  SelfPlayPresentation ui(o.seed, o.human, r);
  ui.SetTraceStream(o.trace);
  Game game(ui);
  ui.game = &game;
  GameState& s = game.state();
  s.SfxOn = false;
  game.FormCreate();
  s.SfxOn = false;  // nothing to hear; the sounds take no time here anyway
  s.Level = o.computer;

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
  r.msPerMove = ui.thinking.MedianMs();
  return r;
}

}  // namespace vandrel
