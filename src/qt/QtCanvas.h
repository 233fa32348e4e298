#pragma once
// The control's Canvas on a QPainter over a QImage (the editor widget's backing image).
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/Canvas.h"
#include "qt/CanvasFont.h"

// A plain colour (0x00BBGGRR) as a QColor, and back.
QColor ToQColor(TColor plain);
TColor FromQColor(const QColor& color);

// The canvas's image is a ring in y: logical row y is stored at physical row
// (y + offset) mod height, so that scrolling the whole image only changes the offset.
// A part of a logical rectangle that lies on one side of the wrap, with the shift
// that takes its rows to their physical rows.
struct RingPart {
  QRect Logical;
  int Shift = 0;
};
// Logical's rows inside 0..Height-1, split at the wrap; an unused part is empty.
std::array<RingPart, 2> SplitAtWrap(const QRect& logical, int height, int offset);
// A copy of a ring image with its rows in logical order.
QImage LogicalImage(const QImage& ring, int offset);

// The drawing calls and every figure the control sees are in logical pixels; the image
// holds Scale device pixels per logical pixel in each direction, so that on a screen of
// that pixel ratio text and lines are drawn at the screen's own resolution.
class QtCanvas : public Canvas {
 public:
  // Resolve turns a system colour (0x800000nn) into a plain one.
  explicit QtCanvas(std::function<TColor(TColor)> resolve);
  ~QtCanvas() override;

  // Starts drawing into Image (which must outlive the drawing), Scale device pixels to a
  // logical one; nullptr stops. Drawing calls without an image do nothing.
  void SetImage(QImage* image, int scale = 1);
  int Scale() const { return FScale; }
  // Where the image's row 0 of logical order is stored, in image rows (see
  // SplitAtWrap). A new image starts at 0.
  void SetRowOffset(int offset);
  int RowOffset() const { return FRowOffset; }
  void SetClipRect(const TRect& rect) { FClipRect = rect; }
  // The code page of the bytes drawn: which character each byte, or pair of bytes of a
  // double-byte code page, shows. The editor widget sets it with its document's locale.
  void SetCodePage(TCodePage page);
  TCodePage CodePage() const { return FCodePage; }
  // The part of the image drawn into since the last TakeDirty, in logical pixels.
  QRect TakeDirty();
  // Called when something is drawn while nothing was dirty yet.
  std::function<void()> OnDirty;

  void SetFont(const TFont& font) override;
  const TFont& Font() const override { return FFont; }
  void SetBrushColor(TColor color) override { FBrush = color; }
  void SetPenColor(TColor color) override { FPen = color; }
  void SetPenWidth(int width) override { FPenWidth = width; }
  int PenWidth() const override { return FPenWidth; }
  void FillRect(const TRect& rect) override;
  void MoveTo(int x, int y) override { FPos = {x, y}; }
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text, const int* advances,
               const TRect* clip) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  TRect ClipRect() const override { return FClipRect; }

 private:
  using FontKey = std::tuple<std::string, int, TFontStyles, TCodePage>;

  CanvasFont& CurrentFont();
  QColor Resolved(TColor color) const { return ToQColor(FResolve(color)); }
  // The same as an opaque pixel, without going through QColor.
  QRgb ResolvedPixel(TColor color) const {
    const auto c = static_cast<uint32_t>(FResolve(color));
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  }
  // A logical rectangle in device pixels.
  QRect Scaled(const QRect& r) const {
    return QRect(r.x() * FScale, r.y() * FScale, r.width() * FScale, r.height() * FScale);
  }
  // Marks the logical pixels that cover the device pixels of Rect.
  void MarkDirty(const QRect& rect);
  // A run whose characters' ink stays in their cells or their neighbours', copied from
  // pre-drawn cells.
  bool CanCopyCells(const std::string& text, const int* advances, const TRect* clip);
  void CopyCells(int x, int y, const std::string& text, int advance);
  void DrawSpill(unsigned char b, int x, int y, const QRect& area);
  // From here on coordinates are in device pixels of the image.
  // The physical row of logical row Y (0 <= Y < image height).
  int Physical(int y) const {
    const int physical = y + FRowOffset;
    return physical >= FHeight ? physical - FHeight : physical;
  }
  // Calls Visit(pixels) for logical rows Top..Bottom-1 (inside the image) in turn.
  template <typename Visit>
  void ForEachRow(int top, int bottom, Visit&& visit) const {
    uchar* line = FBits + Physical(top) * FStride;
    uchar* const end = FBits + FHeight * FStride;
    for (int y = top; y < bottom; ++y) {
      visit(reinterpret_cast<QRgb*>(line));
      line += FStride;
      if (line == end) line = FBits;
    }
  }
  // Fills R (inside the image) with Pixel.
  void FillPixels(const QRect& r, QRgb pixel);
  // Runs Draw(painter, shift) for a drawing that touches no row outside Reach: Draw adds
  // the shift to its logical y coordinates to reach the painter's rows. Clip (logical)
  // limits it.
  template <typename Draw>
  void Painted(const QRect& reach, const QRect* clip, Draw&& draw);
  // The same, with the drawing made in logical rows in a scratch image (slower).
  template <typename Draw>
  void PaintedUnmoved(const QRect& reach, Draw&& draw);
  // Whether Reach lies inside the image on one side of the wrap.
  bool OnOneSide(const QRect& reach) const;
  bool FillAxisLine(QPoint from, QPoint to, int width);
  void DrawGlyphs(int x, int y, const std::string& text, const int* advances, const TRect* clip);
  // Puts the glyphs of Text into the glyph buffers: the grid font's, and the fallback
  // font's for what the grid font lacks, a double-byte character centred over its two
  // cells. Returns the run's width in device pixels.
  int LayOutGlyphs(CanvasFont& font, const std::string& text, const int* advances);

  std::function<TColor(TColor)> FResolve;
  QImage* FImage = nullptr;
  int FScale = 1;
  // The image's pixels when it is Format_RGB32 (written directly), else null.
  uchar* FBits = nullptr;
  qsizetype FStride = 0;
  int FHeight = 0;
  int FRowOffset = 0;
  std::unique_ptr<QPainter> FPainter;
  // Lines across the wrap of a ring are drawn here (see PaintedUnmoved).
  QImage FScratch;
  std::unique_ptr<QPainter> FScratchPainter;
  QRect FDirty;
  TRect FClipRect;
  TFont FFont;
  CanvasFont* FCurrent = nullptr;
  std::map<FontKey, std::unique_ptr<CanvasFont>> FFonts;
  TColor FBrush = clWhite;
  TColor FPen = clBlack;
  int FPenWidth = 1;
  TPoint FPos;
  // Scratch buffers of CopyCells and DrawGlyphs, kept to avoid an allocation per run.
  std::vector<const uint32_t*> FCellBuf;
  std::vector<quint32> FGlyphBuf;
  std::vector<QPointF> FPosBuf;
  std::vector<quint32> FWideGlyphBuf;
  std::vector<QPointF> FWidePosBuf;
  TCodePage FCodePage = TCodePage::cp1252;
};
