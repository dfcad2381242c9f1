#include "ui/media/jpeg_image.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace vandrel {
namespace {

// Pictures larger than this are refused before any pixel memory is taken.
// Ours are at most a screen's size.
constexpr JDIMENSION kMaxSide = 16384;
constexpr unsigned long long kMaxPixels = 16ull * 1024 * 1024;
// What libjpeg may take for its own buffers. A progressive picture keeps all
// its coefficients (two bytes per sample) until the last scan; past this cap
// it is refused instead of growing without bound.
constexpr long kMaxDecoderMemory = 64l * 1024 * 1024;

// libjpeg reports fatal errors through error_exit, which must not return.
// We jump back to the decoder's frame and report the message instead.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// Everything the decoder changes lives here, outside the frame that calls
// setjmp, so it keeps its value across the longjmp.
struct Decoder {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, manager->message);
  std::longjmp(manager->jump, 1);
}

// Warnings mean damaged data (a premature end of the file, bytes where a
// marker should be, ...). A damaged picture is an error for us, not a
// half-grey board.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

// Runs libjpeg on the bytes and fills *image. Returns nullptr on success,
// otherwise the reason. No C++ object with a destructor lives in this frame
// across a libjpeg call, so the longjmp out of ErrorExit skips nothing, and
// the frame's own variables (the parameters) never change after setjmp.
const char* RunDecoder(const unsigned char* bytes, unsigned long size, QImage* image, Decoder* d) {
  jpeg_decompress_struct* const cinfo = &d->cinfo;
  cinfo->err = jpeg_std_error(&d->errors.pub);
  d->errors.pub.error_exit = ErrorExit;
  d->errors.pub.emit_message = EmitMessage;
  d->errors.pub.output_message = OutputMessage;
  d->errors.message[0] = '\0';

  if (setjmp(d->errors.jump) != 0) {
    jpeg_destroy_decompress(&d->cinfo);
    return d->errors.message;
  }

  jpeg_create_decompress(cinfo);
  cinfo->mem->max_memory_to_use = kMaxDecoderMemory;
  jpeg_mem_src(cinfo, bytes, size);
  if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(cinfo);
    return "no JPEG image in the data";
  }
  if (cinfo->image_width == 0 || cinfo->image_height == 0 || cinfo->image_width > kMaxSide ||
      cinfo->image_height > kMaxSide ||
      static_cast<unsigned long long>(cinfo->image_width) * cinfo->image_height > kMaxPixels) {
    jpeg_destroy_decompress(cinfo);
    return "the picture's size is out of range";
  }

  // Straight into Qt's 32-bit layout (B, G, R, 0xFF in memory), the one the
  // screen takes: no second buffer and no conversion afterwards.
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "JCS_EXT_BGRX is QImage::Format_RGB32 only here");
  cinfo->out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(cinfo);
  if (cinfo->output_components != 4) {
    jpeg_destroy_decompress(cinfo);
    return "unsupported colour layout";
  }

  *image = QImage(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height),
                  QImage::Format_RGB32);
  if (image->isNull()) {
    jpeg_destroy_decompress(cinfo);
    return "out of memory for the picture";
  }

  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(cinfo->output_scanline));
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) {
      jpeg_destroy_decompress(cinfo);
      return "the picture's data ends early";
    }
  }
  jpeg_finish_decompress(cinfo);
  jpeg_destroy_decompress(cinfo);
  return nullptr;
}

QImage Fail(QString* error, const QString& reason) {
  if (error) *error = reason;
  return QImage();
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data, QString* error) {
  if (data.isEmpty()) return Fail(error, QStringLiteral("empty JPEG data"));

  QImage image;
  Decoder decoder;
  const char* failure = RunDecoder(reinterpret_cast<const unsigned char*>(data.constData()),
                                   static_cast<unsigned long>(data.size()), &image, &decoder);
  if (failure) {
    const QString text = QString::fromLocal8Bit(failure);
    return Fail(error, text.isEmpty() ? QStringLiteral("JPEG decoding failed") : text);
  }
  if (error) error->clear();
  return image;
}

QImage LoadJpegResource(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return Fail(error, QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
  QString reason;
  QImage image = DecodeJpeg(file.readAll(), &reason);
  if (image.isNull()) return Fail(error, QStringLiteral("%1: %2").arg(path, reason));
  if (error) error->clear();
  return image;
}

}  // namespace vandrel
