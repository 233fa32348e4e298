#pragma once
// Where the editor's and the completion list's accessibility events go: to Qt, which
// passes them on only while a platform client (a screen reader's bridge) is active, and
// to an observer when one is set. Tests and measurements set one, so that events are
// built and seen also on a platform without accessibility support.
#include <functional>

class QAccessibleEvent;

namespace AccessibleEventSink {

// Whether anyone would receive an event: building one costs nothing otherwise.
bool Listening();
void Send(QAccessibleEvent& event);
using Observer = std::function<void(QAccessibleEvent* event)>;
void SetObserver(Observer observer);

}  // namespace AccessibleEventSink
