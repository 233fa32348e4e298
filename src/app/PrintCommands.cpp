#include "app/PrintCommands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>

#include "app/Actions.h"
#include "app/AppDialogs.h"
#include "app/ChildForm.h"
#include "app/HtmlExport.h"
#include "app/PrintOptions.h"
#include "app/PrintSource.h"
#include "app/Printing.h"
#include "qt/Guarded.h"

TPrintCommands::TPrintCommands(QWidget* window, TAppDialogs& dialogs,
                               std::function<TChildForm*()> active,
                               std::function<void(const QString&)> showMessage)
    : QObject(window),
      FWindow(window),
      FDialogs(dialogs),
      FActive(std::move(active)),
      FShowMessage(std::move(showMessage)) {
  FilePrintPreview1 = MakeAction(this, QStringLiteral("Print Pre&view..."), {},
                                 "Print Preview|Shows the pages as they will be printed");
  connect(FilePrintPreview1, &QAction::triggered, this, &TPrintCommands::Preview);
  FileExportPdf1 = MakeAction(this, QStringLiteral("&PDF..."), {},
                              "Export PDF|Writes the pages as they print into a PDF file");
  connect(FileExportPdf1, &QAction::triggered, this, &TPrintCommands::ExportPdf);
  FileExportHtml1 = MakeAction(this, QStringLiteral("&HTML..."), {},
                               "Export HTML|Writes the script with its colours as a web page");
  connect(FileExportHtml1, &QAction::triggered, this, &TPrintCommands::ExportHtml);
  ExportMenu = new QMenu(QStringLiteral("Expor&t"), window);
  ExportMenu->addActions({FileExportPdf1, FileExportHtml1});
}

QList<QAction*> TPrintCommands::MenuActions() const {
  return {FilePrintPreview1, ExportMenu->menuAction()};
}

void TPrintCommands::UpdateActions() {
  const bool active = FActive() != nullptr;
  FilePrintPreview1->setEnabled(active);
  ExportMenu->setEnabled(active);
  FileExportPdf1->setEnabled(active);
  FileExportHtml1->setEnabled(active);
}

TPrintOptions TPrintCommands::Options(const TChildForm& child) const {
  return LoadPrintOptions(child.LineNumbersShown());
}

QString TPrintCommands::ProposedName(const TChildForm& child, const QString& extension) {
  if (child.FileName().isEmpty()) return child.windowTitle() + QLatin1Char('.') + extension;
  const QFileInfo info(child.FileName());
  return info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + extension);
}

TPrintSource TPrintCommands::Source(TChildForm& child) {
  const QString name =
      child.FileName().isEmpty() ? child.windowTitle() : QFileInfo(child.FileName()).fileName();
  return TPrintSource(child.Editor1(), name);
}

void TPrintCommands::Report(bool done, const QString& what) {
  if (FShowMessage) FShowMessage(done ? what : QStringLiteral("Cancelled"));
}

void TPrintCommands::Print() {
  TChildForm* child = FActive();
  if (child == nullptr) return;
  QPrinter printer(QPrinter::HighResolution);
  TPrintOptions options = Options(*child);
  if (!FDialogs.PrintSetup(FWindow, printer, options)) return;
  SavePrintOptions(options);
  Guarded(FWindow, [&] {
    TPrintSource source = Source(*child);
    Report(PrintScript(source, options, printer, FWindow),
           QStringLiteral("Printed %1").arg(source.Name()));
  });
}

void TPrintCommands::PrintOn(QPrinter& printer) {
  TChildForm* child = FActive();
  if (child == nullptr) return;
  Guarded(FWindow, [&] {
    TPrintSource source = Source(*child);
    PrintScript(source, Options(*child), printer, FWindow);
  });
}

void TPrintCommands::Preview() {
  TChildForm* child = FActive();
  if (child == nullptr) return;
  TPrintSource source = Source(*child);
  const TPrintOptions options = Options(*child);
  FDialogs.PrintPreview(FWindow,
                        [&](QPrinter& printer) { PrintScript(source, options, printer, FWindow); });
}

void TPrintCommands::ExportPdf() {
  ExportTo(QStringLiteral("pdf"), QStringLiteral("PDF Files (*.pdf)"),
           [this](TPrintSource& source, const TChildForm& child, const QString& fileName) {
             return ::ExportPdf(source, Options(child), fileName, FWindow);
           });
}

void TPrintCommands::ExportHtml() {
  ExportTo(QStringLiteral("html"), QStringLiteral("HTML Files (*.html *.htm)"),
           [this](TPrintSource& source, const TChildForm&, const QString& fileName) {
             return ::ExportHtml(source, fileName, FWindow);
           });
}

void TPrintCommands::ExportTo(const QString& extension, const QString& filter,
                              const TExport& write) {
  TChildForm* child = FActive();
  if (child == nullptr) return;
  const QString fileName =
      FDialogs.ExportFileName(FWindow, ProposedName(*child, extension), filter);
  if (fileName.isEmpty()) return;
  Guarded(FWindow, [&] {
    TPrintSource source = Source(*child);
    Report(write(source, *child, fileName), QStringLiteral("Exported to %1").arg(fileName));
  });
}
