#pragma once
// A compiled search pattern (a regular expression) that the host supplies and the
// control's search runs over the document's lines. The control knows nothing of the
// pattern's syntax: it hands the matcher the bytes of one line (or of a few lines for a
// pattern that spans them) and takes byte offsets back.
//
// The contract every matcher keeps:
// - The subject is bytes of the document's code page. Offsets in and out are byte offsets
//   into it, on character boundaries.
// - Without SpansLines the subject is one line without its line break: a match never
//   crosses a line. With SpansLines (the pattern holds a line break, \n) the subject is
//   consecutive lines, each but the document's last followed by one '\n'.
// - Find returns the leftmost match that starts at or after From; what precedes From is
//   still seen by look-behind and word tests. A match takes at least one byte: a pattern
//   that can only match nothing finds nothing.
// - Match case and Whole word are compiled into the matcher; Whole word takes only matches
//   that begin and end at a word edge, the word separators being those of the control.
// - Find has no side effects and may be called from any thread on a const matcher.
#include <array>
#include <cstddef>
#include <string_view>

// One match: its byte range in the subject and those of groups 0..9 (group 0 is the whole
// match); a group that took no part has Start == npos.
struct TTextMatch {
  static constexpr size_t npos = static_cast<size_t>(-1);
  struct TGroup {
    size_t Start = npos;
    size_t Length = 0;
  };
  std::array<TGroup, 10> Groups{};
  size_t Start() const { return Groups[0].Start; }
  size_t End() const { return Groups[0].Start + Groups[0].Length; }
};

class TTextMatcher {
 public:
  virtual ~TTextMatcher() = default;
  virtual bool SpansLines() const = 0;
  virtual bool Find(std::string_view subject, size_t from, TTextMatch& match) const = 0;
};
