// Where the main window stands: full screen (frameless, over the whole
// screen, in the game's screen mode where the screen has one) or an ordinary
// window; F11 switches between the two.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace vandrel {

class WindowMode {
 public:
  // `window` is the top-level window, `windowSize` its size as an ordinary
  // window and `modeSize` the layout pixels a screen mode must give. With
  // `windowed` the window starts as an ordinary one; without `switchMode`
  // the screen mode is left alone. Sets the window's frame and binds F11.
  WindowMode(QWidget& window, QSize windowSize, QSize modeSize, bool windowed, bool switchMode);

  // Shows the window as asked: an ordinary window, or full screen with the
  // game's screen mode where the screen has one that gives `modeSize` layout
  // pixels (the layout is scaled otherwise).
  void ShowOnScreen();
  // F11: between the window and full screen.
  void ToggleFullScreen();

 private:
  // Frameless, over the whole screen, also where no window manager
  // maximizes it.
  void FillScreen();
  bool SwitchScreenMode();

  QWidget& window_;
  const QSize windowSize_, modeSize_;
  const bool windowed_, switchMode_;
  bool fullScreen_ = false;
  bool screenWatched_ = false;
  QRect windowGeometry_;  // where the window stood before full screen
};

}  // namespace vandrel
