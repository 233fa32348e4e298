#pragma once
// A vector with a gap where it was last changed: replacing a run of elements moves only
// the elements between the old and the new place of the gap, so repeated changes in one
// place (line breaks typed one after another) cost nothing in the vector's size.
#include <algorithm>
#include <vector>

template <typename T>
class GapVector {
 public:
  int Size() const { return static_cast<int>(FItems.size()) - FGapLength; }
  const T& operator[](int i) const { return FItems[Physical(i)]; }
  T& operator[](int i) { return FItems[Physical(i)]; }

  // Count copies of Value, with room for a few more, so the first insertions after
  // loading a large text do not copy it.
  void Assign(int count, const T& value) {
    const int room = count / 16 + 16;
    FItems.assign(static_cast<size_t>(count + room), value);
    FGapStart = count;
    FGapLength = room;
  }

  // Replaces Removed elements at At by Inserted copies of Value.
  void Replace(int at, int removed, int inserted, const T& value) {
    MoveGap(at);
    FGapLength += removed;
    Reserve(inserted);
    std::fill_n(FItems.begin() + FGapStart, inserted, value);
    FGapStart += inserted;
    FGapLength -= inserted;
  }

 private:
  size_t Physical(int i) const { return static_cast<size_t>(i < FGapStart ? i : i + FGapLength); }

  void MoveGap(int at) {
    const auto begin = FItems.begin();
    if (FGapLength == 0) {
      // Nothing lies between the two places.
    } else if (at < FGapStart) {
      std::move_backward(begin + at, begin + FGapStart, begin + FGapStart + FGapLength);
    } else if (at > FGapStart) {
      std::move(begin + FGapStart + FGapLength, begin + at + FGapLength, begin + FGapStart);
    }
    FGapStart = at;
  }

  // Makes the gap hold at least Extra elements, growing geometrically.
  void Reserve(int extra) {
    if (FGapLength >= extra) return;
    const int size = Size();
    const int tail = size - FGapStart;
    const size_t capacity =
        std::max<size_t>({static_cast<size_t>(size + extra), FItems.size() * 2, size_t{16}});
    std::vector<T> items(capacity);
    std::move(FItems.begin(), FItems.begin() + FGapStart, items.begin());
    std::move(FItems.end() - tail, FItems.end(), items.end() - tail);
    FItems = std::move(items);
    FGapLength = static_cast<int>(capacity) - size;
  }

  std::vector<T> FItems;
  int FGapStart = 0;
  int FGapLength = 0;
};
