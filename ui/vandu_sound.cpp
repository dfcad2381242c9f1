#include "ui/vandu_sound.h"

#include <QCoreApplication>
#include <QLibrary>

namespace vandrel {

std::unique_ptr<SoundOutput> LoadSoundModule() {
  // Never unloaded: the players it makes live until the window goes.
  QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/vandrel_sound"));
  using Create = SoundOutput* (*)();
  auto create = reinterpret_cast<Create>(module.resolve("vandrel_create_sound_output"));
  if (!create) return nullptr;
  return std::unique_ptr<SoundOutput>(create());
}

}  // namespace vandrel
