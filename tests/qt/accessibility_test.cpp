// The editor as assistive technology reads it: text, offsets, caret, selection, editing
// and the events that follow typing, paste and undo; the completion list's current row;
// the mnemonics of every menu entry.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <vector>

#include "app_fixture.h"
#include "qt/AccessibleEventSink.h"
#include "qt/AccessibleTextMap.h"
#include "qt/EditorAccessEvents.h"
#include "qt/EditorWidget.h"
#include "qt/QtListBox.h"

EditorWidget* MakeCompletingEditor(QWidget* parent);

namespace {

struct Recorded {
  QAccessible::Event Type;
  int Position = -1;
  QString Removed;
  QString Inserted;
  QString Name;
};

std::vector<Recorded> g_events;

void Record(QAccessibleEvent* e) {
  Recorded r{e->type(), -1, {}, {}, {}};
  if (auto* update = dynamic_cast<QAccessibleTextUpdateEvent*>(e)) {
    r.Position = update->changePosition();
    r.Removed = update->textRemoved();
    r.Inserted = update->textInserted();
  } else if (auto* insert = dynamic_cast<QAccessibleTextInsertEvent*>(e)) {
    r.Position = insert->changePosition();
    r.Inserted = insert->textInserted();
  } else if (auto* remove = dynamic_cast<QAccessibleTextRemoveEvent*>(e)) {
    r.Position = remove->changePosition();
    r.Removed = remove->textRemoved();
  } else if (auto* cursor = dynamic_cast<QAccessibleTextCursorEvent*>(e)) {
    r.Position = cursor->cursorPosition();
  } else if (e->type() == QAccessible::Focus && e->accessibleInterface()) {
    r.Name = e->accessibleInterface()->text(QAccessible::Name);
  }
  g_events.push_back(r);
}

class AccessibilityTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    g_events.clear();
    AccessibleEventSink::SetObserver(Record);
  }
  void TearDown() override {
    AccessibleEventSink::SetObserver(nullptr);
    AppTest::TearDown();
  }
  EditorWidget& OpenDocument(const std::string& text) {
    TChildForm* child = MakeForm().NewDocument();
    child->Editor1().Lines().SetTextStr(text);
    child->EditorView().setFocus();
    QApplication::processEvents();
    return child->EditorView();
  }
  static QAccessibleTextInterface* TextOf(EditorWidget& w) {
    return QAccessible::queryAccessibleInterface(&w)->textInterface();
  }
  // Applies the recorded text events to Model, checking each removal against it; returns
  // the last caret position reported.
  static int Replay(QString& model, int caret) {
    for (const Recorded& r : g_events) {
      if (!r.Removed.isEmpty() || !r.Inserted.isEmpty()) {
        EXPECT_EQ(model.mid(r.Position, r.Removed.size()), r.Removed);
        model.replace(r.Position, r.Removed.size(), r.Inserted);
      } else if (r.Type == QAccessible::TextCaretMoved) {
        caret = r.Position;
      }
    }
    g_events.clear();
    return caret;
  }
};

TEST_F(AccessibilityTest, TextOffsetsCaretAndSelectionRoundTrip) {
  EditorWidget& w = OpenDocument("foo bar\r\n\r\n  baz, qux\r\n");
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&w);
  EXPECT_EQ(iface->role(), QAccessible::EditableText);
  EXPECT_EQ(iface->text(QAccessible::Name), "Unnamed file");
  QAccessibleTextInterface* t = iface->textInterface();
  ASSERT_NE(t, nullptr);
  ASSERT_NE(iface->editableTextInterface(), nullptr);
  EXPECT_EQ(t->characterCount(), 19);
  EXPECT_EQ(t->text(0, 19), "foo bar\n\n  baz, qux");
  EXPECT_EQ(t->text(5, 12), "ar\n\n  b");

  TRACustomEditor& e = w.Editor();
  t->setCursorPosition(11);
  EXPECT_EQ(std::pair(e.CaretX(), e.CaretY()), std::pair(2, 2));
  EXPECT_EQ(t->cursorPosition(), 11);
  e.SetCaret(40, 0);  // beyond the line's end: its end
  EXPECT_EQ(t->cursorPosition(), 7);

  t->setSelection(0, 5, 12);
  EXPECT_EQ(e.SelText(), "ar\r\n\r\n  b");
  int start = 0, end = 0;
  t->selection(0, &start, &end);
  EXPECT_EQ(std::pair(start, end), std::pair(5, 12));
  EXPECT_EQ(t->selectionCount(), 1);
  EXPECT_EQ(t->cursorPosition(), 12);
  t->removeSelection(0);
  EXPECT_EQ(t->selectionCount(), 0);

  const QRect cell = t->characterRect(11);
  EXPECT_EQ(t->offsetAtPoint(cell.center()), 11);
  int s = 0, n = 0;
  EXPECT_NE(t->attributes(0, &s, &n).indexOf("color:rgb("), -1);
  EXPECT_EQ(s, 0);
  EXPECT_GT(n, 0);
}

TEST_F(AccessibilityTest, BoundariesFollowTheEditorsWordsAndLines) {
  EditorWidget& w = OpenDocument("foo  bar,baz\r\n\r\nend\r\n");
  QAccessibleTextInterface* t = TextOf(w);
  struct Case {
    int Offset;
    QAccessible::TextBoundaryType Type;
    QString At, Before, After;
  } cases[] = {
      {0, QAccessible::WordBoundary, "foo  ", "", "bar,"},
      {6, QAccessible::WordBoundary, "bar,", "foo  ", "baz\n"},
      {12, QAccessible::WordBoundary, "baz\n", "bar,", "\n"},
      {14, QAccessible::WordBoundary, "end", "\n", ""},
      {3, QAccessible::LineBoundary, "foo  bar,baz\n", "", "\n"},
      {13, QAccessible::ParagraphBoundary, "\n", "foo  bar,baz\n", "end"},
      {4, QAccessible::CharBoundary, " ", " ", "b"},
      {16, QAccessible::NoBoundary, "foo  bar,baz\n\nend", "", ""},
  };
  for (const Case& c : cases) {
    int s = 0, e = 0;
    EXPECT_EQ(t->textAtOffset(c.Offset, c.Type, &s, &e), c.At) << c.Offset;
    EXPECT_EQ(t->text(s, e), c.At);
    EXPECT_EQ(t->textBeforeOffset(c.Offset, c.Type, &s, &e), c.Before) << c.Offset;
    EXPECT_EQ(t->textAfterOffset(c.Offset, c.Type, &s, &e), c.After) << c.Offset;
  }
}

TEST_F(AccessibilityTest, OffsetsMatchANaiveModelOfRandomLines) {
  EditorWidget& w = OpenDocument("");
  QRandomGenerator random(17);
  std::vector<std::string> lines(3000);
  for (std::string& line : lines) line.assign(random.bounded(random.bounded(4) == 0 ? 1 : 12), 'a');
  w.Editor().Lines().Assign(lines);
  std::vector<std::pair<int, int>> naive;  // offset -> (line, col)
  for (int i = 0; i < static_cast<int>(lines.size()); ++i)
    for (int c = 0; c <= static_cast<int>(lines[static_cast<size_t>(i)].size()); ++c)
      naive.emplace_back(i, c);
  naive.pop_back();
  naive.emplace_back(static_cast<int>(lines.size()) - 1, static_cast<int>(lines.back().size()));
  const AccessibleTextMap map(w.Editor().Lines());
  ASSERT_EQ(map.CharacterCount() + 1, static_cast<int>(naive.size()));
  for (int k = 0; k < 4000; ++k) {
    const int offset = random.bounded(static_cast<int>(naive.size()));
    const AccessibleTextMap::Position p = map.At(offset);
    ASSERT_EQ(std::pair(p.Line, p.Col), naive[static_cast<size_t>(offset)]) << offset;
    ASSERT_EQ(map.OffsetOf(p.Line, p.Col), offset);
  }
}

TEST_F(AccessibilityTest, EventsFollowTypingReturnBackspacePasteAndUndo) {
  EditorWidget& w = OpenDocument("alpha beta\r\n  gamma\r\n");
  QAccessibleTextInterface* t = TextOf(w);
  QString model = t->text(0, t->characterCount());
  g_events.clear();
  w.Editor().SetCaret(5, 0);
  const std::vector<std::function<void()>> steps{
      [&] { Type(&w, Qt::Key_X, Qt::NoModifier, "x"); },
      [&] { Type(&w, Qt::Key_Return, Qt::NoModifier, "\r"); },
      [&] { Type(&w, Qt::Key_Backspace, Qt::NoModifier); },
      [&] {
        QApplication::clipboard()->setText("one\ntwo");
        Type(&w, Qt::Key_V, Qt::ControlModifier);
      },
      [&] {
        w.Editor().SetCaret(3, 1);
        Type(&w, Qt::Key_Return, Qt::NoModifier, "\r");
      },
      [&] { Type(&w, Qt::Key_Z, Qt::ControlModifier); },
      [&] { Type(&w, Qt::Key_Z, Qt::ControlModifier); },
      [&] { Type(&w, Qt::Key_Z, Qt::ControlModifier); },
  };
  int caret = -1;
  for (size_t i = 0; i < steps.size(); ++i) {
    steps[i]();
    QApplication::processEvents();
    if (i == 0) {
      const auto typed = std::find_if(g_events.begin(), g_events.end(), [](const Recorded& r) {
        return r.Type == QAccessible::TextInserted;
      });
      ASSERT_NE(typed, g_events.end());
      EXPECT_EQ(typed->Position, 5);
      EXPECT_EQ(typed->Inserted, "x");
    }
    caret = Replay(model, caret);
    EXPECT_EQ(model, t->text(0, t->characterCount())) << "step " << i;
    EXPECT_EQ(caret, t->cursorPosition()) << "step " << i;
  }
  EXPECT_EQ(model, "alphax\n beta\n  gamma");  // three undos: back to after Return
}

// Typing past the end of a line pads it with blanks: the event carries them with the typed
// character, and the caret is reported after it.
TEST_F(AccessibilityTest, TypingPastTheLineEndReportsThePaddingToo) {
  EditorWidget& w = OpenDocument("ab\r\ncd\r\n");
  QAccessibleTextInterface* t = TextOf(w);
  QString model = t->text(0, t->characterCount());
  w.Editor().SetCaret(5, 0);
  QApplication::processEvents();
  g_events.clear();
  Type(&w, Qt::Key_X, Qt::NoModifier, "x");
  QApplication::processEvents();
  std::vector<Recorded> texts;
  for (const Recorded& r : g_events)
    if (!r.Inserted.isEmpty() || !r.Removed.isEmpty()) texts.push_back(r);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Position, 2);
  EXPECT_EQ(texts[0].Inserted, "   x");
  EXPECT_EQ(texts[0].Removed, "");
  EXPECT_EQ(Replay(model, -1), 6);
  EXPECT_EQ(model, "ab   x\ncd");
  EXPECT_EQ(t->cursorPosition(), 6);
}

// The text is named after its file, the document window keeps the path, and the area
// that holds the windows has a name of its own.
TEST_F(AccessibilityTest, NamesSayEachThingOnce) {
  WriteFile(PathOf("work.csm"), "x\r\n");
  TChildForm* child = MakeForm().OpenFile(PathOf("work.csm"));
  QAccessibleInterface* text = QAccessible::queryAccessibleInterface(&child->EditorView());
  EXPECT_EQ(text->text(QAccessible::Name), "work.csm");
  QWidget* window = child->parentWidget();
  EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name),
            PathOf("work.csm"));
  QWidget* area = Form->centralWidget();
  EXPECT_EQ(QAccessible::queryAccessibleInterface(area)->text(QAccessible::Name), "Documents");
}

TEST_F(AccessibilityTest, RandomEditsAndUndoAreReportedExactly) {
  EditorWidget& w = OpenDocument("");
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&w);
  QAccessibleTextInterface* t = iface->textInterface();
  QAccessibleEditableTextInterface* edit = iface->editableTextInterface();
  QString model = t->text(0, t->characterCount());
  g_events.clear();
  QRandomGenerator random(5);
  const QString pieces[] = {"a", "bc d", "\n", "x\ny", "\n\n", "  ", "end\n"};
  for (int i = 0; i < 300; ++i) {
    const int count = t->characterCount();
    const int at = random.bounded(count + 1);
    switch (random.bounded(4)) {
      case 0:
        edit->deleteText(at, std::min(count, at + random.bounded(6)));
        break;
      case 1:
        w.Editor().Command(cmdUndo);
        w.AccessEvents().Sync();  // as the event loop does after a menu command
        break;
      default:
        edit->insertText(at, pieces[random.bounded(7)]);
    }
    Replay(model, -1);
    ASSERT_EQ(model, t->text(0, t->characterCount())) << "edit " << i;
  }
}

TEST_F(AccessibilityTest, EditingRunsThroughTheControlAndRespectsReadOnly) {
  EditorWidget& w = OpenDocument("one\r\ntwo\r\n");
  QAccessibleEditableTextInterface* edit =
      QAccessible::queryAccessibleInterface(&w)->editableTextInterface();
  QAccessibleTextInterface* t = TextOf(w);
  TRACustomEditor& e = w.Editor();
  edit->insertText(4, "new\n");
  edit->replaceText(0, 3, "1");
  edit->deleteText(6, 7);
  EXPECT_EQ(t->text(0, t->characterCount()), "1\nnew\nwo");
  for (int i = 0; i < 3; ++i) e.Command(cmdUndo);
  EXPECT_EQ(t->text(0, t->characterCount()), "one\ntwo");

  e.SetReadOnly(true);
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(&w)->state().readOnly);
  edit->insertText(0, "x");
  edit->deleteText(0, 3);
  edit->replaceText(0, 3, "y");
  EXPECT_EQ(t->text(0, t->characterCount()), "one\ntwo");
}

TEST_F(AccessibilityTest, TheCompletionListsCurrentItemFollowsTheSelectedRow) {
  QWidget window;
  EditorWidget* widget = MakeCompletingEditor(&window);
  window.resize(500, 400);
  window.show();
  window.activateWindow();
  QApplication::processEvents();
  widget->setFocus();
  widget->Editor().Lines().SetTextStr("x\r\n");
  widget->Editor().SetCaret(1, 0);
  Type(widget, Qt::Key_Space, Qt::ControlModifier, " ");
  QtListBox* list = nullptr;  // a window of its own
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QtListBox*>(w)) list = box;
  ASSERT_TRUE(list && list->isVisible());
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
  EXPECT_EQ(iface->role(), QAccessible::List);
  ASSERT_EQ(iface->childCount(), static_cast<int>(list->Rows().size()));
  g_events.clear();
  Type(widget, Qt::Key_Down, Qt::NoModifier);
  const int current = list->ItemIndex();
  QAccessibleInterface* row = iface->child(current);
  EXPECT_EQ(row->role(), QAccessible::ListItem);
  EXPECT_TRUE(row->state().focused);
  EXPECT_FALSE(iface->child(current == 0 ? 1 : 0)->state().focused);
  const auto focus = std::find_if(g_events.begin(), g_events.end(),
                                  [](const Recorded& r) { return r.Type == QAccessible::Focus; });
  ASSERT_NE(focus, g_events.end());
  EXPECT_EQ(focus->Name, row->text(QAccessible::Name));
  EXPECT_TRUE(widget->hasFocus());
}

TEST_F(AccessibilityTest, EveryMenuEntryHasAMnemonic) {
  TForm1& form = MakeForm();
  form.NewDocument();
  QApplication::processEvents();
  std::vector<const QWidget*> menus{form.menuBar(), form.ActiveMDIChild()->PopupMenu1};
  for (size_t i = 0; i < menus.size(); ++i) {
    for (QAction* a : menus[i]->actions()) {
      if (a->isSeparator()) continue;
      EXPECT_TRUE(a->text().contains(QRegularExpression("&[^&]"))) << a->text().toStdString();
      if (a->menu()) menus.push_back(a->menu());
    }
  }
}

}  // namespace
