#pragma once
#include <optional>
#include <string>

// The system clipboard: plain text (bytes of the code page) plus formats registered by
// name that carry raw bytes beside the text.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool HasText() const = 0;
  virtual std::string Text() const = 0;
  // Replaces the whole clipboard content by Text.
  virtual void SetText(const std::string& text) = 0;
  // Adds a named format to the current content, keeping the text.
  virtual void AddFormat(const std::string& name, const std::string& data) = 0;
  virtual std::optional<std::string> Format(const std::string& name) const = 0;
};
