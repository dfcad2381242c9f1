#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/mode_guardian.h"

namespace vandrel {
namespace {

// The saved set-up travels to the guardian as text on its command line.

SavedCrtc Sample() {
  SavedCrtc s;
  s.crtc = 0x3f;
  s.mode = 0x1c4;
  s.x = 0;
  s.y = 0;
  s.rotation = 1;
  s.outputs = {0x41};
  s.screenWidth = 1280;
  s.screenHeight = 1024;
  s.screenWidthMm = 337;
  s.screenHeightMm = 269;
  return s;
}

TEST(SavedCrtcText, RoundTripsEveryKindOfSetUp) {
  std::vector<SavedCrtc> cases;
  cases.push_back(Sample());
  SavedCrtc clone = Sample();  // one CRTC driving two outputs
  clone.outputs = {0x41, 0x42};
  cases.push_back(clone);
  SavedCrtc placed = Sample();  // right of another monitor, and above it
  placed.x = 1920;
  placed.y = -200;
  cases.push_back(placed);
  SavedCrtc rotated = Sample();  // turned, reflected, no physical size known
  rotated.rotation = 2 | 16;
  rotated.screenWidthMm = 0;
  rotated.screenHeightMm = 0;
  cases.push_back(rotated);
  SavedCrtc big = Sample();  // XIDs use the full 29 bits
  big.crtc = 0x1fffffff;
  big.mode = 0x1ffffffe;
  big.outputs = {0x1ffffffd};
  cases.push_back(big);

  for (const SavedCrtc& s : cases) {
    const std::string text = EncodeSavedCrtc(s);
    SCOPED_TRACE(text);
    EXPECT_EQ(text.find(' '), std::string::npos);  // one argument
    const std::optional<SavedCrtc> back = DecodeSavedCrtc(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);
  }
}

TEST(SavedCrtcText, RefusesDamagedText) {
  const std::string good = EncodeSavedCrtc(Sample());
  ASSERT_TRUE(DecodeSavedCrtc(good).has_value());
  const std::vector<std::string> bad = {
      "",
      good + ",",                                                // trailing field
      good + ",66",                                              // more outputs than counted
      good.substr(0, good.rfind(',')),                           // fewer outputs than counted
      "63,452,0,0,1,1280,1024,337,269,0",                        // no output at all
      "0,452,0,0,1,1280,1024,337,269,1,65",                      // no CRTC
      "63,0,0,0,1,1280,1024,337,269,1,65",                       // no mode
      "63,452,0,0,0,1280,1024,337,269,1,65",                     // no rotation
      "63,452,0,0,64,1280,1024,337,269,1,65",                    // rotation out of range
      "63,452,0,0,1,0,1024,337,269,1,65",                        // empty screen
      "63,452,0,0,1,1280,1024,-1,269,1,65",                      // negative size in mm
      "63,452,0,0,1,1280,1024,337,269,1,0",                      // output 0
      "63,452,0x0,0,1,1280,1024,337,269,1,65",                   // not decimal
      "63,452,0,0,1,1280,1024,337,269,1,65 ",                    // stray space
      "63,452,,0,1,1280,1024,337,269,1,65",                      // empty field
      "63,452,0,0,1,1280,1024,337,269,99999999999999999999,65",  // overflow
  };
  for (const std::string& text : bad) EXPECT_FALSE(DecodeSavedCrtc(text).has_value()) << text;
}

// ---------------------------------------------------------------------------------------
// The guardian: a goodbye means the game restored the mode; a bare end of the pipe means
// the game died and the guardian must restore it. The display named here does not exist,
// so an attempted restore shows as exit code 1. Each case runs in a child process, since
// the guardian changes signal dispositions.

int RunGuardian(const std::string& fdArg, const std::string& saved) {
  std::string program = "game", flag(kModeGuardianFlag), display = ":4095";
  std::string fd = fdArg, text = saved;
  char* argv[] = {program.data(), flag.data(), fd.data(), display.data(), text.data(), nullptr};
  return RunModeGuardianIfAsked(5, argv);
}

void GuardianWithPipe(const std::string& written) {
  int fds[2];
  if (pipe(fds) != 0) std::_Exit(100);
  if (!written.empty() && write(fds[1], written.data(), written.size()) < 0) std::_Exit(101);
  close(fds[1]);
  std::_Exit(RunGuardian(std::to_string(fds[0]), EncodeSavedCrtc(Sample())));
}

TEST(ModeGuardianDeathTest, RestoresOnlyWhenTheGameLeftWithoutGoodbye) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(GuardianWithPipe("B"), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(GuardianWithPipe("xxB"), testing::ExitedWithCode(0), "");  // noise first
  EXPECT_EXIT(GuardianWithPipe(""), testing::ExitedWithCode(1), "");     // killed
  EXPECT_EXIT(GuardianWithPipe("x"), testing::ExitedWithCode(1), "");    // crashed mid-way
}

TEST(ModeGuardianDeathTest, RefusesAMalformedCommandLine) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string saved = EncodeSavedCrtc(Sample());
  EXPECT_EXIT(std::_Exit(RunGuardian("three", saved)), testing::ExitedWithCode(2), "");
  EXPECT_EXIT(std::_Exit(RunGuardian("-1", saved)), testing::ExitedWithCode(2), "");
  EXPECT_EXIT(std::_Exit(RunGuardian("3", "63,452")), testing::ExitedWithCode(2), "");
}

TEST(ModeGuardian, OrdinaryCommandLinesAreNotTheGuardians) {
  std::string program = "game", other = "--vandrel-mode-guardianx";
  char* alone[] = {program.data(), nullptr};
  char* withOther[] = {program.data(), other.data(), nullptr};
  EXPECT_EQ(RunModeGuardianIfAsked(1, alone), -1);
  EXPECT_EQ(RunModeGuardianIfAsked(2, withOther), -1);
}

}  // namespace
}  // namespace vandrel
