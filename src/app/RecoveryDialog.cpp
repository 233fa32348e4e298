#include "app/RecoveryDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

QString DraftDescription(const TDraftManifest& draft) {
  const QString name = draft.FileName.isEmpty() ? QStringLiteral("Unnamed file")
                                                : QFileInfo(draft.FileName).fileName();
  const QString where =
      draft.FileName.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(draft.FileName);
  const QString lines = draft.LineCount == 1 ? QStringLiteral("1 line")
                                             : QStringLiteral("%1 lines").arg(draft.LineCount);
  return QStringLiteral("%1%2 \u2013 changed %3, %4")
      .arg(name, where, QLocale().toString(draft.Changed, QLocale::ShortFormat), lines);
}

TRecoveryDialog::TRecoveryDialog(const QList<TDraftManifest>& drafts, QWidget* parent)
    : QDialog(parent), FCount(static_cast<int>(drafts.size())) {
  setWindowTitle(QStringLiteral("Recover Unsaved Work"));
  auto* text = new QLabel(
      QStringLiteral("The editor ended without saving the following documents. Recover "
                     "opens each of them with its unsaved changes; nothing is written to "
                     "your files until you save."),
      this);
  text->setWordWrap(true);
  auto* list = new QListWidget(this);
  for (const TDraftManifest& draft : drafts) list->addItem(DraftDescription(draft));
  list->setFocusPolicy(Qt::NoFocus);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* recover =
      buttons->addButton(QStringLiteral("&Recover"), QDialogButtonBox::AcceptRole);
  QPushButton* discard =
      buttons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::DestructiveRole);
  recover->setDefault(true);
  recover->setFocus();
  connect(recover, &QPushButton::clicked, this, [this] {
    FChoice = TRecoveryChoice::Recover;
    accept();
  });
  connect(discard, &QPushButton::clicked, this, &TRecoveryDialog::ConfirmDiscard);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(list);
  layout->addWidget(buttons);
  resize(560, 300);
}

void TRecoveryDialog::ConfirmDiscard() {
  QMessageBox box(QMessageBox::Warning, windowTitle(),
                  QStringLiteral("Discard the unsaved changes of %1 document(s)? They cannot "
                                 "be recovered afterwards.")
                      .arg(FCount),
                  QMessageBox::Yes | QMessageBox::No, this);
  box.setDefaultButton(QMessageBox::No);
  if (box.exec() != QMessageBox::Yes) return;
  FChoice = TRecoveryChoice::Discard;
  accept();
}

TRecoveryChoice AskRecovery(QWidget* parent, const QList<TDraftManifest>& drafts) {
  TRecoveryDialog dialog(drafts, parent);
  dialog.exec();
  return dialog.Choice();
}
