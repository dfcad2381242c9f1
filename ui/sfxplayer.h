// The six sound effects, played through Qt Multimedia.
//
// SfxPlayer only starts a sound; it never waits. Whoever needs a sound to have
// ended (the main window's PlaySfx) waits lengthMs() itself on a precise
// timer. The backend's own "finished" report is no use for that: on
// PulseAudio it comes up to two seconds late, and with no sound server it
// never comes at all.
//
// Each sound is loaded twice, so it can start again while its previous run is
// still streaming.
//
// Lifetime: the main window owns its SfxPlayer and deletes it before the
// QApplication goes away. QSoundEffect objects that outlive the application
// object crash or hang the program at exit.
#pragma once

#include <QByteArray>
#include <QObject>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "rules/presentation.h"

class QSoundEffect;
class QTemporaryDir;

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

class SfxPlayer : public QObject {
  Q_OBJECT

 public:
  // Loads the six sounds from ":/sounds/NAME.wav" when there is an audio
  // output. The resources must be compiled into the program.
  explicit SfxPlayer(QObject* parent = nullptr);
  ~SfxPlayer() override;

  // False when the system has no audio output; nothing is played then.
  bool available() const { return available_; }
  // Starts the sound and returns at once.
  void start(Sound snd);
  // The sound's length from its header, in ms rounded up; 0 when nothing is
  // played.
  int lengthMs(Sound snd) const;

 private:
  bool available_ = false;
  // Two copies of each sound, used in turn.
  std::array<std::array<QSoundEffect*, 2>, kSoundCount> effects_{};
  std::array<int, kSoundCount> next_{};
  std::array<int, kSoundCount> lengths_{};
  std::unique_ptr<QTemporaryDir> tails_;  // the sounds as played, see the .cpp
};

}  // namespace vandrel
