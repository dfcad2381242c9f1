#include "ui/sound/sfx_player.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <QCoreApplication>
#include <QFile>
#include <chrono>
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

// The mixer's output: CD rate, stereo, 768 frames (17 ms) a buffer. While
// the stream is open each buffer wakes the program, so the buffer is a
// trade: 512 frames cost up to 2 % of a core between sounds; 1024 bring a
// sound's start close to 50 ms on PipeWire. SDL converts to whatever the
// device takes; the format never changes, so the loaded sounds fit every
// device the player opens.
constexpr int kRate = 44100;
constexpr int kBufferFrames = 768;
// How often a lost device is looked for again, at most.
constexpr int64_t kRetryMs = 1000;
// How long the stream stays open after the last sound has ended.
constexpr int kRestAfterMs = 10000;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

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

SfxPlayer::SfxPlayer() {
  bool set = false;
  const int restAfter = qEnvironmentVariableIntValue("VANDREL_SFX_IDLE_MS", &set);
  restAfterMs_ = set && restAfter > 0 ? restAfter : kRestAfterMs;
  restTimer_.setSingleShot(true);
  restTimer_.setTimerType(Qt::CoarseTimer);
  restTimer_.callOnTimeout([this] { rest(); });
  for (Sound snd : kAllSounds) {
    const auto i = static_cast<size_t>(snd);
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(SoundName(snd))));
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray wav = file.readAll();
    if (const auto info = ParseWav(wav)) {
      wavs_[i] = wav;
      lengths_[i] = info->lengthMs;
    }
  }
  // SDL is a guest in a Qt program: no signal handlers of its own.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Vandrel");
  // The stream's name, as the desktop's volume control lists it (SDL keeps a copy).
  //: The game's sound stream in the desktop's volume control.
  SDL_SetHint(
      SDL_HINT_AUDIO_DEVICE_STREAM_NAME,
      QCoreApplication::translate("vandrel::SfxPlayer", "Sound effects").toUtf8().constData());
  events_ = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
  if (open()) {
    driver_ = SDL_GetCurrentAudioDriver();
    restTimer_.start(restAfterMs_);
  }
}

SfxPlayer::~SfxPlayer() {
  close();
  for (Mix_Chunk*& chunk : chunks_) {
    if (chunk) Mix_FreeChunk(chunk);
    chunk = nullptr;
  }
  if (events_) SDL_QuitSubSystem(SDL_INIT_EVENTS);
  SDL_Quit();
}

bool SfxPlayer::open() {
  // A fresh audio subsystem each time: after a loss SDL's connection to the
  // sound server is dead and only a new start makes another.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, 2, kBufferFrames, nullptr, 0) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(1);
  // Loaded once, converted to the mixer's format, which every device shares.
  for (size_t i = 0; i < chunks_.size(); ++i) {
    if (chunks_[i] || wavs_[i].isEmpty()) continue;
    SDL_RWops* rw = SDL_RWFromConstMem(wavs_[i].constData(), static_cast<int>(wavs_[i].size()));
    chunks_[i] = Mix_LoadWAV_RW(rw, 1);
  }
  if (events_) SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  open_ = true;
  return true;
}

void SfxPlayer::close() {
  restTimer_.stop();
  resting_ = false;
  if (!open_) return;
  open_ = false;
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SfxPlayer::deviceRemoved() {
  if (!events_) return false;
  bool removed = false;
  SDL_Event e;
  while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_AUDIODEVICEREMOVED, SDL_AUDIODEVICEREMOVED) > 0) {
    if (!e.adevice.iscapture) removed = true;
  }
  // Nothing else is read here; the queue must not fill up.
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  return removed;
}

void SfxPlayer::rest() {
  if (!open_) return;
  if (Mix_Playing(0)) {
    restTimer_.start(restAfterMs_);
    return;
  }
  close();
  resting_ = true;
}

void SfxPlayer::start(Sound snd) {
  if (open_ && deviceRemoved()) close();
  // A rested stream opens at once; a lost one is looked for again at most
  // once every kRetryMs.
  if (!open_ && !driver_.empty() && (resting_ || NowMs() - lastTryMs_ >= kRetryMs)) {
    if (!resting_) lastTryMs_ = NowMs();
    resting_ = false;
    // The driver that worked before, unless the user chose one.
    SDL_SetHint(SDL_HINT_AUDIODRIVER, driver_.c_str());
    // Gone while resting: the server is treated as lost from now on.
    if (!open()) lastTryMs_ = NowMs();
  }
  Mix_Chunk* chunk = chunks_[static_cast<size_t>(snd)];
  if (!open_) return;
  if (chunk) Mix_PlayChannel(0, chunk, 0);
  restTimer_.start(lengthMs(snd) + restAfterMs_);
}

int SfxPlayer::lengthMs(Sound snd) const {
  return available() && chunks_[static_cast<size_t>(snd)] ? lengths_[static_cast<size_t>(snd)] : 0;
}

}  // namespace vandrel
