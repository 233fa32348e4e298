#pragma once
// The panels that show what the script model knows of the active document: its problems
// (severity, line, message) and its labels in script order under a filter field. Both
// show a copy taken when Refresh is called, so a script of a million lines costs one pass
// per refresh, not one per row drawn; Enter or a double click on a row asks to go there.
#include <QWidget>
#include <functional>
#include <vector>

#include "highlight/ScriptModel.h"

class QLineEdit;
class QTreeView;
class TScriptRows;

class TScriptPanel : public QWidget {
  Q_OBJECT
 public:
  // Goes to a line and column of the document the panel shows.
  using TGoTo = std::function<void(int line, int column)>;

  // Shows Model's facts (none when Model is null); GoTo answers a chosen row.
  void SetDocument(const TScriptModel* model, TGoTo goTo);
  // Takes the facts of the document again.
  virtual void Refresh() = 0;
  QTreeView& View() const { return *FView; }
  // The rows shown, in order, as "column 1|column 2|...": for tests and screen readers.
  QStringList RowTexts() const;

 protected:
  explicit TScriptPanel(QWidget* parent);
  void Activate(int row);
  const TScriptModel* FModel = nullptr;
  TGoTo FGoTo;
  TScriptRows* FRows = nullptr;
  QTreeView* FView = nullptr;
  // Line and column of each row.
  std::vector<std::pair<int, int>> FPlaces;
};

class TProblemsPanel final : public TScriptPanel {
  Q_OBJECT
 public:
  explicit TProblemsPanel(QWidget* parent = nullptr);
  void Refresh() override;
};

class TLabelsPanel final : public TScriptPanel {
  Q_OBJECT
 public:
  explicit TLabelsPanel(QWidget* parent = nullptr);
  void Refresh() override;
  QLineEdit& Filter() const { return *FFilter; }

 protected:
  // Enter in the filter field goes to the first label shown; Down goes into the list.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* FFilter = nullptr;
};
