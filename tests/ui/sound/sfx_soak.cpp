// Plays games through the sound module for minutes on end, records the sound
// server's output with parec, and checks that every sound the game asked for
// was heard, whole and on time.
//
//   sfx_soak MODULE MONITOR
//
// MODULE is the sound module as the program loads it; MONITOR the source
// parec records (a null sink's monitor). The game is the real one: the
// computer against a random human, through the real handlers, each sound
// followed by a wait of its length on a precise timer as in the window. Only
// the pauses between sounds (the die's animation, the pauses after a move)
// are shortened, so that more sounds and more game ends fit in a soak.
//
// Environment:
//   VANDREL_SOAK_SECONDS    how long to play (default 180)
//   VANDREL_SOAK_PACE       share of the game's own pauses kept (default 0.25)
//   VANDREL_SOAK_RECORDING  a file to keep the recording in (raw s16le, mono)
//
// Prints "sound NAME MS" as each sound is asked for (ms since the start).
// parec is started again whenever it ends (the server went away): each run
// is a segment of its own, timed by itself. Every sound that falls inside a
// segment (after its first 3 s, unless it is the first segment) is looked for
// in the recording near where the sound's start maps to. It fails unless, in
// every minute, at least 90 % of the asked-for sound (its loud 10 ms frames)
// is heard, and each sound begins within 50 ms of being asked for.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLibrary>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "control/game.h"
#include "tools/selfplay/players.h"
#include "ui/sound/sfx_player.h"
#include "ui/sound/sound_module.h"

extern char** environ;

namespace vandrel {
namespace {

constexpr int kRate = 22050;  // of the recording
constexpr int kFrame = kRate / 100;  // 10 ms
constexpr std::array<Sound, kSoundCount> kAllSounds = {Sound::DICE, Sound::ENDROW, Sound::LOSE,
                                                       Sound::MOVE, Sound::POP,    Sound::WIN};

QElapsedTimer g_clock;
double NowMs() { return g_clock.nsecsElapsed() / 1e6; }

double EnvNumber(const char* name, double fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::atof(v) : fallback;
}

// --- The recording -----------------------------------------------------------

struct Segment {
  double startMs = 0;  // when parec was started
  std::vector<int16_t> samples;
  // (when, samples received by then): the recording's clock.
  std::vector<std::pair<double, size_t>> arrivals;
};

// Runs parec on the monitor, again whenever it ends, until stopped.
class Recorder {
 public:
  explicit Recorder(std::string monitor) : monitor_(std::move(monitor)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~Recorder() { Stop(); }
  void Stop() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (pid_ > 0) ::kill(pid_, SIGINT);
    }
    thread_.join();
  }
  // Waits until the first segment holds 200 ms.
  bool WaitForStart() {
    for (int i = 0; i < 200; ++i) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!segments_.empty() && segments_[0].samples.size() > kRate / 5) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  std::vector<Segment> Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::move(segments_);
  }

 private:
  void Run() {
    const std::string device = "--device=" + monitor_;
    const std::string rate = "--rate=" + std::to_string(kRate);
    std::vector<const char*> argv = {"parec",        device.c_str(),   rate.c_str(),
                                     "--channels=1", "--format=s16le", "--raw",
                                     "--latency-msec=20", nullptr};
    while (!stopping_) {
      int fds[2];
      if (::pipe(fds) != 0) return;
      posix_spawn_file_actions_t fa;
      posix_spawn_file_actions_init(&fa);
      posix_spawn_file_actions_adddup2(&fa, fds[1], STDOUT_FILENO);
      posix_spawn_file_actions_addclose(&fa, fds[0]);
      pid_t pid = -1;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        segments_.emplace_back().startMs = NowMs();
        if (posix_spawnp(&pid, "parec", &fa, nullptr, const_cast<char**>(argv.data()), environ))
          pid = -1;
        pid_ = pid;
      }
      posix_spawn_file_actions_destroy(&fa);
      ::close(fds[1]);
      char buf[4096];
      size_t odd = 0;  // a byte of a sample split between two reads
      char carry = 0;
      for (ssize_t n; pid > 0 && (n = ::read(fds[0], buf + odd, sizeof buf - odd)) > 0;) {
        const double at = NowMs();
        if (odd) buf[0] = carry;
        const size_t bytes = odd + static_cast<size_t>(n);
        std::lock_guard<std::mutex> lock(mutex_);
        Segment& seg = segments_.back();
        const size_t old = seg.samples.size();
        seg.samples.resize(old + bytes / 2);
        std::memcpy(seg.samples.data() + old, buf, bytes / 2 * 2);
        seg.arrivals.emplace_back(at, seg.samples.size());
        odd = bytes & 1;
        carry = buf[bytes - 1];
      }
      ::close(fds[0]);
      if (pid > 0) ::waitpid(pid, nullptr, 0);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        pid_ = -1;
      }
      if (!stopping_) std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
  }

  std::string monitor_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  pid_t pid_ = -1;
  std::vector<Segment> segments_;
};

// --- The game ------------------------------------------------------------------

struct Asked {
  Sound snd;
  double atMs;    // as the game asked for it
  int lengthMs;   // what the player said it plays; 0: nothing played
  double tookMs;  // how long the game waited for it
};

// The game through the sound module: real time, the window's sound wait,
// the game's other pauses shortened.
class SoakPresentation : public SilentPresentation {
 public:
  SoakPresentation(SoundOutput& out, double endMs, double pace)
      : SilentPresentation(20261209), out_(out), endMs_(endMs), pace_(pace), human_(7) {}
  Game* game = nullptr;
  std::vector<Asked> asked;

 protected:
  void playSfx(Sound snd) override {
    const double at = NowMs();
    out_.start(snd);
    const int ms = out_.lengthMs(snd);
    std::printf("sound %s %.1f\n", SoundName(snd), at);
    std::fflush(stdout);
    if (ms > 0) Wait(ms);
    asked.push_back({snd, at, ms, NowMs() - at});
  }
  bool waitForEvent() override { return GoOn() && human_(*game); }
  bool processMessages() override { return GoOn(); }
  bool waitUntil(int64_t deadlineMs) override {
    const double left = static_cast<double>(deadlineMs) - NowMs();
    if (left > 0) Wait(static_cast<int>(left * pace_));
    return GoOn();
  }
  int64_t now() override { return static_cast<int64_t>(NowMs()); }

 private:
  // At the end the game is left as "Bye!" leaves it.
  bool GoOn() {
    if (NowMs() < endMs_) return true;
    game->state().GameRunning = false;
    return false;
  }
  static void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
  }

  SoundOutput& out_;
  double endMs_, pace_;
  RandomHuman human_;
};

// --- Finding the sounds ------------------------------------------------------

// The sound as the recording holds it: mono at kRate.
std::vector<double> Template(Sound snd) {
  QFile f(QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(SoundName(snd))));
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = f.readAll();
  const auto info = ParseWav(bytes);
  if (!info || info->bits != 16 || info->channels != 1 || info->rate % kRate) return {};
  const int step = info->rate / kRate;  // 1, or 2 for 44.1 kHz: pairs averaged
  const char* data = bytes.constData() + bytes.size() - info->dataBytes;  // one data chunk, last
  std::vector<double> t(static_cast<size_t>(info->dataBytes / 2 / step));
  for (size_t i = 0; i < t.size(); ++i) {
    double sum = 0;
    for (int k = 0; k < step; ++k) {
      int16_t v;
      std::memcpy(&v, data + 2 * (i * step + k), 2);
      sum += v / 32768.0;
    }
    t[i] = sum / step;
  }
  return t;
}

// Normalised correlation of t[0, n) with r from k; 0 where the recording is
// far quieter than the sound.
double Match(const std::vector<int16_t>& r, size_t k, const std::vector<double>& t, size_t n) {
  double rt = 0, rr = 0, tt = 0;
  for (size_t i = 0; i < n && k + i < r.size(); ++i) {
    const double x = r[k + i] / 32768.0;
    rt += x * t[i];
    rr += x * x;
    tt += t[i] * t[i];
  }
  return rr > 0.1 * tt && tt > 0 ? rt / std::sqrt(rr * tt) : 0.0;
}

double Rms(const double* x, size_t n) {
  double e = 0;
  for (size_t i = 0; i < n; ++i) e += x[i] * x[i];
  return std::sqrt(e / static_cast<double>(n));
}
double Rms(const std::vector<int16_t>& r, size_t from, size_t n) {
  double e = 0;
  for (size_t i = from; i < from + n && i < r.size(); ++i) e += (r[i] / 32768.0) * (r[i] / 32768.0);
  return std::sqrt(e / static_cast<double>(n));
}

struct Heard {
  bool recorded = false;  // inside a segment
  bool found = false;
  double latencyMs = 0;
  int loudFrames = 0, heardFrames = 0;
  // How far the recording's start, seen from before the sound and from
  // after it, differs: samples lost around the sound.
  double gapMs = 0;
};

// Looks for the sound from where it is due (ms into the recording): its head
// (100 ms at most) from 30 ms before to untilMs after, the first strong match
// and then the best one close to it; then counts its loud frames heard.
Heard Search(const std::vector<int16_t>& samples, double dueMs, const std::vector<double>& t,
             const std::vector<double>& level, double peak, int untilMs) {
  Heard h;
  const long due = std::lround(dueMs * kRate / 1000);
  const size_t head = std::min(t.size(), static_cast<size_t>(kRate / 10));
  const long from = std::max(0L, due - kRate * 30 / 1000);
  const long to = std::min(due + static_cast<long>(untilMs) * kRate / 1000,
                           static_cast<long>(samples.size()) - static_cast<long>(head));
  std::vector<double> m;
  for (long k = from; k <= to; ++k) m.push_back(Match(samples, static_cast<size_t>(k), t, head));
  const double best = m.empty() ? 0 : *std::max_element(m.begin(), m.end());
  if (best < 0.5) return h;
  size_t at = 0;
  while (m[at] < 0.9 * best) ++at;
  for (size_t k = at; k < m.size() && k < at + kRate / 200; ++k)
    if (m[k] > m[at]) at = k;
  const size_t onset = static_cast<size_t>(from) + at;
  h.found = true;
  h.latencyMs = (static_cast<double>(onset) - due) * 1000.0 / kRate;
  for (size_t f = 0; f < level.size(); ++f)
    if (level[f] >= peak * 0.05 && Rms(samples, onset + f * kFrame, kFrame) >= 0.5 * level[f])
      ++h.heardFrames;
  return h;
}

Heard Look(const Asked& a, const std::vector<Segment>& segs, const std::vector<double>& t) {
  Heard h;
  const double lengthMs = t.size() * 1000.0 / kRate;
  // The sound's loud 10 ms frames; each is heard when the recording holds at
  // least half of its level there.
  std::vector<double> level;
  for (size_t f = 0; (f + 1) * kFrame <= t.size(); ++f) level.push_back(Rms(&t[f * kFrame], kFrame));
  const double peak = level.empty() ? 0 : *std::max_element(level.begin(), level.end());
  for (double l : level) h.loudFrames += l >= peak * 0.05;
  for (size_t s = 0; s < segs.size(); ++s) {
    const Segment& seg = segs[s];
    if (seg.arrivals.empty()) continue;
    const double settle = s == 0 ? 200 : 3000;
    if (a.atMs < seg.startMs + settle || a.atMs + lengthMs + 500 > seg.arrivals.back().first)
      continue;
    h.recorded = true;
    // When the segment's first sample was taken, as the quickest arrival
    // (its time less the samples it brought) tells it. Samples dropped by a
    // busy machine move that estimate on from where they were lost, so it is
    // taken twice, from the arrivals of the 1.5 s before the sound and of the
    // 1.5 s after it, and the sound is looked for from both: a single gap in
    // the recording leaves one of them true where the sound lies.
    double firstMs[2] = {1e300, 1e300};  // from before, from after
    for (const auto& [at, count] : seg.arrivals)
      if (std::fabs(at - a.atMs) < 1500) {
        double& first = firstMs[at >= a.atMs];
        first = std::min(first, at - count * 1000.0 / kRate);
      }
    if (firstMs[0] < 1e300 && firstMs[1] < 1e300) h.gapMs = std::fabs(firstMs[1] - firstMs[0]);
    // Up to 200 ms late; a sound not there is looked for up to a second late,
    // so that the report tells a late sound from a lost one.
    for (const int untilMs : {200, 1000}) {
      for (const double first : firstMs) {
        if (first == 1e300) continue;
        const Heard found = Search(seg.samples, a.atMs - first, t, level, peak, untilMs);
        if (found.found && (!h.found || std::fabs(found.latencyMs) < std::fabs(h.latencyMs))) {
          h.found = true;
          h.latencyMs = found.latencyMs;
          h.heardFrames = found.heardFrames;
        }
      }
      if (h.found) break;
    }
    return h;
  }
  return h;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int Soak(const char* modulePath, const char* monitor) {
  QLibrary module(QString::fromLocal8Bit(modulePath));
  using Create = SoundOutput* (*)();
  auto create = reinterpret_cast<Create>(module.resolve("vandrel_create_sound_output"));
  if (!create) {
    std::printf("cannot load %s: %s\n", modulePath, qPrintable(module.errorString()));
    return 2;
  }
  const double seconds = EnvNumber("VANDREL_SOAK_SECONDS", 180);
  const double pace = EnvNumber("VANDREL_SOAK_PACE", 0.25);
  g_clock.start();
  Recorder recorder(monitor);
  if (!recorder.WaitForStart()) {
    std::printf("parec did not start recording\n");
    return 1;
  }
  std::unique_ptr<SoundOutput> out(create());
  QLibrary sdl(QStringLiteral("SDL2-2.0"), 0);
  using Driver = const char* (*)();
  if (auto driver = reinterpret_cast<Driver>(sdl.resolve("SDL_GetCurrentAudioDriver"))) {
    const char* name = driver();
    std::printf("audio driver: %s\n", name ? name : "none");
  }
  // The window loads the module after its first paint; its first sound comes
  // with the player's first clicks, seconds later.
  QEventLoop idle;
  QTimer::singleShot(1000, &idle, &QEventLoop::quit);
  idle.exec();
  const double startMs = NowMs();
  SoakPresentation ui(*out, startMs + seconds * 1000, pace);
  Game game(ui);
  ui.game = &game;
  game.FormCreate();
  int games = 0;
  while (NowMs() < startMs + seconds * 1000) {
    game.state().GamesLeft = 1;
    game.state().NewBtnEnabled = true;
    game.NewBtnClick();
    ++games;
  }
  out.reset();
  QEventLoop settle;  // the last sound's tail reaches the recording
  QTimer::singleShot(700, &settle, &QEventLoop::quit);
  settle.exec();
  recorder.Stop();
  const std::vector<Segment> segs = recorder.Take();

  if (const char* keep = std::getenv("VANDREL_SOAK_RECORDING"); keep && *keep) {
    if (std::FILE* f = std::fopen(keep, "wb")) {
      for (const Segment& s : segs) std::fwrite(s.samples.data(), 2, s.samples.size(), f);
      std::fclose(f);
    }
  }

  // How far the recording's clock strays from the program's: the quickest
  // arrival of each 10 s, as the time of the first sample.
  for (const Segment& seg : segs) {
    std::vector<double> first;
    for (const auto& [at, count] : seg.arrivals) {
      const size_t block = static_cast<size_t>((at - seg.startMs) / 10000);
      if (first.size() <= block) first.resize(block + 1, 1e300);
      first[block] = std::min(first[block], at - count * 1000.0 / kRate);
    }
    if (first.size() > 1) {
      const auto [lo, hi] = std::minmax_element(first.begin(), first.end() - 1);
      std::printf("recording from %.0f ms: %zu samples, clock within %.1f ms\n", seg.startMs,
                  seg.samples.size(), *hi - *lo);
    }
  }
  std::array<std::vector<double>, kSoundCount> templates;
  for (Sound s : kAllSounds) templates[static_cast<size_t>(s)] = Template(s);
  const int minutes = std::max(1, static_cast<int>(std::ceil(seconds / 60 - 0.01)));
  struct Minute {
    int sounds = 0, recorded = 0, found = 0, loud = 0, heard = 0;
    std::vector<double> latency;
  };
  std::vector<Minute> perMinute(static_cast<size_t>(minutes));
  std::vector<double> latencies;
  std::array<int, kSoundCount> perSound{};
  int late = 0, missing = 0, silentWaits = 0, lastSegment = 0;
  double worstOverrun = 0;
  for (const Asked& a : ui.asked) {
    Minute& m = perMinute[std::min<size_t>(minutes - 1, static_cast<size_t>((a.atMs - startMs) / 60000))];
    ++m.sounds;
    ++perSound[static_cast<size_t>(a.snd)];
    worstOverrun = std::max(worstOverrun, a.tookMs - a.lengthMs);
    if (a.lengthMs == 0) ++silentWaits;
    const Heard h = Look(a, segs, templates[static_cast<size_t>(a.snd)]);
    if (!h.recorded) continue;
    if (segs.size() > 1 && a.atMs > segs.back().startMs) ++lastSegment;
    ++m.recorded;
    m.loud += h.loudFrames;
    m.heard += h.heardFrames;
    const char* fault = nullptr;
    if (!h.found) {
      ++missing;
      fault = "not heard";
    } else {
      ++m.found;
      m.latency.push_back(h.latencyMs);
      latencies.push_back(h.latencyMs);
      if (std::fabs(h.latencyMs) > 50) {
        ++late;
        fault = "late";
      }
    }
    if (fault && missing + late <= 10)
      std::printf("  %s at %.0f ms: %s (%+.1f ms, %d of %d frames; recording gap %.1f ms)\n",
                  SoundName(a.snd), a.atMs - startMs, fault, h.latencyMs, h.heardFrames,
                  h.loudFrames, h.gapMs);
  }

  std::printf("games: %d, sounds asked: %zu (", games, ui.asked.size());
  for (Sound s : kAllSounds) std::printf(" %s %d", SoundName(s), perSound[static_cast<size_t>(s)]);
  std::printf(" ), recording segments: %zu, sounds with nothing to wait for: %d\n", segs.size(),
              silentWaits);
  bool ok = !ui.asked.empty();
  for (int i = 0; i < minutes; ++i) {
    const Minute& m = perMinute[static_cast<size_t>(i)];
    const double share = m.loud ? 100.0 * m.heard / m.loud : 0;
    std::vector<double> abs;
    for (double l : m.latency) abs.push_back(std::fabs(l));
    std::printf("minute %d: %d sounds, %d recorded, %d found; heard %.1f %% (%d of %d frames); "
                "onset median %+.1f ms, worst %.1f ms\n",
                i, m.sounds, m.recorded, m.found, share, m.heard, m.loud, Median(m.latency),
                abs.empty() ? 0 : *std::max_element(abs.begin(), abs.end()));
    // A minute that the recording missed (the server was away) has nothing
    // to judge; the first segment must hold every minute.
    if (m.recorded == 0 ? segs.size() == 1 : share < 90) ok = false;
  }
  std::vector<double> abs;
  for (double l : latencies) abs.push_back(std::fabs(l));
  std::printf("onset: median %+.1f ms, worst %.1f ms; late: %d, not heard: %d; "
              "longest wait beyond a sound's length: %.1f ms\n",
              Median(latencies), abs.empty() ? 0 : *std::max_element(abs.begin(), abs.end()), late,
              missing, worstOverrun);
  if (segs.size() > 1) {
    std::printf("after the last restart: %d sounds recorded\n", lastSegment);
    if (lastSegment < 5) ok = false;
  }
  // A sound may hold the game a little beyond its length while the player
  // opens its stream; where the server went away and came back, opening a
  // new one takes a connection to a server still starting up, so the bound
  // there is only that the game never hangs.
  const double overrunBound = segs.size() > 1 ? 1000 : 100;
  if (late || missing || worstOverrun > overrunBound) ok = false;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace vandrel

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s MODULE MONITOR\n", argv[0]);
    return 2;
  }
  ::signal(SIGPIPE, SIG_IGN);
  QCoreApplication app(argc, argv);
  return vandrel::Soak(argv[1], argv[2]);
}
