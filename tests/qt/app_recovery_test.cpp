// Keeping work safe across endings: the real program in a child process, killed, ended
// by a signal and started again; and documents whose files change on disk.
#include <signal.h>

#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "app/Documents.h"
#include "app/FileWatcher.h"
#include "app_fixture.h"

namespace {

// Waits (generously) until Done holds, running the event loop meanwhile.
bool WaitFor(const std::function<bool()>& done, int ms = 30000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  return true;
}

// The editor in a child process with its own home folder, driven through its input;
// killed, if still running, when the test ends.
class Editor {
 public:
  Editor(const QString& home, const QString& recovery = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("XDG_CONFIG_HOME", home + "/config");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOST_RECOVERY", recovery);
    FProcess.setProcessEnvironment(env);
    FProcess.start(EDITOR_HOST, {});
    Send({});
  }
  ~Editor() {
    FProcess.kill();
    FProcess.waitForFinished(30000);
  }
  // The reply to Command (none to wait for the start).
  QString Send(const QString& command) {
    if (!command.isEmpty()) FProcess.write((command + "\n").toUtf8());
    while (FProcess.waitForReadyRead(30000) || FProcess.canReadLine()) {
      while (FProcess.canReadLine()) {
        const QString line = QString::fromUtf8(FProcess.readLine()).trimmed();
        if (line.startsWith("ok")) return line.mid(3);
      }
    }
    return QStringLiteral("<no reply>");
  }
  // Sends Commands one after the other.
  void Run(const QStringList& commands) {
    for (const QString& command : commands) Send(command);
  }
  QJsonObject Report() { return QJsonDocument::fromJson(Send("report").toUtf8()).object(); }
  // Ends the program with Signal; its exit code.
  int End(int signal) {
    ::kill(static_cast<pid_t>(FProcess.processId()), signal);
    FProcess.waitForFinished(30000);
    return FProcess.exitStatus() == QProcess::NormalExit ? FProcess.exitCode() : -signal;
  }
  int Quit() {
    FProcess.write("quit\n");
    FProcess.waitForFinished(30000);
    return FProcess.exitCode();
  }

 private:
  QProcess FProcess;
};

class RecoveryTest : public AppTest {
 protected:
  QString Home() const { return Dir.filePath("home"); }
  // The text of every draft in the home folder.
  QStringList Drafts() const {
    QStringList texts;
    QDirIterator it(Home(), {"*.draft"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      QFile file(it.next());
      if (file.open(QIODevice::ReadOnly)) texts.append(QString::fromLatin1(file.readAll()));
    }
    return texts;
  }
  bool DraftsHold(const QStringList& words) const {
    const QString all = Drafts().join('\n');
    return std::all_of(words.begin(), words.end(),
                       [&](const QString& w) { return all.contains(w); });
  }
};

QJsonObject Document(const QJsonObject& report, const QString& title) {
  for (const QJsonValue& d : report["documents"].toArray()) {
    if (d["title"].toString() == title) return d.toObject();
  }
  return {};
}

}  // namespace

TEST_F(RecoveryTest, KilledEditorOffersItsWorkBackAndSaveStillGuardsTheFile) {
  const QString path = PathOf("script.csm");
  WriteFile(path, "one\r\ntwo\r\n");
  {
    Editor editor(Home());
    editor.Run({"open " + path, "caret 1 1", "type X", "bookmark 3", "new", "type fresh"});
    // The drafts come by themselves once the typing pauses.
    ASSERT_TRUE(WaitFor([&] { return DraftsHold({"tXwo", "fresh"}); }));
    EXPECT_EQ(editor.End(SIGKILL), -SIGKILL);
  }
  // Meanwhile another program changes the file.
  WriteFile(path, "theirs\r\n");

  Editor editor(Home(), "recover");
  const QJsonObject report = editor.Report();
  EXPECT_EQ(report["offered"].toInt(), 2);
  const QJsonObject named = Document(report, path);
  EXPECT_EQ(named["text"].toString(), "one\r\ntXwo\r\n");
  EXPECT_TRUE(named["modified"].toBool());
  EXPECT_EQ(named["caret"].toArray(), (QJsonArray{2, 1}));
  EXPECT_EQ(named["bookmarks"].toArray()[3].toInt(), 1);
  const QJsonObject untitled = Document(report, "Unnamed file");
  EXPECT_EQ(untitled["text"].toString(), "fresh\r\n");
  EXPECT_TRUE(untitled["modified"].toBool());

  // Nothing was written to the file; Save asks first, and No keeps the other text.
  EXPECT_EQ(ReadFile(path), QByteArray("theirs\r\n"));
  editor.Send("save " + path);
  EXPECT_EQ(editor.Report()["overwriteAsked"].toInt(), 1);
  EXPECT_EQ(ReadFile(path), QByteArray("theirs\r\n"));
  // The old drafts are gone; the recovered documents have their own.
  EXPECT_EQ(Drafts().size(), 2);

  // A clean exit (changes discarded at the prompt) leaves no draft.
  EXPECT_EQ(editor.Quit(), 0);
  EXPECT_TRUE(Drafts().isEmpty());
  Editor next(Home());
  EXPECT_EQ(next.Report()["offered"].toInt(), 0);
}

TEST_F(RecoveryTest, SignalsWriteTheDraftsAndEndAtOnceAndTheOfferCanWaitOrBeDiscarded) {
  {
    Editor editor(Home());
    editor.Run({"new", "type abc"});
    EXPECT_EQ(editor.End(SIGTERM), 0);
  }
  EXPECT_EQ(Drafts().size(), 1);
  EXPECT_TRUE(DraftsHold({"abc\r\n"}));
  for (const auto& [answer, offered, left] :
       {std::tuple{"", 1, 1}, std::tuple{"discard", 1, 0}, std::tuple{"", 0, 0}}) {
    Editor editor(Home(), answer);
    EXPECT_EQ(editor.Report()["offered"].toInt(), offered) << answer;
    EXPECT_EQ(editor.End(SIGINT), 0);
    EXPECT_EQ(Drafts().size(), left) << answer;
  }
  // Without changes a signal is a clean exit.
  Editor editor(Home());
  editor.Send("new");
  EXPECT_EQ(editor.End(SIGHUP), 0);
  EXPECT_TRUE(Drafts().isEmpty());
}

TEST_F(RecoveryTest, SavedWorkHasNoDraftAndTwoRunningCopiesKeepTheirDraftsApart) {
  const QString path = PathOf("a.csm");
  WriteFile(path, "a\r\n");
  Editor first(Home());
  first.Run({"open " + path, "type 1", "flush"});
  EXPECT_TRUE(DraftsHold({"1a"}));
  first.Send("save");
  EXPECT_TRUE(WaitFor([&] { return Drafts().isEmpty(); }));
  first.Run({"type 2", "flush"});

  Editor second(Home(), "recover");
  EXPECT_EQ(second.Report()["offered"].toInt(), 0);
  second.Run({"new", "type mine", "flush"});
  EXPECT_EQ(first.End(SIGKILL), -SIGKILL);

  // A third copy is offered the work of the killed one only.
  Editor third(Home(), "recover");
  const QJsonObject report = third.Report();
  EXPECT_EQ(report["offered"].toInt(), 1);
  EXPECT_EQ(Document(report, path)["text"].toString(), "12a\r\n");
  EXPECT_TRUE(Document(report, "Unnamed file").isEmpty());
  EXPECT_EQ(Document(second.Report(), "Unnamed file")["text"].toString(), "mine\r\n");
}

TEST_F(AppTest, FileChangedOnDiskReloadsAnUnchangedDocumentAndAsksOnceForAChangedOne) {
  const QString path = PathOf("w.csm");
  WriteFile(path, "l0\r\nl1 long\r\nl2\r\nl3\r\n");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  TRAHLEditor& editor = child->Editor1();
  editor.SetCaret(1, 3);
  child->ToggleBookmark(3);
  editor.SetCaret(4, 1);
  // The program's own save is no outside change.
  editor.SetModified(true);
  form.Action2->trigger();
  form.Documents().Watcher().Check(child);
  EXPECT_TRUE(Dialogs.ReloadQuestions.isEmpty());
  EXPECT_TRUE(form.StatusPanel(2).isEmpty());

  // Unchanged here: reloads, keeping caret and bookmarks where they fit, history afresh.
  WriteFile(path, "n0\r\nn1 line\r\nn2\r\nn3\r\nn4\r\n");
  form.Documents().Watcher().Check(child);
  EXPECT_EQ(editor.Lines().GetTextStr(), "n0\r\nn1 line\r\nn2\r\nn3\r\nn4\r\n");
  EXPECT_EQ(std::pair(editor.CaretX(), editor.CaretY()), std::pair(4, 1));
  EXPECT_TRUE(editor.Bookmarks()[3].Valid);
  EXPECT_FALSE(editor.Modified());
  EXPECT_FALSE(editor.UndoBuffer()->CanUndo());
  EXPECT_TRUE(form.StatusPanel(2).contains("reloaded"));
  WriteFile(path, "s0\r\ns1\r\n");
  form.Documents().Watcher().Check(child);
  EXPECT_FALSE(editor.Bookmarks()[3].Valid);
  // A reload with characters the document cannot show makes it read-only, and back.
  WriteFile(path, "\xE4\xB8\xAD \xF0\x9F\x98\x80\r\n");
  form.Documents().Watcher().Check(child);
  EXPECT_TRUE(editor.ReadOnly());
  WriteFile(path, "s0\r\ns1\r\n");
  form.Documents().Watcher().Check(child);
  EXPECT_FALSE(editor.ReadOnly());

  // Changed here: one question however often the file changes; No keeps the changes,
  // and the save guard still asks.
  editor.Command('Z');
  for (const char* theirs : {"t0\r\n", "t01\r\n"}) {
    WriteFile(path, theirs);
    form.Documents().Watcher().Check(child);
  }
  ASSERT_EQ(Dialogs.ReloadQuestions.size(), 1);
  EXPECT_TRUE(Dialogs.ReloadQuestions.first().contains(path));
  EXPECT_EQ(editor.Lines().GetTextStr(), "s0\r\ns1  Z\r\n");
  form.Action2->trigger();
  EXPECT_EQ(Dialogs.OverwriteQuestions.size(), 1);
  EXPECT_EQ(ReadFile(path), QByteArray("t01\r\n"));

  // A deleted file turns its document modified, so closing asks to save it.
  const QString gone = PathOf("gone.csm");
  WriteFile(gone, "g\r\n");
  TChildForm* other = form.Documents().OpenFile(gone);
  QFile::remove(gone);
  form.Documents().Watcher().Check(other);
  EXPECT_TRUE(other->Editor1().Modified());
  EXPECT_TRUE(form.StatusPanel(2).contains("deleted"));
}

TEST_F(AppTest, AFileRewrittenManyTimesASecondIsReloadedOnce) {
  const QString path = PathOf("built.csm");
  WriteFile(path, "start\r\n");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  int changes = 0;
  QObject::connect(&form.Documents(), &TDocuments::Reloaded, [&] { ++changes; });
  for (int i = 0; i < 30; ++i) WriteFile(path, QByteArray::number(i) + "\r\n");
  ASSERT_TRUE(WaitFor([&] { return changes > 0; }));
  // Any further reload would have come long before this.
  WaitFor([] { return false; }, 2000);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(child->Editor1().Lines().GetTextStr(), "29\r\n");
}

TEST(RecoveryDialog, ListsEachDraftAndEnterRecoversWhileClosingKeeps) {
  TDraftManifest named;
  named.FileName = "/scripts/a.csm";
  named.LineCount = 12;
  named.Changed = QDateTime::currentDateTime();
  EXPECT_TRUE(DraftDescription(named).startsWith("a.csm (/scripts/a.csm)"));
  EXPECT_TRUE(DraftDescription(named).endsWith("12 lines"));
  EXPECT_TRUE(DraftDescription(TDraftManifest()).startsWith("Unnamed file"));
  for (const auto& [key, choice] : {std::pair{Qt::Key_Return, TRecoveryChoice::Recover},
                                    std::pair{Qt::Key_Escape, TRecoveryChoice::Keep}}) {
    TRecoveryDialog dialog({named, TDraftManifest()});
    EXPECT_EQ(dialog.windowTitle(), "Recover Unsaved Work");
    dialog.show();
    Type(&dialog, key, {});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Choice(), choice);
  }
}

// A clean exit remembers the titled documents with their views; File > Reopen Last
// Session in the next run opens them again and names the file that is gone; and the real
// program, asked by the preference, reopens them at start.
TEST_F(RecoveryTest, ASessionClosedCleanlyReopensInTheNextRun) {
  QString lines;
  for (int i = 0; i < 80; ++i) lines += QString("line %1\r\n").arg(i);
  WriteFile(PathOf("a.csm"), lines.toLatin1());
  WriteFile(PathOf("b.csm"), "b\r\n");
  WriteFile(PathOf("gone.csm"), "g\r\n");
  {
    Editor editor(Home());
    editor.Run({"open " + PathOf("gone.csm"), "open " + PathOf("a.csm"), "caret 2 70", "bookmark 4",
                "new", "type untitled", "open " + PathOf("b.csm")});
    EXPECT_EQ(editor.Quit(), 0);
  }
  QFile::remove(PathOf("gone.csm"));
  {
    Editor editor(Home());
    EXPECT_TRUE(editor.Report()["documents"].toArray().isEmpty());  // nothing at start
    editor.Send("reopen");
    const QJsonObject report = editor.Report();
    const QJsonArray documents = report["documents"].toArray();
    ASSERT_EQ(documents.size(), 2) << QJsonDocument(report).toJson().toStdString();
    const QJsonObject a = Document(report, PathOf("a.csm"));
    EXPECT_EQ(a["caret"].toArray(), (QJsonArray{2, 70}));
    EXPECT_GT(a["top"].toInt(), 0);
    EXPECT_EQ(a["bookmarks"].toArray()[4].toInt(), 70);
    EXPECT_FALSE(a["modified"].toBool());
    EXPECT_TRUE(documents[0]["active"].toBool());
    EXPECT_EQ(documents[0]["title"].toString(), PathOf("b.csm"));
    const QJsonArray warnings = report["warnings"].toArray();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].toString().contains(PathOf("gone.csm")));
    EXPECT_EQ(editor.Quit(), 0);
  }
  // The program itself: with the preference on and no file named, the session comes back
  // at start, and the end by a signal remembers it again as it found it.
  const QString store = Home() + "/config/MarvekWorld/MarvekEdit.conf";
  QSettings(store, QSettings::IniFormat).setValue("reopenlastsession", true);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", Home());
  env.insert("XDG_DATA_HOME", Home() + "/data");
  env.insert("XDG_CONFIG_HOME", Home() + "/config");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  QSettings(store, QSettings::IniFormat).remove("session/documents/1/carety");
  QProcess program;
  program.setProcessEnvironment(env);
  program.start(MARVEKEDIT, {});
  ASSERT_TRUE(program.waitForStarted(30000));
  // Its signal handling is in place once the main window is up.
  WaitFor([] { return false; }, 5000);
  ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  ASSERT_TRUE(program.waitForFinished(30000));
  EXPECT_EQ(program.exitCode(), 0);
  QSettings session(store, QSettings::IniFormat);
  EXPECT_EQ(session.value("session/documents/size").toInt(), 2);
  EXPECT_EQ(session.value("session/documents/1/path").toString(), PathOf("a.csm"));
  EXPECT_EQ(session.value("session/documents/1/carety").toInt(), 0);  // as it was stored
  EXPECT_EQ(session.value("session/documents/1/caretx").toInt(), 2);
  EXPECT_EQ(session.value("session/active").toInt(), 1);
}
