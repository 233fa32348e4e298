// Preferences and sessions as the settings store keeps them: round trips, and values
// that are missing or broken falling back to their defaults.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>

#include "app/FindDialogs.h"
#include "app/Preferences.h"
#include "app/PreferencesDialog.h"
#include "app/Session.h"
#include "app_fixture.h"

TEST_F(AppTest, PreferencesRoundTripAndBrokenValuesFallBack) {
  QSettings store = AppStore();
  EXPECT_EQ(ReadPreferences(store), TPreferences());  // nothing stored

  TPreferences chosen;
  chosen.FontFamily = "DejaVu Sans Mono";
  chosen.TabStops = "4 8 12";
  chosen.ColourScheme = TColourScheme::Dark;
  chosen.KeyScheme = TKeyScheme::Desktop;
  chosen.ReopenLastSession = true;
  chosen.TabbedDocuments = true;
  chosen.LineEnds = TLineEnds::AsTheFileHasThem;
  chosen.WrapSearches = true;
  WritePreferences(store, chosen);
  EXPECT_EQ(store.value("keyscheme").toString(), "Desktop");
  EXPECT_EQ(ReadPreferences(store), chosen);

  // Each broken value gives its own default; the others are kept.
  for (const char* name : {"tabstops", "colourscheme", "keyscheme", "reopenlastsession",
                           "tabbeddocuments", "lineends", "wrapsearches", "fontfamily"}) {
    for (const QVariant& bad : {QVariant("5 3"), QVariant("nonsense"), QVariant(-1), QVariant()}) {
      WritePreferences(store, chosen);
      store.setValue(name, bad);
      TPreferences expected = chosen;
      const TPreferences defaults;
      const QString n = name;
      if (n == "tabstops") expected.TabStops = defaults.TabStops;
      if (n == "colourscheme") expected.ColourScheme = defaults.ColourScheme;
      if (n == "keyscheme") expected.KeyScheme = defaults.KeyScheme;
      if (n == "reopenlastsession") expected.ReopenLastSession = defaults.ReopenLastSession;
      if (n == "tabbeddocuments") expected.TabbedDocuments = defaults.TabbedDocuments;
      if (n == "lineends") expected.LineEnds = defaults.LineEnds;
      if (n == "wrapsearches") expected.WrapSearches = defaults.WrapSearches;
      if (n == "fontfamily" && !bad.isValid()) expected.FontFamily = defaults.FontFamily;
      if (n == "fontfamily" && bad.isValid()) expected.FontFamily = bad.toString();
      EXPECT_EQ(ReadPreferences(store), expected) << name << " = " << bad.toString().toStdString();
    }
  }
}

TEST(TabStops, TheThreeFiveFormIsCheckedAsTyped) {
  for (const char* good : {"3 5", "1", " 2  9 ", "4 8 12 16"}) EXPECT_TRUE(ValidTabStops(good));
  for (const char* bad : {"", "5 3", "0 4", "3 3", "3,5", "x", "2000"})
    EXPECT_FALSE(ValidTabStops(bad)) << bad;
  TTabStopsValidator validator;
  int at = 0;
  QString typed = "3 ";
  EXPECT_EQ(validator.validate(typed, at), QValidator::Acceptable);
  typed = "3 2";
  EXPECT_EQ(validator.validate(typed, at), QValidator::Intermediate);  // typing on may fix it
  typed = "3a";
  EXPECT_EQ(validator.validate(typed, at), QValidator::Invalid);

  // The dialog offers OK and Apply only for valid stops.
  TPreferencesDialog dialog{TPreferences()};
  EXPECT_EQ(dialog.Chosen(), TPreferences());
  dialog.TabStopsEdit->setText("5 3");
  EXPECT_FALSE(dialog.Buttons->button(QDialogButtonBox::Ok)->isEnabled());
  dialog.TabStopsEdit->setText("5 9");
  EXPECT_TRUE(dialog.Buttons->button(QDialogButtonBox::Apply)->isEnabled());
  EXPECT_EQ(dialog.Chosen().TabStops, "5 9");
}

TEST_F(AppTest, SessionsRoundTripAndSkipWhatIsBroken) {
  QSettings store = AppStore();
  EXPECT_TRUE(ReadSession(store).Documents.isEmpty());
  TSession session;
  TSessionDocument a;
  a.Path = "/tmp/a.csm";
  a.CaretX = 3;
  a.CaretY = 40;
  a.TopRow = 30;
  a.Bookmarks[2] = TBookmark{1, 41, true};
  a.Bookmarks[9] = TBookmark{0, 7, true};
  a.Placement = QRect(10, 20, 300, 200);
  TSessionDocument b;
  b.Path = "/tmp/b.csm";
  b.Maximized = true;
  session.Documents = {a, b};
  session.Active = 1;
  WriteSession(store, session);
  const TSession read = ReadSession(store);
  ASSERT_EQ(read.Documents.size(), 2);
  EXPECT_EQ(read.Active, 1);
  EXPECT_EQ(read.Documents[0].Path, a.Path);
  EXPECT_EQ(read.Documents[0].CaretY, 40);
  EXPECT_EQ(read.Documents[0].TopRow, 30);
  EXPECT_EQ(read.Documents[0].Placement, a.Placement);
  EXPECT_TRUE(read.Documents[0].Bookmarks[2].Valid);
  EXPECT_EQ(read.Documents[0].Bookmarks[9].Y, 7);
  EXPECT_FALSE(read.Documents[0].Bookmarks[0].Valid);
  EXPECT_TRUE(read.Documents[1].Maximized);

  // A damaged entry without a file is left out, broken numbers read as 0.
  store.setValue("session/documents/1/path", "");
  store.setValue("session/documents/2/carety", "many");
  store.setValue("session/documents/2/bookmarks", QStringList{"12:0:0", "x", "3:1:2"});
  const TSession damaged = ReadSession(store);
  ASSERT_EQ(damaged.Documents.size(), 1);
  EXPECT_EQ(damaged.Active, 0);  // still the second document
  EXPECT_EQ(damaged.Documents[0].CaretY, 0);
  EXPECT_TRUE(damaged.Documents[0].Bookmarks[3].Valid);
}

TEST_F(AppTest, PreferencesApplyAtOnceToEveryWindowAndComeBackAtTheNextStart) {
  WriteFile(PathOf("lf.csm"), "a\nb\n");
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(PathOf("lf.csm"));
  TPreferences p;
  p.FontHeight = 17;
  p.TabStops = "4 8";
  p.ColourScheme = TColourScheme::Dark;
  p.KeyScheme = TKeyScheme::Desktop;
  p.TabbedDocuments = true;
  p.LineEnds = TLineEnds::AsTheFileHasThem;
  p.WrapSearches = true;
  form.SetPreferences(p);
  TChildForm* later = form.Documents().NewDocument();
  for (TChildForm* c : {child, later}) {
    EXPECT_EQ(c->Editor1().TabStops(), "4 8");
    EXPECT_EQ(c->Editor1().Font().Height, form.FontHeight());
    EXPECT_LT(c->EditorView().palette().color(QPalette::Base).lightness(), 64);
    EXPECT_TRUE(c->ReplaceDialog1().WrapAroundBox->isChecked());
    EXPECT_TRUE(c->EditRedo1->shortcuts().contains(QKeySequence("Ctrl+Y")));
    // The frame carries the program's icon, not the toolkit's.
    EXPECT_FALSE(c->parentWidget()->windowIcon().isNull());
  }
  EXPECT_EQ(form.MdiArea().viewMode(), QMdiArea::TabbedView);
  child->Editor1().Command('x');
  form.Documents().SaveDocument(child);
  EXPECT_EQ(ReadFile(PathOf("lf.csm")), "xa\nb\n");  // as the file has them

  Form.reset();
  TForm1& next = MakeForm();
  TPreferences expected = p;
  expected.FontHeight = next.FontHeight();
  EXPECT_EQ(next.Preferences(), expected);
  EXPECT_EQ(next.KeyScheme(), TKeyScheme::Desktop);
  EXPECT_EQ(next.MdiArea().viewMode(), QMdiArea::TabbedView);
  // Back to the classic colours and CR LF.
  next.SetPreferences(TPreferences());
  TChildForm* again = next.Documents().OpenFile(PathOf("lf.csm"));
  again->Editor1().Command('y');
  next.Documents().SaveDocument(again);
  EXPECT_EQ(ReadFile(PathOf("lf.csm")), "yxa\r\nb\r\n");
  EXPECT_EQ(next.MdiArea().viewMode(), QMdiArea::SubWindowView);
}

TEST(SaveChangesBox, EveryAnswerHasALetterAndCancelIsTheEscape) {
  QStringList texts;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Confirm");
    for (QAbstractButton* b : box->buttons()) texts.append(b->text());
    box->escapeButton()->click();
  });
  EXPECT_EQ(TAppDialogs::Standard().ConfirmSave(nullptr), QMessageBox::Cancel);
  texts.sort();
  EXPECT_EQ(texts, QStringList({"&Cancel", "&No", "&Yes"}));
}
