// The WAVE header reader and the sound player without a sound server.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtEndian>

#include "ui/sound/sfx_player.h"

namespace vandrel {
namespace {

QByteArray Le32(uint32_t v) {
  QByteArray b(4, '\0');
  qToLittleEndian<quint32>(v, b.data());
  return b;
}
QByteArray Le16(uint16_t v) {
  QByteArray b(2, '\0');
  qToLittleEndian<quint16>(v, b.data());
  return b;
}

QByteArray Chunk(const char* tag, const QByteArray& body) {
  QByteArray c = QByteArray(tag, 4) + Le32(body.size()) + body;
  if (body.size() & 1) c += '\0';
  return c;
}

QByteArray Fmt(int format, int channels, int rate, int bits, int extra = 0) {
  const int frame = channels * bits / 8;
  return Chunk("fmt ", Le16(format) + Le16(channels) + Le32(rate) + Le32(rate * frame) +
                           Le16(frame) + Le16(bits) + QByteArray(extra, '\0'));
}

QByteArray Riff(const QByteArray& chunks) {
  return "RIFF" + Le32(4 + chunks.size()) + "WAVE" + chunks;
}

QByteArray MonoWav(int rate, int dataBytes) {
  return Riff(Fmt(1, 1, rate, 16) + Chunk("data", QByteArray(dataBytes, '\0')));
}

struct GoodCase {
  const char* what;
  QByteArray bytes;
  int channels, rate, bits;
  int64_t dataBytes;
  int lengthMs;
};

TEST(ParseWav, ReadsWellFormedHeaders) {
  const GoodCase cases[] = {
      {"the dice sound's size", MonoWav(22050, 19196), 1, 22050, 16, 19196, 436},
      {"exactly one second", MonoWav(22050, 44100), 1, 22050, 16, 44100, 1000},
      {"one frame more rounds up", MonoWav(22050, 44102), 1, 22050, 16, 44102, 1001},
      {"44.1 kHz", MonoWav(44100, 4392), 1, 44100, 16, 4392, 50},
      {"empty data", MonoWav(22050, 0), 1, 22050, 16, 0, 0},
      {"stereo 8-bit", Riff(Fmt(1, 2, 8000, 8) + Chunk("data", QByteArray(16000, 1))), 2, 8000, 8,
       16000, 1000},
      {"extended fmt chunk", Riff(Fmt(1, 1, 22050, 16, 2) + Chunk("data", QByteArray(4410, 0))), 1,
       22050, 16, 4410, 100},
      {"odd chunk skipped with its padding",
       Riff(Fmt(1, 1, 22050, 16) + Chunk("LIST", QByteArray(5, 'x')) +
            Chunk("data", QByteArray(4410, 0))),
       1, 22050, 16, 4410, 100},
      {"trailing chunk after data",
       Riff(Fmt(1, 1, 22050, 16) + Chunk("data", QByteArray(4410, 0)) + Chunk("cue ", "abcd")), 1,
       22050, 16, 4410, 100},
  };
  for (const GoodCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto info = ParseWav(c.bytes);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->channels, c.channels);
    EXPECT_EQ(info->rate, c.rate);
    EXPECT_EQ(info->bits, c.bits);
    EXPECT_EQ(info->dataBytes, c.dataBytes);
    EXPECT_EQ(info->lengthMs, c.lengthMs);
  }
}

TEST(ParseWav, RefusesBrokenHeaders) {
  const QByteArray good = MonoWav(22050, 100);
  QByteArray notRiff = good;
  notRiff[0] = 'X';
  QByteArray notWave = good;
  notWave[8] = 'X';
  QByteArray dataTooLong = good;
  qToLittleEndian<quint32>(101, dataTooLong.data() + 40);
  const struct {
    const char* what;
    QByteArray bytes;
  } cases[] = {
      {"nothing", QByteArray()},
      {"cut inside the RIFF header", good.left(10)},
      {"cut inside the fmt chunk", good.left(30)},
      {"cut before the data chunk", good.left(36)},
      {"not RIFF", notRiff},
      {"not WAVE", notWave},
      {"data runs past the end", dataTooLong},
      {"no fmt chunk", Riff(Chunk("data", QByteArray(100, 0)))},
      {"data before fmt", Riff(Chunk("data", QByteArray(100, 0)) + Fmt(1, 1, 22050, 16))},
      {"no data chunk", Riff(Fmt(1, 1, 22050, 16))},
      {"short fmt chunk", Riff(Chunk("fmt ", QByteArray(14, 1)) + Chunk("data", "ab"))},
      {"floating point", Riff(Fmt(3, 1, 22050, 32) + Chunk("data", "abcd"))},
      {"no channels", Riff(Fmt(1, 0, 22050, 16) + Chunk("data", "ab"))},
      {"zero rate", Riff(Fmt(1, 1, 0, 16) + Chunk("data", "ab"))},
      {"12-bit samples", Riff(Fmt(1, 1, 22050, 12) + Chunk("data", "ab"))},
      {"random bytes", QByteArray("RIFF\xff\xff\xff\xffWAVEfmt \xff\xff\xff\xff", 20)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(ParseWav(c.bytes).has_value());
  }
}

// The sounds compiled into the program, as the player reads them.
TEST(SoundResources, HaveTheFormatsAndLengthsTheGameWaitsFor) {
  const struct {
    Sound snd;
    int rate;
    int lengthMs;
  } cases[] = {
      {Sound::DICE, 22050, 436}, {Sound::ENDROW, 22050, 101}, {Sound::LOSE, 22050, 1938},
      {Sound::MOVE, 22050, 120}, {Sound::POP, 44100, 50},     {Sound::WIN, 22050, 4504},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(SoundName(c.snd));
    QFile f(QStringLiteral(":/sounds/%1.wav").arg(SoundName(c.snd)));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const auto info = ParseWav(f.readAll());
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->channels, 1);
    EXPECT_EQ(info->bits, 16);
    EXPECT_EQ(info->rate, c.rate);
    EXPECT_EQ(info->lengthMs, c.lengthMs);
  }
}

// main() points the sound client at a server that does not exist.
TEST(SfxPlayer, WithoutASoundServerPlaysNothingAndNeverWaits) {
  QElapsedTimer clock;
  clock.start();
  SfxPlayer player;
  EXPECT_FALSE(player.available());
  EXPECT_LT(clock.elapsed(), 2000) << "finding no server took long";
  clock.restart();
  for (Sound s : {Sound::DICE, Sound::ENDROW, Sound::LOSE, Sound::MOVE, Sound::POP, Sound::WIN}) {
    SCOPED_TRACE(SoundName(s));
    player.start(s);
    EXPECT_EQ(player.lengthMs(s), 0);
  }
  EXPECT_LT(clock.elapsed(), 100);
}

}  // namespace
}  // namespace vandrel

int main(int argc, char** argv) {
  // No sound server: an address nobody listens on, and no starting one.
  QTemporaryDir home;
  QFile conf(home.filePath(QStringLiteral("client.conf")));
  if (conf.open(QIODevice::WriteOnly)) conf.write("autospawn = no\n");
  conf.close();
  qputenv("PULSE_CLIENTCONFIG", conf.fileName().toLocal8Bit());
  qputenv("PULSE_SERVER",
          home.filePath(QStringLiteral("no-server")).prepend("unix:").toLocal8Bit());
  qputenv("PIPEWIRE_RUNTIME_DIR", home.path().toLocal8Bit());
  // Only the sound servers' drivers: a machine's own sound card must not
  // count as a server.
  qputenv("SDL_AUDIODRIVER", "pulseaudio,pipewire");
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
