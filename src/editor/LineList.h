#pragma once
// A list of lines built for editing in one place at a time: a gap buffer, so inserting
// and deleting lines where the last edit happened costs nothing in the document's size,
// with whole-text offsets of the lines kept as lazily extended prefix sums.
#include <string>
#include <vector>

// The lines changed since the last TakeChanges: in today's indices [First, count -
// TailUnchanged); OldCount is the line count at the last TakeChanges. Consumers that keep
// per-line data (the highlighter's line states) bring it up to date from this.
struct LineChanges {
  bool Any = false;
  int First = 0;
  int TailUnchanged = 0;
  int OldCount = 0;
};

class LineList {
 public:
  int Count() const { return FCount; }
  const std::string& operator[](int index) const { return FSlots[Physical(index)]; }
  void Set(int index, std::string s);
  void Insert(int index, std::string s);
  void Insert(int index, std::vector<std::string> lines);
  void Erase(int index, int count);
  void Clear();
  void Assign(std::vector<std::string> lines);
  // Offset of line Index in the whole text, each line counting its length plus 2.
  int Offset(int index) const;
  // Index of the line holding whole-text offset Offset (0 <= Offset < total length).
  int LineAtOffset(int offset) const;
  LineChanges TakeChanges();

 private:
  int Physical(int index) const { return index < FGapStart ? index : index + FGapLength; }
  void MoveGap(int index);
  void Reserve(int extra);
  void Invalidate(int index);
  // Makes the offsets of lines 0..Index correct.
  void ExtendOffsets(int index) const;

  std::vector<std::string> FSlots;
  int FCount = 0;
  int FGapStart = 0;
  int FGapLength = 0;
  // Offsets of lines 0..FValidOffsets are correct; FOffsets holds Count + 1 entries.
  mutable std::vector<int> FOffsets{0};
  mutable int FValidOffsets = 0;
  // Offset of the end of the text, kept up to date by every change.
  long long FTextLength = 0;
  LineChanges FChanges;
};
