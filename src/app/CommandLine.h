#pragma once
// The program's command line: options, and the files to open.
//
//   marvekedit [options] [[+LINE] FILE]... [-- FILE...]
//
// "--help"/"-h" and "--version"/"-v" answer on standard output and end the program; an
// unknown option is an error, said with the usage on standard error, exit code 2.
// "+LINE" before a file name opens that file with the caret at the start of line LINE
// (counted from 1). After "--" every argument is a file name, also one that starts with
// "-" or "+". Every option is one entry of the table in CommandLine.cpp.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct TFileToOpen {
  QString Path;  // as given, relative to the working folder or absolute
  int Line = 0;  // 1-based line for the caret; 0 leaves it where opening puts it
};

struct TCommandLine {
  QList<TFileToOpen> Files;
  // Set when the program ends at once, without a window: Output goes to standard output
  // for exit code 0 and to standard error otherwise.
  std::optional<int> ExitCode;
  QString Output;
};

// Reads Arguments (the program's name first, as QCoreApplication::arguments gives them).
TCommandLine ParseCommandLine(const QStringList& arguments);
