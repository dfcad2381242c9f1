#include "ui/window/window_mode.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <cmath>

namespace vandrel {

namespace {

// The application's X connection, or none on another window system.
_XDisplay* X11Connection() {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
}

}  // namespace

WindowMode::WindowMode(QWidget& window, QSize windowSize, QSize modeSize, bool windowed,
                       bool switchMode)
    : window_(window),
      playerMode_(CurrentDisplayMode(X11Connection())),
      windowSize_(windowSize),
      modeSize_(modeSize),
      windowed_(windowed),
      switchMode_(switchMode) {
  window_.setWindowFlag(Qt::FramelessWindowHint, !windowed_);
  auto* f11 = new QShortcut(QKeySequence(Qt::Key_F11), &window_);
  QObject::connect(f11, &QShortcut::activated, &window_, [this] { ToggleFullScreen(); });
}

WindowMode::~WindowMode() { RestoreDisplayMode(); }

void WindowMode::FillScreen() {
  fullScreen_ = true;
  window_.setWindowFlag(Qt::FramelessWindowHint);
  QScreen* s = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
  if (!s) return;
  window_.setGeometry(s->geometry());
  if (!screenWatched_) {
    screenWatched_ = true;
    QObject::connect(s, &QScreen::geometryChanged, &window_, [this](const QRect& r) {
      if (fullScreen_) window_.setGeometry(r);
    });
  }
}

void WindowMode::ShowOnScreen() {
  if (windowed_) {
    window_.resize(windowSize_);
    window_.show();
    return;
  }
  FillScreen();
  window_.show();
  if (switchMode_ && SwitchScreenMode()) FillScreen();
}

bool WindowMode::SwitchScreenMode() {
  // The mode must give the layout its 800 x 600 pixels after the desktop's
  // scaling: 1600 x 1200 device pixels at a device pixel ratio of 2.
  QScreen* s = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
  const double dpr = s ? s->devicePixelRatio() : 1.0;
  return SetDisplayMode(static_cast<int>(std::lround(modeSize_.width() * dpr)),
                        static_cast<int>(std::lround(modeSize_.height() * dpr)), 32);
}

void WindowMode::ToggleFullScreen() {
  if (!fullScreen_) {
    windowGeometry_ = window_.geometry();
    FillScreen();
    window_.show();
    if (onToggled) onToggled(true);
    return;
  }
  // The player's own mode comes back while the game sits in a window.
  RestoreDisplayMode();
  fullScreen_ = false;
  window_.setWindowFlag(Qt::FramelessWindowHint, false);
  QRect r = windowGeometry_;
  if (!r.isValid()) {
    r = QRect(QPoint(0, 0), windowSize_);
    if (QScreen* s = window_.screen()) r.moveCenter(s->availableGeometry().center());
  }
  window_.setGeometry(r);
  window_.show();
  if (onToggled) onToggled(false);
}

}  // namespace vandrel
