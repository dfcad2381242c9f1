// Collects the game's trace lines, for tests.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "rules/presentation.h"

namespace vandrel::testing {

class TraceLog {
 public:
  explicit TraceLog(Presentation& ui) : f_(open_memstream(&buf_, &size_)) { ui.SetTraceStream(f_); }
  ~TraceLog() {
    std::fclose(f_);
    std::free(buf_);
  }
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;
  std::vector<std::string> Lines() {
    std::fflush(f_);
    std::vector<std::string> out;
    std::istringstream in(std::string(buf_, size_));
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  }
  int Count(const std::string& prefix) {
    int n = 0;
    for (const auto& l : Lines())
      if (l.rfind(prefix, 0) == 0) ++n;
    return n;
  }

 private:
  char* buf_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* f_;
};

}  // namespace vandrel::testing
