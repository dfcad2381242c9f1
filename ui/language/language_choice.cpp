#include "ui/language/language_choice.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>

namespace vandrel {

namespace {

std::string_view Value(const EnvironmentReader& environment, const char* name) {
  const char* value = environment(name);
  return value ? std::string_view(value) : std::string_view();
}

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// The language one entry names, when the game has it: "" for English, a
// catalogue's code otherwise; nothing for a language the game does not have.
// The territory chooses nothing: de_AT and de_CH take German, pt_PT takes
// the Brazilian Portuguese.
std::optional<std::string> LanguageOf(std::string_view entry) {
  // language[_TERRITORY][.codeset][@modifier]; a dash is taken for the
  // underscore too ("pt-BR", as some desktops write it).
  const std::string language = Lower(entry.substr(0, entry.find_first_of("_-.@")));
  if (language == "en") return std::string();
  if (language == "pt") return std::string("pt_BR");
  for (std::string_view code : kTranslatedLanguages) {
    if (code == language) return std::string(code);
  }
  return std::nullopt;
}

bool IsCLocale(std::string_view locale) {
  return locale.empty() || locale == "C" || locale == "POSIX";
}

}  // namespace

std::string ChooseLanguage(const EnvironmentReader& environment) {
  std::string_view locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = Value(environment, name);
    if (!locale.empty()) break;
  }
  std::string_view entries =
      IsCLocale(locale) ? std::string_view() : Value(environment, "LANGUAGE");
  if (entries.empty()) entries = locale;
  while (!entries.empty()) {
    const size_t colon = entries.find(':');
    const std::string_view entry = entries.substr(0, colon);
    if (!IsCLocale(entry)) {
      if (std::optional<std::string> language = LanguageOf(entry)) return *language;
    }
    entries = colon == std::string_view::npos ? std::string_view() : entries.substr(colon + 1);
  }
  return {};
}

std::string ChooseLanguage() {
  return ChooseLanguage([](const char* name) { return std::getenv(name); });
}

}  // namespace vandrel
