#include "control/kept_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace vandrel {

namespace {

std::string Reason(int err) { return std::string(std::strerror(err)) + "."; }

// Temporaries are named ".NAME.tmp-XXXXXX" beside the file they replace.
std::string TempPrefix(const std::string& base) { return "." + base + ".tmp-"; }

// Removes temporaries that an interrupted write left in dir for this file:
// our own ordinary files, untouched for a minute (another copy of the game
// may be writing one right now).
void RemoveStaleTemporaries(const std::string& dir, const std::string& base) {
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) return;
  const std::string prefix = TempPrefix(base);
  const time_t now = std::time(nullptr);
  while (const dirent* e = ::readdir(d)) {
    if (std::strncmp(e->d_name, prefix.c_str(), prefix.size()) != 0) continue;
    if (std::strlen(e->d_name) != prefix.size() + 6) continue;
    struct stat st;
    if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && now - st.st_mtime > 60)
      ::unlinkat(::dirfd(d), e->d_name, 0);
  }
  ::closedir(d);
}

}  // namespace

std::string KeptFolderPath(KeptFolder which) {
  const char* var = which == KeptFolder::Config  ? "XDG_CONFIG_HOME"
                    : which == KeptFolder::State ? "XDG_STATE_HOME"
                                                 : "XDG_DATA_HOME";
  const char* fallback = which == KeptFolder::Config  ? "/.config"
                         : which == KeptFolder::State ? "/.local/state"
                                                      : "/.local/share";
  // A relative XDG path is to be ignored, as if it were not set.
  if (const char* v = std::getenv(var); v && v[0] == '/') return std::string(v) + "/vandrel";
  if (const char* home = std::getenv("HOME"); home && home[0] == '/')
    return std::string(home) + fallback + "/vandrel";
  return {};
}

bool WriteAllBytes(int fd, const void* data, std::size_t size) {
  const auto* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

KeptRead ReadKeptFile(const std::string& path, std::size_t maxBytes) {
  KeptRead r;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) {
      // Missing, unless a dangling link stands there.
      if (::lstat(path.c_str(), &st) != 0) return r;
      r.status = KeptRead::Unusable;
      r.reason = "it is a link to nothing.";
      return r;
    }
    r.status = KeptRead::Unusable;
    r.reason = Reason(errno);
    return r;
  }
  r.status = KeptRead::Unusable;
  if (S_ISDIR(st.st_mode)) {
    r.reason = "it is a folder.";
    return r;
  }
  if (!S_ISREG(st.st_mode)) {
    r.reason = "it is not an ordinary file.";
    return r;
  }
  // O_NONBLOCK: a FIFO put there since the check cannot hang the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    r.reason = Reason(errno);
    return r;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    r.reason = "it is not an ordinary file.";
    return r;
  }
  std::string text;
  text.resize(maxBytes + 1);  // one byte more tells an oversized file
  std::size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      r.reason = Reason(errno);
      ::close(fd);
      return r;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (got > maxBytes) {
    r.reason = "it is too large.";
    return r;
  }
  text.resize(got);
  r.status = KeptRead::Read;
  r.text = std::move(text);
  return r;
}

std::string MakeKeptFolder(const std::string& dir) {
  if (dir.empty()) return "no home folder is known.";
  struct stat st;
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? "" : Reason(ENOTDIR);
  const std::string parent = FolderOf(dir);
  if (parent != dir && parent != "/" && parent != ".") {
    if (std::string why = MakeKeptFolder(parent); !why.empty()) return why;
  }
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return Reason(errno);
  return {};
}

std::string ReplaceKeptFile(const std::string& path, const KeptFiller& fill) {
  const std::string dir = FolderOf(path);
  if (std::string why = MakeKeptFolder(dir); !why.empty()) return why;
  RemoveStaleTemporaries(dir, NameOf(path));
  std::string tmp = dir + "/" + TempPrefix(NameOf(path)) + "XXXXXX";
  const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
  if (fd < 0) return Reason(errno);
  std::string why = fill(fd, tmp);
  if (::close(fd) != 0 && why.empty()) why = Reason(errno);
  if (why.empty() && ::rename(tmp.c_str(), path.c_str()) != 0) why = Reason(errno);
  if (!why.empty()) {
    ::unlink(tmp.c_str());
    return why;
  }
  if (const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return {};
}

std::string WriteKeptFile(const std::string& path, std::string_view bytes) {
  return ReplaceKeptFile(path, [bytes](int fd, const std::string&) {
    if (!WriteAllBytes(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) return Reason(errno);
    return std::string();
  });
}

}  // namespace vandrel
