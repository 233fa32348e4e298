// The main window: menus and actions, their enabled states, the status bar and the
// window's own shortcuts.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QStatusTipEvent>

#include "app_fixture.h"
#include "qt/EditorWidget.h"

namespace {

// Counts the key presses of one key that reach a widget.
class KeyCounter : public QObject {
 public:
  explicit KeyCounter(int key) : FKey(key) {}
  int Count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == FKey) {
      ++Count;
    }
    return false;
  }

 private:
  int FKey;
};

}  // namespace

TEST_F(AppTest, MainWindowHasTitleMenusAndActions) {
  TForm1& form = MakeForm();
  EXPECT_EQ(form.windowTitle(), "MarvekWorld Script Editor");
  EXPECT_EQ(Titles(form.menuBar()->actions()), QStringList({"&File", "&View", "&Window", "&Help"}));
  ASSERT_NE(SubmenuNamed(form.menuBar(), "&File"), nullptr);
  EXPECT_EQ(Titles(SubmenuNamed(form.menuBar(), "&File")->actions()),
            QStringList({"&New", "&Open...", "&Save", "Save &As...", "&Encoding", "&Print...", "-",
                         "E&xit"}));
  EXPECT_EQ(Titles(SubmenuNamed(form.menuBar(), "&Window")->actions()),
            QStringList({"C&lose", "&Cascade", "Tile &Horizontally", "&Tile Vertically",
                         "&Minimize All", "&Arrange"}));
  EXPECT_EQ(Titles(SubmenuNamed(form.menuBar(), "&Help")->actions()), QStringList({"&About"}));

  EXPECT_EQ(form.FileOpen1->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(form.PrintDlg1->shortcut(), QKeySequence("Ctrl+P"));
  EXPECT_TRUE(form.Action1->shortcut().isEmpty());
  // The long part of a hint is the status tip, the short part the tool tip.
  EXPECT_EQ(form.FileOpen1->statusTip(), "Opens an existing file");
  EXPECT_EQ(form.FileOpen1->toolTip(), "Open");
  EXPECT_EQ(form.FileSaveAs1->statusTip(), "Saves the active file with a new name");
  EXPECT_EQ(form.FileExit1->statusTip(), "Quits the application");
  EXPECT_EQ(form.WindowTileHorizontal1->statusTip(), "Tile Horizontal");
  EXPECT_EQ(form.Timer1->interval(), 100);
  EXPECT_TRUE(form.Timer1->isActive());

  form.About1->trigger();
  EXPECT_EQ(Dialogs.AboutShown, 1);
}

TEST_F(AppTest, ActionsFollowTheDocumentWindows) {
  TForm1& form = MakeForm();
  const QList<QAction*> needDocument = {form.Action2,
                                        form.FileSaveAs1,
                                        form.PrintDlg1,
                                        form.WindowClose1,
                                        form.WindowCascade1,
                                        form.WindowTileHorizontal1,
                                        form.WindowTileVertical1,
                                        form.WindowMinimizeAll1,
                                        form.WindowArrange1};
  for (QAction* action : needDocument)
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
  EXPECT_TRUE(form.Action1->isEnabled());
  EXPECT_TRUE(form.FileOpen1->isEnabled());
  EXPECT_TRUE(form.FileExit1->isEnabled());
  EXPECT_EQ(form.ActiveMDIChild(), nullptr);

  form.Action1->trigger();
  ASSERT_EQ(form.MDIChildCount(), 1);
  TChildForm* first = form.ActiveMDIChild();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->windowTitle(), "Unnamed file");
  EXPECT_TRUE(first->FileName().isEmpty());
  for (QAction* action : needDocument)
    EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();

  // A second window becomes the active one; the first one stays.
  TChildForm* second = form.NewDocument();
  EXPECT_EQ(form.MDIChildCount(), 2);
  EXPECT_EQ(form.ActiveMDIChild(), second);
  EXPECT_EQ(form.MDIChildren().first(), second);

  // Closing unmodified windows asks nothing; with the last one gone all is disabled again.
  form.WindowClose1->trigger();
  form.WindowClose1->trigger();
  DeleteClosed();
  EXPECT_EQ(Dialogs.ConfirmAsked, 0);
  EXPECT_EQ(form.MDIChildCount(), 0);
  form.UpdateActions();
  for (QAction* action : needDocument)
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
}

TEST_F(AppTest, StatusPanelsShowCaretAndModified) {
  TForm1& form = MakeForm();
  form.UpdateStatus();
  EXPECT_EQ(form.StatusPanel(0), "");
  EXPECT_EQ(form.StatusPanel(1), "");

  TChildForm* child = form.NewDocument();
  form.UpdateStatus();
  EXPECT_EQ(form.StatusPanel(0), "Row:1 Col:1");
  EXPECT_EQ(form.StatusPanel(1), "");

  TRAHLEditor& editor = child->Editor1();
  std::string text;
  for (int i = 0; i < 12; ++i) text += "line\r\n";
  editor.Lines().SetTextStr(text);
  editor.SetCaret(4, 11);
  form.UpdateStatus();
  EXPECT_EQ(form.StatusPanel(0), "Row:12 Col:5");
  EXPECT_EQ(form.StatusPanel(1), "");

  // Typing into the window goes through the editor and marks the document modified.
  child->EditorView().setFocus();
  Type(&child->EditorView(), Qt::Key_A, Qt::NoModifier, "a");
  Type(&child->EditorView(), Qt::Key_B, Qt::NoModifier, "b");
  form.UpdateStatus();
  EXPECT_EQ(form.StatusPanel(0), "Row:12 Col:7");
  EXPECT_EQ(form.StatusPanel(1), "Modified");

  // A hint shows in panel 0 until the next refresh.
  QStatusTipEvent tip(QStringLiteral("Opens an existing file"));
  QCoreApplication::sendEvent(&form, &tip);
  EXPECT_EQ(form.StatusPanel(0), "Opens an existing file");
  form.UpdateStatus();
  EXPECT_EQ(form.StatusPanel(0), "Row:12 Col:7");
  EXPECT_EQ(form.StatusPanel(2), "");

  // On the last row of a long script, at the furthest column, the position still ends
  // before "Modified" starts.
  editor.Lines().SetTextStr(std::string(500000, '\n'));
  editor.SetModified(true);
  editor.SetCaret(1024, 499999);
  form.UpdateStatus();
  ASSERT_EQ(form.StatusPanel(0), "Row:500000 Col:1025");
  const QList<QLabel*> panels = form.statusBar()->findChildren<QLabel*>();
  ASSERT_GE(panels.size(), 2);
  QApplication::processEvents();
  form.statusBar()->layout()->activate();
  for (int i = 0; i < 2; ++i) {
    const QLabel* panel = panels[i];
    EXPECT_GE(panel->width(), panel->fontMetrics().horizontalAdvance(panel->text())) << i;
  }
  EXPECT_LT(panels[0]->geometry().right(), panels[1]->geometry().left());
}

TEST_F(AppTest, WindowShortcutsAreTakenBeforeTheEditor) {
  TForm1& form = MakeForm();
  QApplication::setActiveWindow(&form);
  TChildForm* child = form.NewDocument();
  EditorWidget& view = child->EditorView();
  view.setFocus();
  KeyCounter keysP(Qt::Key_P);
  KeyCounter keysO(Qt::Key_O);
  view.installEventFilter(&keysP);
  view.installEventFilter(&keysO);

  Type(&view, Qt::Key_O, Qt::ControlModifier, "\x0f");
  EXPECT_EQ(Dialogs.OpenAsked, 1);
  EXPECT_EQ(keysO.Count, 0);
  Type(&view, Qt::Key_P, Qt::ControlModifier, "\x10");
  EXPECT_EQ(Dialogs.PrintAsked, 1);
  EXPECT_EQ(keysP.Count, 0);

  // A disabled entry still takes its key, without effect.
  form.Timer1->stop();
  form.PrintDlg1->setEnabled(false);
  Type(&view, Qt::Key_P, Qt::ControlModifier, "\x10");
  EXPECT_EQ(Dialogs.PrintAsked, 1);
  EXPECT_EQ(keysP.Count, 0);
  EXPECT_EQ(child->Editor1().Lines().Count(), 0);
}

TEST_F(AppTest, WindowCommandsArrangeTheDocumentWindows) {
  TForm1& form = MakeForm();
  form.resize(800, 600);
  TChildForm* a = form.NewDocument();
  TChildForm* b = form.NewDocument();
  QMdiSubWindow* wa = qobject_cast<QMdiSubWindow*>(a->parentWidget());
  QMdiSubWindow* wb = qobject_cast<QMdiSubWindow*>(b->parentWidget());
  ASSERT_TRUE(wa && wb);
  const QRect area = form.MdiArea().viewport()->rect();

  form.WindowTileHorizontal1->trigger();  // one above the other
  EXPECT_EQ(wa->width(), area.width());
  EXPECT_EQ(wb->width(), area.width());
  EXPECT_NE(wa->y(), wb->y());
  EXPECT_EQ(wa->height() + wb->height(), area.height());

  form.WindowTileVertical1->trigger();  // side by side
  EXPECT_EQ(wa->height(), area.height());
  EXPECT_NE(wa->x(), wb->x());
  EXPECT_EQ(wa->width() + wb->width(), area.width());

  form.WindowMinimizeAll1->trigger();
  EXPECT_TRUE(wa->isMinimized());
  EXPECT_TRUE(wb->isMinimized());
  form.WindowArrange1->trigger();
  EXPECT_EQ(wa->geometry().bottom(), area.bottom());
  EXPECT_EQ(wb->geometry().bottom(), area.bottom());
  EXPECT_FALSE(wa->geometry().intersects(wb->geometry()));
}

TEST_F(AppTest, StatusPanelsGrowToShowTheirWholeText) {
  TForm1& form = MakeForm();
  QLabel* panel = form.statusBar()->findChild<QLabel*>();
  ASSERT_NE(panel, nullptr);
  QStatusTipEvent tip(QStringLiteral("Row:1000000 Col:1 and a long hint after it"));
  QCoreApplication::sendEvent(&form, &tip);
  form.statusBar()->layout()->activate();
  EXPECT_GE(panel->width(), panel->fontMetrics().horizontalAdvance(panel->text()));
  EXPECT_GE(panel->minimumWidth(), 100);
}

TEST_F(AppTest, NewAndCascadedWindowsStayInsideTheFrameWithTitleBarsVisible) {
  TForm1& form = MakeForm();  // the default size
  QApplication::processEvents();
  const QRect area = form.MdiArea().viewport()->rect();
  for (int i = 0; i < 3; ++i) form.NewDocument();
  auto check = [&](const char* when) {
    QList<QMdiSubWindow*> windows = form.MdiArea().subWindowList(QMdiArea::StackingOrder);
    for (int i = 0; i < windows.size(); ++i) {
      EXPECT_TRUE(area.contains(windows[i]->geometry())) << when << " " << i;
      // No window above covers the top-left corner of its title bar.
      for (int j = i + 1; j < windows.size(); ++j) {
        EXPECT_FALSE(
            windows[j]->geometry().contains(windows[i]->geometry().topLeft() + QPoint(2, 2)))
            << when << " " << i << " under " << j;
      }
    }
  };
  check("new");
  form.WindowCascade1->trigger();
  check("cascaded");
}
