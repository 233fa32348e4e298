#pragma once
// Watches the files of the open documents for changes by other programs. A document
// without unsaved changes is to reload; one with unsaved changes asks once whether to
// reload; a file that is deleted or renamed away leaves its document modified, so closing
// asks to save it. Bursts of changes (a build rewriting a file many times a second) are settled
// into one check, and a file whose content is what the document last read or wrote (the program's
// own save) never counts as changed.
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <functional>

class QTimer;
class TChildForm;
struct TAppDialogs;

class TFileWatcher : public QObject {
  Q_OBJECT
 public:
  // The document windows open now.
  using TWindows = std::function<QList<TChildForm*>()>;

  // Watches files of the windows that Windows lists; Dialogs (which must outlive the
  // watcher) asks before a reload would lose changes.
  TFileWatcher(TWindows windows, const TAppDialogs& dialogs, QObject* parent = nullptr);

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
  // Window's file changed, and its document is to take the file's new content: it had no
  // unsaved changes, or the user agreed to lose them.
  void ReloadWanted(TChildForm* window);
  // Window's file went away; its document turned modified.
  void FileGone(TChildForm* window);
  // A note for the status bar.
  void Message(const QString& text);

 private:
  struct TState {
    QString Path;  // the file watched for the window, its name when tracked
    bool Missing = false;
    bool Asked = false;  // the question was asked; the save guard asks from now on
    qint64 Size = -1;    // the file as it was when last found unchanged
    QDateTime Modified;
  };
  void OnFileChanged(const QString& path);
  void CheckPending();
  void Forget(TChildForm* window);

  TWindows FWindows;
  const TAppDialogs& FDialogs;
  QFileSystemWatcher FWatcher;
  QTimer* FSettle = nullptr;
  QDateTime FFirstPending;
  QSet<QString> FPending;
  QHash<TChildForm*, TState> FStates;
};
