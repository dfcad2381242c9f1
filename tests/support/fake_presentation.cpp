#include "tests/support/fake_presentation.h"

#include <algorithm>

namespace vandrel::testing {

namespace {

const char* ButtonName(Button b) {
  switch (b) {
    case Button::Dice:
      return "Dice";
    case Button::PlayGame:
      return "PlayGame";
    case Button::NewMatch:
      return "NewMatch";
    case Button::Load:
      return "Load";
  }
  return "";
}

}  // namespace

std::vector<std::string> FakePresentation::Calls(const std::string& prefix) const {
  std::vector<std::string> out;
  const std::string head = prefix + " ";
  for (const auto& c : calls) {
    if (c == prefix) out.push_back("");
    if (c.rfind(head, 0) == 0) out.push_back(c.substr(head.size()));
  }
  return out;
}

void FakePresentation::resetSprites(const GameState& s) {
  calls.push_back("reset-sprites");
  showScores(s.Score[0], s.Score[1]);
  setBoardEnabled(false);
}

void FakePresentation::setBoardEnabled(bool on) {
  boardEnabled = on;
  humanPiecesEnabled = on;
  calls.push_back(on ? "board 1" : "board 0");
}

void FakePresentation::setHumanPiecesEnabled(bool on) {
  humanPiecesEnabled = on;
  calls.push_back(on ? "humanpieces 1" : "humanpieces 0");
}

void FakePresentation::invertFrame(int x, int y) {
  // Inverting the same cell twice takes the frame away again.
  if (framesDrawn == 1 && frameX == x && frameY == y) {
    framesDrawn = 0;
    frameX = frameY = -1;
  } else {
    ++framesDrawn;
    frameX = x;
    frameY = y;
  }
  calls.push_back("frame " + std::to_string(x) + " " + std::to_string(y));
}

void FakePresentation::setButtonEnabled(Button b, bool on) {
  shown[static_cast<int>(b)] = on;
  calls.push_back(std::string("button ") + ButtonName(b) + (on ? " 1" : " 0"));
}

void FakePresentation::showTurnArrow(int team) { calls.push_back("arrow " + std::to_string(team)); }

void FakePresentation::setBonusPanelVisible(bool on) {
  bonusPanelVisible = on;
  calls.push_back(on ? "bonus-panel 1" : "bonus-panel 0");
}

void FakePresentation::showScores(int computer, int human) {
  calls.push_back("scores " + std::to_string(computer) + " " + std::to_string(human));
}

void FakePresentation::setSfxCaption(bool on) {
  calls.push_back(on ? "sfx-caption SFX On" : "sfx-caption SFX Off");
}

void FakePresentation::playSfx(Sound s) {
  calls.push_back(std::string("sound ") + SoundName(s));
  if (onWait) onWait(WaitKind::Sound);
}

void FakePresentation::showPrompt(std::string_view text) {
  calls.push_back("prompt " + std::string(text));
}

bool FakePresentation::askQuestion(std::string_view text) {
  calls.push_back("prompt " + std::string(text));
  if (answers.empty()) return false;
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

void FakePresentation::messageBox(std::string_view text) {
  calls.push_back("msgbox " + std::string(text));
}

void FakePresentation::errorBox(std::string_view text) {
  calls.push_back("error " + std::string(text));
}

int FakePresentation::showOptions(GameState& s) {
  calls.push_back("options");
  if (options.empty()) return kOptionsCancel;
  const Options o = options.front();
  options.pop_front();
  for (int i = 0; i < o.ups; ++i) s.GamesPerMatch = std::min(10, s.GamesPerMatch + 1);
  for (int i = 0; i < o.downs; ++i) s.GamesPerMatch = std::max(1, s.GamesPerMatch - 1);
  if (o.setBox) sfxBox = *o.setBox;
  if (!o.apply) return kOptionsCancel;
  s.SfxOn = sfxBox;
  if (o.level) s.Level = *o.level;
  return kOptionsApply;
}

std::optional<std::string> FakePresentation::askSaveFileName() {
  calls.push_back("save-dialog");
  if (saveNames.empty()) return std::nullopt;
  auto n = saveNames.front();
  saveNames.pop_front();
  return n;
}

std::optional<std::string> FakePresentation::askOpenFileName() {
  calls.push_back("open-dialog");
  if (openNames.empty()) return std::nullopt;
  auto n = openNames.front();
  openNames.pop_front();
  return n;
}

bool FakePresentation::processMessages() {
  calls.push_back("pump");
  return onWait ? onWait(WaitKind::Pump) : true;
}

bool FakePresentation::waitForEvent() { return onWait ? onWait(WaitKind::Event) : false; }

bool FakePresentation::waitUntil(int64_t deadlineMs) {
  calls.push_back("pause " + std::to_string(deadlineMs - clock));
  const bool goOn = onWait ? onWait(WaitKind::Deadline) : true;
  if (deadlineMs > clock) clock = deadlineMs;
  return goOn;
}

int FakePresentation::random(int n) {
  if (!randomValues.empty()) {
    const int v = randomValues.front();
    randomValues.pop_front();
    return v % n;
  }
  return std::uniform_int_distribution<int>(0, n - 1)(rng_);
}

// --- The scripted player -------------------------------------------------------

ScriptedPlayer::ScriptedPlayer(FakePresentation& ui, Game& game) : ui_(ui), game_(game) {
  ui_.onWait = [this](WaitKind k) { return OnWait(k); };
}

ScriptedPlayer& ScriptedPlayer::Push(Action a, bool soon) {
  script_.push_back({std::move(a), soon, {}});
  return *this;
}

ScriptedPlayer& ScriptedPlayer::When(std::function<bool(Game&)> when, Action a) {
  script_.push_back({std::move(a), true, std::move(when)});
  return *this;
}

bool ScriptedPlayer::OnWait(WaitKind k) {
  if (ui_.Quitting()) return false;
  const auto due = [&](const Step& st) {
    return st.when ? st.when(game_) : (st.soon || k == WaitKind::Event);
  };
  if (!script_.empty() && due(script_.front())) {
    Step step = std::move(script_.front());
    script_.pop_front();
    ++delivered;
    step.act(game_);
    return !ui_.Quitting();
  }
  if (k != WaitKind::Event) return true;
  if (autoplay && autoplay(game_)) return !ui_.Quitting();
  return false;  // nothing left to do: the program leaves
}

void ScriptedPlayer::Run() {
  // The top level is the program's own message loop: when the script is
  // done there, the test goes on; inside a game loop it means quitting.
  while (!ui_.Quitting() && OnWait(WaitKind::Event)) {
  }
}

ScriptedPlayer::Action ScriptedPlayer::NewMatch(FakePresentation::Options o) {
  return [o](Game& g) {
    auto& ui = static_cast<FakePresentation&>(g.ui());
    ui.options.push_back(o);
    g.MatchBtnClick();
  };
}

ScriptedPlayer::Action ScriptedPlayer::PlayGame() {
  return [](Game& g) {
    if (g.state().NewBtnEnabled) g.NewBtnClick();
  };
}

ScriptedPlayer::Action ScriptedPlayer::Throw() {
  return [](Game& g) {
    if (g.state().DiceBtnEnabled) g.DiceBtnClick();
  };
}

ScriptedPlayer::Action ScriptedPlayer::Select(int piece) {
  return [piece](Game& g) { g.pc1MouseDown(piece, MouseButton::Left); };
}

ScriptedPlayer::Action ScriptedPlayer::Click(int col, int row) {
  return [col, row](Game& g) { g.bgpicMouseDown(col * 70 + 35, row * 70 + 35, MouseButton::Left); };
}

ScriptedPlayer::Action ScriptedPlayer::RightClick(int col, int row) {
  return
      [col, row](Game& g) { g.bgpicMouseDown(col * 70 + 35, row * 70 + 35, MouseButton::Right); };
}

ScriptedPlayer::Action ScriptedPlayer::ClickComputerPiece(int piece) {
  return [piece](Game& g) { g.pc7MouseDown(piece, MouseButton::Left); };
}

ScriptedPlayer::Action ScriptedPlayer::Bye() {
  return [](Game& g) { g.SpeedButton1Click(); };
}

ScriptedPlayer::Action ScriptedPlayer::Save() {
  return [](Game& g) { g.SpeedButton4Click(); };
}

ScriptedPlayer::Action ScriptedPlayer::Load() {
  return [](Game& g) { g.LoadBtnClick(); };
}

}  // namespace vandrel::testing
