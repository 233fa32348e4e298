// The document window's search commands: Find, Replace and Replace All through its two
// modeless dialogs, Go To line, the ten bookmarks and their numbers in the gutter.
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <algorithm>
#include <climits>
#include <optional>
#include <string>

#include "app/AppDialogs.h"
#include "app/ChildForm.h"
#include "app/FindDialogs.h"
#include "editor/EditorSearch.h"
#include "highlight/RAHLEditor.h"
#include "platform/Canvas.h"
#include "qt/Codepage1252.h"
#include "qt/EditorWidget.h"
#include "qt/Guarded.h"
#include "util/xProcs.h"

namespace {

// A search text as the status bar names it: on one line, cut when it is long.
QString Quoted(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
      .replace(QLatin1Char('\n'), QLatin1Char(' '));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  constexpr int kLongest = 40;
  if (text.size() > kLongest) text = text.left(kLongest - 3) + QStringLiteral("...");
  return QLatin1Char('"') + text + QLatin1Char('"');
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
  connect(FReplaceDialog1, &TFindDialog::FindNextClicked, this, [this] { Find(*FReplaceDialog1); });
  connect(FReplaceDialog1, &TReplaceDialog::ReplaceClicked, this, &TChildForm::Replace);
  connect(FReplaceDialog1, &TReplaceDialog::ReplaceAllClicked, this, &TChildForm::ReplaceAll);
  for (QDialog* dialog :
       {static_cast<QDialog*>(FFindDialog1), static_cast<QDialog*>(FReplaceDialog1)})
    connect(dialog, &QDialog::finished, this, &TChildForm::FocusEditor);
}

void TChildForm::FocusEditor() {
  // The dialog was the active window; the document window takes the keys again.
  window()->activateWindow();
  FEditorView->setFocus();
}

bool TChildForm::Find(const TFindDialog& dialog) {
  editorsearch::TFindResult result = editorsearch::frNotFound;
  Guarded(this, [&] { result = editorsearch::Find(*FEditor1, dialog.Options()); });
  ReportFind(result, dialog);
  return result != editorsearch::frNotFound;
}

void TChildForm::Replace() {
  if (RefuseReadOnly()) return;
  editorsearch::TFindResult result = editorsearch::frNotFound;
  Guarded(this, [&] {
    result = editorsearch::Replace(*FEditor1, FReplaceDialog1->Options(),
                                   FReplaceDialog1->ReplaceText());
  });
  ReportFind(result, *FReplaceDialog1);
}

void TChildForm::ReplaceAll() {
  if (RefuseReadOnly()) return;
  int count = 0;
  Guarded(this, [&] {
    count = editorsearch::ReplaceAll(*FEditor1, FReplaceDialog1->Options(),
                                     FReplaceDialog1->ReplaceText());
  });
  if (count == 0) {
    ReportFind(editorsearch::frNotFound, *FReplaceDialog1);
    return;
  }
  FLastSearchText = FReplaceDialog1->FindEdit->text();
  emit Message(QStringLiteral("Replaced %1 %2 of %3")
                   .arg(count)
                   .arg(count == 1 ? QStringLiteral("occurrence") : QStringLiteral("occurrences"))
                   .arg(Quoted(FLastSearchText)));
}

bool TChildForm::RefuseReadOnly() {
  // Replacing goes around the editor's commands, so it asks the editor's ReadOnly itself.
  if (!FEditor1->ReadOnly()) return false;
  emit Message(QStringLiteral("The document is read-only; nothing was replaced"));
  QApplication::beep();
  return true;
}

void TChildForm::ReportFind(editorsearch::TFindResult result, const TFindDialog& dialog) {
  // A miss must not look like a program that did nothing: it is said and heard.
  FLastSearchText = dialog.FindEdit->text();
  switch (result) {
    case editorsearch::frNotFound:
      emit Message(QStringLiteral("Cannot find %1").arg(Quoted(FLastSearchText)));
      QApplication::beep();
      break;
    case editorsearch::frWrapped:
      emit Message(QStringLiteral("Passed the end of the script, continued from the top"));
      break;
    default:
      emit Message(QString());
  }
}

void TChildForm::OpenReplaceDialog() {
  // The selection when it lies within one line, otherwise the last text searched for.
  const std::string selected = FEditor1->Selected() ? FEditor1->GetSelText() : std::string();
  if (!selected.empty() && selected.find_first_of("\r\n") == std::string::npos) {
    FReplaceDialog1->FindEdit->setText(Codepage1252::ToQString(selected));
  } else if (!FLastSearchText.isEmpty()) {
    FReplaceDialog1->FindEdit->setText(FLastSearchText);
  }
  FReplaceDialog1->Execute();
}

void TChildForm::GotoLine() {
  const std::optional<QString> typed = FDialogs.GotoLine(this);
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
