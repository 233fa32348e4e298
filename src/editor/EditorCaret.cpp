// The caret, the view onto the text, scrolling, focus and bookmarks.
#include <algorithm>
#include <cstdlib>

#include "editor/Completion.h"
#include "editor/RAEditor.h"

namespace {
// Width of the system caret in pixels.
constexpr int kCaretWidth = 2;
}  // namespace

void TRACustomEditor::SetCaret(int x, int y) {
  if (x == FCaretX && y == FCaretY) return;
  Push<TCaretUndo>(this, FCaretX, FCaretY);
  SetCaretInternal(x, y);
  if (FUpdateLock == 0) StatusChanged();
}

void TRACustomEditor::SetCaretInternal(int x, int y) {
  if (x == FCaretX && y == FCaretY) return;
  if (!FCursorBeyondEOF) y = std::min(y, FLines->Count() - 1);
  y = std::max(y, 0);
  x = std::clamp(x, 0, MaxLineAttr);

  if (y < FTopRow)
    SetLeftTop(FLeftCol, y);
  else if (y > std::max(FLastVisibleRow, 0))
    SetLeftTop(FLeftCol, y - FVisibleRowCount + 1);
  if (x < FLeftCol)
    SetLeftTop(x, FTopRow);
  else if (x > FLastVisibleCol)
    SetLeftTop(x - FVisibleColCount + 1, FTopRow);

  // Under the update lock the closing EndUpdate places the system caret once.
  if (FHost.HasFocus() && FUpdateLock == 0) {
    const TRect cell = CellRect(x - FLeftCol, y - FTopRow);
    FHost.SetCaretPos(cell.Left - 1, cell.Top + 1);
  }
  const bool moved = x != FCaretX || y != FCaretY;
  FCaretX = x;
  FCaretY = y;
  if (moved && OnChangeStatus) OnChangeStatus(this);
}

void TRACustomEditor::PlaceSystemCaret() {
  if (!FHost.HasFocus()) return;
  const TRect cell = CellRect(FCaretX - FLeftCol, FCaretY - FTopRow);
  FHost.SetCaretPos(cell.Left - 1, cell.Top + 1);
}

void TRACustomEditor::PaintCaret(bool show) {
  if (!show) {
    FHost.HideCaret();
    return;
  }
  if (!FHost.HasFocus()) return;
  PlaceSystemCaret();
  FHost.ShowCaret();
}

void TRACustomEditor::SetLeftTop(int leftCol, int topRow) {
  // The view scrolls no further right than the caret can go: column MaxLineAttr is then
  // the last visible one.
  leftCol = std::clamp(leftCol, 0, std::max(MaxLineAttr - FVisibleColCount + 1, 0));
  topRow = std::max(topRow, 0);
  if (leftCol != FLeftCol) {
    FScrollBarHorz->SetPosition(leftCol);
    Scroll(false, leftCol);
  }
  if (topRow != FTopRow) {
    FScrollBarVert->SetPosition(topRow);
    Scroll(true, topRow);
  }
}

void TRACustomEditor::Scroll(bool vertical, int value) {
  if (FUpdateLock > 0) {
    (vertical ? FTopRow : FLeftCol) = value;
  } else {
    PaintCaret(false);
    if (vertical) {
      const int old = FTopRow;
      FTopRow = value;
      // Short moves keep the pixels already drawn; the gutter moves with the text.
      const long long dy = (static_cast<long long>(old) - value) * FCellHeight;
      if (std::llabs(dy) < FEditorClient->Height()) {
        const int top = FEditorClient->Top();
        const TRect area{0, top, FEditorClient->ClientRect().Right,
                         top + (FVisibleRowCount + 1) * FCellHeight};
        FHost.ScrollArea(area, static_cast<int>(dy));
      } else {
        FHost.Invalidate();
      }
      FHost.UpdateNow();
    } else {
      FLeftCol = value;
      FHost.Invalidate();
    }
  }
  FLastVisibleRow = FTopRow + FVisibleRowCount - 1;
  FLastVisibleCol = FLeftCol + FVisibleColCount - 1;
  if (FUpdateLock == 0) {
    PaintRightMargin();
    PaintCaret(true);
  }
  if (OnScroll) OnScroll(this);
}

void TRACustomEditor::ScrollToLine(int line) {
  if (line < FTopRow || line > FLastVisibleRow)
    SetLeftTop(FLeftCol, std::max(0, line - FVisibleRowCount / 2));
}

void TRACustomEditor::Bookmark(int index, bool toggle) {
  if (index < 0 || index >= static_cast<int>(FBookmarks.size())) return;
  TBookmark& mark = FBookmarks[index];
  if (toggle) {
    if (mark.Valid && mark.Y == FCaretY)
      mark.Valid = false;
    else
      mark = TBookmark{FCaretX, FCaretY, true};
  } else if (mark.Valid) {
    const bool rowVisible = mark.Y >= FTopRow && mark.Y <= FLastVisibleRow;
    const bool colVisible = mark.X >= FLeftCol && mark.X <= FLastVisibleCol;
    SetLeftTop(colVisible ? FLeftCol : mark.X - FVisibleColCount / 2,
               rowVisible ? FTopRow : mark.Y - FVisibleRowCount / 2);
    SetCaret(mark.X, mark.Y);
  }
  BookmarkChanged(index);
}

void TRACustomEditor::HandleScrollRequest(bool vertical, int code) {
  (vertical ? FScrollBarVert : FScrollBarHorz)->DoScroll(code & 0x7F);
}

void TRACustomEditor::MouseWheel(int delta) {
  const int lines = delta / 40;  // one notch of 120 is three lines
  FScrollBarVert->SetPosition(FScrollBarVert->Position() - lines);
  Scroll(true, FScrollBarVert->Position());
}

void TRACustomEditor::FocusIn() {
  FHost.CreateCaret(kCaretWidth, FCellHeight - 2);
  PaintCaret(true);
}

void TRACustomEditor::FocusOut() {
  if (FCompletion->ListShown()) FCompletion->CloseList(false);
  FHost.DestroyCaret();
}
