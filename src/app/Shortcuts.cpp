#include "app/Shortcuts.h"

#include <QAction>
#include <QShortcut>
#include <QWidget>

void BindWindowShortcut(QAction* action, QWidget* scope, Qt::ShortcutContext context,
                        std::function<void()> update) {
  // A disabled action gives up its key in Qt; a shortcut object that stays enabled and
  // only triggers the action when it is enabled keeps the key taken.
  action->setShortcutContext(Qt::WidgetShortcut);
  auto* shortcut = new QShortcut(action->shortcut(), scope);
  shortcut->setContext(context);
  QObject::connect(shortcut, &QShortcut::activated, action, [action, update] {
    if (update) update();
    if (action->isEnabled()) action->trigger();
  });
}
