// The six sound effects, played through SDL2_mixer.
//
// SfxPlayer only starts a sound; it never waits. Whoever needs a sound to have
// ended (the main window's PlaySfx) waits lengthMs() itself on a precise
// timer. The mixer's own "channel finished" report is no use for that: it
// comes when the mixer has handed the last samples to the device, a buffer or
// more before they are heard, and only at the steps of the mixing buffer.
//
// The audio stream stays open while sounds come, playing silence between
// them, so a sound in the middle of a turn never waits for a stream to start.
// An open stream wakes the program at every mixing buffer, though, so after
// ten seconds without sound (VANDREL_SFX_IDLE_MS sets another time) the
// player closes it, and the next sound opens it again. The mixer has one
// channel: a new sound replaces one that is still playing, which is the
// game's "one sound at a time".
//
// The sound server may go away during a game (killed, restarted). SDL then
// reports the device removed; the next sound closes it, and the player opens
// a new one through the same driver, trying at most once a second. Until that
// works nothing is played and lengthMs() is 0, so the game waits for nothing.
// With no audio output at all when the player is made, it stays silent.
#pragma once

#include <QByteArray>
#include <QTimer>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "rules/presentation.h"

struct Mix_Chunk;

namespace vandrel {

// What a RIFF WAVE header says about its sound.
struct WavInfo {
  int channels = 0;
  int rate = 0;  // frames per second
  int bits = 0;  // per sample
  int64_t dataBytes = 0;
  int lengthMs = 0;  // rounded up
};

// Reads the header of a PCM WAVE file: "RIFF", "WAVE", a "fmt " chunk and a
// "data" chunk, other chunks skipped. Nothing when the bytes are not such a
// file or the data chunk runs past the end.
std::optional<WavInfo> ParseWav(const QByteArray& bytes);

class SfxPlayer {
 public:
  // Opens the audio output and loads the six sounds from ":/sounds/NAME.wav"
  // into it. The resources must be compiled into the program.
  SfxPlayer();
  ~SfxPlayer();
  SfxPlayer(const SfxPlayer&) = delete;
  SfxPlayer& operator=(const SfxPlayer&) = delete;

  // False while there is no audio output; nothing is played then. True also
  // while the stream is closed for want of sound: the next sound opens it.
  bool available() const { return open_ || resting_; }
  // True while the audio stream is open.
  bool streaming() const { return open_; }
  // Starts the sound and returns at once.
  void start(Sound snd);
  // The sound's length from its header, in ms rounded up; 0 when nothing is
  // played.
  int lengthMs(Sound snd) const;
  // The SDL audio driver in use ("pulseaudio", "pipewire", ...), or "".
  const std::string& driver() const { return driver_; }

 private:
  bool open();
  void close();
  bool deviceRemoved();
  void rest();

  bool open_ = false;
  bool resting_ = false;  // closed for want of sound, opened by the next one
  int restAfterMs_;       // silence before the stream is closed
  QTimer restTimer_;
  bool events_ = false;   // SDL's event queue, which reports a lost device
  std::string driver_;    // the driver that worked, tried again after a loss
  int64_t lastTryMs_ = 0;
  std::array<QByteArray, kSoundCount> wavs_;
  std::array<int, kSoundCount> lengths_{};
  std::array<Mix_Chunk*, kSoundCount> chunks_{};
};

}  // namespace vandrel
