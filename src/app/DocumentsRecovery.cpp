// The documents' part in keeping work safe: recovery drafts of the document windows, the
// offer to recover them at start, files changed on disk, and the end of a session.
#include <QGuiApplication>
#include <algorithm>

#include "app/AppDialogs.h"
#include "app/ChildForm.h"
#include "app/Documents.h"
#include "app/FileWatcher.h"
#include "app/RecoveryDrafts.h"
#include "highlight/RAHLEditor.h"
#include "qt/EditorWidget.h"

void TDocuments::CreateRecovery() {
  const auto windows = [this] { return MDIChildren(); };
  FDrafts = new TRecoveryDrafts(windows, TRecoveryDrafts::DefaultFolder(), this);
  FWatcher = new TFileWatcher(windows, FDialogs, this);
  connect(FDrafts, &TRecoveryDrafts::WriteFailed, this, &TDocuments::Message);
  connect(FWatcher, &TFileWatcher::Message, this, &TDocuments::Message);
  connect(FWatcher, &TFileWatcher::ReloadWanted, this, &TDocuments::Reload);
  connect(FWatcher, &TFileWatcher::FileGone, FDrafts, &TRecoveryDrafts::Changed);
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

void TDocuments::OfferRecovery() {
  const QList<TOrphanDraft> orphans = FDrafts->ClaimOrphans();
  if (orphans.isEmpty()) {
    // Sessions that ended with no draft left are tidied up.
    FDrafts->DiscardClaimed();
    return;
  }
  QList<TDraftManifest> manifests;
  for (const TOrphanDraft& orphan : orphans) manifests.append(orphan.Manifest);
  switch (FDialogs.RecoverDrafts(Frame(), manifests)) {
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

TChildForm* TDocuments::RestoreDraft(const TOrphanDraft& draft) {
  const std::optional<std::string> text = ReadDraftText(draft.Path);
  if (!text) {
    FDialogs.ShowError(Frame(), QStringLiteral("Cannot open file %1").arg(draft.Path));
    return nullptr;
  }
  const TDraftManifest& m = draft.Manifest;
  TChildForm* child = NewDocument();
  // Save compares the file with what it was when the draft's document had it, so a
  // file changed since is not overwritten unasked.
  TDocumentFile::TIdentity disk = m.Disk;
  if (disk.FileName.isEmpty()) disk.FileName = m.FileName;
  child->DiskFile().RestoreIdentity(disk);
  child->EditorView().SetCodePage(disk.CodePage);
  child->ShowFileName();
  TRAHLEditor& editor = child->Editor1();
  editor.Lines().SetTextStr(*text);
  m.View.ApplyTo(editor);
  editor.ClearUndo();
  editor.SetModified(true);
  FWatcher->Track(child);
  return child;
}

void TDocuments::EndSession() {
  FDrafts->EndSession();
}

void TDocuments::KeepUnsavedForNextStart() {
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
}
