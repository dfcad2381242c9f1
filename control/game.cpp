#include "control/game.h"

#include <utility>

#include "computer/computer.h"
#include "computer/strong.h"
#include "control/board_help.h"
#include "control/match_memory.h"
#include "control/savegame.h"
#include "rules/rules.h"
#include "rules/translation_marks.h"

namespace vandrel {

namespace {

constexpr int kCell = 70;
constexpr int kBoardPixels = 8 * kCell;
constexpr int kDieSteps = 20;
constexpr int kDieStepMs = 100;

}  // namespace

void Game::SetButton(Button b, bool on) {
  switch (b) {
    case Button::Dice:
      s_.DiceBtnEnabled = on;
      break;
    case Button::PlayGame:
      s_.NewBtnEnabled = on;
      break;
    case Button::NewMatch:
      s_.MatchBtnEnabled = on;
      break;
    case Button::Load:
      break;
  }
  ui_.SetButtonEnabled(b, on);
}

void Game::FormCreate() {
  ui_.Reseed();
  ResetPieces(s_, ui_);
  s_.Score = {0, 0};
  s_.Bonus = {0, 0};
  s_.SfxOn = true;
  ui_.SetSfxCaption(true);
  s_.GamesPerMatch = 1;
  s_.SetPiece(s_.piecespin);
  ui_.ShowMoveRequest(s_);
  SetButton(Button::PlayGame, false);
  SetButton(Button::NewMatch, true);
  SetButton(Button::Dice, false);
  SetButton(Button::Load, true);
}

// --- Games and turns ---------------------------------------------------------

void Game::NewBtnClick() {
  if (s_.LoopDepth > 0) {  // never two game loops at once
    QueueClick(Button::PlayGame);
    return;
  }
  PlayOneGame();
  while (queued_ != Queued::None && !ui_.Quitting()) {
    s_.LoadPending = std::exchange(queued_, Queued::None) == Queued::Load;
    PlayOneGame();
  }
}

void Game::QueueClick(Button b) {
  // While the game itself runs both buttons show disabled; the window does
  // not pass their clicks on, and a caller that does is ignored.
  if (s_.GameRunning || queued_ != Queued::None) return;
  if (b == Button::PlayGame && s_.NewBtnEnabled) queued_ = Queued::PlayGame;
  if (b == Button::Load) queued_ = Queued::Load;
}

void Game::PlayOneGame() {
  if (!s_.LoadPending && s_.GamesLeft < 1) {
    SetButton(Button::PlayGame, false);
    SetButton(Button::NewMatch, true);
    FinishMatch();
    return;
  }
  // Until the game ends "Play Game" and "Load" show disabled; "Play Game"
  // keeps the state the game sets (a loaded file's) for afterwards. The end
  // of the game releases them (CheckGameOver), and a click on them while
  // the loop winds down is queued.
  ++s_.LoopDepth;
  ui_.HoldGameButtons(true);
  ResetPieces(s_, ui_);
  s_.Bonus = {0, 0};
  s_.SetPiece(s_.piecespin);
  ui_.ShowMoveRequest(s_);
  ui_.UnlockBoard();
  s_.PieceSelected = false;
  ui_.ResetSprites(s_);
  ui_.RedrawPieces(s_);
  lastMove_ = 0;
  UpdateMarks();

  SetButton(Button::Dice, true);
  SetButton(Button::PlayGame, false);
  HumanBtnClick();

  s_.GameRunning = true;
  s_.TurnBusy = false;
  s_.Input = HumanInput::Closed;  // the human's turn proper begins in NextTurn
  s_.Dice = 0;
  ui_.ShowDie(0);
  ui_.SetBonusPanelVisible(true);

  if (s_.LoadPending) {
    s_.ComputerNext = false;
    LoadGame();
    s_.LoadPending = false;
    UpdateMarks();
    ui_.RedrawPieces(s_);
    ui_.SetSfxCaption(s_.SfxOn);
  }

  const int32_t gamesLeft = s_.GamesLeft;
  while (s_.GameRunning) {
    // A window that closes without "Bye!" ends the game too: from then on
    // every wait answers false at once, and no turn could begin.
    if (ui_.Quitting()) {
      s_.GameRunning = false;
    } else if (!s_.TurnBusy) {
      KeepUnfinishedMatch();
      NextTurn();
    } else if (!ui_.WaitForEvent()) {
      s_.GameRunning = false;
    }
  }
  --s_.LoopDepth;
  if (s_.GamesLeft > kMinGamesLeft) s_.GamesLeft -= 1;
  CountFinishedGame(gamesLeft);
  ui_.HoldGameButtons(false);
}

void Game::NextTurn() {
  if (s_.ComputerNext) {
    ui_.ProcessMessages();
    if (!Pause(ui_, 500)) return;
    SetButton(Button::Dice, false);
    s_.ComputerNext = false;
    ui_.Trace("turn 0");
    ComputaBtnClick();
    ui_.ProcessMessages();
    Pause(ui_, 300);
  } else {
    ui_.ProcessMessages();
    if (!Pause(ui_, 300)) return;
    s_.Dice = 0;
    s_.ComputerNext = true;
    ui_.Trace("turn 1");
    HumanBtnClick();
  }
}

void Game::HumanBtnClick() {
  ui_.UnlockBoard();
  ui_.ShowTurnArrow(kHuman);
  s_.TurnBusy = true;
  s_.SetTeam(kHuman);
  ui_.ShowMoveRequest(s_);
  SetButton(Button::Dice, true);
  s_.Input = HumanInput::AwaitThrow;
}

void Game::ComputaBtnClick() {
  ui_.LockBoard();
  ui_.ShowTurnArrow(kComputer);
  s_.TurnBusy = true;
  s_.ComputerTurn = true;
  s_.Input = HumanInput::Closed;
  s_.SetTeam(kComputer);
  ui_.ShowMoveRequest(s_);
  DiceBtnClick();
  ui_.SetDieEnabled(false);
  const PieceTable before = s_.Pieces;
  if (!ui_.Quitting()) {
    if (s_.Level == ComputerLevel::Strong) {
      StrongComputerChoice(s_, ui_);
    } else {
      ComputerChoice(s_, ui_);
    }
  }
  lastMove_ = LastMoveSquares(before, s_.Pieces);
  UpdateMarks();
  ui_.Announce(ComputerMoveSaid(before, s_.Pieces));
  ui_.RedrawPieces(s_);
  ui_.ProcessMessages();
  s_.PieceSelected = false;
  s_.ComputerTurn = false;
  s_.TurnBusy = false;
}

int Game::RollDie() {
  do {
    s_.Dice = ui_.Random(7);
    ui_.SetDieEnabled(true);
  } while (s_.Dice < 1);
  return s_.Dice;
}

void Game::DiceBtnClick() {
  if (!s_.ComputerTurn) {
    // The human's click counts once, and only while the throw is due.
    if (s_.Input != HumanInput::AwaitThrow || !s_.DiceBtnEnabled) return;
    s_.Input = HumanInput::Closed;
    lastMove_ = 0;  // the computer's last move is marked until the human throws
    UpdateMarks();
  }
  ui_.Reseed();
  if (s_.SfxOn) ui_.PlaySfx(Sound::DICE);
  ui_.ProcessMessages();
  for (int i = 0; i < kDieSteps; ++i) {
    RollDie();
    ui_.ShowDie(s_.Dice);
    if (!Pause(ui_, kDieStepMs)) return;
  }
  if (!s_.ComputerTurn) ui_.SetDieEnabled(true);
  ui_.ProcessMessages();
  SetButton(Button::Dice, false);
  ClearMoveList(s_);
  ui_.Trace("throw %d", s_.Dice);

  const int t = s_.teamspin;
  if (CountMoveOptions(s_, ui_, t, RecordCandidate) == 0) {
    ui_.Trace("pass %d", t);
    //: The prompt when the die gives the side to move no move; "I" is the computer.
    ui_.ShowPrompt(t == kComputer ? QT_TRANSLATE_NOOP("vandrel::Game", "I can't move!")
                                  : QT_TRANSLATE_NOOP("vandrel::Game", "You can't move!"));
    s_.TurnBusy = false;
    return;
  }
  if (!s_.ComputerTurn && s_.GameRunning) s_.Input = HumanInput::AwaitMove;
  UpdateMarks();
}

// --- The human's mouse -------------------------------------------------------

void Game::pc1MouseDown(int piece, MouseButton b) {
  if (piece < 1 || piece > kPiecesPerTeam) return;
  if (s_.Input == HumanInput::AwaitThrow) {
    ShowBadMove(s_, ui_, false);  // "Click the Dice!"
    return;
  }
  if (s_.Input != HumanInput::AwaitMove) return;
  const TPiece& x = s_.piece(kHuman, piece);
  if (s_.PieceSelected) {
    // The own images are disabled while a piece is selected: the click falls
    // through to the board, on that piece's square.
    BoardClick(x.Col, x.Row, b);
    return;
  }
  s_.SelX = x.Col * kCell;
  s_.SelY = x.Row * kCell;
  ui_.InvertFrame(s_.SelX, s_.SelY);
  s_.PieceSelected = true;
  s_.SetPiece(piece);
  ui_.ShowMoveRequest(s_);
  ui_.SetHumanPiecesEnabled(false);
  UpdateMarks();
}

void Game::bgpicMouseMove(int x, int y) {
  if (!s_.PieceSelected || s_.Input != HumanInput::AwaitMove) return;
  if (x < 0 || y < 0 || x >= kBoardPixels || y >= kBoardPixels) return;
  ui_.InvertFrame(s_.SelX, s_.SelY);
  s_.SelX = x / kCell * kCell;
  s_.SelY = y / kCell * kCell;
  ui_.InvertFrame(s_.SelX, s_.SelY);
}

void Game::bgpicMouseDown(int x, int y, MouseButton b) {
  if (x < 0 || y < 0 || x >= kBoardPixels || y >= kBoardPixels) return;
  BoardClick(x / kCell, y / kCell, b);
}

void Game::BoardClick(int col, int row, MouseButton b) {
  if (s_.Input == HumanInput::AwaitMove && s_.PieceSelected) {
    if (b == MouseButton::Right) {
      DropSelection();
      UpdateMarks();
    } else {
      ui_.InvertFrame(s_.SelX, s_.SelY);
      s_.spin1 = col;
      s_.spin2 = row;
      ui_.ShowMoveRequest(s_);
      s_.Input = HumanInput::Closed;
      UpdateMarks();
      MoveBtnClick(s_, ui_);
      // A refused target keeps the selection: the human may try again.
      if (s_.PieceSelected && s_.TurnBusy && s_.GameRunning) s_.Input = HumanInput::AwaitMove;
      UpdateMarks();
    }
  }
  ui_.ProcessMessages();
}

void Game::pc7MouseDown(int piece, MouseButton b) {
  if (piece < 1 || piece > kPiecesPerTeam) return;
  if (s_.Input != HumanInput::AwaitMove) return;
  if (s_.PieceSelected) {
    const TPiece& x = s_.piece(kComputer, piece);
    BoardClick(x.Col, x.Row, b);
    return;
  }
  // The removal option: the die alone names the piece sent back.
  const int r = RemovalTarget(s_, kHuman, s_.Dice);
  if (s_.Dice < 1 || r == 0) return;
  s_.Input = HumanInput::Closed;
  UpdateMarks();
  TakeFromEndRow(s_, ui_, kComputer, r);
  ui_.RedrawPieces(s_);
  s_.PieceSelected = false;
  s_.ComputerTurn = false;
  s_.TurnBusy = false;
}

// --- Matches -----------------------------------------------------------------

void Game::MatchBtnClick() {
  if (!s_.MatchBtnEnabled) return;
  if (ui_.ShowOptions(s_) != kOptionsApply) return;
  ui_.SetSfxCaption(s_.SfxOn);
  s_.GamesLeft = s_.GamesPerMatch;
  SetButton(Button::PlayGame, true);
  SetButton(Button::NewMatch, false);
  s_.Score = {0, 0};
}

void Game::FinishMatch() {
  if (s_.Score[0] < s_.Score[1]) {
    AnnounceMatch(true);
  } else if (s_.Score[1] < s_.Score[0]) {
    AnnounceMatch(false);
  } else {
    if (s_.SfxOn) ui_.PlaySfx(Sound::WIN);
    ui_.ShowPrompt(QT_TRANSLATE_NOOP("vandrel::Game", "Game Over - It's a Draw!"));
  }
  SetButton(Button::NewMatch, true);
}

void Game::AnnounceMatch(bool humanWon) {
  if (s_.SfxOn) ui_.PlaySfx(humanWon ? Sound::WIN : Sound::LOSE);
  //: The prompt at a match's end.
  ui_.ShowPrompt(humanWon ? QT_TRANSLATE_NOOP("vandrel::Game", "Match Over - You Win!")
                          : QT_TRANSLATE_NOOP("vandrel::Game", "Match Over - You Lose!"));
}

void Game::sfxBtnClick() {
  s_.SfxOn = !s_.SfxOn;
  ui_.SetSfxCaption(s_.SfxOn);
}

void Game::SpeedButton1Click() {
  s_.GameRunning = false;
  s_.Input = HumanInput::Closed;
  ui_.Quit();
}

// --- What the game keeps between runs ------------------------------------------------

void Game::KeepUnfinishedMatch() {
  if (memory_ == nullptr || s_.MoveInProgress) return;
  SavedGame g = SavedGameOf(s_);
  g.NewMatchEnabled = s_.MatchBtnEnabled;
  g.PlayGameEnabled = s_.NewBtnEnabled;
  memory_->KeepUnfinished(g);
}

void Game::CountFinishedGame(int32_t gamesLeft) {
  if (memory_ == nullptr) return;
  const bool humanWon = AllAtEndRow(s_, kHuman);
  if (!humanWon && !AllAtEndRow(s_, kComputer)) return;  // left unfinished
  memory_->CountGame(humanWon);
  if (gamesLeft == 1) {
    // The last game of the match: its totals are final.
    memory_->CountMatch(s_.Score[kHuman], s_.Score[kComputer]);
    memory_->ForgetUnfinished();
  } else if (gamesLeft > 1) {
    // Between two games the match waits for "Play Game", which starts the
    // next one from the start squares: that is what is kept.
    GameState next = s_;
    SilentPresentation quiet;
    ResetPieces(next, quiet);
    next.Bonus = {0, 0};
    SavedGame g = SavedGameOf(next);
    g.NewMatchEnabled = s_.MatchBtnEnabled;
    g.PlayGameEnabled = true;
    memory_->KeepUnfinished(g);
  } else {
    memory_->ForgetUnfinished();  // a game outside a match
  }
}

void Game::OfferUnfinishedMatch() {
  if (memory_ == nullptr || s_.LoopDepth > 0) return;
  SavedGame g;
  if (!memory_->FindUnfinished(g)) return;
  //: The prompt's question at start-up, answered "Yes" or "No": the match an
  //: earlier run left unfinished.
  if (ui_.AskQuestion(QT_TRANSLATE_NOOP("vandrel::Game", "Continue your unfinished match?"))) {
    LoadBtnClick(memory_->paths().unfinished);
  } else if (!ui_.Quitting()) {
    memory_->ForgetUnfinished();
  }
}

// --- Saving and loading --------------------------------------------------------

bool Game::CanSave() const { return !s_.MoveInProgress; }

void Game::SpeedButton4Click() {
  if (!CanSave()) return;
  SaveGame();
}

void Game::LoadBtnClick() {
  if (s_.LoopDepth > 0) {  // never two game loops at once
    QueueClick(Button::Load);
    return;
  }
  s_.LoadPending = true;
  NewBtnClick();
}

void Game::LoadBtnClick(const std::string& path) {
  chosenFile_ = path;
  LoadBtnClick();
  chosenFile_.reset();
}

bool Game::SaveGame() {
  const bool playGame = s_.NewBtnEnabled;
  const bool newMatch = s_.MatchBtnEnabled;
  const auto name = ui_.AskSaveFileName();
  if (!name) return false;
  SavedGame g = SavedGameOf(s_);
  g.NewMatchEnabled = newMatch;
  g.PlayGameEnabled = playGame;
  const std::string err = WriteSavedGame(*name, g);
  if (!err.empty()) {
    ui_.ErrorBox(err);
    return false;
  }
  return true;
}

bool Game::LoadGame() {
  std::optional<std::string> name;
  if (chosenFile_) {
    name.swap(chosenFile_);
  } else {
    name = ui_.AskOpenFileName();
  }
  if (!name) return false;
  SavedGame g;
  const std::string err = ReadSavedGame(*name, g);
  if (!err.empty()) {
    ui_.ErrorBox(err);
    return false;
  }
  ApplySavedGame(g, s_);
  ui_.Trace("loaded");
  SetButton(Button::PlayGame, g.PlayGameEnabled);
  SetButton(Button::NewMatch, g.NewMatchEnabled);
  return true;
}

}  // namespace vandrel
