// Look and feel shared by the game's small windows: the fonts (from the
// game's one table, ui/widgets/fonts.h), the cream text colour, the flat
// buttons (ui/widgets/flat_button.h) and centring on the screen.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "ui/widgets/flat_button.h"
#include "ui/widgets/fonts.h"

class QLabel;
class QRadioButton;
class QWidget;

namespace vandrel {

// Cream, RGB(255,255,210): the colour of every text in the dialogs.
inline const QColor kDialogText{255, 255, 210};

// Gives a label the cream text colour and a transparent background.
void MakeCreamLabel(QLabel* label, const QFont& font);

// Creates a choice of a group (a radio button) with its caption in cream on
// the dialog's own face, sized to its caption.
QRadioButton* MakeCreamChoice(QWidget* parent, const QString& caption, const QFont& font);

// Shows the game's picture STEM (":/art/STEM.jpg") on a label of its size.
// A scaled dialog shows the picture drawn for its scale (STEM@2x.jpg,
// STEM@3x.jpg) rather than stretching this one.
void SetArtPicture(QLabel* label, const char* stem);

// Moves a dialog so that its frame is centred on the main window's layout
// (its owner's window), or on its screen when it has no owner shown. A
// dialog told the main window's layout scale (0: none told) is scaled with
// it: size, places, fonts and pictures.
void CentreOnScreen(QWidget* window, double layoutScale);

// For the system's own boxes (message boxes, file dialogs): their font, and
// with it their size, grows with the main window's layout scale. Qt centres
// them on the window that owns them itself.
void ScaleText(QWidget* box, double layoutScale);

// Creates a flat button with a caption, its place, its font and cream text.
FlatButton* MakeFlatButton(QWidget* parent, const QString& caption, const QRect& geometry,
                           const QFont& font);

}  // namespace vandrel
