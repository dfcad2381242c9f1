// Where the main window stands: full screen (frameless, over the whole
// screen, in the game's screen mode where the screen has one) or an ordinary
// window; F11 switches between the two. It also reads the player's own screen
// mode at start and puts it back when the window goes.
#pragma once

#include <QRect>
#include <QSize>
#include <functional>

#include "platform/screen_mode.h"

class QWidget;

namespace vandrel {

class WindowMode {
 public:
  // `window` is the top-level window, `windowSize` its size as an ordinary
  // window and `modeSize` the layout pixels a screen mode must give. With
  // `windowed` the window starts as an ordinary one; without `switchMode`
  // the screen mode is left alone. Reads the player's screen mode, sets the
  // window's frame and binds F11.
  WindowMode(QWidget& window, QSize windowSize, QSize modeSize, bool windowed, bool switchMode);
  // The player's own screen mode comes back.
  ~WindowMode();
  WindowMode(const WindowMode&) = delete;
  WindowMode& operator=(const WindowMode&) = delete;

  // The screen mode as the player had it at start (all zero without X).
  const DisplayMode& PlayerMode() const { return playerMode_; }

  // Shows the window as asked: an ordinary window, or full screen with the
  // game's screen mode where the screen has one that gives `modeSize` layout
  // pixels (the layout is scaled otherwise).
  void ShowOnScreen();
  // F11: between the window and full screen.
  void ToggleFullScreen();
  bool FullScreen() const { return fullScreen_; }
  // Told after every switch by F11, with the new state.
  std::function<void(bool fullScreen)> onToggled;

 private:
  // Frameless, over the whole screen, also where no window manager
  // maximizes it.
  void FillScreen();
  bool SwitchScreenMode();

  QWidget& window_;
  const DisplayMode playerMode_;
  const QSize windowSize_, modeSize_;
  const bool windowed_, switchMode_;
  bool fullScreen_ = false;
  bool screenWatched_ = false;
  QRect windowGeometry_;  // where the window stood before full screen
};

}  // namespace vandrel
