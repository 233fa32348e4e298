#include <algorithm>

#include "editor/RAEditor.h"
#include "util/Errors.h"

// ---- character-cell geometry ----

void TRACustomEditor::UpdateEditorSize() {
  Canvas& canvas = FEditorClient->GetCanvas();
  canvas.SetFont(FFont);
  FCellHeight = canvas.TextHeight("W") + 1;
  // A font that measures zero wide would make every column division fail; one pixel
  // keeps the grid usable.
  FCellWidth = std::max(canvas.TextWidth("WW") / 2, 1);
  FCharWidths.fill(FCellWidth);
  FVisibleColCount = FEditorClient->Width() / FCellWidth;
  FVisibleRowCount = std::max(FEditorClient->Height() / FCellHeight, 0);
  FLastVisibleCol = FLeftCol + FVisibleColCount - 1;
  FLastVisibleRow = FTopRow + FVisibleRowCount - 1;
  SetMaxScrollV(FLines->Count());
  SetMaxScrollH(256);
  FScrollBarHorz->SetPage(FVisibleColCount);
  FScrollBarVert->SetPage(FVisibleRowCount);
  FScrollBarHorz->SetLargeChange(std::max(FVisibleColCount, 1));
  FScrollBarVert->SetLargeChange(std::max(FVisibleRowCount, 1));
  FScrollBarVert->SetMax(std::max(1, FMaxScrollV + FVisibleRowCount - 2));
  // Under the update lock the closing EndUpdate paints everything.
  if (FUpdateLock == 0) FGutter->Paint();
}

void TRACustomEditor::SetMaxScrollH(int n) {
  if (n == FMaxScrollH) return;
  FMaxScrollH = std::max(n, 1);
  FScrollBarHorz->SetMax(FMaxScrollH - 1);
}

void TRACustomEditor::SetMaxScrollV(int n) {
  if (n == FMaxScrollV) return;
  FMaxScrollV = std::max(n, 1);
  FScrollBarVert->SetMax(std::max(1, FMaxScrollV + FVisibleRowCount - 2));
}

void TRACustomEditor::Resize() {
  UpdateEditorSize();
  if (OnResize) OnResize(this);
}

// ---- text area ----

int TEditorClient::Left() const {
  return FEditor->GutterWidth() + 2;
}

int TEditorClient::Width() const {
  return std::max(FEditor->Host().ClientWidth() - Left(), 0);
}

int TEditorClient::Height() const {
  return std::max(FEditor->Host().ClientHeight(), 0);
}

TRect TEditorClient::ClientRect() const {
  return TRect::FromSize(Left(), Top(), Width(), Height());
}

TRect TEditorClient::EditorRect() const {
  return TRect::FromSize(0, 0, Width(), Height());
}

Canvas& TEditorClient::GetCanvas() const {
  return FEditor->Host().GetCanvas();
}

// ---- scroll bar objects ----

namespace {
constexpr const char* kScrollRangeError = "Scrollbar property out of range";

void CheckRange(int min, int max, int page) {
  if (max < min || page < 0) throw ERangeError(kScrollRangeError);
}
}  // namespace

void TRAControlScrollBar95::SetLargeChange(int value) {
  if (value < 1 || value > 32767) throw ERangeError("Range check error");
  FLargeChange = static_cast<uint16_t>(value);
}

void TRAControlScrollBar95::SetPosition(int value) {
  FPosition = value;
  Apply();
}

void TRAControlScrollBar95::SetMin(int value) {
  SetParams(value, FMax);
}

void TRAControlScrollBar95::SetMax(int value) {
  SetParams(FMin, value);
}

void TRAControlScrollBar95::SetPage(int value) {
  // Checked before storing, so a refused value leaves the bar as it was.
  CheckRange(FMin, FMax, value);
  FPage = value;
  Apply();
}

void TRAControlScrollBar95::SetParams(int min, int max) {
  CheckRange(min, max, FPage);
  FMin = min;
  FMax = max;
  Apply();
}

void TRAControlScrollBar95::Apply() {
  FPosition = std::clamp(FPosition, FMin, FMax);
  if (Handle) Handle->SetScrollBar(Kind, FMin, FMax, FPage, FPosition);
}

void TRAControlScrollBar95::DoScroll(int code) {
  code &= 0x7F;
  // Wide arithmetic: a step from a position near the integer limits must not overflow.
  long long target = FPosition;
  switch (code) {
    case 0:
      target -= SmallChange;
      break;
    case 1:
      target += SmallChange;
      break;
    case 2:
      target -= FLargeChange;
      break;
    case 3:
      target += FLargeChange;
      break;
    case 4:
    case 5:
      target = Handle ? Handle->ScrollTrackPosition(Kind) : FPosition;
      break;
    case 6:
      target = FMin;
      break;
    case 7:
      target = FMax;
      break;
    default:
      break;
  }
  int pos = static_cast<int>(std::clamp<long long>(target, FMin, FMax));
  if (OnScroll) OnScroll(this, code, pos);
  SetPosition(pos);
}
