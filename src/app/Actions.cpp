#include "app/Actions.h"

#include <QAction>

QAction* MakeAction(QObject* parent, const QString& caption, const QKeySequence& shortcut,
                    const char* hint) {
  auto* action = new QAction(caption, parent);
  action->setShortcut(shortcut);
  if (hint != nullptr) {
    const QString text = QString::fromLatin1(hint);
    action->setToolTip(text.section(QLatin1Char('|'), 0, 0));
    action->setStatusTip(text.section(QLatin1Char('|'), -1));
  }
  return action;
}
