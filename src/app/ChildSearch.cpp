// The document window's search commands: Find, Replace and Replace All through its two
// modeless dialogs, Go To line, the ten bookmarks and their numbers in the gutter.
#include <QMdiArea>
#include <algorithm>
#include <climits>
#include <optional>
#include <string>

#include "app/ChildForm.h"
#include "app/FindDialogs.h"
#include "app/MainWindow.h"
#include "editor/EditorSearch.h"
#include "highlight/RAHLEditor.h"
#include "platform/Canvas.h"
#include "qt/EditorWidget.h"
#include "qt/Guarded.h"
#include "util/xProcs.h"

namespace {

editorsearch::TSearchOptions OptionsOf(const TFindDialog& dialog) {
  return {dialog.FindText(), dialog.MatchCase()};
}

}  // namespace

void PaintBookmarkNumbers(TRACustomEditor& editor, Canvas& canvas) {
  // The editor's plain font on the gutter's colour, whatever the last text run used.
  canvas.SetFont(editor.Font());
  canvas.SetBrushColor(editor.GutterColor());
  for (int number = 0; number < 10; ++number) {
    const TBookmark& mark = editor.Bookmarks()[number];
    if (!mark.Valid || mark.Y == -1) continue;
    const std::string text = std::to_string(number);
    const TRect cell = editor.CellRect(0, mark.Y - editor.TopRow());
    canvas.TextOut(editor.GutterWidth() - canvas.TextWidth(text) - 5, cell.Top, text, nullptr,
                   nullptr);
  }
}

void TChildForm::CreateSearchDialogs() {
  FFindDialog1 = new TFindDialog(this);
  FReplaceDialog1 = new TReplaceDialog(this);
  connect(FFindDialog1, &TFindDialog::FindNextClicked, this, [this] { Find(*FFindDialog1); });
  connect(FReplaceDialog1, &TFindDialog::FindNextClicked, this,
          [this] { Find(*FReplaceDialog1); });
  connect(FReplaceDialog1, &TReplaceDialog::ReplaceClicked, this, &TChildForm::Replace);
  connect(FReplaceDialog1, &TReplaceDialog::ReplaceAllClicked, this, &TChildForm::ReplaceAll);
  for (QDialog* dialog : {static_cast<QDialog*>(FFindDialog1), static_cast<QDialog*>(FReplaceDialog1)})
    connect(dialog, &QDialog::finished, this, &TChildForm::FocusEditor);
}

void TChildForm::FocusEditor() {
  // The dialog was the active window; the document window takes the keys again.
  FMainForm.activateWindow();
  FEditorView->setFocus();
}

bool TChildForm::Find(const TFindDialog& dialog) {
  bool found = false;
  Guarded(this, [&] { found = editorsearch::Find(*FEditor1, OptionsOf(dialog)); });
  return found;
}

void TChildForm::Replace() {
  Guarded(this, [this] {
    editorsearch::Replace(*FEditor1, OptionsOf(*FReplaceDialog1), FReplaceDialog1->ReplaceText());
  });
}

void TChildForm::ReplaceAll() {
  Guarded(this, [this] {
    editorsearch::ReplaceAll(*FEditor1, OptionsOf(*FReplaceDialog1),
                             FReplaceDialog1->ReplaceText());
  });
}

void TChildForm::GotoLine() {
  const std::optional<QString> typed = FMainForm.Dialogs().GotoLine(this);
  if (!typed) return;
  // The lowest integer has no line before it; it goes to the first line like any other
  // number below 1.
  const int line = std::max(StrToIntTrim(typed->toStdString()), INT_MIN + 1) - 1;
  Guarded(this, [&] {
    FEditor1->SetCaret(FEditor1->CaretX(), line);
    FEditor1->SetCaret(0, FEditor1->CaretY());
  });
}

void TChildForm::ToggleBookmark(int number) {
  TBookmark& mark = FEditor1->Bookmarks()[number];
  if (mark.Valid && mark.Y == FEditor1->CaretY()) {
    mark.Valid = false;
  } else {
    mark = TBookmark{FEditor1->CaretX(), FEditor1->CaretY(), true};
  }
  // The gutter shows the change.
  FEditorView->Invalidate();
}

void TChildForm::GotoBookmark(int number) {
  const TBookmark mark = FEditor1->Bookmarks()[number];
  if (!mark.Valid) return;
  FEditor1->SetCaret(mark.X, FEditor1->CaretY());
  FEditor1->SetCaret(mark.X, mark.Y);
}
