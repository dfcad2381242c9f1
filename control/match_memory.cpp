#include "control/match_memory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "control/kept_file.h"

namespace vandrel {

MatchMemory::Paths MatchMemory::DefaultPaths() {
  Paths p;
  if (const std::string data = KeptFolderPath(KeptFolder::Data); !data.empty())
    p.record = data + "/record";
  if (const std::string state = KeptFolderPath(KeptFolder::State); !state.empty())
    p.unfinished = state + "/unfinished.vdg";
  return p;
}

MatchMemory::MatchMemory(Paths paths, Warn warn)
    : paths_(std::move(paths)), warn_(std::move(warn)) {}

void MatchMemory::SayOnce(bool& said, const std::string& line) {
  if (said) return;
  said = true;
  if (warn_) warn_(line);
}

// --- The record ------------------------------------------------------------------

void MatchMemory::LoadRecord() {
  if (paths_.record.empty()) return;
  const KeptRead r = ReadKeptFile(paths_.record, kMaxRecordBytes);
  if (r.status == KeptRead::Missing) return;
  std::string why = r.reason;
  if (r.status == KeptRead::Read) why = ParsePlayerRecord(r.text, record_);
  if (!why.empty() && warn_)
    warn_("the record " + paths_.record + " cannot be used, " + why + " Starting from none.");
}

void MatchMemory::WriteRecord() {
  if (paths_.record.empty()) return;
  const std::string why = WriteKeptFile(paths_.record, FormatPlayerRecord(record_));
  if (!why.empty())
    SayOnce(recordWriteTold_, "cannot keep the record in " + paths_.record + ": " + why);
}

void MatchMemory::CountGame(bool humanWon) {
  record_.CountGame(humanWon);
  WriteRecord();
}

void MatchMemory::CountMatch(int32_t humanScore, int32_t computerScore) {
  record_.CountMatch(humanScore, computerScore);
  WriteRecord();
}

void MatchMemory::ClearRecord() {
  record_ = PlayerRecord{};
  WriteRecord();
}

// --- The unfinished match ----------------------------------------------------------

bool MatchMemory::FindUnfinished(SavedGame& g) {
  if (paths_.unfinished.empty()) return false;
  struct stat st;
  if (::lstat(paths_.unfinished.c_str(), &st) != 0 && errno == ENOENT) return false;
  const std::string why = ReadSavedGame(paths_.unfinished, g);
  if (why.empty()) return true;
  if (warn_) warn_("the unfinished match " + paths_.unfinished + " cannot be used: " + why);
  return false;
}

void MatchMemory::KeepUnfinished(const SavedGame& g) {
  if (paths_.unfinished.empty()) return;
  // The match is kept in the game's own folder: a link put in its place is
  // replaced, never written through.
  struct stat st;
  if (::lstat(paths_.unfinished.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
    ::unlink(paths_.unfinished.c_str());
  std::string why = MakeKeptFolder(FolderOf(paths_.unfinished));
  if (why.empty()) why = WriteSavedGame(paths_.unfinished, g);
  if (!why.empty())
    SayOnce(unfinishedWriteTold_,
            "cannot keep the unfinished match in " + paths_.unfinished + ": " + why);
}

void MatchMemory::ForgetUnfinished() {
  if (paths_.unfinished.empty()) return;
  struct stat st;
  if (::lstat(paths_.unfinished.c_str(), &st) != 0) return;
  // Only what the game keeps there goes: a folder or a FIFO stays.
  if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) ::unlink(paths_.unfinished.c_str());
}

}  // namespace vandrel
