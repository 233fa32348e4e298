#include "app/FirstPaint.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>

namespace {

// Quits after the first paint of the watched window, children included: the quit is
// queued, so it runs once the whole paint is done.
class TFirstPaintQuit : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !FArmed) {
      FArmed = true;
      QMetaObject::invokeMethod(
          this,
          [] {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QApplication::exit(0);
          },
          Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool FArmed = false;
};

}  // namespace

void QuitAfterFirstPaintWhenAsked(QWidget& window) {
  if (!qEnvironmentVariableIsSet("MARVEK_QUIT_AFTER_FIRST_PAINT")) return;
  window.installEventFilter(new TFirstPaintQuit(&window));
}
