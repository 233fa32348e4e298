#pragma once
// The main window: a multi-document frame with the file, view, window and help commands
// (recent files, line numbers, zoom and the list of open documents among them), a status
// bar refreshed every 100 ms and the settings kept between runs.
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include "app/AppDialogs.h"
#include "app/RecentFiles.h"
#include "app/WindowList.h"
#include "qt/Guarded.h"
#include "util/TextCodec.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QTimer;
class TChildForm;
class TFileWatcher;
class TPrintCommands;
class TRecoveryDrafts;
struct TOrphanDraft;

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // Loads the settings (bounds and FFilePath) before the window is first shown.
  explicit TForm1(TAppDialogs dialogs = TAppDialogs::Standard(), QWidget* parent = nullptr);
  ~TForm1() override;

  TAppDialogs& Dialogs() { return FDialogs; }
  const QString& FilePath() const { return FFilePath; }
  QMdiArea& MdiArea() const { return *FMdiArea; }

  // The document windows, the active one first (the order of the close queries).
  QList<TChildForm*> MDIChildren() const;
  int MDIChildCount() const;
  TChildForm* ActiveMDIChild() const;

  // A new, untitled, empty document window; it becomes the active one.
  TChildForm* NewDocument();
  // A new document window holding FileName (a failure to read it is reported, and the
  // window stays, titled with the name and empty). FFilePath takes the file's folder.
  TChildForm* OpenFile(const QString& fileName);
  // Writes Window's document to its file, or asks for a name when it has none.
  // Failures are reported; the document then stays modified.
  void SaveDocument(TChildForm* window);
  // Asks for a file name and saves Window's document under it.
  void SaveDocumentAs(TChildForm* window);
  // Writes Window's document to FileName, which becomes its name.
  void SaveAs(TChildForm* window, const QString& fileName);
  // Prints the active document on Printer (already set up).
  void Print(QPrinter& printer);

  // ---- [MainEncoding.cpp] the encoding of the next save, characters not shown ----
  // Makes Child read-only, with a warning, while its file holds characters the document
  // cannot show; editable again once it holds none.
  void KeepUnshownCharacters(TChildForm* child);
  // The status bar's panel of the active document's encoding.
  QString EncodingStatus() const;

  // ---- [MainRecovery.cpp] recovery drafts, files changed on disk, ending by signal ----
  TRecoveryDrafts& Drafts() const { return *FDrafts; }
  TFileWatcher& Watcher() const { return *FWatcher; }
  // At program start: offers the drafts of copies that ended without saving.
  void OfferRecovery();
  // A document window holding Draft's text, modified, under its file's name.
  TChildForm* RestoreDraft(const TOrphanDraft& draft);
  // SIGTERM, SIGINT or SIGHUP: the drafts of unsaved changes are written, or, with none,
  // the program exits cleanly; no question is asked either way.
  void EndBySignal();

  // Panel 0 to 2 of the status bar.
  QString StatusPanel(int index) const;
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
  QAction* ZoomIn1 = nullptr;
  QAction* ZoomOut1 = nullptr;
  QAction* ZoomReset1 = nullptr;
  QTimer* Timer1 = nullptr;
  // File > Encoding: the encoding the active document's next save writes.
  QMenu* EncodingMenu = nullptr;
  QAction* EncodingUtf8 = nullptr;
  QAction* EncodingUtf8Bom = nullptr;
  QAction* Encoding1252 = nullptr;

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
  // The document-dependent parts of the File and Window menus, filled as they open.
  void ShowRecentFiles();
  void ShowWindowList();
  // A window's editor takes the line numbers and font height.
  void ApplyView(TChildForm* child) const;
  void ApplySettings();
  void WriteSettings();
  void OnSubWindowActivated(QMdiSubWindow* window);
  // MainRecovery.cpp
  void CreateRecovery();
  // After a save: the file goes to the top of the recent files, its draft goes, and
  // the watcher takes what is on disk now as the document's own.
  void DocumentSaved(TChildForm* window);
  void MergeMenus(TChildForm* child);
  // Writes Window's document to FileName unless that would destroy what the user has not
  // seen and the user does not confirm it; false when nothing was written.
  bool WriteDocument(TChildForm* window, const QString& fileName);
  void ExecuteOpen();
  void ExecutePrint();
  void PlaceNewWindow(QMdiSubWindow* window);
  void CascadeWindows();
  void TileWindows(bool sideBySide);
  void ArrangeIcons();
  // MainEncoding.cpp
  void CreateEncodingMenu();
  // Makes Encoding the active document's encoding for its next save.
  void SetDocumentEncoding(TTextEncoding encoding);
  void UpdateEncodingActions(TChildForm* child);

  TAppDialogs FDialogs;
  // The report of failures before this window took it over (qt/Guarded.h).
  ErrorReporter FPreviousReporter;
  QString FFilePath;
  QMdiArea* FMdiArea = nullptr;
  QMenu* FFileMenu = nullptr;
  QMenu* FWindowMenu = nullptr;
  QMenu* FHelpMenu = nullptr;
  QMenu* FViewMenu = nullptr;
  TRecentFiles FRecentFiles;
  TWindowList FWindowList;
  bool FLineNumbers = false;
  int FFontHeight = 13;
  QTimer* FMessageTimer = nullptr;
  QList<QPointer<QMenu>> FMergedMenus;
  QLabel* FPanels[3] = {};
  QLabel* FEncodingPanel = nullptr;
  TRecoveryDrafts* FDrafts = nullptr;
  TFileWatcher* FWatcher = nullptr;
  TPrintCommands* FPrintCommands = nullptr;
};
