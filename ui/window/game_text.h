// The game's own words in the player's language.
//
// The game logic (rules/, control/) speaks English, its texts marked for
// translation in the context kGameTextContext (rules/translation_marks.h).
// The window looks each one up here with the English as the key; a text that
// is no key (the system's reason why a file could not be read) stays as it is.
#pragma once

#include <QString>
#include <string_view>

#include "rules/said.h"

namespace vandrel {

// A prompt, a question or a message box's text.
QString GameText(std::string_view english);
// A square in words, its numbers filled in.
QString GameText(const SquareSaid& square);
// A sentence with its squares filled in, each in the player's language too.
QString GameText(const Said& said);

}  // namespace vandrel
