#include "app/Zoom.h"

#include <QEvent>
#include <QObject>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <array>
#include <iterator>

namespace {

// The heights offered, about a tenth apart; the designed height is one of them.
constexpr std::array<int, 16> kHeights = {7,  8,  9,  10, 11, 12, 13, 15,
                                          17, 19, 21, 24, 28, 32, 40, 48};

// Index of the step a height belongs to: the first offered height not below it.
int StepOf(int height) {
  const auto at = std::lower_bound(kHeights.begin(), kHeights.end(), height);
  return static_cast<int>(std::min(std::distance(kHeights.begin(), at),
                                   static_cast<std::ptrdiff_t>(kHeights.size() - 1)));
}

class CtrlWheelFilter : public QObject {
 public:
  CtrlWheelFilter(QObject* parent, std::function<void(int)> zoom)
      : QObject(parent), FZoom(std::move(zoom)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
    // Small steps of smooth-scrolling devices add up to whole notches.
    FRemainder += wheel->angleDelta().y();
    const int notches = FRemainder / QWheelEvent::DefaultDeltasPerStep;
    FRemainder -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) FZoom(notches);
    return true;
  }

 private:
  std::function<void(int)> FZoom;
  int FRemainder = 0;
};

}  // namespace

int ValidFontHeight(int height) {
  return std::clamp(height, kHeights.front(), kHeights.back());
}

int ZoomedFontHeight(int height, int steps) {
  const int step = StepOf(ValidFontHeight(height));
  const int last = static_cast<int>(kHeights.size()) - 1;
  return kHeights[static_cast<size_t>(std::clamp(step + steps, 0, last))];
}

void ZoomOnCtrlWheel(QWidget* viewport, std::function<void(int steps)> zoom) {
  viewport->installEventFilter(new CtrlWheelFilter(viewport, std::move(zoom)));
}
