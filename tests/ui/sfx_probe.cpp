// Plays sounds through SfxPlayer as the game does, and finds them again in a
// recording of the sound card.
//
//   sfx_probe play NAME...             plays each sound and waits its length
//   sfx_probe analyse RAW RATE NAME... finds the sounds in RAW (s16le, mono)
//
// "play" prints one line per sound: when it started and how long the wait
// lasted. "analyse" prints where each sound begins in the recording, how well
// the recording matches it, and how long it sounds; it fails unless the
// sounds are there, in the given order, each about as long as it should be.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "ui/sfxplayer.h"

namespace {

using vandrel::Sound;

std::optional<Sound> SoundByName(const char* name) {
  for (Sound s : {Sound::DICE, Sound::ENDROW, Sound::LOSE, Sound::MOVE, Sound::POP, Sound::WIN}) {
    if (std::strcmp(vandrel::SoundName(s), name) == 0) return s;
  }
  return std::nullopt;
}

// Waits on a precise timer, as the main window does, with events handled.
void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

int Play(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  auto* player = new vandrel::SfxPlayer;
  if (!player->available()) {
    std::printf("no audio output\n");
    delete player;
    return 3;
  }
  Wait(500);  // the game builds its player at start-up, long before a sound
  QElapsedTimer clock;
  clock.start();
  for (int i = 2; i < argc; ++i) {
    const auto snd = SoundByName(argv[i]);
    if (!snd) return 2;
    const qint64 at = clock.elapsed();
    player->start(*snd);
    const int length = player->lengthMs(*snd);
    Wait(length);
    std::printf("%s start=%lld length=%d waited=%lld\n", argv[i], static_cast<long long>(at),
                length, static_cast<long long>(clock.elapsed() - at));
    std::fflush(stdout);
  }
  delete player;  // before the application object
  return 0;
}

// --- Finding the sounds in a recording ----------------------------------------

std::vector<double> ReadSound(Sound snd, int rate) {
  QFile f(QStringLiteral(":/sounds/%1.wav").arg(vandrel::SoundName(snd)));
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = f.readAll();
  const auto info = vandrel::ParseWav(bytes);
  if (!info || info->bits != 16 || info->channels != 1) return {};
  const int frames = static_cast<int>(info->dataBytes / 2);
  const char* data = bytes.constData() + bytes.size() - info->dataBytes;  // one data chunk, last
  std::vector<double> x(frames);
  for (int i = 0; i < frames; ++i) {
    int16_t v;
    std::memcpy(&v, data + 2 * i, 2);
    x[i] = v / 32768.0;
  }
  if (info->rate == rate) return x;
  // Linear resampling is plenty for finding the sound.
  const double step = static_cast<double>(info->rate) / rate;
  std::vector<double> y(static_cast<size_t>(frames / step));
  for (size_t i = 0; i < y.size(); ++i) {
    const double p = i * step;
    const size_t k = static_cast<size_t>(p);
    const double f0 = p - k;
    y[i] = x[k] * (1 - f0) + (k + 1 < x.size() ? x[k + 1] : 0.0) * f0;
  }
  return y;
}

// Normalised correlation of t against r starting at r[k].
double Match(const std::vector<double>& r, const std::vector<double>& t, size_t k, size_t n) {
  double rt = 0, rr = 0, tt = 0;
  for (size_t i = 0; i < n && k + i < r.size(); ++i) {
    rt += r[k + i] * t[i];
    rr += r[k + i] * r[k + i];
    tt += t[i] * t[i];
  }
  return rr > 0 && tt > 0 ? rt / std::sqrt(rr * tt) : 0.0;
}

// Where, in ms from `from`, the signal is last above -40 dB of its peak
// (5 ms windows), looking at no more than `span` samples.
double SoundingMs(const std::vector<double>& x, size_t from, size_t span, int rate) {
  const size_t win = rate / 200;
  std::vector<double> env;
  for (size_t k = from; k + win <= x.size() && k < from + span; k += win) {
    double e = 0;
    for (size_t i = 0; i < win; ++i) e += x[k + i] * x[k + i];
    env.push_back(std::sqrt(e / win));
  }
  const double peak = env.empty() ? 0 : *std::max_element(env.begin(), env.end());
  size_t last = 0;
  for (size_t i = 0; i < env.size(); ++i) {
    if (env[i] > peak * 0.01) last = i + 1;
  }
  return last * 5.0;
}

int Analyse(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int rate = std::atoi(argv[3]);
  QFile rec(QString::fromLocal8Bit(argv[2]));
  if (rate <= 0 || !rec.open(QIODevice::ReadOnly)) return 2;
  const QByteArray raw = rec.readAll();
  std::vector<double> r(raw.size() / 2);
  for (size_t i = 0; i < r.size(); ++i) {
    int16_t v;
    std::memcpy(&v, raw.constData() + 2 * i, 2);
    r[i] = v / 32768.0;
  }
  std::printf("recording: %.0f ms\n", r.size() * 1000.0 / rate);

  struct Found {
    std::string name;
    size_t onset;
    size_t frames;
    double headScore, fullScore;
    double ownMs;
  };
  std::vector<Found> found;
  for (int a = 4; a < argc; ++a) {
    const auto snd = SoundByName(argv[a]);
    if (!snd) return 2;
    const std::vector<double> t = ReadSound(*snd, rate);
    if (t.empty() || t.size() > r.size()) return 2;
    // The first 100 ms tell the sounds apart; search the whole recording.
    const size_t head = std::min(t.size(), static_cast<size_t>(rate / 10));
    size_t best = 0;
    double bestScore = -1;
    for (size_t k = 0; k + head <= r.size(); ++k) {
      const double m = Match(r, t, k, head);
      if (m > bestScore) bestScore = m, best = k;
    }
    found.push_back({argv[a], best, t.size(), bestScore, Match(r, t, best, t.size()),
                     SoundingMs(t, 0, t.size(), rate)});
  }

  bool ok = true;
  for (size_t i = 0; i < found.size(); ++i) {
    Found& f = found[i];
    const size_t next = i + 1 < found.size() ? found[i + 1].onset : r.size();
    const size_t span = next > f.onset ? std::min(next - f.onset, f.frames + rate / 5) : 0;
    const double heard = SoundingMs(r, f.onset, span, rate);
    const double lengthMs = f.frames * 1000.0 / rate;
    std::printf("%s onset=%.1f ms match=%.3f whole=%.3f sounding=%.0f ms (file: %.0f of %.1f ms)",
                f.name.c_str(), f.onset * 1000.0 / rate, f.headScore, f.fullScore, heard, f.ownMs,
                lengthMs);
    if (i + 1 < found.size()) {
      std::printf(" next after %.1f ms", (next - static_cast<double>(f.onset)) * 1000.0 / rate);
    }
    std::printf("\n");
    bool good = f.headScore > 0.6 && f.fullScore > 0.6 && std::fabs(heard - f.ownMs) <= 30;
    if (i + 1 < found.size()) {
      // The next sound begins once this one has ended, not much later.
      const double gap = (next - static_cast<double>(f.onset)) * 1000.0 / rate;
      good = good && gap >= lengthMs - 5 && gap <= lengthMs + 150;
    }
    if (!good) {
      std::printf("  %s: not found as expected\n", f.name.c_str());
      ok = false;
    }
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "play") == 0) return Play(argc, argv);
  if (argc >= 5 && std::strcmp(argv[1], "analyse") == 0) return Analyse(argc, argv);
  std::fprintf(stderr, "usage: %s play NAME... | analyse RAW RATE NAME...\n", argv[0]);
  return 2;
}
