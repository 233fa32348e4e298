#pragma once
// The drop-down list of one editor's completion: placed in the cell under the caret,
// moved by the keys the completion forwards, selecting with the mouse, scrolling itself
// while the mouse drags past its edges, and closing the list when the mouse is released.
// Its window is a platform list box made by the editor's host.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/Completion.h"
#include "platform/Canvas.h"
#include "platform/ListBox.h"
#include "platform/Timer.h"

class TRAEditorCompletionList {
 public:
  TRAEditorCompletionList(TRACustomEditor* editor, TCompletion* completion);
  ~TRAEditorCompletionList();
  TRAEditorCompletionList(const TRAEditorCompletionList&) = delete;
  TRAEditorCompletionList& operator=(const TRAEditorCompletionList&) = delete;

  // Set by the completion before the list opens.
  void SetRows(const std::vector<std::string>& rows);
  const std::vector<std::string>& Rows() const { return FBox->Rows(); }
  void SetRowHeight(int pixels) { FBox->SetRowHeight(pixels); }
  int RowHeight() const { return FBox->RowHeight(); }
  void SetStyle(TListBoxStyle style) { FStyle = style; }
  TListBoxStyle Style() const { return FStyle; }
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  // The selected row, -1 for none; setting one scrolls it into view.
  int ItemIndex() const { return FBox->ItemIndex(); }
  void SetItemIndex(int index);
  int TopIndex() const { return FBox->TopIndex(); }

  // Places the list under the caret (above the caret's line near the screen's bottom)
  // and shows it without taking the focus.
  void OpenAtCaret();
  void Hide();
  bool Visible() const { return FBox->Visible(); }
  // Page Up, Page Down, Up and Down move the selection.
  void KeyDown(uint16_t key);

  ListBox& Window() const { return *FBox; }
  const Timer& ScrollTimer() const { return *FScrollTimer; }
  int MouseY() const { return FMouseY; }

 private:
  void DrawItem(Canvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
  void MouseDown(TMouseButton button, int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(TMouseButton button, int x, int y);
  void ScrollTimerTick();
  // The row under a client point, -1 when there is none.
  int RowAt(int x, int y) const;
  int VisibleRows() const;
  void ScrollTo(int top);
  void EnsureVisible(int index);

  TRACustomEditor* FEditor;
  TCompletion* FCompletion;
  std::unique_ptr<ListBox> FBox;
  std::unique_ptr<Timer> FScrollTimer;
  TListBoxStyle FStyle = lbOwnerDrawFixed;
  int FMouseY = 0;
};
