// The guardian: a small process that holds the player's saved screen set-up and puts it
// back itself if the game dies without saying goodbye (SIGKILL, a crash), so the player's
// screen never stays in the game's mode.
//
// The guardian is the same binary started again with a special first argument, so every
// program that switches modes must start its main() with
//
//     if (int rc = vandrel::RunModeGuardianIfAsked(argc, argv); rc >= 0) return rc;
//
// A program that never calls it gets no switch at all (see platform/screen_mode.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/saved_crtc.h"

namespace vandrel {

// Handles the guardian's command line. Returns -1 when this process is not a guardian
// (the program goes on), otherwise the guardian's exit code once it has done its job.
int RunModeGuardianIfAsked(int argc, char** argv);

inline constexpr std::string_view kModeGuardianFlag = "--vandrel-mode-guardian";

// The game's side, for the screen mode (GUI thread only).

// Whether main() calls RunModeGuardianIfAsked(): without it a crash would leave the
// player in the game's mode, so the screen mode makes no switch.
bool ModeGuardianEntryPresent();

// Starts the guardian for the display named `displayName`, holding `saved`. Returns
// whether it runs.
bool StartModeGuardian(const std::string& displayName, const SavedCrtc& saved);

// Tells the guardian the game has put the set-up back itself, and lets it go. Does
// nothing when no guardian runs.
void SayGoodbyeToModeGuardian();

}  // namespace vandrel
