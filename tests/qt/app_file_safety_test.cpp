// What the application does so that no byte on disk is lost unseen: files holding a NUL
// byte, files changed by another program, and stored window bounds no screen can show.
#include <limits>

#include "app/Settings.h"
#include "app/WindowBounds.h"
#include "app_fixture.h"

namespace {

QByteArray WithNul() {
  QByteArray bytes("name x\r\nmo");
  bytes.append('\0');
  bytes.append(QByteArray(150000, 'b'));
  return bytes;
}

}  // namespace

TEST_F(AppTest, FileWithANulByteIsOpenedWithAWarningAndNotCutUnasked) {
  const QString path = PathOf("nul.csm");
  WriteFile(path, WithNul());
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  ASSERT_EQ(Dialogs.Warnings.size(), 1);
  EXPECT_TRUE(Dialogs.Warnings.first().contains(path));
  EXPECT_TRUE(Dialogs.Warnings.first().contains("NUL"));
  EXPECT_TRUE(Dialogs.Errors.isEmpty());
  EXPECT_EQ(child->Editor1().Lines().GetTextStr(), "name x\r\nmo\r\n");

  // Saving over it asks; the default answer keeps the file as it is.
  child->Editor1().SetModified(true);
  form.Action2->trigger();
  ASSERT_EQ(Dialogs.OverwriteQuestions.size(), 1);
  EXPECT_TRUE(Dialogs.OverwriteQuestions.first().contains("NUL"));
  EXPECT_EQ(ReadFile(path), WithNul());
  EXPECT_TRUE(child->Editor1().Modified());

  // Closing with "save changes" and the same answer keeps the window and the file.
  Dialogs.Answer = QMessageBox::Yes;
  EXPECT_FALSE(child->CloseQuery());
  EXPECT_EQ(ReadFile(path), WithNul());

  // Saving elsewhere asks nothing and leaves the file alone.
  const QString other = PathOf("other.csm");
  form.Documents().SaveAs(child, other);
  EXPECT_EQ(ReadFile(other), QByteArray("name x\r\nmo\r\n"));
  EXPECT_EQ(ReadFile(path), WithNul());
  EXPECT_EQ(Dialogs.OverwriteQuestions.size(), 2);
}

TEST_F(AppTest, ConfirmedSaveCutsTheNulFileOnceAndAsksNoMore) {
  const QString path = PathOf("nul.csm");
  WriteFile(path, WithNul());
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  Dialogs.OverwriteAnswer = true;
  form.Action2->trigger();
  EXPECT_EQ(Dialogs.OverwriteQuestions.size(), 1);
  EXPECT_EQ(ReadFile(path), QByteArray("name x\r\nmo\r\n"));
  EXPECT_FALSE(child->Editor1().Modified());
  form.Action2->trigger();
  EXPECT_EQ(Dialogs.OverwriteQuestions.size(), 1);
}

TEST_F(AppTest, SaveAsksBeforeOverwritingAFileChangedBehindTheEditor) {
  const QString path = PathOf("shared.csm");
  WriteFile(path, "mine\r\n");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  child->Editor1().Lines().SetTextStr("edited\r\n");

  // Unchanged on disk: no question.
  form.Action2->trigger();
  EXPECT_TRUE(Dialogs.OverwriteQuestions.isEmpty());
  EXPECT_EQ(ReadFile(path), QByteArray("edited\r\n"));

  // Changed after the last save: the default answer keeps the other program's text.
  WriteFile(path, "theirs\r\n");
  child->Editor1().SetModified(true);
  form.Action2->trigger();
  ASSERT_EQ(Dialogs.OverwriteQuestions.size(), 1);
  EXPECT_TRUE(Dialogs.OverwriteQuestions.first().contains("changed by another program"));
  EXPECT_EQ(ReadFile(path), QByteArray("theirs\r\n"));
  EXPECT_TRUE(child->Editor1().Modified());

  Dialogs.OverwriteAnswer = true;
  form.Action2->trigger();
  EXPECT_EQ(ReadFile(path), QByteArray("edited\r\n"));
  EXPECT_FALSE(child->Editor1().Modified());

  // Deleted meanwhile: simply written.
  QFile::remove(path);
  Dialogs.OverwriteAnswer = false;
  form.Action2->trigger();
  EXPECT_EQ(Dialogs.OverwriteQuestions.size(), 2);
  EXPECT_EQ(ReadFile(path), QByteArray("edited\r\n"));
}

// The file is read in pieces, and a text that looks like UTF-8 at first but is not is read
// a second time: what the save guard remembers must be the digest of the bytes on disk
// either way, or every save of such a file would ask about a change nobody made.
TEST_F(AppTest, FilesReadInPiecesOrTwiceSaveWithoutAQuestion) {
  QByteArray late8Bit = QByteArray("# caf\xc3\xa9\r\n");
  while (late8Bit.size() < 3 << 20) late8Bit.append("GetCameraStatus()\r\n");
  late8Bit.append("# caf\xe9\r\n");
  QByteArray plain;
  while (plain.size() < 3 << 20) plain.append("label Start\r\n\tgoto Start\r\n");
  for (const QByteArray& bytes : {late8Bit, plain}) {
    const QString path = PathOf("pieces.csm");
    WriteFile(path, bytes);
    TForm1& form = MakeForm();
    TChildForm* child = form.Documents().OpenFile(path);
    EXPECT_EQ(child->Editor1().Lines().Count(), bytes.count('\n'));
    child->Editor1().SetModified(true);
    form.Action2->trigger();
    EXPECT_TRUE(Dialogs.OverwriteQuestions.isEmpty());
    EXPECT_FALSE(child->Editor1().Modified());
    child->close();
  }
}

TEST_F(AppTest, AFileCreatedAfterAFailedOpenIsNotOverwrittenUnasked) {
  const QString path = PathOf("later.csm");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(path);
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  WriteFile(path, "made elsewhere\r\n");
  child->Editor1().Lines().SetTextStr("x\r\n");
  form.Action2->trigger();
  EXPECT_EQ(Dialogs.OverwriteQuestions.size(), 1);
  EXPECT_EQ(ReadFile(path), QByteArray("made elsewhere\r\n"));
}

TEST(WindowBounds, StoredBoundsAreUsedExactlyOnlyWhereAScreenShowsThem) {
  const QRect design(415, 157, 706, 698);
  const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
  struct Case {
    const char* name;
    QRect stored;
    QRect expected;
  } cases[] = {
      {"sound", QRect(40, 50, 640, 480), QRect(40, 50, 640, 480)},
      {"partly off the left edge", QRect(-300, 10, 640, 480), QRect(-300, 10, 640, 480)},
      {"on the second screen", QRect(2000, 100, 800, 600), QRect(2000, 100, 800, 600)},
      {"across both screens", QRect(1500, 100, 800, 600), QRect(1500, 100, 800, 600)},
      {"off every screen", QRect(100000, 157, 706, 698), design},
      {"above every screen", QRect(415, -5000, 706, 698), design},
      {"too wide", QRect(415, 157, 100000, 698), QRect(0, 157, 1920, 698)},
      {"too high", QRect(10, 20, 706, 5000), QRect(10, 0, 706, 1080)},
      {"too wide on the second screen", QRect(2500, 0, 5000, 500), QRect(1920, 0, 1280, 500)},
      {"off screen and too large", QRect(-90000, 0, 90000, 90000), design},
      {"no width", QRect(40, 50, 0, 480), design},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FitToScreens(c.stored, design, screens), c.expected);
  }
  // A screen smaller than the design bounds: they are cut and kept on it.
  EXPECT_EQ(FitToScreens(QRect(5000, 0, 10, 10), design, {QRect(0, 0, 640, 480)}),
            QRect(0, 0, 640, 480));
}

TEST_F(AppTest, OffScreenAndOversizedStoredBoundsStartOnTheScreen) {
  const QRect screen = AvailableScreenAreas().constFirst();
  {
    QSettings store = AppStore();
    store.setValue("formx", 100000);
    store.setValue("formy", 157);
    store.setValue("formheight", 698);
    store.setValue("formwidth", 706);
  }
  {
    TForm1& form = MakeForm();
    EXPECT_EQ(form.pos(), QPoint(415, 157));
    EXPECT_EQ(form.size(), QSize(706, 698));
  }
  AppStore().setValue("formx", 10);
  AppStore().setValue("formwidth", 100000);
  AppStore().setValue("formheight", std::numeric_limits<int>::max());
  TForm1& form = MakeForm();
  EXPECT_LE(form.width(), screen.width());
  EXPECT_LE(form.height(), screen.height());
  EXPECT_TRUE(form.geometry().intersects(screen));
}
