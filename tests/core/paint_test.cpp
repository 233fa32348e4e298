// Painting through the canvas: runs of equal attributes, the attribute pipeline and its
// selection colours, the tail fill, the right margin, the gutter and whole paints.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "support/DbcsLocale.h"
#include "support/EditorFixture.h"

namespace {

// Lets a test place the selection and the view directly and hook the attribute stages.
class PaintEditor : public TRAEditor {
 public:
  using TRAEditor::TRAEditor;
  using Hook = std::function<void(TLineAttrs&, int lineIdx)>;
  void Select(int begX, int begY, int endX, int endY, TSelBlockFormat format) {
    FSelected = true;
    FSelBegX = begX;
    FSelBegY = begY;
    FSelEndX = endX;
    FSelEndY = endY;
    FSelBlockFormat = format;
  }
  void SetUpdateRange(int first, int last) {
    FSelUpdBegY = first;
    FSelUpdEndY = last;
  }
  void ViewFrom(int leftCol) {
    FLeftCol = leftCol;
    FLastVisibleCol = leftCol + FVisibleColCount - 1;
  }
  Hook OnAttr, OnChangeAttr;

 protected:
  void GetAttr(int lineIdx, int, int) override {
    if (OnAttr) OnAttr(FLineAttrs, lineIdx);
  }
  void ChangeAttr(int lineIdx, int, int) override {
    if (OnChangeAttr) OnChangeAttr(FLineAttrs, lineIdx);
  }
};

// 820 x 660 window, cells 8 x 16: text area from x 2, cells from x 3, 102 whole columns.
struct Painted : EditorHarness<PaintEditor> {
  RecordingCanvas& canvas() { return host.Paint; }
  PaintEditor& e() { return *editor; }
  std::vector<CanvasCall> Texts() const { return host.Paint.Texts(); }
  std::vector<CanvasCall> Of(CanvasCall::Kind kind) const {
    std::vector<CanvasCall> r;
    for (const auto& c : host.Paint.Calls)
      if (c.kind == kind) r.push_back(c);
    return r;
  }
  bool HasFill(const TRect& r, TColor color) const {
    return std::ranges::any_of(host.Paint.Calls, [&](const CanvasCall& c) {
      return c.kind == CanvasCall::FillRect && c.rect == r && c.color == color;
    });
  }
  void PaintOnly(int line, int colBeg = -1, int colEnd = -1) {
    host.Paint.Reset();
    editor->PaintLine(line, colBeg, colEnd);
  }
  bool IsSelected(int col) const {
    const TLineAttr& a = editor->LineAttrs()[col + 1];
    return a.ForeColor == clHighlightText && a.BackColor == clHighlight;
  }
};

constexpr int kCellX0 = 3;  // left of column 0's cell
int CellX(int col) {
  return kCellX0 + col * 8;
}

TEST(PaintGrid, CellRectFollowsGutterAndCellSize) {
  Painted p;
  EXPECT_EQ(p.e().CellRect(0, 0), (TRect{3, 0, 11, 16}));
  EXPECT_EQ(p.e().CellRect(2, 3), (TRect{19, 48, 27, 64}));
  p.e().SetGutterWidth(18);
  EXPECT_EQ(p.e().CellRect(1, 1), (TRect{29, 16, 37, 32}));
}

TEST(PaintRuns, EqualAttributesAreDrawnAsOneRunWithFixedAdvances) {
  Painted p;
  p.SetText("abc def");
  p.e().OnGetLineAttr = [](TRACustomEditor*, std::string&, int, TLineAttrs& a) {
    for (int i = 5; i <= 7; ++i) a[i] = TLineAttr{clRed, clOlive, fsBold};
  };
  p.PaintOnly(0);
  const auto texts = p.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "abc ");
  EXPECT_EQ(texts[0].rect.Left, CellX(0));
  EXPECT_EQ(texts[0].color, clWindowText);
  EXPECT_EQ(texts[0].background, clWindow);
  EXPECT_EQ(texts[1].text, "def");
  EXPECT_EQ(texts[1].rect.Left, CellX(4));
  EXPECT_EQ(texts[1].color, clRed);
  EXPECT_EQ(texts[1].background, clOlive);
  EXPECT_EQ(texts[1].style, fsBold);
  // Blanks after the line end run to the partly visible column 102.
  EXPECT_EQ(texts[2].text, std::string(96, ' '));
  EXPECT_EQ(texts[2].style, 0);
  for (const auto& t : texts) {
    EXPECT_FALSE(t.clipped);
    EXPECT_EQ(t.rect.Top, 0);
    EXPECT_EQ(t.advances, std::vector<int>(t.text.size(), 8));
  }
  // The strip left of the first cell, the bottom pixel rows under the runs, the tail.
  EXPECT_TRUE(p.HasFill({2, 0, 3, 16}, clWindow));
  EXPECT_TRUE(p.HasFill({CellX(0), 15, CellX(4), 16}, clWindow));
  EXPECT_TRUE(p.HasFill({CellX(4), 15, CellX(7), 16}, clOlive));
  EXPECT_TRUE(p.HasFill({CellX(103), 0, CellX(104), 16}, clWindow));
}

TEST(PaintRuns, PartialRangeEndsAtColEndAndFillsTheRestOfTheRow) {
  Painted p;
  p.SetText("ab\nabcdefghij");
  p.PaintOnly(0, 0, 5);
  auto texts = p.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "ab    ");
  EXPECT_TRUE(p.HasFill({CellX(6), 0, CellX(6) + 98 * 8, 16}, clWindow));

  p.PaintOnly(1, 2, 5);
  texts = p.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "cdef");
  EXPECT_EQ(texts[0].rect.Left, CellX(2));
  EXPECT_EQ(texts[0].rect.Top, 16);
}

// The last column of the range is drawn also when it starts a run of its own: the tail
// fill begins after it.
TEST(PaintRuns, TheLastColumnIsDrawnWhenItStartsARunOfItsOwn) {
  struct Case {
    int colBeg, colEnd, lastCol;
  };
  for (const Case c : {Case{-1, -1, 102}, Case{2, 5, 5}, Case{7, 7, 7}}) {
    Painted p;
    p.SetText(std::string(200, 'x'));
    p.e().OnGetLineAttr = [&](TRACustomEditor*, std::string&, int, TLineAttrs& a) {
      a[c.lastCol + 1] = TLineAttr{clRed, clOlive, 0};
    };
    p.PaintOnly(0, c.colBeg, c.colEnd);
    const auto texts = p.Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, "x") << c.lastCol;
    EXPECT_EQ(texts.back().rect.Left, CellX(c.lastCol));
    EXPECT_EQ(texts.back().color, clRed);
    EXPECT_FALSE(p.HasFill({CellX(c.lastCol), 0, CellX(c.lastCol + 1), 16}, clWindow));
  }
}

TEST(PaintRuns, RowsWithoutALineAreBackgroundAndRowsBelowTheViewAreSkipped) {
  Painted p;
  p.SetText("x\ny");
  p.e().SetColor(clWhite);
  p.PaintOnly(5);
  EXPECT_TRUE(p.Texts().empty());
  EXPECT_TRUE(p.HasFill({2, 80, 3, 96}, clWhite));
  EXPECT_TRUE(p.HasFill({CellX(0), 80, CellX(104), 96}, clWhite));

  p.PaintOnly(41);  // the partly visible row under the last whole one
  EXPECT_FALSE(p.canvas().Calls.empty());
  p.PaintOnly(42);
  EXPECT_TRUE(p.canvas().Calls.empty());
}

TEST(PaintRuns, LinesLongerThan1024ShowOnlyColumnsUpTo1023) {
  Painted p;
  std::string line;
  for (int i = 0; i < 1100; ++i) line.push_back(static_cast<char>('a' + i % 26));
  p.e().SetLines({line});
  p.e().ViewFrom(1000);
  p.PaintOnly(0);
  const auto texts = p.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, line.substr(1000, 24));
  EXPECT_EQ(texts[0].advances.size(), 24u);
  // Right of column 1023 only background: 1102 - 1024 + 2 cells.
  EXPECT_TRUE(p.HasFill({CellX(24), 0, CellX(24) + 80 * 8, 16}, clWindow));

  // A stream selection starting far right marks up to the end of the attribute array.
  p.e().Select(1010, 0, 5, 1, bfNonInclusive);
  p.PaintOnly(0);
  EXPECT_TRUE(p.IsSelected(1023));
  EXPECT_FALSE(p.IsSelected(1009));

  // A view entirely right of column 1023 draws no text at all.
  p.e().ViewFrom(1024);
  p.PaintOnly(0);
  EXPECT_TRUE(p.Texts().empty());
  EXPECT_TRUE(p.HasFill({CellX(0), 0, CellX(104), 16}, clHighlight));
}

TEST(PaintRuns, RunStartingOnATrailByteIsDrawnWithItsLeadByteClipped) {
  Painted p;
  DbcsLocale dbcs;
  p.SetText(
      "ab\x82\xA0"
      "cdef");
  p.e().ViewFrom(3);
  p.host.LocaleOverride = &dbcs;
  p.PaintOnly(0, 3, 6);
  auto texts = p.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text,
            "\x82\xA0"
            "cde");
  EXPECT_EQ(texts[0].rect.Left, CellX(0) - 8);
  ASSERT_TRUE(texts[0].clipped);
  EXPECT_EQ(texts[0].clip, (TRect{CellX(0), 0, CellX(4), 16}));
  EXPECT_EQ(texts[0].advances, std::vector<int>(5, 8));

  // Starting on the lead byte or under a single-byte code page: drawn as it is.
  p.e().ViewFrom(2);
  p.PaintOnly(0, 2, 5);
  texts = p.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text,
            "\x82\xA0"
            "cd");
  EXPECT_FALSE(texts[0].clipped);
  p.host.LocaleOverride = nullptr;
  p.e().ViewFrom(3);
  p.PaintOnly(0, 3, 6);
  texts = p.Texts();
  EXPECT_EQ(texts[0].text,
            "\xA0"
            "cde");
  EXPECT_EQ(texts[0].rect.Left, CellX(0));
  EXPECT_FALSE(texts[0].clipped);

  // A selection that ends between the two bytes: the run after it draws the character
  // again from its lead byte, clipped to its own cells.
  p.host.LocaleOverride = &dbcs;
  p.e().ViewFrom(0);
  p.e().Select(0, 0, 3, 0, bfNonInclusive);
  p.PaintOnly(0, 0, 6);
  texts = p.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "ab\x82\xA0") << "the selected lead byte takes its second along";
  ASSERT_TRUE(texts[0].clipped);
  EXPECT_EQ(texts[0].clip, (TRect{CellX(0), 0, CellX(3), 16}));
  EXPECT_EQ(texts[1].text.substr(0, 3),
            "\x82\xA0"
            "c");
  EXPECT_EQ(texts[1].rect.Left, CellX(2));
  ASSERT_TRUE(texts[1].clipped);
  EXPECT_EQ(texts[1].clip.Left, CellX(3));
  p.host.LocaleOverride = nullptr;
}

TEST(PaintSelection, TwoLineStreamSelection) {
  for (TSelBlockFormat f : {bfNonInclusive, bfLine, bfInclusive}) {
    Painted p;
    p.SetText("0123456789\n0123456789\n0123456789");
    p.e().Select(3, 0, 2, 1, f);
    p.PaintOnly(0);
    EXPECT_FALSE(p.IsSelected(2));
    EXPECT_TRUE(p.IsSelected(3));
    EXPECT_TRUE(p.IsSelected(102));
    auto texts = p.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text.substr(0, 7), "3456789");
    EXPECT_EQ(texts[1].color, clHighlightText);
    EXPECT_EQ(texts[1].background, clHighlight);
    EXPECT_TRUE(p.HasFill({CellX(103), 0, CellX(104), 16}, clHighlight)) << "line break selected";

    p.PaintOnly(1);
    EXPECT_TRUE(p.IsSelected(0));
    EXPECT_TRUE(p.IsSelected(1));
    EXPECT_EQ(p.IsSelected(2), f == bfInclusive);
    EXPECT_FALSE(p.IsSelected(3));
    EXPECT_TRUE(p.HasFill({CellX(103), 16, CellX(104), 32}, clWindow));
  }
}

TEST(PaintSelection, SingleAndInnerLines) {
  Painted p;
  p.SetText("0123456789\n0123456789\n0123456789");
  p.e().Select(2, 1, 5, 1, bfNonInclusive);
  p.PaintOnly(1);
  EXPECT_FALSE(p.IsSelected(1));
  EXPECT_TRUE(p.IsSelected(2) && p.IsSelected(4));
  EXPECT_FALSE(p.IsSelected(5));
  EXPECT_TRUE(p.HasFill({CellX(103), 16, CellX(104), 32}, clWindow));
  p.e().Select(2, 1, 5, 1, bfInclusive);
  p.PaintOnly(1);
  EXPECT_TRUE(p.IsSelected(5));
  EXPECT_FALSE(p.IsSelected(6));

  p.e().Select(5, 0, 1, 2, bfNonInclusive);
  p.PaintOnly(1);
  for (int col : {0, 9, 50, 102}) EXPECT_TRUE(p.IsSelected(col)) << col;
  ASSERT_EQ(p.Texts().size(), 1u);
}

TEST(PaintSelection, ColumnBlockMarksTheSameColumnsAndNeverTheTail) {
  Painted p;
  p.SetText("0123456789\n01\n0123456789\n0123456789");
  p.e().Select(2, 0, 4, 2, bfColumn);
  for (int line = 0; line <= 2; ++line) {
    p.PaintOnly(line);
    EXPECT_FALSE(p.IsSelected(1));
    EXPECT_TRUE(p.IsSelected(2) && p.IsSelected(4)) << line;
    EXPECT_FALSE(p.IsSelected(5));
    const int y = line * 16;
    EXPECT_TRUE(p.HasFill({CellX(103), y, CellX(104), y + 16}, clWindow));
  }
  p.PaintOnly(3);
  EXPECT_FALSE(p.IsSelected(2));
}

TEST(PaintPipeline, StagesRunInOrderAndSelectionWinsOverTheEvent) {
  Painted p;
  p.SetText("abcdefgh");
  std::vector<std::string> stages;
  p.e().OnAttr = [&](TLineAttrs& a, int) {
    stages.push_back("attr");
    a[6].ForeColor = clBlue;
  };
  p.e().OnGetLineAttr = [&](TRACustomEditor*, std::string& line, int index, TLineAttrs& a) {
    stages.push_back("event");
    EXPECT_EQ(index, 0);
    EXPECT_EQ(a[6].ForeColor, clBlue) << "the event sees GetAttr's colours";
    for (int i = 1; i <= 103; ++i) a[i].BackColor = clRed;
    line = "zzzzzzzz";  // a copy: what is drawn does not change
  };
  p.e().OnChangeAttr = [&](TLineAttrs& a, int) {
    stages.push_back("change");
    EXPECT_EQ(a[3].BackColor, clHighlight) << "selection colours come before ChangeAttr";
    a[3].BackColor = clGreen;
  };
  p.e().Select(1, 0, 4, 0, bfNonInclusive);
  p.PaintOnly(0);
  EXPECT_EQ(stages, (std::vector<std::string>{"attr", "event", "change"}));
  const TLineAttrs& a = p.e().LineAttrs();
  EXPECT_EQ(a[1].BackColor, clRed);
  EXPECT_EQ(a[2].BackColor, clHighlight);
  EXPECT_EQ(a[3].BackColor, clGreen);
  EXPECT_EQ(a[4].BackColor, clHighlight);
  EXPECT_EQ(a[5].BackColor, clRed);
  EXPECT_EQ(a[6].ForeColor, clBlue);
  std::string drawn;
  for (const auto& t : p.Texts()) drawn += t.text;
  EXPECT_EQ(drawn.substr(0, 8), "abcdefgh");
  EXPECT_EQ(p.e().Lines()[0], "abcdefgh");
}

TEST(PaintMargin, DrawnInsideTheViewOnly) {
  Painted p;
  p.SetText("x");
  auto marginLines = [&] {
    std::vector<CanvasCall> r;
    for (const auto& c : p.Of(CanvasCall::Line))
      if (c.color == clSilver) r.push_back(c);
    return r;
  };
  p.PaintOnly(0);
  auto lines = marginLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rect, (TRect{CellX(80), 0, CellX(80), 660}));

  p.e().ViewFrom(79);
  p.PaintOnly(0);
  ASSERT_EQ(marginLines().size(), 1u);
  EXPECT_EQ(marginLines()[0].rect.Left, CellX(1));
  p.e().ViewFrom(80);
  p.PaintOnly(0);
  EXPECT_TRUE(marginLines().empty()) << "scrolled past the margin";

  p.e().ViewFrom(0);
  p.e().SetRightMarginVisible(false);
  p.PaintOnly(0);
  EXPECT_TRUE(marginLines().empty());

  // Shown only while RightMargin < LastVisibleCol + 3.
  p.e().SetRightMarginVisible(true);
  p.host.Width = 2 + 78 * 8;
  p.e().UpdateEditorSize();
  p.PaintOnly(0);
  EXPECT_TRUE(marginLines().empty());
  p.host.Width = 2 + 79 * 8;
  p.e().UpdateEditorSize();
  p.PaintOnly(0);
  EXPECT_EQ(marginLines().size(), 1u);
}

TEST(PaintGutter, StripLinesThenTheApplicationsDrawing) {
  Painted p;
  p.e().SetGutterWidth(18);
  p.e().SetGutterColor(clGreen);
  p.e().SetColor(clWhite);
  int calls = 0;
  p.e().OnPaintGutter = [&](TRACustomEditor* sender, Canvas& c) {
    EXPECT_EQ(sender, p.editor.get());
    ++calls;
    c.SetBrushColor(clRed);
    c.FillRect({2, 2, 6, 6});
  };
  p.canvas().Reset();
  p.e().BookmarkChanged(0);
  const auto& c = p.canvas().Calls;
  ASSERT_EQ(c.size(), 5u);
  EXPECT_EQ(c[0].kind, CanvasCall::FillRect);
  EXPECT_EQ(c[0].rect, (TRect{0, 0, 18, 660}));
  EXPECT_EQ(c[0].color, clGreen);
  auto isLine = [](const CanvasCall& l, int x, TColor color, int width) {
    return l.kind == CanvasCall::Line && l.rect == TRect{x, 0, x, 660} && l.color == color &&
           l.penWidth == width;
  };
  EXPECT_TRUE(isLine(c[1], 16, clWhite, 1));
  EXPECT_TRUE(isLine(c[2], 19, clWhite, 2));
  EXPECT_TRUE(isLine(c[3], 17, clGray, 1));
  EXPECT_EQ(c[4].color, clRed);
  EXPECT_EQ(calls, 1);
}

TEST(PaintWhole, PaintAllDrawsEveryRowThenOnlyTheClipRegion) {
  Painted p;
  std::string text;
  for (int i = 0; i < 60; ++i) text += "line " + std::to_string(i) + " of the text\n";
  p.SetText(text);
  p.canvas().Clip = {0, 0, 10, 10};
  p.canvas().Reset();
  ASSERT_TRUE(p.e().PaintAllPending());
  p.e().Paint();
  std::set<int> rows;
  for (const auto& t : p.Texts()) rows.insert(t.rect.Top / 16);
  EXPECT_EQ(rows.size(), 42u) << "41 whole rows and the partly visible one";
  EXPECT_FALSE(p.e().PaintAllPending());
  EXPECT_EQ(p.canvas().Calls.back().kind, CanvasCall::Line) << "the gutter comes last";

  p.canvas().Clip = {40, 32, 80, 48};
  p.canvas().Reset();
  p.e().Paint();
  const auto texts = p.Texts();
  ASSERT_EQ(texts.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(texts[i].rect.Top, (2 + i) * 16);
    EXPECT_EQ(texts[i].rect.Left, CellX(4));
    EXPECT_EQ(texts[i].text, p.e().Lines()[2 + i].substr(4, 8));
  }
}

TEST(PaintWhole, NothingIsDrawnUnderTheUpdateLock) {
  Painted p;
  p.SetText("abc");
  p.e().BeginUpdate();
  p.canvas().Reset();
  p.e().Paint();
  EXPECT_TRUE(p.canvas().Calls.empty());
  EXPECT_TRUE(p.e().PaintAllPending());
  p.e().EndUpdate();
  p.e().Paint();
  EXPECT_FALSE(p.canvas().Texts().empty());
}

TEST(PaintWhole, SelectionLinesRepaintTheRecordedRange) {
  Painted p;
  p.SetText("a\nb\nc\nd\ne");
  p.e().Select(0, 1, 1, 3, bfNonInclusive);
  p.e().SetUpdateRange(1, 3);
  p.canvas().Reset();
  p.e().PaintSelectionLines();
  std::set<int> rows;
  for (const auto& t : p.Texts()) rows.insert(t.rect.Top / 16);
  EXPECT_EQ(rows, (std::set<int>{1, 2, 3}));

  p.e().SetUpdateRange(-5, 100000);  // lines outside the view cost nothing and draw nothing
  p.canvas().Reset();
  p.e().PaintSelectionLines();
  rows.clear();
  for (const auto& t : p.Texts()) rows.insert(t.rect.Top / 16);
  EXPECT_EQ(rows.size(), 5u);
}

}  // namespace
