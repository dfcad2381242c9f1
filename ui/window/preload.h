// The start-up work done beside Qt's own: the board and strip pictures are
// decoded and the font configuration read on a thread of their own while the
// application object is made, so that both are ready when the window is.
#pragma once

#include <QImage>

namespace vandrel {

struct StartUpPictures {
  QImage board, strip;
};

// Registers the pictures, sounds and rules compiled into the program.
void InitResources();

// Starts the decoding and the reading. Call it first thing in main, before
// the QApplication (which takes a while to set up).
void Preload();

// The pictures Preload decoded, waiting for them if need be; decoded here
// and now when nothing was preloaded (or they were taken already).
StartUpPictures TakeStartUpPictures();

}  // namespace vandrel
