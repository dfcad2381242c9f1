#include "ui/language/translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace vandrel {

namespace {

// The game's catalogue first: its texts are the game's words.
struct Catalogues {
  QTranslator* game = nullptr;
  QTranslator* qt = nullptr;
};

// Loaded once and kept as long as the program runs: the application holds
// them once installed, and its last messages may still need them.
Catalogues& Loaded() {
  static Catalogues* catalogues = new Catalogues;
  return *catalogues;
}

QTranslator* Load(const QString& name) {
  auto* catalogue = new QTranslator;
  if (catalogue->load(QStringLiteral(":/i18n/%1.qm").arg(name))) return catalogue;
  delete catalogue;
  return nullptr;
}

}  // namespace

bool LoadTranslations(const std::string& language) {
  // The catalogues of a language loaded before go, and with them out of the
  // application: a translator removes itself as it is deleted.
  Catalogues& c = Loaded();
  delete c.game;
  delete c.qt;
  c = {};
  if (language.empty()) return true;
  const QString code = QString::fromStdString(language);
  c.game = Load(QStringLiteral("vandrel_") + code);
  c.qt = Load(QStringLiteral("qtbase_") + code);
  return c.game && c.qt;
}

void InstallTranslations() {
  const Catalogues& c = Loaded();
  // The one installed last is asked first.
  for (QTranslator* catalogue : {c.qt, c.game}) {
    if (catalogue) QCoreApplication::installTranslator(catalogue);
  }
}

QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) {
  const Catalogues& c = Loaded();
  QString text;
  for (const QTranslator* catalogue : {c.game, c.qt}) {
    if (catalogue && text.isEmpty())
      text = catalogue->translate(context, sourceText, disambiguation, n);
  }
  if (text.isEmpty()) text = QString::fromUtf8(sourceText);
  if (n >= 0) text.replace(QLatin1String("%n"), QString::number(n));
  return text;
}

}  // namespace vandrel
