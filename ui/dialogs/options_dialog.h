// The options dialog: games per match, the sound switch, the marks of the
// moves on the board and how the computer plays, before a match.
#pragma once

#include <QDialog>
#include <QImage>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace vandrel {

class FlatButton;

class OptionsDialog : public QDialog {
  Q_OBJECT
 public:
  // The answers of Execute.
  static constexpr int kApply = 1;
  static constexpr int kCancel = 2;

  // strip: the side panel's picture, stretched over the whole dialog.
  explicit OptionsDialog(const QImage& strip, QWidget* parent = nullptr);

  // Shows the dialog modally. The arrows write *gamesPerMatch at once (1..10);
  // Apply writes *sfxOn from the sound box, *showMoves from the "Show moves"
  // box and *strong from the computer's level. The "Show moves" box and the
  // level show *showMoves and *strong whenever the dialog opens; the sound
  // box keeps its own state. Gives kApply or kCancel (Cancel, the close box,
  // Escape, or the dialog closed from outside).
  int Execute(int* gamesPerMatch, bool* sfxOn, bool* strong = nullptr, bool* showMoves = nullptr);
  // The main window's layout scale, which the dialog takes whenever it is
  // shown (0, the default: none told; the dialog stays as it is built).
  void setLayoutScale(double factor) { layoutScale_ = factor; }

  QLabel* GamesCaption = nullptr;
  QLabel* GamesCount = nullptr;
  FlatButton* MoreGamesBtn = nullptr;
  FlatButton* FewerGamesBtn = nullptr;
  QCheckBox* SoundBox = nullptr;
  QLabel* SoundCaption = nullptr;
  QCheckBox* ShowMovesBox = nullptr;
  QLabel* ShowMovesCaption = nullptr;
  // The band below the check boxes: "Computer:", Classic or Strong, one of
  // the two chosen.
  QLabel* LevelCaption = nullptr;
  QRadioButton* ClassicChoice = nullptr;
  QRadioButton* StrongChoice = nullptr;
  FlatButton* CancelBtn = nullptr;
  FlatButton* ApplyBtn = nullptr;

 public slots:
  void MoreGamesBtnClick();
  void FewerGamesBtnClick();
  void ApplyBtnClick();
  void CancelBtnClick();
  void reject() override;

 protected:
  void FormShow();
  void FormPaint();
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  double layoutScale_ = 0.0;
  void ChangeGames(int step);

  QImage strip_;
  int* gamesPerMatch_ = nullptr;
  bool* sfxOn_ = nullptr;
  bool* strong_ = nullptr;
  bool* showMoves_ = nullptr;
};

}  // namespace vandrel
