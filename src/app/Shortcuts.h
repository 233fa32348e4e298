#pragma once
// Shortcuts that belong to a window and take their key even while their action is
// disabled, when the key then does nothing: so the editor inside never sees the key.
#include <Qt>
#include <functional>

class QAction;
class QWidget;

// Binds Action's shortcut to Scope with Context. The action keeps its shortcut for the
// menu text and for use inside its own menu only. Update, when given, runs before the
// action's enabled state is looked at, so that the key acts on the current state.
void BindWindowShortcut(QAction* action, QWidget* scope,
                        Qt::ShortcutContext context = Qt::WindowShortcut,
                        std::function<void()> update = {});
