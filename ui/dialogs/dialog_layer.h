// The main window's way to its modal dialogs: the prompt, the options
// dialog, the about box, the two message boxes and the file dialogs.
//
// The window talks to this small interface so that the widget tests can put
// a recording stand-in in place of the real dialogs, whose modal loops would
// wait for a person.
#pragma once

#include <QImage>
#include <QString>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace vandrel {

class DialogLayer {
 public:
  virtual ~DialogLayer() = default;
  // Shows one message in the prompt and returns when it is closed.
  virtual void prompt(const QString& text) = 0;
  // The options dialog: *gamesPerMatch changes as the arrows are pressed,
  // *sfxOn, *strong (the computer's level) and *showMoves (the help at the
  // board) on Apply. Answers 1 (Apply) or 2 (Cancel).
  virtual int options(int* gamesPerMatch, bool* sfxOn, bool* strong, bool* showMoves) = 0;
  virtual void about() = 0;
  virtual void plainMessage(const QString& text) = 0;
  virtual void errorMessage(const QString& text) = 0;
  virtual std::optional<std::string> askSaveFile() = 0;
  virtual std::optional<std::string> askLoadFile() = 0;
  // The main window's layout is scaled by `factor`: the dialogs, the
  // message boxes and the file dialogs scale with it.
  virtual void setLayoutScale(double factor) { (void)factor; }
};

// The game's own dialogs, created at once in the order prompt, options,
// about box. strip: the side panel's picture, for the options dialog.
std::unique_ptr<DialogLayer> CreateDialogs(QWidget* parent, const QImage& strip);

}  // namespace vandrel
