// TDocuments: a document's file read again as the bytes of a code page the user chose.
#include <QFileInfo>

#include "app/AppDialogs.h"
#include "app/ChildForm.h"
#include "app/DocumentFile.h"
#include "app/Documents.h"
#include "app/FileWatcher.h"
#include "app/RecoveryDrafts.h"
#include "app/ViewState.h"
#include "highlight/RAHLEditor.h"
#include "qt/Guarded.h"

void TDocuments::ReopenWith(TChildForm* window, TCodePage page) {
  if (window == nullptr || window->FileName().isEmpty()) return;
  TRAHLEditor& editor = window->Editor1();
  const QString path = window->FileName();
  const QString name = QString::fromLatin1(codepage::Name(page));
  if (editor.Modified() &&
      !FDialogs.ConfirmReload(
          Frame(), QStringLiteral("%1 has unsaved changes. Reopening it with %2 reads the file "
                                  "again and discards them.\n\nReopen it anyway?")
                       .arg(path, name))) {
    return;
  }
  const TViewState view = TViewState::Capture(editor);
  if (!Guarded(window, [&] { window->DiskFile().Load(editor.Lines(), path, page); })) return;
  view.ApplyTo(editor);
  // The history belongs to the text as it read before.
  editor.ClearUndo();
  editor.SetModified(false);
  CheckLoaded(window);
  FWatcher->Track(window);
  emit Message(QStringLiteral("%1 has been reopened with %2 (%3).")
                   .arg(path, name, QString::fromLatin1(codepage::WritingSystem(page))));
  FDrafts->Changed(window);
  emit Reloaded(window);
}
