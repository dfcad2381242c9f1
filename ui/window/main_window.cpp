#include "ui/window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>

#include "control/match_memory.h"
#include "ui/dialogs/dialog_layer.h"
#include "ui/sound/sound_module.h"
#include "ui/widgets/board_view.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/panel_widgets.h"
#include "ui/window/accessibility.h"
#include "ui/window/developer_panel.h"
#include "ui/window/kept_settings.h"
#include "ui/window/keyboard.h"
#include "ui/window/preload.h"
#include "ui/window/window_builder.h"
#include "ui/window/window_mode.h"

using vandrel::Face;
using vandrel::WindowFont;

// --- Start-up ----------------------------------------------------------------------

MainWindow::MainWindow() : MainWindow(Options{}) {}

namespace {

// A kept file's trouble, told once on standard error.
void Warn(const std::string& line) { std::fprintf(stderr, "vandrel: %s\n", line.c_str()); }

}  // namespace

MainWindow::MainWindow(Options options)
    : options_(options),
      settings_(std::make_unique<vandrel::KeptSettings>(
          options.keepFiles ? vandrel::KeptSettings::DefaultPath() : QString(), Warn)),
      memory_(std::make_unique<vandrel::MatchMemory>(
          options.keepFiles ? vandrel::MatchMemory::DefaultPaths() : vandrel::MatchMemory::Paths{},
          Warn)),
      game_(*this) {
  settings_->Load();
  memory_->LoadRecord();
  game_.SetMemory(memory_.get());
  vandrel::InitResources();
  clock_.start();
  reseed();

  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Vandrel"));
  // Reads the screen mode as the player had it, put back when the window goes.
  windowMode_ = std::make_unique<vandrel::WindowMode>(
      *this, LayoutSize(), QSize(vandrel::kClientWidth, vandrel::kClientHeight),
      options_.windowed || !settings_->Values().fullScreen, !options_.developer);
  windowMode_->onToggled = [this](bool fullScreen) { settings_->KeepFullScreen(fullScreen); };
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(vandrel::kDarkGreen));
  setPalette(pal);
  // FormPaint covers every pixel it is asked for: no background fill first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(WindowFont(Face::Tahoma, 16, false));

  const vandrel::StartUpPictures pictures = vandrel::TakeStartUpPictures();
  strip_ = pictures.strip;
  background_ = std::make_unique<vandrel::StripPainter>(strip_);
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("Client"));
  client_->resize(LayoutSize());
  resize(client_->size());

  controls_.window = this;
  vandrel::WindowBuilder builder(client_, controls_);
  builder.BuildBoard(pictures.board);
  builder.BuildPanel(strip_);
  builder.BuildRulesViewer();
  developer_ =
      std::make_unique<vandrel::DeveloperPanel>(this, game_.state(), *this, [this](int x, int y) {
        Run([&] { game_.bgpicMouseDown(x, y, vandrel::MouseButton::Left); });
      });
  if (options_.developer) developer_->Build(client_, font());
  ConnectControls();
  scaler_.capture(client_);
  access_ = std::make_unique<vandrel::Accessibility>(controls_);
  keys_ = std::make_unique<vandrel::Keyboard>(controls_, access_.get());
  keys_->onHint = [this] { Run([&] { game_.HintBtnClick(); }); };
  keys_->onRecord = [this] { ShowRecord(); };

  game_.FormCreate();
  settings_->ApplyTo(game_.state());
  setSfxCaption(game_.state().SfxOn);
}

MainWindow::~MainWindow() {
  // The sounds go while the application still stands; the window mode puts
  // the player's screen mode back as it goes.
  sfx_.reset();
}

void MainWindow::ConnectControls() {
  vandrel::WindowControls& c = controls_;
  c.board->onMouseDown = [this](int x, int y, vandrel::MouseButton b) {
    Run([&] { game_.bgpicMouseDown(x, y, b); });
  };
  c.board->onMouseMove = [this](int x, int y) { Run([&] { game_.bgpicMouseMove(x, y); }); };
  // pc1MouseDown takes the human's pieces, pc7MouseDown the computer's.
  for (int i = 1; i <= 12; ++i) {
    const bool human = i > 6;
    c.pieces[static_cast<size_t>(i)]->onMouseDown = [this, human](int tag, vandrel::MouseButton b) {
      Run([&] { human ? game_.pc1MouseDown(tag, b) : game_.pc7MouseDown(tag, b); });
    };
  }
  c.rulesViewer->viewport()->installEventFilter(this);

  const std::pair<vandrel::FlatButton*, void (vandrel::Game::*)()> gameButtons[] = {
      {c.diceButton, &vandrel::Game::DiceBtnClick},
      {c.playGameButton, &vandrel::Game::NewBtnClick},
      {c.saveButton, &vandrel::Game::SpeedButton4Click},
      {c.loadButton, &vandrel::Game::LoadBtnClick},
      {c.newMatchButton, &vandrel::Game::MatchBtnClick}};
  for (const auto& [button, handler] : gameButtons) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler = handler] { Run([&] { (game_.*handler)(); }); });
  }
  // The sound button is a setting the player keeps.
  connect(c.soundButton, &QAbstractButton::clicked, this, [this] {
    Run([&] {
      game_.sfxBtnClick();
      settings_->KeepGame(game_.state());
    });
  });
  connect(c.rulesButton, &QAbstractButton::clicked, this, [this] { SpeedButton2Click(); });
  connect(c.aboutButton, &QAbstractButton::clicked, this, [this] { SpeedButton5Click(); });
  connect(c.byeButton, &QAbstractButton::clicked, this, [this] { SpeedButton1Click(); });

  c.closeRules = [this] { RichEdit1MouseDown(); };
  c.gameState = [this]() -> const vandrel::GameState& { return game_.state(); };
}

void MainWindow::FinishStartUp() {
  if (startUpFinished_) return;
  startUpFinished_ = true;
  if (!dialogs_) CreateDialogs();
  rulesText_ = vandrel::RulesTextResource(options_.language);
  vandrel::LoadRulesText(controls_.rulesViewer, rulesText_, scaler_.scale().factor());
  rulesLoaded_ = true;
  if (options_.sound) sfx_ = vandrel::LoadSoundModule();
  // The first PNG makes Qt look through its image plugins, which takes a while.
  controls_.byeButton->setGlyph(vandrel::CachedArt([](int artScale) {
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
  Trace("%s", vandrel::KeptSettings::TraceLine(game_.state(), windowMode_->FullScreen()).c_str());
  if (options_.offerUnfinished)
    QTimer::singleShot(0, this, [this] { Run([&] { game_.OfferUnfinishedMatch(); }); });
}

void MainWindow::CreateDialogs() {
  dialogs_ = vandrel::CreateDialogs(this, strip_);
  dialogs_->setLayoutScale(scaler_.scale().factor());
}

void MainWindow::OpenSavedGame(const QString& path) {
  const std::string file = QFile::encodeName(path).toStdString();
  Run([&] { game_.LoadBtnClick(file); });
}

void MainWindow::SetDialogs(std::unique_ptr<vandrel::DialogLayer> dialogs) {
  dialogs_ = std::move(dialogs);
}

void MainWindow::ShowOnScreen() { windowMode_->ShowOnScreen(); }

const QImage& MainWindow::BoardBitmap() const { return controls_.board->bitmap(); }

void MainWindow::SetRandomSeed(uint32_t seed) {
  fixedSeed_ = seed;
  rng_.seed(seed);
}

// --- Layout and painting ---------------------------------------------------------------

QSize MainWindow::LayoutSize() const {
  return options_.developer ? QSize(vandrel::kDeveloperWidth, vandrel::kDeveloperHeight)
                            : QSize(vandrel::kClientWidth, vandrel::kClientHeight);
}

void MainWindow::PlaceClient() {
  const vandrel::LayoutFit fit = vandrel::FitLayout(size(), LayoutSize());
  const vandrel::LayoutScale scale(fit.scale, devicePixelRatioF());
  if (!(scale == scaler_.scale())) {
    scaler_.apply(scale);
    if (rulesLoaded_) vandrel::LoadRulesText(controls_.rulesViewer, rulesText_, scale.factor());
  }
  client_->setGeometry(QRect(fit.offset, fit.size));
  // The dialogs scale with the layout.
  if (dialogs_) dialogs_->setLayoutScale(fit.scale);
}

void MainWindow::resizeEvent(QResizeEvent*) { PlaceClient(); }

void MainWindow::paintEvent(QPaintEvent* e) {
  FormPaint(e);
  if (!tracedShown_) {
    tracedShown_ = true;
    Trace("shown");
    QTimer::singleShot(0, this, [this] { FinishStartUp(); });
  }
}

void MainWindow::FormPaint(QPaintEvent* e) {
  QPainter p(this);
  if (background_->isNull()) {
    p.fillRect(e->rect(), QColor(vandrel::kDarkGreen));
  } else {
    background_->paint(p, rect(), e->rect());
  }
}

// --- Handlers ------------------------------------------------------------------------------

template <class F>
void MainWindow::Run(F&& handler) {
  FinishStartUp();
  ++depth_;
  handler();
  --depth_;
  CloseWhenUnwound();
}

void MainWindow::CloseWhenUnwound() {
  if (closing_ && depth_ == 0 && loops_.empty() && !closeQueued_) {
    closeQueued_ = true;
    QTimer::singleShot(0, this, [this] { close(); });
  }
}

void MainWindow::SpeedButton1Click() {
  Run([&] {
    game_.SpeedButton1Click();
    close();
  });
}

void MainWindow::SpeedButton2Click() {
  FinishStartUp();
  QTextEdit* rules = controls_.rulesViewer;
  if (rules->isVisible()) {
    rules->hide();
  } else {
    rules->raise();
    rules->show();
  }
}

void MainWindow::RichEdit1MouseDown() { controls_.rulesViewer->hide(); }

void MainWindow::SpeedButton5Click() {
  Run([&] {
    if (dialogs_ && !Quitting() && dialogs_->about()) ShowRecord();
    if (isVisible()) activateWindow();  // the keys come back to the board
  });
}

void MainWindow::ShowRecord() {
  Run([&] {
    if (!dialogs_ || Quitting()) return;
    if (dialogs_->record(memory_->Record()) && !Quitting()) memory_->ClearRecord();
    if (isVisible()) activateWindow();
  });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == controls_.rulesViewer->viewport() && event->type() == QEvent::MouseButtonPress) {
    RichEdit1MouseDown();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// --- Leaving ----------------------------------------------------------------------------------

void MainWindow::UnwindWaits() {
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

void MainWindow::closeEvent(QCloseEvent* e) {
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
