// Which language the game speaks, chosen from the environment the way
// gettext reads it, so the game speaks what every other desktop program
// does. Plain C++: no display, no Qt.
//
//  - LANGUAGE, a list of entries split by colons, comes first, unless the
//    locale is C or POSIX (then it is ignored, as gettext ignores it);
//  - otherwise the locale's one entry: the first of LC_ALL, LC_MESSAGES and
//    LANG that is set (and not empty) is the locale, the others are not read.
//
// An entry is language[_TERRITORY][.codeset][@modifier] ("de_DE.UTF-8",
// "de", "pt_BR", "ru_RU.KOI8-R@variant"). The first entry the game has
// wins; English ("en", "en_GB") is one it has. Portuguese of any territory
// ("pt", "pt_PT") is the Brazilian Portuguese it has. With no entry it has,
// the game speaks English.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace vandrel {

// The languages the game speaks besides English, by the codes of their
// catalogues (translations/vandrel_<code>.ts).
inline constexpr std::array<std::string_view, 8> kTranslatedLanguages = {"de", "es", "fr",    "it",
                                                                         "nl", "pl", "pt_BR", "ru"};

// The value of an environment variable, or null when it is not set.
using EnvironmentReader = std::function<const char*(const char*)>;

// The code of the language to speak ("de", "pt_BR"), or "" for English.
std::string ChooseLanguage(const EnvironmentReader& environment);
// The same from the program's own environment.
std::string ChooseLanguage();

}  // namespace vandrel
