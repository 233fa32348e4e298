#pragma once
// The one exception guard of the program. No exception may unwind through Qt's event
// code, so every entry from Qt into the editor control and the application (events,
// signals, timer ticks) runs its work through Guarded. A failure is reported as every
// failure of the program is: its message in a message box, and the program goes on.
#include <exception>
#include <functional>
#include <string>

class QWidget;

// Shows the message of a failure that escaped work started for Parent (may be null).
using ErrorReporter = std::function<void(QWidget* parent, const std::string& message)>;

// Makes Reporter the report of Guarded and returns the one it replaces. Without one set,
// ShowErrorBox reports.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

// The message in an error message box titled with the application's name. The box opens
// once the event being handled is done: opened inside a paint event or a timer tick, its
// own event loop would run them again.
void ShowErrorBox(QWidget* parent, const std::string& message);

// Reports through the reporter set; a reporter that fails itself is not run again.
void ReportError(QWidget* parent, const std::string& message) noexcept;

// Runs Work; a failure is reported. Whether Work ran to its end, for callers that go on
// only after it succeeded.
template <typename F>
bool Guarded(QWidget* parent, F&& work) noexcept {
  try {
    work();
    return true;
  } catch (const std::exception& e) {
    ReportError(parent, e.what());
  } catch (...) {
    ReportError(parent, "Unknown error");
  }
  return false;
}
