#include "platform/mode_guardian.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/crtc_setup.h"

namespace vandrel {
namespace {

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
