// Files in either encoding opened, edited by typing and saved, byte for byte; files that
// cannot be read are never overwritten unasked; every file error says why.
#include "app/ScriptFile.h"
#include "app_fixture.h"
#include "qt/EditorWidget.h"

namespace {

struct RoundTrip {
  const char* Name;
  QByteArray File;
  const char* Encoding;  // the status bar's name
  std::string Shown;     // the first line as the control holds it
  QByteArray Unedited;   // saved without an edit
  QByteArray Typed;      // saved after typing "ñ" at the start
};

const QByteArray kUtf8 =
    "Caf\xC3\xA9 Gr\xC3\xBC\xC3\x9F"
    "e \xE2\x82\xAC";
const std::string kShown =
    "Caf\xE9 Gr\xFC\xDF"
    "e \x80";

}  // namespace

TEST_F(AppTest, EncodingsRoundTripByteForByteThroughOpenTypeAndSave) {
  const RoundTrip cases[] = {
      {"ascii", "a\tb\nc", "Windows-1252", "a  b", "a  b\r\nc\r\n",
       "\xF1"
       "a  b\r\nc\r\n"},
      {"cp1252", "Caf\xE9 \x80\r\n", "Windows-1252", "Caf\xE9 \x80", "Caf\xE9 \x80\r\n",
       "\xF1"
       "Caf\xE9 \x80\r\n"},
      {"utf8", kUtf8 + "\n\tx", "UTF-8", kShown, kUtf8 + "\r\n  x\r\n",
       "\xC3\xB1" + kUtf8 + "\r\n  x\r\n"},
      {"utf8-bom", "\xEF\xBB\xBF" + kUtf8 + "\r\n", "UTF-8 BOM", kShown,
       "\xEF\xBB\xBF" + kUtf8 + "\r\n", "\xEF\xBB\xBF\xC3\xB1" + kUtf8 + "\r\n"},
      {"bom-only", "\xEF\xBB\xBF", "UTF-8 BOM", "", "\xEF\xBB\xBF", "\xEF\xBB\xBF\xC3\xB1\r\n"},
      {"invalid-utf8", "Caf\xC3\xA9 \xC3(\r\n", "Windows-1252", "Caf\xC3\xA9 \xC3(",
       "Caf\xC3\xA9 \xC3(\r\n",
       "\xF1"
       "Caf\xC3\xA9 \xC3(\r\n"},
  };
  TForm1& form = MakeForm();
  for (const RoundTrip& c : cases) {
    SCOPED_TRACE(c.Name);
    const QString path = PathOf(QString::fromLatin1(c.Name) + ".csm");
    WriteFile(path, c.File);
    TChildForm* child = form.OpenFile(path);
    form.UpdateStatus();
    EXPECT_EQ(form.EncodingStatus(), c.Encoding);
    EXPECT_EQ(child->Editor1().Lines().Count() > 0 ? child->Editor1().Lines()[0] : "", c.Shown);
    form.SaveDocument(child);
    EXPECT_EQ(ReadFile(path).toStdString(), c.Unedited.toStdString());
    Type(&child->EditorView(), 0, Qt::NoModifier, QStringLiteral("ñ"));
    form.SaveDocument(child);
    EXPECT_EQ(ReadFile(path).toStdString(), c.Typed.toStdString());
  }
  EXPECT_TRUE(Dialogs.Errors.isEmpty());
  EXPECT_TRUE(Dialogs.Warnings.isEmpty());
  EXPECT_TRUE(Dialogs.OverwriteQuestions.isEmpty());

  // A new document is Windows-1252; File > Encoding changes what the next save writes.
  TChildForm* fresh = form.NewDocument();
  form.UpdateStatus();
  EXPECT_EQ(form.EncodingStatus(), "Windows-1252");
  Type(&fresh->EditorView(), 0, Qt::NoModifier, QStringLiteral("€"));
  form.EncodingUtf8Bom->trigger();
  form.UpdateStatus();
  EXPECT_EQ(form.EncodingStatus(), "UTF-8 BOM");
  form.SaveAs(fresh, PathOf("fresh.csm"));
  EXPECT_EQ(ReadFile(PathOf("fresh.csm")), QByteArray("\xEF\xBB\xBF\xE2\x82\xAC\r\n"));
  form.Encoding1252->trigger();
  EXPECT_TRUE(fresh->Editor1().Modified());
  form.SaveDocument(fresh);
  EXPECT_EQ(ReadFile(PathOf("fresh.csm")), QByteArray("\x80\r\n"));
}

TEST_F(AppTest, Utf8BeyondTheCodePageOpensReadOnlyAndIsNeverWritten) {
  // CJK, an emoji and box drawing beside an "é" the code page has.
  const QByteArray bytes = "\xE4\xB8\xAD \xF0\x9F\x98\x80 \xE2\x94\x80 \xC3\xA9\r\n";
  const QString path = PathOf("wide.csm");
  WriteFile(path, bytes);
  TForm1& form = MakeForm();
  TChildForm* child = form.OpenFile(path);
  EXPECT_TRUE(child->Editor1().ReadOnly());
  EXPECT_EQ(child->Editor1().Lines()[0], "? ? ? \xE9");
  ASSERT_EQ(Dialogs.Warnings.size(), 1);
  EXPECT_TRUE(Dialogs.Warnings.first().contains("read-only"));
  EXPECT_TRUE(Dialogs.Warnings.first().contains("3 characters"));
  form.UpdateActions();
  EXPECT_FALSE(form.EncodingMenu->isEnabled());

  Type(&child->EditorView(), Qt::Key_X, Qt::NoModifier, "x");
  form.SaveDocument(child);
  Dialogs.SaveName = PathOf("copy.csm");
  form.FileSaveAs1->trigger();
  ASSERT_EQ(Dialogs.Errors.size(), 2);
  for (const QString& error : Dialogs.Errors) EXPECT_TRUE(error.contains("3 characters"));
  EXPECT_EQ(Dialogs.SaveAsked, 0);
  EXPECT_EQ(ReadFile(path), bytes);
  EXPECT_FALSE(QFileInfo::exists(PathOf("copy.csm")));
}

TEST_F(AppTest, FilesThatExistButCannotBeReadAreNotOverwrittenUnasked) {
  // A folder, and a file too large for the editor's offsets (sparse: no disk is used).
  const QString folder = PathOf("folder.csm");
  ASSERT_TRUE(QDir().mkdir(folder));
  const QString large = PathOf("large.csm");
  {
    QFile file(large);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kLargestScript + 1));
  }
  struct Case {
    QString Path;
    const char* Reason;
  };
  TForm1& form = MakeForm();
  for (const Case& c : {Case{folder, "Is a directory"}, Case{large, "File too large"}}) {
    SCOPED_TRACE(c.Reason);
    Dialogs.Errors.clear();
    Dialogs.OverwriteQuestions.clear();
    TChildForm* child = form.OpenFile(c.Path);
    ASSERT_EQ(Dialogs.Errors.size(), 1);
    EXPECT_TRUE(Dialogs.Errors.first().startsWith("Cannot open file " + c.Path + "\n" + c.Reason));
    Type(&child->EditorView(), Qt::Key_X, Qt::NoModifier, "x");
    // The question's default answer (No) keeps the file; the window stays modified.
    form.SaveDocument(child);
    ASSERT_EQ(Dialogs.OverwriteQuestions.size(), 1);
    EXPECT_TRUE(Dialogs.OverwriteQuestions.first().contains("could not be read"));
    EXPECT_TRUE(child->Editor1().Modified());
  }
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(QFileInfo(large).size(), kLargestScript + 1);

  // A name that does not exist asks nothing: Save creates it.
  const QString absent = PathOf("absent.csm");
  TChildForm* child = form.OpenFile(absent);
  Type(&child->EditorView(), Qt::Key_X, Qt::NoModifier, "x");
  Dialogs.OverwriteQuestions.clear();
  form.SaveDocument(child);
  EXPECT_TRUE(Dialogs.OverwriteQuestions.isEmpty());
  EXPECT_EQ(ReadFile(absent), QByteArray("x\r\n"));
}
