#pragma once
// The font the canvas draws the characters of a double-byte code page from, which the
// grid font has no glyphs for (Chinese, Japanese, Korean): one of the CJK fonts the
// package depends on, at a size whose glyphs fit two cells of the grid, drawn on the
// grid font's baseline.
#include <QRawFont>
#include <unordered_map>

#include "util/CodePage.h"

class FallbackFont {
 public:
  // Grid is the grid font at Scale times its height, CellWidth one cell in device pixels.
  FallbackFont(const QFont& grid, int cellWidth, TCodePage page);

  const QRawFont& Raw() const { return FRaw; }
  // The glyph of C (0 when the font has none) and its advance in device pixels.
  quint32 Glyph(char32_t c);
  qreal Advance(quint32 glyph) const;

 private:
  QRawFont FRaw;
  std::unordered_map<char32_t, quint32> FGlyphs;
};
