#pragma once
// Timer on a QTimer: ticks on the user-interface thread.
#include <QTimer>

#include "platform/Timer.h"

class QtTimer : public Timer {
 public:
  // Like the platform's timers: enabled, one second.
  QtTimer();
  void SetInterval(int milliseconds) override;
  int Interval() const override { return FTimer.interval(); }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return FTimer.isActive(); }

 private:
  QTimer FTimer;
};
