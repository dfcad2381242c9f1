// The program's command line, run as a person runs it, with no display at
// all: what it prints, where, and its exit status. Nothing here may need a
// screen, so a broken start-up order (Qt before the parser) shows up as
// Qt's abort instead of the expected line.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Outcome {
  int status = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream f(path);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Runs the program through the shell with `env` settings and arguments.
Outcome Start(const std::string& env, const std::string& args) {
  char dir[] = "/tmp/vandrel-cmdline.XXXXXX";
  if (!mkdtemp(dir)) return {};
  const std::string out = std::string(dir) + "/out", err = std::string(dir) + "/err";
  // In English, whatever language the machine speaks.
  const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANGUAGE=en " +
                          env + " " + VANDREL_PROGRAM + " " + args + " >" + out + " 2>" + err;
  Outcome r;
  const int rc = std::system(cmd.c_str());
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : 128 + WTERMSIG(rc);
  r.out = Slurp(out);
  r.err = Slurp(err);
  std::remove(out.c_str());
  std::remove(err.c_str());
  rmdir(dir);
  return r;
}

struct Case {
  const char* name;
  const char* env;
  const char* args;
  int status;
  const char* out;  // the whole of standard output, or a part of it (prefix "~")
  const char* err;  // likewise for standard error
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

bool Matches(const std::string& got, const char* want) {
  if (want[0] == '~') return got.find(want + 1) != std::string::npos;
  return got == want;
}

class CommandLine : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLine, PrintsAndExitsWithoutADisplay) {
  const Case& c = GetParam();
  const Outcome r = Start(c.env, c.args);
  EXPECT_EQ(r.status, c.status);
  EXPECT_TRUE(Matches(r.out, c.out)) << "stdout: " << r.out;
  EXPECT_TRUE(Matches(r.err, c.err)) << "stderr: " << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Vandrel, CommandLine,
    ::testing::Values(
        Case{"Help", "", "--help", 0, "~Usage: vandrel [options] [FILE.vdg]\n", ""},
        Case{"HelpShort", "", "-h", 0, "~  --window ", ""},
        Case{"Version", "", "--version", 0, "vandrel 1.1\n", ""},
        Case{"VersionShort", "", "-v", 0, "vandrel 1.1\n", ""},
        Case{"HelpWinsOverAFile", "", "game.vdg --help", 0, "~Usage: ", ""},
        Case{"UnknownOption", "", "--fullscreen", 2, "",
             "vandrel: Unknown option 'fullscreen'.\n"
             "Try 'vandrel --help' for more information.\n"},
        Case{"TwoFiles", "", "a.vdg b.vdg", 2, "", "~vandrel: one saved game at a time\n"},
        Case{"NoDisplay", "", "", 1, "", "vandrel: cannot open a display: DISPLAY is not set\n"},
        Case{"NoDisplayWithAFile", "", "--window game.vdg", 1, "",
             "vandrel: cannot open a display: DISPLAY is not set\n"},
        Case{"DisplayThatDoesNotOpen", "DISPLAY=:4093", "", 1, "",
             "vandrel: cannot open display ':4093'\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
