#include "qt/ReadableColor.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kReadable = 4.5;

double Channel(double c) {
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
  return 0.2126 * Channel(c.redF()) + 0.7152 * Channel(c.greenF()) + 0.0722 * Channel(c.blueF());
}

}  // namespace

bool ReadableColor::IsDark(const QColor& background) {
  return Luminance(background) < 0.18;
}

double ReadableColor::Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableColor::OnDark(const QColor& color, const QColor& background) {
  QColor result = color;
  float hue = 0;
  float saturation = 0;
  float lightness = 0;
  color.getHslF(&hue, &saturation, &lightness);
  while (Contrast(result, background) < kReadable && lightness < 1.0f) {
    lightness = std::min(1.0f, lightness + 0.05f);
    result = QColor::fromHslF(hue, saturation, lightness);
  }
  return result;
}
