// The everyday additions to the windows: menu hints that stay while a menu is open, search
// outcomes in the status bar, Replace All as one undo step, the dialogs' labels and tab
// order, recent files, the window list, line numbers in the gutter and zoom.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QWheelEvent>

#include "app/FindDialogs.h"
#include "app_fixture.h"
#include "qt/EditorWidget.h"
#include "support/RecordingCanvas.h"

namespace {

struct ConvenienceTest : AppTest {
  // A second run of the program: the first one closes and writes its settings.
  TForm1& Restart() {
    EXPECT_TRUE(Form->close());
    return MakeForm();
  }
  static QStringList MenuTitles(QMenu* menu) {
    emit menu->aboutToShow();
    return Titles(menu->actions());
  }
};

void Wheel(QWidget* viewport, int delta, Qt::KeyboardModifiers modifiers) {
  const QPointF at(20, 20);
  QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                    modifiers, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(viewport, &wheel);
}

}  // namespace

TEST_F(ConvenienceTest, MenuHintStaysInPanelZeroWhileTheMenuIsOpen) {
  TChildForm& c = MakeChild("abc\r\n");
  TForm1& form = *Form;
  c.SearchMenu->popup(QPoint(0, 0));
  c.SearchMenu->setActiveAction(c.SearchFind1);
  form.UpdateStatus();  // the 100 ms refresh
  EXPECT_EQ(form.StatusPanel(0), "Finds the specified text");
  c.SearchMenu->hide();
  form.UpdateStatus();
  EXPECT_EQ(form.StatusPanel(0), "Row:1 Col:1");
}

TEST_F(ConvenienceTest, SearchOutcomesAreReportedReplaceAllUndoesInOneStepAndTabFollowsFields) {
  const std::string text = "one two one\r\nONE\r\n";
  TChildForm& c = MakeChild(text);
  TRAHLEditor& e = c.Editor1();
  TForm1& form = *Form;
  TReplaceDialog& r = c.ReplaceDialog1();
  e.SetSelStart(4);
  e.SetSelLength(3);
  c.SearchReplace1->trigger();
  EXPECT_EQ(r.FindEdit->text(), "two");  // the selection within one line
  EXPECT_FALSE(r.WholeWordBox->isChecked() || r.WrapAroundBox->isChecked());

  r.FindEdit->setText("one");
  r.ReplaceEdit->setText("1");
  r.ReplaceAllButton->click();
  EXPECT_EQ(e.Lines().GetTextStr(), "1 two 1\r\n1\r\n");
  EXPECT_EQ(form.StatusPanel(2), "Replaced 3 occurrences of \"one\"");
  c.UpdateActions();
  c.EditUndo1->trigger();
  EXPECT_EQ(e.Lines().GetTextStr(), text);
  EXPECT_FALSE(e.UndoBuffer()->CanUndo());

  r.FindEdit->setText("two");
  r.FindNextButton->click();
  r.FindNextButton->click();
  EXPECT_EQ(form.StatusPanel(2), "Cannot find \"two\"");
  EXPECT_EQ(e.GetSelText(), "two");  // a miss changes nothing
  r.WrapAroundBox->setChecked(true);
  r.FindNextButton->click();
  EXPECT_EQ(form.StatusPanel(2), "Passed the end of the script, continued from the top");

  // Without a selection on one line the dialog offers the last search text.
  r.hide();
  e.SetSelStart(0);
  e.SetSelLength(15);
  c.SearchReplace1->trigger();
  EXPECT_EQ(r.FindEdit->text(), "two");

  // Each field is read with its label; Tab goes down the fields, then down the buttons.
  QList<QWidget*> buddies;
  // (The pattern's error line is a message, not a field's label.)
  for (QLabel* label : r.findChildren<QLabel*>()) {
    if (label != r.ErrorLabel) buddies.append(label->buddy());
  }
  EXPECT_EQ(buddies, QList<QWidget*>({r.FindEdit, r.ReplaceEdit}));
  const QList<QWidget*> expected = {
      r.FindEdit, r.ReplaceEdit,    r.MatchCaseBox,  r.WholeWordBox,     r.WrapAroundBox,
      r.RegexBox, r.FindNextButton, r.ReplaceButton, r.ReplaceAllButton, r.CancelButton};
  QList<QWidget*> chain = {r.FindEdit};
  for (QWidget* w = r.FindEdit->nextInFocusChain(); w != r.FindEdit; w = w->nextInFocusChain()) {
    if (w->focusPolicy() & Qt::TabFocus) chain.append(w);
  }
  EXPECT_EQ(chain, expected);
}

TEST_F(ConvenienceTest, RecentFilesSurviveARestartAndTheWindowMenuListsTheDocuments) {
  TForm1& form = MakeForm();
  QStringList names;
  for (int i = 1; i <= 9; ++i) {
    names.prepend(PathOf(QStringLiteral("s%1.csm").arg(i)));
    WriteFile(names.front(), "x\r\n");
    form.Documents().OpenFile(names.front());
  }
  // Save As proposes the current name; the saved file goes to the top.
  Dialogs.SaveName = PathOf("saved.csm");
  form.Documents().SaveDocumentAs(form.Documents().ActiveMDIChild());
  EXPECT_EQ(Dialogs.SaveProposed, names.front());
  names.prepend(Dialogs.SaveName);
  names.removeLast();
  names.removeLast();

  TForm1& next = Restart();
  EXPECT_EQ(next.RecentFiles().Files(), names);
  QMenu* file = SubmenuNamed(next.menuBar(), "&File");
  const QStringList titles = MenuTitles(file);
  EXPECT_EQ(titles.mid(10, 2), QStringList({"&1 " + names[0], "&2 " + names[1]}));
  EXPECT_EQ(titles.mid(18), QStringList({"-", "E&xit"}));

  QFile::remove(names[1]);
  file->actions().at(11)->trigger();
  EXPECT_TRUE(Dialogs.Warnings.size() == 1 && Dialogs.Warnings[0].contains(names[1]));
  EXPECT_EQ(next.Documents().MDIChildCount(), 0);
  EXPECT_EQ(MenuTitles(file).size(), 11 + 7 + 1);  // seven files left

  // The Window menu lists the open documents after its commands, the active one checked.
  file->actions().at(10)->trigger();
  TChildForm* first = next.Documents().ActiveMDIChild();
  next.Documents().NewDocument()->setWindowTitle("A&B.csm");
  QMenu* window = SubmenuNamed(next.menuBar(), "&Window");
  EXPECT_EQ(MenuTitles(window).mid(6), QStringList({"-", "&1 " + names[0], "&2 A&&B.csm"}));
  EXPECT_TRUE(!window->actions().at(7)->isChecked() && window->actions().at(8)->isChecked());
  window->actions().at(7)->trigger();
  EXPECT_EQ(next.Documents().ActiveMDIChild(), first);
}

// Line numbers widen the gutter to fit and stand left of the bookmark numbers; zoom keys and
// Ctrl with the wheel change the font; both are remembered.
TEST_F(ConvenienceTest, LineNumbersAndZoomChangeTheViewAndAreRemembered) {
  TChildForm& c = MakeChild(std::string(120, '\n'));  // 120 empty lines
  TRAHLEditor& e = c.Editor1();
  EXPECT_EQ(e.GutterWidth(), 18);
  Form->LineNumbers1->trigger();
  const int cell = e.CellWidth();
  EXPECT_EQ(e.GutterWidth(), 3 + 3 * cell + 3 + 18);  // three digits, margins, bookmarks
  e.SetLeftTop(0, 95);
  e.Bookmarks()[4] = TBookmark{0, 96, true};
  RecordingCanvas canvas;
  canvas.Clip = TRect{0, e.CellHeight(), e.GutterWidth(), 3 * e.CellHeight() - 1};
  e.OnPaintGutter(&e, canvas);
  const std::vector<CanvasCall> texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 3u);  // the rows in the clip region, then the bookmark
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(texts[i].text, std::to_string(97 + i));
    EXPECT_EQ(texts[i].rect.Left, e.GutterWidth() - 18 - 3 - 2 * cell);
    EXPECT_EQ(texts[i].rect.Top, e.CellRect(0, 1 + i).Top);
  }
  EXPECT_EQ(texts[2].rect.Left, e.GutterWidth() - canvas.CharWidth - 5);
  e.Lines().SetTextStr("a\r\nb\r\n");  // fewer lines: narrower after the next paint
  e.OnPaintGutter(&e, canvas);
  QCoreApplication::processEvents();
  EXPECT_EQ(e.GutterWidth(), 3 + cell + 3 + 18);

  QWidget* viewport = c.EditorView().viewport();
  Type(&c.EditorView(), Qt::Key_Equal, Qt::ControlModifier);
  Wheel(viewport, 120, Qt::ControlModifier);
  EXPECT_EQ(e.Font().Height, 17);
  Wheel(viewport, -240, Qt::ControlModifier);
  Type(&c.EditorView(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(e.Font().Height, 12);
  Type(&c.EditorView(), Qt::Key_0, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(e.Font().Height, 13);
  EXPECT_EQ(e.Lines().GetTextStr(), "a\r\nb\r\n");  // no key reached the editor
  Form->ZoomIn1->trigger();

  TForm1& next = Restart();
  TChildForm* child = next.Documents().NewDocument();
  EXPECT_TRUE(next.LineNumbers1->isChecked() && child->LineNumbersShown());
  EXPECT_EQ(child->Editor1().Font().Height, 15);
  next.LineNumbers1->trigger();
  next.ZoomReset1->trigger();
  EXPECT_EQ(child->Editor1().GutterWidth(), 18);
}
