#include "app/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <functional>
#include <vector>

namespace {

const QString kProgram = QStringLiteral("marvekedit");

// One option of the program: how it is spelt and described, and what giving it does.
// Usage is the help text, for options that print it.
struct TOption {
  QCommandLineOption Spelling;
  std::function<void(TCommandLine& line, const QCommandLineParser& parser, const QString& usage)>
      Apply;
};

std::vector<TOption> Options() {
  return {
      {QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                          QStringLiteral("Shows this help and ends.")),
       [](TCommandLine& line, const QCommandLineParser&, const QString& usage) {
         line.ExitCode = 0;
         line.Output = usage;
       }},
      {QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                          QStringLiteral("Shows the program's version and ends.")),
       [](TCommandLine& line, const QCommandLineParser&, const QString&) {
         line.ExitCode = 0;
         line.Output = kProgram + QLatin1Char(' ') + QStringLiteral(MARVEK_VERSION "\n");
       }},
  };
}

QString Usage(const QCommandLineParser& parser) {
  // The parser's own text names the program by the application object, which does not
  // exist yet when the command line is read: the first line is written here.
  QString options = parser.helpText();
  options.remove(0, options.indexOf(QLatin1Char('\n')) + 1);
  return QStringLiteral("Usage: %1 [options] [[+LINE] FILE]... [-- FILE...]\n").arg(kProgram) +
         options;
}

// "+N" with N a positive number: the line for the file that follows.
std::optional<int> LineArgument(const QString& argument) {
  static const QRegularExpression kLine(QStringLiteral("^\\+([1-9][0-9]{0,8})$"));
  const QRegularExpressionMatch match = kLine.match(argument);
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1).toInt();
}

// The files among the arguments before "--": "+N" applies to the file right after it; a
// "+N" with no file after it is a file name itself.
QList<TFileToOpen> FilesOf(const QStringList& arguments) {
  QList<TFileToOpen> files;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const std::optional<int> line = LineArgument(arguments[i]);
    if (line && i + 1 < arguments.size()) {
      files.append({arguments[++i], *line});
    } else {
      files.append({arguments[i], 0});
    }
  }
  return files;
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments) {
  const qsizetype end = arguments.indexOf(QStringLiteral("--"));
  const QStringList options = end < 0 ? arguments : arguments.first(end);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Edits camera scripts of the Marvek script language (*.csm)."));
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QStringLiteral("A script to open; +LINE before it puts the caret "
                                              "at the start of line LINE."));
  const std::vector<TOption> table = Options();
  for (const TOption& option : table) parser.addOption(option.Spelling);

  TCommandLine line;
  if (!parser.parse(options)) {
    line.ExitCode = 2;
    line.Output =
        kProgram + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n') + Usage(parser);
    return line;
  }
  const QString usage = Usage(parser);
  for (const TOption& option : table) {
    if (parser.isSet(option.Spelling)) option.Apply(line, parser, usage);
    if (line.ExitCode) return line;
  }
  line.Files = FilesOf(parser.positionalArguments());
  if (end >= 0) {
    for (const QString& name : arguments.sliced(end + 1)) line.Files.append({name, 0});
  }
  return line;
}
