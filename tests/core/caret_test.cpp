// Caret position, view following, scrolling, wheel, scroll bar requests, focus and
// bookmarks.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/EditorFixture.h"

namespace {
// Records which bookmarks were reported as changed.
class BookmarkEditor : public TRAEditor {
 public:
  using TRAEditor::TRAEditor;
  void BookmarkChanged(int index) override {
    Changed.push_back(index);
    TRAEditor::BookmarkChanged(index);
  }
  std::vector<int> Changed;
};

struct CaretTest : ::testing::Test {
  void SetUp() override {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    h.SetText(text);
    ASSERT_GT(Rows(), 10);
  }
  BookmarkEditor& e() { return *h.editor; }
  int Rows() { return e().VisibleRowCount(); }
  EditorHarness<BookmarkEditor> h;
};
}  // namespace

TEST(CaretClamp, CaretStaysInsideTheTextAndRecordsRealMoves) {
  EditorHarness<> h;
  TRAEditor& e = *h.editor;
  e.SetCaret(5, 3);  // empty text: line 0
  EXPECT_EQ(e.CaretX(), 5);
  EXPECT_EQ(e.CaretY(), 0);
  e.SetCursorBeyondEOF(true);
  e.SetCaret(5, 3);
  EXPECT_EQ(e.CaretY(), 3);
  e.SetCursorBeyondEOF(false);

  h.SetText("ab\r\ncd\r\n");
  int status = 0;
  e.OnChangeStatus = [&](TRACustomEditor*) { ++status; };
  e.SetCaret(2000, 9);
  EXPECT_EQ(e.CaretX(), MaxLineAttr);
  EXPECT_EQ(e.CaretY(), 1);
  EXPECT_EQ(e.Lines()[1], "cd");  // the caret stands beyond the line; nothing is padded
  auto* record = dynamic_cast<TCaretUndo*>(e.UndoBuffer()->LastUndo());
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->CaretX, 5);  // the position before the move
  EXPECT_EQ(record->CaretY, 3);

  const int records = e.UndoBuffer()->Count();
  e.SetCaret(-4, -2);
  EXPECT_EQ(e.CaretX(), 0);
  EXPECT_EQ(e.CaretY(), 0);
  e.SetCaret(0, 0);  // already there: no record, no report
  EXPECT_EQ(e.UndoBuffer()->Count(), records + 1);
  status = 0;
  e.SetCaretInternal(1, 1);  // no record, but reported
  EXPECT_EQ(e.UndoBuffer()->Count(), records + 1);
  EXPECT_EQ(status, 1);
}

TEST_F(CaretTest, ViewFollowsTheCaret) {
  const int last = e().LastVisibleRow();
  e().SetCaret(0, last + 1);  // one line below: exactly one line of scrolling
  EXPECT_EQ(e().TopRow(), 1);
  e().SetCaret(0, 150);  // far below: the target becomes the last visible line
  EXPECT_EQ(e().LastVisibleRow(), 150);
  EXPECT_EQ(e().ScrollBarVertical().Position(), e().TopRow());
  e().SetCaret(0, 20);  // above: the target becomes the top line
  EXPECT_EQ(e().TopRow(), 20);

  const int lastCol = e().LastVisibleCol();
  e().SetCaret(lastCol + 5, 20);
  EXPECT_EQ(e().LeftCol(), 5);
  e().SetCaret(2, 20);
  EXPECT_EQ(e().LeftCol(), 2);

  e().ScrollToLine(40);  // visible: stays
  EXPECT_EQ(e().TopRow(), 20);
  e().ScrollToLine(120);
  EXPECT_EQ(e().TopRow(), 120 - Rows() / 2);
}

TEST_F(CaretTest, ScrollingMovesPixelsOnlyForShortVerticalMoves) {
  int scrolled = 0;
  e().OnScroll = [&](TRACustomEditor*) { ++scrolled; };
  const int ch = e().CellHeight();
  const int updates = h.host.UpdateNowCount;
  e().Scroll(true, 3);
  ASSERT_EQ(h.host.Scrolls.size(), 1u);
  const TRect area{0, 0, e().EditorClient().ClientRect().Right, (Rows() + 1) * ch};
  EXPECT_EQ(h.host.Scrolls[0].area, area);
  EXPECT_EQ(h.host.Scrolls[0].dy, -3 * ch);
  EXPECT_EQ(h.host.UpdateNowCount, updates + 1);
  EXPECT_EQ(e().LastVisibleRow(), 3 + Rows() - 1);

  const int invalidated = h.host.InvalidateAllCount;
  e().Scroll(true, 3 + Rows() + 1);  // a whole text area or more: repaint all
  e().Scroll(false, 4);              // horizontal: always repaint all
  EXPECT_EQ(h.host.Scrolls.size(), 1u);
  EXPECT_EQ(h.host.InvalidateAllCount, invalidated + 2);
  EXPECT_EQ(e().LastVisibleCol(), 4 + e().VisibleColCount() - 1);
  EXPECT_EQ(scrolled, 3);

  e().BeginUpdate();  // locked: only the view is recorded
  e().Scroll(true, 30);
  EXPECT_EQ(e().TopRow(), 30);
  EXPECT_EQ(e().LastVisibleRow(), 30 + Rows() - 1);
  EXPECT_EQ(h.host.Scrolls.size(), 1u);
  EXPECT_EQ(h.host.InvalidateAllCount, invalidated + 2);
  e().EndUpdate();
}

TEST_F(CaretTest, WheelAndScrollBarRequests) {
  e().SetLeftTop(0, 10);
  // Delta and the top line after it; 40 units are one line, truncated toward zero.
  const std::vector<std::pair<int, int>> wheel{{120, 7},  {60, 6},   {-30, 6},
                                               {-120, 9}, {-79, 10}, {1200, 0}};
  for (auto [delta, top] : wheel) {
    e().MouseWheel(delta);
    EXPECT_EQ(e().TopRow(), top) << "delta " << delta;
  }

  e().HandleScrollRequest(true, 1);  // line down
  e().HandleScrollRequest(true, 3);  // page down
  EXPECT_EQ(e().TopRow(), 1 + Rows());
  h.host.VertTrack = 50;
  e().HandleScrollRequest(true, 5);  // thumb dragged: the view follows
  EXPECT_EQ(e().TopRow(), 50);
  h.host.VertTrack = 60;
  e().HandleScrollRequest(true, 4);  // thumb released: the bar only
  e().HandleScrollRequest(true, 6);  // top: the bar only
  EXPECT_EQ(e().TopRow(), 50);
  EXPECT_EQ(e().ScrollBarVertical().Position(), 0);
  e().HandleScrollRequest(false, 0x80 | 1);  // only the low 7 bits count
  EXPECT_EQ(e().LeftCol(), 1);
}

TEST_F(CaretTest, SystemCaretLivesWithTheFocus) {
  e().PaintCaret(true);
  EXPECT_FALSE(h.host.CaretVisible);  // no focus, no caret
  h.host.Focused = true;
  e().FocusIn();
  EXPECT_TRUE(h.host.CaretExists);
  EXPECT_TRUE(h.host.CaretVisible);
  EXPECT_EQ(h.host.CaretSize, (TPoint{2, e().CellHeight() - 2}));

  e().SetCaret(3, 2);
  e().Scroll(true, 1);  // the caret keeps its cell when the view moves under it
  const TRect cell = e().CellRect(3, 1);
  EXPECT_EQ(h.host.CaretPos, (TPoint{cell.Left - 1, cell.Top + 1}));
  e().PaintCaret(false);
  EXPECT_FALSE(h.host.CaretVisible);

  h.host.Focused = false;
  e().FocusOut();
  EXPECT_FALSE(h.host.CaretExists);
}

TEST_F(CaretTest, BookmarksToggleMoveAndGo) {
  auto& marks = e().Bookmarks();
  e().SetCaret(4, 10);
  e().Bookmark(3, true);
  EXPECT_TRUE(marks[3].Valid);
  e().SetCaret(7, 10);  // same line, other column: cleared
  e().Bookmark(3, true);
  EXPECT_FALSE(marks[3].Valid);
  e().Bookmark(3, true);
  e().SetCaret(1, 150);  // another line: moved
  e().Bookmark(3, true);
  EXPECT_TRUE(marks[3].Valid);
  EXPECT_EQ(marks[3].X, 1);
  EXPECT_EQ(marks[3].Y, 150);

  e().SetCaret(0, 0);
  e().Bookmark(3, false);  // hidden: brought to the middle of the view
  EXPECT_EQ(e().CaretX(), 1);
  EXPECT_EQ(e().CaretY(), 150);
  EXPECT_EQ(e().TopRow(), 150 - Rows() / 2);
  const int top = e().TopRow();
  e().SetCaret(0, 145);
  e().Bookmark(3, false);  // visible: only the caret moves
  EXPECT_EQ(e().CaretY(), 150);
  EXPECT_EQ(e().TopRow(), top);

  e().Bookmark(5, false);  // unset: nothing
  e().Bookmark(10, true);  // no such slot: ignored
  e().Bookmark(-1, false);
  EXPECT_EQ(e().CaretY(), 150);
  EXPECT_EQ(e().Changed, (std::vector<int>{3, 3, 3, 3, 3, 3, 5}));
}
