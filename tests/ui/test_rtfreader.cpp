#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <optional>
#include <random>
#include <string>

#include "rtfreader.h"

namespace {

using vandrel::ReadRtf;

// The document's text with its blocks joined by '|', so paragraph breaks show in comparisons.
QString Blocks(const QTextDocument& doc) {
  QStringList blocks;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) blocks << b.text();
  return blocks.join(u'|');
}

// What one snippet must give. `probe` names a piece of the resulting text; the character
// formats are checked on its last character and the block formats on its block.
struct Case {
  const char* name;
  const char* body;  // goes between "{\rtf1 " and "}"
  const char* text;  // UTF-8, blocks joined by '|'
  const char* probe = nullptr;
  std::optional<bool> bold = {};
  std::optional<bool> italic = {};
  std::optional<bool> underline = {};
  std::optional<double> points = {};
  std::optional<QColor> color = {};  // an invalid colour: no colour of its own
  const char* family = nullptr;
  std::optional<Qt::Alignment> align = {};
  std::optional<double> left = {};  // margins and indent in pixels
  std::optional<double> right = {};
  std::optional<double> indent = {};
  std::optional<double> top = {};
  std::optional<double> bottom = {};
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

constexpr const char* kTables =
    "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset0 Comic Sans MS;}}"
    "{\\colortbl ;\\red255\\green255\\blue204;\\red0\\green64\\blue0;}";

const Case kCases[] = {
    {.name = "PlainText",
     .body = "Hello",
     .text = "Hello",
     .probe = "Hello",
     .bold = false,
     .italic = false,
     .underline = false,
     .points = 12.0,
     .color = QColor(),
     .align = Qt::AlignLeft,
     .left = 0.0},
    {.name = "BoldOn", .body = "\\b strong", .text = "strong", .probe = "strong", .bold = true},
    {.name = "BoldOff",
     .body = "\\b x\\b0  weak",
     .text = "x weak",
     .probe = "weak",
     .bold = false},
    {.name = "BoldOneIsOn", .body = "\\b1 x", .text = "x", .probe = "x", .bold = true},
    {.name = "Italic",
     .body = "\\i slanted\\i0  up",
     .text = "slanted up",
     .probe = "slanted",
     .italic = true},
    {.name = "ItalicOff",
     .body = "\\i slanted\\i0  up",
     .text = "slanted up",
     .probe = "up",
     .italic = false},
    {.name = "Underline",
     .body = "\\ul under",
     .text = "under",
     .probe = "under",
     .underline = true},
    {.name = "UlNone",
     .body = "\\ul a\\ulnone  b",
     .text = "a b",
     .probe = " b",
     .underline = false},
    {.name = "UlZero", .body = "\\ul a\\ul0  b", .text = "a b", .probe = " b", .underline = false},
    {.name = "GroupRestoresBold",
     .body = "{\\b in}out",
     .text = "inout",
     .probe = "out",
     .bold = false},
    {.name = "GroupKeepsOuterState",
     .body = "\\i{\\b in}out",
     .text = "inout",
     .probe = "out",
     .bold = false,
     .italic = true},
    {.name = "SizeInHalfPoints",
     .body = "\\fs28 big",
     .text = "big",
     .probe = "big",
     .points = 14.0},
    {.name = "OddHalfPoints", .body = "\\fs21 x", .text = "x", .probe = "x", .points = 10.5},
    {.name = "PlainResetsCharacters",
     .body = "\\b\\i\\ul\\fs40\\cf1 a\\plain b",
     .text = "ab",
     .probe = "b",
     .bold = false,
     .italic = false,
     .underline = false,
     .points = 12.0,
     .color = QColor()},
    {.name = "ColourFromTable",
     .body = "\\cf1 pale",
     .text = "pale",
     .probe = "pale",
     .color = QColor(255, 255, 204)},
    {.name = "SecondColour",
     .body = "\\cf2 dark",
     .text = "dark",
     .probe = "dark",
     .color = QColor(0, 64, 0)},
    {.name = "AutoColour", .body = "\\cf1 a\\cf0 b", .text = "ab", .probe = "b", .color = QColor()},
    {.name = "ColourOutOfTable", .body = "\\cf9 x", .text = "x", .probe = "x", .color = QColor()},
    {.name = "FontFromTable",
     .body = "\\f1 x",
     .text = "x",
     .probe = "x",
     .family = "Comic Sans MS"},
    {.name = "DefaultFont", .body = "x", .text = "x", .probe = "x", .family = "Arial"},
    {.name = "Centre",
     .body = "\\qc mid",
     .text = "mid",
     .probe = "mid",
     .align = Qt::AlignHCenter},
    {.name = "Right", .body = "\\qr r", .text = "r", .probe = "r", .align = Qt::AlignRight},
    {.name = "Justify", .body = "\\qj j", .text = "j", .probe = "j", .align = Qt::AlignJustify},
    {.name = "LeftAgain", .body = "\\qc\\ql l", .text = "l", .probe = "l", .align = Qt::AlignLeft},
    {.name = "IndentsInPixels",
     .body = "\\li1134\\ri300\\fi-150\\sb240\\sa120 x",
     .text = "x",
     .probe = "x",
     .left = 75.6,
     .right = 20.0,
     .indent = -10.0,
     .top = 16.0,
     .bottom = 8.0},
    {.name = "PardResetsParagraph",
     .body = "\\qc\\li300 a\\par\\pard b",
     .text = "a|b",
     .probe = "b",
     .align = Qt::AlignLeft,
     .left = 0.0},
    {.name = "FormatAtParApplies",
     .body = "\\qc a\\par b",
     .text = "a|b",
     .probe = "a",
     .align = Qt::AlignHCenter},
    {.name = "ParagraphGetsItsOwnFormat",
     .body = "\\qc a\\par\\pard\\qr b",
     .text = "a|b",
     .probe = "b",
     .align = Qt::AlignRight},
    {.name = "TrailingParAddsNoBlock", .body = "a\\par b\\par", .text = "a|b"},
    {.name = "EmptyLines", .body = "\\par\\par x", .text = "||x"},
    {.name = "Line", .body = "a\\line b", .text = "a\u2028b"},
    {.name = "Tab", .body = "a\\tab b", .text = "a\tb"},
    {.name = "RawNewlinesIgnored", .body = "a\r\nb\nc", .text = "abc"},
    {.name = "BackslashNewlineIsPar", .body = "a\\\nb", .text = "a|b"},
    {.name = "EscapedSymbols", .body = "\\{\\}\\\\", .text = "{}\\"},
    {.name = "NonBreakingSpace", .body = "a\\~b", .text = "a\u00a0b"},
    {.name = "HexCurlyQuotes", .body = "\\'93Hi\\'94", .text = "\u201cHi\u201d"},
    {.name = "HexDashAndEuro", .body = "1\\'962 \\'80", .text = "1\u20132 \u20ac"},
    {.name = "HexLatin1", .body = "caf\\'e9 \\'A9", .text = "caf\u00e9 \u00a9"},
    {.name = "HexUndefinedPassesThrough", .body = "\\'81", .text = "\u0081"},
    {.name = "HexKeepsFormat",
     .body = "\\b\\'93q",
     .text = "\u201cq",
     .probe = "\u201c",
     .bold = true},
    {.name = "RawHighByteIs1252", .body = "\x93x\x94", .text = "\u201cx\u201d"},
    {.name = "UnicodeSkipsOneFallback", .body = "\\u8364?x", .text = "\u20acx"},
    {.name = "UnicodeNegative", .body = "\\u-3913?", .text = "\uf0b7"},
    {.name = "UnicodeUcTwo", .body = "\\uc2\\u233 abX", .text = "\u00e9X"},
    {.name = "UnicodeFallbackIsHex", .body = "\\u8220\\'93x", .text = "\u201cx"},
    {.name = "UnicodeUcZero", .body = "\\uc0\\u233 x", .text = "\u00e9x"},
    {.name = "UcRestoredByGroup", .body = "{\\uc2\\u233 abX}\\u233 cd", .text = "\u00e9X\u00e9d"},
    {.name = "FallbackStopsAtBrace", .body = "{\\uc3\\u233 a}b", .text = "\u00e9b"},
    {.name = "QuoteWords",
     .body = "\\ldblquote x\\rdblquote\\lquote\\rquote\\endash\\emdash",
     .text = "\u201cx\u201d\u2018\u2019\u2013\u2014"},
    {.name = "StarredDestination", .body = "{\\*\\generator secret;}shown", .text = "shown"},
    {.name = "StarredUnknown", .body = "a{\\*\\wibble{\\b x}y}b", .text = "ab"},
    {.name = "InfoSkipped", .body = "{\\info{\\title T}{\\author A}}x", .text = "x"},
    {.name = "StylesheetSkipped", .body = "{\\stylesheet{\\s0 Normal;}}x", .text = "x"},
    {.name = "TablesShowNothing",
     .body = "{\\fonttbl{\\f5 Foo;}}{\\colortbl;\\red1;}x",
     .text = "x"},
    {.name = "UnknownWordsSkipped", .body = "\\foo12 a\\bar-3 b\\viewkind4 c", .text = "abc"},
    {.name = "UnknownSymbolSkipped", .body = "a\\|b\\-c", .text = "abc"},
    {.name = "BinDataSkipped", .body = "\\bin3 {}\\x", .text = "x"},
};

class RtfSnippet : public ::testing::TestWithParam<Case> {};

TEST_P(RtfSnippet, GivesItsTextAndFormats) {
  const Case& c = GetParam();
  const QByteArray rtf = QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0") + kTables + c.body + "}";
  QTextDocument doc;
  QString error;
  EXPECT_TRUE(ReadRtf(rtf, &doc, &error)) << error.toStdString();
  EXPECT_EQ(Blocks(doc).toStdString(), std::string(c.text));
  if (c.probe == nullptr) return;

  const QTextCursor found =
      doc.find(QString::fromUtf8(c.probe), 0, QTextDocument::FindCaseSensitively);
  ASSERT_FALSE(found.isNull()) << "no \"" << c.probe << "\"";
  const QTextCharFormat f = found.charFormat();
  if (c.bold) {
    EXPECT_EQ(f.fontWeight() == QFont::Bold, *c.bold);
  }
  if (c.italic) {
    EXPECT_EQ(f.fontItalic(), *c.italic);
  }
  if (c.underline) {
    EXPECT_EQ(f.fontUnderline(), *c.underline);
  }
  if (c.points) {
    EXPECT_DOUBLE_EQ(f.fontPointSize(), *c.points);
  }
  if (c.color) {
    if (c.color->isValid()) {
      EXPECT_EQ(f.foreground().color(), *c.color);
    } else {
      EXPECT_FALSE(f.hasProperty(QTextFormat::ForegroundBrush));
    }
  }
  if (c.family) {
    EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{c.family});
  }

  const QTextBlockFormat b = found.blockFormat();
  if (c.align) {
    EXPECT_EQ(b.alignment() & Qt::AlignHorizontal_Mask, *c.align);
  }
  if (c.left) {
    EXPECT_DOUBLE_EQ(b.leftMargin(), *c.left);
  }
  if (c.right) {
    EXPECT_DOUBLE_EQ(b.rightMargin(), *c.right);
  }
  if (c.indent) {
    EXPECT_DOUBLE_EQ(b.textIndent(), *c.indent);
  }
  if (c.top) {
    EXPECT_DOUBLE_EQ(b.topMargin(), *c.top);
  }
  if (c.bottom) {
    EXPECT_DOUBLE_EQ(b.bottomMargin(), *c.bottom);
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, RtfSnippet, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, ReplacesWhatTheDocumentHeld) {
  QTextDocument doc(QStringLiteral("old text\nmore"));
  ASSERT_TRUE(ReadRtf("{\\rtf1 new}", &doc));
  EXPECT_EQ(Blocks(doc), QStringLiteral("new"));
}

TEST(RtfReader, EmptyLineTakesItsSize) {
  // An empty paragraph's height comes from its block character format.
  QTextDocument doc;
  ASSERT_TRUE(ReadRtf("{\\rtf1\\fs40\\par\\fs20 x}", &doc));
  EXPECT_DOUBLE_EQ(doc.begin().charFormat().fontPointSize(), 20.0);
}

// --- The rules document ---------------------------------------------------------------------

class HelpDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile file(QStringLiteral(":/text/HELP"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    rtf_ = file.readAll();
    QString error;
    ASSERT_TRUE(ReadRtf(rtf_, &doc_, &error)) << error.toStdString();
  }

  QTextBlock FindBlock(const QString& text) const {
    for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
      if (b.text() == text) return b;
    }
    return {};
  }

  static bool AllBold(const QTextBlock& b) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().fontWeight() != QFont::Bold) return false;
    }
    return true;
  }

  QByteArray rtf_;
  QTextDocument doc_;
};

TEST_F(HelpDocument, IsWindows1252) {
  EXPECT_TRUE(rtf_.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
  for (char c : rtf_) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "raw byte in the file";
  // Every escape came out as a real character: nothing is left in the C1 range.
  const QString text = doc_.toRawText();
  for (QChar ch : text) EXPECT_FALSE(ch.unicode() >= 0x80 && ch.unicode() < 0xA0);
  EXPECT_TRUE(text.contains(u'\u2013'));
  EXPECT_TRUE(text.contains(u'\u201c'));
  EXPECT_TRUE(text.contains(u'\u2019'));
}

TEST_F(HelpDocument, OpensWithAnEmptyLineThenTheCentredTitle) {
  const QTextBlock first = doc_.begin();
  EXPECT_TRUE(first.text().isEmpty());
  const QTextBlock title = first.next();
  ASSERT_EQ(title.text(), QStringLiteral("Vandrel"));
  EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_TRUE(AllBold(title));
  EXPECT_DOUBLE_EQ(title.begin().fragment().charFormat().fontPointSize(), 14.0);
}

TEST_F(HelpDocument, HasEverySectionInOrder) {
  const QStringList headings = {
      "To win", "Description", "To play", "Taking a piece", "Getting off 'Base' column", "Scoring"};
  int last = -1;
  for (const QString& heading : headings) {
    const QTextBlock b = FindBlock(heading);
    ASSERT_TRUE(b.isValid()) << heading.toStdString();
    EXPECT_GT(b.blockNumber(), last) << heading.toStdString();
    last = b.blockNumber();
    EXPECT_TRUE(AllBold(b)) << heading.toStdString();
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_FALSE(AllBold(b.next())) << "text under " << heading.toStdString();
  }
}

TEST_F(HelpDocument, IsPaleYellowComicSansIndentedBothSides) {
  int fragments = 0;
  for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
    EXPECT_NEAR(b.blockFormat().leftMargin(), 75.6, 1e-9) << b.text().toStdString();
    EXPECT_NEAR(b.blockFormat().rightMargin(), 75.6, 1e-9) << b.text().toStdString();
    for (auto it = b.begin(); !it.atEnd(); ++it, ++fragments) {
      const QTextCharFormat f = it.fragment().charFormat();
      EXPECT_EQ(f.foreground().color(), QColor(255, 255, 204)) << b.text().toStdString();
      EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{"Comic Sans MS"});
      if (b.blockNumber() > 1) {
        EXPECT_DOUBLE_EQ(f.fontPointSize(), 10.0);
      }
    }
  }
  EXPECT_GT(fragments, 20);
}

// --- Broken input ---------------------------------------------------------------------------

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
    {"UnicodeSkipPastEnd", "{\\rtf1 x\\uc9\\u65 ", "xA"},
    {"HugeNumbers", "{\\rtf1 \\fs99999999999999\\li-99999999999\\u99999999999 x", "x"},
    {"BinPastEnd", "{\\rtf1 x\\bin999999 yz", "x"},
    {"NotRtfAtAll", "just words", "just words"},
    {"Empty", "", ""},
};

class RtfBroken : public ::testing::TestWithParam<Broken> {};

TEST_P(RtfBroken, GivesBestEffortTextAndSaysSo) {
  const Broken& b = GetParam();
  QTextDocument doc;
  QString error;
  EXPECT_FALSE(ReadRtf(b.rtf, &doc, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(doc.toPlainText().toStdString(), std::string(b.text));
}

INSTANTIATE_TEST_SUITE_P(Malformed, RtfBroken, ::testing::ValuesIn(kBroken),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, DeepNestingNeitherCrashesNorLosesText) {
  const int depth = 100000;
  QTextDocument doc;
  QString error;
  EXPECT_FALSE(ReadRtf("{\\rtf1 " + QByteArray(depth, '{') + "x" + QByteArray(depth, '}') + "}",
                       &doc, &error));
  EXPECT_EQ(doc.toPlainText(), QStringLiteral("x"));
  EXPECT_FALSE(ReadRtf(QByteArray(depth, '{'), &doc));
  EXPECT_TRUE(doc.isEmpty());
}

TEST(RtfReader, SurvivesRandomBytes) {
  // Mostly RTF's own characters, so the noise reaches deep into the reader.
  const QByteArray alphabet = "{}\\\\\\'';*-0123456789abcdefuflpqrsin \r\n\x93\x80";
  std::mt19937 rng(20261208);
  std::uniform_int_distribution<int> length(0, 400);
  std::uniform_int_distribution<int> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> anyByte(0, 255);
  QTextDocument doc;
  for (int run = 0; run < 3000; ++run) {
    QByteArray rtf = (run % 2 == 0) ? QByteArray("{\\rtf1 ") : QByteArray();
    const int n = length(rng);
    for (int i = 0; i < n; ++i) {
      rtf.append(run % 3 == 0 ? static_cast<char>(anyByte(rng)) : alphabet[pick(rng)]);
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
