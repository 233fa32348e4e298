// The editor control's state: creation values, property setters, update bracket,
// notifications, geometry and the scroll bar objects.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/EditorFixture.h"
#include "util/Errors.h"

namespace {

// Records the commands and text notifications the control sends to itself.
class ProbeEditor : public TRAEditor {
 public:
  using TRAEditor::TRAEditor;
  void Command(TEditCommand code) override { Commands.push_back(code); }
  void TextModified(int pos, int action, const std::string& text) override {
    Notified.emplace_back(pos, action, text);
  }
  void SelectSome() {
    FSelected = true;
    FSelBegX = 1;
    FSelEndX = 3;
  }
  std::vector<TEditCommand> Commands;
  std::vector<std::tuple<int, int, std::string>> Notified;
};

using Harness = EditorHarness<ProbeEditor>;

TEST(ControlDefaults, FreshControlHasTheCreationValues) {
  FakeHost host;
  TRAEditor e(host);
  EXPECT_EQ(e.TabStops(), "3 5");
  EXPECT_EQ(e.RightMargin(), 80);
  EXPECT_TRUE(e.RightMarginVisible());
  EXPECT_EQ(e.RightMarginColor(), clSilver);
  EXPECT_TRUE(e.InsertMode());
  EXPECT_FALSE(e.ReadOnly());
  EXPECT_EQ(e.SelBlockFormat(), bfNonInclusive);
  EXPECT_EQ(e.Font().Name, "Courier New");
  EXPECT_EQ(e.Font().Size(), 10);
  EXPECT_EQ(e.Color(), clWindow);
  EXPECT_EQ(e.GutterColor(), clBtnFace);
  EXPECT_EQ(e.GutterWidth(), 0);
  EXPECT_EQ(e.SelForeColor(), clHighlightText);
  EXPECT_EQ(e.SelBackColor(), clHighlight);
  EXPECT_EQ(e.ScrollBars(), TScrollStyle::ssBoth);
  EXPECT_EQ(e.BorderStyle(), TBorderStyle::bsSingle);
  EXPECT_TRUE(e.SmartTab() && e.BackSpaceUnindents() && e.AutoIndent() && e.GroupUndo());
  EXPECT_FALSE(e.KeepTrailingBlanks() || e.CursorBeyondEOF() || e.DoubleClickLine());
  EXPECT_EQ(e.MaxScrollH(), 1);
  EXPECT_EQ(e.MaxScrollV(), 1);
  EXPECT_FALSE(e.Modified() || e.Selected() || e.PaintAllPending());
  EXPECT_EQ(e.ScrollBarHorizontal().Kind, TScrollBarKind::sbHorizontal);
  EXPECT_EQ(e.ScrollBarVertical().Kind, TScrollBarKind::sbVertical);
  EXPECT_EQ(e.ScrollBarVertical().Handle, nullptr);
}

TEST(ControlWindow, CreateWndGivesTheWindowToTheBarsOfTheScrollStyle) {
  struct Case {
    TScrollStyle style;
    bool horz, vert;
  };
  for (Case c :
       {Case{TScrollStyle::ssNone, false, false}, Case{TScrollStyle::ssHorizontal, true, false},
        Case{TScrollStyle::ssVertical, false, true}, Case{TScrollStyle::ssBoth, true, true}}) {
    FakeHost host;
    TRAEditor e(host);
    e.SetScrollBars(c.style);
    EXPECT_EQ(host.InvalidateAllCount, 0) << "no window to recreate yet";
    e.CreateWnd();
    EXPECT_EQ(e.ScrollBarHorizontal().Handle, c.horz ? &host : nullptr);
    EXPECT_EQ(e.ScrollBarVertical().Handle, c.vert ? &host : nullptr);
    EXPECT_EQ(host.HasHorzBar, c.horz);
    EXPECT_EQ(host.HasVertBar, c.vert);
    EXPECT_TRUE(host.HasBorder);
    EXPECT_TRUE(e.PaintAllPending());
  }
}

TEST(ControlWindow, ChangingScrollBarsOrBorderRecreatesTheWindow) {
  Harness h;
  auto& e = *h.editor;
  const int before = h.host.InvalidateAllCount;
  e.SetScrollBars(TScrollStyle::ssVertical);
  EXPECT_EQ(e.ScrollBarHorizontal().Handle, nullptr);
  EXPECT_EQ(e.ScrollBarVertical().Handle, &h.host);
  EXPECT_EQ(h.host.InvalidateAllCount, before + 1);
  e.SetScrollBars(TScrollStyle::ssVertical);
  EXPECT_EQ(h.host.InvalidateAllCount, before + 1);
  e.SetBorderStyle(TBorderStyle::bsNone);
  EXPECT_EQ(e.BorderStyle(), TBorderStyle::bsNone);
  EXPECT_FALSE(h.host.HasBorder);
  EXPECT_FALSE(h.host.HasHorzBar);
  EXPECT_EQ(h.host.InvalidateAllCount, before + 2);
}

TEST(Geometry, CellsAndVisibleCountsFollowFontAndClientArea) {
  Harness h;  // 820 x 660, "W" 8 x 15
  auto& e = *h.editor;
  EXPECT_EQ(e.CellWidth(), 8);
  EXPECT_EQ(e.CellHeight(), 16);
  EXPECT_EQ(e.VisibleColCount(), 102);  // (820 - 2) / 8
  EXPECT_EQ(e.VisibleRowCount(), 41);
  EXPECT_EQ(e.LastVisibleCol(), 101);
  EXPECT_EQ(e.LastVisibleRow(), 40);
  EXPECT_EQ(e.CharWidths()[0], 8);
  EXPECT_EQ(e.CharWidths()[MaxLineAttr], 8);
  EXPECT_EQ(e.MaxScrollH(), 256);
  EXPECT_EQ(h.host.HorzBar.Max, 255);
  EXPECT_EQ(h.host.HorzBar.Page, 102);
  EXPECT_EQ(e.ScrollBarHorizontal().LargeChange(), 102);
  EXPECT_EQ(e.ScrollBarVertical().LargeChange(), 41);
  EXPECT_EQ(h.host.Paint.Font(), e.Font()) << "the canvas takes the control's font";
}

TEST(Geometry, TenLinesWithTwentyVisibleRowsScrollToTheLastLineOnTop) {
  Harness h;
  h.host.Height = 20 * 16;
  h.SetText("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
  h.editor->UpdateEditorSize();
  EXPECT_EQ(h.editor->MaxScrollV(), 10);
  EXPECT_EQ(h.host.VertBar.Min, 0);
  EXPECT_EQ(h.host.VertBar.Max, 28);
  EXPECT_EQ(h.host.VertBar.Page, 20);

  h.SetText("");
  EXPECT_EQ(h.editor->MaxScrollV(), 1) << "an empty text still has extent 1";
  EXPECT_EQ(h.host.VertBar.Max, 19);
  h.editor->SetMaxScrollH(10);
  EXPECT_EQ(h.host.HorzBar.Max, 9);
}

TEST(Geometry, ZeroSizedTextAreaKeepsPageStepsAtOne) {
  Harness h;
  auto& e = *h.editor;
  h.host.Width = 9;  // text area 7 pixels: less than one cell
  h.host.Height = 10;
  e.UpdateEditorSize();
  EXPECT_EQ(e.VisibleColCount(), 0);
  EXPECT_EQ(e.VisibleRowCount(), 0);
  EXPECT_EQ(e.ScrollBarHorizontal().LargeChange(), 1);
  EXPECT_EQ(e.ScrollBarVertical().LargeChange(), 1);
  EXPECT_EQ(h.host.HorzBar.Page, 0);

  h.host.Width = 1;  // narrower than the gutter strip
  e.UpdateEditorSize();
  EXPECT_EQ(e.EditorClient().Width(), 0);

  h.host.Width = 820;
  h.host.Paint.CharWidth = 0;  // a font measuring zero wide must not divide by zero
  e.UpdateEditorSize();
  EXPECT_EQ(e.CellWidth(), 1);
  EXPECT_EQ(e.VisibleColCount(), 818);
}

TEST(Geometry, GutterWidthMovesTheTextArea) {
  Harness h;
  auto& e = *h.editor;
  const int before = h.host.InvalidateAllCount;
  e.SetGutterWidth(18);
  EXPECT_EQ(e.EditorClient().Left(), 20);
  EXPECT_EQ(e.EditorClient().ClientRect(), (TRect{20, 0, 820, 660}));
  EXPECT_EQ(e.EditorClient().EditorRect(), (TRect{0, 0, 800, 660}));
  EXPECT_EQ(e.VisibleColCount(), 100);
  EXPECT_EQ(h.host.InvalidateAllCount, before + 1);
  e.SetGutterWidth(18);
  EXPECT_EQ(h.host.InvalidateAllCount, before + 1);
}

TEST(Geometry, FontChangeRecomputesOnceTheWindowExists) {
  FakeHost host;
  TRAEditor e(host);
  TFont big = e.Font();
  big.SetSize(14);
  e.SetFont(big);
  EXPECT_EQ(e.Font(), big);
  EXPECT_EQ(e.CellWidth(), 0) << "no geometry before the window exists";

  Harness h;
  h.host.Paint.CharWidth = 10;
  h.host.Paint.CharHeight = 19;
  h.editor->SetFont(big);
  EXPECT_EQ(h.editor->CellWidth(), 10);
  EXPECT_EQ(h.editor->CellHeight(), 20);
  EXPECT_EQ(h.host.Paint.Font(), big);
}

TEST(Geometry, ResizeAndLoadedRecomputeTheGrid) {
  Harness h;
  int resized = 0;
  h.editor->OnResize = [&](TRACustomEditor*) { ++resized; };
  h.host.Width = 402;
  h.editor->Resize();
  EXPECT_EQ(h.editor->VisibleColCount(), 50);
  EXPECT_EQ(resized, 1);

  FakeHost host;
  TRAEditor e(host);
  e.Loaded();
  EXPECT_EQ(e.CellWidth(), 8);
  EXPECT_EQ(e.VisibleRowCount(), 41);
}

TEST(ScrollBarObject, RangeErrorsLeaveTheBarUnchanged) {
  TRAControlScrollBar95 bar;
  bar.SetParams(0, 10);
  try {
    bar.SetMax(-1);
    FAIL() << "Max below Min must fail";
  } catch (const ERangeError& e) {
    EXPECT_STREQ(e.what(), "Scrollbar property out of range");
  }
  EXPECT_THROW(bar.SetParams(5, 4), ERangeError);
  EXPECT_THROW(bar.SetMin(11), ERangeError);
  EXPECT_THROW(bar.SetPage(-1), ERangeError);
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 10);
  EXPECT_EQ(bar.Page(), 1);

  EXPECT_THROW(bar.SetLargeChange(0), ERangeError);
  EXPECT_THROW(bar.SetLargeChange(32768), ERangeError);
  EXPECT_EQ(bar.LargeChange(), 1);
  bar.SetLargeChange(32767);
  EXPECT_EQ(bar.LargeChange(), 32767);
}

TEST(ScrollBarObject, EverySettingAppliesAllFourValuesToTheWindow) {
  FakeHost host;
  TRAControlScrollBar95 bar;
  bar.Kind = TScrollBarKind::sbVertical;
  bar.SetParams(0, 100);
  EXPECT_EQ(host.VertBar.Calls, 0) << "no window yet";
  bar.Handle = &host;
  bar.SetPage(10);
  EXPECT_EQ(host.VertBar.Calls, 1);
  EXPECT_EQ(host.VertBar.Max, 100);
  EXPECT_EQ(host.VertBar.Page, 10);
  bar.SetPosition(150);
  EXPECT_EQ(bar.Position(), 100);
  EXPECT_EQ(host.VertBar.Position, 100);
  bar.SetMax(40);
  EXPECT_EQ(bar.Position(), 40) << "a smaller range pulls the position in";
  EXPECT_EQ(host.VertBar.Position, 40);
  bar.SetPosition(-3);
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_EQ(host.HorzBar.Calls, 0);
}

TEST(ScrollBarObject, ScrollRequestsComputeClampAndReportThePosition) {
  FakeHost host;
  TRAControlScrollBar95 bar;
  bar.Handle = &host;
  bar.SetParams(0, 100);
  bar.SetLargeChange(10);
  std::vector<std::pair<int, int>> reported;
  bar.OnScroll = [&](TRAControlScrollBar95*, int code, int& pos) {
    reported.emplace_back(code, pos);
  };
  auto request = [&](int code, int from) {
    bar.SetPosition(from);
    bar.DoScroll(code);
    return bar.Position();
  };
  EXPECT_EQ(request(0, 50), 49);
  EXPECT_EQ(request(1, 50), 51);
  EXPECT_EQ(request(2, 50), 40);
  EXPECT_EQ(request(3, 50), 60);
  EXPECT_EQ(request(3, 95), 100) << "clamped to Max";
  EXPECT_EQ(request(2, 5), 0) << "clamped to Min";
  EXPECT_EQ(request(6, 50), 0);
  EXPECT_EQ(request(7, 50), 100);
  EXPECT_EQ(request(8, 50), 50);
  EXPECT_EQ(request(0x80 | 1, 50), 51) << "only the low 7 bits are the request";
  host.HorzTrack = 42;
  EXPECT_EQ(request(5, 50), 42);
  host.HorzTrack = 500;
  EXPECT_EQ(request(4, 50), 100);
  ASSERT_EQ(reported.size(), 12u);
  EXPECT_EQ(reported[4], std::make_pair(3, 100)) << "the handler sees the clamped value";
  EXPECT_EQ(reported[9], std::make_pair(1, 51));

  bar.OnScroll = [](TRAControlScrollBar95*, int, int& pos) { pos = 7; };
  EXPECT_EQ(request(1, 50), 7) << "the handler may change the position";
}

TEST(UpdateBracket, OnlyTheOutermostEndUpdateRefreshes) {
  Harness h;
  auto& e = *h.editor;
  int status = 0;
  e.OnChangeStatus = [&](TRACustomEditor*) { ++status; };
  e.Paint();      // consumes the creation's PaintAll
  e.EndUpdate();  // without BeginUpdate: nothing
  EXPECT_EQ(e.UpdateLock(), 0);
  EXPECT_FALSE(e.PaintAllPending());
  EXPECT_EQ(status, 0);
  e.BeginUpdate();
  e.BeginUpdate();
  h.host.Width = 402;
  const int before = h.host.InvalidateAllCount;
  e.EndUpdate();
  EXPECT_EQ(e.UpdateLock(), 1);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(h.host.InvalidateAllCount, before);
  e.EndUpdate();
  EXPECT_EQ(e.UpdateLock(), 0);
  EXPECT_TRUE(e.PaintAllPending());
  EXPECT_EQ(e.VisibleColCount(), 50);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(h.host.InvalidateAllCount, before + 1);
}

TEST(Notifications, ChangedMarksModifiedThenFiresChangeAndStatus) {
  Harness h;
  auto& e = *h.editor;
  std::vector<std::string> order;
  e.OnChange = [&](TRACustomEditor* s) {
    EXPECT_EQ(s, &e);
    EXPECT_TRUE(s->Modified());
    order.push_back("change");
  };
  e.OnChangeStatus = [&](TRACustomEditor*) { order.push_back("status"); };
  e.Changed();
  EXPECT_EQ(order, (std::vector<std::string>{"change", "status"}));
  e.OnChange = nullptr;
  e.OnChangeStatus = nullptr;
  e.Changed();  // unassigned events are skipped
  EXPECT_TRUE(e.Modified());
}

TEST(Notifications, GutterColorAndBookmarksRepaintTheGutter) {
  Harness h;
  auto& e = *h.editor;
  int gutterPaints = 0;
  e.OnPaintGutter = [&](TRACustomEditor*, Canvas& c) {
    EXPECT_EQ(&c, &h.host.Paint);
    ++gutterPaints;
  };
  e.SetGutterWidth(18);
  gutterPaints = 0;
  h.host.Paint.Reset();
  e.SetGutterColor(clGreen);
  ASSERT_FALSE(h.host.Paint.Calls.empty());
  EXPECT_EQ(h.host.Paint.Calls[0].color, clGreen);
  EXPECT_EQ(gutterPaints, 1);
  e.SetGutterColor(clGreen);
  EXPECT_EQ(gutterPaints, 1);
  e.BookmarkChanged(3);
  EXPECT_EQ(gutterPaints, 2);
}

TEST(Notifications, SelBlockFormatGoesThroughCommand) {
  Harness h;
  for (TSelBlockFormat f : {bfInclusive, bfLine, bfColumn, bfNonInclusive})
    h.editor->SetSelBlockFormat(f);
  EXPECT_EQ(h.editor->Commands, (std::vector<TEditCommand>{356, 357, 358, 359}));
}

TEST(RefreshText, TellsTheWholeTextAndRepaintsWhenShowing) {
  Harness h;
  auto& e = *h.editor;
  h.SetText("ab\ncd");
  e.Notified.clear();
  e.SelectSome();
  int before = h.host.InvalidateAllCount;
  e.RefreshText(false);
  EXPECT_TRUE(e.Selected());
  ASSERT_EQ(e.Notified.size(), 1u);
  EXPECT_EQ(e.Notified[0], std::make_tuple(0, 0, std::string("ab\r\ncd\r\n")));
  EXPECT_EQ(h.host.InvalidateAllCount, before + 1);

  e.RefreshText(true);
  EXPECT_FALSE(e.Selected());

  h.host.IsShowing = false;
  before = h.host.InvalidateAllCount;
  e.RefreshText(true);
  EXPECT_EQ(h.host.InvalidateAllCount, before);
  h.host.IsShowing = true;
  e.BeginUpdate();
  e.RefreshText(true);
  EXPECT_EQ(h.host.InvalidateAllCount, before) << "no repaint under the update lock";
  e.EndUpdate();
}

TEST(RefreshText, ReplacingTheWholeTextDropsTheSelectionAndUpdatesGeometry) {
  Harness h;
  auto& e = *h.editor;
  e.SelectSome();
  h.SetText("1\n2\n3\n4\n5\n");
  EXPECT_FALSE(e.Selected());
  EXPECT_EQ(e.MaxScrollV(), 5);
  ASSERT_FALSE(e.Notified.empty());
  EXPECT_EQ(std::get<2>(e.Notified.back()), "1\r\n2\r\n3\r\n4\r\n5\r\n");
}

TEST(Lines, SetLinesCopiesUnchangedAndClearsUndo) {
  Harness h;
  auto& e = *h.editor;
  Push<TCaretUndo>(&e, 1, 1);
  ASSERT_EQ(e.UndoBuffer()->Count(), 1);
  e.SetLines({"a\tb", "c  "});
  EXPECT_EQ(e.Lines().Count(), 2);
  EXPECT_EQ(e.Lines()[0], "a\tb") << "no tab expansion";
  EXPECT_EQ(e.Lines()[1], "c  ");
  EXPECT_EQ(e.UndoBuffer()->Count(), 0);
  EXPECT_EQ(e.MaxScrollV(), 2);
}

}  // namespace
