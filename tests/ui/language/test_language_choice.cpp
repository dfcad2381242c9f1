// The language chosen from the environment, as gettext would choose it.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ui/language/language_choice.h"

namespace vandrel {
namespace {

struct Case {
  const char* name;
  std::map<std::string, std::string> environment;
  const char* language;  // "" for English
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class LanguageChoice : public ::testing::TestWithParam<Case> {};

TEST_P(LanguageChoice, FromTheEnvironment) {
  const Case& c = GetParam();
  const auto environment = [&c](const char* name) -> const char* {
    const auto it = c.environment.find(name);
    return it == c.environment.end() ? nullptr : it->second.c_str();
  };
  EXPECT_EQ(ChooseLanguage(environment), c.language);
}

INSTANTIATE_TEST_SUITE_P(
    Vandrel, LanguageChoice,
    ::testing::Values(
        Case{"NothingSet", {}, ""},
        Case{"LangWithTerritoryAndCodeset", {{"LANG", "de_DE.UTF-8"}}, "de"},
        Case{"LangAlone", {{"LANG", "fr"}}, "fr"},
        Case{"CodesetAndModifier", {{"LANG", "ru_RU.KOI8-R@variant"}}, "ru"},
        Case{"ModifierOnly", {{"LANG", "nl_BE@euro"}}, "nl"},
        Case{"OtherTerritory", {{"LANG", "de_AT.UTF-8"}}, "de"},
        Case{"BrazilianPortuguese", {{"LANG", "pt_BR.UTF-8"}}, "pt_BR"},
        Case{"PortugueseAlone", {{"LANG", "pt"}}, "pt_BR"},
        Case{"PortugalTakesTheBrazilian", {{"LANG", "pt_PT.UTF-8"}}, "pt_BR"},
        Case{"DashForUnderscore", {{"LANG", "pt-BR"}}, "pt_BR"},
        Case{"LanguageInCapitals", {{"LANG", "PL_pl"}}, "pl"},
        Case{"EnglishLocale", {{"LANG", "en_US.UTF-8"}}, ""},
        Case{"LanguageNotOurs", {{"LANG", "ja_JP.UTF-8"}}, ""},
        Case{"CLocale", {{"LANG", "C"}}, ""}, Case{"CUtf8Locale", {{"LANG", "C.UTF-8"}}, ""},
        Case{"LcAllBeforeTheOthers",
             {{"LC_ALL", "es_ES"}, {"LC_MESSAGES", "it_IT"}, {"LANG", "de"}},
             "es"},
        Case{"LcMessagesBeforeLang", {{"LC_MESSAGES", "it_IT"}, {"LANG", "de_DE"}}, "it"},
        Case{"EmptyLcAllIsUnset", {{"LC_ALL", ""}, {"LANG", "pl_PL.UTF-8"}}, "pl"},
        // The locale is one entry: one we lack does not pass on to the next variable.
        Case{"LocaleNotOursStopsThere", {{"LC_ALL", "sv_SE"}, {"LANG", "de_DE"}}, ""},
        Case{"LanguageListFirstWeHave",
             {{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "sv:ja_JP:fr:de"}},
             "fr"},
        Case{"LanguageListOverTheLocale", {{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "ru"}}, "ru"},
        Case{"EnglishInTheListWins", {{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "en_GB:de"}}, ""},
        Case{"EmptyEntriesSkipped", {{"LANG", "de_DE"}, {"LANGUAGE", "::it:"}}, "it"},
        Case{"LanguageListNoneWeHave", {{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "sv:ja"}}, ""},
        Case{"LanguageIgnoredInTheCLocale", {{"LANG", "C"}, {"LANGUAGE", "de"}}, ""},
        Case{"LanguageIgnoredWithoutALocale", {{"LANGUAGE", "de"}}, ""},
        Case{"LanguageIgnoredInPosix", {{"LC_ALL", "POSIX"}, {"LANGUAGE", "fr"}}, ""},
        Case{"LanguageHonouredInCUtf8", {{"LANG", "C.UTF-8"}, {"LANGUAGE", "nl"}}, "nl"},
        Case{"EmptyLanguageIsUnset", {{"LANG", "es_MX"}, {"LANGUAGE", ""}}, "es"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vandrel
