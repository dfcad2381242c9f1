#include "platform/mode_guardian.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/crtc_setup.h"

namespace vandrel {
namespace {

using randr::ParseNumber;

constexpr char kGoodbye = 'B';
constexpr int kGuardianFd = 3;

// The write end of the pipe to the guardian, while one runs.
int g_guardianFd = -1;
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

}  // namespace

bool ModeGuardianEntryPresent() { return g_guardianEntryPresent; }

void SayGoodbyeToModeGuardian() {
  if (g_guardianFd < 0) return;
  WriteIgnoringSigpipe(g_guardianFd, kGoodbye);
  close(g_guardianFd);
  g_guardianFd = -1;
}

// Starts the guardian as a grandchild (so it never lingers as our zombie), in a session of
// its own, with nothing of ours but the read end of the pipe as fd 3.
bool StartModeGuardian(const std::string& displayName, const SavedCrtc& saved) {
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
  char* argv[] = {argv0.data(),   flag.data(), fdArg.data(), display.data(),
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
  g_guardianFd = fds[1];
  return true;
}

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
  randr::DisplayPtr dpy = randr::OpenDisplay(argv[3]);
  if (!dpy || !randr::CanSwitchModes(dpy.get())) return 1;
  // The game leaves the display's record; when it held the switch last, the player's
  // set-up comes back.
  randr::LeaveRecord(dpy.get(), game);
  return 0;
}

}  // namespace vandrel
