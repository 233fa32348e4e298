#pragma once
// What assistive technology sees of an editor widget: editable text named after its
// document, with the caret, the selection, character geometry, the colours the
// highlighter paints, and editing that runs through the control's own operations (so it
// is undoable and refused while the control is read-only). Offsets are those of
// AccessibleTextMap: the lines joined by "\n".
#include <QAccessibleWidget>

#include "qt/AccessibleTextMap.h"

class EditorWidget;
class TRACustomEditor;

class EditorAccessible : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface {
 public:
  explicit EditorAccessible(EditorWidget* widget);
  // Makes Qt create this interface for every editor widget (once per process).
  static void InstallFactory();

  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;

  // ---- QAccessibleTextInterface ----
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                           int* endOffset) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                          int* endOffset) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                       int* endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

  // ---- QAccessibleEditableTextInterface ----
  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int startOffset, int endOffset, const QString& text) override;

 private:
  EditorWidget* Widget() const;
  TRACustomEditor& Editor() const;
  AccessibleTextMap Map() const;
  // Runs a change of the caret, selection or text through the widget's guard, then lets
  // the widget report what changed.
  template <typename F>
  void Change(F&& change);
  // Selects [Start, End) as a stream, the caret at End.
  void Select(int start, int end);
  bool Editable() const;
  QString Unit(AccessibleTextMap::Range r, int* startOffset, int* endOffset) const;
};
