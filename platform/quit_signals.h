// Leaving cleanly on quit signals: SIGINT, SIGTERM and SIGHUP become a call on the GUI
// thread, so the main window can close as on "Bye!" and put the screen mode back.
#pragma once

#include <functional>

namespace vandrel {

// SIGINT, SIGTERM and SIGHUP call onQuit on the GUI thread (through a socket pair and a
// QSocketNotifier), so the main window can close normally and restore the mode. Needs a
// QCoreApplication; calling it again replaces the callback.
void InstallQuitSignalHandlers(std::function<void()> onQuit);

}  // namespace vandrel
