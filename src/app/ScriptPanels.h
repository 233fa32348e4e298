#pragma once
// The panels that show what the script model knows of the active document: its problems
// (severity, line, message) and its labels in script order under a filter field. Both
// show a copy taken when Refresh is called, so a script of a million lines costs one pass
// per refresh, not one per row drawn; Enter or a double click on a row asks to go there,
// Escape asks to go back to the document.
#include <QWidget>
#include <utility>
#include <vector>

#include "highlight/ScriptModel.h"

class QLineEdit;
class QTreeView;
class TScriptRows;

class TScriptPanel : public QWidget {
  Q_OBJECT
 public:
  // Takes the facts of Model (none when it is null).
  virtual void Refresh(const TScriptModel* model) = 0;
  QTreeView& View() const { return *FView; }
  // The rows shown, in order, as "column 1|column 2|...": for tests and screen readers.
  QStringList RowTexts() const;
  // Asks for the place of row Row, as Enter and a double click do.
  void Activate(int row);

 signals:
  // A row was chosen: the document's caret goes to Line and Column (0-based).
  void Activated(int line, int column);
  // Escape: the keyboard focus goes back to the document.
  void Dismissed();

 protected:
  explicit TScriptPanel(QWidget* parent);
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Shows Rows under Headers, each row at the place beside it.
  void SetRows(QStringList headers, std::vector<QStringList> rows,
               std::vector<std::pair<int, int>> places);
  TScriptRows* FRows = nullptr;
  QTreeView* FView = nullptr;

 private:
  // Line and column of each row.
  std::vector<std::pair<int, int>> FPlaces;
};

class TProblemsPanel final : public TScriptPanel {
  Q_OBJECT
 public:
  explicit TProblemsPanel(QWidget* parent = nullptr);
  void Refresh(const TScriptModel* model) override;
};

class TLabelsPanel final : public TScriptPanel {
  Q_OBJECT
 public:
  explicit TLabelsPanel(QWidget* parent = nullptr);
  // Refreshes with the labels whose name holds the filter's text, ignoring case.
  void Refresh(const TScriptModel* model) override;
  QLineEdit& Filter() const { return *FFilter; }

 protected:
  // Enter in the filter field goes to the first label shown; Down goes into the list.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Shows the labels of the last refresh that pass the filter.
  void ShowFiltered();

  QLineEdit* FFilter = nullptr;
  std::vector<TScriptPlace> FLabels;
};
