// The main window's part in sessions and preferences: the session remembered at a clean
// exit and reopened from the File menu or at start, and the preferences kept in the
// settings store and applied to every document window.
#include <QAction>
#include <QMdiArea>
#include <QMenu>

#include "app/Actions.h"
#include "app/ChildForm.h"
#include "app/Documents.h"
#include "app/MainWindow.h"
#include "app/PreferencesDialog.h"
#include "app/ProgramIcon.h"
#include "app/Session.h"
#include "app/Settings.h"

void TForm1::CreateSessionCommands() {
  setWindowIcon(ProgramIcon());
  ReopenSession1 =
      MakeAction(this, "&Reopen Last Session", {},
                 "Reopen Last Session|Opens the scripts that were open at the last exit");
  connect(ReopenSession1, &QAction::triggered, this, &TForm1::ReopenLastSession);
  FFileMenu->insertAction(Action2, ReopenSession1);
}

void TForm1::RememberSession() {
  QSettings store = SettingsStore();
  WriteSession(store, FDocuments->Session());
}

void TForm1::ReopenLastSession() {
  QSettings store = SettingsStore();
  const QStringList gone = FDocuments->Reopen(ReadSession(store));
  if (!gone.isEmpty()) FDialogs.ShowWarning(this, GoneFilesMessage(gone));
}

void TForm1::LoadPreferences() {
  const QSettings store = SettingsStore();
  const TPreferences preferences = ReadPreferences(store);
  FPreferences = preferences;
  FPreferences.FontHeight = FFontHeight;
  FMdiArea->setViewMode(preferences.TabbedDocuments ? QMdiArea::TabbedView
                                                    : QMdiArea::SubWindowView);
  FMdiArea->setTabsClosable(true);
  SetKeyScheme(preferences.KeyScheme);
}

void TForm1::ExecutePreferences() {
  TPreferences current = FPreferences;
  current.FontHeight = FFontHeight;
  TPreferencesDialog dialog(current, this);
  connect(&dialog, &TPreferencesDialog::Applied, this, &TForm1::SetPreferences);
  dialog.exec();
}

void TForm1::SetPreferences(const TPreferences& preferences) {
  FPreferences = preferences;
  QSettings store = SettingsStore();
  WritePreferences(store, preferences);
  FMdiArea->setViewMode(preferences.TabbedDocuments ? QMdiArea::TabbedView
                                                    : QMdiArea::SubWindowView);
  SetKeyScheme(preferences.KeyScheme);
  // Also gives every window the rest.
  SetFontHeight(preferences.FontHeight);
}

void TForm1::ApplyPreferences(TChildForm* child) const {
  child->SetKeyScheme(FPreferences.KeyScheme);
  child->SetPreferences(FPreferences);
}
