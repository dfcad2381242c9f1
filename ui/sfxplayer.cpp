#include "ui/sfxplayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
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
  for (Sound snd : kAllSounds) {
    const auto i = static_cast<size_t>(snd);
    const QString name = QString::fromLatin1(SoundName(snd));
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(name));
    if (file.open(QIODevice::ReadOnly)) {
      if (auto info = ParseWav(file.readAll())) lengths_[i] = info->lengthMs;
    }
    if (!available_) continue;
    auto* effect = new QSoundEffect(output, this);
    effect->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(name)));
    effects_[i] = effect;
  }
}

SfxPlayer::~SfxPlayer() = default;

void SfxPlayer::start(Sound snd) {
  QSoundEffect* effect = effects_[static_cast<size_t>(snd)];
  if (!available_ || !effect) return;
  // The backend may still think the previous run is playing (its end is
  // reported late); start again from the beginning all the same.
  if (effect->isPlaying()) effect->stop();
  effect->play();
}

int SfxPlayer::lengthMs(Sound snd) const {
  return available_ ? lengths_[static_cast<size_t>(snd)] : 0;
}

}  // namespace vandrel
