// The document window's Find and Replace dialogs driven offscreen, Go To line with its
// dialog, the bookmarks and their numbers in the gutter.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/FindDialogs.h"
#include "app/GotoDialog.h"
#include "app_fixture.h"
#include "qt/EditorWidget.h"
#include "support/RecordingCanvas.h"

namespace {

struct SearchTest : AppTest {
  static std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
  }
};

void SendKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
}

}  // namespace

TEST_F(SearchTest, FindDialogFindsForwardAndGivesTheFocusBack) {
  TChildForm& c = MakeChild("xABCx abc\r\n");
  TRAHLEditor& e = c.Editor1();
  TFindDialog& find = c.FindDialog1();
  c.SearchFind1->trigger();
  ASSERT_TRUE(find.isVisible());
  EXPECT_EQ(find.windowTitle(), "Find");
  EXPECT_TRUE(find.FindNextButton->isDefault());
  EXPECT_FALSE(find.FindNextButton->isEnabled());  // nothing to find yet
  EXPECT_EQ(find.FindEdit->text(), "");
  EXPECT_FALSE(find.MatchCaseBox->isChecked());

  find.FindEdit->setText("abc");
  find.FindNextButton->click();
  EXPECT_EQ(e.GetSelText(), "ABC");
  find.FindNextButton->click();
  EXPECT_EQ(e.GetSelText(), "abc");
  EXPECT_EQ(e.SelBegX(), 6);
  find.FindNextButton->click();  // no wrap-around: nothing changes
  EXPECT_EQ(e.SelBegX(), 6);
  EXPECT_TRUE(Dialogs.Errors.isEmpty());

  // Escape closes; the editor has the keys again; the text and Match case stay.
  find.MatchCaseBox->setChecked(true);
  SendKey(&find, Qt::Key_Escape);
  EXPECT_FALSE(find.isVisible());
  EXPECT_TRUE(c.EditorView().hasFocus());
  e.SetCaret(0, 0);
  c.SearchFindNext1->trigger();  // F3: with the dialog's text and options, not shown
  EXPECT_FALSE(find.isVisible());
  EXPECT_EQ(e.SelBegX(), 6);
  c.SearchFind1->trigger();
  EXPECT_EQ(find.FindEdit->text(), "abc");
  EXPECT_EQ(find.FindEdit->selectedText(), "abc");  // typing replaces it
  EXPECT_TRUE(find.MatchCaseBox->isChecked());
  EXPECT_EQ(c.ReplaceDialog1().FindEdit->text(), "");  // the two do not share
  find.CancelButton->click();
  EXPECT_FALSE(find.isVisible());
}

TEST_F(SearchTest, ReplaceDialogReplacesOneAtATimeOrAll) {
  TChildForm& c = MakeChild("one two one\r\nOne\r\n");
  TRAHLEditor& e = c.Editor1();
  TReplaceDialog& replace = c.ReplaceDialog1();
  c.SearchReplace1->trigger();
  ASSERT_TRUE(replace.isVisible());
  EXPECT_EQ(replace.windowTitle(), "Replace");
  EXPECT_TRUE(replace.FindNextButton->isDefault());
  replace.FindEdit->setText("one");
  replace.ReplaceEdit->setText("1");
  replace.ReplaceButton->click();  // nothing selected yet: only finds
  EXPECT_EQ(e.Lines()[0], "one two one");
  EXPECT_EQ(e.GetSelText(), "one");
  replace.ReplaceButton->click();
  EXPECT_EQ(e.Lines()[0], "1 two one");
  EXPECT_EQ(e.SelBegX(), 6);
  replace.FindNextButton->click();
  EXPECT_EQ(e.GetSelText(), "One");

  replace.ReplaceEdit->setText(QString(QChar(0xE9)));  // a byte of the code page
  replace.ReplaceAllButton->click();
  EXPECT_EQ(e.Lines().GetTextStr(), "1 two \xE9\r\n\xE9\r\n");
  EXPECT_EQ(e.GetSelText(), "\xE9");  // the last replacement stays selected
  replace.reject();
  EXPECT_TRUE(c.EditorView().hasFocus());
}

// A user's regular expression: an invalid one shows its error and changes nothing; the
// valid one replaces every match with its group, as one undo step.
TEST_F(SearchTest, ReplaceDialogWithRegularExpression) {
  const std::string text = "s = GetCameraStatus(1)\r\nGetLensStatus\r\n";
  TChildForm& c = MakeChild(text);
  TRAHLEditor& e = c.Editor1();
  TReplaceDialog& replace = c.ReplaceDialog1();
  c.SearchReplace1->trigger();
  EXPECT_FALSE(replace.RegexBox->isChecked());  // off at first
  replace.RegexBox->setChecked(true);
  replace.FindEdit->setText("Get(\\w+Status");
  EXPECT_FALSE(replace.ErrorLabel->isHidden());
  // Where PCRE2 stopped (just past the last character) and its message.
  EXPECT_TRUE(replace.ErrorLabel->text().startsWith("Position 14: missing closing parenthesis"))
      << replace.ErrorLabel->text().toStdString();
  replace.ReplaceEdit->setText("Set\\1State");
  replace.ReplaceAllButton->click();
  EXPECT_EQ(e.Lines().GetTextStr(), text);
  replace.FindEdit->setText("Get(\\w+)Status");
  EXPECT_TRUE(replace.ErrorLabel->isHidden());
  replace.ReplaceAllButton->click();
  EXPECT_EQ(e.Lines().GetTextStr(), "s = SetCameraState(1)\r\nSetLensState\r\n");
  c.UpdateActions();
  c.EditUndo1->trigger();
  EXPECT_EQ(e.Lines().GetTextStr(), text);
  replace.reject();
}

TEST_F(SearchTest, GotoPutsTheCaretAtTheStartOfTheLine) {
  TChildForm& c = MakeChild(Lines(10));
  TRAHLEditor& e = c.Editor1();
  const std::pair<QString, int> cases[] = {{" 7 ", 6}, {"abc", 0},         {"0", 0},    {"", 0},
                                           {"500", 9}, {"-2147483648", 0}, {"\t3\n", 2}};
  for (const auto& [typed, line] : cases) {
    e.SetCaret(4, 5);
    Dialogs.GotoText = typed;
    c.SearchGoto->trigger();
    EXPECT_EQ(e.CaretY(), line) << typed.toStdString();
    EXPECT_EQ(e.CaretX(), 0) << typed.toStdString();
  }
  e.SetCaret(4, 5);
  Dialogs.GotoText.reset();  // Cancel
  c.SearchGoto->trigger();
  EXPECT_EQ(e.CaretX(), 4);
  EXPECT_EQ(e.CaretY(), 5);
  EXPECT_EQ(Dialogs.GotoAsked, static_cast<int>(std::size(cases)) + 1);
}

TEST_F(SearchTest, GotoDialogIsTheFixedDialogWithOneSelected) {
  TdlgGoto dialog;
  EXPECT_EQ(dialog.windowTitle(), "Goto line");
  EXPECT_EQ(dialog.size(), QSize(225, 75));
  EXPECT_EQ(dialog.edtLine->geometry().topLeft(), QPoint(16, 28));
  EXPECT_EQ(dialog.lblLine->buddy(), dialog.edtLine);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(dialog.edtLine)->text(QAccessible::Name),
            "Line number:");
  EXPECT_EQ(dialog.edtLine->width(), 89);
  EXPECT_EQ(dialog.OKBtn->geometry(), QRect(132, 8, 75, 25));
  EXPECT_EQ(dialog.CancelBtn->geometry(), QRect(132, 38, 75, 25));
  EXPECT_TRUE(dialog.OKBtn->isDefault());
  EXPECT_EQ(dialog.edtLine->text(), "1");
  EXPECT_EQ(dialog.edtLine->selectedText(), "1");
  EXPECT_EQ(dialog.edtLine->nextInFocusChain(), dialog.OKBtn);

  // The real dialog, shown modally and answered: OK gives the text, Escape nothing.
  TAppDialogs standard = TAppDialogs::Standard();
  QTimer::singleShot(0, [] {
    auto* shown = qobject_cast<TdlgGoto*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    shown->edtLine->setText("12");
    shown->OKBtn->click();
  });
  EXPECT_EQ(standard.GotoLine(nullptr), std::optional<QString>("12"));
  QTimer::singleShot(0, [] {
    if (QWidget* shown = QApplication::activeModalWidget()) SendKey(shown, Qt::Key_Escape);
  });
  EXPECT_EQ(standard.GotoLine(nullptr), std::nullopt);
}

TEST_F(SearchTest, BookmarksToggleMoveAndGo) {
  TChildForm& c = MakeChild(Lines(20));
  TRAHLEditor& e = c.Editor1();
  const TBookmark& mark = e.Bookmarks()[3];
  e.SetCaret(2, 5);
  c.Toogle[3]->trigger();
  EXPECT_TRUE(mark.Valid);
  c.Toogle[3]->trigger();  // again on the same line: cleared
  EXPECT_FALSE(mark.Valid);
  c.Toogle[3]->trigger();
  e.SetCaret(4, 8);
  c.Toogle[3]->trigger();  // on another line: moved
  EXPECT_TRUE(mark.Valid);
  EXPECT_EQ(mark.Y, 8);
  e.SetCaret(0, 0);
  c.GotoBook[3]->trigger();
  EXPECT_EQ(e.CaretY(), 8);
  EXPECT_EQ(e.CaretX(), 4);  // where it was toggled
  c.GotoBook[7]->trigger();  // not set: nothing happens
  EXPECT_EQ(e.CaretY(), 8);
  c.Toogle[0]->trigger();  // the tenth action is bookmark 0
  EXPECT_TRUE(e.Bookmarks()[0].Valid);
}

TEST_F(SearchTest, GutterShowsTheNumbersOfValidBookmarks) {
  TChildForm& c = MakeChild(Lines(100));
  TRAHLEditor& e = c.Editor1();
  e.SetLeftTop(0, 10);
  e.Bookmarks()[2] = TBookmark{0, 12, true};
  e.Bookmarks()[5] = TBookmark{3, 3, true};  // above the view
  e.Bookmarks()[7] = TBookmark{0, 14, false};
  e.Bookmarks()[9] = TBookmark{0, -1, true};
  RecordingCanvas canvas;
  canvas.CharWidth = 7;
  ASSERT_TRUE(e.OnPaintGutter);
  e.OnPaintGutter(&e, canvas);
  const std::vector<CanvasCall> texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "2");
  EXPECT_EQ(texts[0].rect.Left, 18 - 7 - 5);
  EXPECT_EQ(texts[0].rect.Top, e.CellRect(0, 2).Top);
  EXPECT_EQ(texts[1].text, "5");
  EXPECT_EQ(texts[1].rect.Top, e.CellRect(0, -7).Top);  // outside the gutter's view
  EXPECT_EQ(texts[0].color, e.Font().Color);
  EXPECT_EQ(texts[0].background, e.GutterColor());
}
