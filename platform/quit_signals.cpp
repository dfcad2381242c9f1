#include "platform/quit_signals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <cerrno>

namespace vandrel {
namespace {

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
