// The main window's controls: the board with its piece images, the side
// panel and the rules viewer, with the two things of the window the keys and
// the accessibility names need besides (closing the rules, the game's state).
// The window builds it (ui/window/window_builder.h) and hands it to the keys
// and the names, so neither needs the window itself.
#pragma once

#include <array>
#include <functional>

#include "rules/state.h"

class QLabel;
class QTextEdit;
class QWidget;

namespace vandrel {

class Bevel;
class BoardView;
class ColumnCaption;
class DieDisplay;
class FlatButton;
class PictureFill;
class PieceImage;
class TurnArrow;

struct WindowControls {
  // The top-level window: the keys are bound to it.
  QWidget* window = nullptr;

  // --- The board --------------------------------------------------------------------
  BoardView* board = nullptr;
  // [1..6]: the computer's pieces 1..6; [7..12]: the human's pieces 1..6.
  std::array<PieceImage*, 13> pieces{};
  // [1..6]: how many pieces stand on row 1..6 of the computer's base column
  // (left) and of the human's (right), shown from two up.
  std::array<QLabel*, 7> leftStackHeights{};
  std::array<QLabel*, 7> rightStackHeights{};
  ColumnCaption* topColumnNumbers = nullptr;     // 6 to 1, as the computer counts
  ColumnCaption* bottomColumnNumbers = nullptr;  // 1 to 6, as the human counts
  QTextEdit* rulesViewer = nullptr;              // over the board while shown

  // --- The side panel, from top to bottom -------------------------------------------
  PictureFill* sidePanel = nullptr;
  QLabel* scoreCaption = nullptr;  // "Score"
  Bevel* scoreTopLine = nullptr;
  TurnArrow* humanTurnArrow = nullptr;
  QLabel* humanScoreCaption = nullptr;  // "You"
  QLabel* humanMatchScore = nullptr;
  Bevel* scoreMiddleLine = nullptr;
  TurnArrow* computerTurnArrow = nullptr;
  QLabel* computerScoreCaption = nullptr;  // "Me"
  QLabel* computerMatchScore = nullptr;
  Bevel* scoreBottomLine = nullptr;
  // "Bonus Points", over the score rows while a game runs.
  QWidget* bonusPanel = nullptr;
  QLabel* humanBonusCaption = nullptr;  // "You"
  QLabel* humanBonus = nullptr;
  QLabel* computerBonusCaption = nullptr;  // "Me"
  QLabel* computerBonus = nullptr;
  FlatButton* rulesButton = nullptr;  // "Rules"
  FlatButton* aboutButton = nullptr;  // "?"
  FlatButton* diceButton = nullptr;   // "Throw Dice"
  DieDisplay* die = nullptr;
  FlatButton* playGameButton = nullptr;  // "Play Game"
  FlatButton* soundButton = nullptr;     // "SFX On" / "SFX Off"
  FlatButton* saveButton = nullptr;
  FlatButton* loadButton = nullptr;
  FlatButton* newMatchButton = nullptr;
  FlatButton* byeButton = nullptr;

  // --- What the window does for them ------------------------------------------------
  // A click on the rules: they close.
  std::function<void()> closeRules;
  // The game as it stands.
  std::function<const GameState&()> gameState;
};

}  // namespace vandrel
