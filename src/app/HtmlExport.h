#pragma once
// A script as a standalone web page: its lines in one <pre> element, each run of cells in
// the colours the control paints it with (as on paper) through a CSS class per token
// class of the scheme, the file's name as the page's title, in UTF-8. Only "<", ">" and
// "&" are written as entities; every other character of the text is written as it is.
class QIODevice;
class QString;
class QWidget;
class TPrintSource;
class TWorkProgress;

// Writes the page to Out; false when Progress was cancelled.
bool WriteHtml(TPrintSource& source, QIODevice& out, TWorkProgress& progress);

// Writes the page to FileName, replaced only when it is complete, with progress shown over
// Parent; false when cancelled. A file that cannot be written throws EFileError.
bool ExportHtml(TPrintSource& source, const QString& fileName, QWidget* parent);
