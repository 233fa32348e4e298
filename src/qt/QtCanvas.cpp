#include "qt/QtCanvas.h"

#include <QGlyphRun>
#include <QString>
#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Puts one pixel row of each cell side by side: row Offset of each, N pixels wide.
template <int N>
void CopyCellRow(uint32_t* to, const uint32_t* const* cells, size_t count, ptrdiff_t offset) {
  for (size_t i = 0; i < count; ++i, to += N) std::memcpy(to, cells[i] + offset, N * 4);
}

void CopyCellRow(uint32_t* to, const uint32_t* const* cells, size_t count, ptrdiff_t offset,
                 int advance) {
  switch (advance) {
    case 6:
      CopyCellRow<6>(to, cells, count, offset);
      return;
    case 7:
      CopyCellRow<7>(to, cells, count, offset);
      return;
    case 8:
      CopyCellRow<8>(to, cells, count, offset);
      return;
    case 9:
      CopyCellRow<9>(to, cells, count, offset);
      return;
    case 10:
      CopyCellRow<10>(to, cells, count, offset);
      return;
    default:
      for (size_t i = 0; i < count; ++i, to += advance) {
        std::memcpy(to, cells[i] + offset, static_cast<size_t>(advance) * 4);
      }
  }
}

// Copies N pixels; the usual cell widths get a copy of fixed size, done inline.
void CopyPixels(const uint32_t* from, uint32_t* to, int n) {
  CopyCellRow(to, &from, 1, 0, n);
}

}  // namespace

QColor ToQColor(TColor plain) {
  const auto c = static_cast<uint32_t>(plain);
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color) {
  return static_cast<TColor>(static_cast<uint32_t>(color.red()) |
                             static_cast<uint32_t>(color.green()) << 8 |
                             static_cast<uint32_t>(color.blue()) << 16);
}

std::array<RingPart, 2> SplitAtWrap(const QRect& logical, int height, int offset) {
  std::array<RingPart, 2> parts;
  const QRect inside = logical & QRect(logical.left(), 0, logical.width(), height);
  if (inside.isEmpty()) return parts;
  const int wrap = height - offset;  // the first logical row stored at physical row 0
  parts[0] = {inside & QRect(inside.left(), 0, inside.width(), wrap), offset};
  parts[1] = {inside & QRect(inside.left(), wrap, inside.width(), offset), -wrap};
  return parts;
}

QImage LogicalImage(const QImage& ring, int offset) {
  QImage out = ring.copy();
  if (offset == 0 || out.isNull()) return out;
  const auto bytes = static_cast<size_t>(std::min(ring.bytesPerLine(), out.bytesPerLine()));
  for (const RingPart& part : SplitAtWrap(ring.rect(), ring.height(), offset)) {
    for (int y = part.Logical.top(); y <= part.Logical.bottom(); ++y) {
      std::memcpy(out.scanLine(y), ring.constScanLine(y + part.Shift), bytes);
    }
  }
  return out;
}

QtCanvas::QtCanvas(std::function<TColor(TColor)> resolve) : FResolve(std::move(resolve)) {}

QtCanvas::~QtCanvas() = default;

void QtCanvas::SetImage(QImage* image, int scale) {
  if (scale != FScale) {
    FFonts.clear();
    FCurrent = nullptr;
  }
  FScale = std::max(1, scale);
  FPainter.reset();
  FScratchPainter.reset();
  FScratch = QImage();
  FImage = image;
  FBits = nullptr;
  FHeight = 0;
  FRowOffset = 0;
  FDirty = QRect();
  if (!FImage || FImage->isNull()) return;
  FHeight = FImage->height();
  if (FImage->format() == QImage::Format_RGB32) {
    FBits = FImage->bits();
    FStride = FImage->bytesPerLine();
  }
  FPainter = std::make_unique<QPainter>(FImage);
}

void QtCanvas::SetRowOffset(int offset) {
  FRowOffset = FHeight > 0 ? (offset % FHeight + FHeight) % FHeight : 0;
}

// Each side of the wrap is drawn with the side's shift added to the y coordinates (not
// with a painter transform: under one, Qt draws underlines on other rows), clipped to
// the side's rows unless the drawing lies wholly inside them.
template <typename Draw>
void QtCanvas::Painted(const QRect& reach, const QRect* clip, Draw&& draw) {
  if (FRowOffset == 0) {
    if (clip) FPainter->setClipRect(*clip);
    draw(*FPainter, 0);
    if (clip) FPainter->setClipping(false);
    return;
  }
  for (const RingPart& side : SplitAtWrap(FImage->rect(), FHeight, FRowOffset)) {
    const QRect& rows = side.Logical;
    if (reach.bottom() < rows.top() || reach.top() > rows.bottom()) continue;
    const bool inside = reach.top() >= rows.top() && reach.bottom() <= rows.bottom();
    if (inside && !clip) {
      draw(*FPainter, side.Shift);
      continue;
    }
    const QRect limit = inside ? *clip : (clip ? *clip & rows : rows);
    if (limit.isEmpty()) continue;
    FPainter->setClipRect(limit.translated(0, side.Shift));
    draw(*FPainter, side.Shift);
    FPainter->setClipping(false);
  }
}

bool QtCanvas::OnOneSide(const QRect& reach) const {
  const int wrap = FHeight - FRowOffset;
  return (reach.top() >= 0 && reach.bottom() < wrap) ||
         (reach.top() >= wrap && reach.bottom() < FHeight);
}

// Draws into a scratch image of the same size holding the same logical rows, which are
// then copied back.
template <typename Draw>
void QtCanvas::PaintedUnmoved(const QRect& reach, Draw&& draw) {
  const QRect rows = QRect(0, reach.top(), FImage->width(), reach.height()) & FImage->rect();
  if (rows.isEmpty()) return;
  if (FScratch.size() != FImage->size() || FScratch.format() != FImage->format()) {
    FScratchPainter.reset();
    FScratch = QImage(FImage->size(), FImage->format());
    FScratchPainter = std::make_unique<QPainter>(&FScratch);
  }
  const auto bytes = static_cast<size_t>(FImage->bytesPerLine());
  for (int y = rows.top(); y <= rows.bottom(); ++y) {
    std::memcpy(FScratch.scanLine(y), FImage->constScanLine(Physical(y)), bytes);
  }
  draw(*FScratchPainter, 0);
  for (int y = rows.top(); y <= rows.bottom(); ++y) {
    std::memcpy(FImage->scanLine(Physical(y)), FScratch.constScanLine(y), bytes);
  }
}

QRect QtCanvas::TakeDirty() {
  return std::exchange(FDirty, QRect());
}

void QtCanvas::MarkDirty(const QRect& rect) {
  if (rect.isEmpty()) return;
  const bool wasClean = FDirty.isEmpty();
  const int s = FScale;
  FDirty |= QRect(QPoint(rect.left() / s, rect.top() / s),
                  QPoint((rect.right() + s) / s - 1, (rect.bottom() + s) / s - 1));
  if (wasClean && !FDirty.isEmpty() && OnDirty) OnDirty();
}

void QtCanvas::SetFont(const TFont& font) {
  if (font.Name != FFont.Name || font.Height != FFont.Height || font.Style != FFont.Style) {
    FCurrent = nullptr;
  }
  FFont = font;
}

void QtCanvas::SetCodePage(TCodePage page) {
  if (page != FCodePage) FCurrent = nullptr;
  FCodePage = page;
}

CanvasFont& QtCanvas::CurrentFont() {
  if (FCurrent) return *FCurrent;
  auto& slot = FFonts[FontKey{FFont.Name, FFont.Height, FFont.Style, FCodePage}];
  if (!slot) slot = std::make_unique<CanvasFont>(FFont, FScale, FCodePage);
  FCurrent = slot.get();
  return *FCurrent;
}

void QtCanvas::FillRect(const TRect& rect) {
  if (!FPainter) return;
  const QRect r = Scaled(QRect(rect.Left, rect.Top, rect.Width(), rect.Height())) & FImage->rect();
  if (r.isEmpty()) return;
  if (FBits) {
    FillPixels(r, ResolvedPixel(FBrush));
  } else {
    const QColor color = Resolved(FBrush);
    Painted(r, nullptr, [&](QPainter& p, int shift) { p.fillRect(r.translated(0, shift), color); });
  }
  MarkDirty(r);
}

// Draws from the current point to (x, y); the flat cap leaves the end point out.
void QtCanvas::LineTo(int x, int y) {
  const QPoint from(FPos.X * FScale, FPos.Y * FScale);
  const QPoint to(x * FScale, y * FScale);
  FPos = {x, y};
  if (!FPainter || from == to) return;
  const int width = std::max(1, FPenWidth) * FScale;
  if (FBits && FillAxisLine(from, to, width)) return;
  const QRect reach = QRect(from, to).normalized().adjusted(-width, -width, width, width);
  const QPen pen(Resolved(FPen), width, Qt::SolidLine, Qt::FlatCap);
  const auto draw = [&](QPainter& p, int shift) {
    p.setPen(pen);
    p.drawLine(from + QPoint(0, shift), to + QPoint(0, shift));
  };
  // Qt cuts a line at the image's edges and clip before drawing it, rounding the new
  // ends: a line moved across an edge or cut at the wrap could come out a pixel different.
  if (FRowOffset != 0 && !OnOneSide(reach)) {
    PaintedUnmoved(reach, draw);
  } else {
    Painted(reach, nullptr, draw);
  }
  MarkDirty(reach & FImage->rect());
}

// A line running down or right is a rectangle: Width pixels across, centred as the
// painter centres it on a logical pixel, from the start up to the end point.
bool QtCanvas::FillAxisLine(QPoint from, QPoint to, int width) {
  QRect r;
  const int before = width / FScale / 2 * FScale;
  if (from.x() == to.x() && to.y() > from.y()) {
    r = QRect(from.x() - before, from.y(), width, to.y() - from.y());
  } else if (from.y() == to.y() && to.x() > from.x()) {
    r = QRect(from.x(), from.y() - before, to.x() - from.x(), width);
  } else {
    return false;
  }
  r &= FImage->rect();
  if (r.isEmpty()) return true;
  FillPixels(r, ResolvedPixel(FPen));
  MarkDirty(r);
  return true;
}

void QtCanvas::TextOut(int x, int y, const std::string& text, const int* advances,
                       const TRect* clip) {
  if (!FPainter || text.empty()) return;
  if (CanCopyCells(text, advances, clip)) {
    CopyCells(x * FScale, y * FScale, text, advances[0] * FScale);
  } else {
    DrawGlyphs(x, y, text, advances, clip);
  }
}

// Cells can be copied when every character is as wide as the others and its ink stays
// inside its cell or reaches at most into a neighbour's, on the same rows: a cell then
// holds what its own glyph and its neighbours' draw there, and the ink of the run's
// first and last glyphs outside the run is drawn on its own. The result is exactly what
// drawing the glyphs gives.
bool QtCanvas::CanCopyCells(const std::string& text, const int* advances, const TRect* clip) {
  if (clip || !advances || !FBits) return false;
  if (FFont.Style & (fsUnderline | fsStrikeOut)) return false;
  const int advance = advances[0];
  if (advance <= 0) return false;
  CanvasFont& font = CurrentFont();
  for (size_t i = 0; i < text.size(); ++i) {
    if (advances[i] != advance) return false;
    const auto b = static_cast<unsigned char>(text[i]);
    if (!font.InGrid(b)) return false;
    if (font.Spill(b, advance * FScale) & CanvasFont::kFurther) return false;
  }
  return true;
}

// Cells wholly inside the image are copied row by row across the run; a cell cut by
// the image's left or right edge is copied on its own.
void QtCanvas::CopyCells(int x, int y, const std::string& text, int advance) {
  CanvasFont& font = CurrentFont();
  const int top = std::max(y, 0);
  const int bottom = std::min(y + font.Height(), FHeight);
  if (top >= bottom) return;
  const QRgb fore = ResolvedPixel(FFont.Color);
  const QRgb back = ResolvedPixel(FBrush);
  const int width = FImage->width();
  const ptrdiff_t skipped = static_cast<ptrdiff_t>(top - y) * advance;
  int drawnLeft = width, drawnRight = 0, wholeLeft = 0;
  FCellBuf.clear();
  const size_t n = text.size();
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  for (size_t i = 0; i < n; ++i) {
    const int cellX = x + static_cast<int>(i) * advance;
    const int left = std::max(cellX, 0);
    const int right = std::min(cellX + advance, width);
    if (left >= right) continue;
    const int prev =
        i > 0 && (font.Spill(byte(i - 1), advance) & CanvasFont::kIntoRight) ? byte(i - 1) : -1;
    const int next =
        i + 1 < n && (font.Spill(byte(i + 1), advance) & CanvasFont::kIntoLeft) ? byte(i + 1) : -1;
    const uint32_t* pixels = font.CellBetween(prev, byte(i), next, fore, back, advance);
    if (left == cellX && right == cellX + advance) {
      if (FCellBuf.empty()) wholeLeft = left;
      FCellBuf.push_back(pixels);
    } else {
      const uint32_t* from = pixels + skipped + (left - cellX);
      ForEachRow(top, bottom, [&](QRgb* row) {
        CopyPixels(from, row + left, right - left);
        from += advance;
      });
    }
    drawnLeft = std::min(drawnLeft, left);
    drawnRight = std::max(drawnRight, right);
  }
  if (!FCellBuf.empty()) {
    ptrdiff_t offset = skipped;
    ForEachRow(top, bottom, [&](QRgb* row) {
      CopyCellRow(row + wholeLeft, FCellBuf.data(), FCellBuf.size(), offset, advance);
      offset += advance;
    });
  }
  if (drawnLeft < drawnRight) {
    MarkDirty(QRect(drawnLeft, top, drawnRight - drawnLeft, bottom - top));
  }
  if (font.Spill(byte(0), advance) & CanvasFont::kIntoLeft) {
    DrawSpill(byte(0), x, y, QRect(x - advance, y, advance, font.Height()));
  }
  const int last = x + static_cast<int>(n - 1) * advance;
  if (font.Spill(byte(n - 1), advance) & CanvasFont::kIntoRight) {
    DrawSpill(byte(n - 1), last, y, QRect(last + advance, y, advance, font.Height()));
  }
}

// The ink of B, drawn at device pixel X, Y, that falls into Area next to its cell.
void QtCanvas::DrawSpill(unsigned char b, int x, int y, const QRect& area) {
  const QRect inside = area & FImage->rect();
  if (inside.isEmpty()) return;
  CanvasFont& font = CurrentFont();
  const quint32 glyph = font.Glyph(b);
  const QPointF origin(0, 0);
  QGlyphRun run;
  run.setRawFont(font.Raw());
  run.setRawData(&glyph, &origin, 1);
  const QColor fore = Resolved(FFont.Color);
  Painted(inside, &inside, [&](QPainter& p, int shift) {
    p.setPen(fore);
    p.drawGlyphRun(QPointF(x, y + shift + font.Ascent()), run);
  });
  MarkDirty(inside);
}

void QtCanvas::FillPixels(const QRect& r, QRgb pixel) {
  ForEachRow(r.top(), r.bottom() + 1,
             [&](QRgb* row) { std::fill_n(row + r.left(), r.width(), pixel); });
}

int QtCanvas::LayOutGlyphs(CanvasFont& font, const std::string& text, const int* advances) {
  const codepage::TCodePageCodec& codec = font.Codec();
  const size_t n = text.size();
  FGlyphBuf.clear();
  FPosBuf.clear();
  FWideGlyphBuf.clear();
  FWidePosBuf.clear();
  const auto advanceAt = [&](size_t i) {
    if (advances) return advances[i] * FScale;
    const char32_t c = codec.CharOfByte(static_cast<unsigned char>(text[i]));
    return font.Metrics().horizontalAdvance(QString::fromUcs4(&c, 1)) * FScale;
  };
  int offset = 0;
  for (size_t i = 0; i < n;) {
    const auto b = static_cast<unsigned char>(text[i]);
    int width = advanceAt(i);
    if (font.InGrid(b)) {
      FGlyphBuf.push_back(font.Glyph(b));
      FPosBuf.emplace_back(offset, 0);
      offset += width;
      ++i;
      continue;
    }
    // A lead byte whose second byte is not in the run (cut by a change of colour) shows
    // nothing: the run after it draws the whole character.
    char32_t c = 0;
    const size_t length = codec.CharAt(text, i, c);
    if (length == 2) width += advanceAt(i + 1);
    if (length > 0) {
      FallbackFont& fallback = font.Fallback(advanceAt(i));
      const quint32 glyph = fallback.Glyph(c);
      FWideGlyphBuf.push_back(glyph);
      FWidePosBuf.emplace_back(offset + (width - fallback.Advance(glyph)) / 2, 0);
    }
    offset += width;
    i += std::max<size_t>(length, 1);
  }
  return offset;
}

// The glyph runs at the given advances over the run's background.
void QtCanvas::DrawGlyphs(int x, int y, const std::string& text, const int* advances,
                          const TRect* clip) {
  CanvasFont& font = CurrentFont();
  const int width = LayOutGlyphs(font, text, advances);
  x *= FScale;
  y *= FScale;
  const QRect box(x, y, width, font.Height());
  QRect area = box;
  if (clip) {
    area &= Scaled(QRect(clip->Left, clip->Top, clip->Width(), clip->Height()));
    if (area.isEmpty()) return;
  }
  const auto runOf = [&](const QRawFont& raw, std::vector<quint32>& glyphs,
                         std::vector<QPointF>& positions) {
    QGlyphRun run;
    run.setRawFont(raw);
    run.setRawData(glyphs.data(), positions.data(), static_cast<int>(glyphs.size()));
    run.setUnderline(FFont.Style & fsUnderline);
    run.setStrikeOut(FFont.Style & fsStrikeOut);
    return run;
  };
  const QGlyphRun run = runOf(font.Raw(), FGlyphBuf, FPosBuf);
  QGlyphRun wide;
  if (!FWideGlyphBuf.empty()) {
    const int cell = advances ? advances[0] * FScale : font.Metrics().averageCharWidth() * FScale;
    wide = runOf(font.Fallback(cell).Raw(), FWideGlyphBuf, FWidePosBuf);
  }
  const QColor back = Resolved(FBrush);
  const QColor fore = Resolved(FFont.Color);
  // Glyphs may ink a little beyond their cells: a font height either way is ample.
  const QRect reach = box.adjusted(0, -font.Height(), 0, font.Height());
  Painted(reach, clip ? &area : nullptr, [&](QPainter& p, int shift) {
    p.fillRect(box.translated(0, shift), back);
    p.setPen(fore);
    const QPointF baseline(x, y + shift + font.Ascent());
    if (!FGlyphBuf.empty()) p.drawGlyphRun(baseline, run);
    if (!FWideGlyphBuf.empty()) p.drawGlyphRun(baseline, wide);
  });
  MarkDirty(area & FImage->rect());
}

int QtCanvas::TextWidth(const std::string& text) {
  return CurrentFont().TextWidth(text);
}

int QtCanvas::TextHeight(const std::string&) {
  return CurrentFont().LogicalHeight();
}
