// The catalogues: the game's and Qt's are in the program for every language
// the game chooses, and speak before the application object exists; and
// the translators' files (translations/vandrel_<code>.ts) are well formed,
// hold no leftovers, and keep the source's placeholders in every finished
// translation.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <set>

#include "ui/language/language_choice.h"
#include "ui/language/translations.h"

namespace vandrel {
namespace {

// Languages whose translators are done: an unfinished entry there fails.
const std::set<std::string> kCompleteLanguages = {"de", "es", "nl", "pl", "pt_BR", "ru"};

QString Code(std::string_view code) {
  return QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size()));
}

TEST(Catalogues, EveryLanguageHasBothAndNoOtherIsThere) {
  QStringList codes;
  for (std::string_view code : kTranslatedLanguages) {
    codes << Code(code);
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/i18n/vandrel_%1.qm").arg(Code(code)))) << code;
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/i18n/qtbase_%1.qm").arg(Code(code)))) << code;
  }
  for (const QString& qm : QDir(QStringLiteral(":/i18n")).entryList()) {
    const QString code = qm.section(QLatin1Char('_'), 1).chopped(3);
    EXPECT_TRUE(codes.contains(code)) << qm.toStdString() << ": no language chooses it";
  }
}

// One test for the whole load, since the catalogues are the process's.
TEST(Catalogues, SpeakBeforeTheApplicationExists) {
  EXPECT_EQ(translate("QShortcut", "Ctrl"), "Ctrl");  // nothing loaded: English
  ASSERT_TRUE(LoadTranslations("de"));
  EXPECT_EQ(translate("QShortcut", "Ctrl"), "Strg");  // Qt's catalogue
  EXPECT_EQ(translate("vandrel::NoSuchContext", "%n pieces", nullptr, 3), "3 pieces");
}

// The placeholders of a text, sorted: %1..%99, %n and %Ln, and each "&" that
// marks an accelerator ("&&" is a plain "&").
std::string Placeholders(QString text) {
  static const QRegularExpression percent(QStringLiteral("%(L?n|[1-9][0-9]?)"));
  QStringList found;
  for (const auto& m : percent.globalMatch(text)) found << m.captured();
  text.remove(QStringLiteral("&&"));
  found << QStringList(text.count(QLatin1Char('&')), QStringLiteral("&"));
  found.sort();
  return found.join(QLatin1Char(' ')).toStdString();
}

class TranslatorsFile : public ::testing::TestWithParam<std::string_view> {};

TEST_P(TranslatorsFile, WellFormedAndEveryFinishedTextKeepsItsPlaceholders) {
  const QString code = Code(GetParam());
  QFile file(QStringLiteral(VANDREL_TRANSLATIONS_DIR "/vandrel_%1.ts").arg(code));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  const bool complete = kCompleteLanguages.count(std::string(GetParam())) > 0;
  QXmlStreamReader xml(&file);
  QString context, source, translationType;
  bool numerus = false;
  QStringList translations;  // the translation, or each numerus form
  int messages = 0;
  while (!xml.atEnd()) {
    xml.readNext();
    const auto name = xml.name();
    if (xml.isEndElement() && name == QLatin1String("message")) {
      ++messages;
      const std::string where = (context + QStringLiteral(": ") + source).toStdString();
      EXPECT_NE(translationType, "vanished") << where;
      EXPECT_NE(translationType, "obsolete") << where;
      if (translationType == QLatin1String("unfinished")) {
        EXPECT_FALSE(complete) << "unfinished in a complete language: " << where;
        continue;
      }
      for (const QString& t : translations) {
        EXPECT_FALSE(t.isEmpty()) << where;
        EXPECT_EQ(Placeholders(t), Placeholders(source)) << where << " -> " << t.toStdString();
      }
    }
    if (!xml.isStartElement()) continue;
    if (name == QLatin1String("TS")) {
      EXPECT_TRUE(xml.attributes().value(QLatin1String("language")).startsWith(code));
    } else if (name == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (name == QLatin1String("message")) {
      numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
      source.clear();
      translations.clear();
    } else if (name == QLatin1String("source")) {
      source = xml.readElementText();
    } else if (name == QLatin1String("translation")) {
      translationType = xml.attributes().value(QLatin1String("type")).toString();
      if (!numerus) translations << xml.readElementText();
    } else if (name == QLatin1String("numerusform")) {
      translations << xml.readElementText();
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line "
                               << xml.lineNumber();
  EXPECT_GT(messages, 0);
}

INSTANTIATE_TEST_SUITE_P(Vandrel, TranslatorsFile, ::testing::ValuesIn(kTranslatedLanguages),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace vandrel
