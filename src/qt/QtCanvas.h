#pragma once
// The control's Canvas on a QPainter over a QImage (the editor widget's backing image).
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
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

class QtCanvas : public Canvas {
 public:
  // Resolve turns a system colour (0x800000nn) into a plain one.
  explicit QtCanvas(std::function<TColor(TColor)> resolve);
  ~QtCanvas() override;

  // Starts drawing into Image (which must outlive the drawing); nullptr stops. Drawing
  // calls without an image do nothing.
  void SetImage(QImage* image);
  void SetClipRect(const TRect& rect) { FClipRect = rect; }
  // The part of the image drawn into since the last TakeDirty.
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
  using FontKey = std::tuple<std::string, int, TFontStyles>;

  CanvasFont& CurrentFont();
  QColor Resolved(TColor color) const { return ToQColor(FResolve(color)); }
  void MarkDirty(const QRect& rect);
  // A run whose characters all fit their cells, copied from pre-drawn cells.
  bool CanCopyCells(const std::string& text, const int* advances, const TRect* clip);
  void CopyCells(int x, int y, const std::string& text, int advance);
  QRgb* Row(int y) const { return reinterpret_cast<QRgb*>(FBits + y * FStride); }
  bool FillAxisLine(QPoint from, QPoint to, int width);
  void DrawGlyphs(int x, int y, const std::string& text, const int* advances,
                  const TRect* clip);

  std::function<TColor(TColor)> FResolve;
  QImage* FImage = nullptr;
  // The image's pixels when it is Format_RGB32 (written directly), else null.
  uchar* FBits = nullptr;
  qsizetype FStride = 0;
  std::unique_ptr<QPainter> FPainter;
  QRect FDirty;
  TRect FClipRect;
  TFont FFont;
  CanvasFont* FCurrent = nullptr;
  std::map<FontKey, std::unique_ptr<CanvasFont>> FFonts;
  TColor FBrush = clWhite;
  TColor FPen = clBlack;
  int FPenWidth = 1;
  TPoint FPos;
  // Scratch buffers of DrawGlyphs, kept to avoid an allocation per run.
  std::vector<quint32> FGlyphBuf;
  std::vector<QPointF> FPosBuf;
};
