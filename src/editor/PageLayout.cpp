#include "editor/PageLayout.h"

#include <algorithm>

namespace {

int Digits(int n) {
  int digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

}  // namespace

TPageLayout::TPageLayout(const TPageGrid& grid, int lineCount, std::function<int(int)> lengthOf)
    : FGrid(grid), FLineCount(std::max(lineCount, 0)), FLengthOf(std::move(lengthOf)) {
  // Without numbers the column still holds the continuation mark.
  FNumberCells = FGrid.LineNumbers ? Digits(std::max(FLineCount, 1)) : 1;
  FTextColumns = std::max(FGrid.Columns - MarginCells(), 1);
  const int frame = (FGrid.Header ? kHeaderRows : 0) + (FGrid.Footer ? kFooterRows : 0);
  FTextRows = std::max(FGrid.Rows - frame, 1);
  FPageStarts.push_back({0, 0});
}

int TPageLayout::RowsOf(int line) const {
  const int length = std::max(FLengthOf(line), 0);
  return length == 0 ? 1 : (length - 1) / FTextColumns + 1;
}

bool TPageLayout::LayOutUntil(int until) {
  until = std::min(until, FLineCount);
  for (; FNextLine < until; ++FNextLine) {
    const int rows = RowsOf(FNextLine);
    for (int row = 0; row < rows;) {
      if (FRowsOnLastPage == FTextRows) {
        FPageStarts.push_back({FNextLine, row * FTextColumns});
        FRowsOnLastPage = 0;
      }
      const int taken = std::min(rows - row, FTextRows - FRowsOnLastPage);
      FRowsOnLastPage += taken;
      row += taken;
    }
  }
  return Done();
}

std::vector<TPrintedRow> TPageLayout::PageRows(int page) const {
  std::vector<TPrintedRow> rows;
  if (page < 0 || page >= PageCount()) return rows;
  const TPosition start = FPageStarts[static_cast<size_t>(page)];
  int col = start.Col;
  for (int line = start.Line; line < FNextLine && static_cast<int>(rows.size()) < FTextRows;
       ++line, col = 0) {
    const int length = std::max(FLengthOf(line), 0);
    do {
      rows.push_back({line, col, std::min(length - col, FTextColumns)});
      col += FTextColumns;
    } while (col < length && static_cast<int>(rows.size()) < FTextRows);
  }
  return rows;
}

std::string PageNumberText(int page, int pageCount) {
  return "Page " + std::to_string(page) + " of " + std::to_string(pageCount);
}
