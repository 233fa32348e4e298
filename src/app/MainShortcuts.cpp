// The main window's shortcuts beyond the classic menus: Save, Save As, closing and
// switching document windows, the key reference on F1, and the key scheme.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QShortcut>

#include "app/ChildForm.h"
#include "app/Documents.h"
#include "app/KeysWindow.h"
#include "app/MainWindow.h"
#include "app/ProgramIcon.h"
#include "app/ShortcutTable.h"
#include "app/Shortcuts.h"

void TForm1::CreateDesktopShortcuts() {
  Action2->setShortcut(Qt::CTRL | Qt::Key_S);
  FileSaveAs1->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
  WindowClose1->setShortcuts({Qt::CTRL | Qt::Key_W, Qt::CTRL | Qt::Key_F4});
  for (QAction* action : {Action2, FileSaveAs1, WindowClose1}) BindWindowShortcut(action, this);
  // Ctrl+Shift+Tab arrives as Backtab; the shortcut map also tries it as Tab.
  auto* next = new QShortcut(Qt::CTRL | Qt::Key_Tab, this);
  connect(next, &QShortcut::activated, FMdiArea, &QMdiArea::activateNextSubWindow);
  auto* previous = new QShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, this);
  connect(previous, &QShortcut::activated, FMdiArea, &QMdiArea::activatePreviousSubWindow);

  KeyboardShortcuts1 = new QAction(QStringLiteral("&Keyboard Shortcuts"), this);
  KeyboardShortcuts1->setShortcut(QKeySequence(Qt::Key_F1));
  KeyboardShortcuts1->setStatusTip(QStringLiteral("Lists every key and chord"));
  connect(KeyboardShortcuts1, &QAction::triggered, this, &TForm1::ShowKeyboardShortcuts);
  FHelpMenu->insertAction(About1, KeyboardShortcuts1);
  BindWindowShortcut(KeyboardShortcuts1, this);

  FNewKey = BindOptionalShortcut(Action1, Qt::CTRL | Qt::Key_N, this);
}

void TForm1::PrepareDocumentWindow(TChildForm* child) {
  // Edit > Preferences... is the frame's dialog.
  connect(child, &TChildForm::PreferencesRequested, this, &TForm1::ExecutePreferences);
  auto* window = qobject_cast<QMdiSubWindow*>(child->parentWidget());
  if (window == nullptr) return;
  // The program's icon, not the toolkit's.
  window->setWindowIcon(ProgramIcon());
  if (window->systemMenu() == nullptr) return;
  // Its own Close entry has Ctrl+F4 and Ctrl+W too: two owners of a key leave it unused.
  for (QAction* action : window->systemMenu()->actions()) {
    if (!action->shortcuts().isEmpty()) action->setShortcuts({});
  }
}

void TForm1::SetKeyScheme(TKeyScheme scheme) {
  FPreferences.KeyScheme = scheme;
  SetOptionalShortcut(Action1, FNewKey, scheme == TKeyScheme::Desktop);
  for (TChildForm* child : FDocuments->MDIChildren()) child->SetKeyScheme(scheme);
}

void TForm1::ShowKeyboardShortcuts() {
  // One window at a time, brought to the front when asked again.
  if (FKeysWindow == nullptr) {
    FKeysWindow = new TKeysWindow(FPreferences.KeyScheme, this);
    FKeysWindow->setAttribute(Qt::WA_DeleteOnClose);
  }
  FKeysWindow->show();
  FKeysWindow->raise();
  FKeysWindow->activateWindow();
}

TKeysWindow* TForm1::KeysWindow() const {
  return FKeysWindow;
}
