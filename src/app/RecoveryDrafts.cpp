#include "app/RecoveryDrafts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>

#include "app/ChildForm.h"
#include "highlight/RAHLEditor.h"

namespace {

// A draft is written at most this long after the first change that it does not hold yet,
// also while the typing goes on, so an ending never loses more than this much typing.
constexpr int kDraftDelayMs = 2000;

QString LockPath(const QString& sessionFolder) {
  return sessionFolder + QStringLiteral(".lock");
}

}  // namespace

TRecoveryDrafts::TRecoveryDrafts(TWindows windows, const QString& folder, QObject* parent)
    : QObject(parent), FWindows(std::move(windows)), FFolder(folder) {
  // The session folder's name is unique also when a process id comes round again.
  FSessionFolder = QDir(FFolder).filePath(QStringLiteral("session-%1-%2")
                                              .arg(QCoreApplication::applicationPid())
                                              .arg(QDateTime::currentMSecsSinceEpoch()));
  FWorkerContext = new QObject;
  FWorkerContext->moveToThread(&FWorker);
  connect(&FWorker, &QThread::finished, FWorkerContext, &QObject::deleteLater);
  FWorker.setObjectName(QStringLiteral("recovery drafts"));
  FWorker.start(QThread::LowPriority);
  FDebounce = new QTimer(this);
  FDebounce->setSingleShot(true);
  FDebounce->setInterval(kDraftDelayMs);
  connect(FDebounce, &QTimer::timeout, this, &TRecoveryDrafts::WritePending);
}

TRecoveryDrafts::~TRecoveryDrafts() {
  // The drafts asked for are written before the program goes; the lock is released, so
  // a draft left behind becomes an orphan that the next start offers back.
  OnWorker([] { QThread::currentThread()->quit(); });
  FWorker.wait();
}

QString TRecoveryDrafts::DefaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
         QStringLiteral("/recovery");
}

void TRecoveryDrafts::OnWorker(std::function<void()> job) {
  QMetaObject::invokeMethod(FWorkerContext, std::move(job), Qt::QueuedConnection);
}

TRecoveryDrafts::TDocumentDraft& TRecoveryDrafts::DraftOf(TChildForm* window) {
  auto it = FDrafts.find(window);
  if (it != FDrafts.end()) return *it;
  // A window that goes keeps its draft on disk: closing it removed the draft already,
  // and one that goes with the program at a signal must leave it.
  connect(window, &QObject::destroyed, this, [this, window] { FDrafts.remove(window); });
  TDocumentDraft draft;
  draft.Id = FNextId++;
  return *FDrafts.insert(window, draft);
}

QString TRecoveryDrafts::DraftPath(int id) const {
  return QDir(FSessionFolder).filePath(QStringLiteral("%1.draft").arg(id));
}

void TRecoveryDrafts::StartSession() {
  if (FSessionStarted) return;
  FSessionStarted = true;
  OnWorker([this] { LockSession(); });
}

void TRecoveryDrafts::LockSession() {
  // The lock comes first, so that no other copy ever sees this session unlocked.
  auto lock = std::make_unique<QLockFile>(LockPath(FSessionFolder));
  lock->setStaleLockTime(0);
  if (!QDir().mkpath(FFolder) || !lock->tryLock(0) || !QDir().mkpath(FSessionFolder) ||
      // The drafts hold the user's text: no one else may read them.
      !QFile::setPermissions(FSessionFolder,
                             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
    const QString message =
        QStringLiteral("Cannot create the recovery folder %1").arg(FSessionFolder);
    QMetaObject::invokeMethod(this, [this, message] { emit WriteFailed(message); });
    return;
  }
  FLock = std::move(lock);
}

void TRecoveryDrafts::PrepareSpare(TChildForm* window) {
  TDocumentDraft& draft = DraftOf(window);
  if (draft.Spare || draft.Preparing) return;
  draft.Preparing = true;
  // Room for some growth; the memory is touched on the worker, so the first copy does
  // not wait for the system to hand out fresh pages.
  const TEditorStrings& lines = window->Editor1().Lines();
  const size_t bytes = static_cast<size_t>(lines.TextLength()) * 9 / 8 + 4096;
  const size_t count = static_cast<size_t>(lines.Count()) * 9 / 8 + 1024;
  OnWorker([this, window = QPointer<TChildForm>(window), bytes, count] {
    auto spare = std::make_shared<LineSnapshot>();
    spare->Bytes.resize(bytes);
    spare->Bytes.clear();
    spare->Ends.resize(count);
    spare->Ends.clear();
    QMetaObject::invokeMethod(this, [this, window, spare] {
      if (!window) return;
      DraftOf(window).Preparing = false;
      KeepSpare(window, spare);
    });
  });
}

void TRecoveryDrafts::KeepSpare(TChildForm* window, std::shared_ptr<LineSnapshot> spare) {
  auto it = FDrafts.find(window);
  // A document whose draft has gone needs no buffers until it changes again.
  if (it == FDrafts.end() || !(it->Pending || it->Written) || it->Spare) return;
  it->Spare = std::move(spare);
}

void TRecoveryDrafts::Changed(TChildForm* window) {
  TDocumentDraft& draft = DraftOf(window);
  draft.Pending = true;
  draft.LastChange = QDateTime::currentDateTime();
  PrepareSpare(window);
  if (!FDebounce->isActive()) FDebounce->start();
}

void TRecoveryDrafts::WritePending() {
  for (auto it = FDrafts.begin(); it != FDrafts.end(); ++it) {
    if (!it->Pending) continue;
    if (it.key()->Editor1().Modified()) {
      Write(it.key());
    } else {
      Remove(it.key());
    }
  }
}

void TRecoveryDrafts::WriteAll() {
  for (TChildForm* window : FWindows()) {
    if (!window->Editor1().Modified()) continue;
    const TDocumentDraft& draft = DraftOf(window);
    if (draft.Pending || !draft.Written) Write(window);
  }
}

void TRecoveryDrafts::Write(TChildForm* window) {
  TDocumentDraft& draft = DraftOf(window);
  draft.Pending = false;
  StartSession();
  TRAHLEditor& editor = window->Editor1();
  TDraftManifest manifest;
  manifest.FileName = window->FileName();
  manifest.Disk = window->DiskFile().Identity();
  manifest.View = TViewState::Capture(editor);
  manifest.Changed = draft.LastChange.isValid() ? draft.LastChange : QDateTime::currentDateTime();
  manifest.LineCount = editor.Lines().Count();
  std::shared_ptr<LineSnapshot> lines = std::exchange(draft.Spare, nullptr);
  if (!lines) lines = std::make_shared<LineSnapshot>();
  editor.Lines().Snapshot(*lines);
  draft.Written = true;
  OnWorker([this, window = QPointer<TChildForm>(window), path = DraftPath(draft.Id),
            json = manifest.ToJson(), lines] {
    QString error;
    if (WriteDraftFile(path, json, *lines, error)) {
      QMetaObject::invokeMethod(this, [this, window, lines] {
        if (window) KeepSpare(window, lines);
      });
      return;
    }
    const QString message =
        QStringLiteral("Cannot write the recovery draft %1\n%2").arg(path, error);
    QMetaObject::invokeMethod(this, [this, message] { emit WriteFailed(message); });
  });
}

void TRecoveryDrafts::Remove(TChildForm* window) {
  TDocumentDraft& draft = DraftOf(window);
  draft.Pending = false;
  draft.Spare.reset();
  if (!draft.Written) return;
  draft.Written = false;
  OnWorker([path = DraftPath(draft.Id)] { QFile::remove(path); });
}

void TRecoveryDrafts::Flush() {
  // The worker runs jobs in order: once this one has run, all before it have.
  QMetaObject::invokeMethod(
      FWorkerContext, [] {}, Qt::BlockingQueuedConnection);
}

void TRecoveryDrafts::EndSession() {
  FDebounce->stop();
  Flush();
  for (TDocumentDraft& draft : FDrafts) {
    draft.Pending = draft.Written = false;
    draft.Spare.reset();
  }
  FSessionStarted = false;
  if (!FLock) return;
  QDir(FSessionFolder).removeRecursively();
  FLock.reset();
}

QList<TOrphanDraft> TRecoveryDrafts::ClaimOrphans() {
  QList<TOrphanDraft> orphans;
  const QFileInfoList sessions = QDir(FFolder).entryInfoList(
      {QStringLiteral("session-*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  for (const QFileInfo& session : sessions) {
    const QString folder = session.absoluteFilePath();
    if (folder == QDir(FSessionFolder).absolutePath()) continue;
    auto lock = std::make_unique<QLockFile>(LockPath(folder));
    lock->setStaleLockTime(0);
    // A lock still held belongs to a copy that is running: its drafts are not ours.
    if (!lock->tryLock(0)) continue;
    const QFileInfoList drafts =
        QDir(folder).entryInfoList({QStringLiteral("*.draft")}, QDir::Files, QDir::Name);
    for (const QFileInfo& draft : drafts) {
      if (auto manifest = ReadDraftManifest(draft.absoluteFilePath())) {
        orphans.append({draft.absoluteFilePath(), *manifest});
      }
    }
    FClaimed.push_back(std::move(lock));
    FClaimedFolders.append(folder);
  }
  std::stable_sort(orphans.begin(), orphans.end(), [](const auto& a, const auto& b) {
    return a.Manifest.Changed < b.Manifest.Changed;
  });
  return orphans;
}

void TRecoveryDrafts::DiscardClaimed() {
  for (const QString& folder : std::as_const(FClaimedFolders)) QDir(folder).removeRecursively();
  ReleaseClaimed();
}

void TRecoveryDrafts::ReleaseClaimed() {
  FClaimed.clear();
  FClaimedFolders.clear();
}
