#include "control/savegame.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace vandrel {

namespace {

// --- Byte-level writing and reading -----------------------------------------

class Writer {
 public:
  explicit Writer(uint8_t* out) : p_(out) {}
  void i32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) *p_++ = static_cast<uint8_t>(u >> (8 * i));
  }
  void u8(uint8_t v) { *p_++ = v; }
  void zeros(int n) {
    for (int i = 0; i < n; ++i) *p_++ = 0;
  }

 private:
  uint8_t* p_;
};

class Reader {
 public:
  explicit Reader(const uint8_t* in) : p_(in) {}
  int32_t i32() {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(*p_++) << (8 * i);
    return static_cast<int32_t>(u);
  }
  // A flag byte; anything but 0 or 1 spoils the file.
  uint8_t flag() {
    const uint8_t v = *p_++;
    if (v > 1) ok_ = false;
    return v;
  }
  void zeros(int n) {
    for (int i = 0; i < n; ++i)
      if (*p_++ != 0) ok_ = false;
  }
  bool ok() const { return ok_; }

 private:
  const uint8_t* p_;
  bool ok_ = true;
};

void WritePiece(Writer& w, const TPiece& x) {
  w.i32(x.Col);
  w.i32(x.Row);
  w.u8(x.EndP);
  w.zeros(3);
  w.i32(x.EndRow);
  w.u8(x.StartP);
  w.zeros(3);
  w.i32(x.StartRow);
  w.u8(x.OnBase);
  w.u8(x.OnReturn);
  w.zeros(2);
  w.i32(x.BaseRow);
  w.i32(x.BaseCol);
}

TPiece ReadPiece(Reader& r) {
  TPiece x;
  x.Col = r.i32();
  x.Row = r.i32();
  x.EndP = r.flag();
  r.zeros(3);
  x.EndRow = r.i32();
  x.StartP = r.flag();
  r.zeros(3);
  x.StartRow = r.i32();
  x.OnBase = r.flag();
  x.OnReturn = r.flag();
  r.zeros(2);
  x.BaseRow = r.i32();
  x.BaseCol = r.i32();
  return x;
}

std::string SystemReason(int err) { return std::string(std::strerror(err)) + "."; }

bool WriteAll(int fd, const uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

SavedGame SavedGameOf(const GameState& s) {
  SavedGame g;
  g.Pieces = s.Pieces;
  g.Score = s.Score;
  g.Bonus = s.Bonus;
  g.GamesLeft = s.GamesLeft;
  g.NewMatchEnabled = s.MatchBtnEnabled;
  g.PlayGameEnabled = s.NewBtnEnabled;
  g.SfxOn = s.SfxOn;
  return g;
}

void ApplySavedGame(const SavedGame& g, GameState& s) {
  s.Pieces = g.Pieces;
  s.Score = g.Score;
  s.Bonus = g.Bonus;
  s.GamesLeft = g.GamesLeft;
  s.SfxOn = g.SfxOn;
}

std::array<uint8_t, kSavedGameSize> EncodeSavedGame(const SavedGame& g) {
  std::array<uint8_t, kSavedGameSize> out{};
  Writer w(out.data());
  for (const auto& team : g.Pieces)
    for (const TPiece& x : team) WritePiece(w, x);
  w.i32(g.Score[0]);
  w.i32(g.Score[1]);
  w.i32(g.Bonus[0]);
  w.i32(g.Bonus[1]);
  w.i32(g.GamesLeft);
  w.u8(g.NewMatchEnabled);
  w.u8(g.PlayGameEnabled);
  w.u8(g.SfxOn);
  w.u8(g.NewMatchEnabled);
  return out;
}

std::string DecodeSavedGame(const uint8_t* data, std::size_t size, SavedGame& out) {
  if (data == nullptr || size != kSavedGameSize) return kNotASavedGame;
  Reader r(data);
  SavedGame g;
  for (auto& team : g.Pieces)
    for (TPiece& x : team) x = ReadPiece(r);
  g.Score[0] = r.i32();
  g.Score[1] = r.i32();
  g.Bonus[0] = r.i32();
  g.Bonus[1] = r.i32();
  g.GamesLeft = r.i32();
  const uint8_t newMatch = r.flag();
  g.PlayGameEnabled = r.flag();
  g.SfxOn = r.flag();
  g.NewMatchEnabled = r.flag();
  if (!r.ok() || newMatch != g.NewMatchEnabled) return kNotASavedGame;
  for (int t = 0; t < kTeams; ++t)
    if (g.Score[t] < 0 || g.Bonus[t] < 0) return kNotASavedGame;
  if (g.GamesLeft > 10) return kNotASavedGame;

  // The position itself must be one the rules can reach.
  GameState probe;
  probe.Pieces = g.Pieces;
  if (!CheckInvariants(probe).empty()) return kNotASavedGame;
  out = g;
  return {};
}

std::string WriteSavedGame(const std::string& path, const SavedGame& g) {
  const auto bytes = EncodeSavedGame(g);
  std::vector<char> tmp(path.begin(), path.end());
  const char suffix[] = ".XXXXXX";
  tmp.insert(tmp.end(), suffix, suffix + sizeof suffix);  // with the final NUL
  const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
  if (fd < 0) return SystemReason(errno);
  int err = 0;
  if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) err = errno;
  // A saved game is an ordinary document: readable by others as umask allows.
  if (err == 0) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0) err = errno;
  }
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tmp.data(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tmp.data());
    return SystemReason(err);
  }
  return {};
}

std::string ReadSavedGame(const std::string& path, SavedGame& out) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return SystemReason(errno);
  // One byte more than a saved game tells a longer file from a good one.
  uint8_t buf[kSavedGameSize + 1];
  std::size_t got = 0;
  int err = 0;
  while (got < sizeof buf) {
    const ssize_t n = ::read(fd, buf + got, sizeof buf - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      break;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) return SystemReason(err);
  return DecodeSavedGame(buf, got, out);
}

}  // namespace vandrel
