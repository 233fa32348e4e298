#include "app/AppDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

#include "app/AboutBox.h"
#include "app/GotoDialog.h"
#include "app/LabelDialog.h"
#include "app/PrintDialogs.h"
#include "qt/Guarded.h"

namespace {

QString AskOpenFileName(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                      QString::fromLatin1(ScriptFileFilter()));
}

QString AskSaveFileName(QWidget* parent, const QString& proposed) {
  QFileDialog dialog(parent, QString(), proposed, QString::fromLatin1(ScriptFileFilter()));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("csm"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

QMessageBox::StandardButton AskSaveChanges(QWidget* parent) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("Save changes?"),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  const int answer = box.exec();
  if (answer == QMessageBox::Yes || answer == QMessageBox::No) {
    return static_cast<QMessageBox::StandardButton>(answer);
  }
  return QMessageBox::Cancel;
}

void ReportWarning(QWidget* parent, const QString& message) {
  QMessageBox::warning(parent, QApplication::applicationDisplayName(), message);
}

bool AskOverwrite(QWidget* parent, const QString& question) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), question,
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void RunAboutBox(QWidget* parent) {
  TfrmAbout about(parent);
  about.exec();
}

std::optional<QString> AskGotoLine(QWidget* parent) {
  TdlgGoto dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.edtLine->text();
}

std::optional<QString> AskGotoLabel(QWidget* parent, const QStringList& labels) {
  TdlgGotoLabel dialog(labels, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.edtLabel->text();
}

}  // namespace

TAppDialogs TAppDialogs::Standard() {
  TAppDialogs dialogs;
  dialogs.OpenFileName = AskOpenFileName;
  dialogs.SaveFileName = AskSaveFileName;
  dialogs.PrintSetup = AskPrintSetup;
  dialogs.PrintPreview = RunPrintPreview;
  dialogs.ExportFileName = AskExportFileName;
  dialogs.ConfirmSave = AskSaveChanges;
  dialogs.ShowError = [](QWidget* parent, const QString& message) {
    ShowErrorBox(parent, message.toStdString());
  };
  dialogs.ShowWarning = ReportWarning;
  dialogs.ConfirmOverwrite = AskOverwrite;
  // Reloading over unsaved changes loses them: the same warning, No by default.
  dialogs.ConfirmReload = AskOverwrite;
  dialogs.RecoverDrafts = AskRecovery;
  dialogs.ShowAbout = RunAboutBox;
  dialogs.GotoLine = AskGotoLine;
  dialogs.GotoLabel = AskGotoLabel;
  return dialogs;
}
