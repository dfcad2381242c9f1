#include "ui/sound/sound_module.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

namespace vandrel {

std::unique_ptr<SoundOutput> LoadSoundModule() {
  // Next to the program in the build tree; in its library folder once
  // installed, found from the program's own folder.
  const QString here = QCoreApplication::applicationDirPath();
  QStringList dirs{here};
#ifdef VANDREL_SOUND_MODULE_DIR
  dirs << here + QStringLiteral("/" VANDREL_SOUND_MODULE_DIR);
#endif
  using Create = SoundOutput* (*)();
  for (const QString& dir : dirs) {
    // Never unloaded: the players it makes live until the window goes.
    QLibrary module(dir + QStringLiteral("/vandrel_sound"));
    if (auto create = reinterpret_cast<Create>(module.resolve("vandrel_create_sound_output"))) {
      return std::unique_ptr<SoundOutput>(create());
    }
  }
  return nullptr;
}

}  // namespace vandrel
