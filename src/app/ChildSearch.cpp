// The document window's search commands: Find, Find Previous, Replace and Replace All
// through its two modeless dialogs, with the search's occurrences marked and counted and
// the Find dialog's find as you type; Find in Open Scripts asked of the main window; Go To
// line, the ten bookmarks and their numbers in the gutter.
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <algorithm>
#include <climits>
#include <optional>
#include <string>

#include "app/Actions.h"
#include "app/AppDialogs.h"
#include "app/ChildForm.h"
#include "app/FindAsYouType.h"
#include "app/FindDialogs.h"
#include "app/OccurrenceMarks.h"
#include "app/SearchCount.h"
#include "app/Shortcuts.h"
#include "editor/EditorSearch.h"
#include "editor/SearchBackward.h"
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

// The selection when it lies within one line, which a search dialog offers as its text;
// empty otherwise.
QString OneLineSelection(const TRACustomEditor& editor) {
  const std::string selected = editor.Selected() ? editor.GetSelText() : std::string();
  if (selected.find_first_of("\r\n") != std::string::npos) return QString();
  return Codepage1252::ToQString(selected);
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
  FSearchCount = std::make_unique<TSearchCount>(*FEditor1);
  FMarks = std::make_unique<TOccurrenceMarks>(*FEditor1, *FEditorView);
  FTyping = std::make_unique<TFindAsYouType>(*FEditor1);
  connect(FFindDialog1, &TFindDialog::SearchChanged, this, &TChildForm::FindTyped);
  connect(FReplaceDialog1, &TFindDialog::SearchChanged, this,
          [this] { SetWindowSearch(FReplaceDialog1->Options()); });
  // Escape, Cancel or the close box: the caret goes back where the typing found it.
  connect(FFindDialog1, &QDialog::rejected, this,
          [this] { Guarded(this, [this] { FTyping->Cancel(); }); });
}

void TChildForm::CreateSearchActions() {
  SearchFindPrevious1 =
      MakeAction(this, "Find Pre&vious", Qt::SHIFT | Qt::Key_F3,
                 "Find Previous|Repeats the last find towards the start of the script");
  connect(SearchFindPrevious1, &QAction::triggered, this, &TChildForm::FindPrevious);
  SearchFindInScripts1 =
      MakeAction(this, "Find in &Open Scripts...", Qt::CTRL | Qt::SHIFT | Qt::Key_F,
                 "Find in Open Scripts|Lists every occurrence in every open script");
  connect(SearchFindInScripts1, &QAction::triggered, this, [this] {
    const QString selected = OneLineSelection(*FEditor1);
    emit FindInOpenScriptsRequested(selected.isEmpty() ? FLastSearchText : selected);
  });
  for (QAction* action : {SearchFindPrevious1, SearchFindInScripts1})
    BindWindowShortcut(action, this, Qt::WidgetWithChildrenShortcut, [this] { UpdateActions(); });
}

void TChildForm::OpenFindDialog() {
  FTyping->Anchor();
  FFindDialog1->Execute();
  SetWindowSearch(FFindDialog1->Options());
}

void TChildForm::FindTyped() {
  const editorsearch::TSearchOptions options = FFindDialog1->Options();
  SetWindowSearch(options);
  // Only typing in the open dialog moves the selection; its text set from elsewhere does not.
  if (FFindDialog1->isVisible()) Guarded(this, [&] { FTyping->Preview(options); });
}

void TChildForm::SetWindowSearch(const editorsearch::TSearchOptions& options) {
  FMarks->SetSearch(options);
  FSearchCount->SetSearch(options);
}

QString TChildForm::SearchStatus() const {
  return FSearchCount->Text();
}

bool TChildForm::HighlightWord() const {
  return FMarks->WordShown();
}

void TChildForm::SetHighlightWord(bool on) {
  FMarks->SetWordShown(on);
}

void TChildForm::FocusEditor() {
  // The dialog was the active window; the document window takes the keys again.
  window()->activateWindow();
  FEditorView->setFocus();
}

bool TChildForm::RefuseInvalidPattern(const TFindDialog& dialog) {
  const QString error = dialog.PatternError();
  if (error.isEmpty()) return false;
  emit Message(QStringLiteral("Invalid regular expression: %1").arg(error));
  QApplication::beep();
  return true;
}

bool TChildForm::Find(const TFindDialog& dialog) {
  if (RefuseInvalidPattern(dialog)) return false;
  SetWindowSearch(dialog.Options());
  const bool typing = &dialog == FFindDialog1;
  editorsearch::TFindResult result = editorsearch::frNotFound;
  if (typing && FTyping->Previewing()) {
    // The occurrence the typing selected is the one this Find selects: it stays, for good.
    result = editorsearch::frFound;
  } else {
    Guarded(this, [&] { result = editorsearch::Find(*FEditor1, dialog.Options()); });
  }
  if (typing) FTyping->Anchor();
  ReportFind(result, dialog);
  return result != editorsearch::frNotFound;
}

bool TChildForm::FindPrevious() {
  if (RefuseInvalidPattern(*FFindDialog1)) return false;
  const editorsearch::TSearchOptions options = FFindDialog1->Options();
  SetWindowSearch(options);
  editorsearch::TFindResult result = editorsearch::frNotFound;
  Guarded(this, [&] { result = editorsearch::FindPrevious(*FEditor1, options); });
  FTyping->Anchor();
  ReportFind(result, *FFindDialog1, true);
  return result != editorsearch::frNotFound;
}

void TChildForm::Replace() {
  if (RefuseReadOnly() || RefuseInvalidPattern(*FReplaceDialog1)) return;
  editorsearch::TFindResult result = editorsearch::frNotFound;
  Guarded(this, [&] {
    result = editorsearch::Replace(*FEditor1, FReplaceDialog1->Options(),
                                   FReplaceDialog1->ReplaceText());
  });
  ReportFind(result, *FReplaceDialog1);
}

void TChildForm::ReplaceAll() {
  if (RefuseReadOnly() || RefuseInvalidPattern(*FReplaceDialog1)) return;
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

void TChildForm::ReportFind(editorsearch::TFindResult result, const TFindDialog& dialog,
                            bool backwards) {
  // A miss must not look like a program that did nothing: it is said and heard.
  FLastSearchText = dialog.FindEdit->text();
  switch (result) {
    case editorsearch::frNotFound:
      emit Message(QStringLiteral("Cannot find %1").arg(Quoted(FLastSearchText)));
      QApplication::beep();
      break;
    case editorsearch::frWrapped:
      emit Message(backwards
                       ? QStringLiteral("Passed the start of the script, continued from the end")
                       : QStringLiteral("Passed the end of the script, continued from the top"));
      break;
    default:
      emit Message(QString());
  }
}

void TChildForm::OpenReplaceDialog() {
  // The selection when it lies within one line, otherwise the last text searched for.
  const QString selected = OneLineSelection(*FEditor1);
  if (!selected.isEmpty()) {
    FReplaceDialog1->FindEdit->setText(selected);
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
