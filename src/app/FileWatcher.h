#pragma once
// Watches the files of the main window's documents for changes by other programs. A
// document without unsaved changes reloads in place (caret, top line and bookmarks kept
// where they still fit); one with unsaved changes asks once whether to reload; a file
// that is deleted or renamed away leaves its document modified, so closing asks to save
// it. Bursts of changes (a build rewriting a file many times a second) are settled into
// one check, and a file whose content is what the document last read or wrote (the
// program's own save) never counts as changed.
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>

class QTimer;
class TChildForm;
class TForm1;

class TFileWatcher : public QObject {
  Q_OBJECT
 public:
  explicit TFileWatcher(TForm1& form);

  // Watches Window's file from now on; the file as it is now counts as seen (just read
  // or written by Open, Save, Save As, a reload; for a recovered document the save guard
  // still asks if it differs from what the draft knew).
  void Track(TChildForm* window);
  // Looks at every document's file now (the program became active: watchers miss some
  // replacements).
  void CheckAll();
  // Looks at Window's file: reload, question, or the note that it is gone.
  void Check(TChildForm* window);

 signals:
  // Window's document was reloaded, or its file went away and it turned modified.
  void DocumentChanged(TChildForm* window);

 private:
  struct TState {
    QString Path;
    bool Missing = false;
    bool Asked = false;  // the question was asked; the save guard asks from now on
    qint64 Size = -1;    // the file as it was when last found unchanged
    QDateTime Modified;
  };
  void OnFileChanged(const QString& path);
  void CheckPending();
  void Reload(TChildForm* window);
  void Forget(TChildForm* window);

  TForm1& FForm;
  QFileSystemWatcher FWatcher;
  QTimer* FSettle = nullptr;
  QDateTime FFirstPending;
  QSet<QString> FPending;
  QHash<TChildForm*, TState> FStates;
};
