// The sound module: SfxPlayer behind the SoundOutput interface.
#include <QtGlobal>

#include "ui/sound/sfx_player.h"
#include "ui/sound/sound_module.h"

namespace vandrel {

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
