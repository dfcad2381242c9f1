// Marks the game's own texts for the translation tools without Qt.
//
// The game logic (rules/, control/) links no Qt, yet its prompts, messages
// and alerts are what the player reads. They stay English here, marked with
// QT_TRANSLATE_NOOP("vandrel::Game", "...") so that lupdate lists them, and
// the window looks each one up in the player's language with the English as
// the key (ui/window/game_text.h). The trace keeps the English.
//
// The macro below is Qt's own definition, token for token, so a file that
// also includes Qt's headers sees the same macro twice, which C++ allows.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace vandrel {

// The translation context of every text marked in the game logic.
inline constexpr const char* kGameTextContext = "vandrel::Game";

}  // namespace vandrel
