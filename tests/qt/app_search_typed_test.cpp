// The search as people search today, driven offscreen through the real windows: find as
// you type with Escape, the count in the status bar, every occurrence marked, Find
// Previous, the word under the caret, and Find in Open Scripts with its panel.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTreeView>

#include "app/FindDialogs.h"
#include "app/OpenScriptsSearch.h"
#include "app_fixture.h"
#include "editor/MatchMarks.h"
#include "qt/EditorWidget.h"

namespace {

struct SearchTypedTest : AppTest {
  // Runs the event loop until the active document's count is made, then the status
  // refresh, and gives the search panel's text.
  QString CountShown() {
    TChildForm* child = Form->Documents().ActiveMDIChild();
    for (int i = 0; i < 1000 && child->SearchStatus() == "counting..."; ++i)
      QCoreApplication::processEvents();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    Form->UpdateStatus();
    return Form->SearchStatus();
  }
  // The columns of Line that carry the occurrences' soft background, as 'm' and '.'.
  static std::string Marked(TRAHLEditor& e, int line) {
    TLineAttrs attrs{};
    e.OnGetLineMarks(&e, line, attrs);
    std::string columns;
    for (int c = 0; c < static_cast<int>(e.Lines()[line].size()); ++c)
      columns += attrs[c + 1].BackColor == TMatchMarks().Color() ? 'm' : '.';
    return columns;
  }
  static void TypeText(QWidget* widget, const QString& text) {
    for (QChar ch : text) Type(widget, 0, Qt::NoModifier, QString(ch));
  }
};

}  // namespace

TEST_F(SearchTypedTest, FindAsYouTypeCountsMarksAndEscapeGoesBack) {
  TChildForm& c = MakeChild("alpha\r\nx = GetCameraStatus(1)\r\nGetLensStatus\r\n");
  TRAHLEditor& e = c.Editor1();
  TFindDialog& find = c.FindDialog1();
  e.SetCaret(2, 0);
  c.SearchFind1->trigger();
  TypeText(find.FindEdit, "Status");
  // The first occurrence after the caret is selected while typing; every one is marked
  // and counted.
  EXPECT_EQ(e.SelBegY(), 1);
  EXPECT_EQ(e.GetSelText(), "Status");
  EXPECT_EQ(Marked(e, 2), ".......mmmmmm");
  // No answer within 100 ms (the event loop has not run since): it says so.
  QThread::msleep(110);
  EXPECT_EQ(c.SearchStatus(), "counting...");
  EXPECT_EQ(CountShown(), "1 of 2");
  // Escape: the caret where it was, nothing selected; the search stays set.
  Type(&find, Qt::Key_Escape, Qt::NoModifier);
  EXPECT_FALSE(find.isVisible());
  EXPECT_FALSE(e.Selected());
  EXPECT_EQ(e.CaretX(), 2);
  EXPECT_EQ(e.CaretY(), 0);
  EXPECT_EQ(CountShown(), "2 matches");

  // A typed text that is not there shows the caret's place again; Enter keeps what is found.
  c.SearchFind1->trigger();
  TypeText(find.FindEdit, "GetL");
  EXPECT_EQ(e.SelBegY(), 2);
  TypeText(find.FindEdit, "q");
  EXPECT_FALSE(e.Selected());
  EXPECT_EQ(e.CaretY(), 0);
  EXPECT_EQ(CountShown(), "No matches");
  Type(find.FindEdit, Qt::Key_Backspace, Qt::NoModifier);
  Type(find.FindEdit, Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(e.GetSelText(), "GetL");
  EXPECT_EQ(e.SelBegY(), 2);
  find.reject();
  EXPECT_EQ(e.SelBegY(), 2);  // Enter made it the caret's place for good

  // Find Previous goes up from the selection, then says it found nothing more.
  find.FindEdit->setText("Get");
  c.UpdateActions();  // as the idle update does
  c.SearchFindPrevious1->trigger();
  EXPECT_EQ(e.SelBegY(), 1);
  EXPECT_EQ(e.SelBegX(), 4);
  EXPECT_EQ(CountShown(), "1 of 2");
  EXPECT_FALSE(c.FindPrevious());
  EXPECT_EQ(e.SelBegY(), 1);

  // The Done-when case: a regular expression counted, replaced with its group.
  TReplaceDialog& replace = c.ReplaceDialog1();
  c.SearchReplace1->trigger();
  replace.RegexBox->setChecked(true);
  replace.FindEdit->setText("Get(\\w+)Status");
  EXPECT_EQ(Marked(e, 1), "....mmmmmmmmmmmmmmm...");
  EXPECT_EQ(CountShown(), "2 matches");
  replace.FindNextButton->click();
  EXPECT_EQ(CountShown(), "2 of 2");
  replace.ReplaceEdit->setText("Set\\1State");
  replace.ReplaceAllButton->click();
  EXPECT_EQ(e.Lines().GetTextStr(), "alpha\r\nx = SetCameraState(1)\r\nSetLensState\r\n");
  EXPECT_EQ(CountShown(), "No matches");
  replace.reject();

  // The word under the caret, marked once View asks for it.
  e.SetCaret(1, 0);
  EXPECT_EQ(Marked(e, 0), ".....");
  Form->HighlightWord1->trigger();
  EXPECT_EQ(Marked(e, 0), "mmmmm");
  e.SetCaret(0, 1);  // on "x": a whole word only where it stands
  EXPECT_EQ(Marked(e, 0), ".....");
  EXPECT_EQ(Marked(e, 1).substr(0, 1), "m");
}

TEST_F(SearchTypedTest, FindInOpenScriptsListsEveryMatchAndGoesThere) {
  TChildForm& first = MakeChild("call GetCameraStatus\r\n  GetCameraStatus again\r\n");
  TChildForm* second = Form->Documents().NewDocument();
  second->Editor1().Lines().SetTextStr("none here\r\nx GetLensStatus\r\n");
  first.BringToFront();
  first.Editor1().SetSelStart(5);
  first.Editor1().SetSelLength(15);
  first.UpdateActions();
  first.SearchFindInScripts1->trigger();
  TOpenScriptsPanel& panel = Form->OpenScriptsPanel();
  ASSERT_TRUE(panel.isVisible());
  EXPECT_EQ(panel.FindEdit->text(), "GetCameraStatus");
  const TScriptHitModel& model = panel.Model();
  ASSERT_EQ(model.rowCount(), 2);
  EXPECT_EQ(panel.Summary->text(), "2 matches in 1 script");
  // The second row's line, its text without the indent and the mark on the occurrence.
  EXPECT_EQ(model.index(1, 1).data().toInt(), 2);
  EXPECT_EQ(model.index(1, 2).data().toString(), "GetCameraStatus again");
  EXPECT_EQ(model.index(1, 2).data(Qt::UserRole + 1).toInt(), 0);
  EXPECT_EQ(model.index(1, 2).data(Qt::UserRole + 2).toInt(), 15);

  panel.RegexBox->setChecked(true);
  panel.FindEdit->setText("Get(\\w+)Status");
  Type(panel.FindEdit, Qt::Key_Return, Qt::NoModifier);
  ASSERT_EQ(model.rowCount(), 3);
  EXPECT_EQ(panel.Summary->text(), "3 matches in 2 scripts");
  EXPECT_EQ(model.index(2, 0).data().toString(), "Unnamed file");
  // Enter on the last row: the second script in front, the occurrence selected.
  panel.Results->setCurrentIndex(model.index(2, 0));
  Type(panel.Results, Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(Form->Documents().ActiveMDIChild(), second);
  EXPECT_EQ(second->Editor1().GetSelText(), "GetLensStatus");
  EXPECT_EQ(second->Editor1().SelBegY(), 1);

  // A pattern that does not compile lists nothing and says why; a closed script is said.
  panel.FindEdit->setText("Get(");
  panel.FindAllButton->click();
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_TRUE(panel.Summary->text().startsWith("Invalid regular expression: Position 5"))
      << panel.Summary->text().toStdString();
  panel.FindEdit->setText("Status");
  panel.FindAllButton->click();
  ASSERT_EQ(model.rowCount(), 3);
  second->Editor1().SetModified(false);
  second->parentWidget()->close();
  DeleteClosed();
  panel.GoTo(2);
  EXPECT_EQ(panel.Summary->text(), "Unnamed file is no longer open");
}
