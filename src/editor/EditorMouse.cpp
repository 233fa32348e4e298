// The mouse: placing the caret, selecting by dragging (with auto-scroll outside the
// window), word and line selection by double click, and the pointer over the gutter.
#include <algorithm>

#include "editor/Completion.h"
#include "editor/RAEditor.h"
#include "util/RAStrUtil.h"

namespace {
// Pixels beyond the window edge from which the auto-scroll moves a page at a time.
constexpr int kFastScrollMargin = 20;

// Num / Den rounded to the nearest integer, halves to the even one (Den > 0).
int RoundHalfEven(int num, int den) {
  int q = num / den;
  int r = num % den;
  if (r < 0) {  // floor division, so that 0 <= r < den
    --q;
    r += den;
  }
  if (2 * r > den || (2 * r == den && (q & 1) != 0)) ++q;
  return q;
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string TrimRightBlanks(const std::string& s) {
  auto end = std::find_if_not(s.rbegin(), s.rend(), IsBlank);
  return std::string(s.begin(), end.base());
}

// Where a double click looks for its word: the caret column moved off blanks, towards the
// text on its right, or onto the last character when the caret is past the text. -1 for a
// blank line.
int WordCaretColumn(const std::string& line, int caretX) {
  const std::string trimmed = TrimRightBlanks(line);
  const int length = static_cast<int>(trimmed.size());
  if (length == 0) return -1;
  if (caretX >= length) return length - 1;  // the last character is never blank
  while (caretX < length && IsBlank(trimmed[caretX])) ++caretX;
  return caretX;
}

// A drag's selection starts at the press position, where the press put the caret, so the
// characters passed before the first move are selected too.
void AnchorDragSelection(TRACustomEditor& e) {
  if (!e.Selected()) e.SetSel(e.CaretX(), e.CaretY());
}

// The caret line with its line break; the last line up to its end.
void SelectCaretLine(TRACustomEditor& e) {
  const int y = e.CaretY();
  const auto caretHidden = e.CaretHidden();
  e.SetSel(0, y);
  if (y == e.Lines().Count() - 1) {
    const int end = static_cast<int>(e.Lines()[y].size());
    e.SetSel(end, y);
    e.SetCaret(end, y);
  } else {
    e.SetSel(0, y + 1);
    e.SetCaret(0, y + 1);
  }
}

// The word at the caret column of Line; the caret ends after it.
void SelectWordAtCaret(TRACustomEditor& e, const std::string& line) {
  const int y = e.CaretY();
  int beg = 0;
  int end = 0;
  const Locale& locale = e.Host().GetLocale();
  if (WordBoundsAtPos(line + ' ', e.CaretX() + 1, beg, end, locale).empty()) return;
  const auto caretHidden = e.CaretHidden();
  e.SetSel(beg - 1, y);
  e.SetSel(end - 1, y);
  e.SetCaret(end - 1, y);
}
}  // namespace

void TRACustomEditor::PixelToCell(int x, int y, int& col, int& row) const {
  // Before the first geometry there are no cells; everything maps to the first one.
  col = FCellWidth > 0 ? RoundHalfEven(x - (FGutterWidth + 2), FCellWidth) : 0;
  row = FCellHeight > 0 ? y / FCellHeight : 0;
}

void TRACustomEditor::PixelToCaret(int x, int y, int& col, int& row) const {
  PixelToCell(x, y, col, row);
  col = std::min(std::max(col, 0) + FLeftCol, FLastVisibleCol);
  row = std::min(std::max(row, 0) + FTopRow, FLines->Count() - 1);
}

void TRACustomEditor::SkipTrailByte(int& x, int y, int delta, TMbcsByteType byteType) const {
  if (x < 0 || y < 0 || y >= FLines->Count()) return;
  const std::string& line = FLines->Get(y);
  if (static_cast<size_t>(x) >= line.size()) return;
  if (LocaleRef().ByteType(line, static_cast<size_t>(x)) == byteType) x += delta;
}

void TRACustomEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (FSkipMouseDown) {
    FSkipMouseDown = false;
    return;
  }
  if (FCompletion->ListShown()) FCompletion->CloseList(false);
  int col = 0;
  int row = 0;
  PixelToCaret(x, y, col, row);
  row = std::max(row, 0);  // an empty text has only line 0
  SkipTrailByte(col, row, -1, TMbcsByteType::mbTrailByte);
  const bool left = button == TMouseButton::mbLeft;
  {
    const auto caretHidden = CaretHidden();
    if (left) {
      FSelBlockFormat = bfNonInclusive;
      Unselect();
    }
    FHost.TakeFocus();
    FHost.SetMouseCapture(true);
    if (left) SetCaret(col, row);
  }
  FMouseIsDown = true;
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TRACustomEditor::MouseMove(TShiftState shift, int x, int y) {
  if (FMouseIsDown && shift == ssLeft) {
    const auto caretHidden = CaretHidden();
    FMouseY = y;
    PixelToCaret(x, y, FMouseCol, FMouseRow);
    FMouseRow = std::max(FMouseRow, 0);
    SkipTrailByte(FMouseCol, FMouseRow, -1, TMbcsByteType::mbTrailByte);
    // Below the view the scroll timer moves the selection end.
    if (FMouseRow <= FLastVisibleRow) {
      AnchorDragSelection(*this);
      SetSel(FMouseCol, FMouseRow);
      SetCaret(FMouseCol, FMouseRow);
    }
    FScrollTimer->SetEnabled(y < 0 || y > FHost.ClientHeight());
  }
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TRACustomEditor::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  FScrollTimer->SetEnabled(false);
  FMouseIsDown = false;
  FHost.SetMouseCapture(false);
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TRACustomEditor::ScrollTimerTick() {
  const int height = FHost.ClientHeight();
  if (FMouseY >= 0 && FMouseY <= height) return;
  if (FMouseY < -kFastScrollMargin)
    FMouseRow -= FVisibleRowCount;
  else if (FMouseY < 0)
    FMouseRow -= 1;
  else if (FMouseY > height + kFastScrollMargin)
    FMouseRow += FVisibleRowCount;
  else
    FMouseRow += 1;
  FMouseRow = std::max(std::min(FMouseRow, FLines->Count() - 1), 0);
  const auto caretHidden = CaretHidden();
  AnchorDragSelection(*this);
  SetSel(FMouseCol, FMouseRow);
  SetCaret(FMouseCol, FMouseRow);
}

void TRACustomEditor::DblClick() {
  FSkipMouseDown = true;
  if (OnDblClick) OnDblClick(this);
  // Only a line of the text can be selected; the caret may stand below the last one.
  if (FCaretY >= FLines->Count()) return;
  if (FDoubleClickLine) {
    SelectCaretLine(*this);
    return;
  }
  const std::string& line = FLines->Get(FCaretY);
  const int x = WordCaretColumn(line, FCaretX);
  if (x < 0) return;
  FCaretX = x;  // no undo record and no system caret move: the selection follows at once
  SelectWordAtCaret(*this, line);
}

TCursorShape TRACustomEditor::CursorAt(int x) const {
  return x < FGutterWidth ? TCursorShape::Arrow : TCursorShape::IBeam;
}
