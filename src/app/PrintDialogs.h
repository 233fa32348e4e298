#pragma once
// The standard dialogs of printing and export (TAppDialogs gives them to the program).
#include <QString>
#include <functional>

class QPrinter;
class QWidget;
struct TPrintOptions;

// The Print dialog with the printout's options on a tab of their own.
bool AskPrintSetup(QWidget* parent, QPrinter& printer, TPrintOptions& options);
// The preview of what Paint draws on its printer, modal.
void RunPrintPreview(QWidget* parent, const std::function<void(QPrinter& printer)>& paint);
// A Save dialog for an export: Filter's extension is added when none is typed.
QString AskExportFileName(QWidget* parent, const QString& proposed, const QString& filter);
