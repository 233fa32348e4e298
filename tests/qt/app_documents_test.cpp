// Document windows and script files: open, save, save as, their failures, and the
// question whether to save changes when a window closes.
#include <sys/resource.h>

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <csignal>

#include "app/ScriptFile.h"
#include "app_fixture.h"
#include "editor/LineList.h"
#include "util/Errors.h"

namespace {

// Limits the size of files this process may write, for as long as it lives, so that a
// write fails half-way.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &FOld);
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = FOld;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOldHandler);
  }

 private:
  rlimit FOld{};
  void (*FOldHandler)(int) = nullptr;
};

}  // namespace

TEST_F(AppTest, OpenLoadsTheFileInANewWindow) {
  const QString path = PathOf("lf.csm");
  WriteFile(path, "name \"x\"\nmode 1\r\n\tWait(5)\rend");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(form.Documents().ActiveMDIChild(), child);
  EXPECT_EQ(child->FileName(), path);
  EXPECT_EQ(child->windowTitle(), path);
  EXPECT_EQ(form.FilePath(), Dir.path());
  const TEditorStrings& lines = child->Editor1().Lines();
  ASSERT_EQ(lines.Count(), 4);
  EXPECT_EQ(lines[0], "name \"x\"");
  EXPECT_EQ(lines[1], "mode 1");
  EXPECT_EQ(lines[2].find('\t'), std::string::npos);
  EXPECT_EQ(lines[3], "end");
  EXPECT_FALSE(child->Editor1().Modified());
  EXPECT_TRUE(Dialogs.Errors.isEmpty());

  // The same file again makes another window.
  form.Documents().OpenFile(path);
  EXPECT_EQ(form.Documents().MDIChildCount(), 2);

  // The Open command asks for the name; cancelling opens nothing.
  Dialogs.OpenName.clear();
  form.FileOpen1->trigger();
  EXPECT_EQ(Dialogs.OpenAsked, 1);
  EXPECT_EQ(form.Documents().MDIChildCount(), 2);
}

TEST_F(AppTest, SavedFileEndsEveryLineWithCrLf) {
  const QString path = PathOf("round.csm");
  WriteFile(path, "a\nb\n\nc");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  child->Editor1().SetModified(true);
  form.Action2->trigger();
  EXPECT_EQ(ReadFile(path), QByteArray("a\r\nb\r\n\r\nc\r\n"));
  EXPECT_FALSE(child->Editor1().Modified());
  EXPECT_EQ(Dialogs.SaveAsked, 0);

  // Bytes above 0x7F pass unchanged in both directions.
  const QString high = PathOf("high.csm");
  WriteFile(high, "caf\xE9 \x80\x9F\xFF");
  TChildForm* other = form.Documents().OpenFile(high);
  EXPECT_EQ(other->Editor1().Lines()[0], "caf\xE9 \x80\x9F\xFF");
  form.Documents().SaveDocument(other);
  EXPECT_EQ(ReadFile(high), QByteArray("caf\xE9 \x80\x9F\xFF\r\n"));
}

TEST_F(AppTest, EmptyDocumentGivesEmptyFile) {
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().NewDocument();
  const QString path = PathOf("empty.csm");
  WriteFile(path, "old content");
  Dialogs.SaveName = path;
  form.Documents().SaveDocument(child);  // untitled: asks for a name
  EXPECT_EQ(Dialogs.SaveAsked, 1);
  EXPECT_EQ(ReadFile(path), QByteArray());
  EXPECT_EQ(child->FileName(), path);
  EXPECT_EQ(child->windowTitle(), path);
}

TEST_F(AppTest, CancelledSaveDialogLeavesDocumentUntitled) {
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().NewDocument();
  child->Editor1().Lines().SetTextStr("x\r\n");
  child->Editor1().SetModified(true);
  Dialogs.SaveName.clear();
  form.Action2->trigger();
  EXPECT_EQ(Dialogs.SaveAsked, 1);
  EXPECT_TRUE(child->FileName().isEmpty());
  EXPECT_EQ(child->windowTitle(), "Unnamed file");
  EXPECT_TRUE(child->Editor1().Modified());

  // Save As on the menu always asks, also for a titled document.
  const QString path = PathOf("as.csm");
  Dialogs.SaveName = path;
  form.FileSaveAs1->trigger();
  EXPECT_EQ(Dialogs.SaveAsked, 2);
  EXPECT_EQ(child->FileName(), path);
  EXPECT_EQ(ReadFile(path), QByteArray("x\r\n"));
  EXPECT_FALSE(child->Editor1().Modified());
}

TEST_F(AppTest, FailedSaveAsKeepsNameCaptionAndModified) {
  const QString path = PathOf("keep.csm");
  WriteFile(path, "old\r\n");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  child->Editor1().Lines().SetTextStr("new\r\n");
  child->Editor1().SetModified(true);

  const QString bad = PathOf("missing-folder/new.csm");
  form.Documents().SaveAs(child, bad);
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_EQ(Dialogs.Errors.first().toStdString(),
            ("Cannot create file " + bad + "\nNo such file or directory").toStdString());
  EXPECT_EQ(child->FileName(), path);
  EXPECT_EQ(child->windowTitle(), path);
  EXPECT_TRUE(child->Editor1().Modified());
  EXPECT_EQ(ReadFile(path), QByteArray("old\r\n"));
  EXPECT_FALSE(QFileInfo::exists(bad));
}

TEST_F(AppTest, WriteFailingHalfWayKeepsTheOldFile) {
  const QString path = PathOf("big.csm");
  WriteFile(path, "old\r\n");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  std::string text;
  for (int i = 0; i < 200; ++i) text += "Display(\"a line that makes the file long\")\r\n";
  child->Editor1().Lines().SetTextStr(text);
  child->Editor1().SetModified(true);
  {
    FileSizeLimit limit(1024);
    form.Documents().SaveDocument(child);
  }
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_EQ(Dialogs.Errors.first().toStdString(),
            ("Cannot create file " + path + "\nFile too large").toStdString());
  EXPECT_EQ(ReadFile(path), QByteArray("old\r\n"));
  EXPECT_TRUE(child->Editor1().Modified());
  EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList({"big.csm"}));
}

TEST_F(AppTest, MissingFileOpensAnEmptyTitledWindow) {
  const QString path = PathOf("none/absent.csm");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_EQ(Dialogs.Errors.first().toStdString(),
            ("Cannot open file " + path + "\nNo such file or directory").toStdString());
  EXPECT_EQ(form.Documents().MDIChildCount(), 1);
  EXPECT_EQ(child->windowTitle(), path);
  EXPECT_EQ(child->FileName(), path);
  EXPECT_EQ(child->Editor1().Lines().Count(), 0);
  EXPECT_EQ(form.FilePath(), PathOf("none"));
  LineList lines;
  EXPECT_THROW(LoadScript(path, lines), EFileError);
}

TEST_F(AppTest, FolderOfARootFileKeepsItsSeparator) {
  TForm1& form = MakeForm();
  form.Documents().OpenFile("/absent-marvek-script.csm");
  EXPECT_EQ(form.FilePath(), "/");
}

TEST_F(AppTest, CloseQueryAnswers) {
  TForm1& form = MakeForm();
  // Unmodified: closes without asking.
  QPointer<TChildForm> plain = form.Documents().NewDocument();
  form.WindowClose1->trigger();
  DeleteClosed();
  EXPECT_TRUE(plain.isNull());
  EXPECT_EQ(Dialogs.ConfirmAsked, 0);

  QPointer<TChildForm> child = form.Documents().NewDocument();
  child->Editor1().Lines().SetTextStr("x\r\n");
  child->Editor1().SetModified(true);

  // Cancel keeps it.
  Dialogs.Answer = QMessageBox::Cancel;
  form.WindowClose1->trigger();
  DeleteClosed();
  ASSERT_FALSE(child.isNull());
  EXPECT_EQ(Dialogs.ConfirmAsked, 1);

  // Yes with the Save dialog cancelled keeps it, still modified.
  Dialogs.Answer = QMessageBox::Yes;
  Dialogs.SaveName.clear();
  form.WindowClose1->trigger();
  DeleteClosed();
  ASSERT_FALSE(child.isNull());
  EXPECT_TRUE(child->Editor1().Modified());
  EXPECT_EQ(Dialogs.SaveAsked, 1);

  // Yes with a name saves and closes.
  const QString path = PathOf("closing.csm");
  Dialogs.SaveName = path;
  form.WindowClose1->trigger();
  DeleteClosed();
  EXPECT_TRUE(child.isNull());
  EXPECT_EQ(ReadFile(path), QByteArray("x\r\n"));

  // No closes without saving.
  QPointer<TChildForm> reopened = form.Documents().OpenFile(path);
  reopened->Editor1().Lines().SetTextStr("changed\r\n");
  reopened->Editor1().SetModified(true);
  Dialogs.Answer = QMessageBox::No;
  reopened->parentWidget()->close();
  DeleteClosed();
  EXPECT_TRUE(reopened.isNull());
  EXPECT_EQ(ReadFile(path), QByteArray("x\r\n"));
  EXPECT_EQ(form.Documents().MDIChildCount(), 0);
}

TEST_F(AppTest, EachSavePromptShowsItsDocumentInFront) {
  TForm1& form = MakeForm();
  TChildForm* a = form.Documents().NewDocument();
  TChildForm* b = form.Documents().NewDocument();
  TChildForm* c = form.Documents().NewDocument();
  a->Editor1().SetModified(true);
  c->Editor1().SetModified(true);
  form.MdiArea().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(b->parentWidget()));
  // Each question is asked with its own document active and on top of the others.
  QList<TChildForm*> asked;
  Dialogs.OnConfirm = [&](QWidget* parent) {
    auto* child = qobject_cast<TChildForm*>(parent);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(form.Documents().ActiveMDIChild(), child);
    EXPECT_EQ(form.MdiArea().subWindowList(QMdiArea::StackingOrder).constLast()->widget(), child);
    asked.append(child);
  };
  Dialogs.Answer = QMessageBox::No;
  EXPECT_TRUE(form.close());
  EXPECT_EQ(asked.size(), 2);
  EXPECT_TRUE(asked.contains(a) && asked.contains(c));
}
