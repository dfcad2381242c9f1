// vandrel-sfxgen: synthesises the game's six sound effects and writes them as
// WAVE files (PCM, mono, 16-bit, a 16-byte "fmt " chunk and one "data" chunk).
//
//   vandrel-sfxgen OUTDIR
//
// Everything is computed from fixed seeds, so the same program always writes
// the same bytes. Each sound has an exact sample count, which fixes its file
// size; the game waits for the length its header gives.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// A small deterministic generator (splitmix64); std distributions differ
// between standard libraries, this does not.
class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed) {}
  uint64_t next() {
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double uni() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  double bi() { return uni() * 2.0 - 1.0; }
  double range(double lo, double hi) { return lo + (hi - lo) * uni(); }

 private:
  uint64_t s_;
};

struct Signal {
  int rate;
  std::vector<double> x;
  Signal(int r, int samples) : rate(r), x(samples, 0.0) {}
  int at(double seconds) const { return static_cast<int>(std::lround(seconds * rate)); }
};

double MidiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// A damped sinusoid starting at t0: a struck mode of a body.
void AddMode(Signal& s, double t0, double freq, double amp, double tau) {
  if (freq >= s.rate * 0.45) return;
  const int start = s.at(t0);
  const int len =
      std::min(static_cast<int>(s.x.size()) - start, static_cast<int>(tau * 8 * s.rate));
  for (int i = 0; i < len; ++i) {
    const double t = static_cast<double>(i) / s.rate;
    s.x[start + i] += amp * std::exp(-t / tau) * std::sin(2 * kPi * freq * t);
  }
}

// A short burst of noise, smoothed by a one-pole low-pass (cutoff in Hz).
void AddNoise(Signal& s, Rng& rng, double t0, double amp, double tau, double cutoff) {
  const int start = s.at(t0);
  const int len =
      std::min(static_cast<int>(s.x.size()) - start, static_cast<int>(tau * 8 * s.rate));
  const double a = 1.0 - std::exp(-2 * kPi * cutoff / s.rate);
  double y = 0;
  for (int i = 0; i < len; ++i) {
    const double t = static_cast<double>(i) / s.rate;
    y += a * (rng.bi() - y);
    s.x[start + i] += amp * std::exp(-t / tau) * y;
  }
}

// The sample values are scaled so the loudest one reaches `peak` (of full
// scale), with the DC removed and the ends faded so nothing clicks.
std::vector<int16_t> Finish(Signal s, double peak, double fadeInMs, double fadeOutMs) {
  double prevX = 0, prevY = 0;  // DC blocker, about 17 Hz at 22050 Hz
  const double r = std::exp(-2 * kPi * 17.0 / s.rate);
  for (double& v : s.x) {
    const double y = v - prevX + r * prevY;
    prevX = v;
    prevY = y;
    v = y;
  }
  const int n = static_cast<int>(s.x.size());
  const int fin = std::max(1, static_cast<int>(fadeInMs * s.rate / 1000));
  const int fout = std::max(1, static_cast<int>(fadeOutMs * s.rate / 1000));
  for (int i = 0; i < fin && i < n; ++i) s.x[i] *= static_cast<double>(i) / fin;
  for (int i = 0; i < fout && i < n; ++i) {
    const double g = 0.5 - 0.5 * std::cos(kPi * i / fout);  // 0 at the last sample
    s.x[n - 1 - i] *= g;
  }
  double top = 0;
  for (double v : s.x) top = std::max(top, std::fabs(v));
  const double gain = top > 0 ? peak * 32767.0 / top : 0.0;
  std::vector<int16_t> out(n);
  for (int i = 0; i < n; ++i) {
    const long q = std::lround(s.x[i] * gain);
    out[i] = static_cast<int16_t>(std::clamp(q, -32767L, 32767L));
  }
  return out;
}

// --- The sounds -------------------------------------------------------------

// One hit of the die: the die's own bright modes plus, for the harder hits,
// the board's low knock.
void DieHit(Signal& s, Rng& rng, double t, double strength, bool onBoard) {
  const double dieModes[] = {2350, 3900, 5300, 7100};
  for (double f : dieModes) {
    AddMode(s, t, f * rng.range(0.9, 1.1), strength * rng.range(0.3, 0.7), rng.range(0.002, 0.005));
  }
  AddNoise(s, rng, t, strength * 0.6, 0.0015, 6000);
  if (onBoard) {
    AddMode(s, t, 190 * rng.range(0.95, 1.05), strength * 0.8, 0.018);
    AddMode(s, t, 470 * rng.range(0.95, 1.05), strength * 0.5, 0.012);
    AddMode(s, t, 980 * rng.range(0.95, 1.05), strength * 0.35, 0.007);
  } else {
    // Shaken in the hand: duller, a little hollow.
    AddMode(s, t, 1250 * rng.range(0.9, 1.1), strength * 0.4, 0.006);
  }
}

Signal Dice(int samples) {
  Signal s(22050, samples);
  Rng rng(0xD1CEull);
  // Shaken: a quick light rattle.
  double t = 0.004;
  for (int i = 0; i < 6; ++i) {
    DieHit(s, rng, t, rng.range(0.25, 0.4), false);
    t += rng.range(0.016, 0.026);
  }
  // Thrown: it lands, bounces ever shorter, tumbles and settles.
  t = 0.15;
  double strength = 1.0;
  double gap = 0.07;
  while (t < 0.36) {
    DieHit(s, rng, t, strength, true);
    t += gap * rng.range(0.85, 1.15);
    gap = std::max(0.011, gap * 0.72);
    strength = std::max(0.18, strength * 0.8);
  }
  // Rocks onto its face.
  DieHit(s, rng, t + 0.008, 0.3, true);
  DieHit(s, rng, t + 0.026, 0.22, true);
  return s;
}

Signal Move(int samples) {
  Signal s(22050, samples);
  Rng rng(0x3073ull);
  // The edge of the piece touches first, then it sits down flat.
  const double hits[][2] = {{0.003, 0.35}, {0.011, 1.0}};
  for (const auto& h : hits) {
    AddNoise(s, rng, h[0], 0.5 * h[1], 0.0008, 3500);
    AddMode(s, h[0], 330, 0.9 * h[1], 0.020);
    AddMode(s, h[0], 760, 0.7 * h[1], 0.013);
    AddMode(s, h[0], 1420, 0.45 * h[1], 0.008);
    AddMode(s, h[0], 2450, 0.25 * h[1], 0.004);
  }
  return s;
}

// A bell-like note: a few partials, some of them inharmonic, each dying at
// its own rate.
void Chime(Signal& s, double t0, double freq, double amp, double tau) {
  const double partials[][3] = {
      {1.0, 1.0, 1.0}, {2.0, 0.45, 0.7}, {2.76, 0.3, 0.5}, {4.07, 0.15, 0.35}};
  for (const auto& p : partials) AddMode(s, t0, freq * p[0], amp * p[1], tau * p[2]);
}

Signal EndRow(int samples) {
  Signal s(22050, samples);
  Chime(s, 0.002, MidiHz(88), 0.8, 0.05);   // E6
  Chime(s, 0.030, MidiHz(95), 1.0, 0.045);  // B6
  return s;
}

Signal Pop(int samples) {
  Signal s(44100, samples);
  Rng rng(0x909ull);
  AddNoise(s, rng, 0.001, 0.5, 0.0006, 9000);
  // A rising blip, like a cork leaving a bottle.
  const int start = s.at(0.001);
  double phase = 0;
  for (int i = start; i < static_cast<int>(s.x.size()); ++i) {
    const double t = static_cast<double>(i - start) / s.rate;
    const double f = 320.0 * std::pow(1400.0 / 320.0, std::min(1.0, t / 0.03));
    phase += 2 * kPi * f / s.rate;
    const double env = std::min(1.0, t / 0.0008) * std::exp(-t / 0.009);
    s.x[i] += env * std::sin(phase);
  }
  return s;
}

struct Note {
  double start, length, midi, amp;
};

// A brass-like voice: many harmonics, brighter as the note swells, with a
// little vibrato once the note is held.
void Brass(Signal& s, const Note& n) {
  const int start = s.at(n.start);
  const double attack = 0.03, release = 0.08;
  const int len = std::min(static_cast<int>(s.x.size()) - start,
                           static_cast<int>((n.length + release) * s.rate));
  const double f0 = MidiHz(n.midi);
  double phase = 0;
  for (int i = 0; i < len; ++i) {
    const double t = static_cast<double>(i) / s.rate;
    double env = t < attack ? t / attack : 1.0;
    if (t > attack) env *= 0.8 + 0.2 * std::exp(-(t - attack) / 0.08);
    if (t > n.length) env *= std::max(0.0, 1.0 - (t - n.length) / release);
    const double vib =
        1.0 + 0.004 * std::sin(2 * kPi * 5.5 * t) * std::min(1.0, std::max(0.0, (t - 0.15) / 0.2));
    phase += 2 * kPi * f0 * vib / s.rate;
    const double bright = 0.35 + 0.5 * std::min(1.0, t / 0.06);
    double v = 0;
    for (int h = 1; h <= 12 && f0 * h < s.rate * 0.45; ++h) {
      v += std::pow(bright, h - 1) / h * std::sin(h * phase);
    }
    s.x[start + i] += n.amp * env * v;
  }
}

// A soft clarinet-like voice that darkens as the note fades: odd harmonics
// mostly, a slow vibrato and a sag in pitch at the very end of long notes.
void Reed(Signal& s, const Note& n, double sag) {
  const int start = s.at(n.start);
  const double attack = 0.05, release = 0.1;
  const int len = std::min(static_cast<int>(s.x.size()) - start,
                           static_cast<int>((n.length + release) * s.rate));
  const double f0 = MidiHz(n.midi);
  double phase = 0;
  for (int i = 0; i < len; ++i) {
    const double t = static_cast<double>(i) / s.rate;
    double env = t < attack ? t / attack : 1.0;
    env *= std::exp(-t / (n.length * 1.5));
    if (t > n.length) env *= std::max(0.0, 1.0 - (t - n.length) / release);
    const double depth = 0.006 + 0.01 * std::min(1.0, t / 0.6);
    const double droop = 1.0 - sag * std::max(0.0, (t - n.length * 0.6) / (n.length * 0.4));
    phase += 2 * kPi * f0 * droop * (1.0 + depth * std::sin(2 * kPi * 4.5 * t)) / s.rate;
    const double dark = 0.55 - 0.25 * std::min(1.0, t / n.length);
    double v = 0;
    for (int h = 1; h <= 9 && f0 * h < s.rate * 0.45; ++h) {
      const double odd = (h % 2) ? 1.0 : 0.3;
      v += odd * std::pow(dark, h - 1) * std::sin(h * phase);
    }
    s.x[start + i] += n.amp * env * v;
  }
}

// A light room: a few feedback delays mixed in quietly.
void Room(Signal& s, double mix) {
  const double delays[] = {0.0297, 0.0371, 0.0411, 0.0437};
  std::vector<double> wet(s.x.size(), 0.0);
  for (double d : delays) {
    const int k = s.at(d);
    std::vector<double> line(s.x.size(), 0.0);
    for (size_t i = 0; i < s.x.size(); ++i) {
      line[i] = s.x[i] + (i >= static_cast<size_t>(k) ? 0.7 * line[i - k] : 0.0);
      wet[i] += line[i] * 0.25;
    }
  }
  for (size_t i = 0; i < s.x.size(); ++i) s.x[i] += mix * wet[i];
}

Signal Win(int samples) {
  Signal s(22050, samples);
  const Note melody[] = {
      {0.00, 0.15, 67, 0.8}, {0.18, 0.15, 72, 0.85}, {0.36, 0.15, 76, 0.9},
      {0.54, 0.46, 79, 1.0}, {1.08, 0.15, 76, 0.85}, {1.26, 0.75, 79, 1.0},
      {2.10, 0.15, 81, 0.9}, {2.28, 0.15, 83, 0.95}, {2.46, 1.75, 84, 1.0},
  };
  const Note harmony[] = {
      {0.54, 0.46, 76, 0.55}, {1.26, 0.75, 76, 0.55}, {1.26, 0.75, 72, 0.45},
      {2.46, 1.75, 79, 0.55}, {2.46, 1.75, 76, 0.5},  {2.46, 1.75, 72, 0.45},
  };
  const Note bass[] = {
      {0.54, 0.46, 48, 0.6},
      {1.26, 0.75, 43, 0.6},
      {2.10, 0.30, 43, 0.5},
      {2.46, 1.75, 48, 0.65},
  };
  for (const Note& n : melody) Brass(s, n);
  for (const Note& n : harmony) Brass(s, n);
  for (const Note& n : bass) Brass(s, n);
  Room(s, 0.35);
  return s;
}

Signal Lose(int samples) {
  Signal s(22050, samples);
  const Note phrase[] = {
      {0.02, 0.34, 67, 0.9}, {0.42, 0.34, 66, 0.9}, {0.82, 0.34, 65, 0.9}, {1.22, 0.55, 64, 1.0}};
  for (size_t i = 0; i < std::size(phrase); ++i) {
    Reed(s, phrase[i], i + 1 == std::size(phrase) ? 0.03 : 0.0);
  }
  Room(s, 0.25);
  return s;
}

// --- Writing ----------------------------------------------------------------

void Put16(std::string& b, uint16_t v) {
  b.push_back(static_cast<char>(v & 0xFF));
  b.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& b, uint32_t v) {
  Put16(b, static_cast<uint16_t>(v & 0xFFFF));
  Put16(b, static_cast<uint16_t>(v >> 16));
}

bool WriteWave(const std::string& path, int rate, const std::vector<int16_t>& pcm) {
  const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
  std::string b;
  b.reserve(44 + dataBytes);
  b += "RIFF";
  Put32(b, 36 + dataBytes);
  b += "WAVEfmt ";
  Put32(b, 16);
  Put16(b, 1);  // PCM
  Put16(b, 1);  // mono
  Put32(b, static_cast<uint32_t>(rate));
  Put32(b, static_cast<uint32_t>(rate * 2));  // bytes per second
  Put16(b, 2);                                // bytes per frame
  Put16(b, 16);                               // bits per sample
  b += "data";
  Put32(b, dataBytes);
  for (int16_t v : pcm) Put16(b, static_cast<uint16_t>(v));
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(b.data(), static_cast<std::streamsize>(b.size()));
  return static_cast<bool>(f);
}

struct Effect {
  const char* name;
  int rate;
  int fileBytes;  // header included
  Signal (*make)(int samples);
  double peak, fadeInMs, fadeOutMs;
};

const Effect kEffects[] = {
    {"DICE", 22050, 19240, Dice, 0.85, 0.5, 15}, {"ENDROW", 22050, 4472, EndRow, 0.7, 0.5, 12},
    {"LOSE", 22050, 85480, Lose, 0.8, 2, 60},    {"MOVE", 22050, 5326, Move, 0.7, 0.5, 15},
    {"POP", 44100, 4436, Pop, 0.8, 0.3, 6},      {"WIN", 22050, 198646, Win, 0.8, 2, 250},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  for (const Effect& e : kEffects) {
    const int samples = (e.fileBytes - 44) / 2;
    const std::vector<int16_t> pcm = Finish(e.make(samples), e.peak, e.fadeInMs, e.fadeOutMs);
    const std::string path = dir + "/" + e.name + ".wav";
    if (!WriteWave(path, e.rate, pcm)) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
      return 1;
    }
  }
  return 0;
}
