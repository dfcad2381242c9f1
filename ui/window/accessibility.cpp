#include "ui/window/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QTextEdit>
#include <algorithm>
#include <vector>

#include "ui/widgets/board_view.h"
#include "ui/window/main_window.h"
#include "ui/widgets/panel_widgets.h"

namespace vandrel {

namespace {

QString Square(int col, int row) { return QStringLiteral("column %1, row %2").arg(col).arg(row); }

QString Owner(int team, bool plural) {
  if (team == kHuman) return plural ? QStringLiteral("Your pieces") : QStringLiteral("Your piece");
  return plural ? QStringLiteral("Computer pieces") : QStringLiteral("Computer piece");
}

// The prompt as an alert: its name is its message.
class PromptInterface : public QAccessibleWidget {
 public:
  explicit PromptInterface(QWidget* w) : QAccessibleWidget(w, QAccessible::AlertMessage) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      if (auto* label = widget()->findChild<QLabel*>(QStringLiteral("Label1")))
        return label->text();
    }
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* PromptFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("TPrompt") && object && object->isWidgetType()) {
    return new PromptInterface(static_cast<QWidget*>(object));
  }
  return nullptr;
}

void Name(QWidget* w, const QString& name, const QString& description = {}) {
  if (!w) return;
  w->setAccessibleName(name);
  if (!description.isEmpty()) w->setAccessibleDescription(description);
}

}  // namespace

QString PieceName(int team, int piece, int col, int row) {
  return QStringLiteral("%1 %2, %3").arg(Owner(team, false)).arg(piece).arg(Square(col, row));
}

QString SquareName(const GameState& s, int col, int row) {
  for (int team : {kHuman, kComputer}) {
    std::vector<int> here;
    for (int p = 1; p <= kPiecesPerTeam; ++p) {
      if (s.piece(team, p).Col == col && s.piece(team, p).Row == row) here.push_back(p);
    }
    if (here.empty()) continue;
    if (here.size() == 1) return PieceName(team, here[0], col, row);
    QString list;
    for (size_t i = 0; i < here.size(); ++i) {
      if (i > 0) list += i + 1 == here.size() ? QStringLiteral(" and ") : QStringLiteral(", ");
      list += QString::number(here[i]);
    }
    return QStringLiteral("%1 %2, %3").arg(Owner(team, true), list, Square(col, row));
  }
  return QStringLiteral("Empty square, ") + Square(col, row);
}

QString DieName(int value) {
  return value > 0 ? QStringLiteral("Die: %1").arg(value) : QStringLiteral("Die: not thrown");
}

Accessibility::Accessibility(TForm1& form) : QObject(&form), form_(form) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(PromptFactory);
    return true;
  }();
  (void)factoryInstalled;

  // Captions with a line break, no caption, or a symbol get a name; the
  // others keep their caption as their name.
  Name(form.DiceBtn, QStringLiteral("Throw Dice"));
  Name(form.SpeedButton5, QStringLiteral("About Vandrel"));
  Name(form.dice, DieName(0));
  Name(form.humarrow, QStringLiteral("Your turn"));
  Name(form.comparrow, QStringLiteral("My turn"));
  Name(form.bgpic, QStringLiteral("Board"));
  Name(form.RichEdit1, QStringLiteral("Rules"));
  Name(form.Label2, QStringLiteral("Columns 6 to 1, as the computer counts them"));
  Name(form.Label9, QStringLiteral("Columns 1 to 6, as you count them"));
  form.Play2->setAccessibleDescription(QStringLiteral("Your match score"));
  form.Play1->setAccessibleDescription(QStringLiteral("My match score"));
  form.bonuslabel1->setAccessibleDescription(QStringLiteral("Your bonus points"));
  form.bonuslabel2->setAccessibleDescription(QStringLiteral("My bonus points"));
  for (int n = 1; n <= 6; ++n) {
    form.LeftStackLabels[n]->setAccessibleDescription(
        QStringLiteral("Computer pieces stacked on column 0, row %1").arg(n));
    form.RightStackLabels[n]->setAccessibleDescription(
        QStringLiteral("Your pieces stacked on column 7, row %1").arg(n));
  }
  // The pieces are renamed whenever they move.
  for (int i = 1; i <= 12; ++i) {
    NamePiece(form.pc[i]);
    form.pc[i]->installEventFilter(this);
  }

  dieSettled_.setSingleShot(true);
  dieSettled_.setInterval(kDieSettleMs);
  connect(&dieSettled_, &QTimer::timeout, this,
          [this] { form_.dice->setAccessibleName(DieName(dieValue_)); });
}

void Accessibility::NamePiece(QObject* object) {
  auto* img = qobject_cast<PieceImage*>(object);
  if (!img) return;
  // pc7 .. pc12 are the human's.
  const bool human = std::find(form_.pc.begin() + 7, form_.pc.end(), img) != form_.pc.end();
  const QString name = PieceName(human ? kHuman : kComputer, img->tag(), img->col(), img->row());
  if (img->accessibleName() != name) img->setAccessibleName(name);
}

bool Accessibility::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Move) {
    NamePiece(watched);
    // The cursor's square may have changed hands.
    if (cursorCol_ >= 0) CursorMoved(cursorCol_, cursorRow_);
  } else if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("Prompt")) {
    QAccessibleEvent alert(watched, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
  }
  return QObject::eventFilter(watched, event);
}

void Accessibility::ShowDie(int value) {
  dieValue_ = value;
  if (value == 0) {
    // A blank die is told at once.
    dieSettled_.stop();
    form_.dice->setAccessibleName(DieName(0));
    return;
  }
  dieSettled_.start();
}

void Accessibility::CursorMoved(int col, int row) {
  cursorCol_ = col;
  cursorRow_ = row;
  const QString text = QStringLiteral("Cursor: ") + SquareName(form_.game().state(), col, row);
  if (form_.bgpic->accessibleDescription() != text) form_.bgpic->setAccessibleDescription(text);
}

}  // namespace vandrel
