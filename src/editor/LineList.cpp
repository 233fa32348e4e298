#include "editor/LineList.h"

#include <algorithm>
#include <iterator>

#include "util/Errors.h"

namespace {

void CheckIndex(int index, int low, int high) {
  if (index < low || index > high) throw EListError(index);
}

// Lines [first, lastNew) in today's indices differ from what the last TakeChanges saw;
// count is today's line count.
void MarkChanged(LineChanges& changes, int first, int lastNew, int count) {
  const int tail = count - lastNew;
  if (!changes.Any) {
    changes.Any = true;
    changes.First = first;
    changes.TailUnchanged = tail;
    return;
  }
  changes.First = std::min(changes.First, first);
  changes.TailUnchanged = std::min(changes.TailUnchanged, tail);
}

}  // namespace

void LineList::Set(int index, std::string s) {
  CheckIndex(index, 0, FCount - 1);
  std::string& slot = FSlots[Physical(index)];
  // The line's own offset stays; the lines after it move when its length changes.
  if (slot.size() != s.size()) Invalidate(index);
  FTextLength += static_cast<long long>(s.size()) - static_cast<long long>(slot.size());
  slot = std::move(s);
  MarkChanged(FChanges, index, index + 1, FCount);
}

void LineList::Insert(int index, std::string s) {
  CheckIndex(index, 0, FCount);
  Reserve(1);
  MoveGap(index);
  FTextLength += static_cast<long long>(s.size()) + 2;
  FSlots[FGapStart] = std::move(s);
  ++FGapStart;
  --FGapLength;
  ++FCount;
  FOffsets.resize(FCount + 1);
  Invalidate(index);
  MarkChanged(FChanges, index, index + 1, FCount);
}

void LineList::Insert(int index, std::vector<std::string> lines) {
  CheckIndex(index, 0, FCount);
  if (lines.empty()) return;
  const int n = static_cast<int>(lines.size());
  Reserve(n);
  MoveGap(index);
  for (const std::string& line : lines) FTextLength += static_cast<long long>(line.size()) + 2;
  std::move(lines.begin(), lines.end(), FSlots.begin() + FGapStart);
  FGapStart += n;
  FGapLength -= n;
  FCount += n;
  FOffsets.resize(FCount + 1);
  Invalidate(index);
  MarkChanged(FChanges, index, index + n, FCount);
}

void LineList::Erase(int index, int count) {
  CheckIndex(index, 0, FCount);
  if (count < 0 || count > FCount - index) throw EListError(index + count);
  if (count == 0) return;
  MoveGap(index);
  // The erased lines follow the gap; give their memory back and widen the gap.
  auto first = FSlots.begin() + FGapStart + FGapLength;
  std::for_each(first, first + count, [this](std::string& line) {
    FTextLength -= static_cast<long long>(line.size()) + 2;
    std::string().swap(line);
  });
  FGapLength += count;
  FCount -= count;
  FOffsets.resize(FCount + 1);
  Invalidate(index);
  MarkChanged(FChanges, index, index, FCount);
}

void LineList::Clear() {
  Assign({});
}

void LineList::Assign(std::vector<std::string> lines) {
  FSlots = std::move(lines);
  FCount = static_cast<int>(FSlots.size());
  FTextLength = 0;
  for (const std::string& line : FSlots) FTextLength += static_cast<long long>(line.size()) + 2;
  FGapStart = FCount;
  FGapLength = 0;
  FOffsets.assign(FCount + 1, 0);
  FValidOffsets = 0;
  MarkChanged(FChanges, 0, FCount, FCount);
}

int LineList::Offset(int index) const {
  CheckIndex(index, 0, FCount);
  // The end of the text is known without walking the lines (the text's length).
  if (index == FCount) return static_cast<int>(FTextLength);
  ExtendOffsets(index);
  return FOffsets[index];
}

void LineList::ExtendOffsets(int index) const {
  for (; FValidOffsets < index; ++FValidOffsets) {
    const auto length = static_cast<int>((*this)[FValidOffsets].size());
    FOffsets[FValidOffsets + 1] = FOffsets[FValidOffsets] + length + 2;
  }
}

int LineList::LineAtOffset(int offset) const {
  if (FCount == 0) return -1;
  if (offset <= 0) return 0;
  if (offset >= FTextLength - (static_cast<long long>((*this)[FCount - 1].size()) + 2))
    return FCount - 1;
  if (offset >= FOffsets[FValidOffsets]) {
    // Walk forward from the end of the valid prefix until the line is found.
    while (FOffsets[FValidOffsets] <= offset) ExtendOffsets(FValidOffsets + 1);
  }
  auto valid = FOffsets.begin() + FValidOffsets + 1;
  auto after = std::upper_bound(FOffsets.begin(), valid, offset);
  return static_cast<int>(std::distance(FOffsets.begin(), after)) - 1;
}

LineChanges LineList::TakeChanges() {
  LineChanges changes = FChanges;
  FChanges = LineChanges{};
  FChanges.OldCount = FCount;
  return changes;
}

void LineList::MoveGap(int index) {
  // An empty gap moves without moving lines (that would move each line onto itself).
  if (FGapLength > 0 && index < FGapStart) {
    auto begin = FSlots.begin();
    std::move_backward(begin + index, begin + FGapStart, begin + FGapStart + FGapLength);
  } else if (FGapLength > 0 && index > FGapStart) {
    auto begin = FSlots.begin();
    std::move(begin + FGapStart + FGapLength, begin + index + FGapLength, begin + FGapStart);
  }
  FGapStart = index;
}

void LineList::Reserve(int extra) {
  if (FGapLength >= extra) return;
  // Grow geometrically so that a run of insertions costs O(1) each.
  const size_t size =
      std::max<size_t>({static_cast<size_t>(FCount + extra), FSlots.size() * 2, 16});
  std::vector<std::string> slots(size);
  auto begin = FSlots.begin();
  const int tail = FCount - FGapStart;
  std::move(begin, begin + FGapStart, slots.begin());
  std::move(begin + FGapStart + FGapLength, FSlots.end(), slots.end() - tail);
  FSlots = std::move(slots);
  FGapLength = static_cast<int>(size) - FCount;
}

void LineList::Invalidate(int index) {
  FValidOffsets = std::min(FValidOffsets, index);
}
