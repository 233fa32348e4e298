#include "app/GotoDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

TdlgGoto::TdlgGoto(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Goto line"));
  setFixedSize(225, 75);
  edtLine = new QLineEdit(QStringLiteral("1"), this);
  edtLine->setGeometry(16, 8, 89, edtLine->sizeHint().height());
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
  edtLine->setFocus();
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
}
