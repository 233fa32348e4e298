#pragma once
#include <string>

#include "platform/Types.h"

// Where the control draws: a window's backing image, a recording in tests.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetFont(const TFont& font) = 0;
  virtual const TFont& Font() const = 0;
  virtual void SetBrushColor(TColor color) = 0;
  virtual void SetPenColor(TColor color) = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual int PenWidth() const = 0;

  // Fills with the brush colour.
  virtual void FillRect(const TRect& rect) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // Draws a line with the pen from the current point, which then moves to (x, y).
  virtual void LineTo(int x, int y) = 0;
  // Draws Text with its top-left corner at (x, y), the background in the brush colour.
  // Character i starts advances[0] + ... + advances[i - 1] pixels right of x; when clip
  // is given, nothing is drawn outside it.
  virtual void TextOut(int x, int y, const std::string& text, const int* advances,
                       const TRect* clip) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  // The region being painted now, in the canvas's coordinates.
  virtual TRect ClipRect() const = 0;
};
