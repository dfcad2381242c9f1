// The sound module: SfxPlayer behind the SoundOutput interface.
#include <QtGlobal>

#include "ui/sfxplayer.h"
#include "ui/vandu_sound.h"

namespace vandrel {

// The module has its own copy of the sound names (the program's is not
// exported to modules).
const char* SoundName(Sound s) {
  switch (s) {
    case Sound::DICE:
      return "DICE";
    case Sound::ENDROW:
      return "ENDROW";
    case Sound::LOSE:
      return "LOSE";
    case Sound::MOVE:
      return "MOVE";
    case Sound::POP:
      return "POP";
    case Sound::WIN:
      return "WIN";
  }
  return "";
}

namespace {

class SfxOutput : public SoundOutput {
 public:
  void start(Sound snd) override { player_.start(snd); }
  int lengthMs(Sound snd) const override { return player_.lengthMs(snd); }

 private:
  SfxPlayer player_;
};

}  // namespace

}  // namespace vandrel

extern "C" Q_DECL_EXPORT vandrel::SoundOutput* vandrel_create_sound_output() {
  return new vandrel::SfxOutput;
}
