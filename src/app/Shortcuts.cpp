#include "app/Shortcuts.h"

#include <QAction>
#include <QShortcut>
#include <QWidget>

namespace {

QShortcut* Bind(QAction* action, const QKeySequence& key, QWidget* scope,
                Qt::ShortcutContext context, const std::function<void()>& update) {
  // A disabled action gives up its key in Qt; a shortcut object that stays enabled and
  // only triggers the action when it is enabled keeps the key taken.
  action->setShortcutContext(Qt::WidgetShortcut);
  auto* shortcut = new QShortcut(key, scope);
  shortcut->setContext(context);
  QObject::connect(shortcut, &QShortcut::activated, action, [action, update] {
    if (update) update();
    if (action->isEnabled()) action->trigger();
  });
  return shortcut;
}

}  // namespace

void BindWindowShortcut(QAction* action, QWidget* scope, Qt::ShortcutContext context,
                        std::function<void()> update) {
  for (const QKeySequence& key : action->shortcuts()) Bind(action, key, scope, context, update);
}

QShortcut* BindOptionalShortcut(QAction* action, const QKeySequence& key, QWidget* scope,
                                Qt::ShortcutContext context, std::function<void()> update) {
  QShortcut* shortcut = Bind(action, key, scope, context, update);
  shortcut->setEnabled(false);
  return shortcut;
}

void SetOptionalShortcut(QAction* action, QShortcut* shortcut, bool on) {
  // A disabled shortcut is passed over: its key reaches the focused widget.
  shortcut->setEnabled(on);
  QList<QKeySequence> keys = action->shortcuts();
  keys.removeAll(shortcut->key());
  if (on) keys.append(shortcut->key());
  action->setShortcuts(keys);
}
