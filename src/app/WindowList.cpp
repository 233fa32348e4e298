#include "app/WindowList.h"

#include <QAction>
#include <QMenu>

#include "app/ChildForm.h"
#include "app/RecentFiles.h"

void TWindowList::ShowIn(QMenu* menu, const QList<TChildForm*>& windows, const TChildForm* active) {
  qDeleteAll(FEntries);
  FEntries.clear();
  if (windows.isEmpty()) return;
  FEntries.append(menu->addSeparator());
  for (int i = 0; i < windows.size(); ++i) {
    TChildForm* window = windows[i];
    QAction* entry = menu->addAction(NumberedCaption(i + 1, window->windowTitle()));
    entry->setCheckable(true);
    entry->setChecked(window == active);
    entry->setStatusTip(QStringLiteral("Activates this window"));
    QObject::connect(entry, &QAction::triggered, window, &TChildForm::BringToFront);
    FEntries.append(entry);
  }
}
