#include "ui/media/rtf_reader.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace vandrel {
namespace {

// Groups nested deeper than this are still counted, so the braces stay matched, but they share
// the innermost state we keep.
constexpr int kMaxDepth = 256;
// RTF's default size is 12 points.
constexpr int kDefaultHalfPoints = 24;
constexpr double kTwipsPerPixel = 15.0;  // 1440 twips to the inch, 96 pixels to the inch
// Indents and paragraph spacing are kept within about 14 inches either way:
// far beyond any page, and cheap for the layout.
constexpr int kMaxTwips = 20000;
constexpr int kMaxParam = 1'000'000'000;

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five codes it leaves undefined are
// passed through as the C1 controls of the same value, as Windows itself does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

QChar FromCp1252(unsigned char b) {
  return (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
}

// ---------------------------------------------------------------------------------------------
// Tokenizer

struct Token {
  enum Kind { kEnd, kOpen, kClose, kWord, kSymbol, kHex, kText };
  Kind kind = kEnd;
  QByteArray word;  // kWord: the control word's letters
  bool hasParam = false;
  int param = 0;
  unsigned char byte = 0;  // kSymbol: the symbol; kHex, kText: the byte
};

class Lexer {
 public:
  explicit Lexer(const QByteArray& in) : in_(in) {}

  Token Next() {
    Token t;
    if (pos_ >= in_.size()) return t;
    const auto c = static_cast<unsigned char>(in_[pos_++]);
    if (c == '{') {
      t.kind = Token::kOpen;
    } else if (c == '}') {
      t.kind = Token::kClose;
    } else if (c == '\\') {
      ReadControl(t);
    } else {
      t.kind = Token::kText;
      t.byte = c;
    }
    return t;
  }

  // \binN: the next N bytes are data, not RTF.
  void SkipBytes(int n) { pos_ += std::clamp<qsizetype>(n, 0, in_.size() - pos_); }

  bool cutOff() const { return cutOff_; }

 private:
  static bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
  static int HexValue(unsigned char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
  unsigned char Peek() const { return static_cast<unsigned char>(in_[pos_]); }
  bool AtEnd() const { return pos_ >= in_.size(); }

  void ReadControl(Token& t) {
    if (AtEnd()) {  // a lone backslash at the very end
      cutOff_ = true;
      return;
    }
    const unsigned char c = Peek();
    if (!IsLetter(c)) {
      ++pos_;
      if (c == '\'') {
        ReadHex(t);
      } else {
        t.kind = Token::kSymbol;
        t.byte = c;
      }
      return;
    }
    t.kind = Token::kWord;
    while (!AtEnd() && IsLetter(Peek())) {
      if (t.word.size() < 32) t.word.append(static_cast<char>(Peek()));
      ++pos_;
    }
    bool negative = false;
    if (!AtEnd() && Peek() == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    std::int64_t value = 0;
    while (!AtEnd() && IsDigit(Peek())) {
      t.hasParam = true;
      value = std::min<std::int64_t>(value * 10 + (Peek() - '0'), kMaxParam);
      ++pos_;
    }
    t.param = static_cast<int>(negative ? -value : value);
    if (!AtEnd() && Peek() == ' ') ++pos_;  // the delimiting space belongs to the word
  }

  void ReadHex(Token& t) {
    int value = 0;
    for (int i = 0; i < 2; ++i) {
      const int digit = AtEnd() ? -1 : HexValue(Peek());
      if (digit < 0) {  // "\'4" at the end, or "\'zz": drop the escape
        cutOff_ = true;
        t.kind = Token::kSymbol;
        t.byte = 0;
        return;
      }
      value = value * 16 + digit;
      ++pos_;
    }
    t.kind = Token::kHex;
    t.byte = static_cast<unsigned char>(value);
  }

  const QByteArray& in_;
  qsizetype pos_ = 0;
  bool cutOff_ = false;
};

// ---------------------------------------------------------------------------------------------
// Reader

enum class Dest { kText, kSkip, kFontTable, kColorTable };

// Everything a group saves and restores.
struct State {
  Dest dest = Dest::kText;
  // Characters
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int halfPoints = kDefaultHalfPoints;
  int color = 0;  // index into the colour table; 0 is normally "auto"
  int font = -1;  // index into the font table; -1 is the default font (\deff)
  int ucSkip = 1;
  // Paragraphs, in twips
  Qt::Alignment align = Qt::AlignLeft;
  int left = 0;
  int right = 0;
  int first = 0;
  int before = 0;
  int after = 0;

  void ResetCharacters() {
    bold = italic = underline = false;
    halfPoints = kDefaultHalfPoints;
    color = 0;
    font = -1;
  }
  void ResetParagraph() {
    align = Qt::AlignLeft;
    left = right = first = before = after = 0;
  }
};

// Destinations whose text we never show.
bool IsSkippedDestination(const QByteArray& w) {
  static const QByteArray kSkipped =
      " info stylesheet pict header headerl headerr headerf footer footerl footerr footerf"
      " footnote object listtable listoverridetable revtbl rsidtbl filetbl xmlnstbl fldinst"
      " themedata colorschememapping latentstyles datastore pn nonshppict private annotation ";
  return kSkipped.contains(' ' + w + ' ');
}

// Words that stand for one character.
char16_t SpecialCharacter(const QByteArray& w) {
  struct Entry {
    const char* word;
    char16_t ch;
  };
  static const Entry kWords[] = {
      {"tab", u'\t'},     {"line", 0x2028},    {"emdash", 0x2014},    {"endash", 0x2013},
      {"lquote", 0x2018}, {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
      {"bullet", 0x2022}, {"emspace", 0x2003}, {"enspace", 0x2002},   {"qmspace", 0x2005},
  };
  for (const Entry& e : kWords) {
    if (w == e.word) return e.ch;
  }
  return 0;
}

class Reader {
 public:
  Reader(const QByteArray& rtf, QTextDocument* doc) : lexer_(rtf), cursor_(doc) {
    stack_.reserve(kMaxDepth);
    stack_.emplace_back();
    if (!rtf.startsWith("{\\rtf")) Fail(QStringLiteral("not RTF: no {\\rtf header"));
  }

  void Run() {
    cursor_.beginEditBlock();
    for (Token t = lexer_.Next(); t.kind != Token::kEnd; t = lexer_.Next()) {
      if (t.kind == Token::kText) {
        if (!Skipping()) Text(FromCp1252(t.byte), t.byte);
        continue;
      }
      Flush();
      switch (t.kind) {
        case Token::kOpen:
          Open();
          break;
        case Token::kClose:
          Close();
          break;
        case Token::kHex:
          if (!Skipping()) Text(FromCp1252(t.byte), t.byte);
          break;
        case Token::kSymbol:
          if (!Skipping()) Symbol(t.byte);
          break;
        case Token::kWord:
          if (t.word == "bin") lexer_.SkipBytes(t.param);  // data never counts as characters
          if (!Skipping()) Word(t);
          break;
        default:
          break;
      }
    }
    Flush();
    // A last paragraph without its \par keeps the format it was written in, even though the
    // closing braces have unwound the state since.
    if (!needBlock_) cursor_.setBlockFormat(lastTextFormat_);
    cursor_.endEditBlock();
    if (lexer_.cutOff()) Fail(QStringLiteral("an escape is cut off"));
    if (stack_.size() > 1 || overflow_ > 0) Fail(QStringLiteral("a group is never closed"));
  }

  const QString& error() const { return error_; }

 private:
  State& state() { return stack_.back(); }
  const State& state() const { return stack_.back(); }

  void Fail(const QString& why) {
    if (error_.isEmpty()) error_ = why;
  }

  // After \uN the next ucSkip characters are the fallback for readers without Unicode.
  bool Skipping() {
    if (skipLeft_ == 0) return false;
    --skipLeft_;
    return true;
  }

  void Open() {
    skipLeft_ = 0;
    if (static_cast<int>(stack_.size()) < kMaxDepth && overflow_ == 0) {
      stack_.push_back(state());
    } else {
      if (overflow_ == 0) Fail(QStringLiteral("groups nested too deep"));
      ++overflow_;
    }
  }

  void Close() {
    skipLeft_ = 0;
    if (overflow_ > 0) {
      --overflow_;
    } else if (stack_.size() > 1) {
      stack_.pop_back();
    } else {
      Fail(QStringLiteral("a closing brace without its group"));
    }
  }

  // One character of text; `byte` is its RTF byte, or 0xFF for a character given otherwise.
  void Text(QChar ch, unsigned char byte) {
    switch (state().dest) {
      case Dest::kText:
        if (byte >= 0x20 || ch.unicode() >= 0x80) pending_.append(ch);  // raw CR/LF mean nothing
        break;
      case Dest::kFontTable:
        if (byte == ';') {
          fonts_.insert(fontNumber_, fontName_.trimmed());
          fontName_.clear();
        } else if (byte >= 0x20) {
          fontName_.append(ch);
        }
        break;
      case Dest::kColorTable:
        if (byte == ';') {
          colors_.push_back(colorGiven_ ? QColor(red_, green_, blue_) : QColor());
          red_ = green_ = blue_ = 0;
          colorGiven_ = false;
        }
        break;
      case Dest::kSkip:
        break;
    }
  }

  void Symbol(unsigned char c) {
    if (c == '\\' || c == '{' || c == '}') {
      Text(QChar(c), c);
    } else if (c == '~') {
      Text(QChar(0x00A0), 0xA0);  // non-breaking space
    } else if (c == '_') {
      Text(QChar(0x2011), 0xFF);  // non-breaking hyphen
    } else if (c == '\n' || c == '\r') {
      Paragraph();  // a backslash before a line break is a \par
    } else if (c == '*') {
      state().dest = Dest::kSkip;  // an ignorable destination follows
    }
    // Anything else, the optional hyphen \- among them, is not shown.
  }

  void Word(const Token& t) {
    const QByteArray& w = t.word;
    const int n = t.param;
    const bool on = !t.hasParam || n != 0;
    State& s = state();

    if (s.dest == Dest::kSkip) {
      // nothing inside a skipped destination matters
    } else if (w == "fonttbl") {
      s.dest = Dest::kFontTable;
    } else if (w == "colortbl") {
      s.dest = Dest::kColorTable;
    } else if (IsSkippedDestination(w)) {
      s.dest = Dest::kSkip;
    } else if (s.dest == Dest::kFontTable) {
      if (w == "f") {
        fontNumber_ = n;
        fontName_.clear();
      }
    } else if (s.dest == Dest::kColorTable) {
      const int value = std::clamp(n, 0, 255);
      int* component = w == "red" ? &red_ : w == "green" ? &green_ : w == "blue" ? &blue_ : nullptr;
      if (component) {
        *component = value;
        colorGiven_ = true;
      }
    } else if (w == "u") {
      if (t.hasParam && n >= -32768 && n <= 65535) {  // RTF writes 32768..65535 as negatives
        Text(QChar(static_cast<char16_t>(n < 0 ? n + 65536 : n)), 0xFF);
        skipLeft_ = s.ucSkip;
      }
    } else if (w == "uc") {
      s.ucSkip = std::clamp(n, 0, 16);
    } else if (w == "par") {
      Paragraph();
    } else if (w == "pard") {
      s.ResetParagraph();
    } else if (w == "plain") {
      s.ResetCharacters();
    } else if (w == "b") {
      s.bold = on;
    } else if (w == "i") {
      s.italic = on;
    } else if (w == "ul") {
      s.underline = on;
    } else if (w == "ulnone") {
      s.underline = false;
    } else if (w == "fs") {
      s.halfPoints = (t.hasParam && n > 0) ? std::min(n, 2000) : kDefaultHalfPoints;
    } else if (w == "cf") {
      s.color = n;
    } else if (w == "f") {
      s.font = n;
    } else if (w == "deff") {
      defaultFont_ = n;
    } else if (w == "ql") {
      s.align = Qt::AlignLeft;
    } else if (w == "qc") {
      s.align = Qt::AlignHCenter;
    } else if (w == "qr") {
      s.align = Qt::AlignRight;
    } else if (w == "qj") {
      s.align = Qt::AlignJustify;
    } else if (w == "li") {
      s.left = std::clamp(n, -kMaxTwips, kMaxTwips);
    } else if (w == "ri") {
      s.right = std::clamp(n, -kMaxTwips, kMaxTwips);
    } else if (w == "fi") {
      s.first = std::clamp(n, -kMaxTwips, kMaxTwips);
    } else if (w == "sb") {
      s.before = std::clamp(n, 0, kMaxTwips);
    } else if (w == "sa") {
      s.after = std::clamp(n, 0, kMaxTwips);
    } else if (const char16_t ch = SpecialCharacter(w)) {
      Text(QChar(ch), 0xFF);
    }
  }

  QTextCharFormat CharFormat() const {
    const State& s = state();
    QTextCharFormat f;
    const auto font = fonts_.constFind(s.font >= 0 ? s.font : defaultFont_);
    if (font != fonts_.constEnd() && !font->isEmpty()) f.setFontFamilies({*font});
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    f.setFontPointSize(s.halfPoints / 2.0);
    if (s.color >= 0 && s.color < static_cast<int>(colors_.size()) && colors_[s.color].isValid()) {
      f.setForeground(colors_[s.color]);
    }
    return f;
  }

  QTextBlockFormat BlockFormat() const {
    const State& s = state();
    QTextBlockFormat f;
    f.setAlignment(s.align);
    f.setLeftMargin(s.left / kTwipsPerPixel);
    f.setRightMargin(s.right / kTwipsPerPixel);
    f.setTextIndent(s.first / kTwipsPerPixel);
    f.setTopMargin(s.before / kTwipsPerPixel);
    f.setBottomMargin(s.after / kTwipsPerPixel);
    return f;
  }

  // A paragraph's properties are the ones in force at its \par, so a block gets its format when
  // it ends, and the next block is only opened when something goes into it.
  void OpenBlockIfNeeded() {
    if (!needBlock_) return;
    cursor_.insertBlock();
    needBlock_ = false;
  }

  void FinishBlock() {
    cursor_.setBlockFormat(BlockFormat());
    // An empty line takes its height from the block's character format.
    if (cursor_.block().length() <= 1) cursor_.setBlockCharFormat(CharFormat());
  }

  void Paragraph() {
    if (state().dest != Dest::kText) return;
    OpenBlockIfNeeded();
    FinishBlock();
    needBlock_ = true;
  }

  void Flush() {
    if (pending_.isEmpty()) return;
    OpenBlockIfNeeded();
    cursor_.insertText(pending_, CharFormat());
    pending_.clear();
    lastTextFormat_ = BlockFormat();
  }

  Lexer lexer_;
  QTextCursor cursor_;
  std::vector<State> stack_;
  int overflow_ = 0;
  int skipLeft_ = 0;
  bool needBlock_ = false;
  QTextBlockFormat lastTextFormat_;
  QString pending_;
  QString error_;

  QHash<int, QString> fonts_;
  int defaultFont_ = 0;
  int fontNumber_ = 0;
  QString fontName_;

  std::vector<QColor> colors_;  // an invalid colour is an "auto" entry
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colorGiven_ = false;
};

}  // namespace

bool ReadRtf(const QByteArray& rtf, QTextDocument* doc, QString* error) {
  if (doc == nullptr) {
    if (error) *error = QStringLiteral("no document");
    return false;
  }
  doc->clear();
  Reader reader(rtf, doc);
  reader.Run();
  if (error) *error = reader.error();
  return reader.error().isEmpty();
}

}  // namespace vandrel
