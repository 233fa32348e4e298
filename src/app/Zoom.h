#pragma once
// Zoom: the editor font's height in pixels, made larger or smaller a step at a time
// (Ctrl with the mouse wheel, or the View menu) and restored to the designed 13 pixels.
#include <functional>

class QWidget;

constexpr int kDesignFontHeight = 13;

// The height Steps steps larger (negative: smaller) than Height, within the steps offered.
int ZoomedFontHeight(int height, int steps);

// A stored height, moved into the range the steps cover.
int ValidFontHeight(int height);

// Ctrl with the wheel over Viewport calls Zoom with +1 per notch away from the user and
// -1 per notch towards the user, and does not scroll; the wheel without Ctrl scrolls.
void ZoomOnCtrlWheel(QWidget* viewport, std::function<void(int steps)> zoom);
