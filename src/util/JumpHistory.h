#pragma once
// Where the caret was before each jump to a definition, newest last, so that going back
// retraces the jumps; only the last few are kept.
#include <cstddef>
#include <deque>
#include <optional>

struct TCaretPlace {
  int Line = 0;
  int Column = 0;
  bool operator==(const TCaretPlace&) const = default;
};

class TJumpHistory {
 public:
  static constexpr size_t kDepth = 20;

  void Push(TCaretPlace from) {
    FPlaces.push_back(from);
    if (FPlaces.size() > kDepth) FPlaces.pop_front();
  }
  // The place of the latest jump, taken off the history; none when it is empty.
  std::optional<TCaretPlace> Back() {
    if (FPlaces.empty()) return std::nullopt;
    const TCaretPlace place = FPlaces.back();
    FPlaces.pop_back();
    return place;
  }
  bool Empty() const { return FPlaces.empty(); }

 private:
  std::deque<TCaretPlace> FPlaces;
};
