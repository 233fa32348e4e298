#pragma once
// The dialogs and message boxes the application asks the user through. Each one is a
// replaceable function, so that tests (and other front ends) can answer without a modal
// loop; Standard() gives the real dialogs.
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "app/RecoveryDialog.h"

class QPrinter;
class QWidget;
struct TPrintOptions;

struct TAppDialogs {
  // File name chosen in the Open dialog; empty when cancelled.
  std::function<QString(QWidget* parent)> OpenFileName;
  // File name chosen in the Save dialog (".csm" added when no extension is typed), which
  // proposes Proposed (the document's current name, may be empty); empty when cancelled.
  std::function<QString(QWidget* parent, const QString& proposed)> SaveFileName;
  // The Print dialog: sets up Printer and, on a tab of its own, Options; false when
  // cancelled.
  std::function<bool(QWidget* parent, QPrinter& printer, TPrintOptions& options)> PrintSetup;
  // The print preview, modal: Paint draws the pages on the printer it is given.
  std::function<void(QWidget* parent, const std::function<void(QPrinter& printer)>& paint)>
      PrintPreview;
  // File name chosen in an export's Save dialog with Filter (such as "PDF Files (*.pdf)",
  // whose extension is added when none is typed), proposing Proposed; empty when cancelled.
  std::function<QString(QWidget* parent, const QString& proposed, const QString& filter)>
      ExportFileName;
  // "Save changes?" with Yes, No and Cancel; closing the box answers Cancel.
  std::function<QMessageBox::StandardButton(QWidget* parent)> ConfirmSave;
  // A failure's message.
  std::function<void(QWidget* parent, const QString& message)> ShowError;
  // A warning that needs no answer.
  std::function<void(QWidget* parent, const QString& message)> ShowWarning;
  // A question with Yes and No whose default answer, No, leaves the file on disk as it is.
  std::function<bool(QWidget* parent, const QString& question)> ConfirmOverwrite;
  // Whether to reload a file changed on disk and lose the document's changes; the
  // default answer, No, keeps them.
  std::function<bool(QWidget* parent, const QString& question)> ConfirmReload;
  // "Recover Unsaved Work" for Drafts left by a copy of the program that ended.
  std::function<TRecoveryChoice(QWidget* parent, const QList<TDraftManifest>& drafts)>
      RecoverDrafts;
  // The About box, modal.
  std::function<void(QWidget* parent)> ShowAbout;
  // The Go To dialog, modal: the text of its line field, none when cancelled.
  std::function<std::optional<QString>(QWidget* parent)> GotoLine;
  // The Go To Label dialog, modal, completing from Labels: the name typed, none when
  // cancelled.
  std::function<std::optional<QString>(QWidget* parent, const QStringList& labels)> GotoLabel;

  static TAppDialogs Standard();
};

// The filter of the Open and Save dialogs.
inline const char* ScriptFileFilter() {
  return "Marvek Script Files (*.csm)";
}
