#include "ui/window/developer_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "ui/widgets/board_view.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/panel_widgets.h"
#include "ui/window/window_builder.h"

namespace vandrel {

DeveloperPanel::DeveloperPanel(QObject* parent, GameState& state, Presentation& presentation,
                               std::function<void(int x, int y)> clickBoard)
    : QObject(parent),
      state_(state),
      presentation_(presentation),
      clickBoard_(std::move(clickBoard)) {}

void DeveloperPanel::Build(QWidget* client, const QFont& font) {
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
    MakeLabel(client, QLatin1String(e.caption), font, kCream, {e.x + 32, 612});
    auto* box = new QSpinBox(client);
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
      state_.spin1 = spin1->value();
      state_.spin2 = spin2->value();
    });
  }
  moveButton = new QPushButton(QStringLiteral("Move"), client);
  moveButton->setObjectName(QStringLiteral("moveButton"));
  moveButton->setGeometry(467, 640, 89, 49);
  connect(moveButton, &QPushButton::clicked, this, [this] { MoveBtnClick(); });
  refreshButton = new QPushButton(QStringLiteral("Refresh"), client);
  refreshButton->setObjectName(QStringLiteral("refreshButton"));
  refreshButton->setGeometry(27, 600, 65, 29);
  connect(refreshButton, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
  pieceMemo = new QPlainTextEdit(client);
  pieceMemo->setObjectName(QStringLiteral("pieceMemo"));
  pieceMemo->setReadOnly(true);
  pieceMemo->setGeometry(11, 632, 126, 77);

  // The grids stand right of the game's area.
  boardGrid = new QTableWidget(8, 8, client);
  boardGrid->setObjectName(QStringLiteral("boardGrid"));
  boardGrid->setGeometry(kClientWidth + 286, 4, 330, 330);
  boardGrid->horizontalHeader()->hide();
  boardGrid->verticalHeader()->hide();
  boardGrid->setFrameStyle(QFrame::NoFrame);
  boardGrid->setFont(WindowFont(Face::Tahoma, 21, true));
  for (int i = 0; i < 8; ++i) {
    boardGrid->setColumnWidth(i, 40);
    boardGrid->setRowHeight(i, 40);
  }
  candidateList = new QTableWidget(0, 4, client);
  candidateList->setObjectName(QStringLiteral("candidateList"));
  candidateList->setGeometry(kClientWidth + 6, 4, 273, 681);
  candidateList->horizontalHeader()->hide();
  candidateList->verticalHeader()->hide();
  candidateList->setFont(WindowFont(Face::Tahoma, 13, false));
  candidateList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  const int widths[] = {43, 59, 52, 45};
  for (int i = 0; i < 4; ++i) candidateList->setColumnWidth(i, widths[i]);
  candidateList->verticalHeader()->setDefaultSectionSize(20);
}

void DeveloperPanel::teamspinChange() {
  if (syncing_) return;
  // The request's team and piece are the game's own while a game runs.
  if (!state_.GameRunning) state_.SetTeam(teamspin->value());
  showMoveRequest(state_);
}

void DeveloperPanel::piecespinChange() {
  if (syncing_) return;
  if (!state_.GameRunning) state_.SetPiece(piecespin->value());
  showMoveRequest(state_);
}

void DeveloperPanel::MoveBtnClick() {
  // Only as the human's own target click: a piece selected, its move due.
  const GameState& s = state_;
  if (s.Input != HumanInput::AwaitMove || !s.PieceSelected || s.teamspin != kHuman ||
      s.MoveInProgress)
    return;
  clickBoard_(s.spin1 * kCellPixels, s.spin2 * kCellPixels);
}

void DeveloperPanel::SpeedButton3Click() {
  const GameState& s = state_;
  presentation_.DumpPiece(s.teamspin, s.piecespin, s.piece(s.teamspin, s.piecespin));
}

void DeveloperPanel::setGridCell(int col, int row, char letter) {
  if (!boardGrid || col < 0 || col > 7 || row < 0 || row > 7) return;
  auto* item = boardGrid->item(row, col);
  if (!item) {
    item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignCenter);
    boardGrid->setItem(row, col, item);
  }
  item->setText(letter == ' ' ? QString() : QString(QLatin1Char(letter)));
}

void DeveloperPanel::dumpPiece(int team, int piece, const TPiece& p) {
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
  if (pieceMemo) pieceMemo->setPlainText(memoLines_.join(QLatin1Char('\n')));
}

void DeveloperPanel::showCandidates(const GameState& s) {
  if (!candidateList) return;
  candidateList->setRowCount(s.MoveCount);
  for (int i = 0; i < s.MoveCount; ++i) {
    const TMoveEntry& m = s.Moves[static_cast<size_t>(i)];
    const int values[] = {m.Piece, m.Col, m.Row, m.Score};
    for (int c = 0; c < 4; ++c) {
      candidateList->setItem(i, c, new QTableWidgetItem(QString::number(values[c])));
    }
  }
}

void DeveloperPanel::showMoveRequest(const GameState& s) {
  if (!teamspin) return;
  syncing_ = true;
  teamspin->setValue(s.teamspin);
  piecespin->setValue(s.piecespin);
  spin1->setValue(s.spin1);
  spin2->setValue(s.spin2);
  syncing_ = false;
}

}  // namespace vandrel
