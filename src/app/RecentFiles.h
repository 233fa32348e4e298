#pragma once
// The files opened or saved last, most recent first and at most eight, shown as numbered
// entries of the File menu ("&1 name" ...) so that Alt+F and a digit open one again. The
// main window keeps the list in the settings.
#include <QList>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;

class TRecentFiles {
 public:
  static constexpr int kLimit = 8;

  const QStringList& Files() const { return FFiles; }
  // A stored list: empty names and repeats dropped, cut to the limit.
  void SetFiles(const QStringList& files);
  // FileName goes to the front (from wherever it stood).
  void Add(const QString& fileName);
  void Remove(const QString& fileName);

  // Puts an entry for every file, and a separator after them, into Menu before Before,
  // in place of the entries it put there last. Choose runs with the file of an entry.
  void ShowIn(QMenu* menu, QAction* before, const std::function<void(const QString&)>& choose);

 private:
  QStringList FFiles;
  QList<QAction*> FEntries;
};

// A menu caption for Text: a mnemonic "&N " in front (N from 1 to 9), every '&' of Text
// doubled so it shows as itself.
QString NumberedCaption(int number, QString text);
