// A sentence the game says with values in it (the hint, the computer's
// move), carried across the presentation seam as its English format and its
// values rather than as finished English, so that the window can say it in
// the player's language and each language can put the values where its
// grammar wants them.
//
// The formats are marked for translation in the game's context
// (rules/translation_marks.h). In a sentence, %1 and %2 stand for squares;
// in a square's words, %1 and %2 stand for its numbers.
#pragma once

#include <array>
#include <string>

namespace vandrel {

// A square in words: "column %1, row %2" with 3 and 5.
struct SquareSaid {
  const char* format = "";
  std::array<int, 2> numbers{};
};

// A sentence with up to two squares in it: "Hint: move your piece from %1
// to %2". No format: nothing to say.
struct Said {
  const char* format = nullptr;
  std::array<SquareSaid, 2> squares{};

  bool empty() const { return format == nullptr; }
};

// The English, as the trace and the tests see it.
std::string English(const SquareSaid& square);
std::string English(const Said& said);

}  // namespace vandrel
