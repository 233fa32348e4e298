#pragma once
// The rescan's view of one line: the state it leaves for the next line. Comments, strings
// and tags that span lines open and close as the table of each highlighter says; line
// comments and strings are cut as the line colouring's scanner cuts them, so an opener
// shown inside one opens nothing.
#include <array>
#include <cstdint>
#include <string_view>

#include "highlight/RAHLEditor.h"

class LineScanner {
 public:
  explicit LineScanner(THighLighter hl);
  // The state after line Text, which starts in state St.
  uint8_t Next(std::string_view text, uint8_t st) const;

 private:
  using StepFn = bool (*)(std::string_view, int&, uint8_t&);
  StepFn FStep = nullptr;
  // Characters that can start something in state 0; others are passed over quickly.
  std::array<bool, 256> FOpener{};
};

// Whether S begins with "productions", ignoring case: a grammar file's productions part.
bool IsProductionsLine(std::string_view s, const Locale& locale);
