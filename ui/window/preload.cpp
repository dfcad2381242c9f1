#include "ui/window/preload.h"

#include <fontconfig/fontconfig.h>

#include <QThread>
#include <future>

#include "ui/media/jpeg_image.h"

// Qt's resource initialisers are declared outside every namespace.
static void InitCompiledResources() {
  Q_INIT_RESOURCE(art);
  Q_INIT_RESOURCE(sounds);
  Q_INIT_RESOURCE(help);
}

namespace vandrel {

namespace {

StartUpPictures DecodePictures() {
  return {LoadJpegResource(QStringLiteral(":/art/board.jpg")),
          LoadJpegResource(QStringLiteral(":/art/strip.jpg"))};
}

std::future<StartUpPictures>& PreloadSlot() {
  static std::future<StartUpPictures> pictures;
  return pictures;
}

}  // namespace

void InitResources() { InitCompiledResources(); }

void Preload() {
  InitResources();
  // Qt takes the first thread that asks for its thread data as the main
  // thread. Ask here, before the decoding thread opens its resource files,
  // or the application object would find itself on a foreign thread.
  (void)QThread::currentThread();
  // The font configuration (every file under /etc/fonts, parsed) is the
  // process's own: read there too, Qt's first text finds it read. One thread
  // for both: the display's server needs the other processor meanwhile.
  PreloadSlot() = std::async(std::launch::async, [] {
    StartUpPictures pictures = DecodePictures();
    FcInit();
    return pictures;
  });
}

StartUpPictures TakeStartUpPictures() {
  return PreloadSlot().valid() ? PreloadSlot().get() : DecodePictures();
}

}  // namespace vandrel
