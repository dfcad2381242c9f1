// libFuzzer target for the JPEG adapter: any bytes give a picture or a
// reason, never both and never neither, within the adapter's memory caps.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "ui/media/jpeg_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QString error;
  const QImage image = vandrel::DecodeJpeg(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)), &error);
  if (image.isNull() == error.isEmpty()) std::abort();
  return 0;
}
