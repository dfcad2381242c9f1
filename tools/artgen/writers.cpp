// File writers for the formats the program reads: baseline JPEG through
// libjpeg, and 24-bit Windows bitmaps for the pieces.
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <cstdlib>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "tools/artgen/art.h"

namespace artgen {

bool WriteJpeg(const QImage& image, const QString& path, int quality, QString* error) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);  // our own images: libjpeg's default exit is fine
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = rgb.width();
  cinfo.image_height = rgb.height();
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  // Full colour resolution: the red-and-yellow corners and the thin team
  // lines smear badly with the usual halved chroma.
  for (int i = 0; i < cinfo.num_components; ++i) {
    cinfo.comp_info[i].h_samp_factor = 1;
    cinfo.comp_info[i].v_samp_factor = 1;
  }
  cinfo.optimize_coding = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);

  QSaveFile file(path);
  bool ok = file.open(QIODevice::WriteOnly) &&
            file.write(reinterpret_cast<const char*>(buffer), qint64(size)) == qint64(size) &&
            file.commit();
  std::free(buffer);
  if (!ok && error) *error = file.errorString();
  return ok;
}

bool WriteBmp24(const QImage& image, const QString& path, QString* error) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const int w = rgb.width(), h = rgb.height();
  const int stride = (w * 3 + 3) & ~3;
  const quint32 pixels = quint32(stride) * h;
  std::vector<unsigned char> out(54 + pixels, 0);
  auto put16 = [&](size_t at, quint32 v) {
    out[at] = v & 0xff;
    out[at + 1] = (v >> 8) & 0xff;
  };
  auto put32 = [&](size_t at, quint32 v) {
    put16(at, v & 0xffff);
    put16(at + 2, v >> 16);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, 54 + pixels);  // file size
  put32(10, 54);          // offset of the pixels
  put32(14, 40);          // BITMAPINFOHEADER
  put32(18, quint32(w));
  put32(22, quint32(h));  // positive: rows run bottom-up
  put16(26, 1);           // planes
  put16(28, 24);          // bits per pixel
  put32(34, pixels);
  put32(38, 2835);  // 72 dpi
  put32(42, 2835);
  for (int y = 0; y < h; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(h - 1 - y));
    unsigned char* row = out.data() + 54 + size_t(y) * stride;
    for (int x = 0; x < w; ++x) {
      row[3 * x] = qBlue(line[x]);
      row[3 * x + 1] = qGreen(line[x]);
      row[3 * x + 2] = qRed(line[x]);
    }
  }
  QSaveFile file(path);
  const bool ok = file.open(QIODevice::WriteOnly) &&
                  file.write(reinterpret_cast<const char*>(out.data()), qint64(out.size())) ==
                      qint64(out.size()) &&
                  file.commit();
  if (!ok && error) *error = file.errorString();
  return ok;
}

}  // namespace artgen
