// The Qt canvas: text runs with fixed advances and their background, fills, lines,
// clipping, colours through the resolver, metrics and the record of what was drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "ImageDiff.h"
#include "qt/QtCanvas.h"

namespace {

constexpr TColor kPaper = clWhite;
constexpr QRgb kPaperRgb = 0xFFFFFFFF;

// A canvas over a white image; system colours resolve to fixed plain ones.
struct CanvasFixture : ::testing::Test {
  CanvasFixture() : image(200, 60, QImage::Format_RGB32), canvas(Resolve) {
    image.fill(kPaperRgb);
    canvas.SetImage(&image);
    TFont font;
    font.Name = "Courier New";
    font.Height = 13;
    font.Color = clBlack;
    canvas.SetFont(font);
    canvas.SetBrushColor(kPaper);
  }
  static TColor Resolve(TColor c) {
    if (c == clWindow) return clRed;
    return IsSystemColor(c) ? clGreen : c;
  }
  // Columns holding dark (text) pixels.
  std::set<int> InkColumns() const {
    std::set<int> columns;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 128) columns.insert(x);
      }
    }
    return columns;
  }
  void Clear() { image.fill(kPaperRgb); }

  QImage image;
  QtCanvas canvas;
};

}  // namespace

TEST_F(CanvasFixture, RunCharactersStandExactlyTheirAdvancesApart) {
  const int wide[] = {20, 20, 20};
  canvas.TextOut(10, 5, "I", wide, nullptr);
  const std::set<int> one = InkColumns();
  ASSERT_FALSE(one.empty());

  Clear();
  canvas.TextOut(10, 5, "III", wide, nullptr);
  std::set<int> expected;
  for (int shift : {0, 20, 40}) {
    for (int c : one) expected.insert(c + shift);
  }
  EXPECT_EQ(InkColumns(), expected);

  // Narrower advances than the font's own squeeze the glyphs together the same way.
  Clear();
  const int narrow[] = {3, 3};
  canvas.TextOut(10, 5, "II", narrow, nullptr);
  std::set<int> squeezed(one);
  for (int c : one) squeezed.insert(c + 3);
  EXPECT_EQ(InkColumns(), squeezed);
}

// Runs are copied from cells drawn once per font and colour pair when every character
// fits its cell; a clip rectangle always draws the glyphs. Both must give the same pixels.
TEST_F(CanvasFixture, CopiedCellsLookExactlyLikeDrawnGlyphs) {
  const std::string text = "Hello, World! {}()[] 0Oo|_gjy\xC9\x80\x85";
  const TRect everything{0, 0, image.width(), image.height()};
  for (TFontStyles style : {TFontStyles{0}, fsBold, fsItalic, TFontStyles(fsBold | fsItalic)}) {
    for (TColor back : {clWhite, clNavy}) {
      TFont font = canvas.Font();
      font.Style = style;
      font.Color = back == clWhite ? clRed : clSilver;
      canvas.SetFont(font);
      canvas.SetBrushColor(back);
      const std::vector<int> advances(text.size(), canvas.TextWidth("W"));
      Clear();
      canvas.TextOut(3, 4, text, advances.data(), nullptr);
      canvas.TextOut(3, 30, text, advances.data(), nullptr);  // from the cells drawn before
      const QImage copied = image.copy();
      Clear();
      canvas.TextOut(3, 4, text, advances.data(), &everything);
      canvas.TextOut(3, 30, text, advances.data(), &everything);
      EXPECT_EQ(image, copied) << "style " << int(style) << " back " << back;
    }
  }
  // Runs that leave the image are cut at its edges.
  const std::vector<int> advances(text.size(), 9);
  Clear();
  canvas.TextOut(-20, 50, text, advances.data(), nullptr);
  const QImage copied = image.copy();
  Clear();
  canvas.TextOut(-20, 50, text, advances.data(), &everything);
  EXPECT_EQ(image, copied);
}

// Italic and bold glyphs whose ink reaches into the next cell (f, w, /) or the one before
// (A, j, _): runs side by side, as a line is drawn, starting and ending with such glyphs,
// over what was drawn before and across the wrap of a ring. Copied cells must give what
// drawing the glyphs gives (without advances the font's own, 8 pixels, are drawn).
TEST_F(CanvasFixture, GlyphsReachingIntoNeighbouringCellsAreCopiedExactly) {
  const std::vector<std::string> runs = {"fAw", "j", "y}_/", "Wolf", "_", "AKT Vf"};
  ASSERT_EQ(canvas.TextWidth("W"), 8);
  const auto drawLine = [&](int y, bool copy) {
    int x = -4;
    int k = 0;
    for (const std::string& run : runs) {
      TFont font = canvas.Font();
      font.Style = k % 3 == 2 ? TFontStyles(fsBold | fsItalic) : fsItalic;
      font.Color = k % 2 ? clNavy : clOlive;
      canvas.SetFont(font);
      canvas.SetBrushColor(k % 2 ? clWhite : clSilver);
      const std::vector<int> advances(run.size(), 8);
      canvas.TextOut(x, y, run, copy ? advances.data() : nullptr, nullptr);
      x += 8 * static_cast<int>(run.size());
      ++k;
    }
  };
  for (int offset : {0, 50}) {
    canvas.SetRowOffset(offset);
    Clear();
    drawLine(4, true);
    drawLine(40, true);
    const QImage copied = LogicalImage(image, canvas.RowOffset());
    Clear();
    drawLine(4, false);
    drawLine(40, false);
    EXPECT_EQ(Difference(LogicalImage(image, canvas.RowOffset()), copied), "")
        << "offset " << offset;
  }
}

TEST_F(CanvasFixture, RunBackgroundFillsAdvancesTimesFontHeightInBrushColour) {
  canvas.SetBrushColor(clBlue);
  const int advances[] = {8, 8, 8};
  canvas.TextOut(30, 10, "   ", advances, nullptr);
  const int height = canvas.TextHeight("W");
  EXPECT_EQ(image.pixel(30, 10), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(30 + 23, 10 + height - 1), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(30 + 24, 10), kPaperRgb);
  EXPECT_EQ(image.pixel(30, 10 + height), kPaperRgb);
  EXPECT_EQ(image.pixel(29, 10), kPaperRgb);

  // The brush is resolved: a system colour goes through the resolver.
  canvas.SetBrushColor(clWindow);
  canvas.TextOut(100, 10, " ", advances, nullptr);
  EXPECT_EQ(image.pixel(100, 10), qRgb(255, 0, 0));
}

TEST_F(CanvasFixture, TextColourAndBytesOfTheCodePage) {
  TFont font = canvas.Font();
  font.Color = clRed;
  canvas.SetFont(font);
  const int advances[] = {10};
  canvas.TextOut(10, 5, "\x80", advances, nullptr);  // the euro sign
  bool red = false;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60) red = true;
    }
  }
  EXPECT_TRUE(red);
  EXPECT_EQ(canvas.Font().Color, clRed);
}

TEST_F(CanvasFixture, ClipRectangleLimitsTheRunAndItsBackground) {
  canvas.SetBrushColor(clBlue);
  const int advances[] = {10, 10, 10, 10};
  const TRect clip{45, 0, 60, 60};
  canvas.TextOut(30, 10, "IIII", advances, &clip);
  for (int x : InkColumns()) {
    EXPECT_GE(x, 45);
    EXPECT_LT(x, 60);
  }
  EXPECT_EQ(image.pixel(44, 10), kPaperRgb);
  EXPECT_EQ(image.pixel(60, 10), kPaperRgb);
  EXPECT_EQ(image.pixel(45, 10), qRgb(0, 0, 255));

  // Clipping ends with the call.
  canvas.TextOut(100, 10, "    ", advances, nullptr);
  EXPECT_EQ(image.pixel(135, 10), qRgb(0, 0, 255));

  // A clip that misses the run draws nothing.
  Clear();
  const TRect away{0, 0, 5, 5};
  canvas.TextOut(30, 10, "IIII", advances, &away);
  EXPECT_TRUE(InkColumns().empty());
}

TEST_F(CanvasFixture, FillAndLinesWithTheLastPointLeftOut) {
  canvas.SetBrushColor(clWindow);
  canvas.FillRect(TRect{5, 5, 15, 10});
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(14, 9), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(15, 9), kPaperRgb);
  EXPECT_EQ(image.pixel(14, 10), kPaperRgb);

  canvas.SetPenColor(clBlack);
  canvas.SetPenWidth(1);
  canvas.MoveTo(50, 0);
  canvas.LineTo(50, 20);
  EXPECT_EQ(image.pixel(50, 0), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(50, 19), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(50, 20), kPaperRgb);
  EXPECT_EQ(image.pixel(49, 10), kPaperRgb);
  EXPECT_EQ(image.pixel(51, 10), kPaperRgb);

  // The pen moves on to the end point.
  canvas.LineTo(60, 20);
  EXPECT_EQ(image.pixel(55, 20), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(60, 20), kPaperRgb);

  // A wide pen stays a solid bar two pixels wide.
  canvas.SetPenWidth(2);
  canvas.MoveTo(100, 0);
  canvas.LineTo(100, 30);
  int dark = 0;
  for (int x = 97; x <= 103; ++x) dark += qGray(image.pixel(x, 15)) < 128;
  EXPECT_EQ(dark, 2);
  EXPECT_EQ(canvas.PenWidth(), 2);
}

// Lines straight down or right are filled directly into the image; they must match what
// the painter draws (here on an image the canvas can only paint on).
TEST_F(CanvasFixture, DirectLinesMatchPaintedLines) {
  QImage painted(image.size(), QImage::Format_ARGB32_Premultiplied);
  painted.fill(kPaperRgb);
  QtCanvas other(Resolve);
  other.SetImage(&painted);
  for (QtCanvas* c : {&canvas, &other}) {
    c->SetPenColor(clNavy);
    for (int width : {1, 2, 3, 4}) {
      c->SetPenWidth(width);
      c->MoveTo(20 * width, 2);
      c->LineTo(20 * width, 40);
      c->MoveTo(100, 10 * width);
      c->LineTo(190, 10 * width);
    }
    c->SetPenWidth(1);
    c->MoveTo(5, 55);  // beyond the image's bottom edge
    c->LineTo(5, 90);
  }
  other.SetImage(nullptr);
  EXPECT_EQ(image, painted.convertToFormat(QImage::Format_RGB32));
}

TEST_F(CanvasFixture, MetricsFollowTheFont) {
  const int w = canvas.TextWidth("W");
  EXPECT_GT(w, 0);
  EXPECT_EQ(canvas.TextWidth("WW"), 2 * w);
  EXPECT_EQ(canvas.TextWidth("ii"), 2 * w);  // fixed pitch
  const int h13 = canvas.TextHeight("W");
  EXPECT_GE(h13, 13);

  TFont big = canvas.Font();
  big.Height = 26;
  canvas.SetFont(big);
  EXPECT_GT(canvas.TextHeight("W"), h13);
  EXPECT_GT(canvas.TextWidth("W"), w);

  // Bold draws other glyphs than regular.
  TFont regular = canvas.Font();
  regular.Height = 13;
  canvas.SetFont(regular);
  const int advances[] = {10, 10, 10};
  canvas.TextOut(10, 5, "WWW", advances, nullptr);
  const QImage plain = image.copy();
  Clear();
  TFont bold = regular;
  bold.Style = fsBold;
  canvas.SetFont(bold);
  canvas.TextOut(10, 5, "WWW", advances, nullptr);
  EXPECT_NE(image, plain);
}

TEST_F(CanvasFixture, RecordsTheDrawnAreaAndReportsTheFirstDrawing) {
  int reports = 0;
  canvas.OnDirty = [&] { ++reports; };
  canvas.SetBrushColor(clBlue);
  canvas.FillRect(TRect{5, 5, 10, 10});
  canvas.FillRect(TRect{20, 20, 30, 25});
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(canvas.TakeDirty(), QRect(QPoint(5, 5), QPoint(29, 24)));
  EXPECT_TRUE(canvas.TakeDirty().isEmpty());

  const int advances[] = {7, 7};
  canvas.TextOut(40, 2, "ab", advances, nullptr);
  EXPECT_EQ(reports, 2);
  EXPECT_EQ(canvas.TakeDirty(), QRect(40, 2, 14, canvas.TextHeight("a")));

  // Empty drawings change nothing.
  canvas.FillRect(TRect{5, 5, 5, 10});
  canvas.TextOut(0, 0, "", advances, nullptr);
  EXPECT_TRUE(canvas.TakeDirty().isEmpty());
}

TEST_F(CanvasFixture, WithoutAnImageNothingIsDrawnButMetricsWork) {
  canvas.SetImage(nullptr);
  const int advances[] = {8};
  canvas.SetBrushColor(clBlue);
  canvas.FillRect(TRect{0, 0, 50, 50});
  canvas.TextOut(0, 0, "W", advances, nullptr);
  canvas.LineTo(30, 30);
  EXPECT_EQ(image.pixel(1, 1), kPaperRgb);
  EXPECT_GT(canvas.TextWidth("W"), 0);

  canvas.SetClipRect(TRect{1, 2, 3, 4});
  EXPECT_EQ(canvas.ClipRect(), (TRect{1, 2, 3, 4}));
}

TEST(QtColor, PlainColoursAreBgrAndFontsMapStyleBits) {
  EXPECT_EQ(ToQColor(0x00336699), QColor(0x99, 0x66, 0x33));
  EXPECT_EQ(FromQColor(QColor(0x99, 0x66, 0x33)), 0x00336699);
  TFont f;
  f.Name = "Courier New";
  f.Height = 17;
  f.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
  const QFont q = ToQFont(f);
  EXPECT_EQ(q.pixelSize(), 17);
  EXPECT_TRUE(q.bold());
  EXPECT_TRUE(q.italic());
  EXPECT_TRUE(q.underline());
  EXPECT_TRUE(q.strikeOut());
  EXPECT_FALSE(ToQFont(TFont{}).bold());
}

namespace {

// Draws through every path of the canvas (fills, lines along and across the axes, copied
// and drawn text, clipped text) at places that cross any row of a 200 x 60 image.
void DrawAcrossAllRows(QtCanvas& c) {
  c.SetBrushColor(clNavy);
  c.FillRect(TRect{2, 0, 12, 60});
  c.SetPenColor(clRed);
  c.SetPenWidth(3);
  c.MoveTo(20, -5);
  c.LineTo(20, 70);
  c.MoveTo(25, 0);
  c.LineTo(195, 59);  // diagonal
  c.SetPenWidth(1);
  c.MoveTo(195, 2);
  c.LineTo(30, 57);
  TFont font = c.Font();
  const std::string text = "Wrap{}gjy|";
  const std::vector<int> advances(text.size(), 9);
  const TRect clip{40, 0, 120, 60};
  for (int y = -8; y < 60; y += 7) {
    font.Style = y % 3 == 0 ? fsUnderline : (y % 3 == 1 ? fsItalic : 0);
    c.SetFont(font);
    c.SetBrushColor(y % 2 ? clSilver : clWhite);
    c.TextOut(y + 8, y, text, advances.data(), y % 2 ? &clip : nullptr);
  }
}

}  // namespace

TEST(RingTest, SplitAtWrapCutsARectangleWhereTheRowsWrap) {
  // Height 60, offset 20: logical rows 0..39 are stored from row 20, rows 40..59 from 0.
  auto parts = SplitAtWrap(QRect(5, 30, 10, 20), 60, 20);
  EXPECT_EQ(parts[0].Logical, QRect(5, 30, 10, 10));
  EXPECT_EQ(parts[0].Shift, 20);
  EXPECT_EQ(parts[1].Logical, QRect(5, 40, 10, 10));
  EXPECT_EQ(parts[1].Shift, -40);

  parts = SplitAtWrap(QRect(0, -10, 10, 30), 60, 0);  // no wrap; cut to the image
  EXPECT_EQ(parts[0].Logical, QRect(0, 0, 10, 20));
  EXPECT_TRUE(parts[1].Logical.isEmpty());
  EXPECT_TRUE(SplitAtWrap(QRect(0, 60, 10, 5), 60, 7)[0].Logical.isEmpty());
  EXPECT_TRUE(SplitAtWrap(QRect(0, 60, 10, 5), 60, 7)[1].Logical.isEmpty());
}

// The canvas draws logical coordinates into an image that is a ring in y: whatever the
// offset, the picture in logical order is the one drawn without an offset.
TEST_F(CanvasFixture, DrawingIntoARingGivesTheSamePicture) {
  DrawAcrossAllRows(canvas);
  const QImage expected = image.copy();
  for (int offset : {1, 13, 30, 59, 60 + 7, -3}) {
    Clear();
    canvas.SetRowOffset(offset);
    DrawAcrossAllRows(canvas);
    EXPECT_EQ(canvas.RowOffset(), ((offset % 60) + 60) % 60);
    EXPECT_EQ(Difference(LogicalImage(image, canvas.RowOffset()), expected), "")
        << "offset " << offset;
  }
  // The drawn area is recorded in logical coordinates.
  canvas.SetRowOffset(50);
  canvas.TakeDirty();
  canvas.SetBrushColor(clBlue);
  canvas.FillRect(TRect{5, 5, 10, 15});
  EXPECT_EQ(canvas.TakeDirty(), QRect(5, 5, 5, 10));
  EXPECT_EQ(image.pixel(5, 55), qRgb(0, 0, 255));  // logical row 5 is stored at row 55

  // A new image starts without an offset.
  canvas.SetImage(&image);
  EXPECT_EQ(canvas.RowOffset(), 0);

  // An image the canvas can only paint on takes the painter for fills as well.
  QImage painted(image.size(), QImage::Format_ARGB32_Premultiplied);
  painted.fill(kPaperRgb);
  QtCanvas other(Resolve);
  other.SetImage(&painted);
  other.SetFont(canvas.Font());
  DrawAcrossAllRows(other);
  const QImage plain = painted.copy();
  painted.fill(kPaperRgb);
  other.SetRowOffset(31);
  DrawAcrossAllRows(other);
  other.SetImage(nullptr);
  EXPECT_EQ(Difference(LogicalImage(painted, 31), plain), "");
}

// The bytes of a code page show its characters; a double-byte character is drawn once
// over its two cells from the CJK font, standing on the grid font's baseline, and a run
// that starts on its second byte (drawn from one cell to the left, clipped) shows its
// right half only.
TEST_F(CanvasFixture, CodePageCharactersAndDoubleByteGlyphsOverTwoCells) {
  const int advances[] = {8, 8, 8};
  const auto inkRows = [&] {
    std::set<int> rows;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 128) rows.insert(y);
      }
    }
    return rows;
  };
  canvas.TextOut(10, 5, "\xDF", advances, nullptr);
  const QImage western = image.copy();
  Clear();
  canvas.SetCodePage(TCodePage::cp1251);
  canvas.TextOut(10, 5, "\xDF", advances, nullptr);  // the Cyrillic capital ya
  EXPECT_NE(image, western);

  Clear();
  canvas.SetCodePage(TCodePage::cp932);
  canvas.TextOut(10, 5, "H", advances, nullptr);
  const int baseline = *inkRows().rbegin();
  Clear();
  canvas.TextOut(10, 5, "\x93\xFA", advances, nullptr);  // 日
  const std::set<int> columns = InkColumns();
  ASSERT_FALSE(columns.empty()) << "the CJK font draws it";
  EXPECT_GE(*columns.begin(), 10);
  EXPECT_LT(*columns.rbegin(), 26);
  EXPECT_LT(*columns.begin(), 18) << "ink in the first cell";
  EXPECT_GE(*columns.rbegin(), 18) << "and in the second";
  EXPECT_NEAR(*inkRows().rbegin(), baseline, 2);

  Clear();
  const TRect secondCell = TRect::FromSize(18, 5, 8, 20);
  canvas.TextOut(10, 5, "\x93\xFA", advances, &secondCell);
  const std::set<int> right = InkColumns();
  ASSERT_FALSE(right.empty());
  EXPECT_GE(*right.begin(), 18);
  std::set<int> expected;
  for (int c : columns) {
    if (c >= 18) expected.insert(c);
  }
  EXPECT_EQ(right, expected);
}
