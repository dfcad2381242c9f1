#include "ui/window/window_builder.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>

#include "ui/media/jpeg_image.h"
#include "ui/media/rtf_reader.h"
#include "ui/widgets/board_view.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/panel_widgets.h"

namespace vandrel {

namespace {

// Colours of the window, as 0x00BBGGRR numbers.
constexpr QRgb kBonusGreen = FromBgr(9216);          // RGB(0,36,0)
constexpr QRgb kButtonText = FromBgr(13828095);      // RGB(255,255,210)
constexpr QRgb kFileButtonText = FromBgr(13303807);  // RGB(255,255,202)
constexpr QRgb kScoreCream = FromBgr(14023421);      // RGB(253,250,213)
constexpr QRgb kScoreYellow = FromBgr(8454143);      // RGB(255,255,128)
constexpr QRgb kOlive = FromBgr(0x008080);           // RGB(128,128,0)
constexpr QRgb kTopNumbers = FromBgr(16744576);      // RGB(128,128,255)
constexpr QRgb kBottomNumbers = FromBgr(55040);      // RGB(0,215,0)
static_assert(kDarkGreen == FromBgr(16384) && kCream == FromBgr(0xF0FBFF));

// The board picture lies at (24, 20) of the client area; the side panel is
// 182 pixels wide at its right edge.
constexpr QPoint kBoardAt(24, 20);
constexpr int kPanelWidth = 182;

// A right-aligned number whose right edge stays at `right`.
QLabel* MakeNumber(QWidget* parent, int right, int top) {
  QLabel* l = MakeLabel(parent, QStringLiteral("0"), WindowFont(Face::MsSansSerif, 24, true),
                        kScoreYellow, QPoint(0, top));
  constexpr int kWidth = 100;
  l->setAlignment(Qt::AlignRight | Qt::AlignTop);
  l->setGeometry(right - kWidth, top, kWidth, l->height());
  return l;
}

FlatButton* MakeButton(QWidget* parent, const QString& caption, QRect r, Face face,
                       QRgb colour = kButtonText) {
  auto* b = new FlatButton(parent, caption, colour, WindowFont(face, 16, true));
  b->setGeometry(r);
  return b;
}

template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

// A caption marked with QT_TRANSLATE_NOOP in this file's context.
QString Tr(const char* text) { return QCoreApplication::translate("vandrel::WindowBuilder", text); }

}  // namespace

QString SoundButtonCaption(bool on) {
  //: The sound switch on the side panel, a button of 145 x 33 layout pixels.
  if (on) return QCoreApplication::translate("vandrel::WindowBuilder", "SFX On");
  //: The sound switch, off: a button of 145 x 33 layout pixels.
  return QCoreApplication::translate("vandrel::WindowBuilder", "SFX Off");
}

QString RulesTextResource(const QString& language) {
  const QString translated = QStringLiteral(":/text/HELP_") + language;
  if (!language.isEmpty() && QFile::exists(translated)) return translated;
  return QStringLiteral(":/text/HELP");
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QFont& font, QRgb colour, QPoint at) {
  auto* l = new QLabel(text, parent);
  l->setFont(font);
  l->setTextFormat(Qt::PlainText);
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, QColor(colour));
  pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(colour));
  l->setPalette(pal);
  l->adjustSize();
  l->move(at);
  return l;
}

void LoadRulesText(QTextEdit* viewer, const QString& resource, double scale) {
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) return;
  viewer->document()->setDefaultFont(WindowFont(Face::Tahoma, 19, true));
  ReadRtf(file.readAll(), viewer->document());
  ScaleDocument(viewer->document(), scale);
  // The rules open at their title.
  viewer->moveCursor(QTextCursor::Start);
  viewer->verticalScrollBar()->setValue(0);
}

void WindowBuilder::BuildBoard(const QImage& picture) {
  c_.board = Named(new BoardView(client_), "board");
  c_.board->setGeometry(QRect(kBoardAt, QSize(kBoardSide, kBoardSide)));
  //: The board's tooltip; the keys are told after it.
  c_.board->setToolTip(
      QCoreApplication::translate("vandrel::WindowBuilder", "right click to de-select piece"));
  c_.board->drawPicture(picture);
  c_.board->setArt(CachedArt([picture](int artScale) {
    return artScale == 1 ? picture : LoadJpegResource(ArtResourceName("board", "jpg", artScale));
  }));
  c_.board->setEnabled(false);

  const auto disc = [](const char* stem) {
    return std::make_shared<PieceArt>(CachedArt(
        [stem](int artScale) { return ReadBmpResource(ArtResourceName(stem, "bmp", artScale)); }));
  };
  const auto blue = disc("blue"), green = disc("green");
  for (int i = 1; i <= 12; ++i) {
    const bool human = i > 6;
    const int piece = human ? i - 6 : i;
    auto* img = new PieceImage(c_.board, human ? green : blue, piece);
    img->setObjectName(QStringLiteral("piece%1").arg(i));
    img->place(piece, human ? StartRowOf(kHuman) : StartRowOf(kComputer));
    img->setEnabled(false);
    if (human) img->setCursor(Qt::PointingHandCursor);
    c_.pieces[static_cast<size_t>(i)] = img;
  }

  // The stack heights of the two base columns, over the pieces.
  for (int side = 0; side < 2; ++side) {
    auto& labels = side == 0 ? c_.leftStackHeights : c_.rightStackHeights;
    for (int n = 1; n <= 6; ++n) {
      QLabel* l = MakeLabel(client_, QString::number(n), WindowFontPt(Face::Verdana, 20, true),
                            kCream, QPoint(side == 0 ? 36 : 526, 70 * n + 50));
      l->setObjectName(QStringLiteral("%1StackHeight%2").arg(side == 0 ? "left" : "right").arg(n));
      l->hide();
      l->raise();
      labels[static_cast<size_t>(n)] = l;
    }
  }

  c_.topColumnNumbers = Named(
      new ColumnCaption(client_,
                        QStringLiteral("6                5               4               3       "
                                       "         2                 1"),
                        kTopNumbers),
      "topColumnNumbers");
  c_.topColumnNumbers->setGeometry(127, 4, 377, 13);
  c_.bottomColumnNumbers = Named(
      new ColumnCaption(client_,
                        QStringLiteral("1               2                3               4       "
                                       "          5                6"),
                        kBottomNumbers),
      "bottomColumnNumbers");
  c_.bottomColumnNumbers->setGeometry(127, 584, 377, 13);
}

void WindowBuilder::BuildPanel(const QImage& strip) {
  auto* panel = c_.sidePanel = Named(new PictureFill(client_, strip), "sidePanel");
  panel->setGeometry(kClientWidth - kPanelWidth, 0, kPanelWidth, kClientHeight);

  const QFont caption = WindowFont(Face::MsSansSerif, 16, true);
  //: The side panel's heading over the match scores, about 110 layout pixels.
  c_.scoreCaption =
      Named(MakeLabel(panel, QCoreApplication::translate("vandrel::WindowBuilder", "Score"),
                      WindowFont(Face::Tahoma, 21, false), kScoreCream, {60, 4}),
            "scoreCaption");
  c_.scoreTopLine = Named(new Bevel(panel), "scoreTopLine");
  c_.scoreTopLine->setGeometry(16, 32, 145, 9);
  c_.humanTurnArrow = Named(new TurnArrow(panel, kButtonText), "humanTurnArrow");
  c_.humanTurnArrow->setGeometry(0, 44, 21, 21);
  c_.humanTurnArrow->hide();
  //: The player's row of the scores and of the bonus points, left of the
  //: number: about 60 layout pixels.
  const QString you = QCoreApplication::translate("vandrel::WindowBuilder", "You");
  //: The computer's row of the scores and of the bonus points, left of the
  //: number: about 60 layout pixels. The computer speaks as "I".
  const QString me = QCoreApplication::translate("vandrel::WindowBuilder", "Me");
  c_.humanScoreCaption =
      Named(MakeLabel(panel, you, caption, kOlive, {20, 44}), "humanScoreCaption");
  c_.humanMatchScore = Named(MakeNumber(panel, 163, 40), "humanMatchScore");
  c_.scoreMiddleLine = Named(new Bevel(panel), "scoreMiddleLine");
  c_.scoreMiddleLine->setGeometry(16, 92, 145, 9);
  c_.computerTurnArrow = Named(new TurnArrow(panel, kButtonText), "computerTurnArrow");
  c_.computerTurnArrow->setGeometry(0, 116, 21, 21);
  c_.computerTurnArrow->hide();
  c_.computerScoreCaption =
      Named(MakeLabel(panel, me, caption, kOlive, {20, 116}), "computerScoreCaption");
  c_.computerMatchScore = Named(MakeNumber(panel, 163, 112), "computerMatchScore");
  c_.scoreBottomLine = Named(new Bevel(panel), "scoreBottomLine");
  c_.scoreBottomLine->setGeometry(16, 148, 145, 9);

  // The bonus points cover the score rows while a game runs.
  //: The panel over the scores while a game runs: 145 layout pixels wide,
  //: between the "You" and "Me" rows.
  auto* bonus = Named(
      new QLabel(QCoreApplication::translate("vandrel::WindowBuilder", "Bonus Points"), panel),
      "bonusPanel");
  bonus->setGeometry(16, 36, 145, 113);
  bonus->setAlignment(Qt::AlignCenter);
  bonus->setFont(WindowFont(Face::Tahoma, 16, true));
  bonus->setAutoFillBackground(true);
  QPalette pal = bonus->palette();
  pal.setColor(QPalette::Window, QColor(kBonusGreen));
  pal.setColor(QPalette::WindowText, QColor(kCream));
  bonus->setPalette(pal);
  c_.bonusPanel = bonus;
  c_.humanBonusCaption = Named(MakeLabel(bonus, you, caption, kOlive, {4, 8}), "humanBonusCaption");
  c_.humanBonus = Named(MakeNumber(bonus, 141, 4), "humanBonus");
  c_.computerBonusCaption =
      Named(MakeLabel(bonus, me, caption, kOlive, {4, 81}), "computerBonusCaption");
  c_.computerBonus = Named(MakeNumber(bonus, 141, 76), "computerBonus");
  c_.computerMatchScore->hide();  // the bonus panel shows at start
  c_.humanMatchScore->hide();

  const struct {
    FlatButton** button;
    const char* name;
    const char* caption;
    QRect place;
    Face face;
    QRgb colour;
  } buttons[] = {
      //: A button of the side panel, 105 x 57 layout pixels: shows or hides the rules.
      {&c_.rulesButton,
       "rulesButton",
       QT_TRANSLATE_NOOP("vandrel::WindowBuilder", "Rules"),
       {16, 168, 105, 57},
       Face::Tahoma,
       kButtonText},
      {&c_.aboutButton, "aboutButton", "?", {124, 168, 41, 57}, Face::Tahoma, kButtonText},
      //: A button of the side panel, 72 x 65 layout pixels, in two lines:
      //: throws the die.
      {&c_.diceButton,
       "diceButton",
       QT_TRANSLATE_NOOP("vandrel::WindowBuilder", "Throw\nDice"),
       {16, 232, 72, 65},
       Face::Tahoma,
       kButtonText},
      //: A button of the side panel, 145 x 57 layout pixels: starts the next game.
      {&c_.playGameButton,
       "playGameButton",
       QT_TRANSLATE_NOOP("vandrel::WindowBuilder", "Play Game"),
       {16, 304, 145, 57},
       Face::MsSansSerif,
       kButtonText},
      {&c_.soundButton, "soundButton", nullptr, {16, 368, 145, 33}, Face::Tahoma, kButtonText},
      //: A button of the side panel, 69 x 33 layout pixels: saves the game to a file.
      {&c_.saveButton,
       "saveButton",
       QT_TRANSLATE_NOOP("vandrel::WindowBuilder", "Save"),
       {16, 408, 69, 33},
       Face::Tahoma,
       kFileButtonText},
      //: A button of the side panel, 69 x 33 layout pixels: loads a saved game.
      {&c_.loadButton,
       "loadButton",
       QT_TRANSLATE_NOOP("vandrel::WindowBuilder", "Load"),
       {92, 408, 69, 33},
       Face::Tahoma,
       kFileButtonText},
      //: A button of the side panel, 145 x 65 layout pixels: opens the options
      //: and starts a new match.
      {&c_.newMatchButton,
       "newMatchButton",
       QT_TRANSLATE_NOOP("vandrel::WindowBuilder", "New Match"),
       {16, 448, 145, 65},
       Face::Tahoma,
       kButtonText},
      //: A button of the side panel, 145 x 65 layout pixels, a small picture at
      //: its left: leaves the game.
      {&c_.byeButton,
       "byeButton",
       QT_TRANSLATE_NOOP("vandrel::WindowBuilder", "Bye!"),
       {16, 520, 145, 65},
       Face::MsSansSerif,
       kButtonText},
  };
  for (const auto& b : buttons) {
    // "?", a symbol, is no key: it stays as it is. The captions break their
    // lines as the game's first captions did, with "\r\n".
    QString caption = b.caption ? Tr(b.caption) : SoundButtonCaption(true);
    caption.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    *b.button = Named(MakeButton(panel, caption, b.place, b.face, b.colour), b.name);
    // The die display comes right after its button: the panel keeps its
    // stacking and tab order.
    if (b.button == &c_.diceButton) {
      c_.die = Named(new DieDisplay(panel), "die");
      c_.die->setGeometry(88, 232, 73, 65);
    }
  }
  c_.diceButton->setEnabled(false);
  c_.playGameButton->setEnabled(false);
}

void WindowBuilder::BuildRulesViewer() {
  QTextEdit* viewer = c_.rulesViewer = Named(new QTextEdit(client_), "rulesViewer");
  viewer->setGeometry(20, 4, 581, 593);
  viewer->setFrameStyle(QFrame::NoFrame);
  viewer->setReadOnly(true);
  viewer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewer->setFocusPolicy(Qt::NoFocus);
  viewer->setTextInteractionFlags(Qt::NoTextInteraction);
  viewer->setFont(WindowFont(Face::Tahoma, 19, true));
  //: The rules text's tooltip.
  viewer->setToolTip(QCoreApplication::translate("vandrel::WindowBuilder", "Click here to close"));
  QPalette pal = viewer->palette();
  pal.setColor(QPalette::Base, QColor(kDarkGreen));
  pal.setColor(QPalette::Text, QColor(kCream));
  viewer->setPalette(pal);
  viewer->viewport()->setCursor(Qt::ArrowCursor);
  viewer->hide();
}

}  // namespace vandrel
