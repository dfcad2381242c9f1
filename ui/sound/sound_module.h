// The sound effects, loaded as a module of their own once the window is up.
//
// SDL2_mixer and the sound libraries under it take a while to load, and
// opening the audio output means reaching the sound server, which would hold
// up the first picture of the window. So the sound player (SfxPlayer) is
// built into a small module next to the program, and the window loads it
// right after its first paint. Without the module the game is silent.
#pragma once

#include <memory>

#include "rules/presentation.h"

namespace vandrel {

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Starts the sound and returns at once.
  virtual void start(Sound snd) = 0;
  // How long the sound plays, in ms; 0 when nothing is played.
  virtual int lengthMs(Sound snd) const = 0;
};

// Loads the module from the program's folder and creates its player, or
// answers nullptr.
std::unique_ptr<SoundOutput> LoadSoundModule();

}  // namespace vandrel

// The module's one entry point.
extern "C" vandrel::SoundOutput* vandrel_create_sound_output();
