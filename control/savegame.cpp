#include "control/savegame.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "control/kept_file.h"

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

// Our own answer, beside the system's errors, for a target that is no
// ordinary file.
constexpr int kNotRegular = -1;

// Reads up to size bytes; answers 0 or the system's error.
int ReadAll(int fd, uint8_t* data, std::size_t size, std::size_t& got) {
  got = 0;
  while (got < size) {
    const ssize_t n = ::read(fd, data + got, size - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return 0;
}

// The file a save must change: symbolic links are followed, also to a target
// that does not exist yet, so a link keeps pointing at the saved game.
int ResolveLinks(std::string& path) {
  for (int hops = 0;; ++hops) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(st.st_mode)) return 0;
    if (hops == 40) return ELOOP;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0) return errno;
    if (static_cast<std::size_t>(n) >= target.size()) return ENAMETOOLONG;  // it changed
    target.resize(static_cast<std::size_t>(n));
    path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
  }
}

// Temporary files are named ".NAME.vdg-XXXXXX", NAME being the first bytes
// of the saved game's name, so the temporary name is short whatever the
// name's length.
constexpr std::size_t kTempNameBytes = 24;
constexpr char kTempMark[] = ".vdg-";
constexpr std::size_t kTempRandom = 6;  // the XXXXXX that mkostemp fills
constexpr time_t kStaleSeconds = 60;

std::string TempPattern(const std::string& dir, const std::string& name) {
  return dir + "/." + name.substr(0, kTempNameBytes) + kTempMark + "XXXXXX";
}

bool IsOurTempName(const char* name) {
  const std::size_t len = std::strlen(name);
  const std::size_t tail = sizeof kTempMark - 1 + kTempRandom;
  if (name[0] != '.' || len < 1 + tail || len > 1 + kTempNameBytes + tail) return false;
  if (std::memcmp(name + len - tail, kTempMark, sizeof kTempMark - 1) != 0) return false;
  for (std::size_t i = len - kTempRandom; i < len; ++i) {
    const char c = name[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

// Removes temporaries an interrupted save left in dir: our pattern, our own
// ordinary files no larger than a saved game, untouched for a minute.
void RemoveStaleTemporaries(const std::string& dir) {
  const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd < 0) return;
  DIR* d = ::fdopendir(dfd);
  if (d == nullptr) {
    ::close(dfd);
    return;
  }
  const time_t now = std::time(nullptr);
  while (const dirent* e = ::readdir(d)) {
    if (!IsOurTempName(e->d_name)) continue;
    struct stat st;
    if (::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
        st.st_size <= static_cast<off_t>(kSavedGameSize) && now - st.st_mtime > kStaleSeconds)
      ::unlinkat(dfd, e->d_name, 0);
  }
  ::closedir(d);
}

// Writes the bytes over the file itself, for a file whose other hard links
// must see the save too. The earlier bytes are put back if the write fails.
int WriteInPlace(const std::string& path, const uint8_t* data, std::size_t size) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat st;
  uint8_t earlier[kSavedGameSize];
  std::size_t had = 0;
  int err = ::fstat(fd, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : kNotRegular;
  if (err == 0) err = ReadAll(fd, earlier, sizeof earlier, had);
  if (err == 0 && (::lseek(fd, 0, SEEK_SET) != 0 || !WriteAllBytes(fd, data, size))) {
    err = errno;
    if (::lseek(fd, 0, SEEK_SET) == 0 && WriteAllBytes(fd, earlier, had) &&
        st.st_size < off_t(size))
      (void)!::ftruncate(fd, st.st_size);
  }
  if (err == 0 && (::ftruncate(fd, static_cast<off_t>(size)) != 0 || ::fsync(fd) != 0)) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

void SyncFolder(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

int WriteSavedGameBytes(const std::string& chosen, const uint8_t* data, std::size_t size) {
  std::string path = chosen;
  if (const int err = ResolveLinks(path)) return err;
  const std::string dir = FolderOf(path);

  // An existing file: the user must be allowed to write it, and it keeps its
  // mode, its owner (where we may set it) and its other hard links.
  struct stat old;
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return errno;
  if (exists) {
    if (S_ISDIR(old.st_mode)) return EISDIR;
    if (!S_ISREG(old.st_mode)) return kNotRegular;
    // Opening it for writing (without changing it) asks the system whether
    // we may, read-only file systems and access lists included.
    const int probe = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0) return errno;
    const bool regular = ::fstat(probe, &old) == 0 && S_ISREG(old.st_mode);
    ::close(probe);
    if (!regular) return kNotRegular;
  }
  if (exists && old.st_nlink > 1) return WriteInPlace(path, data, size);

  RemoveStaleTemporaries(dir);
  std::string tmp = TempPattern(dir, NameOf(path));
  const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
  if (fd < 0) {
    // A folder we may not write into, holding a file we may write: write the
    // file itself.
    if (exists && errno == EACCES) return WriteInPlace(path, data, size);
    return errno;
  }
  int err = 0;
  if (!WriteAllBytes(fd, data, size) || ::fsync(fd) != 0) err = errno;
  if (err == 0 && exists) {
    // The owner first: changing it may clear the set-id bits that the mode
    // then puts back. Only a privileged user may give the file away.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
      (void)!::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    if (::fchmod(fd, old.st_mode & 07777) != 0) err = errno;
  } else if (err == 0) {
    // A new saved game is an ordinary document: readable by others as umask
    // allows.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0) err = errno;
  }
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tmp.c_str());
    return err;
  }
  SyncFolder(dir);
  return 0;
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
  for (int t = 0; t < kTeams; ++t)
    if (g.Score[t] > kMaxPoints || g.Bonus[t] > kMaxPoints) return kNotASavedGame;
  if (g.GamesLeft > kMaxGamesPerMatch || g.GamesLeft < kMinGamesLeft) return kNotASavedGame;

  // The position itself must be one the rules can reach.
  GameState probe;
  probe.Pieces = g.Pieces;
  if (!CheckInvariants(probe).empty()) return kNotASavedGame;
  out = g;
  return {};
}

std::string WriteSavedGame(const std::string& path, const SavedGame& g) {
  const auto bytes = EncodeSavedGame(g);
  const int err = WriteSavedGameBytes(path, bytes.data(), bytes.size());
  return err == 0 ? std::string() : err == kNotRegular ? kNotASavedGame : SystemReason(err);
}

std::string ReadSavedGame(const std::string& path, SavedGame& out) {
  // Only an ordinary file can be a saved game. A FIFO, a device, a socket or
  // a folder is refused before it is opened, and the descriptor is checked
  // again; O_NONBLOCK keeps a FIFO put there meanwhile from hanging the open.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return SystemReason(errno);
  if (!S_ISREG(st.st_mode)) return kNotASavedGame;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return SystemReason(errno);
  // One byte more than a saved game tells a longer file from a good one.
  uint8_t buf[kSavedGameSize + 1];
  std::size_t got = 0;
  int err = ::fstat(fd, &st) != 0 ? errno : 0;
  const bool regular = err == 0 && S_ISREG(st.st_mode);
  if (regular) err = ReadAll(fd, buf, sizeof buf, got);
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) return SystemReason(err);
  if (!regular) return kNotASavedGame;
  return DecodeSavedGame(buf, got, out);
}

}  // namespace vandrel
