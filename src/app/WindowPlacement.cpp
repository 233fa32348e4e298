#include "app/WindowPlacement.h"

#include <QStyle>
#include <QWidget>
#include <algorithm>

int CascadeStep(const QWidget* window) {
  const QStyle* style = window->style();
  return style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) +
         style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
}

int CascadeSlots(const QRect& area, int step) {
  if (step <= 0) return 1;
  const int across = (area.width() - kLeastDocumentSize.width()) / step;
  const int down = (area.height() - kLeastDocumentSize.height()) / step;
  return std::max(std::min(across, down) + 1, 1);
}

QRect NewWindowPlace(const QRect& area, int step, int others) {
  const int offset = (std::max(others, 0) % CascadeSlots(area, step)) * step;
  return QRect(offset, offset, std::min(kDocumentSize.width(), area.width() - offset),
               std::min(kDocumentSize.height(), area.height() - offset));
}

QList<QRect> CascadePlaces(const QRect& area, int step, int count) {
  QList<QRect> places;
  if (count <= 0) return places;
  const int positions = std::min(CascadeSlots(area, step), count);
  const int extra = (positions - 1) * step;
  for (int i = 0; i < count; ++i) {
    const int offset = (i % positions) * step;
    places.append(QRect(offset, offset, area.width() - extra, area.height() - extra));
  }
  return places;
}

QList<QRect> TilePlaces(const QRect& area, int count, bool sideBySide) {
  QList<QRect> places;
  for (int i = 0; i < count; ++i) {
    if (sideBySide) {
      const int left = area.width() * i / count;
      places.append(QRect(left, 0, area.width() * (i + 1) / count - left, area.height()));
    } else {
      const int top = area.height() * i / count;
      places.append(QRect(0, top, area.width(), area.height() * (i + 1) / count - top));
    }
  }
  return places;
}

QList<QPoint> IconPlaces(int width, int height, const QList<QSize>& sizes) {
  QList<QPoint> places;
  int x = 0;
  int bottom = height;
  for (const QSize& size : sizes) {
    if (x > 0 && x + size.width() > width) {
      x = 0;
      bottom -= size.height();
    }
    places.append(QPoint(x, bottom - size.height()));
    x += size.width();
  }
  return places;
}
