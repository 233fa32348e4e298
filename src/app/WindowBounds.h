#pragma once
// Stored main-window bounds checked against the screens, so that a window never starts
// where no screen shows it, nor larger than a screen can show.
#include <QList>
#include <QRect>

// Bounds as they can be used on screens with the given available areas: unchanged when
// some part lies on a screen and they fit it; the Design bounds when no part would lie on
// any screen; a side longer than the screen's is cut to the screen's, starting at its edge.
QRect FitToScreens(const QRect& bounds, const QRect& design, const QList<QRect>& areas);

// The available areas of the screens attached now, the primary one first.
QList<QRect> AvailableScreenAreas();
