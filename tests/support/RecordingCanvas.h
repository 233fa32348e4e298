#pragma once
// A canvas that keeps every drawing call, for checking what the control paints.
#include <string>
#include <vector>

#include "platform/Canvas.h"

struct CanvasCall {
  enum Kind { FillRect, Line, Text } kind;
  TRect rect;             // FillRect: the rectangle; Line: from (Left,Top) to (Right,Bottom)
  TColor color = 0;       // brush (FillRect), pen (Line), font colour (Text)
  TColor background = 0;  // Text: brush colour behind the text
  int penWidth = 0;
  TFontStyles style = 0;
  std::string text{};
  std::vector<int> advances{};
  bool clipped = false;
  TRect clip{};
};

class RecordingCanvas : public Canvas {
 public:
  void SetFont(const TFont& font) override { FFont = font; }
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
  // Every character is CharWidth wide, the font CharHeight high.
  int TextWidth(const std::string& text) override {
    return static_cast<int>(text.size()) * CharWidth;
  }
  int TextHeight(const std::string&) override { return CharHeight; }
  TRect ClipRect() const override { return Clip; }

  std::vector<CanvasCall> Calls;
  TRect Clip{0, 0, 10000, 10000};
  int CharWidth = 8;
  int CharHeight = 15;
  TColor Brush() const { return FBrush; }

  // The text runs drawn, in order.
  std::vector<CanvasCall> Texts() const;
  void Reset() { Calls.clear(); }

 private:
  TFont FFont;
  TColor FBrush = 0;
  TColor FPen = 0;
  int FPenWidth = 1;
  TPoint FPos;
};
