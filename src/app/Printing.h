#pragma once
// Printing of a script and its export as a PDF file: the pages of TPagePainter, laid out
// and painted in short steps with a progress dialog that can cancel the job.
class QPrinter;
class QString;
class QWidget;
class TPrintSource;
struct TPrintOptions;

// Prints Source on Printer (set up: its page range, copies and page order are followed)
// as a job titled "Print file", with progress shown over Parent. False when cancelled
// (the job is aborted); a printer that cannot start throws EFileError.
bool PrintScript(TPrintSource& source, const TPrintOptions& options, QPrinter& printer,
                 QWidget* parent);

// Writes the same pages as a PDF file titled with Source's name, on the paper of the
// user's locale. The file is replaced only when it is complete; false when cancelled, a
// file that cannot be written throws EFileError.
bool ExportPdf(TPrintSource& source, const TPrintOptions& options, const QString& fileName,
               QWidget* parent);
