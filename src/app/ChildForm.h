#pragma once
// A document window: one script in a highlighting editor, with its file name and title,
// the question whether to save changes when it closes, the Edit and Search menus with
// their shortcuts, find and replace, Go To and ten bookmarks numbered in the gutter.
// The implementation is split by concern:
//   ChildForm.cpp     the window, the editor's settings, the save prompt
//   ChildActions.cpp  actions, menus, shortcuts and the idle update
//   ChildSearch.cpp   find, replace, go to, bookmarks and the gutter numbers, with the
//                     count, the marked occurrences and find as you type
//   ChildView.cpp     line numbers in the gutter and the font height
//   ChildScript.cpp   the script's problems and labels: next problem, go to a label, back
#include <QList>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/DocumentFile.h"
#include "editor/EditorSearch.h"

class Canvas;
class EditorWidget;
class QAction;
class QMenu;
class TFindAsYouType;
class TFindDialog;
class TOccurrenceMarks;
class TSearchCount;
class TRACustomEditor;
class TColors;
class TRAHLEditor;
class TDocumentScript;
class TReplaceDialog;
struct TAppDialogs;

// Gives an editor the document window's settings: script highlighter, font, gutter with
// the bookmark numbers, tab stops, selection colours, colour scheme and (disabled)
// completion.
void ConfigureScriptEditor(TRAHLEditor& editor);
// The document window's colour scheme, "Classic"; printouts of a dark scheme use it.
void SetClassicColors(TColors& colors);

// The numbers of Editor's valid bookmarks, each in the gutter at the top of its line,
// ending 5 pixels left of the gutter's right edge.
void PaintBookmarkNumbers(TRACustomEditor& editor, Canvas& canvas);

class TChildForm : public QWidget {
  Q_OBJECT
 public:
  // Saves a window's document as the File menu's Save does (asking for a name when it
  // has none); the save prompt runs it.
  using TSave = std::function<void(TChildForm* window)>;

  // Dialogs asks the user (and must outlive the window); Save runs on "Save changes?" Yes.
  TChildForm(const TAppDialogs& dialogs, TSave save, QWidget* parent = nullptr);
  ~TChildForm() override;

  // ---- [ChildForm.cpp] the window and its document ----
  TRAHLEditor& Editor1() const { return *FEditor1; }
  EditorWidget& EditorView() const { return *FEditorView; }

  // The document's file name, the one its file on disk keeps; empty when untitled.
  const QString& FileName() const { return FDiskFile.FileName(); }
  // What the window knows of its file on disk. After a load, a save or a restore through
  // it, ShowFileName puts the name in the caption.
  TDocumentFile& DiskFile() { return FDiskFile; }
  const TDocumentFile& DiskFile() const { return FDiskFile; }
  // The caption: the file name, "Unnamed file" without one.
  void ShowFileName();

  // Whether the window may close: a modified document is brought to the front and asks
  // "Save changes?" first.
  bool CloseQuery();
  // Makes this the active document window, in front of the others.
  void BringToFront();

  // ---- [ChildActions.cpp] actions, menus, shortcuts, idle update ----
  // The menus the main window shows between its "&File" and "&Window" menus while this
  // window is the active document window.
  const QList<QMenu*>& MergedMenus() const { return FMergedMenus; }
  // Enables the actions by the state of the document, the clipboard and the dialogs.
  void UpdateActions();

  QAction* EditCut1 = nullptr;
  QAction* EditCopy1 = nullptr;
  QAction* EditPaste1 = nullptr;
  QAction* EditUndo1 = nullptr;
  QAction* SearchFind1 = nullptr;
  QAction* SearchFindNext1 = nullptr;
  QAction* SearchFindPrevious1 = nullptr;
  QAction* SearchFindInScripts1 = nullptr;
  QAction* SearchReplace1 = nullptr;
  QAction* SearchGoto = nullptr;
  QAction* SelectAll1 = nullptr;
  // By bookmark number, which is each action's tag: Toogle[1] is Toogle1, Toogle[0] is
  // Toogle0, GotoBook[0] is GotoBook10.
  std::array<QAction*, 10> Toogle{};
  std::array<QAction*, 10> GotoBook{};
  QMenu* EditMenu = nullptr;
  QMenu* SearchMenu = nullptr;
  QMenu* PopupMenu1 = nullptr;

  // ---- [ChildSearch.cpp] find, replace, go to, bookmarks ----
  TFindDialog& FindDialog1() const { return *FFindDialog1; }
  TReplaceDialog& ReplaceDialog1() const { return *FReplaceDialog1; }
  // Find with a dialog's text and Match case; whether it found an occurrence.
  bool Find(const TFindDialog& dialog);
  // Find with the Find dialog's text and options towards the start of the document.
  bool FindPrevious();
  // Shows the Find dialog; typing in it selects the first occurrence after the caret.
  void OpenFindDialog();
  // The status bar's search panel: "3 of 17", "17 matches", "counting..."; empty
  // without a search text.
  QString SearchStatus() const;
  // View > Highlight Word Under Caret: every occurrence of the caret's word marked.
  bool HighlightWord() const;
  void SetHighlightWord(bool on);
  void Replace();
  // Replaces every occurrence as one undo step; the status bar says how many.
  void ReplaceAll();
  // Shows the Replace dialog with the selection (within one line) or the last search text.
  void OpenReplaceDialog();
  // Asks for a line number and puts the caret at the start of that line.
  void GotoLine();
  void ToggleBookmark(int number);
  void GotoBookmark(int number);

  // ---- [ChildView.cpp] line numbers and font height ----
  bool LineNumbersShown() const { return FLineNumbers; }
  void ShowLineNumbers(bool on);
  void SetFontHeight(int height);

  // ---- [ChildScript.cpp] the script's problems and labels ----
  // What the window knows of its script: the model, its marks, the jumps, the suggestions.
  TDocumentScript& Script() const { return *FScript; }
  // Asks for a label, offering the script's labels, and goes there.
  void GotoLabel();
  // From the goto or menu entry at the caret to its label.
  void GotoDefinition();
  // Back to where the latest jump to a label started.
  void GoBack();
  // To the next (or previous) problem of the script.
  void GotoProblem(bool forward);

  QAction* SearchGotoLabel = nullptr;
  QAction* SearchDefinition = nullptr;
  QAction* SearchBack = nullptr;
  QAction* SearchNextProblem = nullptr;
  QAction* SearchPreviousProblem = nullptr;

 signals:
  // A short note for the status bar (a search that missed, how many were replaced).
  void Message(const QString& text);
  // Ctrl with the wheel: the text of every window larger (positive) or smaller.
  void ZoomRequested(int steps);
  // The window closes: its document was saved or its changes discarded.
  void Closed();
  // Search > Find in Open Scripts, with the text to search for (the selection or the
  // last search).
  void FindInOpenScriptsRequested(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // ChildActions.cpp
  void CreateActions();
  void CreateBookmarkActions();
  void CreateMenus();
  void BindShortcuts();
  // Ctrl+digit and Ctrl+Shift+digit by the key's digit, also where Shift types a symbol.
  bool HandleBookmarkKey(QEvent* event);
  // ChildSearch.cpp
  void CreateSearchDialogs();
  void CreateSearchActions();
  // The search the window marks and counts: the dialog's that changed or ran last.
  void SetWindowSearch(const editorsearch::TSearchOptions& options);
  // The Find dialog's text or options changed: marked, counted and shown as typed.
  void FindTyped();
  // The keyboard focus back to the editor, when a dialog closes.
  void FocusEditor();
  // Says in the status bar that Dialog's text was not found (with a beep), or that the
  // search wrapped.
  void ReportFind(editorsearch::TFindResult result, const TFindDialog& dialog,
                  bool backwards = false);
  // Whether the document is read-only, said in the status bar with a beep.
  bool RefuseReadOnly();
  // Whether Dialog's regular expression does not compile, said likewise with its error.
  bool RefuseInvalidPattern(const TFindDialog& dialog);
  // ChildScript.cpp: the actions above, in the Search menu after Go To, with their keys.
  void CreateScriptActions();
  // A move that could not be made: said in the status bar, with a beep.
  void Refuse(const QString& message);
  // ChildView.cpp: the gutter's numbers, and its width kept fitting the line count.
  void PaintGutter(Canvas& canvas);
  void FitGutter();

  const TAppDialogs& FDialogs;
  TSave FSave;
  TDocumentFile FDiskFile;
  EditorWidget* FEditorView = nullptr;
  TRAHLEditor* FEditor1 = nullptr;
  QList<QMenu*> FMergedMenus;
  TFindDialog* FFindDialog1 = nullptr;
  TReplaceDialog* FReplaceDialog1 = nullptr;
  // The text of the last search, which the Replace dialog offers.
  QString FLastSearchText;
  std::unique_ptr<TSearchCount> FSearchCount;
  std::unique_ptr<TOccurrenceMarks> FMarks;
  std::unique_ptr<TFindAsYouType> FTyping;
  bool FLineNumbers = false;
  // Goes before the editor it follows (the window's children go after its members).
  std::unique_ptr<TDocumentScript> FScript;
};
