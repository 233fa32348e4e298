// A session of documents: what is remembered of the open documents at a clean exit, and
// opening them again.
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/ChildForm.h"
#include "app/Documents.h"
#include "app/Session.h"
#include "app/ViewState.h"
#include "highlight/RAHLEditor.h"
#include "qt/EditorWidget.h"

namespace {

TSessionDocument DocumentOf(const QMdiSubWindow& window, const TChildForm& child) {
  TSessionDocument d;
  d.Path = child.FileName();
  const TViewState view = TViewState::Capture(child.Editor1());
  d.CaretX = view.CaretX;
  d.CaretY = view.CaretY;
  d.TopRow = view.TopRow;
  d.Bookmarks = view.Bookmarks;
  d.Maximized = window.isMaximized();
  d.Placement = d.Maximized || window.isMinimized() ? window.normalGeometry() : window.geometry();
  return d;
}

}  // namespace

TSession TDocuments::Session() const {
  TSession session;
  const TChildForm* active = ActiveMDIChild();
  for (QMdiSubWindow* window : FArea.subWindowList(QMdiArea::CreationOrder)) {
    auto* child = qobject_cast<TChildForm*>(window->widget());
    // Untitled documents are the recovery drafts' to keep.
    if (child == nullptr || child->FileName().isEmpty()) continue;
    if (child == active) session.Active = static_cast<int>(session.Documents.size());
    session.Documents.append(DocumentOf(*window, *child));
  }
  return session;
}

QStringList TDocuments::Reopen(const TSession& session) {
  QStringList gone;
  TChildForm* active = nullptr;
  for (int i = 0; i < session.Documents.size(); ++i) {
    const TSessionDocument& d = session.Documents[i];
    if (!QFileInfo::exists(d.Path)) {
      gone.append(d.Path);
      continue;
    }
    TChildForm* child = OpenFile(d.Path);
    auto* window = qobject_cast<QMdiSubWindow*>(child->parentWidget());
    if (window != nullptr && d.Placement.isValid() && FArea.viewMode() == QMdiArea::SubWindowView)
      window->setGeometry(d.Placement);
    if (window != nullptr && d.Maximized) window->showMaximized();
    // The view goes back as far as it fits the file as it is now; the caret moves are
    // no change to undo.
    TRAHLEditor& editor = child->Editor1();
    TViewState{d.CaretX, d.CaretY, d.TopRow, d.Bookmarks}.ApplyTo(editor);
    editor.ClearUndo();
    child->MarkSaved();
    child->EditorView().Invalidate();
    if (i == session.Active) active = child;
  }
  if (active != nullptr) active->BringToFront();
  return gone;
}
