#include "app/FileWatcher.h"

#include <QFileInfo>
#include <QTimer>
#include <algorithm>

#include "app/AppDialogs.h"
#include "app/ChildForm.h"
#include "highlight/RAHLEditor.h"

namespace {

// A change is looked at once the file has been quiet this long, or at the latest this
// long after the first change of a burst.
constexpr int kQuietMs = 400;
constexpr int kLongestWaitMs = 3000;

}  // namespace

TFileWatcher::TFileWatcher(TWindows windows, const TAppDialogs& dialogs, QObject* parent)
    : QObject(parent), FWindows(std::move(windows)), FDialogs(dialogs) {
  FSettle = new QTimer(this);
  FSettle->setSingleShot(true);
  connect(FSettle, &QTimer::timeout, this, &TFileWatcher::CheckPending);
  connect(&FWatcher, &QFileSystemWatcher::fileChanged, this, &TFileWatcher::OnFileChanged);
}

void TFileWatcher::Track(TChildForm* window) {
  if (!FStates.contains(window)) {
    connect(window, &QObject::destroyed, this, [this, window] { Forget(window); });
  }
  TState& state = FStates[window];
  state = TState();
  state.Path = window->FileName();
  const QFileInfo info(state.Path);
  if (state.Path.isEmpty() || !info.exists()) return;
  FWatcher.addPath(state.Path);
  // Looking at the file again costs reading it whole: only a new size or time does that.
  state.Size = info.size();
  state.Modified = info.lastModified();
}

void TFileWatcher::Forget(TChildForm* window) {
  const QString path = FStates.take(window).Path;
  const bool shared = std::any_of(FStates.cbegin(), FStates.cend(),
                                  [&](const TState& s) { return s.Path == path; });
  if (!shared && !path.isEmpty()) FWatcher.removePath(path);
}

void TFileWatcher::OnFileChanged(const QString& path) {
  if (FPending.isEmpty()) FFirstPending = QDateTime::currentDateTime();
  FPending.insert(path);
  const qint64 waited = FFirstPending.msecsTo(QDateTime::currentDateTime());
  FSettle->start(std::clamp<qint64>(kLongestWaitMs - waited, 0, kQuietMs));
}

void TFileWatcher::CheckPending() {
  const QSet<QString> pending = std::exchange(FPending, {});
  for (TChildForm* window : FWindows()) {
    if (pending.contains(window->FileName())) Check(window);
  }
}

void TFileWatcher::CheckAll() {
  for (TChildForm* window : FWindows()) Check(window);
}

void TFileWatcher::Check(TChildForm* window) {
  auto it = FStates.find(window);
  if (it == FStates.end()) return;
  // A window that took another name without being tracked again starts afresh there.
  if (it->Path != window->FileName()) {
    Track(window);
    return;
  }
  if (it->Path.isEmpty()) return;
  TState& state = *it;
  TRAHLEditor& editor = window->Editor1();
  const QFileInfo info(state.Path);
  if (!info.exists()) {
    if (state.Missing || !window->DiskFile().Identity().Exists) return;
    state.Missing = true;
    editor.SetModified(true);
    emit Message(QStringLiteral("%1 was deleted or moved away; the document keeps its text.")
                     .arg(state.Path));
    emit FileGone(window);
    return;
  }
  state.Missing = false;
  // A replaced file is a new one to the watcher, which then forgets the name.
  if (!FWatcher.files().contains(state.Path)) FWatcher.addPath(state.Path);
  if (info.size() == state.Size && info.lastModified() == state.Modified) return;
  if (window->DiskFile().RiskOfWriting(state.Path) != TDocumentFile::TRisk::ChangedOnDisk) {
    state.Size = info.size();
    state.Modified = info.lastModified();
    return;
  }
  if (!editor.Modified()) {
    emit ReloadWanted(window);
    return;
  }
  if (state.Asked) return;
  state.Asked = true;
  window->BringToFront();
  const QString question = QStringLiteral(
                               "%1 has been changed by another program.\n\nReload it and lose the "
                               "changes made here?")
                               .arg(state.Path);
  if (FDialogs.ConfirmReload(window, question)) emit ReloadWanted(window);
}
