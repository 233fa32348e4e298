// The document window's actions with their captions, shortcuts, hints, tags and
// categories; the Edit, Search and context menus; the window's shortcut keys, taken
// before the editor sees them; and the idle update of the actions' enabled states.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

#include "app/Actions.h"
#include "app/ChildForm.h"
#include "app/FindDialogs.h"
#include "app/ShortcutTable.h"
#include "app/Shortcuts.h"
#include "highlight/RAHLEditor.h"
#include "qt/EditorWidget.h"
#include "qt/Guarded.h"
#include "qt/KeyTranslation.h"
#include "qt/TypedText.h"

namespace {

QKeySequence DigitKey(Qt::KeyboardModifiers modifiers, int digit) {
  return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(Qt::Key_0 + digit)));
}

// The bookmark actions in menu order: 1 to 9, then 0.
QMenu* BookmarkMenu(const QString& title, const std::array<QAction*, 10>& actions,
                    QWidget* parent) {
  auto* menu = new QMenu(title, parent);
  for (int i = 1; i <= 10; ++i) menu->addAction(actions[i % 10]);
  return menu;
}

}  // namespace

void TChildForm::CreateActions() {
  EditCut1 = MakeAction(this, "Cu&t", Qt::CTRL | Qt::Key_X,
                        "Cut|Cuts the selection and puts it on the Clipboard");
  EditCopy1 = MakeAction(this, "&Copy", Qt::CTRL | Qt::Key_C,
                         "Copy|Copies the selection and puts it on the Clipboard");
  EditPaste1 = MakeAction(this, "&Paste", Qt::CTRL | Qt::Key_V, "Paste|Inserts Clipboard contents");
  EditUndo1 = MakeAction(this, "&Undo", Qt::CTRL | Qt::Key_Z, "Undo|Reverts the last action");
  for (QAction* action : {EditCut1, EditCopy1, EditPaste1, EditUndo1})
    action->setProperty("category", QStringLiteral("Edit"));
  connect(EditCut1, &QAction::triggered, this,
          [this] { Guarded(this, [this] { FEditor1->CutToClipboard(); }); });
  connect(EditCopy1, &QAction::triggered, this,
          [this] { Guarded(this, [this] { FEditor1->CopyToClipboard(); }); });
  connect(EditPaste1, &QAction::triggered, this, [this] {
    Guarded(this, [this] {
      // Text the document cannot hold is refused whole, as typing refuses it.
      const TTypedText typed = FEditorView->Typed(QGuiApplication::clipboard()->text());
      if (!typed.Accepted()) return FEditorView->RefuseTyping(typed);
      FEditor1->PasteFromClipboard();
    });
  });
  connect(EditUndo1, &QAction::triggered, this,
          [this] { Guarded(this, [this] { FEditor1->Command(cmdUndo); }); });
  EditRedo1 = MakeAction(this, "&Redo", Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
                         "Redo|Repeats the last action undone");
  connect(EditRedo1, &QAction::triggered, this,
          [this] { Guarded(this, [this] { FEditor1->Command(cmdRedo); }); });
  // Delete and Ctrl+A stay the key map's: the entries only name the keys.
  EditDelete1 =
      MakeAction(this, "&Delete", QKeySequence(Qt::Key_Delete), "Delete|Deletes the selection");
  EditDelete1->setShortcutContext(Qt::WidgetShortcut);
  connect(EditDelete1, &QAction::triggered, this,
          [this] { Guarded(this, [this] { FEditor1->Command(cmdDeleteSelection); }); });

  SearchFind1 = MakeAction(this, "&Find...", Qt::CTRL | Qt::Key_F, "Find|Finds the specified text");
  SearchFindNext1 =
      MakeAction(this, "Find &Next", QKeySequence(Qt::Key_F3), "Find Next|Repeats the last find");
  SearchReplace1 = MakeAction(this, "&Replace", Qt::CTRL | Qt::Key_H,
                              "Replace|Replaces specific text with different text");
  SearchGoto = MakeAction(this, "&Go To...", Qt::CTRL | Qt::Key_G, "Goto line number");
  connect(SearchFind1, &QAction::triggered, this, &TChildForm::OpenFindDialog);
  connect(SearchFindNext1, &QAction::triggered, this, [this] { Find(*FFindDialog1); });
  connect(SearchReplace1, &QAction::triggered, this, &TChildForm::OpenReplaceDialog);
  connect(SearchGoto, &QAction::triggered, this, &TChildForm::GotoLine);
  SelectAll1 =
      MakeAction(this, "Select &All", Qt::CTRL | Qt::Key_A, "Select All|Selects the whole script");
  SelectAll1->setShortcutContext(Qt::WidgetShortcut);
  connect(SelectAll1, &QAction::triggered, this,
          [this] { Guarded(this, [this] { FEditor1->Command(cmdSelectAll); }); });
  CreateBookmarkActions();
}

void TChildForm::CreateBookmarkActions() {
  // One toggle and one go-to handler for all of them; the tag is the bookmark number.
  for (int number = 0; number < 10; ++number) {
    QAction* toggle = MakeAction(this, QStringLiteral("Toggle Bookmark &%1").arg(number),
                                 DigitKey(Qt::ControlModifier | Qt::ShiftModifier, number));
    toggle->setObjectName(QStringLiteral("Toogle%1").arg(number));
    toggle->setData(number);
    connect(toggle, &QAction::triggered, this,
            [this, toggle] { ToggleBookmark(toggle->data().toInt()); });
    Toogle[number] = toggle;

    QAction* go = MakeAction(this, QStringLiteral("Goto Bookmark &%1").arg(number),
                             DigitKey(Qt::ControlModifier, number));
    go->setObjectName(QStringLiteral("GotoBook%1").arg(number == 0 ? 10 : number));
    go->setData(number);
    connect(go, &QAction::triggered, this,
            [this, go] { Guarded(this, [&] { GotoBookmark(go->data().toInt()); }); });
    GotoBook[number] = go;
  }
}

void TChildForm::CreateMenus() {
  EditMenu = new QMenu(QStringLiteral("&Edit"), this);
  EditMenu->addActions({EditCopy1, EditCut1, EditPaste1, EditUndo1, EditRedo1});
  EditMenu->addSeparator();
  EditMenu->addActions({EditDelete1, SelectAll1});
  EditMenu->addSeparator();
  EditPreferences1 = MakeAction(this, "Pr&eferences...", {},
                                "Preferences|Chooses the font, tab stops, colours and keys");
  connect(EditPreferences1, &QAction::triggered, this, &TChildForm::PreferencesRequested);
  EditMenu->addAction(EditPreferences1);
  SearchMenu = new QMenu(QStringLiteral("&Search"), this);
  SearchMenu->addActions(
      {SearchFind1, SearchFindNext1, SearchFindPrevious1, SearchReplace1, SearchFindInScripts1});
  SearchMenu->addSeparator();
  SearchMenu->addAction(SearchGoto);
  SearchMenu->addSeparator();
  SearchMenu->addMenu(BookmarkMenu(QStringLiteral("&Toggle Bookmark..."), Toogle, SearchMenu));
  SearchMenu->addMenu(BookmarkMenu(QStringLiteral("Goto &Bookmark..."), GotoBook, SearchMenu));
  PopupMenu1 = new QMenu(this);
  PopupMenu1->addMenu(BookmarkMenu(QStringLiteral("T&oggle Bookmark"), Toogle, PopupMenu1));
  PopupMenu1->addMenu(BookmarkMenu(QStringLiteral("&Goto Bookmark"), GotoBook, PopupMenu1));
  // The clipboard entries above the bookmark submenus.
  QAction* firstBookmarkMenu = PopupMenu1->actions().constFirst();
  PopupMenu1->insertActions(firstBookmarkMenu, {EditUndo1, EditRedo1});
  PopupMenu1->insertSeparator(firstBookmarkMenu);
  PopupMenu1->insertActions(firstBookmarkMenu, {EditCut1, EditCopy1, EditPaste1, SelectAll1});
  PopupMenu1->insertSeparator(firstBookmarkMenu);
  // A menu shows the current state, not the one of the last idle update.
  for (QMenu* menu : {EditMenu, SearchMenu})
    connect(menu, &QMenu::aboutToShow, this, &TChildForm::UpdateActions);
  FMergedMenus = {EditMenu, SearchMenu};
}

void TChildForm::BindShortcuts() {
  QList<QAction*> actions{EditCut1,    EditCopy1,       EditPaste1,     EditUndo1, EditRedo1,
                          SearchFind1, SearchFindNext1, SearchReplace1, SearchGoto};
  for (int number = 0; number < 10; ++number) actions << Toogle[number] << GotoBook[number];
  // Only while the focus is in this window, which is then the active document window.
  for (QAction* action : actions)
    BindWindowShortcut(action, this, Qt::WidgetWithChildrenShortcut, [this] { UpdateActions(); });
  FRedoKey = BindOptionalShortcut(EditRedo1, Qt::CTRL | Qt::Key_Y, this,
                                  Qt::WidgetWithChildrenShortcut, [this] { UpdateActions(); });
}

void TChildForm::SetKeyScheme(TKeyScheme scheme) {
  SetOptionalShortcut(EditRedo1, FRedoKey, scheme == TKeyScheme::Desktop);
}

bool TChildForm::HandleBookmarkKey(QEvent* event) {
  const auto& key = static_cast<const QKeyEvent&>(*event);
  const TShiftState shift = KeyTranslation::ShiftStateOf(key.modifiers());
  if (shift != ssCtrl && shift != (ssCtrl | ssShift)) return false;
  const uint16_t virtualKey = KeyTranslation::VirtualKey(key);
  if (virtualKey < '0' || virtualKey > '9') return false;
  QAction* action = (shift & ssShift ? Toogle : GotoBook)[virtualKey - '0'];
  UpdateActions();
  if (action->isEnabled()) action->trigger();
  return true;
}

bool TChildForm::eventFilter(QObject* watched, QEvent* event) {
  // A bookmark key the shortcuts did not recognise (Shift made a symbol of the digit)
  // is still the window's, never the editor's.
  if (watched == FEditorView && event->type() == QEvent::KeyPress && HandleBookmarkKey(event))
    return true;
  return QWidget::eventFilter(watched, event);
}

void TChildForm::UpdateActions() {
  EditCut1->setEnabled(FEditor1->CanCut());
  EditCopy1->setEnabled(FEditor1->CanCopy());
  EditPaste1->setEnabled(FEditor1->CanPaste());
  EditUndo1->setEnabled(FEditor1->UndoBuffer()->CanUndo());
  EditRedo1->setEnabled(FEditor1->UndoBuffer()->CanRedo());
  EditDelete1->setEnabled(FEditor1->CanCut() && !FEditor1->ReadOnly());
  // The whole text is empty exactly when there are no lines; it is not built here.
  const bool hasText = FEditor1->Lines().Count() > 0;
  SearchFind1->setEnabled(hasText);
  SearchReplace1->setEnabled(hasText);
  SelectAll1->setEnabled(hasText);
  SearchFindNext1->setEnabled(!FFindDialog1->FindText().empty());
  SearchFindPrevious1->setEnabled(SearchFindNext1->isEnabled());
}
