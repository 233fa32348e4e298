#include "app/KeysWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/KeyReference.h"
#include "app/ShortcutTable.h"

TKeysWindow::TKeysWindow(TKeyScheme scheme, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
  Text = new QTextBrowser(this);
  Text->setAccessibleName(QStringLiteral("Keyboard shortcuts"));
  const QString inUse =
      scheme == TKeyScheme::Desktop ? QStringLiteral("Desktop") : QStringLiteral("Classic");
  Text->setMarkdown(QStringLiteral("*The %1 key scheme is in use.*\n\n").arg(inUse) +
                    QString::fromStdString(KeyReference()));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Text);
  layout->addWidget(buttons);
  resize(820, 640);
  Text->setFocus();
}
