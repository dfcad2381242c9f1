// The program's translations: the game's own catalogue and Qt's (the file
// dialogs, the message boxes' buttons, the names of keys) for the player's
// language. Both are compiled into the program (":/i18n/vandrel_<code>.qm"
// and ":/i18n/qtbase_<code>.qm"), so nothing is looked up on disk.
//
// The catalogues are loaded before the application object exists, so that
// the command line (--help, its messages) speaks the language too, and are
// handed to the application before any widget is built.
#pragma once

#include <QString>
#include <string>

namespace vandrel {

// Loads both catalogues of `language`, a code of kTranslatedLanguages
// (ui/language/language_choice.h); "" (English) loads none. Call it once,
// first thing in main. False when a catalogue is missing: what is missing
// stays English. A later call replaces the catalogues loaded before, in the
// application too (the tests go through the languages in one run).
bool LoadTranslations(const std::string& language);

// Hands the loaded catalogues to the application: tr() and
// QCoreApplication::translate use them from then on. Call it once the
// application object exists, before any widget is built.
void InstallTranslations();

// Translates as QCoreApplication::translate does, from the loaded
// catalogues, also before the application object exists (the command line).
// A text no catalogue has stays as it is. Named as Qt's, so that lupdate
// reads its calls as it reads Qt's.
QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                  int n = -1);

}  // namespace vandrel
