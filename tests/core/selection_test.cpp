#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "TextTestEditor.h"

using Names = std::vector<std::string>;

TEST(Selection, StreamSelectionGrowsFromTheAnchor) {
  TextHarness h("0123456789\r\n0123456789\r\n0123456789\r\n0123456789\r\n");
  auto& e = *h.editor;
  e.SetSel(5, 2);
  EXPECT_TRUE(e.Selected());
  e.SetSel(3, 2);
  EXPECT_EQ((std::array{e.SelBegX(), e.SelBegY(), e.SelEndX(), e.SelEndY()}),
            (std::array{3, 2, 5, 2}));
  e.SetSel(7, 3);
  EXPECT_EQ((std::array{e.SelBegX(), e.SelBegY(), e.SelEndX(), e.SelEndY()}),
            (std::array{5, 2, 7, 3}));
  e.SetSel(8, 0);  // above the anchor: the point is the begin
  EXPECT_EQ((std::array{e.SelBegX(), e.SelBegY(), e.SelEndX(), e.SelEndY()}),
            (std::array{8, 0, 5, 2}));
  e.SetSel(5, 2);  // back on the anchor: an empty selection there
  EXPECT_EQ((std::array{e.SelBegX(), e.SelBegY(), e.SelEndX(), e.SelEndY()}),
            (std::array{5, 2, 5, 2}));
  EXPECT_EQ(e.AnchorX(), 5);
}

TEST(Selection, ColumnSelectionKeepsLeftColumnFirst) {
  TextHarness h("0123456789\r\n0123456789\r\n0123456789\r\n0123456789\r\n0123456789\r\n");
  auto& e = *h.editor;
  e.SetFormat(bfColumn);
  e.SetSel(5, 2);
  e.SetSel(3, 4);  // below the anchor, left of it
  EXPECT_EQ((std::array{e.SelBegX(), e.SelBegY(), e.SelEndX(), e.SelEndY()}),
            (std::array{3, 2, 5, 4}));
  e.SetSel(7, 0);  // above the anchor, right of it
  EXPECT_EQ((std::array{e.SelBegX(), e.SelBegY(), e.SelEndX(), e.SelEndY()}),
            (std::array{5, 0, 7, 2}));
}

TEST(Selection, ChangesAreRecordedAndRemovingIsUndoable) {
  TextHarness h("abc\r\ndef\r\n");
  auto& e = *h.editor;
  int notified = 0;
  e.OnSelectionChange = [&](TRACustomEditor*) { ++notified; };
  h.Select(1, 0, 2, 1);
  EXPECT_EQ(notified, 2);
  e.Unselect();
  e.Unselect();  // nothing selected: no record
  EXPECT_EQ(h.Records(), (Names{"TSelectUndo", "TSelectUndo", "TUnselectUndo"}));
  auto* first = static_cast<TSelectUndo*>(h.Undo().Item(0));
  EXPECT_FALSE(first->Selected);
  auto* removed = static_cast<TUnselectUndo*>(h.Undo().Item(2));
  EXPECT_TRUE(removed->Selected);
  EXPECT_EQ((std::array{removed->SelBegX, removed->SelBegY, removed->SelEndX, removed->SelEndY}),
            (std::array{1, 0, 2, 1}));
  h.Undo().Undo();
  EXPECT_TRUE(e.Selected());
  EXPECT_EQ(e.GetSelText(), "bc\r\nde");
}

TEST(Selection, PositionsAndOffsetsConvert) {
  TextHarness h("abc\r\nde\r\n");
  auto& e = *h.editor;
  EXPECT_EQ(e.PosFromCaret(1, 1), 6);
  EXPECT_EQ(e.PosFromCaret(9, 1), 7);  // beyond the line end: only the line counts
  EXPECT_EQ(e.PosFromCaret(0, 2), -1);
  EXPECT_EQ(e.PosFromCaret(0, -1), -1);
  auto caret = [&](int pos) {
    int x = 0, y = 0;
    e.CaretFromPos(pos, x, y);
    return std::pair{x, y};
  };
  EXPECT_EQ(caret(6), std::pair(1, 1));
  EXPECT_EQ(caret(5), std::pair(0, 1));
  EXPECT_EQ(caret(3), std::pair(3, 0));
  EXPECT_EQ(caret(4), std::pair(3, 0));  // inside a line break: the line's end
  EXPECT_EQ(caret(9), std::pair(0, 2));  // after the last line break
  EXPECT_EQ(caret(10), std::pair(-1, -1));
  EXPECT_EQ(caret(-1), std::pair(-1, -1));
}

TEST(Selection, SelStartAndLengthSelectByOffset) {
  TextHarness h("abc\r\nde\r\n");
  auto& e = *h.editor;
  e.SetSelStart(1);
  EXPECT_FALSE(e.Selected());
  e.SetSelLength(4);
  EXPECT_TRUE(e.Selected());
  EXPECT_EQ(e.GetSelText(), "bc\r\n");
  EXPECT_EQ(std::pair(e.CaretX(), e.CaretY()), std::pair(0, 1));
  EXPECT_EQ(e.SelStart(), 5);
  e.SetSelStart(2);
  e.SetSelLength(100);  // kept inside the text
  EXPECT_EQ(std::pair(e.SelEndX(), e.SelEndY()), std::pair(0, 2));
  e.SetSelStart(-5);  // an offset outside the text never gives a negative caret
  EXPECT_EQ(std::pair(e.CaretX(), e.CaretY()), std::pair(0, 0));
}
