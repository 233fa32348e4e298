#pragma once
// The modeless Find and Replace dialogs of a document window. They offer only the search
// text and Match case (the search always runs down the document, whole words are not
// asked for), and keep their texts and Match case while they are hidden. They only ask:
// the document window searches when a button signal arrives.
#include <QDialog>
#include <string>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

class TFindDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TFindDialog(QWidget* parent = nullptr);

  // Shows the dialog in front, the search text focused and selected.
  void Execute();

  // The texts as bytes of the code page. A character the code page cannot hold makes
  // the search text one that the document never contains.
  std::string FindText() const;
  bool MatchCase() const;

  QLineEdit* FindEdit = nullptr;
  QCheckBox* MatchCaseBox = nullptr;
  QPushButton* FindNextButton = nullptr;
  QPushButton* CancelButton = nullptr;

 signals:
  void FindNextClicked();

 protected:
  // The rows of fields and the column of buttons, for the Replace dialog to add to.
  QGridLayout* FFields = nullptr;
  QVBoxLayout* FButtons = nullptr;
  // The buttons that need a search text to act.
  void EnableSearchButtons();
};

class TReplaceDialog : public TFindDialog {
  Q_OBJECT
 public:
  explicit TReplaceDialog(QWidget* parent = nullptr);

  // A character the code page cannot hold becomes '?'.
  std::string ReplaceText() const;

  QLineEdit* ReplaceEdit = nullptr;
  QPushButton* ReplaceButton = nullptr;
  QPushButton* ReplaceAllButton = nullptr;

 signals:
  void ReplaceClicked();
  void ReplaceAllClicked();
};
