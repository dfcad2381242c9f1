#include "platform/saved_crtc.h"

namespace vandrel {

std::string EncodeSavedCrtc(const SavedCrtc& s) {
  std::string text;
  auto add = [&](auto value) {
    if (!text.empty()) text += ',';
    text += std::to_string(value);
  };
  add(s.crtc);
  add(s.mode);
  add(s.x);
  add(s.y);
  add(s.rotation);
  add(s.screenWidth);
  add(s.screenHeight);
  add(s.screenWidthMm);
  add(s.screenHeightMm);
  add(s.outputs.size());
  for (unsigned long output : s.outputs) add(output);
  return text;
}

std::optional<SavedCrtc> DecodeSavedCrtc(std::string_view text) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (fields.size() < 11) return std::nullopt;
  SavedCrtc s;
  size_t count = 0;
  if (!ParseNumber(fields[0], s.crtc) || !ParseNumber(fields[1], s.mode) ||
      !ParseNumber(fields[2], s.x) || !ParseNumber(fields[3], s.y) ||
      !ParseNumber(fields[4], s.rotation) || !ParseNumber(fields[5], s.screenWidth) ||
      !ParseNumber(fields[6], s.screenHeight) || !ParseNumber(fields[7], s.screenWidthMm) ||
      !ParseNumber(fields[8], s.screenHeightMm) || !ParseNumber(fields[9], count))
    return std::nullopt;
  if (count < 1 || fields.size() != 10 + count) return std::nullopt;
  for (size_t i = 0; i < count; ++i) {
    unsigned long output = 0;
    if (!ParseNumber(fields[10 + i], output) || output == 0) return std::nullopt;
    s.outputs.push_back(output);
  }
  if (s.crtc == 0 || s.mode == 0 || s.rotation <= 0 || s.rotation > 0x3f || s.screenWidth <= 0 ||
      s.screenHeight <= 0 || s.screenWidthMm < 0 || s.screenHeightMm < 0)
    return std::nullopt;
  return s;
}

}  // namespace vandrel
