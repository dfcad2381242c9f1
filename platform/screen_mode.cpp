#include "platform/screen_mode.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QVariant>

// Xlib's headers define macros (None, Bool, Status, ...) that clash with Qt: keep them last.
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace vandrel {
namespace {

constexpr char kGoodbye = 'B';
constexpr int kGuardianFd = 3;

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}


// ---------------------------------------------------------------------------------------
// X helpers

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

// Each operation opens a connection of its own: the screen size a connection reports is
// the one at the time it was opened, and the game holds no X resources in between.
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

DisplayPtr OpenDisplay(const char* name) {
  if (!name) {
    const char* env = std::getenv("DISPLAY");
    if (!env || !*env) return nullptr;
  }
  return DisplayPtr(XOpenDisplay(name));
}

// RandR 1.2 or later on a real X server (XWayland only pretends to change modes).
bool CanSwitchModes(Display* dpy) {
  int opcode = 0, event = 0, error = 0;
  if (XQueryExtension(dpy, "XWAYLAND", &opcode, &event, &error)) return false;
  if (!XRRQueryExtension(dpy, &event, &error)) return false;
  int major = 0, minor = 0;
  if (!XRRQueryVersion(dpy, &major, &minor)) return false;
  return major > 1 || (major == 1 && minor >= 2);
}

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

struct Extent {
  int x = 0, y = 0, width = 0, height = 0;
  bool FitsIn(int screenWidth, int screenHeight) const {
    return x + width <= screenWidth && y + height <= screenHeight;
  }
};

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

struct ScreenSize {
  int width = 0, height = 0, widthMm = 0, heightMm = 0;
  bool operator==(const ScreenSize&) const = default;
};

ScreenSize CurrentScreenSize(Display* dpy) {
  const int s = DefaultScreen(dpy);
  return {DisplayWidth(dpy, s), DisplayHeight(dpy, s), DisplayWidthMM(dpy, s),
          DisplayHeightMM(dpy, s)};
}

// Sets one CRTC and the screen size together, in an order the server accepts: the CRTC
// must fit inside the screen at every step. Grabs the server for the change unless the
// caller holds the grab already.
bool ApplyCrtc(Display* dpy, const SavedCrtc& to, bool grabbed = false) {
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

// ---------------------------------------------------------------------------------------
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

// Joins the record as holder `pid`, writing it with `current` when there is none.
// Returns the player's set-up.
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

// Leaves the record as holder `pid`; the last holder to leave (the games that died
// without a guardian count as gone) puts the player's set-up back and removes the
// record, all under one grab. Returns whether this call restored the set-up.
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
  int guardianFd = -1;
  bool atExitRegistered = false;
};

ModeState& State() {
  static ModeState state;
  return state;
}

bool g_guardianEntryPresent = false;

// Writes without dying of SIGPIPE should the guardian be gone already.
void WriteIgnoringSigpipe(int fd, char byte) {
  sigset_t pipeSet, oldSet;
  sigemptyset(&pipeSet);
  sigaddset(&pipeSet, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSet, &oldSet);
  ssize_t n;
  do n = write(fd, &byte, 1);
  while (n < 0 && errno == EINTR);
  if (n < 0 && errno == EPIPE) {
    const timespec zero{0, 0};
    sigtimedwait(&pipeSet, nullptr, &zero);
  }
  pthread_sigmask(SIG_SETMASK, &oldSet, nullptr);
}

void SayGoodbyeToGuardian() {
  ModeState& state = State();
  if (state.guardianFd < 0) return;
  WriteIgnoringSigpipe(state.guardianFd, kGoodbye);
  close(state.guardianFd);
  state.guardianFd = -1;
}

// Starts the guardian as a grandchild (so it never lingers as our zombie), in a session of
// its own, with nothing of ours but the read end of the pipe as fd 3.
bool StartGuardian(const std::string& displayName, const SavedCrtc& saved) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);

  // Everything the child needs is prepared before fork: after it, only plain system calls.
  std::string argv0 = "vandrel-mode-guardian";
  std::string flag(kModeGuardianFlag);
  std::string fdArg = std::to_string(kGuardianFd);
  std::string display = displayName;
  std::string encoded = EncodeSavedCrtc(saved);
  std::string game = std::to_string(getpid());
  char* argv[] = {argv0.data(), flag.data(), fdArg.data(), display.data(),
                  encoded.data(), game.data(), nullptr};

  const pid_t child = fork();
  if (child == 0) {
    const pid_t grandchild = fork();
    if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
    setsid();
    if (devNull >= 0) {
      dup2(devNull, 0);
      dup2(devNull, 1);
      dup2(devNull, 2);
    }
    if (fds[0] == kGuardianFd)
      fcntl(kGuardianFd, F_SETFD, 0);
    else
      dup2(fds[0], kGuardianFd);
    close_range(kGuardianFd + 1, ~0U, 0);
    execv("/proc/self/exe", argv);
    _exit(127);
  }
  close(fds[0]);
  if (devNull >= 0) close(devNull);
  if (child < 0) {
    close(fds[1]);
    return false;
  }
  int status = 0;
  pid_t r;
  do r = waitpid(child, &status, 0);
  while (r < 0 && errno == EINTR);
  const bool started = (r == child && WIFEXITED(status) && WEXITSTATUS(status) == 0) ||
                       (r < 0 && errno == ECHILD);  // SIGCHLD ignored: reaped already
  if (!started) {
    close(fds[1]);
    return false;
  }
  State().guardianFd = fds[1];
  return true;
}

// ---------------------------------------------------------------------------------------
// Quit signals

int g_quitFds[2] = {-1, -1};

void OnQuitSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(g_quitFds[0], &byte, 1);
  errno = savedErrno;
}

std::function<void()>& QuitCallback() {
  static std::function<void()> callback;
  return callback;
}

}  // namespace

// ---------------------------------------------------------------------------------------

std::string EncodeSavedCrtc(const SavedCrtc& s) {
  std::string text;
  auto add = [&](auto value) {
    if (!text.empty()) text += ',';
    text += std::to_string(value);
  };
  add(s.crtc);
  add(s.mode);
  add(s.x);
  add(s.y);
  add(s.rotation);
  add(s.screenWidth);
  add(s.screenHeight);
  add(s.screenWidthMm);
  add(s.screenHeightMm);
  add(s.outputs.size());
  for (unsigned long output : s.outputs) add(output);
  return text;
}

std::optional<SavedCrtc> DecodeSavedCrtc(std::string_view text) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (fields.size() < 11) return std::nullopt;
  SavedCrtc s;
  size_t count = 0;
  if (!ParseNumber(fields[0], s.crtc) || !ParseNumber(fields[1], s.mode) ||
      !ParseNumber(fields[2], s.x) || !ParseNumber(fields[3], s.y) ||
      !ParseNumber(fields[4], s.rotation) || !ParseNumber(fields[5], s.screenWidth) ||
      !ParseNumber(fields[6], s.screenHeight) || !ParseNumber(fields[7], s.screenWidthMm) ||
      !ParseNumber(fields[8], s.screenHeightMm) || !ParseNumber(fields[9], count))
    return std::nullopt;
  if (count < 1 || fields.size() != 10 + count) return std::nullopt;
  for (size_t i = 0; i < count; ++i) {
    unsigned long output = 0;
    if (!ParseNumber(fields[10 + i], output) || output == 0) return std::nullopt;
    s.outputs.push_back(output);
  }
  if (s.crtc == 0 || s.mode == 0 || s.rotation <= 0 || s.rotation > 0x3f || s.screenWidth <= 0 ||
      s.screenHeight <= 0 || s.screenWidthMm < 0 || s.screenHeightMm < 0)
    return std::nullopt;
  return s;
}

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
    if (current->mode == mode && !DisplayRecord(dpy.get()).read()) return false;
    // Without the guardian's entry in main() a crash would leave the player at 800 x 600.
    if (!g_guardianEntryPresent) return false;
    const std::string displayName = DisplayString(dpy.get());
    // The player's set-up is the display's record, if another game switched first.
    const SavedCrtc players = JoinRecord(dpy.get(), *current, getpid());
    if (!StartGuardian(displayName, players)) {
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
  SayGoodbyeToGuardian();
  state.saved.reset();
  return restored;
}

int RunModeGuardianIfAsked(int argc, char** argv) {
  g_guardianEntryPresent = true;
  if (argc < 2 || argv[1] != kModeGuardianFlag) return -1;
  int fd = -1;
  std::optional<SavedCrtc> saved;
  long game = 0;
  if ((argc != 5 && argc != 6) || !ParseNumber(std::string_view(argv[2]), fd) || fd < 0 ||
      !(saved = DecodeSavedCrtc(argv[4])) ||
      (argc == 6 && (!ParseNumber(std::string_view(argv[5]), game) || game <= 0)))
    return 2;

  // The game's terminal and process group are not ours: only SIGTERM or SIGKILL end us.
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  signal(SIGINT, SIG_IGN);
  signal(SIGHUP, SIG_IGN);
  signal(SIGPIPE, SIG_IGN);

  for (;;) {
    char byte = 0;
    const ssize_t n = read(fd, &byte, 1);
    if (n == 1 && byte == kGoodbye) return 0;  // the game restored the mode itself
    if (n == 1 || (n < 0 && errno == EINTR)) continue;
    break;  // end of file: the game is gone without a goodbye
  }
  close(fd);
  DisplayPtr dpy = OpenDisplay(argv[3]);
  if (!dpy || !CanSwitchModes(dpy.get())) return 1;
  // The game leaves the display's record; when it held the switch last, the player's
  // set-up comes back.
  LeaveRecord(dpy.get(), game);
  return 0;
}

void InstallQuitSignalHandlers(std::function<void()> onQuit) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  QuitCallback() = std::move(onQuit);
  if (g_quitFds[0] < 0 &&
      socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_quitFds) != 0) {
    g_quitFds[0] = g_quitFds[1] = -1;
    return;
  }
  // One notifier per application object; a test may make several in turn.
  static QPointer<QSocketNotifier> notifier;
  if (!notifier) {
    notifier = new QSocketNotifier(g_quitFds[1], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
      char buffer[64];
      while (read(g_quitFds[1], buffer, sizeof buffer) > 0) {
      }
      const std::function<void()> callback = QuitCallback();
      if (callback) callback();
    });
  }
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &action, nullptr);
}

}  // namespace vandrel
