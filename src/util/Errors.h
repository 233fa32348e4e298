#pragma once
// The failures the control and the application report. Each carries the message the
// user sees in the application's message box.
#include <stdexcept>
#include <string>

// The editor's own failures ("Redo not yet implemented", ...).
class ERAEditorError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A line index outside the list: "List index out of bounds (5)".
class EListError : public std::out_of_range {
 public:
  explicit EListError(int index)
      : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}
};

// Text that is not a number: "'abc' is not a valid integer value".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A scroll range with Max below Min, a page step outside 1..32767.
class ERangeError : public std::range_error {
 public:
  using std::range_error::range_error;
};

// Assigning an object of an incompatible class.
class EAssignError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Files: "Cannot open file %s", "Cannot create file %s".
class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
