// Documents in the code page of their writing system: UTF-8 files of each one opened,
// typed into and saved byte for byte; files read again in a code page; typing that moves
// a UTF-8 document to another code page, undone across the move.
#include "app/EncodingMenu.h"
#include "app_fixture.h"
#include "editor/Commands.h"
#include "qt/EditorWidget.h"

namespace {

QByteArray Utf8(const char* s) {
  return QByteArray(s);
}

}  // namespace

TEST_F(AppTest, EveryWritingSystemRoundTripsThroughOpenTypeAndSave) {
  // The file, the status bar's encoding, whether it opens editable, and a character of
  // its writing system typed at the start.
  const struct {
    QByteArray File;
    const char* Encoding;
    bool Editable;
    const char* Typed;
  } cases[] = {
      {Utf8("# Caf\xC3\xA9\n"), "UTF-8", true, "\xC3\xB1"},
      {Utf8("# \xC5\xBC\xC3\xB3\xC5\x82w\n"), "UTF-8 (Central European)", true, "\xC4\x85"},
      {Utf8("# \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\n"), "UTF-8 (Cyrillic)", true,
       "\xD0\xAF"},
      {Utf8("# \xCE\xB1\xCE\xB2\n"), "UTF-8 (Greek)", true, "\xCE\xA9"},
      {Utf8("# \xC4\x9F\xC4\xB1\n"), "UTF-8 (Turkish)", true, "\xC5\x9F"},
      {Utf8("# \xC4\x81\xC5\xAB\n"), "UTF-8 (Baltic)", true, "\xC4\x93"},
      {Utf8("\xEF\xBB\xBF# \xE3\x81\x93\xE3\x82\x93\n"), "UTF-8 BOM (Japanese)", true,
       "\xE3\x81\xAB"},
      {Utf8("# \xE4\xBD\xA0\xE5\xA5\xBD\n"), "UTF-8 (Simplified Chinese)", true, "\xE6\x97\xA5"},
      {Utf8("# \xEC\x95\x88\xEB\x85\x95\n"), "UTF-8 (Korean)", true, "\xED\x95\x9C"},
      // Korean and Thai at once: no code page holds both.
      {Utf8("# \xEC\x95\x88 \xE0\xB8\x81\n"), "UTF-8", false, ""},
  };
  TForm1& form = MakeForm();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Encoding);
    const QString path = PathOf("script.csm");
    WriteFile(path, c.File);
    TChildForm* child = form.Documents().OpenFile(path);
    form.UpdateStatus();
    EXPECT_EQ(form.EncodingStatus().toStdString(), c.Encoding);
    EXPECT_EQ(child->Editor1().ReadOnly(), !c.Editable);
    if (!c.Editable) continue;
    Type(&child->EditorView(), 0, Qt::NoModifier, QString::fromUtf8(c.Typed));
    form.Documents().SaveDocument(child);
    EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.value(0).toStdString();
    const qsizetype at = c.File.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const QByteArray saved = QByteArray(c.File).insert(at, c.Typed).replace("\n", "\r\n");
    EXPECT_EQ(ReadFile(path).toStdString(), saved.toStdString());
  }
  EXPECT_EQ(Dialogs.Warnings.size(), 1);
  EXPECT_TRUE(Dialogs.Warnings.value(0).contains(
      "Korean characters, and characters that no code page holds"));
}

TEST_F(AppTest, ReopenWithReadsTheBytesInTheChosenCodePageAndSavesThemBack) {
  // Windows-1251 "Привет" and Shift-JIS "日本", each as 8-bit bytes that open as Western.
  const struct {
    QByteArray File;
    TCodePage Page;
    const char* Encoding;
    const char* Typed;      // UTF-8
    QByteArray TypedBytes;  // in the code page
  } cases[] = {
      {"# \xCF\xF0\xE8\xE2\xE5\xF2\r\n", TCodePage::cp1251, "Windows-1251", "\xD0\xAF", "\xDF"},
      {"# \x93\xFA\x96\x7B\r\n", TCodePage::cp932, "Shift-JIS", "\xE8\xAA\x9E", "\x8C\xEA"},
  };
  TForm1& form = MakeForm();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Encoding);
    const QString path = PathOf("bytes.csm");
    WriteFile(path, c.File);
    TChildForm* child = form.Documents().OpenFile(path);
    form.UpdateStatus();
    EXPECT_EQ(form.EncodingStatus(), "Windows-1252");
    // Unsaved changes are asked about first; No keeps them.
    Type(&child->EditorView(), 0, Qt::NoModifier, QStringLiteral("x"));
    Dialogs.ReloadAnswer = false;
    form.Documents().ReopenWith(child, c.Page);
    EXPECT_EQ(child->Editor1().Lines()[0].substr(0, 1), "x");
    Dialogs.ReloadAnswer = true;
    form.Documents().ReopenWith(child, c.Page);
    child->Editor1().SetCaret(0, 0);
    form.UpdateStatus();
    EXPECT_EQ(form.EncodingStatus().toStdString(), c.Encoding);
    EXPECT_EQ(child->EditorView().CodePage(), c.Page);
    Type(&child->EditorView(), 0, Qt::NoModifier, QString::fromUtf8(c.Typed));
    form.Documents().SaveDocument(child);
    EXPECT_EQ(ReadFile(path).toStdString(), (c.TypedBytes + c.File).toStdString());
  }
}

TEST_F(AppTest, TypingMovesAUtf8DocumentToACodePageHoldingTheNewCharacter) {
  const QString path = PathOf("moves.csm");
  WriteFile(path, "# ab\n");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  EditorWidget& view = child->EditorView();
  // ASCII opens as Windows-1252 and saves as such: nothing moves it.
  Type(&view, 0, Qt::NoModifier, QString::fromUtf8("\xD0\xAF"));
  EXPECT_EQ(view.CodePage(), TCodePage::cp1252);
  EXPECT_TRUE(form.StatusPanel(2).startsWith("Cannot type"));

  // A UTF-8 document with Japanese: a Korean syllable moves it to Korean, kana and all.
  WriteFile(path, "# \xE3\x81\x82\n");
  child = form.Documents().OpenFile(path);
  TRAHLEditor& utf8 = child->Editor1();
  EditorWidget& utf8View = child->EditorView();
  ASSERT_EQ(utf8View.CodePage(), TCodePage::cp932);
  utf8.SetCaret(4, 0);
  Type(&utf8View, 0, Qt::NoModifier, QString::fromUtf8("\xED\x95\x9C"));
  EXPECT_EQ(utf8View.CodePage(), TCodePage::cp949);
  EXPECT_TRUE(form.StatusPanel(2).contains("EUC-KR (Korean)"));
  EXPECT_EQ(std::pair(utf8.CaretX(), utf8.CaretY()), std::pair(6, 0));
  // An emoji no code page holds is refused with the document as it was.
  Type(&utf8View, 0, Qt::NoModifier, QString::fromUtf8("\xF0\x9F\x98\x80"));
  EXPECT_EQ(utf8View.CodePage(), TCodePage::cp949);
  EXPECT_TRUE(form.StatusPanel(2).contains("U+1F600"));
  // Undo across the move takes the Korean out; the kana reads as before.
  utf8.Command(cmdUndo);
  form.Documents().SaveDocument(child);
  EXPECT_EQ(ReadFile(path).toStdString(), "# \xE3\x81\x82\r\n");
  utf8.Command(cmdRedo);
  form.Documents().SaveDocument(child);
  EXPECT_EQ(ReadFile(path).toStdString(), "# \xE3\x81\x82\xED\x95\x9C\r\n");
}
