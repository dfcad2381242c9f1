// "Your record": the games and matches the player has played, won and lost
// against the computer, the best match score and the longest run of games
// won, with a way to start the record afresh.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

#include "control/player_record.h"

class QLabel;

namespace vandrel {

class Bevel;
class FlatButton;
class PromptDialog;

class RecordDialog : public QDialog {
  Q_OBJECT
 public:
  // The answer of a "Clear" the player confirmed.
  static constexpr int kClear = 2;

  // strip: the side panel's picture, stretched over the whole dialog, as in
  // the options dialog. confirm: the prompt that asks before the record is
  // cleared.
  RecordDialog(const QImage& strip, PromptDialog* confirm, QWidget* parent = nullptr);

  // Shows the record modally until "OK" (Return, Escape, the close box).
  // True when the player pressed "Clear" and answered "Yes": the caller
  // clears the record.
  bool Execute(const PlayerRecord& shown);
  // Writes the record's numbers into the rows.
  void ShowRecord(const PlayerRecord& shown);
  // The main window's layout scale, which the dialog takes whenever it is
  // shown (0, the default: none told; the dialog stays as it is built).
  void setLayoutScale(double factor) { layoutScale_ = factor; }

  QLabel* Heading = nullptr;
  Bevel* HeadingLine = nullptr;
  // The numbers, right-aligned, each beside its caption (the caption's
  // object name is the number's with "Caption" after it).
  QLabel* GamesPlayed = nullptr;
  QLabel* GamesWon = nullptr;
  QLabel* GamesLost = nullptr;
  QLabel* MatchesPlayed = nullptr;
  QLabel* MatchesWon = nullptr;
  QLabel* MatchesLost = nullptr;
  QLabel* MatchesDrawn = nullptr;
  QLabel* BestMatchScore = nullptr;
  QLabel* LongestRun = nullptr;
  FlatButton* ClearBtn = nullptr;
  FlatButton* OkBtn = nullptr;

 public slots:
  void ClearBtnClick();
  void OkBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage strip_;
  PromptDialog* confirm_;
  double layoutScale_ = 0.0;
};

}  // namespace vandrel
