#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "control/board_help.h"
#include "control/game.h"
#include "rules/reach.h"
#include "tests/support/fake_presentation.h"
#include "tests/support/positions.h"
#include "tests/support/trace_log.h"

namespace vandrel {
namespace {

using testing::FakePresentation;
using testing::Position;
using Player = testing::ScriptedPlayer;

constexpr uint64_t Sq(int col, int row) { return SquareBit(col, row); }

// The computer's turn: pieces put on squares of the start position (team,
// piece, col, row) before it, then the pieces it moved and took.
TEST(BoardHelp, TheComputersMoveAsSquaresAndWords) {
  using Steps = std::vector<std::array<int, 4>>;
  const struct {
    const char* name;
    Steps before, turn;
    uint64_t squares;
    std::string said;
  } cases[] = {
      {"pass", {}, {}, 0, ""},
      {"move",
       {},
       {{0, 2, 2, 3}},
       Sq(2, 1) | Sq(2, 3),
       "I moved my piece from column 2, row 2 to column 2, row 4"},
      {"capture",
       {{1, 3, 2, 3}},
       {{0, 2, 2, 3}, {1, 3, 7, 1}},
       Sq(2, 1) | Sq(2, 3),
       "I moved my piece from column 2, row 2 to column 2, row 4 and took your piece there"},
      {"base walk",
       {{0, 4, 0, 6}},
       {{0, 4, 0, 3}},
       Sq(0, 6) | Sq(0, 3),
       "I moved my piece from the left Base column, row 7 to the left Base column, row 4"},
      {"removal",
       {{1, 1, 1, 0}},
       {{1, 1, 7, 1}},
       Sq(1, 0),
       "I sent back your piece on column 1, row 1"},
  };
  for (const auto& c : cases) {
    GameState s = Position(testing::kStartPicture);
    for (const auto& [t, p, col, row] : c.before) testing::Place(s, t, p, col, row);
    const PieceTable before = s.Pieces;
    for (const auto& [t, p, col, row] : c.turn) testing::Place(s, t, p, col, row);
    EXPECT_EQ(LastMoveSquares(before, s.Pieces), c.squares) << c.name;
    EXPECT_EQ(English(ComputerMoveSaid(before, s.Pieces)), c.said) << c.name;
  }
  const PieceTable start = Position(testing::kStartPicture).Pieces;
  EXPECT_EQ(English(HintSaid(start, {3, 3, 4}, 0)),
            "Hint: move your piece from column 3, row 7 to column 3, row 5");
  EXPECT_EQ(English(HintSaid(start, {0, 0, 0}, 5)),
            "Hint: send back the computer's piece on column 5, row 2");
}

// Squares in the rules text's numbers: the play area's corners and both
// base columns at their ends.
TEST(BoardHelp, SquaresInTheRulesNumbers) {
  const struct {
    int col, row;
    const char* said;
  } cases[] = {
      {1, 0, "column 1, row 1"},
      {6, 7, "column 6, row 8"},
      {0, 1, "the left Base column, row 2"},
      {0, 6, "the left Base column, row 7"},
      {7, 1, "the right Base column, row 2"},
      {7, 6, "the right Base column, row 7"},
  };
  for (const auto& c : cases) EXPECT_EQ(English(SquareOf(c.col, c.row)), c.said) << c.col << c.row;
}

TEST(BoardHelp, MarksFollowTheStateAndShowMoves) {
  GameState s = Position(testing::kStartPicture, 2);
  s.teamspin = kHuman;
  s.piecespin = 3;
  const struct {
    const char* name;
    bool showMoves;
    HumanInput input;
    bool selected;
    BoardMarks marks;
  } cases[] = {
      {"selected", true, HumanInput::AwaitMove, true, {Sq(3, 4) | Sq(2, 5) | Sq(4, 5), 0, 7}},
      {"nothing selected", true, HumanInput::AwaitMove, false, {0, 0, 7}},
      {"before the throw", true, HumanInput::AwaitThrow, true, {0, 0, 7}},
      {"help off", false, HumanInput::AwaitMove, true, {}},
  };
  for (const auto& c : cases) {
    s.ShowMoves = c.showMoves;
    s.Input = c.input;
    s.PieceSelected = c.selected;
    EXPECT_EQ(MarksFor(s, 7), c.marks) << c.name;
  }
}

bool HumanToThrow(Game& g) { return g.state().Input == HumanInput::AwaitThrow; }
bool HumanToMove(Game& g) { return g.state().Input == HumanInput::AwaitMove; }
bool ComputerTurn(Game& g) { return g.state().ComputerTurn; }
FakePresentation& Ui(Game& g) { return static_cast<FakePresentation&>(g.ui()); }
void ForceDie(Game& g, int v) {
  for (int i = 0; i < 20; ++i) Ui(g).randomValues.push_back(v);
}

// H during the human's turn: the hinted piece selected with its frame, the
// cursor on its target, the reachable squares marked; a click there plays
// it; the computer's move is marked and told until the human's next throw.
// With the help off nothing is marked, but the hint still works.
TEST(BoardHelp, HintThenMoveThenTheComputersMove) {
  for (bool showMoves : {true, false}) {
    FakePresentation ui;
    Game game(ui);
    Player player(ui, game);
    testing::TraceLog trace(ui);
    game.FormCreate();
    player.Then(Player::NewMatch())
        .Then(Player::PlayGame())
        .When(HumanToThrow,
              [showMoves](Game& g) {
                g.state().ShowMoves = showMoves;
                g.HintBtnClick();  // before the throw: nothing
                EXPECT_FALSE(g.state().PieceSelected);
                ForceDie(g, 3);
                g.DiceBtnClick();
              })
        .When(HumanToMove,
              [showMoves](Game& g) {
                FakePresentation& ui = Ui(g);
                g.pc1MouseDown(1, MouseButton::Left);  // dropped by the hint
                g.HintBtnClick();
                const GameState& s = g.state();
                const TPiece& x = s.piece(kHuman, s.piecespin);
                EXPECT_TRUE(s.PieceSelected);
                EXPECT_EQ(ui.framesDrawn, 1);
                EXPECT_EQ(ui.frameX, x.Col * 70);
                EXPECT_EQ(ui.frameY, x.Row * 70);
                const uint64_t target = Sq(ui.cursorCol, ui.cursorRow);
                EXPECT_EQ(ui.marks.reachable & target, showMoves ? target : 0);
                EXPECT_EQ(
                    ui.announced.back(),
                    English(HintSaid(s.Pieces, {s.piecespin, ui.cursorCol, ui.cursorRow}, 0)));
                g.bgpicMouseDown(ui.cursorCol * 70 + 35, ui.cursorRow * 70 + 35, MouseButton::Left);
                EXPECT_FALSE(g.state().PieceSelected);
                EXPECT_EQ(ui.marks, BoardMarks{});
              })
        .When(ComputerTurn, [](Game&) {})
        .When(HumanToThrow,
              [showMoves](Game& g) {
                FakePresentation& ui = Ui(g);
                EXPECT_EQ(ui.marks.lastMove != 0, showMoves);
                EXPECT_EQ(ui.announced.back().rfind("I moved my piece from ", 0), 0u);
                ForceDie(g, 2);
                g.DiceBtnClick();
                EXPECT_EQ(ui.marks.lastMove, 0u);
              })
        .When(HumanToMove, Player::Bye());
    player.Run();
    const std::vector<std::string> lines = trace.Lines();
    int hints = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].rfind("hint ", 0) != 0) continue;
      ++hints;
      ASSERT_LT(i + 1, lines.size());
      EXPECT_EQ(lines[i + 1], "move 1 " + lines[i].substr(5));
    }
    EXPECT_EQ(hints, 1) << showMoves;
  }
}

// The removal as the only choice: the hint puts the cursor on the computer's
// piece to click, which carries the ring.
TEST(BoardHelp, HintForTheRemoval) {
  FakePresentation ui;
  Game game(ui);
  testing::TraceLog trace(ui);
  game.state() = Position(
      ". A B C D . E ."
      ". a b c d e . ."
      ". . . . . . F ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . . ."
      ". . . . . . f .",
      6);
  game.state().SetTeam(kHuman);
  game.state().Input = HumanInput::AwaitMove;
  game.HintBtnClick();
  EXPECT_EQ(trace.Lines(), std::vector<std::string>{"hint remove 6"});
  EXPECT_EQ(ui.cursorCol, 6);
  EXPECT_EQ(ui.cursorRow, 7);
  EXPECT_EQ(ui.marks.removal, Sq(6, 7));
  EXPECT_FALSE(game.state().PieceSelected);
  EXPECT_EQ(ui.announced,
            std::vector<std::string>{"Hint: send back the computer's piece on column 6, row 8"});
}

}  // namespace
}  // namespace vandrel
