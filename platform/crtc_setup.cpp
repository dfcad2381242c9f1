#include "platform/crtc_setup.h"

#include <X11/Xatom.h>
#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace vandrel::randr {
namespace {

// An X error during a mode change must not end the program: count errors instead.
int g_xErrors = 0;
int CountXError(Display*, XErrorEvent*) {
  ++g_xErrors;
  return 0;
}

class XErrorTrap {
 public:
  explicit XErrorTrap(Display* dpy) : dpy_(dpy) {
    XSync(dpy_, False);
    g_xErrors = 0;
    old_ = XSetErrorHandler(CountXError);
  }
  ~XErrorTrap() {
    XSync(dpy_, False);
    XSetErrorHandler(old_);
  }
  bool Failed() {
    XSync(dpy_, False);
    return g_xErrors != 0;
  }

 private:
  Display* dpy_;
  int (*old_)(Display*, XErrorEvent*) = nullptr;
};

// The display's record: the player's own set-up, written by the first game that switches
// and shared by every game and guardian on that display, with the games that hold the
// switch. The last one to leave puts the set-up back and removes the record, so several
// games, ending in any order, never take the game's mode for the player's.

constexpr char kRecordName[] = "_VANDREL_SAVED_MODE";

struct Record {
  SavedCrtc saved;
  std::vector<long> holders;  // process ids of the games holding the switch
};

std::string EncodeRecord(const Record& r) {
  std::string text = EncodeSavedCrtc(r.saved) + ';';
  for (long pid : r.holders) text += std::to_string(pid) + ' ';
  return text;
}

std::optional<Record> DecodeRecord(std::string_view text) {
  const size_t semi = text.find(';');
  if (semi == std::string_view::npos) return std::nullopt;
  std::optional<SavedCrtc> saved = DecodeSavedCrtc(text.substr(0, semi));
  if (!saved) return std::nullopt;
  Record r{*saved, {}};
  std::string_view rest = text.substr(semi + 1);
  while (!rest.empty()) {
    const size_t space = rest.find(' ');
    long pid = 0;
    if (ParseNumber(rest.substr(0, space), pid) && pid > 0) r.holders.push_back(pid);
    if (space == std::string_view::npos) break;
    rest.remove_prefix(space + 1);
  }
  return r;
}

bool Alive(long pid) { return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

// The record on the display, read and written under the caller's server grab.
class DisplayRecord {
 public:
  explicit DisplayRecord(Display* dpy)
      : dpy_(dpy), root_(DefaultRootWindow(dpy)), atom_(XInternAtom(dpy, kRecordName, False)) {}

  std::optional<Record> read() {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy_, root_, atom_, 0, 4096, False, XA_STRING, &type, &format, &count,
                           &after, &data) != Success)
      return std::nullopt;
    std::optional<Record> r;
    if (data && format == 8) r = DecodeRecord({reinterpret_cast<char*>(data), count});
    if (data) XFree(data);
    return r;
  }
  void write(const Record& r) {
    const std::string text = EncodeRecord(r);
    XChangeProperty(dpy_, root_, atom_, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
  }
  void remove() { XDeleteProperty(dpy_, root_, atom_); }

 private:
  Display* dpy_;
  Window root_;
  Atom atom_;
};

}  // namespace

DisplayPtr OpenDisplay(const char* name) {
  if (!name) {
    const char* env = std::getenv("DISPLAY");
    if (!env || !*env) return nullptr;
  }
  return DisplayPtr(XOpenDisplay(name));
}

bool CanSwitchModes(Display* dpy) {
  int opcode = 0, event = 0, error = 0;
  if (XQueryExtension(dpy, "XWAYLAND", &opcode, &event, &error)) return false;
  if (!XRRQueryExtension(dpy, &event, &error)) return false;
  int major = 0, minor = 0;
  if (!XRRQueryVersion(dpy, &major, &minor)) return false;
  return major > 1 || (major == 1 && minor >= 2);
}

const XRRModeInfo* FindModeInfo(const XRRScreenResources* res, RRMode mode) {
  for (int i = 0; i < res->nmode; ++i)
    if (res->modes[i].id == mode) return &res->modes[i];
  return nullptr;
}

Extent ExtentOf(const XRRScreenResources* res, RRMode mode, int x, int y, int rotation) {
  Extent e{x, y, 0, 0};
  if (const XRRModeInfo* info = FindModeInfo(res, mode)) {
    e.width = static_cast<int>(info->width);
    e.height = static_cast<int>(info->height);
    if (rotation & (RR_Rotate_90 | RR_Rotate_270)) std::swap(e.width, e.height);
  }
  return e;
}

// The server refuses a physical size of 0 mm; assume 96 dots per inch then.
int MillimetresFor(int pixels, int savedPixels, int savedMm) {
  if (savedMm > 0 && savedPixels > 0)
    return std::max(1, static_cast<int>(std::lround(double(savedMm) * pixels / savedPixels)));
  return std::max(1, static_cast<int>(std::lround(pixels * 25.4 / 96.0)));
}

ScreenSize CurrentScreenSize(Display* dpy) {
  const int s = DefaultScreen(dpy);
  return {DisplayWidth(dpy, s), DisplayHeight(dpy, s), DisplayWidthMM(dpy, s),
          DisplayHeightMM(dpy, s)};
}

bool ApplyCrtc(Display* dpy, const SavedCrtc& to, bool grabbed) {
  const Window root = DefaultRootWindow(dpy);
  ResourcesPtr res(XRRGetScreenResourcesCurrent(dpy, root));
  if (!res) return false;
  if (!FindModeInfo(res.get(), to.mode)) {
    // Not seen yet: probe the outputs, which may take a while on real hardware.
    res.reset(XRRGetScreenResources(dpy, root));
    if (!res || !FindModeInfo(res.get(), to.mode)) return false;
  }
  CrtcInfoPtr current(XRRGetCrtcInfo(dpy, res.get(), to.crtc));
  if (!current) return false;

  const ScreenSize screenNow = CurrentScreenSize(dpy);
  const ScreenSize screenTo{
      to.screenWidth, to.screenHeight,
      to.screenWidthMm > 0 ? to.screenWidthMm : MillimetresFor(to.screenWidth, 0, 0),
      to.screenHeightMm > 0 ? to.screenHeightMm : MillimetresFor(to.screenHeight, 0, 0)};
  std::vector<RROutput> outputs(to.outputs.begin(), to.outputs.end());
  const bool sameCrtc = current->mode == to.mode && current->x == to.x && current->y == to.y &&
                        current->rotation == to.rotation &&
                        std::equal(outputs.begin(), outputs.end(), current->outputs,
                                   current->outputs + current->noutput);
  if (sameCrtc && screenNow == screenTo) return true;

  const Extent now{current->x, current->y, static_cast<int>(current->width),
                   static_cast<int>(current->height)};
  const Extent next = ExtentOf(res.get(), to.mode, to.x, to.y, to.rotation);

  if (!grabbed) XGrabServer(dpy);
  bool ok = true;
  {
    XErrorTrap trap(dpy);
    auto setCrtc = [&](RRMode mode, RROutput* outs, int n) {
      const Status s = XRRSetCrtcConfig(dpy, res.get(), to.crtc, CurrentTime, to.x, to.y, mode,
                                        static_cast<Rotation>(to.rotation), outs, n);
      return s == RRSetConfigSuccess && !trap.Failed();
    };
    auto setScreen = [&] {
      if (screenNow == screenTo) return true;
      XRRSetScreenSize(dpy, root, screenTo.width, screenTo.height, screenTo.widthMm,
                       screenTo.heightMm);
      return !trap.Failed();
    };
    const int n = static_cast<int>(outputs.size());
    if (next.FitsIn(screenNow.width, screenNow.height)) {
      ok = setCrtc(to.mode, outputs.data(), n) && setScreen();
    } else if (now.FitsIn(screenTo.width, screenTo.height)) {
      ok = setScreen() && setCrtc(to.mode, outputs.data(), n);
    } else {
      ok = setCrtc(0, nullptr, 0) && setScreen() && setCrtc(to.mode, outputs.data(), n);
    }
  }
  if (!grabbed) XUngrabServer(dpy);
  XSync(dpy, False);
  return ok;
}

bool HasRecord(Display* dpy) { return DisplayRecord(dpy).read().has_value(); }

SavedCrtc JoinRecord(Display* dpy, const SavedCrtc& current, long pid) {
  XGrabServer(dpy);
  DisplayRecord record(dpy);
  Record r = record.read().value_or(Record{current, {}});
  std::erase_if(r.holders, [](long p) { return !Alive(p); });
  r.holders.push_back(pid);
  record.write(r);
  XUngrabServer(dpy);
  XSync(dpy, False);
  return r.saved;
}

bool LeaveRecord(Display* dpy, long pid) {
  XGrabServer(dpy);
  DisplayRecord record(dpy);
  bool restored = false;
  if (std::optional<Record> r = record.read()) {
    std::erase_if(r->holders, [pid](long p) { return p == pid || !Alive(p); });
    if (r->holders.empty()) {
      restored = ApplyCrtc(dpy, r->saved, /*grabbed=*/true);
      record.remove();
    } else {
      record.write(*r);
    }
  }
  XUngrabServer(dpy);
  XSync(dpy, False);
  return restored;
}

}  // namespace vandrel::randr
