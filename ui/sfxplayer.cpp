#include "ui/sfxplayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QUrl>
#include <cstring>

namespace vandrel {
namespace {

uint32_t Le32(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<uint32_t>(u[3]) << 24);
}
uint16_t Le16(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return static_cast<uint16_t>(u[0] | (u[1] << 8));
}

void PutLe32(char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Silence put around each sound before it is handed to QSoundEffect, for two
// faults of Qt 6.4 on PulseAudio:
//  - A new stream can lose its first bytes, some 20 ms of them, when they
//    reach the server late. The lead-in is lost instead; it delays every
//    sound alike.
//  - The stream is stopped as soon as the last bytes are written, which
//    throws away what the server still holds, about the last 100 ms. The
//    tail is thrown away instead.
constexpr int kLeadInMs = 40;
constexpr int kTailMs = 400;

// The sound's WAVE file framed in silence, or nothing when it is not the
// plain 44-byte-header file the generator writes.
QByteArray WithSilence(const QByteArray& wav, const WavInfo& info) {
  if (wav.size() != 44 + info.dataBytes) return {};
  const int frame = info.channels * info.bits / 8;
  const char zero = info.bits == 8 ? '\x80' : '\0';
  const auto silence = [&](int ms) {
    return QByteArray(static_cast<qsizetype>(info.rate) * ms / 1000 * frame, zero);
  };
  QByteArray out = wav.left(44) + silence(kLeadInMs) + wav.mid(44) + silence(kTailMs);
  PutLe32(out.data() + 4, static_cast<uint32_t>(out.size() - 8));
  PutLe32(out.data() + 40, static_cast<uint32_t>(out.size() - 44));
  return out;
}

constexpr std::array<Sound, kSoundCount> kAllSounds = {Sound::DICE, Sound::ENDROW, Sound::LOSE,
                                                       Sound::MOVE, Sound::POP,    Sound::WIN};

}  // namespace

std::optional<WavInfo> ParseWav(const QByteArray& bytes) {
  const char* b = bytes.constData();
  const int64_t size = bytes.size();
  if (size < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  WavInfo info;
  bool haveFormat = false, haveData = false;
  int64_t pos = 12;
  while (pos + 8 <= size && !haveData) {
    const char* chunk = b + pos;
    const int64_t len = Le32(chunk + 4);
    const int64_t body = pos + 8;
    if (len > size - body) return std::nullopt;  // runs past the end
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (len < 16) return std::nullopt;
      if (Le16(chunk + 8) != 1) return std::nullopt;  // only plain PCM
      info.channels = Le16(chunk + 10);
      info.rate = static_cast<int>(Le32(chunk + 12));
      info.bits = Le16(chunk + 22);
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) return std::nullopt;
      info.dataBytes = len;
      haveData = true;
    }
    pos = body + len + (len & 1);  // chunks are padded to even sizes
  }
  if (!haveFormat || !haveData) return std::nullopt;
  if (info.channels < 1 || info.rate < 1 || info.bits < 8 || info.bits > 32 || info.bits % 8) {
    return std::nullopt;
  }
  const int64_t bytesPerSecond = static_cast<int64_t>(info.rate) * info.channels * (info.bits / 8);
  info.lengthMs = static_cast<int>((info.dataBytes * 1000 + bytesPerSecond - 1) / bytesPerSecond);
  return info;
}

SfxPlayer::SfxPlayer(QObject* parent) : QObject(parent) {
  const QAudioDevice output = QMediaDevices::defaultAudioOutput();
  available_ = !output.isNull();
  if (available_) tails_ = std::make_unique<QTemporaryDir>();
  for (Sound snd : kAllSounds) {
    const auto i = static_cast<size_t>(snd);
    const QString name = QString::fromLatin1(SoundName(snd));
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(name));
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray wav = file.readAll();
    const auto info = ParseWav(wav);
    if (!info) continue;
    lengths_[i] = info->lengthMs;
    if (!available_) continue;
    // Played from a copy framed in silence when one can be written, else
    // straight from the resource (and then cut a little short).
    QUrl source(QStringLiteral("qrc:/sounds/%1.wav").arg(name));
    const QByteArray padded = WithSilence(wav, *info);
    if (tails_->isValid() && !padded.isEmpty()) {
      QFile copy(tails_->filePath(name + QStringLiteral(".wav")));
      if (copy.open(QIODevice::WriteOnly) && copy.write(padded) == padded.size()) {
        source = QUrl::fromLocalFile(copy.fileName());
      }
    }
    for (QSoundEffect*& effect : effects_[i]) {
      effect = new QSoundEffect(output, this);
      effect->setSource(source);
    }
  }
}

SfxPlayer::~SfxPlayer() {
  // The sounds go before the folder their files are in.
  for (auto& pair : effects_) {
    for (QSoundEffect*& effect : pair) {
      delete effect;
      effect = nullptr;
    }
  }
}

void SfxPlayer::start(Sound snd) {
  const auto i = static_cast<size_t>(snd);
  if (!available_ || !effects_[i][0]) return;
  // A capture plays MOVE, POP, MOVE: the second MOVE comes while the first
  // one's silent tail is still streaming. Restarting a stream that runs
  // stutters and comes late, so take turns with the other copy.
  next_[i] ^= 1;
  QSoundEffect* effect = effects_[i][next_[i]];
  if (effect->isPlaying()) effect->stop();
  effect->play();
}

int SfxPlayer::lengthMs(Sound snd) const {
  return available_ ? lengths_[static_cast<size_t>(snd)] : 0;
}

}  // namespace vandrel
