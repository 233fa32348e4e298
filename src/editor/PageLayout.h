#pragma once
// How a document's lines fall onto printed pages. A page is a grid of rows and fixed-pitch
// cells: an optional header (its text row and a blank row), the text rows, an optional
// footer (a blank row and its text row). Each text row starts with a margin that holds the
// line's number, or the mark of a row that continues the line above; a line longer than
// the text columns goes on over as many rows as it needs, across pages when it must.
//
// The layout is built in steps (LayOutUntil), so that a very long document can be laid out
// between the events of a window; the page count is known once it is done.
#include <functional>
#include <string>
#include <vector>

// The page grid: what fits on the printable area in the printing font.
struct TPageGrid {
  int Columns = 80;
  int Rows = 60;
  bool LineNumbers = false;
  bool Header = false;
  bool Footer = false;
};

// One printed row: Count cells of line Line from column Col.
struct TPrintedRow {
  int Line = 0;
  int Col = 0;
  int Count = 0;
  // Whether the row continues the line of the row above (it gets the mark, no number).
  bool Continued() const { return Col > 0; }
  bool operator==(const TPrintedRow&) const = default;
};

class TPageLayout {
 public:
  // LengthOf(line) gives the cells a line needs (blanks at its end need none).
  TPageLayout(const TPageGrid& grid, int lineCount, std::function<int(int)> lengthOf);

  // Lays out the lines up to line Until (exclusive, at most the line count); whether the
  // whole document is laid out.
  bool LayOutUntil(int until);
  bool Done() const { return FNextLine >= FLineCount; }
  int LinesLaidOut() const { return FNextLine; }
  int LineCount() const { return FLineCount; }

  // Pages laid out so far; the page count once Done (an empty document has one page).
  int PageCount() const { return static_cast<int>(FPageStarts.size()); }
  // The rows of Page (0-based) from the top of its text rows.
  std::vector<TPrintedRow> PageRows(int page) const;

  const TPageGrid& Grid() const { return FGrid; }
  // Cells of the margin column where the numbers and the continuation mark end (right
  // aligned), and the cells left of the text: that column and one blank.
  int NumberCells() const { return FNumberCells; }
  int MarginCells() const { return FNumberCells + 1; }
  int TextColumns() const { return FTextColumns; }
  // Grid row of the first text row, the number of text rows, and the grid row of the
  // footer's text (-1 without a footer).
  int TextTop() const { return FGrid.Header ? kHeaderRows : 0; }
  int TextRows() const { return FTextRows; }
  int FooterRow() const { return FGrid.Footer ? FGrid.Rows - 1 : -1; }

  static constexpr int kHeaderRows = 2;
  static constexpr int kFooterRows = 2;

 private:
  struct TPosition {
    int Line = 0;
    int Col = 0;
  };
  // The rows line Line takes.
  int RowsOf(int line) const;

  TPageGrid FGrid;
  int FLineCount;
  std::function<int(int)> FLengthOf;
  int FNumberCells = 1;
  int FTextColumns = 1;
  int FTextRows = 1;
  std::vector<TPosition> FPageStarts;
  int FNextLine = 0;
  int FRowsOnLastPage = 0;
};

// The footer's text, "Page 2 of 5" (Page 1-based).
std::string PageNumberText(int page, int pageCount);
