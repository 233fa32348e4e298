#include "app/ScriptCheck.h"

#include <ostream>

#include "app/ScriptFile.h"
#include "editor/LineList.h"
#include "highlight/ScriptModel.h"
#include "util/Errors.h"

namespace {

const char* SeverityName(TScriptSeverity severity) {
  return severity == TScriptSeverity::Error ? "error" : "warning";
}

// The reason an EFileError gives on its second line, after the file's name.
std::string ReadFailure(const std::string& what) {
  const size_t breakAt = what.find('\n');
  if (breakAt == std::string::npos) return what;
  return what.substr(0, breakAt) + ": " + what.substr(breakAt + 1);
}

}  // namespace

int CheckScripts(const QStringList& fileNames, std::ostream& out, std::ostream& err) {
  if (fileNames.isEmpty()) {
    err << "marvekedit: --check needs the scripts to check\n";
    return 2;
  }
  int result = 0;
  LineList lines;
  TScriptModel model;
  for (const QString& fileName : fileNames) {
    try {
      LoadScript(fileName, lines);
    } catch (const EFileError& e) {
      err << ReadFailure(e.what()) << '\n';
      result = 2;
      continue;
    }
    model.Reset(TScriptLinesOf<LineList>(lines));
    const std::string name = fileName.toLocal8Bit().toStdString();
    for (const TScriptProblem& p : model.Problems()) {
      out << name << ':' << p.Line + 1 << ':' << p.Column + 1 << ": " << SeverityName(p.Severity)
          << ": " << p.Message << '\n';
      if (p.Severity == TScriptSeverity::Error && result == 0) result = 1;
    }
  }
  out.flush();
  return result;
}
