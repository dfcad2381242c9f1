// The screen mode for the time the game runs.
//
// The game plays on an 800 x 600 screen. On X11 the switch goes through XRandR on the
// primary output (or the first connected output that has a CRTC). The exact CRTC set-up
// found before the first switch is kept and put back at the end. Because the player's
// screen must never stay at 800 x 600, a guardian process (platform/mode_guardian.h) holds
// the saved set-up too and puts it back itself if the game dies without saying goodbye;
// a program whose main() does not start with the guardian's entry gets no switch at all.
#pragma once

struct _XDisplay;  // Xlib's Display

namespace vandrel {

struct DisplayMode {
  int width = 0, height = 0, bpp = 0;
};

// The screen's size in pixels and its bits per pixel (the pixmap format of the root
// depth, so 32 for depth 24). All zero when there is no X display to ask. Given the
// application's own connection, nothing goes to the server: both came with it.
DisplayMode CurrentDisplayMode(_XDisplay* connection = nullptr);

// Switches the primary output to a width x height mode, if it offers one, and sizes the
// screen to match. RandR cannot change the colour depth, so bpp is only recorded; the
// current depth stays. Before the first switch the current set-up is saved and the
// guardian started. A request for the saved size puts the saved set-up back exactly
// (same as RestoreDisplayMode()). Returns whether the mode was switched; nothing is
// reported otherwise (Wayland, XWayland, no RandR, no such mode, no guardian entry).
bool SetDisplayMode(int width, int height, int bpp);

// Puts back the set-up saved before the first switch and tells the guardian goodbye.
// Safe to call any number of times; returns whether it restored anything this time.
bool RestoreDisplayMode();

}  // namespace vandrel
