#pragma once
// The About box: a fixed dialog with the program's name, version and maker, closed with
// its OK button, Escape or its window close box.
#include <QDialog>

class QPushButton;

class TfrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

  QPushButton* OKBtn = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
};
