// The JPEG adapter against the game's own pictures and against damaged data.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <random>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "ui/media/jpeg_image.h"

namespace {

using vandrel::DecodeJpeg;
using vandrel::LoadJpegResource;

QByteArray ReadResource(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll();
}

// Encodes a small picture with libjpeg, for formats the artwork does not use.
QByteArray Encode(int width, int height, bool gray, bool progressive, bool fullChroma = false) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = gray ? 1 : 3;
  cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  if (fullChroma) cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(width * cinfo.input_components);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < width; ++x) {
      if (gray) {
        row[x] = 200;
      } else {
        row[3 * x] = 220;  // a flat orange
        row[3 * x + 1] = 120;
        row[3 * x + 2] = 20;
      }
    }
    JSAMPROW line = row.data();
    jpeg_write_scanlines(&cinfo, &line, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  QByteArray out(reinterpret_cast<const char*>(buffer), int(size));
  std::free(buffer);
  return out;
}

// Bad data must come back as a null image with a reason; data that happens
// to decode must at least be a sane picture.
void ExpectCleanOutcome(const QByteArray& data, const std::string& what) {
  QString error;
  const QImage image = DecodeJpeg(data, &error);
  if (image.isNull()) {
    EXPECT_FALSE(error.isEmpty()) << what;
  } else {
    EXPECT_GT(image.width(), 0) << what;
    EXPECT_GT(image.height(), 0) << what;
    EXPECT_TRUE(error.isEmpty()) << what;
  }
}

// Format_RGB32 wants 0xFF in every pixel's top byte; painting and the
// screen trust it without looking.
bool EveryPixelOpaque(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((line[x] >> 24) != 0xFF) return false;
  }
  return true;
}

struct PictureSize {
  const char* path;
  int width;
  int height;
};

void PrintTo(const PictureSize& size, std::ostream* out) { *out << size.path; }

class RealPictures : public testing::TestWithParam<PictureSize> {};

TEST_P(RealPictures, DecodeAtTheirSizes) {
  QString error = QStringLiteral("stale");
  const QImage image = LoadJpegResource(GetParam().path, &error);
  ASSERT_FALSE(image.isNull()) << error.toStdString();
  EXPECT_TRUE(error.isEmpty());
  EXPECT_EQ(image.width(), GetParam().width);
  EXPECT_EQ(image.height(), GetParam().height);
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  EXPECT_TRUE(EveryPixelOpaque(image));
}

INSTANTIATE_TEST_SUITE_P(Art, RealPictures,
                         testing::Values(PictureSize{":/art/board.jpg", 560, 560},
                                         PictureSize{":/art/strip.jpg", 10, 796},
                                         PictureSize{":/art/prompt.jpg", 303, 227},
                                         PictureSize{":/art/title.jpg", 502, 269}),
                         [](const testing::TestParamInfo<PictureSize>& info) {
                           std::string name = QString::fromLatin1(info.param.path)
                                                  .section(QLatin1Char('/'), -1)
                                                  .section(QLatin1Char('.'), 0, 0)
                                                  .toStdString();
                           return name;
                         });

// Colours at chosen spots: what the window and the dialogs rely on.
TEST(JpegColours, StripIsDarkAtTheEdgesAndBrightGreenInTheMiddle) {
  const QImage strip = LoadJpegResource(QStringLiteral(":/art/strip.jpg"));
  ASSERT_FALSE(strip.isNull());
  const QColor middle = strip.pixelColor(5, 398);
  EXPECT_NEAR(middle.red(), 4, 8);
  EXPECT_NEAR(middle.green(), 124, 8);
  EXPECT_NEAR(middle.blue(), 0, 8);
  for (int y : {0, 795}) {
    const QColor edge = strip.pixelColor(5, y);
    EXPECT_LT(edge.green(), 20) << y;
    EXPECT_LT(edge.red() + edge.blue(), 16) << y;
  }
}

TEST(JpegColours, BoardCellsCarryTheirTeamColours) {
  const QImage board = LoadJpegResource(QStringLiteral(":/art/board.jpg"));
  ASSERT_FALSE(board.isNull());
  for (int col = 1; col <= 6; ++col) {
    const int cx = 70 * col + 35;
    const QColor blueCross = board.pixelColor(cx, 7 * 70 + 35);  // computer's end row
    EXPECT_GT(blueCross.blue(), blueCross.red() + 80) << col;
    EXPECT_GT(blueCross.blue(), blueCross.green() + 40) << col;
    const QColor greenCross = board.pixelColor(cx, 35);  // human's end row
    EXPECT_GT(greenCross.green(), greenCross.red() + 60) << col;
    EXPECT_GT(greenCross.green(), greenCross.blue() + 60) << col;
  }
  // Corners: red field beside the yellow lozenge.
  for (auto [x, y] : {std::pair{20, 5}, {490 + 20, 5}, {20, 490 + 5}, {490 + 20, 490 + 5}}) {
    const QColor red = board.pixelColor(x, y);
    EXPECT_GT(red.red(), 150) << x << "," << y;
    EXPECT_LT(red.green(), 90) << x << "," << y;
  }
  // The middle squares are light, so the pieces stand out on them.
  const QColor plain = board.pixelColor(2 * 70 + 8, 5 * 70 + 60);
  EXPECT_GT(plain.red(), 180);
  EXPECT_GT(plain.green(), 180);
  EXPECT_GT(plain.blue(), 150);
}

TEST(JpegColours, DialogPicturesKeepTheirLabelsReadable) {
  const QImage title = LoadJpegResource(QStringLiteral(":/art/title.jpg"));
  ASSERT_FALSE(title.isNull());
  // The web address (y 236..259) and the version label near (456, 72) are
  // pale yellow text; what lies beneath must stay dark.
  for (int y = 236; y < 260; y += 3)
    for (int x = 10; x < 492; x += 7) ASSERT_LT(qGray(title.pixel(x, y)), 110) << x << "," << y;
  for (int y = 68; y < 92; y += 2)
    for (int x = 452; x < 494; x += 3) ASSERT_LT(qGray(title.pixel(x, y)), 110) << x << "," << y;

  const QImage prompt = LoadJpegResource(QStringLiteral(":/art/prompt.jpg"));
  ASSERT_FALSE(prompt.isNull());
  EXPECT_GT(qGreen(prompt.pixel(151, 75)), qGreen(prompt.pixel(151, 26)));
  EXPECT_GT(qGreen(prompt.pixel(40, 180)), qBlue(prompt.pixel(40, 180)));    // green disc
  EXPECT_GT(qBlue(prompt.pixel(262, 180)), qGreen(prompt.pixel(262, 180)));  // blue disc
}

TEST(PieceBitmaps, OnlyTheBackgroundIsExactlyBlack) {
  struct Disc {
    const char* path;
    double radius;
    bool blue;
  };
  for (const Disc& disc : {Disc{":/art/blue.bmp", 29, true}, Disc{":/art/green.bmp", 28, false}}) {
    QImage image(QString::fromLatin1(disc.path));
    ASSERT_EQ(image.size(), QSize(58, 58)) << disc.path;
    EXPECT_EQ(image.pixel(0, 57) & 0xffffff, 0u) << disc.path;  // the colour key
    const QColor centre = image.pixelColor(29, 29);
    if (disc.blue) {
      EXPECT_GT(centre.blue(), centre.green() + 60) << disc.path;
    } else {
      EXPECT_GT(centre.green(), centre.blue() + 60) << disc.path;
    }
    for (int y = 0; y < 58; ++y)
      for (int x = 0; x < 58; ++x) {
        const double dx = x + 0.5 - 29, dy = y + 0.5 - 29;
        const bool black = (image.pixel(x, y) & 0xffffff) == 0;
        const double d2 = dx * dx + dy * dy;
        if (d2 < (disc.radius - 1) * (disc.radius - 1)) {
          ASSERT_FALSE(black) << disc.path << " " << x << "," << y;
        }
        if (d2 > (disc.radius + 1) * (disc.radius + 1)) {
          ASSERT_TRUE(black) << disc.path << " " << x << "," << y;
        }
      }
  }
}

// Formats the artwork does not use, but a replaced picture might.
TEST(JpegFormats, GrayscaleAndProgressiveDecodeToRgb) {
  struct Case {
    bool gray;
    bool progressive;
    QColor expected;
  };
  for (const Case& c :
       {Case{true, false, QColor(200, 200, 200)}, Case{false, true, QColor(220, 120, 20)},
        Case{true, true, QColor(200, 200, 200)}}) {
    QString error;
    const QImage image = DecodeJpeg(Encode(37, 21, c.gray, c.progressive), &error);
    ASSERT_FALSE(image.isNull()) << error.toStdString();
    EXPECT_EQ(image.size(), QSize(37, 21));
    EXPECT_TRUE(EveryPixelOpaque(image));
    const QColor got = image.pixelColor(18, 10);
    EXPECT_NEAR(got.red(), c.expected.red(), 4);
    EXPECT_NEAR(got.green(), c.expected.green(), 4);
    EXPECT_NEAR(got.blue(), c.expected.blue(), 4);
  }
}

TEST(JpegErrors, EmptyMissingAndForeignDataAreReported) {
  QString error;
  EXPECT_TRUE(DecodeJpeg(QByteArray(), &error).isNull());
  EXPECT_FALSE(error.isEmpty());

  error.clear();
  EXPECT_TRUE(LoadJpegResource(QStringLiteral(":/art/nothing.jpg"), &error).isNull());
  EXPECT_TRUE(error.contains(QStringLiteral("nothing.jpg"))) << error.toStdString();

  error.clear();
  EXPECT_TRUE(DecodeJpeg(ReadResource(QStringLiteral(":/art/icon.png")), &error).isNull());
  EXPECT_FALSE(error.isEmpty());

  // The error pointer is optional.
  EXPECT_TRUE(DecodeJpeg(QByteArray("\xff\xd8\xff", 3)).isNull());
}

// Rewrites the frame header's size.
void ClaimSize(QByteArray& data, int width, int height) {
  int at = 2;
  while (at + 4 < data.size() && !(uchar(data[at + 1]) >= 0xc0 && uchar(data[at + 1]) <= 0xc2))
    at += 2 + (uchar(data[at + 2]) << 8 | uchar(data[at + 3]));
  ASSERT_LT(at + 9, data.size());
  data[at + 5] = char(height >> 8);
  data[at + 6] = char(height);
  data[at + 7] = char(width >> 8);
  data[at + 8] = char(width);
}

TEST(JpegErrors, AbsurdDimensionsAreRefusedBeforeDecoding) {
  QByteArray data = ReadResource(QStringLiteral(":/art/strip.jpg"));
  ClaimSize(data, 60000, 60000);
  QString error;
  EXPECT_TRUE(DecodeJpeg(data, &error).isNull());
  EXPECT_FALSE(error.isEmpty());
}

// A progressive picture keeps all its coefficients until the last scan. One
// within the pixel cap whose coefficients would take more than the decoder's
// memory cap (4000 x 4000 at full colour resolution: 96 MB) is refused
// before that memory is taken.
TEST(JpegErrors, ProgressivePicturesBeyondTheMemoryCapAreRefused) {
  QByteArray data = Encode(16, 16, false, true, true);
  ClaimSize(data, 4000, 4000);
  QString error;
  EXPECT_TRUE(DecodeJpeg(data, &error).isNull());
  EXPECT_TRUE(error.contains(QStringLiteral("Backing store"))) << error.toStdString();
}

TEST(JpegErrors, EveryTruncationIsAnError) {
  for (const char* path : {":/art/strip.jpg", ":/art/prompt.jpg"}) {
    const QByteArray full = ReadResource(QString::fromLatin1(path));
    ASSERT_FALSE(DecodeJpeg(full).isNull());
    const int step = full.size() < 2000 ? 1 : 37;
    for (int length = 0; length < full.size(); length += step) {
      QString error;
      const QImage image = DecodeJpeg(full.left(length), &error);
      ASSERT_TRUE(image.isNull()) << path << " cut at " << length;
      ASSERT_FALSE(error.isEmpty()) << path << " cut at " << length;
    }
  }
}

TEST(JpegErrors, FlippedBitsNeverCrash) {
  const QByteArray full = ReadResource(QStringLiteral(":/art/prompt.jpg"));
  // Every bit of the headers, then bits scattered over the compressed data.
  int headerEnd = full.indexOf(QByteArray("\xff\xda", 2)) + 16;
  ASSERT_GT(headerEnd, 16);
  std::mt19937 random(7);
  std::vector<int> positions;
  for (int i = 0; i < headerEnd; ++i) positions.push_back(i);
  for (int i = 0; i < 300; ++i) positions.push_back(int(random() % full.size()));
  for (int position : positions)
    for (int bit = 0; bit < 8; ++bit) {
      QByteArray damaged = full;
      damaged[position] = char(damaged[position] ^ (1 << bit));
      ExpectCleanOutcome(damaged,
                         "bit " + std::to_string(bit) + " of byte " + std::to_string(position));
    }
}

TEST(JpegErrors, RandomBytesAreRejected) {
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    QByteArray data(int(random() % 4096) + 1, '\0');
    for (char& c : data) c = char(random());
    if (round % 2 == 0 && data.size() >= 2) {  // half of them look like a JPEG at first
      data[0] = char(0xff);
      data[1] = char(0xd8);
    }
    QString error;
    EXPECT_TRUE(DecodeJpeg(data, &error).isNull()) << round;
    EXPECT_FALSE(error.isEmpty()) << round;
  }
}

}  // namespace
