#pragma once
// Recovery drafts: while a document window has unsaved changes, its text is kept in a
// draft file under the user's application data folder, so that a crash, a kill or a power
// cut loses at most the last seconds of typing. A draft is written at most two seconds
// after the first change it does not hold yet, at once when the program loses the focus or
// is told to end, and is removed when its document is saved or its changes are discarded.
//
// Each running copy keeps its drafts in a session folder of its own, held by a lock file
// with its process id; the drafts of a copy that is gone (its lock is stale) are orphans
// that the next start offers back. The user-interface thread only copies the line store
// (a few milliseconds on a million lines); one worker thread, which never touches an
// editor, writes the files in the order they were asked for.
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>
#include <functional>
#include <memory>

#include "app/DraftManifest.h"

class QLockFile;
class QTimer;
class TChildForm;

// A draft left by a copy of the program that is no longer running.
struct TOrphanDraft {
  QString Path;
  TDraftManifest Manifest;
};

class TRecoveryDrafts : public QObject {
  Q_OBJECT
 public:
  // The document windows open now.
  using TWindows = std::function<QList<TChildForm*>()>;

  // Drafts of the windows that Windows lists, kept under Folder.
  explicit TRecoveryDrafts(TWindows windows, const QString& folder = DefaultFolder(),
                           QObject* parent = nullptr);
  ~TRecoveryDrafts() override;

  // The recovery folder under the user's application data location.
  static QString DefaultFolder();
  const QString& Folder() const { return FFolder; }

  // Window's text changed: its draft is written once the typing has paused.
  void Changed(TChildForm* window);
  // Starts writing Window's draft now: the text is copied here, written on the worker.
  void Write(TChildForm* window);
  // Starts writing the draft of every modified window whose draft is not up to date.
  void WriteAll();
  // Removes Window's draft (saved, or its changes discarded).
  void Remove(TChildForm* window);
  // Waits until every draft asked for so far is on disk.
  void Flush();
  // A clean exit: every draft of this copy goes, with its session folder and lock.
  void EndSession();

  // Takes the orphan drafts (their sessions are locked for this copy until Release or
  // Discard), oldest change first.
  QList<TOrphanDraft> ClaimOrphans();
  // Removes the claimed orphans for good.
  void DiscardClaimed();
  // Leaves the claimed orphans for a later start.
  void ReleaseClaimed();

 signals:
  // A draft could not be written.
  void WriteFailed(const QString& message);

 private:
  struct TDocumentDraft {
    int Id = 0;
    bool Pending = false;  // changed since the draft was written
    bool Written = false;
    QDateTime LastChange;
    // Buffers for the next copy of the text, large enough and already in memory, so
    // that copying allocates nothing (the worker prepares them, and hands each back
    // once its draft is written).
    std::shared_ptr<LineSnapshot> Spare;
    bool Preparing = false;
  };
  TDocumentDraft& DraftOf(TChildForm* window);
  QString DraftPath(int id) const;
  // Asks the worker to lock and create the session folder before the first draft.
  void StartSession();
  // Runs on the worker.
  void LockSession();
  void PrepareSpare(TChildForm* window);
  void KeepSpare(TChildForm* window, std::shared_ptr<LineSnapshot> spare);
  void WritePending();
  // Runs Job on the worker thread, after every job asked for before it.
  void OnWorker(std::function<void()> job);

  TWindows FWindows;
  QString FFolder;
  QString FSessionFolder;
  bool FSessionStarted = false;
  // Taken on the worker; the user-interface thread touches it only once the worker is idle.
  std::unique_ptr<QLockFile> FLock;
  QThread FWorker;
  QObject* FWorkerContext = nullptr;
  QTimer* FDebounce = nullptr;
  QHash<TChildForm*, TDocumentDraft> FDrafts;
  int FNextId = 1;
  std::vector<std::unique_ptr<QLockFile>> FClaimed;
  QStringList FClaimedFolders;
};
