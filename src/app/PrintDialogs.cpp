#include "app/PrintDialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>

#include "app/PrintOptions.h"
#include "qt/Guarded.h"

bool AskPrintSetup(QWidget* parent, QPrinter& printer, TPrintOptions& options) {
  QPrintDialog dialog(&printer, parent);
  auto* tab = new TPrintOptionsTab(options);
  dialog.setOptionTabs({tab});
  if (dialog.exec() != QDialog::Accepted) return false;
  options = tab->Options();
  return true;
}

void RunPrintPreview(QWidget* parent, const std::function<void(QPrinter& printer)>& paint) {
  QPrintPreviewDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Print Preview"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&](QPrinter* printer) { Guarded(&dialog, [&] { paint(*printer); }); });
  dialog.exec();
}

QString AskExportFileName(QWidget* parent, const QString& proposed, const QString& filter) {
  QFileDialog dialog(parent, QStringLiteral("Export"), proposed, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // "PDF Files (*.pdf)" adds "pdf".
  const QRegularExpressionMatch suffix =
      QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
  if (suffix.hasMatch()) dialog.setDefaultSuffix(suffix.captured(1));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}
