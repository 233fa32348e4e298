#include "qt/AccessibleEventSink.h"

#include <QAccessible>

namespace {
AccessibleEventSink::Observer& TheObserver() {
  static AccessibleEventSink::Observer observer;
  return observer;
}
}  // namespace

bool AccessibleEventSink::Listening() {
  return QAccessible::isActive() || static_cast<bool>(TheObserver());
}

void AccessibleEventSink::Send(QAccessibleEvent& event) {
  if (TheObserver()) TheObserver()(&event);
  QAccessible::updateAccessibility(&event);
}

void AccessibleEventSink::SetObserver(Observer observer) {
  TheObserver() = std::move(observer);
}
