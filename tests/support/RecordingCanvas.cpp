#include "support/RecordingCanvas.h"

void RecordingCanvas::FillRect(const TRect& rect) {
  CanvasCall c{CanvasCall::FillRect, rect};
  c.color = FBrush;
  Calls.push_back(c);
}

void RecordingCanvas::LineTo(int x, int y) {
  CanvasCall c{CanvasCall::Line, TRect{FPos.X, FPos.Y, x, y}};
  c.color = FPen;
  c.penWidth = FPenWidth;
  Calls.push_back(c);
  FPos = {x, y};
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text, const int* advances,
                              const TRect* clip) {
  CanvasCall c{CanvasCall::Text, TRect{x, y, x, y}};
  c.color = FFont.Color;
  c.background = FBrush;
  c.style = FFont.Style;
  c.text = text;
  if (advances) c.advances.assign(advances, advances + text.size());
  if (clip) {
    c.clipped = true;
    c.clip = *clip;
  }
  Calls.push_back(c);
}

std::vector<CanvasCall> RecordingCanvas::Texts() const {
  std::vector<CanvasCall> r;
  for (const auto& c : Calls)
    if (c.kind == CanvasCall::Text) r.push_back(c);
  return r;
}
