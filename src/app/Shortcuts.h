#pragma once
// Shortcuts that belong to a window and take their key even while their action is
// disabled, when the key then does nothing: so the editor inside never sees the key.
#include <QKeySequence>
#include <Qt>
#include <functional>

class QAction;
class QShortcut;
class QWidget;

// Binds each of Action's shortcuts to Scope with Context. The action keeps its shortcuts
// for the menu text and for use inside its own menu only. Update, when given, runs before
// the action's enabled state is looked at, so that the key acts on the current state.
void BindWindowShortcut(QAction* action, QWidget* scope,
                        Qt::ShortcutContext context = Qt::WindowShortcut,
                        std::function<void()> update = {});

// Key as a further shortcut of Action, bound as BindWindowShortcut binds, that a key
// scheme switches: off at first. Off, the key goes on to the widgets (the editor's key
// map) as if it were not bound, and the action's menu entry does not name it.
QShortcut* BindOptionalShortcut(QAction* action, const QKeySequence& key, QWidget* scope,
                                Qt::ShortcutContext context = Qt::WindowShortcut,
                                std::function<void()> update = {});
void SetOptionalShortcut(QAction* action, QShortcut* shortcut, bool on);
