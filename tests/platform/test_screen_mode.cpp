#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/screen_mode.h"

namespace vandrel {
namespace {

// No X server of ours: nothing is switched and nothing is reported.

class EnvironmentScope {
 public:
  explicit EnvironmentScope(std::vector<std::pair<const char*, const char*>> vars) {
    for (auto [name, value] : vars) {
      const char* old = std::getenv(name);
      saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
      if (value)
        setenv(name, value, 1);
      else
        unsetenv(name);
    }
  }
  ~EnvironmentScope() {
    for (auto& [name, value] : saved_) {
      if (value)
        setenv(name, value->c_str(), 1);
      else
        unsetenv(name);
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST(SetDisplayMode, MakesNoSwitchWithoutAnXServer) {
  const std::vector<std::vector<std::pair<const char*, const char*>>> sessions = {
      {{"DISPLAY", nullptr}, {"WAYLAND_DISPLAY", nullptr}},
      {{"DISPLAY", nullptr}, {"WAYLAND_DISPLAY", "wayland-0"}},
      {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", nullptr}},
  };
  for (const auto& session : sessions) {
    EnvironmentScope scope(session);
    const DisplayMode mode = CurrentDisplayMode();
    EXPECT_EQ(mode.width, 0);
    EXPECT_EQ(mode.height, 0);
    EXPECT_EQ(mode.bpp, 0);
    EXPECT_FALSE(SetDisplayMode(800, 600, 32));
    EXPECT_FALSE(RestoreDisplayMode());
    EXPECT_FALSE(RestoreDisplayMode());
  }
}

}  // namespace
}  // namespace vandrel
