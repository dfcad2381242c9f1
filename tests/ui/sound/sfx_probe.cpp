// Plays sounds through SfxPlayer as the game does, and finds them again in a
// recording of the sound card.
//
//   sfx_probe play NAME...             plays each sound and waits its length
//   sfx_probe analyse [--gaps MS,...] RAW RATE NAME...
//                                      finds the sounds in RAW (s16le, mono)
//   sfx_probe length NAME...           prints each sound's length in ms
//
// "play" prints one line per sound: when it started and how long the wait
// lasted. With VANDREL_SFX_IDLE_MS set it lets the player close its stream
// for want of sound before each sound, so that each opens the stream again. "analyse" prints where each sound begins in the recording, how well
// the recording matches it, and how long it sounds; it fails unless the
// sounds are there, in the given order, each about as long as it should be.
// Each sound is expected to start when the one before has ended, as "play"
// plays them; --gaps gives instead the times between the starts as the
// player saw them (the game's trace, say), one fewer than the sounds. A
// sound never counts as found when it starts before the one before ended.
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

#include "ui/sound/sfx_player.h"

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
  std::vector<Sound> sounds;
  for (int i = 2; i < argc; ++i) {
    const auto snd = SoundByName(argv[i]);
    if (!snd) return 2;
    sounds.push_back(*snd);
  }
  QGuiApplication app(argc, argv);
  auto* player = new vandrel::SfxPlayer;
  if (!player->available()) {
    std::printf("no audio output\n");
    delete player;
    return 3;
  }
  Wait(500);  // the game builds its player at start-up, long before a sound
  const int restAfter = qEnvironmentVariableIntValue("VANDREL_SFX_IDLE_MS");
  QElapsedTimer clock;
  clock.start();
  for (Sound snd : sounds) {
    if (restAfter > 0) {
      Wait(restAfter + 300);
      // Closed, yet the sound is still announced at its length: it will play.
      if (player->streaming() || player->lengthMs(snd) == 0) {
        std::printf("the stream stayed open, or the sound has no length\n");
        return 4;
      }
    }
    const qint64 at = clock.elapsed();
    player->start(snd);
    const qint64 took = clock.elapsed() - at;
    const bool streaming = player->streaming();
    const int length = player->lengthMs(snd);
    Wait(length);
    std::printf("%s start=%lld (took %lld%s) length=%d waited=%lld\n", vandrel::SoundName(snd),
                static_cast<long long>(at), static_cast<long long>(took),
                streaming ? "" : ", no stream", length,
                static_cast<long long>(clock.elapsed() - at));
    std::fflush(stdout);
  }
  Wait(1000);     // the last sound is still in the server's buffers
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
  // Averaging over each output step is low-pass enough to find the sound.
  const double step = static_cast<double>(info->rate) / rate;
  std::vector<double> y(static_cast<size_t>(frames / step));
  for (size_t i = 0; i < y.size(); ++i) {
    const size_t from = static_cast<size_t>(i * step);
    const size_t to = std::max(from + 1, std::min(x.size(), static_cast<size_t>((i + 1) * step)));
    double sum = 0;
    for (size_t k = from; k < to; ++k) sum += x[k];
    y[i] = sum / (to - from);
  }
  return y;
}

// Normalised correlation of t[from, from + n) against r starting at r[k];
// 0 where the recording is far quieter than the sound (the sounds play at
// full volume), so faint noise cannot pass for a sound.
double Match(const std::vector<double>& r, size_t k, const std::vector<double>& t, size_t from,
             size_t n) {
  double rt = 0, rr = 0, tt = 0;
  for (size_t i = 0; i < n && k + i < r.size() && from + i < t.size(); ++i) {
    rt += r[k + i] * t[from + i];
    rr += r[k + i] * r[k + i];
    tt += t[from + i] * t[from + i];
  }
  return rr > 0.1 * tt && tt > 0 ? rt / std::sqrt(rr * tt) : 0.0;
}

// Follows the sound through the recording in 50 ms pieces, each allowed to
// sit up to 30 ms off the piece before: a dropout or a stutter shows as a
// poor piece or as drift. Quiet pieces are skipped.
struct Track {
  double worst = 1.0;  // the poorest piece's match
  double driftMs = 0;  // how far the last piece sits from where it should
};
Track Follow(const std::vector<double>& r, const std::vector<double>& t, size_t onset, int rate) {
  const size_t piece = rate / 20;
  const long reach = rate * 30 / 1000;
  std::vector<double> energy;
  for (size_t s = 0; s + piece <= t.size(); s += piece) {
    double e = 0;
    for (size_t i = 0; i < piece; ++i) e += t[s + i] * t[s + i];
    energy.push_back(e);
  }
  const double loudest = energy.empty() ? 0 : *std::max_element(energy.begin(), energy.end());
  Track track;
  long lag = 0;
  for (size_t p = 0; p < energy.size(); ++p) {
    if (energy[p] < loudest * 0.01) continue;
    const size_t s = p * piece;
    long bestLag = lag;
    double best = -1;
    for (long l = lag - reach; l <= lag + reach; ++l) {
      const long k = static_cast<long>(onset + s) + l;
      if (k < 0 || static_cast<size_t>(k) + piece > r.size()) continue;
      const double m = Match(r, static_cast<size_t>(k), t, s, piece);
      if (m > best) best = m, bestLag = l;
    }
    lag = bestLag;
    track.worst = std::min(track.worst, best);
  }
  track.driftMs = lag * 1000.0 / rate;
  return track;
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

// The lengths in ms from the sounds' headers, as the game waits them.
int Length(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  for (int i = 2; i < argc; ++i) {
    const auto snd = SoundByName(argv[i]);
    if (!snd) return 2;
    QFile f(QStringLiteral(":/sounds/%1.wav").arg(argv[i]));
    const auto info = f.open(QIODevice::ReadOnly) ? vandrel::ParseWav(f.readAll()) : std::nullopt;
    if (!info) return 2;
    std::printf("%s %d\n", argv[i], info->lengthMs);
  }
  return 0;
}

// "MS,MS,..." as numbers; nothing when one is not a number.
std::optional<std::vector<double>> ParseGaps(const char* text) {
  std::vector<double> gaps;
  for (const QByteArray& part : QByteArray(text).split(',')) {
    bool ok = false;
    gaps.push_back(part.toDouble(&ok));
    if (!ok) return std::nullopt;
  }
  return gaps;
}

int Analyse(int fullArgc, char** fullArgv) {
  QCoreApplication app(fullArgc, fullArgv);
  int argc = fullArgc;
  char** argv = fullArgv;
  std::optional<std::vector<double>> gaps;
  if (std::strcmp(argv[2], "--gaps") == 0) {
    gaps = ParseGaps(argv[3]);
    argv += 2;  // as if there were no --gaps
    argc -= 2;
    if (!gaps || argc < 5 || gaps->size() != static_cast<size_t>(argc - 5)) return 2;
  }
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
    double headScore;
    Track track;
    double ownMs;
  };
  std::vector<Found> found;
  for (int a = 4; a < argc; ++a) {
    const auto snd = SoundByName(argv[a]);
    if (!snd) return 2;
    const std::vector<double> t = ReadSound(*snd, rate);
    if (t.empty() || t.size() > r.size()) return 2;
    // The first 100 ms tell the sounds apart. Each is looked for after the
    // one before it, so a sound out of order is not found: the first good
    // match of the head, then the best match of the first 500 ms from 30 ms
    // before it to 60 ms after (a tone's head alone also fits some periods
    // early, while its pitch has not moved yet). No good
    // match at all leaves the best one, which then fails the checks below.
    const size_t head = std::min(t.size(), static_cast<size_t>(rate / 10));
    const size_t from = found.empty() ? 0 : found.back().onset + 1;
    size_t best = from;
    double bestScore = -1;
    for (size_t k = from; k + head <= r.size(); ++k) {
      const double m = Match(r, k, t, 0, head);
      if (m > bestScore) bestScore = m, best = k;
      if (m > 0.6) break;
    }
    if (bestScore > 0.6) {
      const size_t reach = rate * 30 / 1000;
      const size_t body = std::min(t.size(), static_cast<size_t>(rate / 2));
      const size_t first = best;
      double bodyScore = -1;
      for (size_t k = std::max(from, first > reach ? first - reach : 0); k <= first + 2 * reach;
           ++k) {
        const double m = Match(r, k, t, 0, body);
        if (m > bodyScore) bodyScore = m, best = k;
      }
      bestScore = Match(r, best, t, 0, head);
    }
    found.push_back({argv[a], best, t.size(), bestScore, Follow(r, t, best, rate),
                     SoundingMs(t, 0, t.size(), rate)});
  }

  bool ok = true;
  for (size_t i = 0; i < found.size(); ++i) {
    Found& f = found[i];
    const size_t next = i + 1 < found.size() ? found[i + 1].onset : r.size();
    // Measured up to shortly before the next sound, which may start a few
    // ms ahead of its match.
    const size_t guard = rate / 100;
    const size_t span =
        next > f.onset + guard ? std::min(next - f.onset - guard, f.frames + rate / 5) : 0;
    const double heard = SoundingMs(r, f.onset, span, rate);
    const double expected = std::min(f.ownMs, span * 1000.0 / rate);
    const double lengthMs = f.frames * 1000.0 / rate;
    std::printf(
        "%s onset=%.1f ms match=%.3f worst=%.3f drift=%.1f ms sounding=%.0f ms (file: %.0f of "
        "%.1f ms)",
        f.name.c_str(), f.onset * 1000.0 / rate, f.headScore, f.track.worst, f.track.driftMs, heard,
        f.ownMs, lengthMs);
    // When the next sound should begin: as this one ends, or as the player
    // said.
    const double due = gaps && i < gaps->size() ? (*gaps)[i] : lengthMs;
    const double gap = (next - static_cast<double>(f.onset)) * 1000.0 / rate;
    if (i + 1 < found.size()) {
      std::printf(" next after %.1f ms", gap);
      if (gaps) std::printf(" (player: %.1f ms, %+.1f ms)", due, gap - due);
    }
    std::printf("\n");
    // Found, whole, not cut short.
    bool good = f.headScore > 0.5 && f.track.worst > 0.5 && std::fabs(f.track.driftMs) <= 20 &&
                std::fabs(heard - expected) <= 30;
    if (i + 1 < found.size()) {
      // The next sound begins when it is due, never before this one has
      // ended: each stream starts with its own latency, a few tens of ms
      // either way.
      good = good && gap >= lengthMs - 60 && gap >= due - 60 && gap <= due + 150;
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
  if (argc >= 3 && std::strcmp(argv[1], "length") == 0) return Length(argc, argv);
  std::fprintf(stderr,
               "usage: %s play NAME... | analyse [--gaps MS,...] RAW RATE NAME... | length "
               "NAME...\n",
               argv[0]);
  return 2;
}
