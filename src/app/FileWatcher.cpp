#include "app/FileWatcher.h"

#include <QFileInfo>
#include <QTimer>
#include <algorithm>

#include "app/ChildForm.h"
#include "app/MainWindow.h"
#include "highlight/RAHLEditor.h"
#include "qt/Guarded.h"

namespace {

// A change is looked at once the file has been quiet this long, or at the latest this
// long after the first change of a burst.
constexpr int kQuietMs = 400;
constexpr int kLongestWaitMs = 3000;

}  // namespace

TFileWatcher::TFileWatcher(TForm1& form) : QObject(&form), FForm(form) {
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
  for (TChildForm* window : FForm.MDIChildren()) {
    if (pending.contains(window->FileName())) Check(window);
  }
}

void TFileWatcher::CheckAll() {
  for (TChildForm* window : FForm.MDIChildren()) Check(window);
}

void TFileWatcher::Check(TChildForm* window) {
  auto it = FStates.find(window);
  if (it == FStates.end() || it->Path.isEmpty() || it->Path != window->FileName()) return;
  TState& state = *it;
  TRAHLEditor& editor = window->Editor1();
  const QFileInfo info(state.Path);
  if (!info.exists()) {
    if (state.Missing || !window->DiskFile().Identity().Exists) return;
    state.Missing = true;
    editor.SetModified(true);
    FForm.ShowMessage(QStringLiteral("%1 was deleted or moved away; the document keeps its text.")
                          .arg(state.Path));
    emit DocumentChanged(window);
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
    Reload(window);
    return;
  }
  if (state.Asked) return;
  state.Asked = true;
  window->BringToFront();
  const QString question = QStringLiteral(
                               "%1 has been changed by another program.\n\nReload it and lose the "
                               "changes made here?")
                               .arg(state.Path);
  if (FForm.Dialogs().ConfirmReload(window, question)) Reload(window);
}

void TFileWatcher::Reload(TChildForm* window) {
  TRAHLEditor& editor = window->Editor1();
  const int caretX = editor.CaretX();
  const int caretY = editor.CaretY();
  const int topRow = editor.TopRow();
  std::array<TBookmark, 10> bookmarks = editor.Bookmarks();
  const QString path = window->FileName();
  bool loaded = false;
  Guarded(window, [&] {
    window->DiskFile().Load(editor.Lines(), path);
    loaded = true;
  });
  if (!loaded) return;
  const int count = editor.Lines().Count();
  for (TBookmark& bookmark : bookmarks) bookmark.Valid = bookmark.Valid && bookmark.Y < count;
  editor.Bookmarks() = bookmarks;
  editor.SetLeftTop(editor.LeftCol(), std::min(topRow, std::max(count - 1, 0)));
  editor.SetCaret(caretX, caretY);
  // The history of the text before the reload does not apply to the new one.
  editor.ClearUndo();
  editor.SetModified(false);
  FForm.KeepUnshownCharacters(window);
  Track(window);
  FForm.ShowMessage(
      QStringLiteral("%1 was changed by another program and has been reloaded.").arg(path));
  emit DocumentChanged(window);
}
