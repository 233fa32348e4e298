// The command line: what it asks for, and the real program answering it in a child
// process.
#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>

#include "app/CommandLine.h"
#include "app_fixture.h"

namespace {

QList<std::pair<QString, int>> Opened(const TCommandLine& line) {
  QList<std::pair<QString, int>> files;
  for (const TFileToOpen& file : line.Files) files.append({file.Path, file.Line});
  return files;
}

using Files = QList<std::pair<QString, int>>;

TEST(CommandLine, FilesLinesAndTheEndOfOptions) {
  const TCommandLine plain = ParseCommandLine({"marvekedit", "a.csm", "+12", "b.csm", "c.csm"});
  EXPECT_FALSE(plain.ExitCode.has_value());
  EXPECT_EQ(Opened(plain), (Files{{"a.csm", 0}, {"b.csm", 12}, {"c.csm", 0}}));
  // After "--" nothing is an option or a line; a last "+N" has no file to apply to.
  EXPECT_EQ(Opened(ParseCommandLine({"marvekedit", "--", "-x", "+3", "--help"})),
            (Files{{"-x", 0}, {"+3", 0}, {"--help", 0}}));
  EXPECT_EQ(Opened(ParseCommandLine({"marvekedit", "a", "+7"})), (Files{{"a", 0}, {"+7", 0}}));
  // Only a positive number is a line.
  EXPECT_EQ(Opened(ParseCommandLine({"marvekedit", "+0", "a", "+x", "b"})),
            (Files{{"+0", 0}, {"a", 0}, {"+x", 0}, {"b", 0}}));
  EXPECT_EQ(ParseCommandLine({"marvekedit"}).Files.size(), 0);
}

// The program started with Arguments and Home as its home folder, until it ends by itself
// or is told to end.
struct Program {
  Program(const QString& home, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("XDG_CONFIG_HOME", home + "/config");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    Process.setProcessEnvironment(env);
    Process.setWorkingDirectory(home);
    Process.start(MARVEKEDIT, arguments);
    Process.waitForStarted(30000);
  }
  ~Program() {
    if (Process.state() != QProcess::NotRunning) Process.kill();
    Process.waitForFinished(30000);
  }
  // Waits for the end; -1 when the program is still running after Ms milliseconds.
  int ExitCode(int ms = 30000) {
    if (!Process.waitForFinished(ms)) return -1;
    Out = QString::fromLocal8Bit(Process.readAllStandardOutput());
    Err = QString::fromLocal8Bit(Process.readAllStandardError());
    return Process.exitStatus() == QProcess::NormalExit ? Process.exitCode() : -2;
  }
  QProcess Process;
  QString Out;
  QString Err;
};

class CommandLineProgram : public AppTest {};

TEST_F(CommandLineProgram, HelpVersionAndUnknownOptionsEndWithoutAWindow) {
  for (const char* help : {"--help", "-h"}) {
    Program run(Dir.path(), {help, "a.csm"});
    ASSERT_EQ(run.ExitCode(), 0) << help;
    EXPECT_TRUE(run.Out.startsWith("Usage: marvekedit [options]")) << run.Out.toStdString();
    for (const char* part : {"--version", "--help", "FILE", "+LINE"})
      EXPECT_TRUE(run.Out.contains(part)) << part;
    EXPECT_EQ(run.Err, "");
  }
  for (const char* version : {"--version", "-v"}) {
    Program run(Dir.path(), {version});
    ASSERT_EQ(run.ExitCode(), 0);
    EXPECT_EQ(run.Out, "marvekedit " MARVEK_VERSION_TEXT "\n");
  }
  for (const char* unknown : {"--frobnicate", "-x"}) {
    Program run(Dir.path(), {unknown, "a.csm"});
    ASSERT_EQ(run.ExitCode(), 2) << unknown;
    EXPECT_EQ(run.Out, "");
    EXPECT_TRUE(run.Err.contains(QString(unknown).remove('-'))) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains("Usage: marvekedit")) << run.Err.toStdString();
  }
  // No window was opened, so nothing was written to the settings.
  EXPECT_FALSE(QFile::exists(Dir.filePath("config/MarvekWorld/MarvekEdit.conf")));
}

// A file named like an option, after "--", and one after "+N" open as files: the recent
// files that the program writes when it ends name them.
TEST_F(CommandLineProgram, FilesAfterTheEndOfOptionsAndAfterALineOpen) {
  WriteFile(PathOf("-x"), "dash\r\n");
  WriteFile(PathOf("b.csm"), "1\r\n2\r\n3\r\n");
  Program run(Dir.path(), {"+2", "b.csm", "--", "-x"});
  // Started for good: the program is still running, then ends by the signal a logout sends.
  ASSERT_EQ(run.ExitCode(1500), -1) << run.Err.toStdString();
  ::kill(static_cast<pid_t>(run.Process.processId()), SIGTERM);
  ASSERT_EQ(run.ExitCode(), 0);
  QSettings store(Dir.filePath("config/MarvekWorld/MarvekEdit.conf"), QSettings::IniFormat);
  const QStringList recent = store.value("recentfiles").toStringList();
  EXPECT_TRUE(recent.contains(PathOf("-x"))) << recent.join(", ").toStdString();
  EXPECT_TRUE(recent.contains(PathOf("b.csm"))) << recent.join(", ").toStdString();
  EXPECT_EQ(recent.size(), 2);
}

}  // namespace
