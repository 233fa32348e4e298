// The document window's actions and menus: captions, shortcuts, hints, tags, the merged
// menu bar, the enabled rules of the idle update, and shortcut keys that are taken before
// the editor sees them.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "app/FindDialogs.h"
#include "app_fixture.h"
#include "qt/EditorWidget.h"

namespace {

struct ChildTest : AppTest {
  TChildForm& MakeChild() {
    TForm1& form = MakeForm();
    form.Timer1->stop();  // the tests run the updates themselves
    QApplication::setActiveWindow(&form);
    TChildForm* child = form.Documents().NewDocument();
    child->EditorView().setFocus();
    // Keys that reach the editor's own key handling.
    child->Editor1().OnKeyDown = [this](TRACustomEditor*, uint16_t&, TShiftState) { ++EditorKeys; };
    return *child;
  }
  int EditorKeys = 0;
};

}  // namespace

TEST_F(ChildTest, ActionsHaveTheirCaptionsShortcutsHintsAndTags) {
  TChildForm& c = MakeChild();
  struct Row {
    QAction* Action;
    const char* Caption;
    QKeySequence Shortcut;
    const char* StatusTip;
    const char* ToolTip;
  };
  const Row rows[] = {
      {c.EditCut1, "Cu&t", QKeySequence("Ctrl+X"),
       "Cuts the selection and puts it on the Clipboard", "Cut"},
      {c.EditCopy1, "&Copy", QKeySequence("Ctrl+C"),
       "Copies the selection and puts it on the Clipboard", "Copy"},
      {c.EditPaste1, "&Paste", QKeySequence("Ctrl+V"), "Inserts Clipboard contents", "Paste"},
      {c.EditUndo1, "&Undo", QKeySequence("Ctrl+Z"), "Reverts the last action", "Undo"},
      {c.SearchFind1, "&Find...", QKeySequence("Ctrl+F"), "Finds the specified text", "Find"},
      {c.SearchFindNext1, "Find &Next", QKeySequence("F3"), "Repeats the last find", "Find Next"},
      {c.SearchFindPrevious1, "Find Pre&vious", QKeySequence("Shift+F3"),
       "Repeats the last find towards the start of the script", "Find Previous"},
      {c.SearchReplace1, "&Replace", QKeySequence(), "Replaces specific text with different text",
       "Replace"},
      {c.SearchFindInScripts1, "Find in &Open Scripts...", QKeySequence("Ctrl+Shift+F"),
       "Lists every occurrence in every open script", "Find in Open Scripts"},
      {c.SearchGoto, "&Go To...", QKeySequence("Ctrl+G"), "Goto line number", "Goto line number"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.Action->text(), r.Caption);
    EXPECT_EQ(r.Action->shortcut(), r.Shortcut) << r.Caption;
    EXPECT_EQ(r.Action->statusTip(), r.StatusTip) << r.Caption;
    EXPECT_EQ(r.Action->toolTip(), r.ToolTip) << r.Caption;
    const bool edit = r.Action == c.EditCut1 || r.Action == c.EditCopy1 ||
                      r.Action == c.EditPaste1 || r.Action == c.EditUndo1;
    EXPECT_EQ(r.Action->property("category").toString(), edit ? "Edit" : "") << r.Caption;
  }
  for (int n = 0; n < 10; ++n) {
    EXPECT_EQ(c.Toogle[n]->text(), QStringLiteral("Toggle Bookmark &%1").arg(n));
    EXPECT_EQ(c.Toogle[n]->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+%1").arg(n)));
    EXPECT_EQ(c.Toogle[n]->data().toInt(), n);
    EXPECT_EQ(c.GotoBook[n]->text(), QStringLiteral("Goto Bookmark &%1").arg(n));
    EXPECT_EQ(c.GotoBook[n]->shortcut(), QKeySequence(QStringLiteral("Ctrl+%1").arg(n)));
    EXPECT_EQ(c.GotoBook[n]->data().toInt(), n);
  }
  EXPECT_EQ(c.GotoBook[0]->objectName(), "GotoBook10");
  EXPECT_EQ(c.Toogle[0]->objectName(), "Toogle0");
}

TEST_F(ChildTest, MenusMergeBetweenFileAndWindowAndShareTheBookmarkActions) {
  TChildForm& c = MakeChild();
  TForm1& form = *Form;
  EXPECT_EQ(Titles(form.menuBar()->actions()),
            QStringList({"&File", "&Edit", "&Search", "&View", "&Window", "&Help"}));
  EXPECT_EQ(Titles(c.EditMenu->actions()), QStringList({"&Copy", "Cu&t", "&Paste", "&Undo"}));
  EXPECT_EQ(Titles(c.SearchMenu->actions()),
            QStringList({"&Find...", "Find &Next", "Find Pre&vious", "&Replace",
                         "Find in &Open Scripts...", "-", "&Go To...", "Go To &Label...",
                         "Go To &Definition", "Go Bac&k", "-", "Ne&xt Problem", "Previous &Problem",
                         "-", "&Toggle Bookmark...", "Goto &Bookmark..."}));
  QMenu* toggles = SubmenuNamed(c.SearchMenu, "&Toggle Bookmark...");
  QMenu* gotos = SubmenuNamed(c.SearchMenu, "Goto &Bookmark...");
  ASSERT_TRUE(toggles && gotos);
  EXPECT_EQ(Titles(c.PopupMenu1->actions()),
            QStringList({"Cu&t", "&Copy", "&Paste", "Select &All", "-", "T&oggle Bookmark",
                         "&Goto Bookmark"}));
  QList<QAction*> toggleOrder;
  QList<QAction*> gotoOrder;
  for (int i = 1; i <= 10; ++i) {
    toggleOrder << c.Toogle[i % 10];
    gotoOrder << c.GotoBook[i % 10];
  }
  EXPECT_EQ(toggles->actions(), toggleOrder);
  EXPECT_EQ(gotos->actions(), gotoOrder);
  EXPECT_EQ(SubmenuNamed(c.PopupMenu1, "T&oggle Bookmark")->actions(), toggleOrder);
  EXPECT_EQ(SubmenuNamed(c.PopupMenu1, "&Goto Bookmark")->actions(), gotoOrder);

  // A long hint goes to the status bar.
  c.EditCut1->showStatusText(form.menuBar());
  EXPECT_EQ(form.StatusPanel(0), "Cuts the selection and puts it on the Clipboard");

  // Without a document window the bar has the frame's menus only.
  c.Editor1().SetModified(false);
  form.WindowClose1->trigger();
  DeleteClosed();
  form.UpdateActions();
  EXPECT_EQ(Titles(form.menuBar()->actions()), QStringList({"&File", "&View", "&Window", "&Help"}));
}

TEST_F(ChildTest, IdleUpdateEnablesByDocumentSelectionUndoAndFindText) {
  TChildForm& c = MakeChild();
  TRAHLEditor& e = c.Editor1();
  QApplication::clipboard()->clear();
  c.UpdateActions();
  // A new document has no lines: nothing to find, cut, copy or undo.
  for (QAction* a : {c.SearchFind1, c.SearchReplace1, c.SearchFindNext1, c.EditCut1, c.EditCopy1,
                     c.EditUndo1, c.EditPaste1})
    EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
  for (QAction* a : {c.SearchGoto, c.Toogle[3], c.GotoBook[0]}) EXPECT_TRUE(a->isEnabled());

  Type(&c.EditorView(), Qt::Key_A, Qt::NoModifier, "a");
  c.UpdateActions();
  EXPECT_TRUE(c.SearchFind1->isEnabled());
  EXPECT_TRUE(c.SearchReplace1->isEnabled());
  EXPECT_TRUE(c.EditUndo1->isEnabled());
  EXPECT_FALSE(c.SearchFindNext1->isEnabled());  // the Find dialog's text is empty
  c.FindDialog1().FindEdit->setText("a");
  e.SetSel(0, 0);
  e.SetSel(1, 0);
  c.UpdateActions();
  EXPECT_TRUE(c.SearchFindNext1->isEnabled());
  EXPECT_TRUE(c.EditCut1->isEnabled());
  EXPECT_TRUE(c.EditCopy1->isEnabled());
  c.EditCopy1->trigger();
  c.UpdateActions();
  EXPECT_TRUE(c.EditPaste1->isEnabled());
  // The Replace dialog's text does not count for Find Next.
  c.FindDialog1().FindEdit->clear();
  c.ReplaceDialog1().FindEdit->setText("a");
  c.UpdateActions();
  EXPECT_FALSE(c.SearchFindNext1->isEnabled());
}

TEST_F(ChildTest, ShortcutsAreTakenBeforeTheEditorAlsoWhenDisabled) {
  TChildForm& c = MakeChild();
  EditorWidget& view = c.EditorView();
  // Ctrl+F on a document without lines: Find is disabled, the key does nothing.
  Type(&view, Qt::Key_F, Qt::ControlModifier, "\x06");
  EXPECT_FALSE(c.FindDialog1().isVisible());
  Type(&view, Qt::Key_Z, Qt::ControlModifier, "\x1a");
  Type(&view, Qt::Key_F3, Qt::NoModifier);
  EXPECT_EQ(EditorKeys, 0);

  Type(&view, Qt::Key_B, Qt::NoModifier, "b");
  EXPECT_EQ(EditorKeys, 1);
  // Enabled now, acting on the state of this moment, not the last idle update.
  Type(&view, Qt::Key_F, Qt::ControlModifier, "\x06");
  EXPECT_TRUE(c.FindDialog1().isVisible());
  c.FindDialog1().reject();
  // Ctrl+Shift+3 arrives as '#' where Shift types a symbol; Ctrl+3 as the digit.
  Type(&view, Qt::Key_NumberSign, Qt::ControlModifier | Qt::ShiftModifier, "#");
  EXPECT_TRUE(c.Editor1().Bookmarks()[3].Valid);
  c.Editor1().SetCaret(0, 0);
  Type(&view, Qt::Key_3, Qt::ControlModifier, "3");
  EXPECT_EQ(c.Editor1().CaretX(), 1);
  Type(&view, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier, "#");
  EXPECT_FALSE(c.Editor1().Bookmarks()[3].Valid);
  Type(&view, Qt::Key_C, Qt::ControlModifier, "\x03");
  EXPECT_EQ(EditorKeys, 1);
}

TEST_F(ChildTest, ShortcutsActOnlyInTheActiveDocumentWindow) {
  TChildForm& first = MakeChild();
  TChildForm* second = Form->Documents().NewDocument();
  second->EditorView().setFocus();
  ASSERT_EQ(Form->Documents().ActiveMDIChild(), second);
  Type(&second->EditorView(), Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier, "!");
  EXPECT_TRUE(second->Editor1().Bookmarks()[1].Valid);
  EXPECT_FALSE(first.Editor1().Bookmarks()[1].Valid);
}
