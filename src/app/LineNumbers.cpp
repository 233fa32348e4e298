#include "app/LineNumbers.h"

#include <algorithm>
#include <climits>
#include <string>

#include "app/Zoom.h"
#include "editor/RAEditor.h"
#include "platform/Canvas.h"

namespace {

// Blank pixels left and right of the numbers.
constexpr int kNumberMargin = 3;

int DigitCount(int n) {
  int digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

// The bookmark numbers end 5 pixels left of the gutter's edge; the column grows with a
// font larger than the designed one, so that its digits still fit.
int BookmarkColumnWidth(const TRACustomEditor& editor) {
  return kDesignGutterWidth * std::max(editor.Font().Height, kDesignFontHeight) / kDesignFontHeight;
}

}  // namespace

int ScriptGutterWidth(const TRACustomEditor& editor, bool lineNumbers) {
  const int bookmarks = BookmarkColumnWidth(editor);
  if (!lineNumbers) return bookmarks;
  const int largest = std::max(editor.Lines().Count(), 1);
  return 2 * kNumberMargin + DigitCount(largest) * editor.CellWidth() + bookmarks;
}

void PaintLineNumbers(TRACustomEditor& editor, Canvas& canvas) {
  const int height = editor.CellHeight();
  if (height <= 0) return;
  const int right = editor.GutterWidth() - BookmarkColumnWidth(editor) - kNumberMargin;
  TFont font = editor.Font();
  font.Color = clGray;
  canvas.SetFont(font);
  canvas.SetBrushColor(editor.GutterColor());
  // The rows whose gutter the running paint filled, which reach beyond its clip region: a
  // row filled and left without its number would stay blank. Outside a paint, the rows in
  // the clip region; the partly visible last one is among them either way.
  const TRect clip = canvas.ClipRect();
  int top = INT_MIN;
  int bottom = INT_MAX;
  editor.ClipToPaintedRows(top, bottom);
  const bool painting = top != INT_MIN || bottom != INT_MAX;
  const int firstRow = std::max((painting ? top : clip.Top) / height, 0);
  const int lastRow =
      std::min(painting ? (bottom - 1) / height : clip.Bottom / height, editor.VisibleRowCount());
  const int count = editor.Lines().Count();
  // The cells' own advances: the canvas can copy digits cell by cell like the text runs.
  const int* advances = editor.CharWidths();
  for (int row = firstRow; row <= lastRow; ++row) {
    const int line = editor.TopRow() + row;
    if (line >= count) break;
    const std::string text = std::to_string(line + 1);
    const int width = static_cast<int>(text.size()) * editor.CellWidth();
    canvas.TextOut(right - width, row * height, text, advances, nullptr);
  }
}
