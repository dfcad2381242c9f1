// Every text the player reads fits its place, in every language the game
// speaks and at layout scales 1 and 2: the captions of the main window and
// of the game's dialogs, and every message the prompt can show. Each text is
// measured with its widget's own font, laid out as the widget paints it; a
// failure names the language, the scale, the widget, the text and its size
// against the room, for the translator to shorten.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include "rules/translation_marks.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs/prompt_dialog.h"
#include "ui/dialogs/record_dialog.h"
#include "ui/language/language_choice.h"
#include "ui/language/translations.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/panel_widgets.h"
#include "ui/window/main_window.h"
#include "ui/window/window_builder.h"

namespace vandrel {
namespace {

// A text as its widget lays it out: in `box` (widget pixels) with `flags`.
struct Caption {
  QString text;
  QRect box;
  int flags;
};

// The captions `w` paints, placed as its paintEvent places them.
std::vector<Caption> CaptionsOf(QWidget* w, const LayoutScale& scale) {
  const QFontMetrics fm(w->font());
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->text().isEmpty() || !label->pixmap().isNull()) return {};
    // Inside the frame and the margin, indented on the side it is aligned
    // to (the game's labels have no frame, so no indent of the frame's).
    const int m = label->margin(), in = std::max(0, label->indent());
    const Qt::Alignment align = label->alignment();
    const QRect box = label->contentsRect().adjusted(m + (align & Qt::AlignLeft ? in : 0), m,
                                                     -m - (align & Qt::AlignRight ? in : 0), -m);
    return {{label->text(), box, int(align) | (label->wordWrap() ? Qt::TextWordWrap : 0)}};
  }
  if (auto* flat = qobject_cast<FlatButton*>(w)) {
    if (flat->arrow() != FlatButton::Arrow::None) return {};
    const QString text = flat->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // A glyph and a gap of 4 layout pixels stand left of the caption.
    const QSize glyph = flat->glyphSize();
    const int left = glyph.isEmpty() ? 0 : glyph.width() + scale.map(4);
    return {{text, flat->rect().adjusted(left, 0, 0, 0), Qt::AlignCenter}};
  }
  if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    if (button->text().isEmpty()) return {};
    const bool choice = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
    if (!choice) return {{button->text(), button->rect(), Qt::AlignCenter | Qt::TextShowMnemonic}};
    // The style writes a choice's caption beside its box, in the contents.
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const auto element =
        qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
    return {{button->text(), w->style()->subElementRect(element, &option, w),
             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic}};
  }
  if (auto* die = qobject_cast<DieDisplay*>(w))
    return {{die->text(), die->contentsRect(), Qt::AlignCenter}};
  if (auto* numbers = qobject_cast<ColumnCaption*>(w)) {
    // Each number over the middle of its board column, 70 layout pixels apart.
    std::vector<Caption> cells;
    const QStringList each = numbers->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i = 0; i < each.size(); ++i)
      cells.push_back({each[i], QRect(scale.map(4 + 70 * i - 35), 0, scale.map(70), w->height()),
                       Qt::AlignCenter});
    return cells;
  }
  return {};
}

// Gives `w` another text; answers the one it had.
QString SwapText(QWidget* w, const QString& text) {
  auto* die = qobject_cast<DieDisplay*>(w);
  const QString was = die ? die->text() : w->property("text").toString();
  if (die) die->setText(text);
  if (!die) w->setProperty("text", text);
  return was;
}

// A text on one line of the report: "Throw\\nDice".
std::string Quoted(QString text) {
  return '"' + text.replace(QLatin1Char('\n'), QLatin1String("\\n")).toStdString() + '"';
}

// "OptionsDialog/GamesCaption": the widget's object names from its window down.
QString PathOf(const QWidget* w) {
  QStringList names;
  for (const QWidget* at = w; at; at = at->isWindow() ? nullptr : at->parentWidget())
    names.prepend(at->objectName().isEmpty() ? QString::fromLatin1(at->metaObject()->className())
                                             : at->objectName());
  return names.join(QLatin1Char('/'));
}

// The game's own texts that the prompt shows, in English, read from a
// translators' file (the test translations_current keeps it up to date with
// the sources). Left out: the board help's sentences, said to a screen
// reader, and the message boxes' texts, whose boxes size themselves.
QStringList PromptTexts() {
  QFile file(QStringLiteral(VANDREL_TRANSLATIONS_DIR "/vandrel_de.ts"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  const QStringList inBoxes = {QStringLiteral("Wrong direction"),
                               QStringLiteral("This file is not a Vandrel saved game.")};
  QStringList texts;
  QXmlStreamReader xml(&file);
  QString context, where;
  while (!xml.atEnd()) {
    if (!xml.readNextStartElement()) continue;
    if (xml.name() == QLatin1String("name")) context = xml.readElementText();
    if (xml.name() == QLatin1String("location"))
      where = xml.attributes().value(QLatin1String("filename")).toString();
    if (xml.name() != QLatin1String("source") || context != QLatin1String(kGameTextContext))
      continue;
    const QString source = xml.readElementText();
    if (!where.endsWith(QLatin1String("/board_help.cpp")) && !inBoxes.contains(source))
      texts << source;
  }
  return texts;
}

class TextsFit : public ::testing::Test {
 protected:
  // Checks the texts of `w`: the one it has, then each of `more` in turn.
  void Check(QWidget* w, const QStringList& more = {}) {
    CheckNow(w, w->isVisible());
    for (const QString& text : more) {
      const QString was = SwapText(w, text);
      CheckNow(w, false);
      SwapText(w, was);
    }
  }

  // Each caption stays inside its box, the widget and every widget around
  // it up to its window (each clips what its children paint). A caption
  // shown is kept to be laid beside its neighbours'.
  void CheckNow(QWidget* w, bool shown) {
    const QFontMetrics fm(w->font());
    for (const Caption& c : CaptionsOf(w, scale_)) {
      if (c.text.isEmpty()) continue;
      QRect inked = fm.boundingRect(c.box, c.flags, c.text);
      // A single line is measured across by its advances, less the room its
      // ink leaves free inside them (the "1" of "10" stands well right).
      if (!c.text.contains(QLatin1Char('\n')) && inked.height() < 2 * fm.lineSpacing()) {
        const QRect ink = fm.tightBoundingRect(c.text).translated(inked.left(), 0);
        inked.setLeft(std::max(inked.left(), ink.left()));
        inked.setRight(std::min(inked.right(), ink.right()));
      }
      QRect room = c.box & w->rect();
      QString cutBy;
      for (QWidget* at = w; at && !at->isWindow(); at = at->parentWidget()) {
        const QWidget* parent = at->parentWidget();
        const QRect parentRoom(w->mapFrom(parent, QPoint(0, 0)), parent->size());
        if (!parentRoom.contains(inked) && cutBy.isEmpty()) cutBy = PathOf(parent);
        room &= parentRoom;
      }
      if (shown) inks_.push_back({w, inked.translated(w->pos()), c.text});
      if (room.contains(inked)) continue;
      ADD_FAILURE() << Where() << PathOf(w).toStdString() << " " << Quoted(c.text) << ": needs "
                    << inked.width() << " x " << inked.height() << ", room " << room.width()
                    << " x " << room.height()
                    << (cutBy.isEmpty() ? "" : ", cut by " + cutBy.toStdString());
    }
  }

  // No two captions shown side by side in one widget overlap (a label
  // sized to its text may grow under its neighbour).
  void CheckNeighbours() {
    for (size_t i = 0; i < inks_.size(); ++i)
      for (size_t j = i + 1; j < inks_.size(); ++j) {
        const Ink &a = inks_[i], &b = inks_[j];
        if (a.widget->parentWidget() != b.widget->parentWidget() || a.widget == b.widget ||
            !a.rect.intersects(b.rect))
          continue;
        ADD_FAILURE() << Where() << PathOf(a.widget).toStdString() << " " << Quoted(a.text)
                      << " overlaps " << PathOf(b.widget).toStdString() << " " << Quoted(b.text)
                      << " by " << (a.rect & b.rect).width() << " x " << (a.rect & b.rect).height();
      }
    inks_.clear();
  }

  std::string Where() const {
    return "[" + language_ + " " + std::to_string(qRound(scale_.factor())) + "x] ";
  }

  struct Ink {
    QWidget* widget;
    QRect rect;  // in the parent's coordinates
    QString text;
  };
  std::vector<Ink> inks_;
  std::string language_;
  LayoutScale scale_;
};

TEST_F(TextsFit, EveryTextInEveryLanguageAtScalesOneAndTwo) {
  const QStringList gameTexts = PromptTexts();
  ASSERT_TRUE(gameTexts.contains(QStringLiteral("Click the Dice!"))) << gameTexts.size();
  std::vector<std::string> languages = {""};
  languages.insert(languages.end(), kTranslatedLanguages.begin(), kTranslatedLanguages.end());
  for (const std::string& language : languages) {
    language_ = language.empty() ? "en" : language;
    ASSERT_TRUE(LoadTranslations(language)) << language_;
    InstallTranslations();
    QStringList messages;
    for (const QString& text : gameTexts)
      messages << QCoreApplication::translate(kGameTextContext, text.toUtf8().constData());
    messages << RecordDialog::tr("Clear your record?");
    for (const int factor : {1, 2}) {
      scale_ = LayoutScale(factor);
      MainWindow window(MainWindow::Options{false, false});
      window.setGeometry(0, 0, 800 * factor, 600 * factor);
      window.CreateDialogs();
      window.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
      QApplication::processEvents();  // the start-up's end: the glyph of "Bye!"
      ASSERT_EQ(window.LayoutScale().factor(), factor);
      auto* prompt = window.findChild<PromptDialog*>();
      const QList<QDialog*> dialogs = {prompt, window.findChild<OptionsDialog*>(),
                                       window.findChild<AboutDialog*>(),
                                       window.findChild<RecordDialog*>()};
      for (QDialog* dialog : dialogs) dialog->show();  // each takes the scale as it comes up
      // The texts a widget shows in turn besides the one it is built with.
      const std::map<QString, QStringList> more = {
          {QStringLiteral("soundButton"), {SoundButtonCaption(false)}},
          {QStringLiteral("die"), {QStringLiteral("6")}},
          {QStringLiteral("GamesCount"), {QStringLiteral("10")}},
          {QStringLiteral("Message"), messages},
      };
      for (QWidget* w : window.findChildren<QWidget*>()) {
        const auto texts = more.find(w->objectName());
        Check(w, texts == more.end() ? QStringList() : texts->second);
      }
      CheckNeighbours();
      for (QDialog* dialog : dialogs) dialog->hide();
      // A question: "Yes" and "No" side by side where "OK" stood.
      QTimer::singleShot(0, prompt, [&] {
        Check(prompt->OkBtn);
        Check(prompt->NoBtn);
        CheckNeighbours();
        prompt->reject();
      });
      prompt->AskQuestion(messages.first());
    }
  }
  ASSERT_TRUE(LoadTranslations(""));  // English again for what follows
}

}  // namespace
}  // namespace vandrel

int main(int argc, char** argv) {
  // Offscreen, also when the tests are listed at build time.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
