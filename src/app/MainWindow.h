#pragma once
// The main window: a multi-document frame with the file, view, window and help commands
// (recent files, line numbers, zoom and the list of open documents among them), a status
// bar refreshed every 100 ms, the settings kept between runs and files dropped on it. The
// documents themselves (open, save, reload, recovery) are TDocuments'.
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include "app/AppDialogs.h"
#include "app/RecentFiles.h"
#include "app/WindowList.h"
#include "app/Zoom.h"
#include "qt/Guarded.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QTimer;
class TChildForm;
class TDocuments;
class TEncodingMenu;
class TOpenScriptsPanel;
class TPrintCommands;
class TScriptAssist;

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // Loads the settings (bounds and FFilePath) before the window is first shown.
  explicit TForm1(TAppDialogs dialogs = TAppDialogs::Standard(), QWidget* parent = nullptr);
  ~TForm1() override;

  const QString& FilePath() const { return FFilePath; }
  QMdiArea& MdiArea() const { return *FMdiArea; }
  // The open documents: new, open, save, reload, recovery.
  TDocuments& Documents() const { return *FDocuments; }
  // File > Encoding.
  TEncodingMenu& EncodingMenu() const { return *FEncodingMenu; }
  // The Problems and Labels panels and the script word suggestions.
  TScriptAssist& ScriptAssist() const { return *FScriptAssist; }

  // Prints the active document on Printer (already set up).
  void Print(QPrinter& printer);
  // SIGTERM, SIGINT or SIGHUP: the drafts of unsaved changes are written, or, with none,
  // the program exits cleanly; no question is asked either way.
  void EndBySignal();

  // Panel 0 to 2 of the status bar.
  QString StatusPanel(int index) const;
  // The status bar's panel of the active document's encoding.
  QString EncodingStatus() const;
  // The status bar's search panel: the active document's count ("3 of 17").
  QString SearchStatus() const;
  // Search > Find in Open Scripts' panel.
  TOpenScriptsPanel& OpenScriptsPanel() const { return *FOpenScripts; }
  // Shows Text in panel 2, which the status refresh leaves alone, for a few seconds;
  // an empty Text clears it.
  void ShowMessage(const QString& text);

  // The files last opened or saved, listed in the File menu.
  TRecentFiles& RecentFiles() { return FRecentFiles; }
  // Opens a file of that list; one that no longer exists leaves the list, with a message.
  void OpenRecentFile(const QString& fileName);
  // The line numbers and the font height of every document window's editor.
  bool LineNumbers() const { return FLineNumbers; }
  void SetLineNumbers(bool on);
  int FontHeight() const { return FFontHeight; }
  // View > Highlight Word Under Caret, for every document window.
  void SetHighlightWord(bool on);
  void SetFontHeight(int height);
  // Steps larger (negative: smaller), as Ctrl with the wheel does.
  void ZoomBy(int steps);
  // The status refresh and the action update, run by Timer1 and on window activation.
  void UpdateStatus();
  void UpdateActions();

  // The actions, named by role.
  QAction* Action1 = nullptr;  // New
  QAction* FileOpen1 = nullptr;
  QAction* Action2 = nullptr;  // Save
  QAction* FileSaveAs1 = nullptr;
  QAction* PrintDlg1 = nullptr;
  QAction* FileExit1 = nullptr;
  QAction* WindowClose1 = nullptr;
  QAction* WindowCascade1 = nullptr;
  QAction* WindowTileHorizontal1 = nullptr;
  QAction* WindowTileVertical1 = nullptr;
  QAction* WindowMinimizeAll1 = nullptr;
  QAction* WindowArrange1 = nullptr;
  QAction* About1 = nullptr;
  QAction* LineNumbers1 = nullptr;
  QAction* HighlightWord1 = nullptr;
  QAction* ZoomIn1 = nullptr;
  QAction* ZoomOut1 = nullptr;
  QAction* ZoomReset1 = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  // Files dropped on the window open as Open does, one document window each.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateStatusBar();
  void CreateViewMenu();
  void CreateDocuments();
  // The document-dependent parts of the File and Window menus, filled as they open.
  void ShowRecentFiles();
  void ShowWindowList();
  // A window's editor takes the line numbers and font height.
  void ApplyView(TChildForm* child) const;
  void ApplySettings();
  void WriteSettings();
  void OnSubWindowActivated(QMdiSubWindow* window);
  void MergeMenus(TChildForm* child);
  void ExecuteOpen();
  void ExecutePrint();
  void CascadeWindows();
  void TileWindows(bool sideBySide);
  void ArrangeIcons();

  TAppDialogs FDialogs;
  // The report of failures before this window took it over (qt/Guarded.h).
  ErrorReporter FPreviousReporter;
  QString FFilePath;
  QMdiArea* FMdiArea = nullptr;
  TDocuments* FDocuments = nullptr;
  QMenu* FFileMenu = nullptr;
  QMenu* FWindowMenu = nullptr;
  QMenu* FHelpMenu = nullptr;
  QMenu* FViewMenu = nullptr;
  TEncodingMenu* FEncodingMenu = nullptr;
  TRecentFiles FRecentFiles;
  TWindowList FWindowList;
  bool FLineNumbers = false;
  bool FHighlightWord = false;
  int FFontHeight = kDesignFontHeight;
  QTimer* FMessageTimer = nullptr;
  QList<QPointer<QMenu>> FMergedMenus;
  QLabel* FPanels[3] = {};
  QLabel* FEncodingPanel = nullptr;
  QLabel* FSearchPanel = nullptr;
  TOpenScriptsPanel* FOpenScripts = nullptr;
  TPrintCommands* FPrintCommands = nullptr;
  TScriptAssist* FScriptAssist = nullptr;
};
