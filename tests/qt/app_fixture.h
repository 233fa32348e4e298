#pragma once
// Shared set-up of the application tests: an isolated, empty settings store, a temporary
// folder, and dialogs that answer from fields instead of waiting for a user.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/AppDialogs.h"
#include "app/ChildForm.h"
#include "app/Documents.h"
#include "app/EncodingMenu.h"
#include "app/MainWindow.h"
#include "app/PrintOptions.h"
#include "highlight/RAHLEditor.h"
#include "qt/EditorWidget.h"

// The captions of Actions, "-" for a separator.
inline QStringList Titles(const QList<QAction*>& actions) {
  QStringList titles;
  for (const QAction* action : actions)
    titles.append(action->isSeparator() ? QStringLiteral("-") : action->text());
  return titles;
}

// The menu of Owner's entry captioned Title (Owner a menu bar or a menu).
inline QMenu* SubmenuNamed(const QWidget* owner, const QString& title) {
  for (QAction* action : owner->actions()) {
    if (action->text() == title) return action->menu();
  }
  return nullptr;
}

// A key typed on Widget; a key press sent this way meets the shortcuts first, as typed
// keys do.
inline void Type(QWidget* widget, int key, Qt::KeyboardModifiers modifiers,
                 const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(widget, &release);
}

struct FakeDialogs {
  QString OpenName;
  int OpenAsked = 0;
  QString SaveName;
  int SaveAsked = 0;
  QString SaveProposed;
  QMessageBox::StandardButton Answer = QMessageBox::Cancel;
  int ConfirmAsked = 0;
  std::function<bool(QPrinter&)> Print = [](QPrinter&) { return false; };
  int PrintAsked = 0;
  // The Print dialog's options as offered, and the choice made on its tab.
  TPrintOptions PrintOptionsOffered;
  std::function<void(TPrintOptions&)> ChoosePrintOptions;
  // The preview's answer: paints on the printer it is given.
  std::function<void(const std::function<void(QPrinter&)>&)> Preview;
  int PreviewShown = 0;
  QString ExportName;
  QString ExportProposed;
  QString ExportFilter;
  QStringList Errors;
  QStringList Warnings;
  QStringList OverwriteQuestions;
  bool OverwriteAnswer = false;
  int AboutShown = 0;
  // The Go To dialog's answer: the typed text, none for Cancel.
  std::optional<QString> GotoText;
  int GotoAsked = 0;
  // The Go To Label dialog's answer, and the labels it offered.
  std::optional<QString> LabelText;
  QStringList LabelsOffered;
  QStringList ReloadQuestions;
  bool ReloadAnswer = false;
  TRecoveryChoice RecoveryAnswer = TRecoveryChoice::Keep;
  int RecoveryAsked = 0;
  // Runs when "Save changes?" is asked, before it is answered.
  std::function<void(QWidget*)> OnConfirm;

  TAppDialogs Make() {
    TAppDialogs d;
    d.OpenFileName = [this](QWidget*) {
      ++OpenAsked;
      return OpenName;
    };
    d.SaveFileName = [this](QWidget*, const QString& proposed) {
      ++SaveAsked;
      SaveProposed = proposed;
      return SaveName;
    };
    d.PrintSetup = [this](QWidget*, QPrinter& printer, TPrintOptions& options) {
      ++PrintAsked;
      PrintOptionsOffered = options;
      if (ChoosePrintOptions) ChoosePrintOptions(options);
      return Print(printer);
    };
    d.PrintPreview = [this](QWidget*, const std::function<void(QPrinter&)>& paint) {
      ++PreviewShown;
      if (Preview) Preview(paint);
    };
    d.ExportFileName = [this](QWidget*, const QString& proposed, const QString& filter) {
      ExportProposed = proposed;
      ExportFilter = filter;
      return ExportName;
    };
    d.ConfirmSave = [this](QWidget* parent) {
      ++ConfirmAsked;
      if (OnConfirm) OnConfirm(parent);
      return Answer;
    };
    d.ShowError = [this](QWidget*, const QString& message) { Errors.append(message); };
    d.ShowWarning = [this](QWidget*, const QString& message) { Warnings.append(message); };
    d.ConfirmOverwrite = [this](QWidget*, const QString& question) {
      OverwriteQuestions.append(question);
      return OverwriteAnswer;
    };
    d.ConfirmReload = [this](QWidget*, const QString& question) {
      ReloadQuestions.append(question);
      return ReloadAnswer;
    };
    d.RecoverDrafts = [this](QWidget*, const QList<TDraftManifest>&) {
      ++RecoveryAsked;
      return RecoveryAnswer;
    };
    d.ShowAbout = [this](QWidget*) { ++AboutShown; };
    d.GotoLine = [this](QWidget*) {
      ++GotoAsked;
      return GotoText;
    };
    d.GotoLabel = [this](QWidget*, const QStringList& labels) {
      LabelsOffered = labels;
      return LabelText;
    };
    return d;
  }
};

inline QSettings AppStore() {
  return QSettings(QSettings::UserScope, QStringLiteral("MarvekWorld"),
                   QStringLiteral("MarvekEdit"));
}

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    // Each test has its own store: tests may run in parallel processes.
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Dir.filePath("config"));
    AppStore().clear();
  }
  void TearDown() override {
    Form.reset();
    AppStore().clear();
  }

  TForm1& MakeForm() {
    Form = std::make_unique<TForm1>(Dialogs.Make());
    Form->show();
    return *Form;
  }
  // The main window, active and without its status timer (tests run the updates
  // themselves), with one document window holding Text and the keyboard focus.
  TChildForm& MakeChild(const std::string& text) {
    TForm1& form = MakeForm();
    form.Timer1->stop();
    QApplication::setActiveWindow(&form);
    TChildForm* child = form.Documents().NewDocument();
    child->Editor1().Lines().SetTextStr(text);
    child->UpdateActions();  // as the idle update does
    child->EditorView().setFocus();
    return *child;
  }
  QString PathOf(const QString& name) const { return Dir.filePath(name); }
  static void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  // Destroys the windows whose close has been accepted.
  static void DeleteClosed() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  FakeDialogs Dialogs;
  QTemporaryDir Dir;
  std::unique_ptr<TForm1> Form;
};
