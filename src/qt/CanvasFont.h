#pragma once
// One font of the Qt canvas for one code page: the glyph of each of the 256 bytes (the
// character the code page gives it) looked up once, where each glyph's ink lies, and
// cells pre-drawn per colour pair so that a run of text can be copied into the image
// instead of drawn glyph by glyph. Characters the font lacks (those of the double-byte
// code pages) come from a fallback font.
//
// On a screen with several device pixels per logical pixel the glyphs are drawn from the
// font at that many times its pixel height, while the metrics the control sees stay those
// of the font at its own height: the text lands crisp in cells of exactly Scale times the
// logical cell size.
#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <QRgb>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Types.h"
#include "qt/FallbackFont.h"
#include "util/CodePage.h"

class CanvasFont {
 public:
  explicit CanvasFont(const TFont& font, int scale = 1, TCodePage page = TCodePage::cp1252);

  const QFont& Font() const { return FFont; }
  // The metrics at the font's own height, in logical pixels.
  const QFontMetrics& Metrics() const { return FMetrics; }
  // The glyphs at Scale times the height; Ascent and Height are in device pixels.
  const QRawFont& Raw() const { return FRaw; }
  quint32 Glyph(unsigned char b) const { return FGlyphs[b]; }
  const codepage::TCodePageCodec& Codec() const { return FCodec; }
  // Whether byte B alone is a character drawn from this font (not a lead byte, not one
  // the font lacks).
  bool InGrid(unsigned char b) const { return FInGrid[b]; }
  // The font for the rest, made when first needed; CellWidth in device pixels.
  FallbackFont& Fallback(int cellWidth);
  qreal Ascent() const { return FAscent; }
  int Height() const { return FHeight; }
  int LogicalHeight() const { return FMetrics.height(); }
  // The advance of Text (bytes of the code page). The control asks for the same few
  // texts on every geometry update, so the answers are kept.
  int TextWidth(const std::string& text);

  // Where the ink of byte B lies against its cell, Advance wide and Height high: inside
  // it (0), or also in the cell on its left and/or right, or further (above or below the
  // cell, or beyond a neighbour).
  static constexpr unsigned kInside = 0, kIntoLeft = 1, kIntoRight = 2, kFurther = 4;
  unsigned Spill(unsigned char b, int advance) {
    if (!FInk[b].Measured) Measure(b);
    const InkBox& box = FInk[b];
    if (box.Empty) return kInside;
    if (box.Top < 0 || box.Bottom > FHeight || box.Left < -advance || box.Right > 2 * advance)
      return kFurther;
    return (box.Left < 0 ? kIntoLeft : 0) | (box.Right > advance ? kIntoRight : 0);
  }
  bool FitsCell(unsigned char b, int advance) { return Spill(b, advance) == kInside; }
  // The cell of byte B drawn in Fore on Back, Advance x Height pixels of
  // QImage::Format_RGB32, row by row. Runs ask for many cells of one colour pair in a
  // row: that case is answered here, the rest by NewCell.
  const uint32_t* Cell(unsigned char b, QRgb fore, QRgb back, int advance) {
    if (FLastSet && advance == FCellAdvance && ColorKey(fore, back) == FLastColors) {
      const std::vector<uint32_t>& cell = (*FLastSet)[b];
      if (!cell.empty()) return cell.data();
    }
    return NewCell(b, fore, back, advance);
  }
  // The cell of byte B as a run draws it between Prev and Next (-1: no such neighbour, or
  // one whose ink stays out of B's cell): Prev drawn first, then B, then Next, each
  // blended over what the others left, as in the run.
  const uint32_t* CellBetween(int prev, unsigned char b, int next, QRgb fore, QRgb back,
                              int advance);

 private:
  // Ink box of a glyph relative to the cell's top-left corner; empty for blanks.
  struct InkBox {
    bool Measured = false;
    bool Empty = true;
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
  };
  using CellSet = std::array<std::vector<uint32_t>, 256>;

  static uint64_t ColorKey(QRgb fore, QRgb back) {
    return static_cast<uint64_t>(fore & 0xFFFFFF) << 32 | (back & 0xFFFFFF);
  }
  void Measure(unsigned char b);
  const uint32_t* NewCell(unsigned char b, QRgb fore, QRgb back, int advance);
  std::vector<uint32_t> DrawCell(unsigned char b, QRgb fore, QRgb back, int advance, int prev = -1,
                                 int next = -1) const;

  QFont FFont;
  QFontMetrics FMetrics;
  QRawFont FRaw;
  const codepage::TCodePageCodec& FCodec;
  std::array<quint32, 256> FGlyphs{};
  std::array<bool, 256> FInGrid{};
  int FScale;
  std::unique_ptr<FallbackFont> FFallback;
  std::array<InkBox, 256> FInk{};
  qreal FAscent = 0;
  int FHeight = 0;
  int FCellAdvance = 0;
  std::unordered_map<uint64_t, std::unique_ptr<CellSet>> FCellSets;
  uint64_t FLastColors = 0;
  CellSet* FLastSet = nullptr;
  std::unordered_map<std::string, int> FTextWidths;
  // Cells between neighbours, by colour pair and the three bytes.
  std::unordered_map<uint64_t, std::unordered_map<uint32_t, std::vector<uint32_t>>> FBetween;
};

// The QFont for a TFont: pixel height (times Scale), family and style bits.
QFont ToQFont(const TFont& font, int scale = 1);
