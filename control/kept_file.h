// The small files the game keeps between runs, under the player's XDG
// folders: where they live, and reading and writing them so that a hostile
// or broken file can never hang, crash or trick the game.
//
//   settings       $XDG_CONFIG_HOME/vandrel/vandrel.conf   (~/.config)
//   the record     $XDG_DATA_HOME/vandrel/record           (~/.local/share)
//   an unfinished  $XDG_STATE_HOME/vandrel/unfinished.vdg  (~/.local/state)
//   match
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vandrel {

enum class KeptFolder { Config, State, Data };

// The game's own folder of that kind: the XDG variable when it holds an
// absolute path, otherwise the default under $HOME; "" when neither is usable.
std::string KeptFolderPath(KeptFolder which);

struct KeptRead {
  enum Status { Missing, Read, Unusable };
  Status status = Missing;
  std::string text;    // the bytes, when Read
  std::string reason;  // why it cannot be used, when Unusable
};

// Reads a kept file of at most maxBytes. Only an ordinary file (or a link to
// one) is read, and never so that the open could wait: a folder, a FIFO, a
// device, a socket, a link to one of them, a dangling or looping link, an
// unreadable or oversized file is Unusable, and left as it is.
KeptRead ReadKeptFile(const std::string& path, std::size_t maxBytes);

// Writes the bytes to a temporary file in the same folder (made, with its
// parents, when missing), flushes it to the disk and renames it over path,
// so a reader (or a crash at any moment) sees the earlier file or the new
// one, never a part. A link at path is replaced, not followed. Answers "" or
// the system's reason followed by a full stop.
std::string WriteKeptFile(const std::string& path, std::string_view bytes);

// Fills a fresh temporary file in the same folder (made, with its parents,
// when missing) through `fill`, which gets its descriptor and its name and
// must leave it complete on the disk, answering "" or why not; then renames
// it over path as WriteKeptFile does.
using KeptFiller = std::function<std::string(int fd, const std::string& tmpPath)>;
std::string ReplaceKeptFile(const std::string& path, const KeptFiller& fill);

// The folder of a path ("." for a bare name) and its last part.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// Writes all the bytes to fd, going on after interruptions and short writes;
// false, with errno set, when it cannot.
bool WriteAllBytes(int fd, const void* data, std::size_t size);

// Makes the folder and its missing parents (mode 0700, as the XDG folders
// want). Answers "" or the system's reason.
std::string MakeKeptFolder(const std::string& dir);

}  // namespace vandrel
