// The completion's drop-down list: placement, size, keys, row drawing, mouse rules and
// drag scrolling, closing without inserting.
#include "CompletionFixture.h"

namespace {
// Where the list's top-left corner goes for the editor's caret: the cell below the
// caret's, moved left by two borders and up by one.
TPoint ExpectedCorner(TRAEditor& e, const FakeHost& host) {
  const TRect cell = e.CellRect(e.CaretX() - e.LeftCol(), e.CaretY() - e.TopRow() + 1);
  return {cell.Left + host.Origin.X - 2, cell.Top + host.Origin.Y - 1};
}
}  // namespace

TEST_F(CompletionTest, ListHeightFollowsTheRowCountUpToDropDownCount) {
  struct Case {
    int rows;
    int height;
    bool scrollBar;
  } cases[] = {{10, 80, true}, {3, 41, false}, {6, 80, false}, {1, 15, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.rows);
    OpenWithRows(k.rows);
    EXPECT_EQ(list().Bounds().Height(), k.height);
    EXPECT_EQ(list().RowHeight(), 13);
    EXPECT_EQ(list().HasScrollBar(), k.scrollBar);
    Escape();
  }
}

TEST_F(CompletionTest, ListOpensInTheCellUnderTheCaret) {
  SetLine("    al", 6);
  CtrlSpace();
  const TPoint corner = ExpectedCorner(e(), h.host);
  EXPECT_EQ(list().Bounds(), TRect::FromSize(corner.X, corner.Y, 300, 2 * 13 + 2));
  EXPECT_EQ(list().ShowCount, 1);
  Escape();
  c().SetDropDownWidth(0);
  CtrlSpace();
  EXPECT_EQ(list().Bounds().Width(), h.host.WindowWidth() + 2);
}

TEST_F(CompletionTest, NearTheScreensBottomTheListOpensAboveTheCaretsLine) {
  h.SetText(std::string(40, '\n'));
  e().SetCaret(0, 20);
  const int lineTop = e().CellRect(0, e().CaretY() - e().TopRow()).Top + h.host.Origin.Y;
  // Just too little room below the caret's line for the two rows.
  h.host.Screen.Y = ExpectedCorner(e(), h.host).Y + 2 * 13 + 2 - 1;
  CtrlSpace();
  EXPECT_EQ(list().Bounds().Bottom, lineTop + 1 - 1);
  Escape();
  // With no room above either, it stays below.
  h.host.Origin.Y = -300;
  h.host.Screen.Y = ExpectedCorner(e(), h.host).Y + 1;
  CtrlSpace();
  EXPECT_EQ(list().Bounds().Top, ExpectedCorner(e(), h.host).Y);
}

TEST_F(CompletionTest, SelectionKeysMoveAndScrollTheList) {
  OpenWithRows(10);
  struct Step {
    uint16_t key;
    int selected;
    int top;
  } steps[] = {// without a selected row the first key selects the first row
               {VK_DOWN, 0, 0}, {VK_NEXT, 6, 1},  {VK_NEXT, 9, 4},  {VK_DOWN, 9, 4},
               {VK_UP, 8, 4},   {VK_PRIOR, 2, 2}, {VK_PRIOR, 0, 0}, {VK_UP, 0, 0}};
  for (const Step& s : steps) {
    Key(s.key, 0, 0);
    EXPECT_EQ(list().ItemIndex(), s.selected) << s.key;
    EXPECT_EQ(list().TopIndex(), s.top) << s.key;
  }
  EXPECT_TRUE(c().ListShown());
}

TEST_F(CompletionTest, RowsShowTheDescriptionAndTemplatesTheirNameInBold) {
  SetLine("a", 1);
  CtrlSpace();
  list().PaintRows();
  auto texts = list().Canvas.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "alpha value");
  EXPECT_EQ(texts[0].rect.Left, 3);
  EXPECT_EQ(texts[0].background, clHighlight);  // the selected row
  EXPECT_EQ(texts[1].text, "beta value");
  EXPECT_EQ(texts[1].rect.Top, 13);
  Escape();

  c().SetTemplates({"be=block=begin", "wh=loop=while"});
  SetLine("x", 1);
  CtrlJ();
  list().Canvas.Reset();
  list().PaintRows();
  texts = list().Canvas.Texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0].text, "block");
  EXPECT_EQ(texts[1].text, "be");
  EXPECT_EQ(texts[1].style & fsBold, fsBold);
  EXPECT_EQ(texts[1].rect.Left, list().ClientWidth() - 6 - 2 * 8);
  EXPECT_EQ(texts[2].text, "loop");
  EXPECT_EQ(texts[2].style & fsBold, 0);  // the platform resets the font for each row
}

TEST_F(CompletionTest, RowsWithoutASeparatorAreEmptyYetInsertTheirName) {
  c().SetIdentifers({"Alpha", "Beta"});
  SetLine("al", 2);
  CtrlSpace();
  list().PaintRows();
  const auto texts = list().Canvas.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "");
  Enter();
  EXPECT_EQ(Line(), "Alpha");
}

TEST_F(CompletionTest, TheEditorsDrawEventDrawsTheRowsWhenSet) {
  std::vector<int> drawn;
  e().OnCompletionDrawItem = [&](TRAEditorCompletionList& l, Canvas&, int index, const TRect& r,
                                 TOwnerDrawState state) {
    EXPECT_EQ(&l, &c().DropList());
    EXPECT_EQ(r.Top, index * 13);
    EXPECT_EQ(state == odSelected, index == 0);
    drawn.push_back(index);
  };
  SetLine("a", 1);
  CtrlSpace();
  list().PaintRows();
  EXPECT_EQ(drawn, (std::vector<int>{0, 1}));
  EXPECT_TRUE(list().Canvas.Calls.empty());
}

TEST_F(CompletionTest, AClickOnARowInsertsIt) {
  SetLine("x", 1);
  CtrlSpace();
  list().Press(TMouseButton::mbLeft, 10, 13 + 5);
  EXPECT_TRUE(list().Captured);
  EXPECT_EQ(list().ItemIndex(), 1);
  list().Release(TMouseButton::mbLeft, 10, 13 + 5);
  EXPECT_FALSE(list().Captured);
  EXPECT_FALSE(c().ListShown());
  EXPECT_EQ(Line(), "Beta");
}

TEST_F(CompletionTest, OnlyALeftDragSelectsAndReleasingOutsideInsertsNothing) {
  SetLine("x", 1);
  CtrlSpace();
  list().Move(10, 13 + 5);  // hovering selects nothing
  EXPECT_EQ(list().ItemIndex(), -1);
  list().Press(TMouseButton::mbLeft, 10, 5);
  list().Move(10, 13 + 5);
  EXPECT_EQ(list().ItemIndex(), 1);
  list().Release(TMouseButton::mbLeft, 10, 200);
  EXPECT_FALSE(c().ListShown());
  EXPECT_EQ(Line(), "x");
}

TEST_F(CompletionTest, ARightClickSelectsAndClosesWithoutInserting) {
  SetLine("x", 1);
  CtrlSpace();
  list().Press(TMouseButton::mbRight, 10, 13 + 5);
  EXPECT_EQ(list().ItemIndex(), 1);
  list().Release(TMouseButton::mbRight, 10, 13 + 5);
  EXPECT_FALSE(c().ListShown());
  EXPECT_EQ(Line(), "x");
  EXPECT_EQ(c().SelectedIndex(), 1);
}

TEST_F(CompletionTest, DraggingPastTheBottomScrollsOnTimerTicks) {
  OpenWithRows(10);
  const int height = list().ClientHeight();
  EXPECT_EQ(height, 78);
  list().Press(TMouseButton::mbLeft, 10, 13 + 5);
  EXPECT_FALSE(scrollTimer().Enabled());
  list().Move(10, height + 5);
  EXPECT_TRUE(scrollTimer().Enabled());
  EXPECT_EQ(scrollTimer().Interval(), 200);
  scrollTimer().Tick();
  EXPECT_EQ(list().TopIndex(), 1);
  EXPECT_EQ(list().ItemIndex(), 1);  // scrolling moves the view, not the selection
  list().Move(10, height + 13 + 1);
  EXPECT_EQ(scrollTimer().Interval(), 50);
  for (int i = 0; i < 10; ++i) scrollTimer().Tick();
  EXPECT_EQ(list().TopIndex(), 4);  // the last rows are in view
  list().Move(10, 20);
  EXPECT_FALSE(scrollTimer().Enabled());
  list().Move(10, -1);
  EXPECT_TRUE(scrollTimer().Enabled());
  EXPECT_EQ(scrollTimer().Interval(), 200);
  scrollTimer().Tick();
  EXPECT_EQ(list().TopIndex(), 3);
  list().Move(10, height + 40);
  list().Release(TMouseButton::mbLeft, 10, height + 40);
  EXPECT_FALSE(scrollTimer().Enabled());
  EXPECT_FALSE(c().ListShown());
  EXPECT_EQ(h.Text(), "");
}

TEST_F(CompletionTest, FocusLossCancelModeAndEditorClicksCloseWithoutInserting) {
  const std::function<void()> closers[] = {
      [&] { e().FocusOut(); },
      [&] { list().OnCancelMode(); },
      [&] { e().MouseDown(TMouseButton::mbLeft, 0, 100, 5); },
  };
  for (const auto& close : closers) {
    SetLine("al", 2);
    CtrlSpace();
    ASSERT_TRUE(c().ListShown());
    close();
    EXPECT_FALSE(c().ListShown());
    EXPECT_FALSE(list().Visible());
    EXPECT_EQ(Line(), "al");
    e().MouseUp(TMouseButton::mbLeft, 0, 100, 5);
  }
}
