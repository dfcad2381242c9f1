// The prompt: the small borderless window that carries every message of the
// game, and the game's other message boxes and file dialogs.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <string>

class QLabel;

namespace vandrel {

class FlatButton;

class PromptDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PromptDialog(QWidget* parent = nullptr);

  // Shows the text and waits until "OK" is pressed or the prompt is closed.
  void ShowMessage(const QString& text);
  // Shows a question with "Yes" and "No" and waits for the answer: true for
  // "Yes" (Return, Enter, Space), false for "No" (Escape, the prompt closed).
  bool AskQuestion(const QString& text);
  // The main window's layout scale, which the dialog takes whenever it is
  // shown (0, the default: none told; the dialog stays as it is built).
  void setLayoutScale(double factor) { layoutScale_ = factor; }

  QLabel* Picture = nullptr;
  QLabel* Message = nullptr;
  FlatButton* OkBtn = nullptr;  // "OK", or "Yes" for a question
  FlatButton* NoBtn = nullptr;  // shown for a question only

 public slots:
  void OkBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Lays the buttons out for a message (OK) or a question (Yes, No).
  void SetQuestion(bool question);
  // Puts OkBtn where "OK" or "Yes" stands, at the dialog's scale.
  void PlaceOkBtn();

  double layoutScale_ = 0.0;
  bool question_ = false;
};

// The boxes and file dialogs below are owned by `parent` and scaled by the
// main window's `layoutScale` (0: none told).

// A plain box titled "Vandrel" with no icon and one OK ("Wrong direction").
void ShowPlainMessage(QWidget* parent, const QString& text, double layoutScale);

// An error box titled "Vandrel" with one OK (a file could not be saved or loaded).
void ShowErrorMessage(QWidget* parent, const QString& text, double layoutScale);

// Both file dialogs open in `folder` (empty: the working folder).
// The "Save Game" dialog. Gives the chosen path, or nothing when cancelled.
// A name typed without an extension gets ".VDG"; an existing file is replaced
// without asking.
std::optional<std::string> AskSaveGameFile(QWidget* parent, const QString& folder,
                                           double layoutScale);

// The open dialog for a saved game; only existing files can be chosen. A name
// typed without an extension gets ".vdg".
std::optional<std::string> AskLoadGameFile(QWidget* parent, const QString& folder,
                                           double layoutScale);

}  // namespace vandrel
