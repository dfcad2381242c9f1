// Runs the sound generator into a fresh folder and checks what it writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> ReadAll(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

uint32_t Le32(const std::vector<unsigned char>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Le16(const std::vector<unsigned char>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
std::string Tag(const std::vector<unsigned char>& b, size_t at) {
  return std::string(b.begin() + at, b.begin() + at + 4);
}

struct Expected {
  const char* name;
  uint32_t rate;
  size_t fileBytes;
};

const Expected kSounds[] = {
    {"DICE", 22050, 19240}, {"ENDROW", 22050, 4472}, {"LOSE", 22050, 85480},
    {"MOVE", 22050, 5326},  {"POP", 44100, 4436},    {"WIN", 22050, 198646},
};

class SfxGen : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / ("vandrel-sfxgen-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    const std::string cmd = std::string("\"") + VANDREL_SFXGEN + "\" \"" + dir_.string() + "\"";
    status_ = std::system(cmd.c_str());
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  static inline fs::path dir_;
  static inline int status_ = -1;
};

TEST_F(SfxGen, WritesEachSoundWithItsExactFormatAndSize) {
  ASSERT_EQ(status_, 0);
  for (const Expected& e : kSounds) {
    SCOPED_TRACE(e.name);
    const auto b = ReadAll(dir_ / (std::string(e.name) + ".wav"));
    ASSERT_EQ(b.size(), e.fileBytes);
    EXPECT_EQ(Tag(b, 0), "RIFF");
    EXPECT_EQ(Le32(b, 4), e.fileBytes - 8);
    EXPECT_EQ(Tag(b, 8), "WAVE");
    EXPECT_EQ(Tag(b, 12), "fmt ");
    EXPECT_EQ(Le32(b, 16), 16u);
    EXPECT_EQ(Le16(b, 20), 1);  // PCM
    EXPECT_EQ(Le16(b, 22), 1);  // mono
    EXPECT_EQ(Le32(b, 24), e.rate);
    EXPECT_EQ(Le32(b, 28), e.rate * 2);
    EXPECT_EQ(Le16(b, 32), 2);
    EXPECT_EQ(Le16(b, 34), 16);
    EXPECT_EQ(Tag(b, 36), "data");
    EXPECT_EQ(Le32(b, 40), e.fileBytes - 44);
  }
}

TEST_F(SfxGen, SoundsAreAudibleUnclippedAndStartAndEndQuietly) {
  ASSERT_EQ(status_, 0);
  for (const Expected& e : kSounds) {
    SCOPED_TRACE(e.name);
    const auto b = ReadAll(dir_ / (std::string(e.name) + ".wav"));
    ASSERT_EQ(b.size(), e.fileBytes);
    std::vector<int> s;
    for (size_t at = 44; at + 1 < b.size(); at += 2) s.push_back(static_cast<int16_t>(Le16(b, at)));
    int peak = 0;
    double energy = 0;
    for (int v : s) {
      peak = std::max(peak, std::abs(v));
      energy += static_cast<double>(v) * v;
    }
    const double rms = std::sqrt(energy / s.size());
    EXPECT_GT(peak, 16000) << "too quiet";
    EXPECT_LT(peak, 31000) << "too close to clipping";
    EXPECT_GT(rms, 1000) << "mostly silence";
    // Faded in and out: no step at either end.
    EXPECT_LE(std::abs(s.front()), 64);
    EXPECT_LE(std::abs(s.back()), 64);
    // No DC offset to thump when the sound starts.
    double mean = 0;
    for (int v : s) mean += v;
    EXPECT_LT(std::fabs(mean / s.size()), 200);
  }
}

TEST_F(SfxGen, CommittedSoundsAreTheGeneratorsOutput) {
  ASSERT_EQ(status_, 0);
  for (const Expected& e : kSounds) {
    SCOPED_TRACE(e.name);
    const std::string file = std::string(e.name) + ".wav";
    const auto made = ReadAll(dir_ / file);
    const auto committed = ReadAll(fs::path(VANDREL_SOUNDS_DIR) / file);
    ASSERT_EQ(made.size(), committed.size());
    EXPECT_TRUE(made == committed) << "run tools/make-sounds.sh and commit the sounds";
  }
}

TEST(SfxGenUsage, RefusesAMissingOutputFolder) {
  const std::string cmd =
      std::string("\"") + VANDREL_SFXGEN + "\" /nonexistent/vandrel 2>/dev/null";
  EXPECT_NE(std::system(cmd.c_str()), 0);
  const std::string noArgs = std::string("\"") + VANDREL_SFXGEN + "\" 2>/dev/null";
  EXPECT_NE(std::system(noArgs.c_str()), 0);
}

}  // namespace
