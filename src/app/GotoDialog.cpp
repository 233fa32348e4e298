#include "app/GotoDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

TdlgGoto::TdlgGoto(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Goto line"));
  setFixedSize(225, 75);
  // A visible label tied to the field names it for screen readers and gives it Alt+L.
  lblLine = new QLabel(QStringLiteral("&Line number:"), this);
  edtLine = new QLineEdit(QStringLiteral("1"), this);
  lblLine->setBuddy(edtLine);
  lblLine->setGeometry(16, 8, 100, 16);
  edtLine->setGeometry(16, 28, 89, edtLine->sizeHint().height());
  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setGeometry(132, 8, 75, 25);
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  // Escape rejects the dialog as this button does.
  CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
  CancelBtn->setGeometry(132, 38, 75, 25);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  setTabOrder(edtLine, OKBtn);
  setTabOrder(OKBtn, CancelBtn);
  edtLine->selectAll();
}

void TdlgGoto::showEvent(QShowEvent* event) {
  // Centred on the screen, not on the document window.
  if (const QScreen* current = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(current->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
  // The field takes the focus once the dialog is up, so that a screen reader says the
  // dialog's name first and then the field with its value.
  QMetaObject::invokeMethod(
      this,
      [this] {
        edtLine->setFocus(Qt::ActiveWindowFocusReason);
        edtLine->selectAll();
      },
      Qt::QueuedConnection);
}
