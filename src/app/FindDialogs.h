#pragma once
// The modeless Find and Replace dialogs of a document window. They offer the search text,
// Match case, and the Whole word, Wrap around and Regular expression options (all off at
// first, so the search runs down the document from the caret and stops at its end), and
// keep their texts and options while they are hidden. A regular expression that does not
// compile shows its error under the text and searches nothing. Every field has a label tied to it,
// and the tab order follows the layout. They only ask: the document window searches when a button
// signal arrives.
#include <QDialog>
#include <memory>
#include <string>

#include "editor/EditorSearch.h"

class QCheckBox;
class QGridLayout;
class QLabel;
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
  // The search text and all options, as the search takes them; a regular expression
  // compiled (no matcher when it does not compile).
  editorsearch::TSearchOptions Options() const;
  // Why the regular expression does not compile; empty when it does or is not asked for.
  QString PatternError() const;

  QLineEdit* FindEdit = nullptr;
  QCheckBox* MatchCaseBox = nullptr;
  QCheckBox* WholeWordBox = nullptr;
  QCheckBox* WrapAroundBox = nullptr;
  QCheckBox* RegexBox = nullptr;
  QLabel* ErrorLabel = nullptr;
  QPushButton* FindNextButton = nullptr;
  QPushButton* CancelButton = nullptr;

 signals:
  void FindNextClicked();
  // The search text or an option changed (each keystroke in the text).
  void SearchChanged();

 protected:
  // The rows of fields and the column of buttons, for the Replace dialog to add to.
  QGridLayout* FFields = nullptr;
  QVBoxLayout* FButtons = nullptr;
  // The buttons that need a search text to act.
  void EnableSearchButtons();

 private:
  // Compiles the pattern again when the text or an option changed, and shows its error.
  void Recompile();
  std::shared_ptr<const TTextMatcher> FMatcher;
  QString FPatternError;
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
