// The settings kept between runs: defaults, the round trip through a close and the next
// start, and stored values of the wrong type.
#include <QMdiSubWindow>

#include "app/Settings.h"
#include "app_fixture.h"

TEST_F(AppTest, FirstRunUsesTheDesignBounds) {
  TForm1& form = MakeForm();
  EXPECT_EQ(form.pos(), QPoint(415, 157));
  EXPECT_EQ(form.size(), QSize(706, 698));
  EXPECT_TRUE(form.FilePath().isEmpty());
  EXPECT_TRUE(Dialogs.Errors.isEmpty());
  EXPECT_EQ(form.Documents().MDIChildCount(), 0);
}

TEST_F(AppTest, SettingsSurviveCloseAndNextStart) {
  const QString script = PathOf("a.csm");
  WriteFile(script, "x\r\n");
  {
    TForm1& form = MakeForm();
    form.Documents().OpenFile(script);
    form.move(40, 50);
    form.resize(640, 480);
    ASSERT_TRUE(form.close());
  }
  QSettings store = AppStore();
  EXPECT_EQ(store.value("filepath").toString(), Dir.path());
  EXPECT_EQ(store.value("formx").toInt(), 40);
  EXPECT_EQ(store.value("formy").toInt(), 50);
  EXPECT_EQ(store.value("formwidth").toInt(), 640);
  EXPECT_EQ(store.value("formheight").toInt(), 480);

  TForm1& next = MakeForm();
  EXPECT_EQ(next.FilePath(), Dir.path());
  EXPECT_EQ(next.pos(), QPoint(40, 50));
  EXPECT_EQ(next.size(), QSize(640, 480));
}

TEST_F(AppTest, RefusedCloseWritesNoSettings) {
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().NewDocument();
  child->Editor1().SetModified(true);
  Dialogs.Answer = QMessageBox::Cancel;
  EXPECT_FALSE(form.close());
  EXPECT_EQ(Dialogs.ConfirmAsked, 1);
  EXPECT_FALSE(AppStore().contains("formx"));
  EXPECT_EQ(form.Documents().MDIChildCount(), 1);

  // Answering No lets everything close and writes the settings.
  Dialogs.Answer = QMessageBox::No;
  EXPECT_TRUE(form.close());
  EXPECT_EQ(AppStore().value("formx").toInt(), form.x());
}

TEST_F(AppTest, WrongTypedSettingStopsReadingThere) {
  {
    QSettings store = AppStore();
    store.setValue("filepath", "/scripts");
    store.setValue("formx", 10);
    store.setValue("formy", "abc");
    store.setValue("formheight", 300);
    store.setValue("formwidth", 400);
  }
  TForm1& form = MakeForm();
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_EQ(Dialogs.Errors.first(), "Invalid data type for 'formy'");
  EXPECT_EQ(form.FilePath(), "/scripts");
  EXPECT_EQ(form.pos(), QPoint(10, 157));
  EXPECT_EQ(form.size(), QSize(706, 698));
}

TEST_F(AppTest, LoadSettingsKeepsWhatWasReadBeforeAFailure) {
  {
    QSettings store = AppStore();
    store.setValue("formheight", 333);
    store.setValue("formwidth", QStringList({"1", "2"}));
  }
  TAppSettings settings;
  EXPECT_THROW(LoadSettings(settings), ESettingsError);
  EXPECT_EQ(settings.Bounds, QRect(415, 157, 706, 333));

  AppStore().setValue("filepath", 12);
  TAppSettings other;
  EXPECT_THROW(LoadSettings(other), ESettingsError);
  EXPECT_EQ(other.Bounds, QRect(415, 157, 706, 698));
}
