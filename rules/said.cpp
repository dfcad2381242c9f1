#include "rules/said.h"

namespace vandrel {

namespace {

// The format with %1 and %2 replaced by the two values.
std::string Fill(const char* format, const std::string& first, const std::string& second) {
  std::string out;
  for (const char* c = format; *c != '\0'; ++c) {
    if (c[0] == '%' && (c[1] == '1' || c[1] == '2')) {
      out += c[1] == '1' ? first : second;
      ++c;
    } else {
      out += *c;
    }
  }
  return out;
}

}  // namespace

std::string English(const SquareSaid& square) {
  return Fill(square.format, std::to_string(square.numbers[0]), std::to_string(square.numbers[1]));
}

std::string English(const Said& said) {
  if (said.empty()) return {};
  return Fill(said.format, English(said.squares[0]), English(said.squares[1]));
}

}  // namespace vandrel
