// Screen mode for the time the game runs, and leaving cleanly on quit signals.
//
// The game plays on an 800 x 600 screen. On X11 the switch goes through XRandR on the
// primary output (or the first connected output that has a CRTC). The exact CRTC set-up
// found before the first switch is kept and put back at the end. Because the player's
// screen must never stay at 800 x 600, a small guardian process holds the saved set-up
// too and puts it back itself if the game dies without saying goodbye (SIGKILL, a crash).
//
// Every program that switches modes must start its main() with
//
//     if (int rc = vandrel::RunModeGuardianIfAsked(argc, argv); rc >= 0) return rc;
//
// since the guardian is the same binary started again with a special first argument.
// A program that never calls it gets no switch at all.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Handles the guardian's command line. Returns -1 when this process is not a guardian
// (the program goes on), otherwise the guardian's exit code once it has done its job.
int RunModeGuardianIfAsked(int argc, char** argv);

// SIGINT, SIGTERM and SIGHUP call onQuit on the GUI thread (through a socket pair and a
// QSocketNotifier), so the main window can close normally and restore the mode. Needs a
// QCoreApplication; calling it again replaces the callback.
void InstallQuitSignalHandlers(std::function<void()> onQuit);

// The saved CRTC set-up, as the guardian receives it on its command line.
struct SavedCrtc {
  unsigned long crtc = 0;
  unsigned long mode = 0;
  int x = 0, y = 0;
  int rotation = 1;  // RR_Rotate_0
  std::vector<unsigned long> outputs;
  int screenWidth = 0, screenHeight = 0;
  int screenWidthMm = 0, screenHeightMm = 0;

  bool operator==(const SavedCrtc&) const = default;
};

inline constexpr std::string_view kModeGuardianFlag = "--vandrel-mode-guardian";

std::string EncodeSavedCrtc(const SavedCrtc& saved);
std::optional<SavedCrtc> DecodeSavedCrtc(std::string_view text);

}  // namespace vandrel
