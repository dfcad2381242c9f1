// The building of the main window's controls: each with its colours, fonts,
// place in the 800 x 600 layout and caption in the player's language, the
// window's colours, and the rules text read into the rules viewer. What the controls do is wired by
// the window (ui/window/main_window.cpp).
#pragma once

#include <QColor>
#include <QPoint>

#include "ui/window/window_controls.h"

class QFont;
class QImage;
class QString;

namespace vandrel {

// The game's layout, and the larger one with the developer controls below
// and right of it.
inline constexpr int kClientWidth = 800;
inline constexpr int kClientHeight = 600;
inline constexpr int kDeveloperWidth = 1430;
inline constexpr int kDeveloperHeight = 720;

// The window's dark green (RGB 0,64,0) and the cream of its captions.
inline constexpr QRgb kDarkGreen = qRgb(0, 64, 0);
inline constexpr QRgb kCream = qRgb(255, 251, 240);

// A plain-text label sized to its text at `at`, in `colour` also when disabled.
QLabel* MakeLabel(QWidget* parent, const QString& text, const QFont& font, QRgb colour, QPoint at);

// The sound button's caption: "SFX On" or "SFX Off".
QString SoundButtonCaption(bool on);

// The compiled-in rules for a language ("de"; empty for English):
// ":/text/HELP_de" where the program has it, the English ":/text/HELP"
// otherwise.
QString RulesTextResource(const QString& language);

// Reads the compiled-in rules `resource` (RTF) into the viewer at the
// layout's scale, opened at their title.
void LoadRulesText(QTextEdit* viewer, const QString& resource, double scale);

class WindowBuilder {
 public:
  // The controls are made on `client`, the area holding the layout, and
  // recorded in `controls`.
  WindowBuilder(QWidget* client, WindowControls& controls) : client_(client), c_(controls) {}

  // The board with the twelve piece images on their start squares, the
  // stack heights of the base columns and the column numbers.
  void BuildBoard(const QImage& picture);
  // The side panel with the strip picture stretched over it.
  void BuildPanel(const QImage& strip);
  // The rules viewer, hidden; its text comes later (LoadRulesText).
  void BuildRulesViewer();

 private:
  QWidget* client_;
  WindowControls& c_;
};

}  // namespace vandrel
