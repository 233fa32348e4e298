#pragma once
// A document window: one script in a highlighting editor, with its file name and title,
// the question whether to save changes when it closes, the Edit and Search menus with
// their shortcuts, find and replace, Go To and ten bookmarks numbered in the gutter.
// The implementation is split by concern:
//   ChildForm.cpp     the window, the editor's settings, the save prompt
//   ChildActions.cpp  actions, menus, shortcuts and the idle update
//   ChildSearch.cpp   find, replace, go to, bookmarks and the gutter numbers
//   ChildView.cpp     line numbers in the gutter and the font height
#include <QList>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "app/DocumentFile.h"

class Canvas;
class EditorWidget;
class QAction;
class QMenu;
class TFindDialog;
class TForm1;
class TRACustomEditor;
class TRAHLEditor;
class TReplaceDialog;

// Gives an editor the document window's settings: script highlighter, font, gutter with
// the bookmark numbers, tab stops, selection colours, colour scheme and (disabled)
// completion.
void ConfigureScriptEditor(TRAHLEditor& editor);

// The numbers of Editor's valid bookmarks, each in the gutter at the top of its line,
// ending 5 pixels left of the gutter's right edge.
void PaintBookmarkNumbers(TRACustomEditor& editor, Canvas& canvas);

class TChildForm : public QWidget {
  Q_OBJECT
 public:
  explicit TChildForm(TForm1& mainForm, QWidget* parent = nullptr);
  ~TChildForm() override;

  // ---- [ChildForm.cpp] the window and its document ----
  TRAHLEditor& Editor1() const { return *FEditor1; }
  EditorWidget& EditorView() const { return *FEditorView; }
  TForm1& MainForm() const { return FMainForm; }

  const QString& FileName() const { return FFileName; }
  // The document's file name; the caption shows it.
  void SetFileName(const QString& fileName);
  // What the window knows of its file on disk.
  TDocumentFile& DiskFile() { return FDiskFile; }

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
  // The keyboard focus back to the editor, when a dialog closes.
  void FocusEditor();
  // Says in the status bar that Dialog's text was not found (with a beep), or that the
  // search wrapped; Result is an editorsearch::TFindResult.
  void ReportFind(int result, const TFindDialog& dialog);
  // Whether the document is read-only, said in the status bar with a beep.
  bool RefuseReadOnly();
  // Whether Dialog's regular expression does not compile, said likewise with its error.
  bool RefuseInvalidPattern(const TFindDialog& dialog);
  // ChildView.cpp: the gutter's numbers, and its width kept fitting the line count.
  void PaintGutter(Canvas& canvas);
  void FitGutter();

  TForm1& FMainForm;
  QString FFileName;
  TDocumentFile FDiskFile;
  EditorWidget* FEditorView = nullptr;
  TRAHLEditor* FEditor1 = nullptr;
  QList<QMenu*> FMergedMenus;
  TFindDialog* FFindDialog1 = nullptr;
  TReplaceDialog* FReplaceDialog1 = nullptr;
  // The text of the last search, which the Replace dialog offers.
  QString FLastSearchText;
  bool FLineNumbers = false;
};
