#pragma once
// The check of whole script files from the command line, in the form compilers report
// in, so that editors and build tools that read compiler output understand it.
#include <QStringList>
#include <iosfwd>

// Prints every problem of every file of FileNames to Out, in file and line order, as
// "FILE:LINE:COLUMN: error: MESSAGE" or "...: warning: ..." (line and column from 1, the
// file name as given); a file that cannot be read is named on Err with the reason.
// Returns 0 when no file has an error, 1 when some file has one, 2 when some file could
// not be read or none was named. Needs no display.
int CheckScripts(const QStringList& fileNames, std::ostream& out, std::ostream& err);
