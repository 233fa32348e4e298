#include "qt/QtCanvas.h"

#include <QGlyphRun>
#include <QString>
#include <algorithm>
#include <cstring>
#include <utility>

#include "qt/Codepage1252.h"

namespace {

// Copies N pixels; the usual cell widths get a copy of fixed size, done inline.
void CopyPixels(const uint32_t* from, uint32_t* to, int n) {
  switch (n) {
    case 6: std::memcpy(to, from, 6 * 4); return;
    case 7: std::memcpy(to, from, 7 * 4); return;
    case 8: std::memcpy(to, from, 8 * 4); return;
    case 9: std::memcpy(to, from, 9 * 4); return;
    case 10: std::memcpy(to, from, 10 * 4); return;
    default: std::memcpy(to, from, static_cast<size_t>(n) * 4); return;
  }
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

QtCanvas::QtCanvas(std::function<TColor(TColor)> resolve) : FResolve(std::move(resolve)) {}

QtCanvas::~QtCanvas() = default;

void QtCanvas::SetImage(QImage* image) {
  FPainter.reset();
  FImage = image;
  FBits = nullptr;
  FDirty = QRect();
  if (!FImage || FImage->isNull()) return;
  if (FImage->format() == QImage::Format_RGB32) {
    FBits = FImage->bits();
    FStride = FImage->bytesPerLine();
  }
  FPainter = std::make_unique<QPainter>(FImage);
}

QRect QtCanvas::TakeDirty() { return std::exchange(FDirty, QRect()); }

void QtCanvas::MarkDirty(const QRect& rect) {
  const bool wasClean = FDirty.isEmpty();
  FDirty |= rect;
  if (wasClean && !FDirty.isEmpty() && OnDirty) OnDirty();
}

void QtCanvas::SetFont(const TFont& font) {
  if (font.Name != FFont.Name || font.Height != FFont.Height || font.Style != FFont.Style) {
    FCurrent = nullptr;
  }
  FFont = font;
}

CanvasFont& QtCanvas::CurrentFont() {
  if (FCurrent) return *FCurrent;
  auto& slot = FFonts[FontKey{FFont.Name, FFont.Height, FFont.Style}];
  if (!slot) slot = std::make_unique<CanvasFont>(FFont);
  FCurrent = slot.get();
  return *FCurrent;
}

void QtCanvas::FillRect(const TRect& rect) {
  if (!FPainter) return;
  const QRect r = QRect(rect.Left, rect.Top, rect.Width(), rect.Height()) & FImage->rect();
  if (r.isEmpty()) return;
  if (FBits) {
    const QRgb pixel = Resolved(FBrush).rgb();
    for (int y = r.top(); y <= r.bottom(); ++y) std::fill_n(Row(y) + r.left(), r.width(), pixel);
  } else {
    FPainter->fillRect(r, Resolved(FBrush));
  }
  MarkDirty(r);
}

// Draws from the current point to (x, y); the flat cap leaves the end point out.
void QtCanvas::LineTo(int x, int y) {
  const QPoint from(FPos.X, FPos.Y);
  const QPoint to(x, y);
  FPos = {x, y};
  if (!FPainter || from == to) return;
  const int width = std::max(1, FPenWidth);
  if (FBits && FillAxisLine(from, to, width)) return;
  FPainter->setPen(QPen(Resolved(FPen), width, Qt::SolidLine, Qt::FlatCap));
  FPainter->drawLine(from, to);
  MarkDirty(QRect(from, to).normalized().adjusted(-width, -width, width, width) & FImage->rect());
}

// A line running down or right is a rectangle: Width pixels across, centred as the
// painter centres it, from the start up to the end point.
bool QtCanvas::FillAxisLine(QPoint from, QPoint to, int width) {
  QRect r;
  if (from.x() == to.x() && to.y() > from.y()) {
    r = QRect(from.x() - width / 2, from.y(), width, to.y() - from.y());
  } else if (from.y() == to.y() && to.x() > from.x()) {
    r = QRect(from.x(), from.y() - width / 2, to.x() - from.x(), width);
  } else {
    return false;
  }
  r &= FImage->rect();
  if (r.isEmpty()) return true;
  const QRgb pixel = Resolved(FPen).rgb();
  for (int row = r.top(); row <= r.bottom(); ++row) std::fill_n(Row(row) + r.left(), r.width(), pixel);
  MarkDirty(r);
  return true;
}

void QtCanvas::TextOut(int x, int y, const std::string& text, const int* advances,
                       const TRect* clip) {
  if (!FPainter || text.empty()) return;
  if (CanCopyCells(text, advances, clip)) {
    CopyCells(x, y, text, advances[0]);
  } else {
    DrawGlyphs(x, y, text, advances, clip);
  }
}

// Cells can be copied when every character is as wide as the others and draws nothing
// outside its own cell: the result is then exactly what drawing the glyphs gives.
bool QtCanvas::CanCopyCells(const std::string& text, const int* advances, const TRect* clip) {
  if (clip || !advances || !FBits) return false;
  if (FFont.Style & (fsUnderline | fsStrikeOut)) return false;
  const int advance = advances[0];
  if (advance <= 0) return false;
  CanvasFont& font = CurrentFont();
  for (size_t i = 0; i < text.size(); ++i) {
    if (advances[i] != advance) return false;
    if (!font.FitsCell(static_cast<unsigned char>(text[i]), advance)) return false;
  }
  return true;
}

void QtCanvas::CopyCells(int x, int y, const std::string& text, int advance) {
  CanvasFont& font = CurrentFont();
  const int top = std::max(y, 0);
  const int bottom = std::min(y + font.Height(), FImage->height());
  if (top >= bottom) return;
  const QRgb fore = Resolved(FFont.Color).rgb();
  const QRgb back = Resolved(FBrush).rgb();
  const int width = FImage->width();
  int drawnLeft = width, drawnRight = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const int cellX = x + static_cast<int>(i) * advance;
    const int left = std::max(cellX, 0);
    const int right = std::min(cellX + advance, width);
    if (left >= right) continue;
    const uint32_t* pixels = font.Cell(static_cast<unsigned char>(text[i]), fore, back, advance);
    const uint32_t* from = pixels + static_cast<ptrdiff_t>(top - y) * advance + (left - cellX);
    for (int row = top; row < bottom; ++row, from += advance) {
      CopyPixels(from, Row(row) + left, right - left);
    }
    drawnLeft = std::min(drawnLeft, left);
    drawnRight = std::max(drawnRight, right);
  }
  if (drawnLeft < drawnRight) MarkDirty(QRect(drawnLeft, top, drawnRight - drawnLeft, bottom - top));
}

// One glyph run at the given advances over the run's background.
void QtCanvas::DrawGlyphs(int x, int y, const std::string& text, const int* advances,
                          const TRect* clip) {
  CanvasFont& font = CurrentFont();
  const size_t n = text.size();
  FGlyphBuf.resize(n);
  FPosBuf.resize(n);
  int offset = 0;
  for (size_t i = 0; i < n; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    FGlyphBuf[i] = font.Glyph(b);
    FPosBuf[i] = QPointF(offset, 0);
    offset += advances ? advances[i] : font.Metrics().horizontalAdvance(Codepage1252::ToChar(b));
  }
  QRect area(x, y, offset, font.Height());
  if (clip) {
    area &= QRect(clip->Left, clip->Top, clip->Width(), clip->Height());
    if (area.isEmpty()) return;
    FPainter->setClipRect(area);
  }
  FPainter->fillRect(QRect(x, y, offset, font.Height()), Resolved(FBrush));
  QGlyphRun run;
  run.setRawFont(font.Raw());
  run.setRawData(FGlyphBuf.data(), FPosBuf.data(), static_cast<int>(n));
  run.setUnderline(FFont.Style & fsUnderline);
  run.setStrikeOut(FFont.Style & fsStrikeOut);
  FPainter->setPen(Resolved(FFont.Color));
  FPainter->drawGlyphRun(QPointF(x, y + font.Ascent()), run);
  if (clip) FPainter->setClipping(false);
  MarkDirty(area & FImage->rect());
}

int QtCanvas::TextWidth(const std::string& text) {
  return CurrentFont().Metrics().horizontalAdvance(Codepage1252::ToQString(text));
}

int QtCanvas::TextHeight(const std::string&) { return CurrentFont().Height(); }
