// The whole game as one plain value: the piece table, the die, the scores,
// the move request, the candidate list and the turn flags.
//
// Coordinates: columns and rows are 0..7, row 0 at the top of the screen.
// Team 0 is the computer (blue, moves down the board), team 1 the human
// (green, moves up). Piece numbers are 1..6 and name the starting column.
//
//   row 0      team 1's end row          column 0  team 0's base column
//   row 1      team 0's start row        columns 1..6  play area
//   rows 2..5  play area                 column 7  team 1's base column
//   row 6      team 1's start row
//   row 7      team 0's end row
//
// Invariants after every completed move (checked by CheckInvariants):
//  - a piece with OnBase = 1 stands in its own base column, between its entry
//    row and its return row;
//  - a piece with OnBase = 0 stands in columns 1..6, or on its own return
//    square, and then OnReturn = 1;
//  - EndP, StartP and OnReturn agree with the piece's square;
//  - two pieces of one team share a square only in that team's base column;
//  - pieces of both teams never share a square.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vandrel {

constexpr int kTeams = 2;
constexpr int kPiecesPerTeam = 6;
constexpr int kComputer = 0;
constexpr int kHuman = 1;

constexpr int StartRowOf(int t) { return 5 * t + 1; }
constexpr int EndRowOf(int t) { return 7 - 7 * t; }
constexpr int BaseColOf(int t) { return 7 * t; }
// The square a taken piece is put on: (0, 6) for team 0, (7, 1) for team 1.
constexpr int EntryRowOf(int t) { return 6 - 5 * t; }
// The last square of the base walk, on the team's own start row.
constexpr int ReturnRowOf(int t) { return StartRowOf(t); }

// Scores and bonuses stay within what the panel shows and a saved game may
// hold, and games left above a generous bound below zero: the arithmetic on
// them saturates there and never overflows.
constexpr int32_t kMaxPoints = 99'999'999;
constexpr int32_t kMinGamesLeft = -1'000'000;
// The games a match may have, as the options offer them.
constexpr int kMinGamesPerMatch = 1;
constexpr int kMaxGamesPerMatch = 10;
constexpr int32_t AddPoints(int32_t points, int64_t add) {
  const int64_t sum = int64_t{points} + add;
  return static_cast<int32_t>(sum > kMaxPoints ? kMaxPoints : sum < 0 ? 0 : sum);
}

// One piece. Its saved form is a 36-byte little-endian record, which the
// saved-game file repeats twelve times:
//
//   offset  width  field
//    0      4      Col          signed
//    4      4      Row          signed
//    8      1      EndP         0 or 1
//    9      3      zero bytes
//   12      4      EndRow       7 for team 0, 0 for team 1
//   16      1      StartP       0 or 1
//   17      3      zero bytes
//   20      4      StartRow     1 for team 0, 6 for team 1
//   24      1      OnBase       0 or 1
//   25      1      OnReturn     0 or 1
//   26      2      zero bytes
//   28      4      BaseRow      always -1
//   32      4      BaseCol      0 for team 0, 7 for team 1
//
// The codec writes and reads these fields one by one; the in-memory layout
// of this struct is not the file's.
struct TPiece {
  int32_t Col = 0;
  int32_t Row = 0;
  uint8_t EndP = 0;
  int32_t EndRow = 0;
  uint8_t StartP = 0;
  int32_t StartRow = 0;
  uint8_t OnBase = 0;
  uint8_t OnReturn = 0;
  int32_t BaseRow = -1;
  int32_t BaseCol = 0;

  bool operator==(const TPiece&) const = default;
};
constexpr int kPieceRecordSize = 36;
// The piece table: [team][piece - 1].
using PieceTable = std::array<std::array<TPiece, kPiecesPerTeam>, kTeams>;

// One candidate move of the computer: four signed 32-bit integers.
struct TMoveEntry {
  int32_t Piece = 0;
  int32_t Col = 0;
  int32_t Row = 0;
  int32_t Score = 0;

  bool operator==(const TMoveEntry&) const = default;
};
constexpr int kMaxMoves = 150;

// What the human may do right now. Clicks that arrive while no action of
// the human is due (during the die's animation, the pauses, a move being
// carried out, the computer's turn, after the game) are ignored.
enum class HumanInput : uint8_t {
  Closed,      // nothing counts
  AwaitThrow,  // the die button throws; an own piece says "Click the Dice!"
  AwaitMove,   // select, target, right click, removal click
};

// How the computer plays: the classic player weighs one move ahead, the
// strong one searches over the dice. Chosen in the options dialog for the
// session; not part of the saved game.
enum class ComputerLevel : uint8_t { Classic, Strong };

struct GameState {
  // Piece table: Pieces[team][piece - 1]; use piece(t, p).
  std::array<std::array<TPiece, kPiecesPerTeam>, kTeams> Pieces{};

  int Dice = 0;
  std::array<int32_t, kTeams> Score{};
  std::array<int32_t, kTeams> Bonus{};
  int GamesPerMatch = 1;
  int32_t GamesLeft = 0;
  bool SfxOn = true;
  ComputerLevel Level = ComputerLevel::Classic;
  // The help at the board: the squares a selected piece may reach and the
  // computer's last move are marked (chosen in the options, not saved).
  bool ShowMoves = true;

  // The move request, held by the editors teamspin, piecespin, spin1, spin2.
  // Setting the team or the piece copies that piece's square into the target.
  int teamspin = 0;
  int piecespin = 1;
  int spin1 = 0;  // target column
  int spin2 = 0;  // target row

  // Candidate list of the computer's turn, rebuilt at every throw.
  std::array<TMoveEntry, kMaxMoves> Moves{};
  int MoveCount = 0;

  // Turn control.
  bool GameRunning = false;
  bool TurnBusy = false;
  bool ComputerNext = false;
  bool ComputerTurn = false;
  bool PieceSelected = false;
  bool LoadPending = false;
  HumanInput Input = HumanInput::Closed;
  bool MoveInProgress = false;  // a move request is being carried out
  int LoopDepth = 0;            // game loops running (never more than one)

  // Board coordinates of the cell that carries the selection frame.
  int SelX = 0;
  int SelY = 0;

  // Enabled state of the side panel's buttons that the game logic drives.
  bool DiceBtnEnabled = false;
  bool NewBtnEnabled = false;   // "Play Game"
  bool MatchBtnEnabled = true;  // "New Match"

  TPiece& piece(int t, int p) { return Pieces[t][p - 1]; }
  const TPiece& piece(int t, int p) const { return Pieces[t][p - 1]; }

  void SetTeam(int t);
  void SetPiece(int p);

  bool operator==(const GameState&) const = default;
};

// Empty string when every invariant holds, otherwise a description of the
// first one broken.
std::string CheckInvariants(const GameState& s);

}  // namespace vandrel
