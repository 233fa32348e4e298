#pragma once
// Plain colours chosen for a light window (navy numbers, blue symbols, purple strings)
// vanish on the dark window of a dark or high-contrast desktop theme. On a dark
// background such a colour is made lighter, keeping its hue, until it reaches the contrast
// that text needs to be readable; on a light background colours stay as they are.
#include <QColor>

namespace ReadableColor {

// Whether Background counts as dark: lighter colours are then the readable ones.
bool IsDark(const QColor& background);
// Contrast ratio of two colours, 1 (none) to 21 (black on white).
double Contrast(const QColor& a, const QColor& b);
// Color, lightened until its contrast with the dark Background is at least 4.5.
QColor OnDark(const QColor& color, const QColor& background);

}  // namespace ReadableColor
