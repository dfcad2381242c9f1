// Private to platform/: the XRandR side that the screen mode and its guardian share. A
// connection of their own, whether the server can switch modes, putting one CRTC set-up
// in place, and the display's record of the player's set-up and the games holding the
// switch, which the last one to leave puts back.
//
// Includes Xlib, whose macros (None, Bool, Status, ...) clash with Qt: include it after
// any Qt header.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>
#include <string_view>

#include "platform/saved_crtc.h"

namespace vandrel::randr {

struct DisplayCloser {
  void operator()(Display* dpy) const {
    if (dpy) XCloseDisplay(dpy);
  }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct ResourcesFree {
  void operator()(XRRScreenResources* res) const {
    if (res) XRRFreeScreenResources(res);
  }
};
using ResourcesPtr = std::unique_ptr<XRRScreenResources, ResourcesFree>;

struct CrtcInfoFree {
  void operator()(XRRCrtcInfo* info) const {
    if (info) XRRFreeCrtcInfo(info);
  }
};
using CrtcInfoPtr = std::unique_ptr<XRRCrtcInfo, CrtcInfoFree>;

struct OutputInfoFree {
  void operator()(XRROutputInfo* info) const {
    if (info) XRRFreeOutputInfo(info);
  }
};
using OutputInfoPtr = std::unique_ptr<XRROutputInfo, OutputInfoFree>;

// Each operation opens a connection of its own: the screen size a connection reports is
// the one at the time it was opened, and the game holds no X resources in between.
// A null name means $DISPLAY, and no connection when that is unset or empty.
DisplayPtr OpenDisplay(const char* name);

// RandR 1.2 or later on a real X server (XWayland only pretends to change modes).
bool CanSwitchModes(Display* dpy);

// Where a mode puts a CRTC on the screen, turned as the rotation says.
struct Extent {
  int x = 0, y = 0, width = 0, height = 0;
  bool FitsIn(int screenWidth, int screenHeight) const {
    return x + width <= screenWidth && y + height <= screenHeight;
  }
};

const XRRModeInfo* FindModeInfo(const XRRScreenResources* res, RRMode mode);
Extent ExtentOf(const XRRScreenResources* res, RRMode mode, int x, int y, int rotation);

// The physical size for a screen of `pixels`, at the saved set-up's dots per inch, or at
// 96 when that is unknown; never 0 mm, which the server refuses.
int MillimetresFor(int pixels, int savedPixels, int savedMm);

struct ScreenSize {
  int width = 0, height = 0, widthMm = 0, heightMm = 0;
  bool operator==(const ScreenSize&) const = default;
};
ScreenSize CurrentScreenSize(Display* dpy);

// Sets one CRTC and the screen size together, in an order the server accepts: the CRTC
// must fit inside the screen at every step. Grabs the server for the change unless the
// caller holds the grab already.
bool ApplyCrtc(Display* dpy, const SavedCrtc& to, bool grabbed = false);

// Whether the display has a record, that is, some game holds the switch.
bool HasRecord(Display* dpy);

// Joins the record as holder `pid`, writing it with `current` when there is none.
// Returns the player's set-up.
SavedCrtc JoinRecord(Display* dpy, const SavedCrtc& current, long pid);

// Leaves the record as holder `pid`; the last holder to leave (the games that died
// without a guardian count as gone) puts the player's set-up back and removes the
// record, all under one grab. Returns whether this call restored the set-up.
bool LeaveRecord(Display* dpy, long pid);

}  // namespace vandrel::randr
