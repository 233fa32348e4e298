#pragma once
// What assistive technology sees of the completion list: a list whose rows are its
// items and whose current item follows the selected row. The list never takes the
// keyboard focus, so the row becoming current is reported as the accessible focus moving
// to it: a screen reader announces it while the editor keeps typing.
#include <QAccessibleWidget>
#include <vector>

class QtListBox;

class CompletionListAccessible : public QAccessibleWidget {
 public:
  explicit CompletionListAccessible(QtListBox* list);
  ~CompletionListAccessible() override;
  // Makes Qt create this interface for every completion list (once per process).
  static void InstallFactory();
  // Calls from the list: new rows, a new selected row.
  static void RowsChanged(QtListBox* list);
  static void CurrentRowChanged(QtListBox* list);

  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

 private:
  QtListBox* List() const;
  void DropRows() const;

  mutable std::vector<QAccessible::Id> FRows;
};
