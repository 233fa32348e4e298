// Files in either encoding opened, edited by typing and saved, byte for byte; files that
// cannot be read are never overwritten unasked, and their errors say why.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

#include "app/FindDialogs.h"
#include "app/ScriptFile.h"
#include "app_fixture.h"
#include "qt/EditorWidget.h"

namespace {

const QByteArray kUtf8 = "Caf\xC3\xA9 \xE2\x82\xAC 5 Gr\xC3\xBC\xC3\x9F";
const std::string kShown = "Caf\xE9 \x80 5 Gr\xFC\xDF";
const QByteArray kBom = "\xEF\xBB\xBF";

}  // namespace

TEST_F(AppTest, EncodingsRoundTripByteForByteThroughOpenTypeAndSave) {
  // The file, its encoding, its first line in the control, and the file saved unedited;
  // typing "ñ" at the start then adds its bytes in the file's encoding after any mark.
  const struct {
    QByteArray File;
    const char* Encoding;
    std::string Shown;
    QByteArray Unedited;
  } cases[] = {
      {"a\tb\nc", "Windows-1252", "a  b", "a  b\r\nc\r\n"},
      {"Caf\xE9 \x80", "Windows-1252", "Caf\xE9 \x80", "Caf\xE9 \x80\r\n"},
      {kUtf8 + "\n\tx", "UTF-8", kShown, kUtf8 + "\r\n  x\r\n"},
      {kBom + kUtf8, "UTF-8 BOM", kShown, kBom + kUtf8 + "\r\n"},
      // An invalid sequence after a valid one: the bytes are Windows-1252.
      {"Caf\xC3\xA9 \xC3(", "Windows-1252", "Caf\xC3\xA9 \xC3(", "Caf\xC3\xA9 \xC3(\r\n"},
  };
  TForm1& form = MakeForm();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.File.toStdString());
    const QString path = PathOf("script.csm");
    WriteFile(path, c.File);
    TChildForm* child = form.Documents().OpenFile(path);
    form.UpdateStatus();
    EXPECT_EQ(form.EncodingStatus(), c.Encoding);
    EXPECT_EQ(child->Editor1().Lines().Count() > 0 ? child->Editor1().Lines()[0] : "", c.Shown);
    form.Documents().SaveDocument(child);
    EXPECT_EQ(ReadFile(path).toStdString(), c.Unedited.toStdString());
    Type(&child->EditorView(), 0, Qt::NoModifier, QStringLiteral("ñ"));
    form.Documents().SaveDocument(child);
    const bool utf8 = c.Encoding != std::string("Windows-1252");
    const QByteArray typed =
        QByteArray(c.Unedited).insert(c.File.startsWith(kBom) ? 3 : 0, utf8 ? "\xC3\xB1" : "\xF1");
    EXPECT_EQ(ReadFile(path).toStdString(), typed.toStdString());
  }
  // The save guard compares the bytes on disk: a decoded document is not "changed".
  EXPECT_TRUE(Dialogs.Errors.isEmpty() && Dialogs.Warnings.isEmpty() &&
              Dialogs.OverwriteQuestions.isEmpty());

  // A new document is Windows-1252; File > Encoding changes what the next save writes.
  TChildForm* fresh = form.Documents().NewDocument();
  Type(&fresh->EditorView(), 0, Qt::NoModifier, QStringLiteral("€"));
  form.Documents().SaveAs(fresh, PathOf("new.csm"));
  EXPECT_EQ(ReadFile(PathOf("new.csm")), QByteArray("\x80\r\n"));
  form.EncodingMenu().Utf8Bom->trigger();
  EXPECT_TRUE(fresh->Editor1().Modified());
  form.Documents().SaveDocument(fresh);
  EXPECT_EQ(ReadFile(PathOf("new.csm")), kBom + "\xE2\x82\xAC\r\n");
}

// A typed or pasted character the document's character set lacks leaves the text as it
// was, and the status bar says which one and why.
TEST_F(AppTest, CharactersTheDocumentCannotHoldAreRefusedAndNamed) {
  TForm1& form = MakeForm();
  WriteFile(PathOf("utf8.csm"), kUtf8 + "\n");
  TChildForm* child = form.Documents().OpenFile(PathOf("utf8.csm"));
  child->Editor1().SetCaret(static_cast<int>(kShown.size()), 0);
  for (const QString& key :
       QString::fromUtf8("\xD0\xAF \xD0\x9F\xD1\x80\xD0\xB8 \xE2\x82\xAC").split(""))
    if (!key.isEmpty()) Type(&child->EditorView(), Qt::Key_unknown, Qt::NoModifier, key);
  EXPECT_EQ(child->Editor1().Lines()[0], kShown + "  \x80");
  EXPECT_EQ(form.StatusPanel(2).toStdString(),
            "Cannot type \"\xD0\xB8\" (U+0438): the document's character set, Windows-1252, "
            "has no such character.");

  QGuiApplication::clipboard()->setText(QString::fromUtf8("ok \xD0\xAF"));
  child->UpdateActions();
  child->EditPaste1->trigger();
  EXPECT_EQ(child->Editor1().Lines()[0], kShown + "  \x80");
  EXPECT_TRUE(form.StatusPanel(2).startsWith(QString::fromUtf8("Cannot type \"\xD0\xAF\"")));
  QGuiApplication::clipboard()->setText(QStringLiteral("ok"));
  child->EditPaste1->trigger();
  EXPECT_EQ(child->Editor1().Lines()[0], kShown + "  \x80ok");
  form.Documents().SaveDocument(child);
  EXPECT_EQ(ReadFile(PathOf("utf8.csm")), kUtf8 + "  \xE2\x82\xACok\r\n");
}

TEST_F(AppTest, Utf8BeyondTheCodePageOpensReadOnlyAndIsNeverWritten) {
  // CJK, an emoji and box drawing beside an "é" the code page has.
  const QByteArray bytes = "\xE4\xB8\xAD \xF0\x9F\x98\x80 \xE2\x94\x80 \xC3\xA9\r\n";
  const QString path = PathOf("wide.csm");
  WriteFile(path, bytes);
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  EXPECT_TRUE(child->Editor1().ReadOnly());
  EXPECT_EQ(child->Editor1().Lines()[0], "? ? ? \xE9");
  ASSERT_EQ(Dialogs.Warnings.size(), 1);
  EXPECT_TRUE(Dialogs.Warnings.first().contains(QString::fromUtf8(
      "read-only: it holds Western and Japanese characters, and characters that no code page "
      "holds, such as \xF0\x9F\x98\x80 (U+1F600), which no single code page of the editor "
      "holds together. 3 characters are shown")));

  Type(&child->EditorView(), Qt::Key_X, Qt::NoModifier, "x");
  child->ReplaceDialog1().FindEdit->setText("?");
  child->ReplaceDialog1().ReplaceEdit->setText("x");
  child->ReplaceAll();
  EXPECT_EQ(child->Editor1().Lines()[0], "? ? ? \xE9");
  form.Documents().SaveDocument(child);
  Dialogs.SaveName = PathOf("copy.csm");
  form.FileSaveAs1->trigger();
  ASSERT_EQ(Dialogs.Errors.size(), 2);
  for (const QString& error : Dialogs.Errors) EXPECT_TRUE(error.contains("3 characters"));
  EXPECT_EQ(ReadFile(path), bytes);
  EXPECT_FALSE(QFileInfo::exists(PathOf("copy.csm")));
}

TEST_F(AppTest, FilesThatExistButCannotBeReadAreNotOverwrittenUnasked) {
  // A folder, and a file too large for the editor's offsets (sparse: no disk is used).
  const QString folder = PathOf("folder.csm");
  ASSERT_TRUE(QDir().mkdir(folder));
  const QString large = PathOf("large.csm");
  QFile file(large);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(kLargestScript + 1));
  file.close();
  TForm1& form = MakeForm();
  for (const auto& [path, reason] :
       {std::pair(folder, "Is a directory"), std::pair(large, "File too large")}) {
    Dialogs.Errors.clear();
    Dialogs.OverwriteQuestions.clear();
    TChildForm* child = form.Documents().OpenFile(path);
    ASSERT_EQ(Dialogs.Errors.size(), 1);
    EXPECT_TRUE(Dialogs.Errors.first().startsWith("Cannot open file " + path + "\n" + reason));
    // The question's default answer (No) keeps the file.
    Type(&child->EditorView(), Qt::Key_X, Qt::NoModifier, "x");
    form.Documents().SaveDocument(child);
    ASSERT_EQ(Dialogs.OverwriteQuestions.size(), 1);
    EXPECT_TRUE(child->Editor1().Modified());
  }
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(QFileInfo(large).size(), kLargestScript + 1);
}
