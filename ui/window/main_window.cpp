#include "ui/window/main_window.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <future>
#include <map>

#include "ui/media/jpeg_image.h"
#include "platform/screen_mode.h"
#include "ui/media/rtf_reader.h"
#include "ui/window/accessibility.h"
#include "ui/widgets/board_view.h"
#include "ui/window/keyboard.h"
#include "ui/dialogs/dialog_layer.h"
#include "ui/sound/sound_module.h"
#include "ui/widgets/panel_widgets.h"
#include "ui/window/window_mode.h"

// The pictures, sounds and rules compiled into this library.
static void InitResources() {
  Q_INIT_RESOURCE(art);
  Q_INIT_RESOURCE(sounds);
  Q_INIT_RESOURCE(help);
}

using vandrel::Face;
using vandrel::FromBgr;
using vandrel::WindowFont;

namespace {

// Colours of the window, as 0x00BBGGRR numbers.
constexpr QRgb kDarkGreen = FromBgr(16384);          // RGB(0,64,0)
constexpr QRgb kBonusGreen = FromBgr(9216);          // RGB(0,36,0)
constexpr QRgb kButtonText = FromBgr(13828095);      // RGB(255,255,210)
constexpr QRgb kFileButtonText = FromBgr(13303807);  // RGB(255,255,202)
constexpr QRgb kCream = FromBgr(0xF0FBFF);           // RGB(255,251,240)
constexpr QRgb kScoreCream = FromBgr(14023421);      // RGB(253,250,213)
constexpr QRgb kScoreYellow = FromBgr(8454143);      // RGB(255,255,128)
constexpr QRgb kOlive = FromBgr(0x008080);           // RGB(128,128,0)
constexpr QRgb kTopNumbers = FromBgr(16744576);      // RGB(128,128,255)
constexpr QRgb kBottomNumbers = FromBgr(55040);      // RGB(0,215,0)

// The board picture lies at (24, 20) of the client area; the side panel is
// 182 pixels wide at its right edge.
constexpr QPoint kBoardAt(24, 20);
constexpr int kPanelWidth = 182;

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

// A right-aligned number whose right edge stays at `right`.
QLabel* MakeNumber(QWidget* parent, int right, int top) {
  QLabel* l = MakeLabel(parent, QStringLiteral("0"), WindowFont(Face::MsSansSerif, 24, true),
                        kScoreYellow, QPoint(0, top));
  constexpr int kWidth = 100;
  l->setAlignment(Qt::AlignRight | Qt::AlignTop);
  l->setGeometry(right - kWidth, top, kWidth, l->height());
  return l;
}

vandrel::PanelButton* MakeButton(QWidget* parent, const QString& caption, QRect r, Face face,
                                 QRgb colour = kButtonText) {
  auto* b = new vandrel::PanelButton(parent, caption, colour, WindowFont(face, 16, true));
  b->setGeometry(r);
  return b;
}

const char* const kNames[] = {"pc0", "pc1", "pc2", "pc3",  "pc4",  "pc5", "pc6",
                              "pc7", "pc8", "pc9", "pc10", "pc11", "pc12"};

}  // namespace

// --- Start-up ----------------------------------------------------------------------

namespace {

struct Pictures {
  QImage board, strip;
};

Pictures DecodePictures() {
  return {vandrel::LoadJpegResource(QStringLiteral(":/art/board.jpg")),
          vandrel::LoadJpegResource(QStringLiteral(":/art/strip.jpg"))};
}

// The application's X connection, or none on another window system.
_XDisplay* X11Connection() {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
}

std::future<Pictures>& PreloadSlot() {
  static std::future<Pictures> pictures;
  return pictures;
}

}  // namespace

void TForm1::Preload() {
  InitResources();
  // Qt takes the first thread that asks for its thread data as the main
  // thread. Ask here, before the decoding thread opens its resource files,
  // or the application object would find itself on a foreign thread.
  (void)QThread::currentThread();
  // The font configuration (every file under /etc/fonts, parsed) is the
  // process's own: read there too, Qt's first text finds it read. One thread
  // for both: the display's server needs the other processor meanwhile.
  PreloadSlot() = std::async(std::launch::async, [] {
    Pictures pictures = DecodePictures();
    FcInit();
    return pictures;
  });
}

TForm1::TForm1() : TForm1(Options{}) {}

TForm1::TForm1(Options options) : options_(options), game_(*this) {
  InitResources();
  clock_.start();
  reseed();

  // The screen mode as the player had it, put back when the window goes.
  const vandrel::DisplayMode mode = vandrel::CurrentDisplayMode(X11Connection());
  SavedWidth = mode.width;
  SavedHeight = mode.height;
  SavedBpp = mode.bpp;

  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Vandrel"));
  windowMode_ =
      std::make_unique<vandrel::WindowMode>(*this, LayoutSize(), QSize(kClientWidth, kClientHeight),
                                            options_.windowed, !options_.developer);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(kDarkGreen));
  setPalette(pal);
  // FormPaint covers every pixel it is asked for: no background fill first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(WindowFont(Face::Tahoma, 16, false));

  Pictures pictures = PreloadSlot().valid() ? PreloadSlot().get() : DecodePictures();
  strip_ = pictures.strip;
  background_ = std::make_unique<vandrel::StripPainter>(strip_);
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("Client"));
  client_->resize(LayoutSize());
  resize(client_->size());

  BuildBoard(pictures.board);
  BuildPanel();
  BuildRulesViewer();
  if (options_.developer) BuildDeveloperControls();
  scaler_.capture(client_);
  access_ = std::make_unique<vandrel::Accessibility>(*this);
  keys_ = std::make_unique<vandrel::Keyboard>(*this, access_.get());

  game_.FormCreate();
}

TForm1::~TForm1() {
  // The sounds go while the application still stands; the screen gets its
  // own mode back.
  sfx_.reset();
  vandrel::RestoreDisplayMode();
}

void TForm1::BuildBoard(const QImage& picture) {
  bgpic = new vandrel::BoardView(client_);
  bgpic->setObjectName(QStringLiteral("bgpic"));
  bgpic->setGeometry(QRect(kBoardAt, QSize(vandrel::kBoardSide, vandrel::kBoardSide)));
  bgpic->setToolTip(QStringLiteral("right click to de-select piece"));
  bgpic->drawPicture(picture);
  bgpic->setArt(vandrel::CachedArt([picture](int artScale) {
    return artScale == 1
               ? picture
               : vandrel::LoadJpegResource(vandrel::ArtResourceName("board", "jpg", artScale));
  }));
  bgpic->setEnabled(false);
  bgpic->onMouseDown = [this](int x, int y, vandrel::MouseButton b) {
    Run([&] { game_.bgpicMouseDown(x, y, b); });
  };
  bgpic->onMouseMove = [this](int x, int y) { Run([&] { game_.bgpicMouseMove(x, y); }); };

  const auto disc = [](const char* stem) {
    return std::make_shared<vandrel::PieceArt>(vandrel::CachedArt([stem](int artScale) {
      return vandrel::ReadBmpResource(vandrel::ArtResourceName(stem, "bmp", artScale));
    }));
  };
  const auto blue = disc("blue"), green = disc("green");
  for (int i = 1; i <= 12; ++i) {
    const bool human = i > 6;
    const int piece = human ? i - 6 : i;
    auto* img = new vandrel::PieceImage(bgpic, human ? green : blue, piece);
    img->setObjectName(QString::fromLatin1(kNames[i]));
    img->place(piece, human ? vandrel::StartRowOf(vandrel::kHuman)
                            : vandrel::StartRowOf(vandrel::kComputer));
    img->setEnabled(false);
    if (human) {
      img->setCursor(Qt::PointingHandCursor);
      img->onMouseDown = [this](int tag, vandrel::MouseButton b) {
        Run([&] { game_.pc1MouseDown(tag, b); });
      };
    } else {
      img->onMouseDown = [this](int tag, vandrel::MouseButton b) {
        Run([&] { game_.pc7MouseDown(tag, b); });
      };
    }
    pc[i] = img;
  }

  // The stack heights of the two base columns, over the pieces.
  for (int side = 0; side < 2; ++side) {
    auto& labels = side == 0 ? LeftStackLabels : RightStackLabels;
    for (int n = 1; n <= 6; ++n) {
      QLabel* l =
          MakeLabel(client_, QString::number(n), vandrel::WindowFontPt(Face::Verdana, 20, true),
                    kCream, QPoint(side == 0 ? 36 : 526, 70 * n + 50));
      l->setObjectName(QStringLiteral("%1StackLabel%2").arg(side == 0 ? "Left" : "Right").arg(n));
      l->hide();
      l->raise();
      labels[n] = l;
    }
  }

  Label2 = new vandrel::ColumnCaption(
      client_,
      QStringLiteral("6                5               4               3                2"
                     "                 1"),
      kTopNumbers);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(127, 4, 377, 13);
  Label9 = new vandrel::ColumnCaption(
      client_,
      QStringLiteral("1               2                3               4                 5"
                     "                6"),
      kBottomNumbers);
  Label9->setObjectName(QStringLiteral("Label9"));
  Label9->setGeometry(127, 584, 377, 13);
}

void TForm1::BuildPanel() {
  Panel1 = new vandrel::PictureFill(client_, strip_);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(kClientWidth - kPanelWidth, 0, kPanelWidth, kClientHeight);

  const QFont caption = WindowFont(Face::MsSansSerif, 16, true);
  Label11 = MakeLabel(Panel1, QStringLiteral("Score"), WindowFont(Face::Tahoma, 21, false),
                      kScoreCream, {60, 4});
  Bevel3 = new vandrel::Bevel(Panel1);
  Bevel3->setGeometry(16, 32, 145, 9);
  humarrow = new vandrel::TurnArrow(Panel1, kButtonText);
  humarrow->setObjectName(QStringLiteral("humarrow"));
  humarrow->setGeometry(0, 44, 21, 21);
  humarrow->hide();
  Label4 = MakeLabel(Panel1, QStringLiteral("You"), caption, kOlive, {20, 44});
  Play2 = MakeNumber(Panel1, 163, 40);
  Play2->setObjectName(QStringLiteral("Play2"));
  Bevel1 = new vandrel::Bevel(Panel1);
  Bevel1->setGeometry(16, 92, 145, 9);
  comparrow = new vandrel::TurnArrow(Panel1, kButtonText);
  comparrow->setObjectName(QStringLiteral("comparrow"));
  comparrow->setGeometry(0, 116, 21, 21);
  comparrow->hide();
  Label3 = MakeLabel(Panel1, QStringLiteral("Me"), caption, kOlive, {20, 116});
  Play1 = MakeNumber(Panel1, 163, 112);
  Play1->setObjectName(QStringLiteral("Play1"));
  Bevel2 = new vandrel::Bevel(Panel1);
  Bevel2->setGeometry(16, 148, 145, 9);

  // The bonus points cover the score rows while a game runs.
  auto* bonus = new QLabel(QStringLiteral("Bonus Points"), Panel1);
  bonus->setObjectName(QStringLiteral("BonusPanel"));
  bonus->setGeometry(16, 36, 145, 113);
  bonus->setAlignment(Qt::AlignCenter);
  bonus->setFont(WindowFont(Face::Tahoma, 16, true));
  bonus->setAutoFillBackground(true);
  QPalette pal = bonus->palette();
  pal.setColor(QPalette::Window, QColor(kBonusGreen));
  pal.setColor(QPalette::WindowText, QColor(kCream));
  bonus->setPalette(pal);
  BonusPanel = bonus;
  Label1 = MakeLabel(BonusPanel, QStringLiteral("You"), caption, kOlive, {4, 8});
  bonuslabel1 = MakeNumber(BonusPanel, 141, 4);
  bonuslabel1->setObjectName(QStringLiteral("bonuslabel1"));
  Label10 = MakeLabel(BonusPanel, QStringLiteral("Me"), caption, kOlive, {4, 81});
  bonuslabel2 = MakeNumber(BonusPanel, 141, 76);
  bonuslabel2->setObjectName(QStringLiteral("bonuslabel2"));
  Play1->hide();  // the bonus panel shows at start
  Play2->hide();

  SpeedButton2 = MakeButton(Panel1, QStringLiteral("Rules"), {16, 168, 105, 57}, Face::Tahoma);
  SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
  connect(SpeedButton2, &QAbstractButton::clicked, this, [this] { SpeedButton2Click(); });
  SpeedButton5 = MakeButton(Panel1, QStringLiteral("?"), {124, 168, 41, 57}, Face::Tahoma);
  SpeedButton5->setObjectName(QStringLiteral("SpeedButton5"));
  connect(SpeedButton5, &QAbstractButton::clicked, this, [this] { SpeedButton5Click(); });

  DiceBtn = MakeButton(Panel1, QString(), {16, 232, 72, 65}, Face::Tahoma);
  DiceBtn->setObjectName(QStringLiteral("DiceBtn"));
  DiceBtn->setText(QStringLiteral("Throw\r\nDice"));
  DiceBtn->setEnabled(false);
  connect(DiceBtn, &QAbstractButton::clicked, this, [this] { Run([&] { game_.DiceBtnClick(); }); });
  dice = new vandrel::DieDisplay(Panel1);
  dice->setObjectName(QStringLiteral("dice"));
  dice->setGeometry(88, 232, 73, 65);

  NewBtn = MakeButton(Panel1, QStringLiteral("Play Game"), {16, 304, 145, 57}, Face::MsSansSerif);
  NewBtn->setObjectName(QStringLiteral("NewBtn"));
  NewBtn->setEnabled(false);
  connect(NewBtn, &QAbstractButton::clicked, this, [this] { Run([&] { game_.NewBtnClick(); }); });
  sfxBtn = MakeButton(Panel1, QStringLiteral("SFX On"), {16, 368, 145, 33}, Face::Tahoma);
  sfxBtn->setObjectName(QStringLiteral("sfxBtn"));
  connect(sfxBtn, &QAbstractButton::clicked, this, [this] { Run([&] { game_.sfxBtnClick(); }); });
  SpeedButton4 =
      MakeButton(Panel1, QStringLiteral("Save"), {16, 408, 69, 33}, Face::Tahoma, kFileButtonText);
  SpeedButton4->setObjectName(QStringLiteral("SpeedButton4"));
  connect(SpeedButton4, &QAbstractButton::clicked, this,
          [this] { Run([&] { game_.SpeedButton4Click(); }); });
  LoadBtn =
      MakeButton(Panel1, QStringLiteral("Load"), {92, 408, 69, 33}, Face::Tahoma, kFileButtonText);
  LoadBtn->setObjectName(QStringLiteral("LoadBtn"));
  connect(LoadBtn, &QAbstractButton::clicked, this, [this] { Run([&] { game_.LoadBtnClick(); }); });
  MatchBtn = MakeButton(Panel1, QStringLiteral("New Match"), {16, 448, 145, 65}, Face::Tahoma);
  MatchBtn->setObjectName(QStringLiteral("MatchBtn"));
  connect(MatchBtn, &QAbstractButton::clicked, this,
          [this] { Run([&] { game_.MatchBtnClick(); }); });
  SpeedButton1 = MakeButton(Panel1, QStringLiteral("Bye!"), {16, 520, 145, 65}, Face::MsSansSerif);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  connect(SpeedButton1, &QAbstractButton::clicked, this, [this] { SpeedButton1Click(); });
}

void TForm1::BuildRulesViewer() {
  RichEdit1 = new QTextEdit(client_);
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setGeometry(20, 4, 581, 593);
  RichEdit1->setFrameStyle(QFrame::NoFrame);
  RichEdit1->setReadOnly(true);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  RichEdit1->setFocusPolicy(Qt::NoFocus);
  RichEdit1->setTextInteractionFlags(Qt::NoTextInteraction);
  RichEdit1->setFont(WindowFont(Face::Tahoma, 19, true));
  RichEdit1->setToolTip(QStringLiteral("Click here to close"));
  QPalette pal = RichEdit1->palette();
  pal.setColor(QPalette::Base, QColor(kDarkGreen));
  pal.setColor(QPalette::Text, QColor(kCream));
  RichEdit1->setPalette(pal);
  RichEdit1->viewport()->installEventFilter(this);
  RichEdit1->viewport()->setCursor(Qt::ArrowCursor);
  RichEdit1->hide();
}

void TForm1::LoadRulesText(const char* name) {
  QFile file(QStringLiteral(":/text/%1").arg(QLatin1String(name)));
  if (!file.open(QIODevice::ReadOnly)) return;
  RichEdit1->document()->setDefaultFont(WindowFont(Face::Tahoma, 19, true));
  vandrel::ReadRtf(file.readAll(), RichEdit1->document());
  vandrel::ScaleDocument(RichEdit1->document(), scaler_.scale().factor());
  // The rules open at their title.
  RichEdit1->moveCursor(QTextCursor::Start);
  RichEdit1->verticalScrollBar()->setValue(0);
}

void TForm1::BuildDeveloperControls() {
  struct Editor {
    QSpinBox** box;
    const char* name;
    const char* caption;
    int x, lo, hi;
  };
  const Editor editors[] = {{&teamspin, "teamspin", "team", 211, 0, 1},
                            {&piecespin, "piecespin", "piece", 275, 1, 6},
                            {&spin1, "spin1", "col", 339, 0, 7},
                            {&spin2, "spin2", "row", 403, 0, 7}};
  for (const Editor& e : editors) {
    MakeLabel(client_, QLatin1String(e.caption), font(), kCream, {e.x + 32, 612});
    auto* box = new QSpinBox(client_);
    box->setObjectName(QLatin1String(e.name));
    box->setRange(e.lo, e.hi);
    box->setGeometry(e.x, 640, 49, 29);
    *e.box = box;
  }
  connect(teamspin, &QSpinBox::valueChanged, this, [this] { teamspinChange(); });
  connect(piecespin, &QSpinBox::valueChanged, this, [this] { piecespinChange(); });
  for (QSpinBox* box : {spin1, spin2}) {
    connect(box, &QSpinBox::valueChanged, this, [this] {
      if (syncing_) return;
      game_.state().spin1 = spin1->value();
      game_.state().spin2 = spin2->value();
    });
  }
  MoveBtn = new QPushButton(QStringLiteral("Move"), client_);
  MoveBtn->setObjectName(QStringLiteral("MoveBtn"));
  MoveBtn->setGeometry(467, 640, 89, 49);
  connect(MoveBtn, &QPushButton::clicked, this, [this] { MoveBtnClick(); });
  SpeedButton3 = new QPushButton(QStringLiteral("Refresh"), client_);
  SpeedButton3->setGeometry(27, 600, 65, 29);
  connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
  Memo1 = new QPlainTextEdit(client_);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setGeometry(11, 632, 126, 77);

  // The grids stand right of the game's area.
  SG = new QTableWidget(8, 8, client_);
  SG->setObjectName(QStringLiteral("SG"));
  SG->setGeometry(kClientWidth + 286, 4, 330, 330);
  SG->horizontalHeader()->hide();
  SG->verticalHeader()->hide();
  SG->setFrameStyle(QFrame::NoFrame);
  SG->setFont(WindowFont(Face::Tahoma, 21, true));
  for (int i = 0; i < 8; ++i) {
    SG->setColumnWidth(i, 40);
    SG->setRowHeight(i, 40);
  }
  sg2 = new QTableWidget(0, 4, client_);
  sg2->setObjectName(QStringLiteral("sg2"));
  sg2->setGeometry(kClientWidth + 6, 4, 273, 681);
  sg2->horizontalHeader()->hide();
  sg2->verticalHeader()->hide();
  sg2->setFont(WindowFont(Face::Tahoma, 13, false));
  sg2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  const int widths[] = {43, 59, 52, 45};
  for (int i = 0; i < 4; ++i) sg2->setColumnWidth(i, widths[i]);
  sg2->verticalHeader()->setDefaultSectionSize(20);
}

void TForm1::FinishStartUp() {
  if (startUpFinished_) return;
  startUpFinished_ = true;
  if (!dialogs_) CreateDialogs();
  LoadRulesText("HELP");
  rulesLoaded_ = true;
  if (options_.sound) sfx_ = vandrel::LoadSoundModule();
  // The first PNG makes Qt look through its image plugins, which takes a while.
  SpeedButton1->setGlyph(vandrel::CachedArt([](int artScale) {
                           return QImage(vandrel::ArtResourceName("bye", "png", artScale));
                         }),
                         QSize(16, 16));
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/art/icons/vandrel-%1.png").arg(size), QSize(size, size));
  }
  QApplication::setWindowIcon(icon);
  setWindowIcon(icon);
  // Everything a player (or a script) may click on exists now.
  Trace("ready");
}

void TForm1::CreateDialogs() {
  dialogs_ = vandrel::CreateDialogs(this, strip_);
  dialogs_->setLayoutScale(scaler_.scale().factor());
}

void TForm1::OpenSavedGame(const QString& path) {
  const std::string file = QFile::encodeName(path).toStdString();
  Run([&] { game_.LoadBtnClick(file); });
}

void TForm1::SetDialogs(std::unique_ptr<vandrel::DialogLayer> dialogs) {
  dialogs_ = std::move(dialogs);
}

void TForm1::ShowOnScreen() { windowMode_->ShowOnScreen(); }

const QImage& TForm1::BoardBitmap() const { return bgpic->bitmap(); }

void TForm1::SetRandomSeed(uint32_t seed) {
  fixedSeed_ = seed;
  rng_.seed(seed);
}

// --- Layout and painting ---------------------------------------------------------------

QSize TForm1::LayoutSize() const {
  return options_.developer ? QSize(kDeveloperWidth, kDeveloperHeight)
                            : QSize(kClientWidth, kClientHeight);
}

void TForm1::PlaceClient() {
  const vandrel::LayoutFit fit = vandrel::FitLayout(size(), LayoutSize());
  const vandrel::LayoutScale scale(fit.scale, devicePixelRatioF());
  if (!(scale == scaler_.scale())) {
    scaler_.apply(scale);
    if (rulesLoaded_) LoadRulesText("HELP");
  }
  client_->setGeometry(QRect(fit.offset, fit.size));
  // The dialogs scale with the layout.
  if (dialogs_) dialogs_->setLayoutScale(fit.scale);
}

void TForm1::resizeEvent(QResizeEvent*) { PlaceClient(); }

void TForm1::paintEvent(QPaintEvent* e) {
  FormPaint(e);
  if (!tracedShown_) {
    tracedShown_ = true;
    Trace("shown");
    QTimer::singleShot(0, this, [this] { FinishStartUp(); });
  }
}

void TForm1::FormPaint(QPaintEvent* e) {
  QPainter p(this);
  if (background_->isNull()) {
    p.fillRect(e->rect(), QColor(kDarkGreen));
  } else {
    background_->paint(p, rect(), e->rect());
  }
}

// --- Handlers ------------------------------------------------------------------------------

template <class F>
void TForm1::Run(F&& handler) {
  FinishStartUp();
  ++depth_;
  handler();
  --depth_;
  CloseWhenUnwound();
}

void TForm1::CloseWhenUnwound() {
  if (closing_ && depth_ == 0 && loops_.empty() && !closeQueued_) {
    closeQueued_ = true;
    QTimer::singleShot(0, this, [this] { close(); });
  }
}

void TForm1::SpeedButton1Click() {
  Run([&] {
    game_.SpeedButton1Click();
    close();
  });
}

void TForm1::SpeedButton2Click() {
  FinishStartUp();
  if (RichEdit1->isVisible()) {
    RichEdit1->hide();
  } else {
    RichEdit1->raise();
    RichEdit1->show();
  }
}

void TForm1::RichEdit1MouseDown() { RichEdit1->hide(); }

void TForm1::SpeedButton5Click() {
  Run([&] {
    if (dialogs_ && !Quitting()) dialogs_->about();
  });
}

void TForm1::teamspinChange() {
  if (syncing_) return;
  vandrel::GameState& s = game_.state();
  // The request's team and piece are the game's own while a game runs.
  if (s.GameRunning) {
    showMoveRequest(s);
    return;
  }
  s.SetTeam(teamspin->value());
  showMoveRequest(s);
}

void TForm1::piecespinChange() {
  if (syncing_) return;
  vandrel::GameState& s = game_.state();
  if (s.GameRunning) {
    showMoveRequest(s);
    return;
  }
  s.SetPiece(piecespin->value());
  showMoveRequest(s);
}

void TForm1::MoveBtnClick() {
  // Only as the human's own target click: a piece selected, its move due.
  const vandrel::GameState& s = game_.state();
  if (s.Input != vandrel::HumanInput::AwaitMove || !s.PieceSelected ||
      s.teamspin != vandrel::kHuman || s.MoveInProgress)
    return;
  const int x = s.spin1 * vandrel::kCellPixels, y = s.spin2 * vandrel::kCellPixels;
  Run([&] { game_.bgpicMouseDown(x, y, vandrel::MouseButton::Left); });
}

void TForm1::SpeedButton3Click() {
  const vandrel::GameState& s = game_.state();
  DumpPiece(s.teamspin, s.piecespin, s.piece(s.teamspin, s.piecespin));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (RichEdit1 && watched == RichEdit1->viewport() && event->type() == QEvent::MouseButtonPress) {
    RichEdit1MouseDown();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// --- Leaving ----------------------------------------------------------------------------------

void TForm1::UnwindWaits() {
  for (QEventLoop* loop : loops_) loop->exit(1);
  // A modal dialog further up the stack is answered "Cancel".
  for (int guard = 0; guard < 8; ++guard) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == this) break;
    if (auto* d = qobject_cast<QDialog*>(modal)) {
      d->reject();
    } else {
      modal->close();
    }
    if (QApplication::activeModalWidget() == modal) modal->hide();
  }
}

void TForm1::closeEvent(QCloseEvent* e) {
  closing_ = true;
  game_.SpeedButton1Click();  // the game loop ends, every wait reports quitting
  UnwindWaits();
  if (depth_ > 0 || !loops_.empty()) {
    // Handlers are still running further down the stack: let them return
    // first. Run() closes the window when the last one has.
    e->ignore();
    return;
  }
  e->accept();
}

// --- The presentation seam ------------------------------------------------------------------

void TForm1::redrawPieces(const vandrel::GameState& s) {
  for (int i = 1; i <= 12; ++i) {
    const vandrel::TPiece& x =
        i <= 6 ? s.piece(vandrel::kComputer, i) : s.piece(vandrel::kHuman, i - 6);
    pc[i]->place(x.Col, x.Row);
  }
  for (int side = 0; side < 2; ++side) {
    const int team = side == 0 ? vandrel::kComputer : vandrel::kHuman;
    const int col = vandrel::BaseColOf(team);
    auto& labels = side == 0 ? LeftStackLabels : RightStackLabels;
    for (int n = 1; n <= 6; ++n) {
      int count = 0;
      for (int p = 1; p <= vandrel::kPiecesPerTeam; ++p) {
        const vandrel::TPiece& x = s.piece(team, p);
        if (x.Col == col && x.Row == n) ++count;
      }
      if (count >= 2) {
        labels[n]->setText(QString::number(count));
        labels[n]->adjustSize();
        labels[n]->show();
      } else {
        labels[n]->hide();
      }
    }
  }
  bonuslabel1->setText(QString::number(s.Bonus[vandrel::kHuman]));
  bonuslabel2->setText(QString::number(s.Bonus[vandrel::kComputer]));
}

void TForm1::resetSprites(const vandrel::GameState& s) {
  for (int i = 1; i <= 12; ++i) {
    const bool human = i > 6;
    pc[i]->place(human ? i - 6 : i, vandrel::StartRowOf(human ? vandrel::kHuman : 0));
  }
  showScores(s.Score[vandrel::kComputer], s.Score[vandrel::kHuman]);
  setBoardEnabled(false);
}

void TForm1::setBoardEnabled(bool on) {
  bgpic->setEnabled(on);
  for (int i = 1; i <= 12; ++i) pc[i]->setEnabled(on);
}

void TForm1::setHumanPiecesEnabled(bool on) {
  for (int i = 7; i <= 12; ++i) pc[i]->setEnabled(on);
}

void TForm1::invertFrame(int x, int y) { bgpic->invertFrame(x, y); }

void TForm1::setButtonEnabled(vandrel::Button b, bool on) {
  switch (b) {
    case vandrel::Button::Dice:
      DiceBtn->setEnabled(on);
      break;
    case vandrel::Button::PlayGame:
      NewBtn->setEnabled(on);
      break;
    case vandrel::Button::NewMatch:
      MatchBtn->setEnabled(on);
      break;
    case vandrel::Button::Load:
      LoadBtn->setEnabled(on);
      break;
  }
}

void TForm1::showDie(int value) {
  dice->setText(value > 0 ? QString::number(value) : QString());
  access_->ShowDie(value);
}

void TForm1::setDieEnabled(bool on) { dice->setEnabled(on); }

void TForm1::showTurnArrow(int team) {
  humarrow->setVisible(team == vandrel::kHuman);
  comparrow->setVisible(team == vandrel::kComputer);
  if (team == vandrel::kHuman) keys_->PlaceCursorForTurn(game_.state());
}

void TForm1::setBonusPanelVisible(bool on) {
  BonusPanel->setVisible(on);
  // The panel covers the match scores; their last digit would peek out.
  Play1->setVisible(!on);
  Play2->setVisible(!on);
}

void TForm1::showScores(int computer, int human) {
  Play1->setText(QString::number(computer));
  Play2->setText(QString::number(human));
}

void TForm1::setSfxCaption(bool on) {
  sfxBtn->setText(on ? QStringLiteral("SFX On") : QStringLiteral("SFX Off"));
  sfxBtn->update();
}

void TForm1::setGridCell(int col, int row, char letter) {
  if (!SG || col < 0 || col > 7 || row < 0 || row > 7) return;
  auto* item = SG->item(row, col);
  if (!item) {
    item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignCenter);
    SG->setItem(row, col, item);
  }
  item->setText(letter == ' ' ? QString() : QString(QLatin1Char(letter)));
}

void TForm1::dumpPiece(int team, int piece, const vandrel::TPiece& p) {
  const auto flag = [](int v) { return v ? QStringLiteral("True") : QStringLiteral("False"); };
  memoLines_ = QStringList{QStringLiteral("Team = %1").arg(team),
                           QStringLiteral("ID = %1").arg(piece),
                           QStringLiteral("Col = %1").arg(p.Col),
                           QStringLiteral("Row = %1").arg(p.Row),
                           QStringLiteral("EndP = ") + flag(p.EndP),
                           QStringLiteral("EndRow = %1").arg(p.EndRow),
                           QStringLiteral("StartP = ") + flag(p.StartP),
                           QStringLiteral("Start Row = %1").arg(p.StartRow),
                           QStringLiteral("OnBase = ") + flag(p.OnBase),
                           QStringLiteral("Base Row = %1").arg(p.BaseRow),
                           QStringLiteral("Base Col = %1").arg(p.BaseCol)};
  if (Memo1) Memo1->setPlainText(memoLines_.join(QLatin1Char('\n')));
}

void TForm1::showCandidates(const vandrel::GameState& s) {
  if (!sg2) return;
  sg2->setRowCount(s.MoveCount);
  for (int i = 0; i < s.MoveCount; ++i) {
    const vandrel::TMoveEntry& m = s.Moves[static_cast<size_t>(i)];
    const int values[] = {m.Piece, m.Col, m.Row, m.Score};
    for (int c = 0; c < 4; ++c) {
      sg2->setItem(i, c, new QTableWidgetItem(QString::number(values[c])));
    }
  }
}

void TForm1::showMoveRequest(const vandrel::GameState& s) {
  if (!teamspin) return;
  syncing_ = true;
  teamspin->setValue(s.teamspin);
  piecespin->setValue(s.piecespin);
  spin1->setValue(s.spin1);
  spin2->setValue(s.spin2);
  syncing_ = false;
}

void TForm1::playSfx(vandrel::Sound snd) {
  if (!sfx_) return;
  sfx_->start(snd);
  const int ms = sfx_->lengthMs(snd);
  if (ms > 0) waitUntil(now() + ms);
}

void TForm1::showPrompt(std::string_view text) {
  if (!dialogs_) return;
  ++depth_;
  dialogs_->prompt(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  --depth_;
}

void TForm1::messageBox(std::string_view text) {
  if (!dialogs_) return;
  ++depth_;
  dialogs_->plainMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  --depth_;
}

void TForm1::errorBox(std::string_view text) {
  if (!dialogs_) return;
  ++depth_;
  dialogs_->errorMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  --depth_;
}

int TForm1::showOptions(vandrel::GameState& s) {
  if (!dialogs_) return vandrel::kOptionsCancel;
  ++depth_;
  bool strong = s.Level == vandrel::ComputerLevel::Strong;
  const int answer = dialogs_->options(&s.GamesPerMatch, &s.SfxOn, &strong);
  --depth_;
  if (answer == vandrel::kOptionsApply)
    s.Level = strong ? vandrel::ComputerLevel::Strong : vandrel::ComputerLevel::Classic;
  return closing_ ? vandrel::kOptionsCancel : answer;
}

std::optional<std::string> TForm1::askSaveFileName() {
  if (!dialogs_) return std::nullopt;
  ++depth_;
  auto name = dialogs_->askSaveFile();
  --depth_;
  if (closing_) return std::nullopt;
  return name;
}

std::optional<std::string> TForm1::askOpenFileName() {
  if (!dialogs_) return std::nullopt;
  ++depth_;
  auto name = dialogs_->askLoadFile();
  --depth_;
  if (closing_) return std::nullopt;
  return name;
}

bool TForm1::processMessages() {
  if (closing_) return false;
  QCoreApplication::processEvents();
  return !closing_;
}

bool TForm1::waitForEvent() {
  if (closing_) return false;
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return !closing_;
}

bool TForm1::waitUntil(int64_t deadlineMs) {
  while (!closing_) {
    const int64_t left = deadlineMs - now();
    if (left <= 0) break;
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, [&loop] { loop.exit(0); });
    timer.start(static_cast<int>(std::min<int64_t>(left, 1 << 30)));
    loops_.push_back(&loop);
    const int rc = loop.exec();
    loops_.erase(std::find(loops_.begin(), loops_.end(), &loop));
    // exec answers at once once the application is quitting: leave then.
    if (rc != 0) {
      if (!closing_) {
        closing_ = true;
        game_.SpeedButton1Click();
      }
      break;
    }
  }
  CloseWhenUnwound();
  return !closing_;
}

int64_t TForm1::now() { return clock_.elapsed(); }

int TForm1::random(int n) {
  if (n <= 1) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(rng_);
}

void TForm1::reseed() {
  if (fixedSeed_) return;  // tests keep one sequence
  rng_.seed(
      static_cast<uint32_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}
