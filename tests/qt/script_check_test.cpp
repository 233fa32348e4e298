// The command-line check of script files: its report in compiler form, read as the
// document window reads the files, and its exit codes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sstream>

#include "app/ScriptCheck.h"

namespace {

class ScriptCheckTest : public ::testing::Test {
 protected:
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = Dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  int Check(const QStringList& files) {
    Out.str({});
    Err.str({});
    return CheckScripts(files, Out, Err);
  }

  QTemporaryDir Dir;
  std::ostringstream Out;
  std::ostringstream Err;
};

TEST_F(ScriptCheckTest, ReportsInFileAndLineOrderWithTheDocumentsColumns) {
  // A tab is the blanks up to the first tab stop, as the editor shows it; a lone CR
  // ends a line; text behind a NUL byte is not part of the document.
  const QString bad = Write("bad.csm", "label A\r\n\tgoto Nowhere\rx = Foo()\n# end\r\n");
  const QString warned = Write("warned.csm", QByteArray("Goto A\nlabel A\n\0goto B", 22));
  const QString good = Write("good.csm", "label A\r\ngoto A\r\n");
  EXPECT_EQ(Check({good, warned}), 0);
  EXPECT_EQ(Out.str(), warned.toStdString() +
                           ":1:1: warning: \"Goto\" is not a command (commands are lower case: "
                           "\"goto\")\n");
  EXPECT_EQ(Check({bad, good}), 1);
  const std::string b = bad.toStdString();
  EXPECT_EQ(Out.str(), b + ":2:8: error: undefined label \"Nowhere\"\n" + b +
                           ":3:1: warning: \"x\" is never declared\n" + b +
                           ":3:5: error: unknown function \"Foo\"\n");
  EXPECT_EQ(Err.str(), "");
}

TEST_F(ScriptCheckTest, AFileThatCannotBeReadIsNamedWithItsReasonAndTheOthersAreChecked) {
  const QString bad = Write("bad.csm", "goto Nowhere\n");
  const QString missing = Dir.filePath("missing.csm");
  EXPECT_EQ(Check({missing, bad, Dir.path()}), 2);
  EXPECT_EQ(Out.str(), bad.toStdString() + ":1:6: error: undefined label \"Nowhere\"\n");
  const std::string err = Err.str();
  EXPECT_NE(err.find("Cannot open file " + missing.toStdString() + ": "), std::string::npos) << err;
  EXPECT_NE(err.find("Cannot open file " + Dir.path().toStdString() + ": Is a directory\n"),
            std::string::npos)
      << err;
}

TEST_F(ScriptCheckTest, TheExamplesHaveNoProblem) {
  const QDir examples(QStringLiteral(MARVEK_SOURCE_DIR "/examples"));
  QStringList files;
  for (const QString& name : examples.entryList({"*.csm"})) files << examples.filePath(name);
  ASSERT_FALSE(files.isEmpty());
  EXPECT_EQ(Check(files), 0);
  EXPECT_EQ(Out.str(), "");
}

}  // namespace
