// The player's screen set-up as the game saves it before its first switch:
// one CRTC with its mode, place, rotation and outputs, and the screen's size.
// The screen mode puts it back, and so does the guardian, which receives it
// on its command line (platform/mode_guardian.h), both as one line of text.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

struct SavedCrtc {
  unsigned long crtc = 0;
  unsigned long mode = 0;
  int x = 0, y = 0;
  int rotation = 1;  // RR_Rotate_0
  std::vector<unsigned long> outputs;
  int screenWidth = 0, screenHeight = 0;
  int screenWidthMm = 0, screenHeightMm = 0;

  bool operator==(const SavedCrtc&) const = default;
};

// The set-up as one line of decimal numbers and commas, and back; a line
// that is not one whole, sane set-up decodes to nothing.
std::string EncodeSavedCrtc(const SavedCrtc& saved);
std::optional<SavedCrtc> DecodeSavedCrtc(std::string_view text);

// A whole decimal number and nothing else, as the set-up's texts and the guardian's
// command line carry them.
template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

}  // namespace vandrel
