#include "app/WindowBounds.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// A window without width or height shows nothing anywhere.
bool OnSomeScreen(const QRect& r, const QList<QRect>& areas) {
  if (!r.isValid()) return false;
  for (const QRect& area : areas) {
    if (r.intersects(area)) return true;
  }
  return false;
}

// The area showing the largest part of R; the first one when none shows any.
QRect MainArea(const QRect& r, const QList<QRect>& areas) {
  QRect best = areas.constFirst();
  long long bestSize = 0;
  for (const QRect& area : areas) {
    const QRect part = r.intersected(area);
    const long long size = static_cast<long long>(part.width()) * part.height();
    if (part.isValid() && size > bestSize) {
      best = area;
      bestSize = size;
    }
  }
  return best;
}

}  // namespace

QRect FitToScreens(const QRect& bounds, const QRect& design, const QList<QRect>& areas) {
  if (areas.isEmpty()) return bounds;
  QRect r = OnSomeScreen(bounds, areas) ? bounds : design;
  const QRect area = MainArea(r, areas);
  if (r.width() > area.width()) {
    r.setLeft(area.left());
    r.setWidth(area.width());
  }
  if (r.height() > area.height()) {
    r.setTop(area.top());
    r.setHeight(area.height());
  }
  // The design bounds may lie off a small screen too.
  if (!OnSomeScreen(r, areas)) r.moveTopLeft(area.topLeft());
  return r;
}

QList<QRect> AvailableScreenAreas() {
  QList<QRect> areas;
  if (QScreen* primary = QGuiApplication::primaryScreen())
    areas.append(primary->availableGeometry());
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen != QGuiApplication::primaryScreen()) areas.append(screen->availableGeometry());
  }
  return areas;
}
