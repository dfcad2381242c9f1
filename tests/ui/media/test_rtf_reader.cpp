#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <random>
#include <string>

#include "ui/media/rtf_reader.h"

namespace {

using vandrel::ReadRtf;

// The text with its blocks joined by '|', so paragraph breaks show.
std::string Blocks(const QTextDocument& doc) {
  QStringList blocks;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) blocks << b.text();
  return blocks.join(u'|').toStdString();
}

// The formats at one character, in words: only what differs from left-aligned 12-point Arial.
std::string Describe(const QTextCursor& at) {
  const QTextCharFormat f = at.charFormat();
  const QTextBlockFormat b = at.blockFormat();
  QStringList out;
  if (f.fontWeight() == QFont::Bold) out << "bold";
  if (f.fontItalic()) out << "italic";
  if (f.fontUnderline()) out << "underline";
  if (f.fontPointSize() != 12.0) out << QString::number(f.fontPointSize()) + "pt";
  if (f.hasProperty(QTextFormat::ForegroundBrush)) out << f.foreground().color().name();
  if (f.fontFamilies().toStringList() != QStringList{"Arial"}) {
    out << f.fontFamilies().toStringList().join(',');
  }
  const Qt::Alignment align = b.alignment() & Qt::AlignHorizontal_Mask;
  if (align == Qt::AlignHCenter) out << "centre";
  if (align == Qt::AlignRight) out << "right";
  if (align == Qt::AlignJustify) out << "justify";
  const std::pair<const char*, double> margins[] = {{"left", b.leftMargin()},
                                                    {"right", b.rightMargin()},
                                                    {"first", b.textIndent()},
                                                    {"before", b.topMargin()},
                                                    {"after", b.bottomMargin()}};
  for (const auto& [name, px] : margins) {
    if (px != 0.0) out << QString("%1 %2").arg(name).arg(px);
  }
  return out.join(' ').toStdString();
}

struct Case {
  const char* name;
  const char* body;             // goes after the header and the tables
  const char* text;             // UTF-8, blocks joined by '|'
  const char* probe = nullptr;  // the formats are read at this text's last character
  const char* formats = "";
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

constexpr const char* kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset0 Comic "
    "Sans MS;}}{\\colortbl ;\\red255\\green255\\blue204;\\red0\\green64\\blue0;}";

const Case kCases[] = {
    {"Plain", "Hello", "Hello", "Hello", ""},
    {"Bold", "\\b a\\b0  b", "a b", "a", "bold"},
    {"BoldOff", "\\b a\\b0  b", "a b", "b", ""},
    {"ItalicUnderline", "\\i\\ul x", "x", "x", "italic underline"},
    {"ItalicOff", "\\i a\\i0  b", "a b", "b", ""},
    {"UlNone", "\\ul a\\ulnone  b", "a b", "b", ""},
    {"GroupRestores", "\\i{\\b\\fs40 a}b", "ab", "b", "italic"},
    {"HalfPoints", "\\fs21 x", "x", "x", "10.5pt"},
    {"PlainResets", "\\b\\i\\ul\\fs40\\cf1\\f1 a\\plain b", "ab", "b", ""},
    {"Colour", "\\cf2 x", "x", "x", "#004000"},
    {"AutoColour", "\\cf1 a\\cf0 b", "ab", "b", ""},
    {"ColourOutOfTable", "\\cf9 x", "x", "x", ""},
    {"Font", "\\f1\\cf1\\fs28\\b x", "x", "x", "bold 14pt #ffffcc Comic Sans MS"},
    {"Centre", "\\qc x", "x", "x", "centre"},
    {"Right", "\\qr x", "x", "x", "right"},
    {"Justify", "\\qj x", "x", "x", "justify"},
    {"Indents", "\\li1134\\ri300\\fi-150\\sb240\\sa120 x", "x", "x",
     "left 75.6 right 20 first -10 before 16 after 8"},
    // Absurd spacing would keep the layout busy for minutes: kept to 20000 twips.
    {"IndentsBounded", "\\li999999999\\ri-999999999\\fi-2147483648\\sb999999999\\sa99999 x", "x",
     "x", "left 1333.33 right -1333.33 first -1333.33 before 1333.33 after 1333.33"},
    {"NoNegativeSpacing", "\\sb-500\\sa-1 x", "x", "x", ""},
    {"PardResets", "\\qc\\li300 a\\par\\pard b", "a|b", "b", ""},
    {"FormatAtItsPar", "\\qc a\\par\\pard\\qr b", "a|b", "a", "centre"},
    {"NextParagraphOwnFormat", "\\qc a\\par\\pard\\qr b", "a|b", "b", "right"},
    {"HexKeepsFormat", "\\b\\'93q", "\u201cq", "\u201c", "bold"},
    {"TrailingParAddsNoBlock", "a\\par b\\par", "a|b"},
    {"EmptyLines", "\\par\\par x", "||x"},
    {"LineAndTab", "a\\line b\\tab c", "a\u2028b\tc"},
    {"RawNewlinesIgnored", "a\r\nb\nc", "abc"},
    {"BackslashNewlineIsPar", "a\\\nb", "a|b"},
    {"EscapedSymbols", "\\{\\}\\\\\\~", "{}\\\u00a0"},
    {"Hex1252", "\\'93\\'96\\'80\\'e9\\'9f\\'81", "\u201c\u2013\u20ac\u00e9\u0178\u0081"},
    {"RawHighBytesAre1252", "\x93x\x94", "\u201cx\u201d"},
    {"UnicodeSkipsFallback", "\\u8364?x", "\u20acx"},
    {"UnicodeNegative", "\\u-3913?", "\uf0b7"},
    {"UcTwo", "\\uc2\\u233 abX", "\u00e9X"},
    {"FallbackIsHex", "\\u8220\\'93x", "\u201cx"},
    {"UcRestoredByGroup", "{\\uc2\\u233 abX}\\u233 cd", "\u00e9X\u00e9d"},
    {"FallbackStopsAtBrace", "{\\uc3\\u233 a}b", "\u00e9b"},
    {"QuoteWords", "\\ldblquote x\\rdblquote\\endash\\emdash", "\u201cx\u201d\u2013\u2014"},
    {"StarredDestinations", "a{\\*\\generator g;}{\\*\\wibble{\\b x}y}b", "ab"},
    {"IgnorableDestinations", "{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}x", "x"},
    {"TablesShowNothing", "{\\fonttbl{\\f5 Foo;}}{\\colortbl;\\red1;}x", "x"},
    {"UnknownWordsAndSymbols", "\\foo12 a\\bar-3 b\\|c\\-d", "abcd"},
    {"BinDataSkipped", "\\bin3 {}\\x", "x"},
};

class RtfSnippet : public ::testing::TestWithParam<Case> {};

TEST_P(RtfSnippet, GivesItsTextAndFormats) {
  const Case& c = GetParam();
  QTextDocument doc(QStringLiteral("left over"));
  QString error;
  EXPECT_TRUE(ReadRtf(QByteArray(kHeader) + c.body + "}", &doc, &error)) << error.toStdString();
  EXPECT_EQ(Blocks(doc), c.text);
  if (c.probe == nullptr) return;
  const QTextCursor at =
      doc.find(QString::fromUtf8(c.probe), 0, QTextDocument::FindCaseSensitively);
  ASSERT_FALSE(at.isNull());
  EXPECT_EQ(Describe(at), c.formats);
}

INSTANTIATE_TEST_SUITE_P(Formats, RtfSnippet, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, EmptyLineTakesItsSize) {
  QTextDocument doc;
  ASSERT_TRUE(ReadRtf("{\\rtf1\\fs40\\par\\fs20 x}", &doc));
  EXPECT_EQ(doc.begin().charFormat().fontPointSize(), 20.0);
}

class HelpDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile file(QStringLiteral(":/text/HELP"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    rtf_ = file.readAll();
    QString error;
    ASSERT_TRUE(ReadRtf(rtf_, &doc_, &error)) << error.toStdString();
  }
  QByteArray rtf_;
  QTextDocument doc_;
};

TEST_F(HelpDocument, HasTheTitleThenEverySectionInOrder) {
  const QStringList wanted = {"",
                              "Vandrel",
                              "To win",
                              "Description",
                              "To play",
                              "Taking a piece",
                              "Getting off the Base column",
                              "Scoring",
                              "Keys"};
  auto endOf = [](const QTextBlock& b) {
    QTextCursor at(b);
    at.movePosition(QTextCursor::EndOfBlock);
    return at;
  };
  ASSERT_GT(doc_.blockCount(), 2);
  EXPECT_EQ(doc_.begin().text(), "") << "one empty line first";
  EXPECT_EQ(doc_.begin().next().text(), "Vandrel");
  // Spacing above and below paragraphs is free; everything else is fixed.
  using ::testing::StartsWith;
  EXPECT_THAT(Describe(endOf(doc_.begin().next())),
              StartsWith("bold 14pt #ffffcc Comic Sans MS centre left 75.6 right 75.6"));
  int found = 0;
  for (QTextBlock b = doc_.begin(); b.isValid() && found < wanted.size(); b = b.next()) {
    if (b.text() != wanted[found]) continue;
    if (found++ < 2) continue;
    EXPECT_THAT(Describe(endOf(b)),
                StartsWith("bold 10pt #ffffcc Comic Sans MS left 75.6 right 75.6"));
    EXPECT_THAT(Describe(endOf(b.next())),
                StartsWith("10pt #ffffcc Comic Sans MS left 75.6 right 75.6"));
  }
  EXPECT_EQ(found, wanted.size()) << "missing: " << wanted.value(found).toStdString();
}

TEST_F(HelpDocument, IsPaleYellowComicSansIndentedAndIn1252) {
  EXPECT_TRUE(rtf_.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
  for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
    EXPECT_EQ(b.blockFormat().leftMargin(), 1134 / 15.0) << b.text().toStdString();
    EXPECT_EQ(b.blockFormat().rightMargin(), 1134 / 15.0) << b.text().toStdString();
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat f = it.fragment().charFormat();
      EXPECT_EQ(f.foreground().color(), QColor(255, 255, 204)) << b.text().toStdString();
      EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{"Comic Sans MS"});
    }
  }
  const QString text = doc_.toRawText();
  EXPECT_TRUE(text.contains(u'\u2013') && text.contains(u'\u201c') && text.contains(u'\u2019'));
  for (QChar ch : text) ASSERT_FALSE(ch.unicode() >= 0x80 && ch.unicode() < 0xA0);
}

struct Broken {
  const char* name;
  QByteArray rtf;
  const char* text;
};

void PrintTo(const Broken& b, std::ostream* os) { *os << b.name; }

const Broken kBroken[] = {
    {"UnclosedGroup", "{\\rtf1 abc{\\b def", "abcdef"},
    {"ExtraClosingBraces", "{\\rtf1 abc}}}x", "abcx"},
    {"ClosingBeforeOpening", "}}{\\rtf1 a}", "a"},
    {"CutHexEscape", "{\\rtf1 x\\'4", "x"},
    {"HexEscapeAtEnd", "{\\rtf1 x\\'", "x"},
    {"BadHexDigits", "{\\rtf1 x\\'zq}", "xzq"},
    {"BackslashAtEnd", "{\\rtf1 x\\", "x"},
    {"UnicodeWithoutNumber", "{\\rtf1 x\\u", "x"},
    {"FallbackPastEnd", "{\\rtf1 x\\uc9\\u65 ", "xA"},
    {"HugeNumbers", "{\\rtf1 \\fs99999999999999\\li-99999999999\\u99999999999 x", "x"},
    {"BinPastEnd", "{\\rtf1 x\\bin999999 yz", "x"},
    {"NotRtf", "just words", "just words"},
    {"Empty", "", ""},
};

class RtfBroken : public ::testing::TestWithParam<Broken> {};

TEST_P(RtfBroken, GivesBestEffortTextAndSaysSo) {
  QTextDocument doc;
  QString error;
  EXPECT_FALSE(ReadRtf(GetParam().rtf, &doc, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(doc.toPlainText().toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Malformed, RtfBroken, ::testing::ValuesIn(kBroken),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, DeepNestingKeepsTheText) {
  const QByteArray open(100000, '{'), close(100000, '}');
  QTextDocument doc;
  EXPECT_FALSE(ReadRtf("{\\rtf1 " + open + "x" + close + "}", &doc));
  EXPECT_EQ(doc.toPlainText(), QStringLiteral("x"));
  EXPECT_FALSE(ReadRtf(open, &doc));
  EXPECT_TRUE(doc.isEmpty());
}

TEST(RtfReader, SurvivesRandomBytes) {
  // Mostly RTF's own characters, so the noise reaches deep into the reader.
  const QByteArray alphabet = "{}\\\\\\'';*-0123456789abcdefuflpqrsin \r\n\x93\x80";
  std::mt19937 rng(20261208);
  QTextDocument doc;
  for (int run = 0; run < 3000; ++run) {
    QByteArray rtf = run % 2 == 0 ? QByteArray("{\\rtf1 ") : QByteArray();
    for (int i = rng() % 400; i > 0; --i) {
      rtf.append(run % 3 == 0 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()]);
    }
    ReadRtf(rtf, &doc);
    ASSERT_LE(doc.characterCount(), rtf.size() + 1) << "run " << run;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
