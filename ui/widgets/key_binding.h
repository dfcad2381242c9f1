// Keys bound to a window: the panel's keys, the board cursor's keys and the
// dialogs' own keys all go through here.
#pragma once

#include <QKeySequence>
#include <functional>

class QAbstractButton;
class QShortcut;
class QWidget;

namespace vandrel {

// A key of a window (or of its dialog): fires while that window is active,
// whatever control inside it has the focus. Held down, it acts once, unless
// it repeats (the arrows).
QShortcut* BindKey(QWidget* window, const QKeySequence& key, std::function<void()> action,
                   bool repeats = false);

// Clicks the button as the mouse would; a disabled or hidden one ignores it.
void Press(QAbstractButton* b);

}  // namespace vandrel
