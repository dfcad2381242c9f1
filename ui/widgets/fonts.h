// The fonts the game asks for, with the free fonts that stand in for them:
// Tahoma, MS Sans Serif and Verdana become DejaVu Sans, Arial Liberation
// Sans. The window and the dialogs both take their fonts from here.
#pragma once

#include <QFont>

namespace vandrel {

enum class Face { Tahoma, MsSansSerif, Verdana, Arial };

// The window's fonts, at a pixel or a point size. They name only the faces
// this machine has, so that start-up does not wait for Qt to look for the
// missing ones.
QFont WindowFont(Face face, int pixelSize, bool bold);
QFont WindowFontPt(Face face, int pointSize, bool bold);

// The dialogs' fonts, at a pixel size. They name the face and its stand-in
// whether installed or not: the dialogs are made after the first paint, when
// Qt's search for a missing face no longer holds anything up.
QFont DialogFont(Face face, int pixelSize, bool bold, bool italic = false);

}  // namespace vandrel
