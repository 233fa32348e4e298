// The selection model and the conversion between caret positions and text offsets.
#include <algorithm>

#include "editor/RAEditor.h"
#include "editor/TextInsertion.h"

void TRACustomEditor::SetSel(int x, int y) {
  Push<TSelectUndo>(this, FCaretX, FCaretY, FSelected, FSelBlockFormat, FSelBegX, FSelBegY,
                    FSelEndX, FSelEndY);
  if (FSelected) {
    FSelUpdBegY = FSelBegY;
    FSelUpdEndY = FSelEndY;
    FSelBegY = std::min(y, FSelAnchorY);
    FSelEndY = std::max(y, FSelAnchorY);
    const bool column = FSelBlockFormat == bfColumn;
    // Both rules apply in turn, so the second decides when (X, Y) is the anchor itself.
    if (y < FSelAnchorY || (y == FSelAnchorY && x <= FSelAnchorX)) {
      FSelBegX = x;
      FSelEndX = FSelAnchorX;
      if (column && FSelAnchorX < x) std::swap(FSelBegX, FSelEndX);
    }
    if (y > FSelAnchorY || (y == FSelAnchorY && x >= FSelAnchorX)) {
      FSelBegX = FSelAnchorX;
      FSelEndX = x;
      if (column && x < FSelAnchorX) std::swap(FSelBegX, FSelEndX);
    }
  } else {
    FSelAnchorX = FSelBegX = FSelEndX = x;
    FSelAnchorY = FSelBegY = FSelEndY = y;
  }
  FSelected = true;
  if (FCompoundLevel == 0) RepaintSelectionChange();
  FSelUpdBegY = std::min(FSelUpdBegY, FSelBegY);
  FSelUpdEndY = std::max(FSelUpdEndY, FSelEndY);
}

void TRACustomEditor::RepaintSelectionChange() {
  // PaintLine draws nothing outside the view, so the ranges are cut to it.
  const int firstVisible = FTopRow;
  const int lastVisible = FTopRow + FVisibleRowCount;
  auto paintRange = [&](int a, int b) {
    const int from = std::max(std::min(a, b), firstVisible);
    const int to = std::min(std::max(a, b), lastVisible);
    for (int line = from; line <= to; ++line) PaintLine(line, -1, -1);
  };
  if (FSelBlockFormat == bfColumn) {
    if (FSelUpdBegY < FSelBegY) paintRange(FSelUpdBegY, FSelBegY);
    paintRange(FSelBegY, FSelEndY);
    if (FSelEndY < FSelUpdEndY) paintRange(FSelEndY, FSelUpdEndY);
  } else {
    paintRange(FSelUpdBegY, FSelBegY);
    paintRange(FSelUpdEndY, FSelEndY);
  }
  SelectionChanged();
  if (OnSelectionChange) OnSelectionChange(this);
}

void TRACustomEditor::Unselect() {
  if (!FSelected) return;
  Push<TUnselectUndo>(this, FCaretX, FCaretY, true, FSelBlockFormat, FSelBegX, FSelBegY, FSelEndX,
                      FSelEndY);
  FSelected = false;
  PaintSelectionLines();
}

void TRACustomEditor::SetSelStart(int pos) {
  // An offset outside the text would put the selection and the caret at (-1, -1).
  pos = std::clamp(pos, 0, FLines->TextLength());
  FSelected = true;
  CaretFromPos(pos, FSelBegX, FSelBegY);
  SetCaretInternal(FSelBegX, FSelBegY);
  SetSelLength(0);
  ScrollToLine(FSelBegY);
}

void TRACustomEditor::SetSelLength(int len) {
  // Counted from the caret's offset (the end of the text for a caret below it) and kept
  // inside the text.
  const int end = std::clamp(textinsertion::CaretOffset(*this) + len, 0, FLines->TextLength());
  FSelected = len > 0;
  CaretFromPos(end, FSelEndX, FSelEndY);
  FSelUpdBegY = FSelBegY;
  FSelUpdEndY = FSelEndY;
  SetCaretInternal(FSelEndX, FSelEndY);
  FHost.Invalidate();
}

int TRACustomEditor::PosFromCaret(int x, int y) const {
  if (y < 0 || y >= FLines->Count()) return -1;
  const int length = static_cast<int>(FLines->Get(y).size());
  return FLines->LineOffset(y) + std::clamp(x, 0, length);
}

void TRACustomEditor::CaretFromPos(int pos, int& x, int& y) const {
  const int textLength = FLines->TextLength();
  if (pos < 0 || pos > textLength) {
    x = y = -1;
    return;
  }
  // After the final line break the caret stands on the line below the text.
  if (pos == textLength) {
    x = 0;
    y = FLines->Count();
    return;
  }
  y = FLines->LineAtOffset(pos);
  // An offset inside a line break counts as the end of its line.
  x = std::min(pos - FLines->LineOffset(y), static_cast<int>(FLines->Get(y).size()));
}

TSelBlockFormat TRACustomEditor::EffectiveBlockFormat(TSelBlockFormat format) const {
  return format == bfInclusive || format == bfColumn ? format : bfNonInclusive;
}
