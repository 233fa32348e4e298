#pragma once
// Pixel comparison of two images for the drawing tests.
#include <QImage>
#include <string>

// Empty when the images are equal, else where they first differ and how many pixels do.
inline std::string Difference(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.format() != b.format()) return "size or format";
  int count = 0;
  QPoint first;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0) first = QPoint(x, y);
    }
  }
  if (count == 0) return {};
  return std::to_string(count) + " pixels from (" + std::to_string(first.x()) + ", " +
         std::to_string(first.y()) + ")";
}
