// Lines onto printed pages: a known document laid out row by row, and random documents
// and grids, laid out in random steps, against what every layout must be.
#include "editor/PageLayout.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TPageLayout LayOut(const TPageGrid& grid, const std::vector<int>& lengths) {
  TPageLayout layout(grid, static_cast<int>(lengths.size()),
                     [lengths](int line) { return lengths.at(static_cast<size_t>(line)); });
  EXPECT_TRUE(layout.LayOutUntil(static_cast<int>(lengths.size())));
  return layout;
}

}  // namespace

TEST(PageLayout, WrapsLongLinesOntoTheNextRowsAndAcrossThePageBreak) {
  // 20 cells across: one digit and a blank of margin leave 18 for the text; 10 rows less
  // two for the header and two for the footer leave 6.
  const TPageGrid grid{20, 10, true, true, true};
  const TPageLayout layout = LayOut(grid, {5, 0, 3, 5, 60, 18, 19});
  EXPECT_EQ(layout.NumberCells(), 1);
  EXPECT_EQ(layout.MarginCells(), 2);
  EXPECT_EQ(layout.TextColumns(), 18);
  EXPECT_EQ(layout.TextTop(), 2);
  EXPECT_EQ(layout.TextRows(), 6);
  EXPECT_EQ(layout.FooterRow(), 9);
  ASSERT_EQ(layout.PageCount(), 2);
  const std::vector<TPrintedRow> first{{0, 0, 5}, {1, 0, 0},  {2, 0, 3},
                                       {3, 0, 5}, {4, 0, 18}, {4, 18, 18}};
  const std::vector<TPrintedRow> second{
      {4, 36, 18}, {4, 54, 6}, {5, 0, 18}, {6, 0, 18}, {6, 18, 1}};
  EXPECT_EQ(layout.PageRows(0), first);
  EXPECT_EQ(layout.PageRows(1), second);
  EXPECT_TRUE(layout.PageRows(1)[0].Continued());
  EXPECT_FALSE(layout.PageRows(1)[2].Continued());
  EXPECT_TRUE(layout.PageRows(2).empty());
  EXPECT_EQ(PageNumberText(2, 5), "Page 2 of 5");
}

TEST(PageLayout, MarginGrowsWithTheLineCountAndTinyPagesStillHoldARow) {
  const std::vector<int> many(12345, 4);
  EXPECT_EQ(LayOut({80, 60, true, false, false}, many).NumberCells(), 5);
  EXPECT_EQ(LayOut({80, 60, true, false, false}, many).PageCount(), 206);  // 12345 / 60
  // Without numbers the margin keeps a cell for the continuation mark.
  const TPageLayout plain = LayOut({80, 60, false, false, false}, many);
  EXPECT_EQ(plain.NumberCells(), 1);
  EXPECT_EQ(plain.TextColumns(), 78);
  // A page smaller than its header, footer and margin: one row of one cell.
  const TPageLayout tiny = LayOut({2, 3, true, true, true}, {3});
  EXPECT_EQ(tiny.TextRows(), 1);
  EXPECT_EQ(tiny.TextColumns(), 1);
  EXPECT_EQ(tiny.PageCount(), 3);
  // An empty document prints one page without rows.
  const TPageLayout empty = LayOut({80, 60, true, true, true}, {});
  EXPECT_EQ(empty.PageCount(), 1);
  EXPECT_TRUE(empty.PageRows(0).empty());
}

TEST(PageLayout, RandomDocumentsPrintEveryCellOnceInOrderOnFullPages) {
  std::mt19937 random(27);
  for (int round = 0; round < 300; ++round) {
    std::vector<int> lengths(static_cast<size_t>(random() % 60));
    for (int& length : lengths) length = random() % 4 == 0 ? 0 : static_cast<int>(random() % 130);
    const TPageGrid grid{static_cast<int>(1 + random() % 50), static_cast<int>(1 + random() % 12),
                         random() % 2 == 0, random() % 2 == 0, random() % 2 == 0};
    TPageLayout layout(grid, static_cast<int>(lengths.size()),
                       [&](int line) { return lengths[static_cast<size_t>(line)]; });
    // Laid out in random steps, as a long job does between events.
    while (!layout.LayOutUntil(layout.LinesLaidOut() + static_cast<int>(random() % 7))) {
    }
    std::vector<TPrintedRow> all;
    for (int page = 0; page < layout.PageCount(); ++page) {
      const std::vector<TPrintedRow> rows = layout.PageRows(page);
      if (page + 1 < layout.PageCount()) {
        ASSERT_EQ(static_cast<int>(rows.size()), layout.TextRows());
      }
      ASSERT_FALSE(rows.empty() && !lengths.empty()) << "round " << round << " page " << page;
      all.insert(all.end(), rows.begin(), rows.end());
    }
    std::vector<TPrintedRow> expected;
    const int columns = layout.TextColumns();
    for (size_t line = 0; line < lengths.size(); ++line) {
      int col = 0;
      do {
        expected.push_back({static_cast<int>(line), col, std::min(lengths[line] - col, columns)});
        col += columns;
      } while (col < lengths[line]);
    }
    ASSERT_EQ(all, expected) << "round " << round;
  }
}
