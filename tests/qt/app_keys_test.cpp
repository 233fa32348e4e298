// Redo, the saved state and the desktop's keys in the windows: the Edit menu, the
// shortcut table against the key map and against what the windows really bind, both key
// schemes, and the keys used as a user would.
#include <QMdiSubWindow>
#include <QShortcut>
#include <QTextBrowser>

#include "app/FindDialogs.h"
#include "app/KeysWindow.h"
#include "app/ShortcutTable.h"
#include "app_fixture.h"
#include "editor/Keyboard.h"
#include "editor/UndoBuffer.h"
#include "qt/KeyTranslation.h"

namespace {

using TKind = TWindowShortcut::TKind;

struct TKey {
  uint16_t Key;
  TShiftState Shift;
  bool operator==(const TKey&) const = default;
};

TKey KeyOf(const QKeySequence& sequence) {
  const QKeyCombination c = sequence[0];
  return {KeyTranslation::VirtualKey(c.key(), c.keyboardModifiers()),
          KeyTranslation::ShiftStateOf(c.keyboardModifiers())};
}

// The keys the windows under Root take before the widgets: enabled shortcut objects and
// actions that are not bound to their own menus only.
std::vector<TKey> TakenKeys(const QWidget& root) {
  std::vector<TKey> keys;
  for (const QShortcut* s : root.findChildren<QShortcut*>()) {
    if (s->isEnabled()) keys.push_back(KeyOf(s->key()));
  }
  for (const QAction* a : root.findChildren<QAction*>()) {
    if (a->shortcutContext() == Qt::WidgetShortcut) continue;
    for (const QKeySequence& key : a->shortcuts()) keys.push_back(KeyOf(key));
  }
  return keys;
}

bool BoundAlone(const TKeyboard& keyboard, TKey key) {
  for (const auto& k : keyboard.Keys()) {
    if (k->Key2 == 0 && k->Key1 == key.Key && k->Shift1 == key.Shift) return true;
  }
  return false;
}

}  // namespace

TEST_F(AppTest, UndoAndRedoBackToTheSavedTextClearModifiedAndClosingAsksNothing) {
  WriteFile(PathOf("a.csm"), "abc\r\n");
  TForm1& form = MakeForm();
  form.Timer1->stop();
  TChildForm* child = form.Documents().OpenFile(PathOf("a.csm"));
  TRAHLEditor& e = child->Editor1();
  const auto modifiedPanel = [&] {
    form.UpdateStatus();
    return form.StatusPanel(1);
  };
  e.SetCaret(3, 0);
  e.Command('x');
  EXPECT_EQ(modifiedPanel(), "Modified");
  child->UpdateActions();
  EXPECT_FALSE(child->EditRedo1->isEnabled());
  child->EditUndo1->trigger();
  EXPECT_EQ(modifiedPanel(), "");  // back at the text as opened
  child->UpdateActions();
  EXPECT_TRUE(child->EditRedo1->isEnabled());
  child->EditRedo1->trigger();
  EXPECT_EQ(modifiedPanel(), "Modified");
  EXPECT_EQ(e.Lines().GetTextStr(), "abcx\r\n");

  // Saved: undoing leaves the saved text, redoing comes back to it.
  form.Documents().SaveDocument(child);
  EXPECT_EQ(modifiedPanel(), "");
  child->EditUndo1->trigger();
  EXPECT_EQ(modifiedPanel(), "Modified");
  child->EditRedo1->trigger();
  EXPECT_EQ(modifiedPanel(), "");
  child->parentWidget()->close();
  EXPECT_EQ(Dialogs.ConfirmAsked, 0);

  // A reloaded document starts afresh there too.
  TChildForm* again = form.Documents().OpenFile(PathOf("a.csm"));
  again->Editor1().Command('y');
  form.Documents().Reload(again);
  EXPECT_FALSE(again->Editor1().Modified());
  again->Editor1().Command('z');
  again->UpdateActions();
  again->EditUndo1->trigger();
  EXPECT_FALSE(again->Editor1().Modified());
}

TEST(ShortcutTable, TakesNoKeyTheClassicKeyMapBindsAloneButTheDesktopSchemesTwo) {
  TKeyboard keyboard;
  keyboard.SetDefaultLayout();
  for (TKeyScheme scheme : {TKeyScheme::Classic, TKeyScheme::Desktop}) {
    const std::vector<TWindowShortcut> table = WindowShortcuts(scheme);
    int desktop = 0;
    for (const TWindowShortcut& s : table) {
      const bool alone = BoundAlone(keyboard, {s.Key, s.Shift});
      // The classic menus' keys run what the key map runs on them, or what the classic
      // description gives them; every other key was free.
      if (s.Kind == TKind::Added || s.Kind == TKind::Reserved) EXPECT_FALSE(alone) << s.Command;
      if (s.Kind == TKind::Desktop) {
        EXPECT_TRUE(alone) << s.Command;
        ++desktop;
      }
      EXPECT_EQ(FindWindowShortcut(table, s.Key, s.Shift), &s) << "twice: " << s.Command;
    }
    EXPECT_EQ(desktop, scheme == TKeyScheme::Desktop ? 2 : 0);
  }
}

TEST_F(AppTest, TheWindowsBindExactlyTheTableOfTheirKeyScheme) {
  TForm1& form = MakeForm();
  form.Documents().NewDocument();
  TKeyboard keyboard;
  keyboard.SetDefaultLayout();
  for (TKeyScheme scheme : {TKeyScheme::Classic, TKeyScheme::Desktop, TKeyScheme::Classic}) {
    form.SetKeyScheme(scheme);
    form.Documents().NewDocument();  // a window made after the change follows it too
    const std::vector<TWindowShortcut> table = WindowShortcuts(scheme);
    const std::vector<TKey> taken = TakenKeys(form);
    for (const TKey& key : taken) {
      // A key of the key map's own is the windows' only where the table says so.
      if (!BoundAlone(keyboard, key)) continue;
      const TWindowShortcut* s = FindWindowShortcut(table, key.Key, key.Shift);
      EXPECT_TRUE(s != nullptr && (s->Kind == TKind::Described || s->Kind == TKind::Desktop))
          << "key " << key.Key << " shift " << int(key.Shift);
    }
    for (const TWindowShortcut& s : table) {
      if (s.Kind == TKind::Reserved) continue;
      EXPECT_NE(std::find(taken.begin(), taken.end(), TKey{s.Key, s.Shift}), taken.end())
          << s.Command;
    }
  }
}

TEST_F(AppTest, TheDesktopKeysWorkAsAUserTypesThem) {
  WriteFile(PathOf("a.csm"), "one\r\ntwo\r\n");
  TForm1& form = MakeForm();
  form.Timer1->stop();
  QApplication::setActiveWindow(&form);
  TChildForm* a = form.Documents().OpenFile(PathOf("a.csm"));
  EditorWidget* view = &a->EditorView();
  view->setFocus();
  Type(view, Qt::Key_X, Qt::NoModifier, "x");
  Type(view, Qt::Key_Z, Qt::ControlModifier, "\x1a");
  EXPECT_EQ(a->Editor1().Lines()[0], "one");
  Type(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "\x1a");
  EXPECT_EQ(a->Editor1().Lines()[0], "xone");
  Type(view, Qt::Key_S, Qt::ControlModifier, "\x13");
  EXPECT_EQ(ReadFile(PathOf("a.csm")), "xone\r\ntwo\r\n");
  EXPECT_FALSE(a->Editor1().Modified());
  Type(view, Qt::Key_H, Qt::ControlModifier, "\x08");
  EXPECT_TRUE(a->ReplaceDialog1().isVisible());
  a->ReplaceDialog1().reject();
  view->setFocus();

  // Classic keys: Ctrl+Y deletes the line and Ctrl+N breaks it; Desktop: Redo and New.
  Type(view, Qt::Key_Y, Qt::ControlModifier, "\x19");
  EXPECT_EQ(a->Editor1().Lines()[0], "two");
  form.SetKeyScheme(TKeyScheme::Desktop);
  Type(view, Qt::Key_Z, Qt::ControlModifier, "\x1a");
  EXPECT_EQ(a->Editor1().Lines()[0], "xone");
  Type(view, Qt::Key_Y, Qt::ControlModifier, "\x19");
  EXPECT_EQ(a->Editor1().Lines()[0], "two");
  EXPECT_EQ(a->EditRedo1->shortcuts(),
            (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
  Type(view, Qt::Key_N, Qt::ControlModifier, "\x0e");
  ASSERT_EQ(form.Documents().MDIChildCount(), 2);
  TChildForm* b = form.Documents().ActiveMDIChild();
  EXPECT_NE(b, a);
  EXPECT_EQ(b->windowTitle(), "Unnamed file");

  // Ctrl+Tab and Ctrl+Shift+Tab go round the document windows.
  Type(&b->EditorView(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(form.Documents().ActiveMDIChild(), a);
  Type(view, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(form.Documents().ActiveMDIChild(), b);

  // Ctrl+W closes the active window through its save prompt; Cancel keeps it.
  b->Editor1().Command('q');
  Type(&b->EditorView(), Qt::Key_W, Qt::ControlModifier, "\x17");
  EXPECT_EQ(Dialogs.ConfirmAsked, 1);
  DeleteClosed();
  EXPECT_EQ(form.Documents().MDIChildCount(), 2);
  Dialogs.Answer = QMessageBox::No;
  Type(&b->EditorView(), Qt::Key_F4, Qt::ControlModifier);
  DeleteClosed();
  EXPECT_EQ(form.Documents().MDIChildCount(), 1);

  // F1 lists every key, these among them.
  Type(view, Qt::Key_F1, Qt::NoModifier);
  ASSERT_NE(form.KeysWindow(), nullptr);
  const QString keys = form.KeysWindow()->Text->toPlainText();
  for (const char* text : {"Desktop key scheme is in use", "Ctrl+Shift+Z", "Ctrl+Q, Ctrl+S",
                           "File > Save", "Shift+F3", "Ctrl+F4", "Ctrl+Y"})
    EXPECT_TRUE(keys.contains(text)) << text;
}

TEST_F(AppTest, ARedoneLineBreakComesBackWithItsLines) {
  TChildForm& child = MakeChild("label \"Start\"\r\ngoto Start\r\nend\r\n");
  EditorWidget* view = &child.EditorView();
  TRAHLEditor& e = child.Editor1();
  // A click below the text puts the caret there first.
  QWidget* viewport = view->viewport();
  const QPointF at(300, 200);
  QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &release);
  Type(view, Qt::Key_End, Qt::ControlModifier);
  for (const char* c : {"a", "b", "c"}) Type(view, Qt::Key_A, Qt::NoModifier, c);
  Type(view, Qt::Key_Return, Qt::NoModifier, "\r");
  for (const char* c : {"d", "e", "f"}) Type(view, Qt::Key_A, Qt::NoModifier, c);
  const std::string typed = e.Lines().GetTextStr();
  Type(view, Qt::Key_Z, Qt::ControlModifier, "\x1a");
  EXPECT_EQ(e.Lines().GetTextStr(), "label \"Start\"\r\ngoto Start\r\nend\r\n");
  Type(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "\x1a");
  EXPECT_EQ(e.Lines().GetTextStr(), typed);
  EXPECT_EQ(e.CaretY(), 3);
}
