#pragma once
// The open document windows listed at the end of the Window menu, after its commands, as
// multi-document programs list them: numbered in the order they were opened, the active
// one checked; choosing one brings it to the front.
#include <QList>

class QAction;
class QMenu;
class TChildForm;

class TWindowList {
 public:
  // Puts a separator and an entry per window at the end of Menu, in place of the entries
  // it put there last.
  void ShowIn(QMenu* menu, const QList<TChildForm*>& windows, const TChildForm* active);

 private:
  QList<QAction*> FEntries;
};
