#include "support/FakeListBox.h"

#include <algorithm>

void FakeListBox::SetTopIndex(int index) {
  FTopIndex = std::clamp(index, 0, std::max(static_cast<int>(FRows.size()) - 1, 0));
}

bool FakeListBox::HasScrollBar() const {
  return FRowHeight > 0 && static_cast<int>(FRows.size()) * FRowHeight > ClientHeight();
}

int FakeListBox::ClientWidth() const {
  const int inner = FBounds.Width() - 2 * Border.X - (HasScrollBar() ? ScrollBarWidth : 0);
  return std::max(inner, 0);
}

void FakeListBox::PaintRows() {
  if (!OnDrawItem || FRowHeight <= 0) return;
  const TFont own{"Sans", 13, 0, clWindowText};
  for (int i = FTopIndex, y = 0; i < static_cast<int>(FRows.size()) && y < ClientHeight();
       ++i, y += FRowHeight) {
    const bool selected = i == FItemIndex;
    TFont font = own;
    font.Color = selected ? clHighlightText : clWindowText;
    Canvas.SetFont(font);
    Canvas.SetBrushColor(selected ? clHighlight : clWindow);
    OnDrawItem(Canvas, i, TRect::FromSize(0, y, ClientWidth(), FRowHeight),
               selected ? odSelected : 0);
  }
}

void FakeListBox::Press(TMouseButton button, int x, int y) {
  if (button == TMouseButton::mbLeft) LeftDown = true;
  if (OnMouseDown) OnMouseDown(button, LeftDown ? ssLeft : 0, x, y);
}

void FakeListBox::Move(int x, int y) {
  if (OnMouseMove) OnMouseMove(LeftDown ? ssLeft : 0, x, y);
}

void FakeListBox::Release(TMouseButton button, int x, int y) {
  if (button == TMouseButton::mbLeft) LeftDown = false;
  if (OnMouseUp) OnMouseUp(button, 0, x, y);
}
