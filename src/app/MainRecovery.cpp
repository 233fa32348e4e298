// The main window's part in keeping work safe: recovery drafts of its document windows,
// the offer to recover them at start, files changed on disk, and the end by a signal.
#include <QApplication>
#include <QGuiApplication>
#include <algorithm>

#include "app/ChildForm.h"
#include "app/FileWatcher.h"
#include "app/MainWindow.h"
#include "app/RecoveryDrafts.h"
#include "highlight/RAHLEditor.h"

void TForm1::CreateRecovery() {
  FDrafts = new TRecoveryDrafts(*this);
  FWatcher = new TFileWatcher(*this);
  connect(FDrafts, &TRecoveryDrafts::WriteFailed, this,
          [this](const QString& message) { ShowMessage(message); });
  connect(FWatcher, &TFileWatcher::DocumentChanged, FDrafts, &TRecoveryDrafts::Changed);
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState state) {
            // Leaving the program is a moment to be safe; coming back, files may have
            // been replaced in ways the watcher does not see.
            if (state == Qt::ApplicationActive) {
              FWatcher->CheckAll();
            } else {
              FDrafts->WriteAll();
            }
          });
}

void TForm1::DocumentSaved(TChildForm* window) {
  FRecentFiles.Add(window->FileName());
  FDrafts->Remove(window);
  FWatcher->Track(window);
}

void TForm1::OfferRecovery() {
  const QList<TOrphanDraft> orphans = FDrafts->ClaimOrphans();
  if (orphans.isEmpty()) {
    // Sessions that ended with no draft left are tidied up.
    FDrafts->DiscardClaimed();
    return;
  }
  QList<TDraftManifest> manifests;
  for (const TOrphanDraft& orphan : orphans) manifests.append(orphan.Manifest);
  switch (FDialogs.RecoverDrafts(this, manifests)) {
    case TRecoveryChoice::Recover: {
      for (const TOrphanDraft& orphan : orphans) {
        if (TChildForm* child = RestoreDraft(orphan)) FDrafts->Write(child);
      }
      // The old drafts go only once the recovered documents have drafts of their own.
      FDrafts->Flush();
      FDrafts->DiscardClaimed();
      break;
    }
    case TRecoveryChoice::Discard:
      FDrafts->DiscardClaimed();
      break;
    case TRecoveryChoice::Keep:
      FDrafts->ReleaseClaimed();
      break;
  }
}

TChildForm* TForm1::RestoreDraft(const TOrphanDraft& draft) {
  const std::optional<std::string> text = ReadDraftText(draft.Path);
  if (!text) {
    FDialogs.ShowError(this, QStringLiteral("Cannot open file %1").arg(draft.Path));
    return nullptr;
  }
  const TDraftManifest& m = draft.Manifest;
  TChildForm* child = NewDocument();
  if (!m.FileName.isEmpty()) child->SetFileName(m.FileName);
  TRAHLEditor& editor = child->Editor1();
  editor.Lines().SetTextStr(*text);
  // Save compares the file with what it was when the draft's document had it, so a
  // file changed since is not overwritten unasked.
  child->DiskFile().RestoreIdentity(m.Disk);
  editor.Bookmarks() = m.Bookmarks;
  editor.SetLeftTop(editor.LeftCol(), m.TopRow);
  editor.SetCaret(m.CaretX, m.CaretY);
  editor.ClearUndo();
  editor.SetModified(true);
  FWatcher->Track(child);
  return child;
}

void TForm1::EndBySignal() {
  // No question may hold up a logout: unsaved work goes into drafts, offered back at the
  // next start; with none, this is a clean exit.
  const QList<TChildForm*> children = MDIChildren();
  const bool unsaved = std::any_of(children.cbegin(), children.cend(),
                                   [](TChildForm* child) { return child->Editor1().Modified(); });
  if (unsaved) {
    FDrafts->WriteAll();
    FDrafts->Flush();
  } else {
    FDrafts->EndSession();
  }
  WriteSettings();
  QApplication::exit(0);
  // A signal during a dialog shown before the main loop runs (the recovery offer) only
  // ends that dialog's loop; this ends the main loop once it starts.
  QMetaObject::invokeMethod(
      qApp, [] { QApplication::exit(0); }, Qt::QueuedConnection);
}
