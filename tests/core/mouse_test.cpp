// The mouse: pixel to cell mapping, clicks, dragging with auto-scroll, double clicks and
// the pointer shape.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/DbcsLocale.h"
#include "support/EditorFixture.h"

namespace {
struct MouseTest : ::testing::Test {
  void SetUp() override { ASSERT_GT(e().CellWidth(), 1); }
  TRAEditor& e() { return *h.editor; }
  void SetLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
    h.SetText(text);
  }
  // Client pixel of the left edge of text column Col and of the middle of row Row.
  int X(int col) { return e().GutterWidth() + 2 + col * e().CellWidth(); }
  int Y(int row) { return row * e().CellHeight() + e().CellHeight() / 2; }
  void Click(int col, int row, TMouseButton button = TMouseButton::mbLeft) {
    e().MouseDown(button, 0, X(col), Y(row));
    e().MouseUp(button, 0, X(col), Y(row));
  }
  void DblClick(int col, int row) {
    Click(col, row);
    e().DblClick();
    Click(col, row);  // the press that belongs to the double click is ignored
  }
  void ExpectSelection(int begX, int begY, int endX, int endY) {
    EXPECT_TRUE(e().Selected());
    EXPECT_EQ(e().SelBegX(), begX);
    EXPECT_EQ(e().SelBegY(), begY);
    EXPECT_EQ(e().SelEndX(), endX);
    EXPECT_EQ(e().SelEndY(), endY);
  }
  EditorHarness<> h;
};
}  // namespace

TEST_F(MouseTest, PixelsMapToTheNearestCellAndStayInTheText) {
  const int half = e().CellWidth() / 2;
  int col = -1;
  int row = -1;
  // Pixel x and its column; exact halves go to the even column.
  const std::vector<std::pair<int, int>> columns{{X(3) + half - 1, 3}, {X(3) + half + 1, 4},
                                                 {X(0) + half, 0},     {X(1) + half, 2},
                                                 {X(2) + half, 2},     {X(-2) + half, -2}};
  for (auto [x, expected] : columns) {
    e().PixelToCell(x, -1, col, row);
    EXPECT_EQ(col, expected) << "x " << x;
    EXPECT_EQ(row, 0);  // rows truncate toward zero
  }

  e().PixelToCaret(X(2), Y(5), col, row);
  EXPECT_EQ(row, -1);  // no lines at all
  SetLines(100);
  e().SetLeftTop(4, 90);
  e().PixelToCaret(X(1), Y(2), col, row);
  EXPECT_EQ(col, 5);
  EXPECT_EQ(row, 92);
  e().PixelToCaret(X(e().VisibleColCount() + 9), Y(30), col, row);
  EXPECT_EQ(col, e().LastVisibleCol());
  EXPECT_EQ(row, 99);  // below the last line: the last line
  e().PixelToCaret(-50, -50, col, row);
  EXPECT_EQ(col, 4);
  EXPECT_EQ(row, 90);
}

TEST_F(MouseTest, LeftClickPlacesCaretOtherButtonsKeepSelection) {
  SetLines(3);
  e().SetSel(0, 0);
  e().SetSel(3, 1);
  Click(2, 2, TMouseButton::mbRight);  // focuses, keeps caret and selection
  EXPECT_TRUE(h.host.Focused);
  EXPECT_TRUE(e().Selected());
  EXPECT_EQ(e().CaretY(), 0);

  e().SetSelBlockFormat(bfColumn);
  int downs = 0;
  e().OnMouseDown = [&](TRACustomEditor*, TMouseButton, TShiftState, int, int) { ++downs; };
  e().MouseDown(TMouseButton::mbLeft, ssShift, X(20), Y(10));  // Shift does not extend
  EXPECT_FALSE(e().Selected());
  EXPECT_EQ(e().SelBlockFormat(), bfNonInclusive);
  EXPECT_EQ(e().CaretX(), 20);
  EXPECT_EQ(e().CaretY(), 2);  // below the text: the last line
  EXPECT_EQ(downs, 1);

  e().SetGutterWidth(18);
  e().SetLeftTop(3, 0);
  e().MouseDown(TMouseButton::mbLeft, 0, 5, Y(1));  // in the gutter
  EXPECT_EQ(e().CaretX(), 3);
  EXPECT_EQ(e().CaretY(), 1);
  EXPECT_EQ(e().CursorAt(17), TCursorShape::Arrow);
  EXPECT_EQ(e().CursorAt(18), TCursorShape::IBeam);
}

TEST_F(MouseTest, CaretNeverLandsInsideADoubleByteCharacter) {
  DbcsLocale locale;
  h.host.LocaleOverride = &locale;
  h.SetText(
      "a\x82\xA0"
      "bc\r\n");
  Click(2, 0);  // on the trail byte
  EXPECT_EQ(e().CaretX(), 1);
  Click(9, 0);  // beyond the line: no byte to look at
  EXPECT_EQ(e().CaretX(), 9);
}

TEST_F(MouseTest, DraggingSelectsWithTheLeftButtonAlone) {
  SetLines(10);
  int moves = 0;
  e().OnMouseMove = [&](TRACustomEditor*, TShiftState, int, int) { ++moves; };
  e().MouseMove(ssLeft, X(4), Y(2));  // no press in the control
  EXPECT_FALSE(e().Selected());
  // The selection starts with the first move and is anchored at the press, also when
  // the first move is already far from it.
  e().MouseDown(TMouseButton::mbLeft, 0, X(1), Y(0));
  EXPECT_FALSE(e().Selected());
  e().MouseMove(ssLeft, X(3), Y(0) + 1);
  ExpectSelection(1, 0, 3, 0);
  e().MouseMove(ssLeft, X(4), Y(2));
  ExpectSelection(1, 0, 4, 2);
  EXPECT_EQ(e().CaretX(), 4);
  EXPECT_EQ(e().CaretY(), 2);
  e().MouseMove(ssLeft | ssShift, X(6), Y(3));  // not the left button alone
  e().MouseUp(TMouseButton::mbLeft, 0, X(6), Y(3));
  e().MouseMove(ssLeft, X(6), Y(3));  // released
  ExpectSelection(1, 0, 4, 2);
  EXPECT_EQ(moves, 5);
}

TEST_F(MouseTest, DraggingOutsideTheWindowScrollsOnTimer) {
  SetLines(200);
  FakeTimer* timer = nullptr;
  for (FakeTimer* t : h.host.Timers)
    if (t->Interval() == 100) timer = t;
  ASSERT_NE(timer, nullptr);
  EXPECT_FALSE(timer->Enabled());
  const int height = h.host.Height;

  // The first move is already below the window: the timer's selection keeps the press
  // position as its anchor.
  e().MouseDown(TMouseButton::mbLeft, 0, X(3), Y(0));
  e().MouseMove(ssLeft, X(3), height + 5);  // just below: a line per tick
  EXPECT_TRUE(timer->Enabled());
  timer->Tick();
  const int first = e().CaretY();
  EXPECT_EQ(e().LastVisibleRow(), first);
  timer->Tick();
  ExpectSelection(3, 0, 3, first + 1);

  e().MouseMove(ssLeft, X(3), height + 40);  // far below: a page per tick
  const int before = e().CaretY();
  timer->Tick();
  EXPECT_GE(e().CaretY(), before + e().VisibleRowCount() - 1);
  for (int i = 0; i < 20; ++i) timer->Tick();
  EXPECT_EQ(e().CaretY(), 199);      // never past the last line
  e().MouseMove(ssLeft, X(3), -30);  // far above
  for (int i = 0; i < 20; ++i) timer->Tick();
  EXPECT_EQ(e().CaretY(), 0);  // never above the first line

  e().MouseMove(ssLeft, X(3), Y(5));  // back inside
  EXPECT_FALSE(timer->Enabled());
  e().MouseMove(ssLeft, X(3), -5);
  e().MouseUp(TMouseButton::mbLeft, 0, X(3), -5);
  EXPECT_FALSE(timer->Enabled());
}

TEST_F(MouseTest, DoubleClickSelectsTheWord) {
  h.SetText("hello world  \r\nfoo   bar\r\n   \r\n");
  int dbl = 0;
  e().OnDblClick = [&](TRACustomEditor*) { ++dbl; };
  DblClick(8, 0);
  ExpectSelection(6, 0, 11, 0);
  EXPECT_EQ(e().CaretX(), 11);
  DblClick(30, 0);  // blanks after the end of the line: the last word
  ExpectSelection(6, 0, 11, 0);
  DblClick(4, 1);  // between words: the word on the right
  ExpectSelection(6, 1, 9, 1);
  DblClick(1, 2);  // a blank line: nothing
  EXPECT_FALSE(e().Selected());
  EXPECT_EQ(e().CaretX(), 1);
  EXPECT_EQ(dbl, 4);

  e().SetCursorBeyondEOF(true);  // below the text: nothing, for words and for lines
  e().SetCaret(1, 5);
  e().DblClick();
  e().SetDoubleClickLine(true);
  e().DblClick();
  EXPECT_FALSE(e().Selected());
}

TEST_F(MouseTest, DoubleClickSelectsTheLineWhenAsked) {
  h.SetText("one\r\ntwo two\r\nlast line\r\n");
  e().SetDoubleClickLine(true);
  DblClick(1, 1);  // the line and its line break
  ExpectSelection(0, 1, 0, 2);
  EXPECT_EQ(e().CaretX(), 0);
  EXPECT_EQ(e().CaretY(), 2);
  DblClick(2, 2);  // the last line: up to its end
  ExpectSelection(0, 2, 9, 2);
  EXPECT_EQ(e().CaretX(), 9);
}
