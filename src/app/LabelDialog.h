#pragma once
// The Go To Label dialog: a field for the label's name that completes it from the
// script's labels as it is typed (any part of the name, ignoring case), OK and Cancel.
#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

class TdlgGotoLabel : public QDialog {
  Q_OBJECT
 public:
  // Labels: the script's label names in script order.
  explicit TdlgGotoLabel(const QStringList& labels, QWidget* parent = nullptr);

  QLabel* lblLabel = nullptr;
  QLineEdit* edtLabel = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
};
