#include "platform/screen_mode.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QVariant>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

// Xlib's headers define macros (None, Bool, Status, ...) that clash with Qt: keep them last.
#include "platform/crtc_setup.h"
#include "platform/mode_guardian.h"

namespace vandrel {
namespace {

using randr::ApplyCrtc;
using randr::CanSwitchModes;
using randr::CrtcInfoPtr;
using randr::CurrentScreenSize;
using randr::DisplayPtr;
using randr::Extent;
using randr::ExtentOf;
using randr::FindModeInfo;
using randr::HasRecord;
using randr::JoinRecord;
using randr::LeaveRecord;
using randr::MillimetresFor;
using randr::OpenDisplay;
using randr::OutputInfoPtr;
using randr::ResourcesPtr;
using randr::ScreenSize;

// Wayland sessions and Qt platforms other than xcb have no X screen of ours to switch.
bool OnAnotherWindowSystem() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* x11 = std::getenv("DISPLAY");
  if (wayland && *wayland && !(x11 && *x11)) return true;
  if (const QCoreApplication* app = QCoreApplication::instance()) {
    // Only a QGuiApplication has this property; a plain QCoreApplication leaves it empty.
    const QString platform = app->property("platformName").toString();
    if (!platform.isEmpty() && platform != QLatin1String("xcb")) return true;
  }
  return false;
}

// The output to switch: the primary one, else the first connected output with a CRTC.
struct Target {
  RROutput output = 0;
  RRCrtc crtc = 0;
};

Target FindTarget(Display* dpy, XRRScreenResources* res) {
  auto crtcOf = [&](RROutput output) -> RRCrtc {
    OutputInfoPtr info(XRRGetOutputInfo(dpy, res, output));
    return info && info->connection == RR_Connected ? info->crtc : 0;
  };
  const RROutput primary = XRRGetOutputPrimary(dpy, DefaultRootWindow(dpy));
  if (primary)
    if (RRCrtc crtc = crtcOf(primary)) return {primary, crtc};
  for (int i = 0; i < res->noutput; ++i)
    if (RRCrtc crtc = crtcOf(res->outputs[i])) return {res->outputs[i], crtc};
  return {};
}

// The first mode of that size the output lists (its preferred one first), not interlaced
// if there is a choice.
RRMode FindOutputMode(Display* dpy, XRRScreenResources* res, RROutput output, int width,
                      int height) {
  OutputInfoPtr info(XRRGetOutputInfo(dpy, res, output));
  if (!info) return 0;
  RRMode fallback = 0;
  for (int i = 0; i < info->nmode; ++i) {
    const XRRModeInfo* mode = FindModeInfo(res, info->modes[i]);
    if (!mode || int(mode->width) != width || int(mode->height) != height) continue;
    if (!(mode->modeFlags & RR_Interlace)) return mode->id;
    if (!fallback) fallback = mode->id;
  }
  return fallback;
}

std::optional<SavedCrtc> SaveCrtc(Display* dpy, XRRScreenResources* res, RRCrtc crtc) {
  CrtcInfoPtr info(XRRGetCrtcInfo(dpy, res, crtc));
  if (!info || !info->mode || info->noutput < 1) return std::nullopt;
  SavedCrtc saved;
  saved.crtc = crtc;
  saved.mode = info->mode;
  saved.x = info->x;
  saved.y = info->y;
  saved.rotation = info->rotation;
  saved.outputs.assign(info->outputs, info->outputs + info->noutput);
  const ScreenSize screen = CurrentScreenSize(dpy);
  saved.screenWidth = screen.width;
  saved.screenHeight = screen.height;
  saved.screenWidthMm = screen.widthMm;
  saved.screenHeightMm = screen.heightMm;
  return saved;
}

// ---------------------------------------------------------------------------------------
// The game's side of the mode lifetime (GUI thread only)

struct ModeState {
  std::string displayName;
  std::optional<SavedCrtc> saved;
  bool atExitRegistered = false;
};

ModeState& State() {
  static ModeState state;
  return state;
}

}  // namespace

DisplayMode CurrentDisplayMode(Display* connection) {
  Display* dpy = connection;
  DisplayPtr own;
  if (!dpy) {
    own = OpenDisplay(nullptr);
    if (!own) return {};
    dpy = own.get();
  }
  const int screen = DefaultScreen(dpy);
  DisplayMode mode{DisplayWidth(dpy, screen), DisplayHeight(dpy, screen), 0};
  const int depth = DefaultDepth(dpy, screen);
  int count = 0;
  if (XPixmapFormatValues* formats = XListPixmapFormats(dpy, &count)) {
    for (int i = 0; i < count; ++i)
      if (formats[i].depth == depth) mode.bpp = formats[i].bits_per_pixel;
    XFree(formats);
  }
  if (!mode.bpp) mode.bpp = depth;
  return mode;
}

bool SetDisplayMode(int width, int height, int /*bpp: RandR keeps the depth*/) {
  if (width <= 0 || height <= 0 || OnAnotherWindowSystem()) return false;
  ModeState& state = State();
  DisplayPtr dpy = OpenDisplay(state.saved ? state.displayName.c_str() : nullptr);
  if (!dpy || !CanSwitchModes(dpy.get())) return false;

  if (state.saved) {
    // Going back to where we started is an exact restore, not a new switch.
    const SavedCrtc& s = *state.saved;
    ResourcesPtr res(XRRGetScreenResourcesCurrent(dpy.get(), DefaultRootWindow(dpy.get())));
    const Extent savedExtent = res ? ExtentOf(res.get(), s.mode, 0, 0, s.rotation) : Extent{};
    if ((width == s.screenWidth && height == s.screenHeight) ||
        (width == savedExtent.width && height == savedExtent.height)) {
      dpy.reset();
      return RestoreDisplayMode();
    }
  }

  const Window root = DefaultRootWindow(dpy.get());
  ResourcesPtr res(XRRGetScreenResourcesCurrent(dpy.get(), root));
  if (!res) return false;
  Target target = FindTarget(dpy.get(), res.get());
  if (!target.crtc) return false;
  RRMode mode = FindOutputMode(dpy.get(), res.get(), target.output, width, height);
  if (!mode) {
    res.reset(XRRGetScreenResources(dpy.get(), root));
    if (!res) return false;
    target = FindTarget(dpy.get(), res.get());
    if (!target.crtc) return false;
    mode = FindOutputMode(dpy.get(), res.get(), target.output, width, height);
    if (!mode) return false;
  }

  std::optional<SavedCrtc> current = SaveCrtc(dpy.get(), res.get(), target.crtc);
  if (!current) return false;
  if (!state.saved) {
    // Already in that mode, and no other game holds it: the player's own mode; nothing
    // to switch, nothing to put back, no guardian.
    if (current->mode == mode && !HasRecord(dpy.get())) return false;
    // Without the guardian's entry in main() a crash would leave the player at 800 x 600.
    if (!ModeGuardianEntryPresent()) return false;
    const std::string displayName = DisplayString(dpy.get());
    // The player's set-up is the display's record, if another game switched first.
    const SavedCrtc players = JoinRecord(dpy.get(), *current, getpid());
    if (!StartModeGuardian(displayName, players)) {
      LeaveRecord(dpy.get(), getpid());
      return false;
    }
    state.saved = players;
    state.displayName = displayName;
    if (!state.atExitRegistered) {
      std::atexit([] { RestoreDisplayMode(); });
      state.atExitRegistered = true;
    }
  }

  // The new set-up: same CRTC, place, rotation and outputs, the new mode, and a screen
  // just large enough for every lit CRTC.
  SavedCrtc next = *current;
  next.mode = mode;
  const Extent mine = ExtentOf(res.get(), mode, next.x, next.y, next.rotation);
  int screenWidth = mine.x + mine.width, screenHeight = mine.y + mine.height;
  for (int i = 0; i < res->ncrtc; ++i) {
    if (res->crtcs[i] == target.crtc) continue;
    CrtcInfoPtr other(XRRGetCrtcInfo(dpy.get(), res.get(), res->crtcs[i]));
    if (!other || !other->mode) continue;
    screenWidth = std::max(screenWidth, other->x + static_cast<int>(other->width));
    screenHeight = std::max(screenHeight, other->y + static_cast<int>(other->height));
  }
  next.screenWidth = screenWidth;
  next.screenHeight = screenHeight;
  next.screenWidthMm = MillimetresFor(screenWidth, current->screenWidth, current->screenWidthMm);
  next.screenHeightMm =
      MillimetresFor(screenHeight, current->screenHeight, current->screenHeightMm);

  if (ApplyCrtc(dpy.get(), next)) return true;
  dpy.reset();
  RestoreDisplayMode();  // undo a half-done change and let the guardian go
  return false;
}

bool RestoreDisplayMode() {
  ModeState& state = State();
  if (!state.saved) return false;
  bool restored = false;
  if (DisplayPtr dpy = OpenDisplay(state.displayName.c_str()))
    restored = CanSwitchModes(dpy.get()) && LeaveRecord(dpy.get(), getpid());
  // Only after leaving the record: were we killed in between, the guardian still leaves
  // it for us.
  SayGoodbyeToModeGuardian();
  state.saved.reset();
  return restored;
}

}  // namespace vandrel
