#pragma once
// The Go To dialog: a fixed dialog with the line number to go to, "1" at first and
// selected, so that typing replaces it; OK is the default button, Escape cancels.
#include <QDialog>

class QLineEdit;
class QPushButton;

class TdlgGoto : public QDialog {
  Q_OBJECT
 public:
  explicit TdlgGoto(QWidget* parent = nullptr);

  QLineEdit* edtLine = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
};
