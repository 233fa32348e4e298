#include "editor/CompletionList.h"

#include <algorithm>

#include "editor/Commands.h"
#include "editor/Completion.h"
#include "editor/RAEditor.h"
#include "util/RAStrUtil.h"

namespace {
constexpr int kScrollInterval = 200;     // ms, pointer just above or below the list
constexpr int kFastScrollInterval = 50;  // ms, pointer more than a row beyond an edge
constexpr int kTextMargin = 3;           // px, left of a row's text and right of its name
}  // namespace

TRAEditorCompletionList::TRAEditorCompletionList(TRACustomEditor* editor, TCompletion* completion)
    : FEditor(editor), FCompletion(completion), FBox(editor->Host().CreateListBox()) {
  FBox->SetRowHeight(13);
  FScrollTimer = editor->Host().CreateTimer();
  FScrollTimer->SetEnabled(false);
  FScrollTimer->SetInterval(kScrollInterval);
  FScrollTimer->OnTimer = [this] { ScrollTimerTick(); };
  FBox->OnDrawItem = [this](Canvas& canvas, int index, const TRect& rect, TOwnerDrawState state) {
    DrawItem(canvas, index, rect, state);
  };
  FBox->OnMouseDown = [this](TMouseButton button, TShiftState, int x, int y) {
    MouseDown(button, x, y);
  };
  FBox->OnMouseMove = [this](TShiftState, int x, int y) { MouseMove(x, y); };
  FBox->OnMouseUp = [this](TMouseButton button, TShiftState, int x, int y) {
    MouseUp(button, x, y);
  };
  FBox->OnCancelMode = [this] { FCompletion->CloseList(false); };
}

TRAEditorCompletionList::~TRAEditorCompletionList() {
  FScrollTimer.reset();
  FBox.reset();
}

void TRAEditorCompletionList::SetRows(const std::vector<std::string>& rows) {
  FBox->SetRows(rows);
  FBox->SetTopIndex(0);
}

void TRAEditorCompletionList::SetItemIndex(int index) {
  FBox->SetItemIndex(index);
  EnsureVisible(index);
}

// ---- placement ----

void TRAEditorCompletionList::OpenAtCaret() {
  const TCompletion& c = *FCompletion;
  const TRACustomEditor& e = *FEditor;
  const TPoint border = FBox->BorderSize();
  const TRect cell = e.CellRect(e.CaretX() - e.LeftCol(), e.CaretY() - e.TopRow() + 1);
  const TPoint origin = e.Host().ClientToScreen({0, 0});
  const int left = cell.Left + origin.X - 2 * border.X;
  const int top = cell.Top + origin.Y - border.Y;
  const int rows = std::min(static_cast<int>(Rows().size()), c.DropDownCount());
  const int height = c.ItemHeight() * rows + 2;
  int y = top;
  if (top + height > e.Host().ScreenSize().Y) {
    // No room below: the list opens above the caret's line.
    y = top - height - e.CellHeight() + 1;
    if (y < 0) y = top;
  }
  const int width =
      c.DropDownWidth() == 0 ? e.Host().WindowWidth() + 2 * border.X : c.DropDownWidth();
  FBox->SetBounds(TRect::FromSize(left, y, width, height));
  EnsureVisible(ItemIndex());
  FBox->ShowNoActivate();
}

void TRAEditorCompletionList::Hide() {
  FScrollTimer->SetEnabled(false);
  FBox->SetMouseCapture(false);
  FBox->Hide();
}

// ---- keys ----

void TRAEditorCompletionList::KeyDown(uint16_t key) {
  const int count = static_cast<int>(Rows().size());
  if (count == 0) return;
  const int current = ItemIndex();
  const int page = std::max(VisibleRows(), 1);
  int next = current;
  switch (key) {
    case VK_UP:
      next = current - 1;
      break;
    case VK_DOWN:
      next = current + 1;
      break;
    case VK_PRIOR:
      next = current - page;
      break;
    case VK_NEXT:
      next = current + page;
      break;
    default:
      return;
  }
  // Without a selected row every key selects the first row.
  if (current < 0) next = 0;
  SetItemIndex(std::clamp(next, 0, count - 1));
}

// ---- rows ----

void TRAEditorCompletionList::DrawItem(Canvas& canvas, int index, const TRect& rect,
                                       TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(*this, canvas, index, rect, state);
    return;
  }
  canvas.FillRect(rect);
  if (index < 0 || index >= static_cast<int>(Rows().size())) return;
  const std::string& item = Rows()[index];
  const std::string& separator = FCompletion->Separator();
  canvas.TextOut(rect.Left + kTextMargin, rect.Top, FieldAt(item, 1, separator), nullptr, &rect);
  if (FCompletion->Mode() != TCompletion::cmTemplates) return;
  TFont bold = canvas.Font();
  bold.Style |= fsBold;
  canvas.SetFont(bold);
  const std::string name = FieldAt(item, 0, separator);
  const int x = rect.Right - 2 * kTextMargin - canvas.TextWidth(name);
  canvas.TextOut(x, rect.Top, name, nullptr, &rect);
}

int TRAEditorCompletionList::VisibleRows() const {
  return RowHeight() > 0 ? FBox->ClientHeight() / RowHeight() : 0;
}

int TRAEditorCompletionList::RowAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= FBox->ClientWidth() || y >= FBox->ClientHeight()) return -1;
  if (RowHeight() <= 0) return -1;
  const int row = TopIndex() + y / RowHeight();
  return row < static_cast<int>(Rows().size()) ? row : -1;
}

void TRAEditorCompletionList::ScrollTo(int top) {
  const int last = std::max(static_cast<int>(Rows().size()) - VisibleRows(), 0);
  FBox->SetTopIndex(std::clamp(top, 0, last));
}

void TRAEditorCompletionList::EnsureVisible(int index) {
  if (index < 0) return;
  const int visible = std::max(VisibleRows(), 1);
  if (index < TopIndex()) {
    ScrollTo(index);
  } else if (index >= TopIndex() + visible) {
    ScrollTo(index - visible + 1);
  }
}

// ---- mouse ----

void TRAEditorCompletionList::MouseDown(TMouseButton, int x, int y) {
  FBox->SetMouseCapture(true);
  const int row = RowAt(x, y);
  if (row >= 0) FBox->SetItemIndex(row);
}

void TRAEditorCompletionList::MouseMove(int x, int y) {
  FMouseY = y;
  // Only a drag with the left button selects; hovering changes nothing.
  if (!FBox->LeftButtonDown()) return;
  const int row = RowAt(x, y);
  if (row >= 0) FBox->SetItemIndex(row);
  const int height = FBox->ClientHeight();
  const int rowHeight = RowHeight();
  FScrollTimer->SetEnabled(y < 0 || y > height);
  const bool farOut = y < -rowHeight || y > height + rowHeight;
  FScrollTimer->SetInterval(farOut ? kFastScrollInterval : kScrollInterval);
}

void TRAEditorCompletionList::ScrollTimerTick() {
  if (FMouseY < 0) {
    ScrollTo(TopIndex() - 1);
  } else if (FMouseY > FBox->ClientHeight()) {
    ScrollTo(TopIndex() + 1);
  }
}

void TRAEditorCompletionList::MouseUp(TMouseButton button, int x, int y) {
  FBox->SetMouseCapture(false);
  FScrollTimer->SetEnabled(false);
  const bool inside = x >= 0 && y >= 0 && x < FBox->ClientWidth() && y < FBox->ClientHeight();
  FCompletion->CloseList(button == TMouseButton::mbLeft && inside);
}
