#include "qt/QtTimer.h"

#include <algorithm>

#include "qt/Guarded.h"

QtTimer::QtTimer() {
  FTimer.setInterval(1000);
  QObject::connect(&FTimer, &QTimer::timeout, [this] {
    if (OnTimer) Guarded(nullptr, OnTimer);
  });
  FTimer.start();
}

void QtTimer::SetInterval(int milliseconds) {
  FTimer.setInterval(std::max(0, milliseconds));
}

void QtTimer::SetEnabled(bool enabled) {
  if (enabled == FTimer.isActive()) return;
  if (enabled) {
    FTimer.start();
  } else {
    FTimer.stop();
  }
}
