#include "qt/CanvasFont.h"

#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <utility>

#include "qt/CodePageText.h"

namespace {
// Colour pairs kept per font before the cells are dropped and drawn anew.
constexpr size_t kMaxCellSets = 256;
}  // namespace

QFont ToQFont(const TFont& font, int scale) {
  QFont f(QString::fromStdString(font.Name));
  f.setPixelSize(std::max(1, font.Height) * scale);
  f.setStyleHint(QFont::TypeWriter);
  f.setBold(font.Style & fsBold);
  f.setItalic(font.Style & fsItalic);
  f.setUnderline(font.Style & fsUnderline);
  f.setStrikeOut(font.Style & fsStrikeOut);
  f.setKerning(false);
  return f;
}

CanvasFont::CanvasFont(const TFont& font, int scale, TCodePage page)
    : FFont(ToQFont(font)),
      FMetrics(FFont),
      FRaw(QRawFont::fromFont(ToQFont(font, scale))),
      FCodec(codepage::TCodePageCodec::Of(page)),
      FScale(scale) {
  for (int b = 0; b < 256; ++b) {
    const char32_t c = FCodec.CharOfByte(static_cast<unsigned char>(b));
    const QList<quint32> glyph = FRaw.glyphIndexesForString(QString::fromUcs4(&c, 1));
    FGlyphs[b] = glyph.isEmpty() ? 0 : glyph.front();
    FInGrid[b] = b < 0x80 || (c != 0 && FGlyphs[b] != 0);
  }
  FAscent = FMetrics.ascent() * scale;
  FHeight = FMetrics.height() * scale;
}

FallbackFont& CanvasFont::Fallback(int cellWidth) {
  if (!FFallback) {
    QFont scaled = FFont;
    scaled.setPixelSize(FFont.pixelSize() * FScale);
    FFallback = std::make_unique<FallbackFont>(scaled, cellWidth, FCodec.Page());
  }
  return *FFallback;
}

// Draws the glyph black on white with room around it and keeps the box of its ink.
void CanvasFont::Measure(unsigned char b) {
  InkBox& box = FInk[b];
  box.Measured = true;
  const int margin = FHeight + 4;
  QImage scratch(3 * margin, 3 * margin, QImage::Format_RGB32);
  scratch.fill(Qt::white);
  {
    QPainter p(&scratch);
    QGlyphRun run;
    run.setRawFont(FRaw);
    const quint32 glyph = FGlyphs[b];
    const QPointF origin(0, 0);
    run.setRawData(&glyph, &origin, 1);
    p.setPen(Qt::black);
    p.drawGlyphRun(QPointF(margin, margin + FAscent), run);
  }
  for (int y = 0; y < scratch.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    for (int x = 0; x < scratch.width(); ++x) {
      if ((row[x] & 0xFFFFFF) == 0xFFFFFF) continue;
      const int cx = x - margin, cy = y - margin;
      if (box.Empty) {
        box = InkBox{true, false, cx, cy, cx + 1, cy + 1};
      } else {
        box.Left = std::min(box.Left, cx);
        box.Top = std::min(box.Top, cy);
        box.Right = std::max(box.Right, cx + 1);
        box.Bottom = std::max(box.Bottom, cy + 1);
      }
    }
  }
}

// The cell is drawn in the middle of three, with the neighbours' glyphs in the same
// glyph run as the run itself would draw them.
std::vector<uint32_t> CanvasFont::DrawCell(unsigned char b, QRgb fore, QRgb back, int advance,
                                           int prev, int next) const {
  QImage cell(3 * advance, FHeight, QImage::Format_RGB32);
  cell.fill(back);
  {
    QPainter p(&cell);
    quint32 glyphs[3];
    QPointF positions[3];
    int n = 0;
    for (const auto& [byte, x] : {std::pair{prev, 0}, {int{b}, advance}, {next, 2 * advance}}) {
      if (byte < 0) continue;
      glyphs[n] = FGlyphs[static_cast<size_t>(byte)];
      positions[n++] = QPointF(x, 0);
    }
    QGlyphRun run;
    run.setRawFont(FRaw);
    run.setRawData(glyphs, positions, n);
    p.setPen(QColor::fromRgb(fore));
    p.drawGlyphRun(QPointF(0, FAscent), run);
  }
  std::vector<uint32_t> pixels(static_cast<size_t>(advance) * FHeight);
  for (int y = 0; y < FHeight; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(cell.constScanLine(y));
    std::copy_n(row + advance, advance, pixels.begin() + static_cast<ptrdiff_t>(y) * advance);
  }
  return pixels;
}

const uint32_t* CanvasFont::NewCell(unsigned char b, QRgb fore, QRgb back, int advance) {
  if (advance != FCellAdvance) {
    FCellSets.clear();
    FBetween.clear();
    FLastSet = nullptr;
    FCellAdvance = advance;
  }
  const uint64_t colors = ColorKey(fore, back);
  if (!FLastSet || colors != FLastColors) {
    if (FCellSets.size() >= kMaxCellSets && !FCellSets.count(colors)) {
      FCellSets.clear();
      FBetween.clear();
    }
    auto& set = FCellSets[colors];
    if (!set) set = std::make_unique<CellSet>();
    FLastSet = set.get();
    FLastColors = colors;
  }
  std::vector<uint32_t>& cell = (*FLastSet)[b];
  if (cell.empty()) cell = DrawCell(b, fore, back, advance);
  return cell.data();
}

const uint32_t* CanvasFont::CellBetween(int prev, unsigned char b, int next, QRgb fore, QRgb back,
                                        int advance) {
  if (prev < 0 && next < 0) return Cell(b, fore, back, advance);
  // Cells kept per colour pair before they are dropped and drawn anew.
  constexpr size_t kMostKept = 4096;
  if (advance != FCellAdvance) NewCell(b, fore, back, advance);  // drops cells of another size
  auto& cells = FBetween[ColorKey(fore, back)];
  if (cells.size() >= kMostKept) cells.clear();
  const uint32_t key = static_cast<uint32_t>(prev & 0x1FF) << 18 | uint32_t{b} << 9 |
                       static_cast<uint32_t>(next & 0x1FF);
  std::vector<uint32_t>& cell = cells[key];
  if (cell.empty()) cell = DrawCell(b, fore, back, advance, prev, next);
  return cell.data();
}

int CanvasFont::TextWidth(const std::string& text) {
  // Kept for short texts only, and only a few of them: long runs are measured each time.
  constexpr size_t kLongestKept = 16;
  constexpr size_t kMostKept = 64;
  if (text.size() > kLongestKept) {
    return FMetrics.horizontalAdvance(codepagetext::ToQString(text, FCodec.Page()));
  }
  if (const auto known = FTextWidths.find(text); known != FTextWidths.end()) return known->second;
  if (FTextWidths.size() >= kMostKept) FTextWidths.clear();
  const int width = FMetrics.horizontalAdvance(codepagetext::ToQString(text, FCodec.Page()));
  FTextWidths.emplace(text, width);
  return width;
}
