#pragma once
// The File menu's printing and export of the active document: Print... (the Print dialog
// with the printout's options on a tab, remembered in the settings), Print Preview...,
// and Export with PDF... and HTML.... Each works on the document window it is told is
// active, and does nothing without one.
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QPrinter;
class QWidget;
class TChildForm;
class TPrintSource;
struct TAppDialogs;
struct TPrintOptions;

class TPrintCommands : public QObject {
  Q_OBJECT
 public:
  // Window is the parent of the dialogs; ShowMessage says in the status bar how a job
  // ended.
  TPrintCommands(QWidget* window, TAppDialogs& dialogs, std::function<TChildForm*()> active,
                 std::function<void(const QString&)> showMessage);

  // Print Preview... and the Export menu, for the File menu after Print...
  QList<QAction*> MenuActions() const;
  // Enables the commands while a document window is active.
  void UpdateActions();

  // Asks with the Print dialog, then prints.
  void Print();
  // Prints on Printer (set up) with the options last chosen.
  void PrintOn(QPrinter& printer);
  void Preview();
  void ExportPdf();
  void ExportHtml();

  QAction* FilePrintPreview1 = nullptr;
  QAction* FileExportPdf1 = nullptr;
  QAction* FileExportHtml1 = nullptr;
  QMenu* ExportMenu = nullptr;

 private:
  TPrintOptions Options(const TChildForm& child) const;
  // The file name an export proposes: the script's, with Extension.
  static QString ProposedName(const TChildForm& child, const QString& extension);
  static TPrintSource Source(TChildForm& child);
  // What a finished, cancelled or failed job says in the status bar.
  void Report(bool done, const QString& what);
  // Writes the active document to a file the user names (proposed with Extension, offered
  // with Filter) through Write, which says whether it finished.
  using TExport =
      std::function<bool(TPrintSource& source, const TChildForm& child, const QString& fileName)>;
  void ExportTo(const QString& extension, const QString& filter, const TExport& write);

  QWidget* FWindow;
  TAppDialogs& FDialogs;
  std::function<TChildForm*()> FActive;
  std::function<void(const QString&)> FShowMessage;
};
