#include <algorithm>

#include "editor/CommandBrackets.h"
#include "editor/RAEditor.h"

namespace {
constexpr TColor kGutterShadow = clGray;

// Draws a vertical line from Top to Bottom at X with the canvas's current pen.
void VerticalLine(Canvas& canvas, int x, int top, int bottom) {
  canvas.MoveTo(x, top);
  canvas.LineTo(x, bottom);
}

// Gives columns A..B of a line the selection colours; the array bounds limit the range.
void MarkColumns(TLineAttrs& attrs, int a, int b, TColor fore, TColor back) {
  const int first = std::max(a + 1, 0);
  const int last = std::min(b + 1, MaxLineAttr);
  for (int i = first; i <= last; ++i) {
    attrs[i].ForeColor = fore;
    attrs[i].BackColor = back;
  }
}
}  // namespace

// ---- whole paint ----

void TRACustomEditor::Paint() {
  if (FUpdateLock > 0) return;
  // Before the first geometry there is no cell grid to paint into.
  if (FCellWidth <= 0 || FCellHeight <= 0) return;
  PaintCaret(false);
  TRect r = FEditorClient->GetCanvas().ClipRect();
  r.Left -= FGutterWidth;
  r.Right -= FGutterWidth;
  if (FPaintAll) r = FEditorClient->EditorRect();
  const int firstCol = r.Left / FCellWidth - 1;
  const int lastCol = r.Right / FCellWidth + 1;
  // Rows outside 0..VisibleRowCount are never drawn by PaintLine.
  const int firstRow = std::max(r.Top / FCellHeight, 0);
  const int lastRow = std::min(r.Bottom / FCellHeight + 1, FVisibleRowCount);
  {
    // Every row would redraw the margin over itself; drawing it once after all rows
    // leaves the same pixels.
    struct PaintScope {
      bool& Flag;
      explicit PaintScope(bool& flag) : Flag(flag) { Flag = true; }
      ~PaintScope() { Flag = false; }
    } scope(FInPaint);
    FPaintTop = firstRow * FCellHeight;
    FPaintBottom = (lastRow + 1) * FCellHeight;
    for (int row = firstRow; row <= lastRow; ++row)
      PaintLine(FTopRow + row, FLeftCol + firstCol, FLeftCol + lastCol);
    if (firstRow <= lastRow) {
      PaintRightMargin();
      FGutter->Paint();
    }
  }
  PaintCaret(true);
  FPaintAll = false;
}

void TRACustomEditor::PaintSelectionLines() {
  const int first = std::max(FSelUpdBegY, FTopRow);
  const int last = std::min(FSelUpdEndY, FTopRow + FVisibleRowCount);
  for (int line = first; line <= last; ++line) PaintLine(line, -1, -1);
}

TRect TRACustomEditor::CellRect(int col, int row) const {
  return TRect::FromSize(FGutterWidth + 2 + col * FCellWidth + 1, row * FCellHeight, FCellWidth,
                         FCellHeight);
}

// ---- one line ----

void TRACustomEditor::PaintLine(int line, int colBeg, int colEnd) {
  if (line < FTopRow || line > FTopRow + FVisibleRowCount) return;
  const int rightEdge = FLeftCol + FVisibleColCount;
  colBeg = std::max(colBeg, FLeftCol);
  if (colEnd < 0 || colEnd > rightEdge) colEnd = rightEdge;
  colEnd = std::min(colEnd, MaxLineAttr - 1);

  Canvas& canvas = FEditorClient->GetCanvas();
  const int row = line - FTopRow;
  int col = colBeg;
  if (line >= 0 && line < FLines->Count()) {
    // A range that starts right of column 1023 has no text to draw, only background.
    if (colBeg <= colEnd) col = PaintLineRuns(line, colBeg, colEnd);
  } else {
    canvas.SetBrushColor(FColor);
    canvas.FillRect(TRect::FromSize(FEditorClient->Left(), row * FCellHeight, 1, FCellHeight));
  }

  // The rest of the row; a selected line break shows as selected background.
  const bool breakSelected =
      FSelected && FSelBlockFormat != bfColumn && FSelBegY <= line && line < FSelEndY;
  const int cells = rightEdge - col + 2;
  if (cells > 0) {
    canvas.SetBrushColor(breakSelected ? FSelBackColor : FColor);
    const TRect c = CellRect(col - FLeftCol, row);
    canvas.FillRect(TRect::FromSize(c.Left, c.Top, cells * FCellWidth, FCellHeight));
  }
  if (!FInPaint) PaintRightMargin();
}

// Draws the runs of equal attributes of an existing line from ColBeg (0 <= ColBeg <=
// ColEnd <= 1023); returns the column where drawing stopped.
int TRACustomEditor::PaintLineRuns(int line, int colBeg, int colEnd) {
  FPaintLineText.assign(FLines->View(line));
  GetLineAttr(FPaintLineText, line, colBeg, colEnd);

  // The one-pixel strip left of the first cell takes the first visible column's
  // background. Its element is only this line's when the painted range reaches it.
  if (colBeg <= FLeftCol + 1 && FLeftCol <= colEnd) {
    Canvas& canvas = FEditorClient->GetCanvas();
    canvas.SetBrushColor(FLineAttrs[FLeftCol + 1].BackColor);
    canvas.FillRect(
        TRect::FromSize(FEditorClient->Left(), (line - FTopRow) * FCellHeight, 1, FCellHeight));
  }

  // Column ColEnd is drawn too, also when it starts a run of its own.
  int col = colBeg;
  while (col <= colEnd) {
    const int first = col + 1;
    const TLineAttr& attr = FLineAttrs[first];
    int next = first + 1;
    while (next <= colEnd + 1 && FLineAttrs[next] == attr) ++next;
    PaintRun(line, col, next - first, attr);
    col = next - 1;
  }
  return col;
}

// Draws Length cells of FPaintLineText from column Col in one text call.
void TRACustomEditor::PaintRun(int line, int col, int length, const TLineAttr& attr) {
  Canvas& canvas = FEditorClient->GetCanvas();
  const std::string& s = FPaintLineText;
  canvas.SetBrushColor(attr.BackColor);
  if (const TFont& current = canvas.Font();
      current.Color != attr.ForeColor || current.Style != attr.Style ||
      current.Height != FFont.Height || current.Name != FFont.Name) {
    TFont font = FFont;
    font.Color = attr.ForeColor;
    font.Style = attr.Style;
    canvas.SetFont(font);
  }

  const TRect c = CellRect(col - FLeftCol, line - FTopRow);
  const int width = length * FCellWidth;
  // The text covers only the font's height; the cell's bottom pixel row is filled here.
  canvas.FillRect(TRect::FromSize(c.Left, c.Bottom - 1, width, 1));

  // A run that starts on the second byte of a double-byte character is drawn with its
  // lead byte one cell to the left, clipped to the run's own cells: the first run of the
  // painted range, and any run after a change of colour inside the character (a
  // selection or a token that ends between its bytes), whose two halves then show the
  // one glyph in their own colours.
  const bool trail = col > 0 && col < static_cast<int>(s.size()) &&
                     LocaleRef().IsTrailByte(s, static_cast<size_t>(col));
  std::string& text = FPaintRunText;
  text.clear();
  if (trail) text.push_back(s[col - 1]);
  const int size = static_cast<int>(s.size());
  const int inLine = std::clamp(size - col, 0, length);
  text.append(s, static_cast<size_t>(std::min(col, size)), static_cast<size_t>(inLine));
  text.append(static_cast<size_t>(length - inLine), ' ');
  // Likewise a run that ends on a lead byte takes the second byte along, clipped.
  const int end = col + length;
  const bool lead = end < size && text.size() < FCharWidths.size() &&
                    LocaleRef().IsLeadByte(s, static_cast<size_t>(end - 1));
  if (lead) text.push_back(s[end]);

  if (trail || lead) {
    const TRect clip = TRect::FromSize(c.Left, c.Top, width, c.Height());
    canvas.TextOut(trail ? c.Left - FCellWidth : c.Left, c.Top, text, FCharWidths.data(), &clip);
  } else {
    canvas.TextOut(c.Left, c.Top, text, FCharWidths.data(), nullptr);
  }
}

void TRACustomEditor::PaintRightMargin() {
  if (!FRightMarginVisible) return;
  if (FLeftCol >= FRightMargin || FRightMargin >= FLastVisibleCol + 3) return;
  Canvas& canvas = FEditorClient->GetCanvas();
  canvas.SetPenColor(FRightMarginColor);
  const int x = CellRect(FRightMargin - FLeftCol, 0).Left;
  int top = FEditorClient->Top();
  int bottom = top + FEditorClient->Height();
  ClipToPaintedRows(top, bottom);
  if (top < bottom) VerticalLine(canvas, x, top, bottom);
}

// ---- the attribute pipeline ----

void TRACustomEditor::GetLineAttr(std::string& /*line*/, int lineIdx, int colBeg, int colEnd) {
  const int first = std::clamp(colBeg, 0, MaxLineAttr);
  const int last = std::min(colEnd + 1, MaxLineAttr);
  FLineAttrs[first] = TLineAttr{FFont.Color, FColor, FFont.Style};
  for (int i = first + 1; i <= last; ++i) FLineAttrs[i] = FLineAttrs[first];
  GetAttr(lineIdx, colBeg, colEnd);
  if (OnGetLineAttr) {
    // The handler gets its own copy: changing it does not change what is drawn.
    std::string copy = FLines->Get(lineIdx);
    OnGetLineAttr(this, copy, lineIdx, FLineAttrs);
  }
  if (OnGetLineMarks && FMarksShown) OnGetLineMarks(this, lineIdx, FLineAttrs);
  if (FSelected) ApplySelectionAttrs(lineIdx, colBeg, colEnd);
  ChangeAttr(lineIdx, colBeg, colEnd);
}

const TLineAttrs& TRACustomEditor::TextAttrs(int index) {
  const bool selected = FSelected;
  FSelected = false;
  FMarksShown = false;
  const Bracket restore([&] {
    FSelected = selected;
    FMarksShown = true;
  });
  FPaintLineText.assign(FLines->View(index));
  GetLineAttr(FPaintLineText, index, 0, MaxLineAttr - 1);
  return FLineAttrs;
}

void TRACustomEditor::ApplySelectionAttrs(int lineIdx, int colBeg, int colEnd) {
  const auto mark = [this](int a, int b) {
    MarkColumns(FLineAttrs, a, b, FSelForeColor, FSelBackColor);
  };
  const int l = lineIdx;
  if (FSelBlockFormat == bfColumn) {
    if (FSelBegY <= l && l <= FSelEndY) mark(FSelBegX, FSelEndX);
    return;
  }
  // The stream formats; only bfInclusive takes the character at the end too.
  const int endX = FSelBlockFormat == bfInclusive ? FSelEndX : FSelEndX - 1;
  if (l == FSelBegY && l == FSelEndY)
    mark(FSelBegX, endX);
  else if (l == FSelBegY && l < FSelEndY)
    mark(FSelBegX, FSelBegX + FVisibleColCount);
  else if (FSelBegY < l && l < FSelEndY)
    mark(colBeg, colEnd);
  else if (FSelBegY < l && l == FSelEndY)
    mark(colBeg, endX);
}

void TRACustomEditor::GetAttr(int /*lineIdx*/, int /*colBeg*/, int /*colEnd*/) {}

void TRACustomEditor::ChangeAttr(int /*lineIdx*/, int /*colBeg*/, int /*colEnd*/) {}

// ---- gutter ----

void TGutter::Paint() {
  TRACustomEditor& e = *FEditor;
  Canvas& canvas = e.EditorClient().GetCanvas();
  const int width = e.GutterWidth();
  int top = e.EditorClient().Top();
  int bottom = top + e.EditorClient().Height();
  e.ClipToPaintedRows(top, bottom);
  canvas.SetBrushColor(e.GutterColor());
  canvas.FillRect(TRect{0, top, width, bottom});
  canvas.SetPenWidth(1);
  canvas.SetPenColor(e.Color());
  VerticalLine(canvas, width - 2, top, bottom);
  canvas.SetPenWidth(2);
  VerticalLine(canvas, width + 1, top, bottom);
  canvas.SetPenWidth(1);
  canvas.SetPenColor(kGutterShadow);
  VerticalLine(canvas, width - 1, top, bottom);
  e.PaintGutter(canvas);
}

void TRACustomEditor::ClipToPaintedRows(int& top, int& bottom) const {
  if (!FInPaint) return;
  top = std::max(top, FPaintTop);
  bottom = std::min(bottom, FPaintBottom);
}

void TRACustomEditor::InvalidateLines(int first, int last) {
  if (FCellHeight <= 0) return;
  first = std::max(first, FTopRow);
  // One partly visible row below the last whole one is drawn too.
  last = std::min(last, FTopRow + FVisibleRowCount);
  if (last < first) return;
  const int top = (first - FTopRow) * FCellHeight;
  const int bottom = (last - FTopRow + 1) * FCellHeight;
  FHost.InvalidateRect(TRect{0, top, FHost.ClientWidth(), bottom});
}

bool TRACustomEditor::MoveRowsDown(int first) {
  const int row = first - FTopRow;
  if (FCellHeight <= 0 || row <= 0 || row > FVisibleRowCount) return false;
  const int top = FEditorClient->Top();
  const TRect area{0, top + row * FCellHeight, FEditorClient->ClientRect().Right,
                   top + (FVisibleRowCount + 1) * FCellHeight};
  FHost.ScrollArea(area, FCellHeight);
  return true;
}
