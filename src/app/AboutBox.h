#pragma once
// The About box: a fixed dialog with the program's name and version, closed with its
// window close box.
#include <QDialog>

class TfrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
};
