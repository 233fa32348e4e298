#include "app/Documents.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/AppDialogs.h"
#include "app/ChildForm.h"
#include "app/DocumentFile.h"
#include "app/FileWatcher.h"
#include "app/RecoveryDrafts.h"
#include "app/ViewState.h"
#include "app/WindowPlacement.h"
#include "highlight/RAHLEditor.h"
#include "qt/EditorWidget.h"
#include "qt/Guarded.h"

namespace {

QList<TChildForm*> DocumentWindows(const QList<QMdiSubWindow*>& windows) {
  QList<TChildForm*> children;
  for (QMdiSubWindow* window : windows) {
    if (auto* child = qobject_cast<TChildForm*>(window->widget())) children.append(child);
  }
  return children;
}

}  // namespace

TDocuments::TDocuments(QMdiArea& area, const TAppDialogs& dialogs, QObject* parent)
    : QObject(parent), FArea(area), FDialogs(dialogs) {
  CreateRecovery();
}

TDocuments::~TDocuments() = default;

QWidget* TDocuments::Frame() const {
  return FArea.window();
}

QList<TChildForm*> TDocuments::MDIChildren() const {
  QList<TChildForm*> children = DocumentWindows(FArea.subWindowList(QMdiArea::StackingOrder));
  std::reverse(children.begin(), children.end());
  return children;
}

QList<TChildForm*> TDocuments::InOpeningOrder() const {
  return DocumentWindows(FArea.subWindowList(QMdiArea::CreationOrder));
}

int TDocuments::MDIChildCount() const {
  return static_cast<int>(FArea.subWindowList().size());
}

TChildForm* TDocuments::ActiveMDIChild() const {
  // The current window stays the active document also while the frame is inactive.
  QMdiSubWindow* window = FArea.currentSubWindow();
  return window != nullptr ? qobject_cast<TChildForm*>(window->widget()) : nullptr;
}

TChildForm* TDocuments::NewDocument() {
  auto* child = new TChildForm(FDialogs, [this](TChildForm* window) { SaveDocument(window); });
  QMdiSubWindow* window = FArea.addSubWindow(child);
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(child, &TChildForm::Message, this, &TDocuments::Message);
  // Saved or discarded: the recovery draft has done its work.
  connect(child, &TChildForm::Closed, FDrafts, [this, child] { FDrafts->Remove(child); });
  child->Editor1().OnChange = [this, child](TRACustomEditor*) { FDrafts->Changed(child); };
  emit DocumentCreated(child);
  const int others = static_cast<int>(FArea.subWindowList().size()) - 1;
  window->setGeometry(NewWindowPlace(FArea.viewport()->rect(), CascadeStep(window), others));
  window->show();
  FArea.setActiveSubWindow(window);
  child->setFocus();
  return child;
}

TChildForm* TDocuments::OpenFile(const QString& fileName) {
  emit FileOpened(fileName);
  TChildForm* child = NewDocument();
  const bool loaded =
      Guarded(Frame(), [&] { child->DiskFile().Load(child->Editor1().Lines(), fileName); });
  // A file that cannot be read still names the window: Save then creates it.
  child->ShowFileName();
  child->MarkSaved();
  if (loaded) emit FileUsed(fileName);
  CheckLoaded(child);
  FWatcher->Track(child);
  return child;
}

void TDocuments::CheckLoaded(TChildForm* window) {
  const TDocumentFile& file = window->DiskFile();
  window->EditorView().SetCodePage(file.CodePage());
  if (file.CutAtNul()) FDialogs.ShowWarning(Frame(), NulOpenedWarning(file.FileName()));
  // Characters shown as '?' must not be written back: the document stays read-only.
  const size_t unshown = file.Unmappable();
  window->Editor1().SetReadOnly(unshown > 0);
  if (unshown > 0) {
    FDialogs.ShowWarning(Frame(),
                         UnmappableOpenedWarning(file.FileName(), unshown, file.Holdings()));
  }
}

void TDocuments::SaveDocument(TChildForm* window) {
  if (window == nullptr) return;
  if (window->FileName().isEmpty()) {
    SaveDocumentAs(window);
    return;
  }
  if (!WriteDocument(window, window->FileName())) return;
  window->MarkSaved();
  DocumentSaved(window);
}

void TDocuments::SaveDocumentAs(TChildForm* window) {
  if (window == nullptr) return;
  // A document that cannot be written is refused before a name is asked for.
  if (!Guarded(Frame(), [&] { window->DiskFile().CheckWritable(window->FileName()); })) return;
  const QString fileName = FDialogs.SaveFileName(Frame(), window->FileName());
  if (!fileName.isEmpty()) SaveAs(window, fileName);
}

void TDocuments::SaveAs(TChildForm* window, const QString& fileName) {
  if (window == nullptr) return;
  if (!WriteDocument(window, fileName)) return;
  window->ShowFileName();
  window->MarkSaved();
  DocumentSaved(window);
}

bool TDocuments::WriteDocument(TChildForm* window, const QString& fileName) {
  const TDocumentFile::TRisk risk = window->DiskFile().RiskOfWriting(fileName);
  if (risk != TDocumentFile::TRisk::None &&
      !FDialogs.ConfirmOverwrite(Frame(), OverwriteQuestion(risk, fileName))) {
    return false;
  }
  return Guarded(Frame(), [&] { window->DiskFile().Save(window->Editor1().Lines(), fileName); });
}

void TDocuments::DocumentSaved(TChildForm* window) {
  emit FileUsed(window->FileName());
  FDrafts->Remove(window);
  FWatcher->Track(window);
}

void TDocuments::Reload(TChildForm* window) {
  TRAHLEditor& editor = window->Editor1();
  const TViewState view = TViewState::Capture(editor);
  const QString path = window->FileName();
  if (!Guarded(window, [&] { window->DiskFile().Load(editor.Lines(), path); })) return;
  view.ApplyTo(editor);
  // The history of the text before the reload does not apply to the new one.
  editor.ClearUndo();
  window->MarkSaved();
  CheckLoaded(window);
  FWatcher->Track(window);
  emit Message(
      QStringLiteral("%1 was changed by another program and has been reloaded.").arg(path));
  FDrafts->Changed(window);
  emit Reloaded(window);
}

bool TDocuments::CloseQueryAll() {
  for (TChildForm* child : MDIChildren()) {
    if (!child->CloseQuery()) return false;
  }
  return true;
}
