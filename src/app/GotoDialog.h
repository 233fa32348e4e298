#pragma once
// The Go To dialog: a fixed dialog with the line number to go to, "1" at first and
// selected, so that typing replaces it, under its label; OK is the default button, Escape cancels.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TdlgGoto : public QDialog {
  Q_OBJECT
 public:
  explicit TdlgGoto(QWidget* parent = nullptr);

  QLabel* lblLine = nullptr;
  QLineEdit* edtLine = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
};
