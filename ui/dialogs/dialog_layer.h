// The main window's way to its modal dialogs: the prompt, the options
// dialog, the about box, the player's record, the two message boxes and the
// file dialogs.
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

#include "control/player_record.h"

class QWidget;

namespace vandrel {

class DialogLayer {
 public:
  virtual ~DialogLayer() = default;
  // Shows one message in the prompt and returns when it is closed.
  virtual void prompt(const QString& text) = 0;
  // Asks a question in the prompt: true for "Yes" (Return, a click on it),
  // false for "No" (Escape, a click on it, the prompt closed).
  virtual bool ask(const QString& text) = 0;
  // The options dialog: *gamesPerMatch changes as the arrows are pressed,
  // *sfxOn, *strong (the computer's level) and *showMoves (the help at the
  // board) on Apply. Answers 1 (Apply) or 2 (Cancel).
  virtual int options(int* gamesPerMatch, bool* sfxOn, bool* strong, bool* showMoves) = 0;
  // The about box: true when the player left it for the record.
  virtual bool about() = 0;
  virtual void plainMessage(const QString& text) = 0;
  virtual void errorMessage(const QString& text) = 0;
  // The file dialogs open in `folder` (empty: the working folder).
  virtual std::optional<std::string> askSaveFile(const QString& folder) = 0;
  virtual std::optional<std::string> askLoadFile(const QString& folder) = 0;
  // The player's record ("Your record"); true when the player asked to
  // clear it and said "Yes" when asked again.
  virtual bool record(const PlayerRecord& shown) {
    (void)shown;
    return false;
  }
  // The main window's layout is scaled by `factor`: the dialogs, the
  // message boxes and the file dialogs scale with it.
  virtual void setLayoutScale(double factor) { (void)factor; }
};

// The game's own dialogs, created at once in the order prompt, options,
// about box, record. strip: the side panel's picture, for the options
// dialog and the record.
std::unique_ptr<DialogLayer> CreateDialogs(QWidget* parent, const QImage& strip);

}  // namespace vandrel
