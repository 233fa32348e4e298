#include "app/AboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel* MakeLabel(const QString& text, int pixelHeight, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font(QStringLiteral("Comic Sans MS"));
  font.setPixelSize(pixelHeight);
  label->setFont(font);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  return label;
}

}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(298, 230);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeLabel(QStringLiteral("MarvekWorld"), 32, this));
  layout->addWidget(MakeLabel(QStringLiteral("Script Editor"), 32, this));
  layout->addWidget(MakeLabel(QStringLiteral("v0.53 1/25/02"), 16, this));
  layout->addWidget(MakeLabel(QStringLiteral("By MarvekWorld"), 21, this));
  // Escape closes it as every dialog does; OK is the default button for Return.
  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(OKBtn, 0, Qt::AlignHCenter);
}

void TfrmAbout::showEvent(QShowEvent* event) {
  // Centred on the screen, not on the main window.
  if (const QScreen* current = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(current->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
}
