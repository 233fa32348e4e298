#include "app/LabelDialog.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TdlgGotoLabel::TdlgGotoLabel(const QStringList& labels, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Go To Label"));
  // A visible label tied to the field names it for screen readers and gives it Alt+L.
  lblLabel = new QLabel(QStringLiteral("&Label:"), this);
  edtLabel = new QLineEdit(this);
  lblLabel->setBuddy(edtLabel);
  auto* completer = new QCompleter(labels, edtLabel);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setFilterMode(Qt::MatchContains);
  completer->setCompletionMode(QCompleter::PopupCompletion);
  completer->setMaxVisibleItems(12);
  edtLabel->setCompleter(completer);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  OKBtn = buttons->button(QDialogButtonBox::Ok);
  CancelBtn = buttons->button(QDialogButtonBox::Cancel);
  OKBtn->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblLabel);
  layout->addWidget(edtLabel);
  layout->addWidget(buttons);
  setMinimumWidth(300);
}

void TdlgGotoLabel::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The field takes the focus once the dialog is up, as the Go To dialog's does.
  QMetaObject::invokeMethod(
      this, [this] { edtLabel->setFocus(Qt::ActiveWindowFocusReason); }, Qt::QueuedConnection);
}
