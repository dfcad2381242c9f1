#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <csignal>

#include "platform/quit_signals.h"

namespace vandrel {
namespace {

// Quit signals reach the callback on the event loop, never inside the signal handler.

class QuitSignals : public testing::Test {
 protected:
  void TearDown() override {
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, SIG_DFL);
  }

  // Runs the event loop until the count changes or a second has passed.
  static void RunEventsUntil(const int& count, int expected) {
    QDeadlineTimer deadline(1000);
    while (count < expected && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }

  int argc_ = 1;
  char name_[5] = "test";
  char* argv_[2] = {name_, nullptr};
};

TEST_F(QuitSignals, EachQuitSignalCallsBackOnTheEventLoop) {
  QCoreApplication app(argc_, argv_);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(sig);
    int calls = 0;
    InstallQuitSignalHandlers([&calls] { ++calls; });
    ASSERT_EQ(std::raise(sig), 0);  // the process lives on
    EXPECT_EQ(calls, 0);            // not from inside the handler
    RunEventsUntil(calls, 1);
    EXPECT_EQ(calls, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);  // one signal, one call
  }
}

TEST_F(QuitSignals, ANewCallbackReplacesTheOldOne) {
  QCoreApplication app(argc_, argv_);
  int first = 0, second = 0;
  InstallQuitSignalHandlers([&first] { ++first; });
  InstallQuitSignalHandlers([&second] { ++second; });
  std::raise(SIGTERM);
  RunEventsUntil(second, 1);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
}

TEST_F(QuitSignals, WorksAgainWithALaterApplicationObject) {
  {
    QCoreApplication first(argc_, argv_);
    InstallQuitSignalHandlers([] {});
  }  // takes the notifier with it
  QCoreApplication app(argc_, argv_);
  int calls = 0;
  InstallQuitSignalHandlers([&calls] { ++calls; });
  std::raise(SIGINT);
  RunEventsUntil(calls, 1);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace vandrel
