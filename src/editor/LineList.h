#pragma once
// A list of lines kept compactly: lines are grouped in blocks of a few hundred, each block
// holding its lines' bytes back to back with the end of every line. An edit rewrites one
// block; the first line and whole-text offset of each block are prefix sums extended
// lazily, so no per-line array is shifted or rebuilt when lines come and go.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/LineJournal.h"
#include "util/Bracket.h"

// Position of the first C in Text[From, To), or To.
inline size_t FindByte(std::string_view text, size_t from, size_t to, char c) {
  const void* found = std::memchr(text.data() + from, c, to - from);
  return found ? static_cast<size_t>(static_cast<const char*>(found) - text.data()) : to;
}

// Calls Line for every line of Text: breaks are CR LF, a lone CR or a lone LF, a final
// break adds no line, NUL is an ordinary byte. This is the one splitter of the line
// store; loading, pasting and splicing all split through it.
template <typename F>
void ForEachLine(std::string_view text, F&& line) {
  size_t p = 0;
  size_t nextLf = FindByte(text, 0, text.size(), '\n');
  while (p < text.size()) {
    // The next line feed is kept between lines, so text broken by lone CRs is not
    // searched to its end for every line.
    if (nextLf < p) nextLf = FindByte(text, p, text.size(), '\n');
    const size_t end = FindByte(text, p, nextLf, '\r');
    line(text.substr(p, end - p));
    p = end;
    if (p < text.size() && text[p] == '\r') ++p;
    if (p < text.size() && text[p] == '\n') ++p;
  }
}

// The lines changed since the last TakeChanges: in today's indices [First, count -
// TailUnchanged); OldCount is the line count at the last TakeChanges. Consumers that keep
// per-line data (the highlighter's line states) bring it up to date from this.
struct LineChanges {
  bool Any = false;
  int First = 0;
  int TailUnchanged = 0;
  int OldCount = 0;
};

// One block of lines: their bytes back to back and the end of each.
struct LineListBlock {
  std::string Bytes;
  std::vector<uint32_t> Ends;
  int Count() const { return static_cast<int>(Ends.size()); }
  uint32_t Start(int i) const { return i == 0 ? 0 : Ends[static_cast<size_t>(i) - 1]; }
  std::string_view Line(int i) const {
    return std::string_view(Bytes).substr(Start(i), Ends[static_cast<size_t>(i)] - Start(i));
  }
  // Whole-text offset of line I from the start of the block.
  int Offset(int i) const { return static_cast<int>(Start(i)) + 2 * i; }
  // Replaces lines [At, At + Removed) by Lines.
  void Replace(int at, int removed, const std::vector<std::string_view>& lines);
};

// A copy of every line for a reader on another thread (a recovery draft being written):
// the lines' bytes back to back and the end of each. Copying into a snapshot whose
// buffers are large enough allocates nothing, so it costs about one memcpy of the text.
struct LineSnapshot {
  std::string Bytes;
  std::vector<uint32_t> Ends;
  int Count() const { return static_cast<int>(Ends.size()); }
  std::string_view Line(int i) const {
    const uint32_t start = i == 0 ? 0 : Ends[static_cast<size_t>(i) - 1];
    return std::string_view(Bytes).substr(start, Ends[static_cast<size_t>(i)] - start);
  }
};

// A reader that follows a line list as it changes (the accessibility bridge, the script
// model), told around every change.
class LineListObserver {
 public:
  // Lines [First, First + Removed) are about to be replaced.
  virtual void LinesReplacing(int first, int removed) = 0;
  // Lines [First, First + Added) are the lines that replaced them.
  virtual void LinesReplaced(int first, int added) = 0;
  // The outermost group of changes (LineList::Grouped) has ended.
  virtual void GroupEnded() {}

 protected:
  ~LineListObserver() = default;
};

class LineList;

// Fills a LineList anew with lines given in order, building full blocks: the lines of a
// block are gathered first (a line given to Append must stay valid until the next Flush),
// so each block's buffer is allocated once at its size. Flush ends the block being
// gathered; the list holds exactly the lines given once Done has run.
class LineListFiller {
 public:
  explicit LineListFiller(LineList& list);
  // Every tab of the lines appended from now on becomes *TabRun (none: tabs stay).
  void SetTabRun(const std::string* tabRun) { FTabRun = tabRun; }
  void Append(std::string_view line);
  void Flush();
  void Done();

 private:
  void AppendExpanded(std::string& bytes, std::string_view line) const;

  LineList& FList;
  const std::string* FTabRun = nullptr;
  std::vector<std::string_view> FPending;
  size_t FBytes = 0;
};

class LineList {
 public:
  int Count() const { return FCount; }
  // Line Index as a copy; View gives it without copying, valid until the next change.
  std::string operator[](int index) const { return std::string(View(index)); }
  std::string_view View(int index) const;
  void Set(int index, std::string_view s);
  void Insert(int index, std::string_view s);
  void Insert(int index, const std::vector<std::string>& lines);
  void Erase(int index, int count);
  void Clear();
  void Assign(const std::vector<std::string>& lines);
  // Takes every line of Other (which is left empty) in place of its own, as one change.
  void Adopt(LineList& other);
  // Splits Text at CR LF, CR or LF (a final break adds no line) straight into the blocks,
  // every tab replaced by *TabRun when it is given.
  void AssignText(std::string_view text, const std::string* tabRun = nullptr);
  // Offset of line Index in the whole text, each line counting its length plus 2.
  int Offset(int index) const;
  // Index of the line holding whole-text offset Offset (0 <= Offset < total length).
  int LineAtOffset(int offset) const;
  LineChanges TakeChanges();
  bool HasChanges() const { return FChanges.Any; }
  // The block holding line Index, for readers that scan many lines' bytes at once (they
  // lie back to back there); InBlock receives the line's place in it.
  const LineListBlock& BlockOf(int index, int& inBlock) const;
  void CopyTo(LineSnapshot& into) const;

  // Observers are told in the order they were added; each removes itself before it goes.
  void AddObserver(LineListObserver* observer) { FObservers.push_back(observer); }
  void RemoveObserver(LineListObserver* observer) { std::erase(FObservers, observer); }

  // Brackets changes that readers may take as one (an undo step, a Replace All):
  // observers still hear of each change, and of GroupEnded once the outermost group ends.
  void BeginGroup() { ++FGroupDepth; }
  void EndGroup();
  bool InGroup() const { return FGroupDepth > 0; }
  // A group until the returned bracket ends, on every path.
  auto Grouped() {
    BeginGroup();
    return Bracket([this] { EndGroup(); });
  }

  // Every change made while a journal is attached is noted in it (none by default).
  void SetJournal(LineJournal* journal) { FJournal = journal; }

 private:
  friend class LineListFiller;
  struct Place {
    int BlockIndex;
    int Line;
  };

  // The block holding line Index (Index == Count gives the end of the last block).
  Place Locate(int index) const;
  // Extends the prefix sums over block B.
  void ExtendPrefix(int b) const;
  // Replaces lines [Index, Index + Removed) inside one block and keeps the blocks sized.
  void ReplaceInBlock(int index, int removed, const std::vector<std::string_view>& lines);
  void Rebalance(int b);
  void Invalidate(int b);
  void MarkChanged(int first, int lastNew);
  void Replacing(int first, int removed) const {
    if (FJournal) FJournal->Replacing(*this, first, removed);
    for (LineListObserver* observer : FObservers) observer->LinesReplacing(first, removed);
  }

  std::vector<LineListBlock> FBlocks;
  int FCount = 0;
  long long FTotalBytes = 0;
  // First line and whole-text offset of blocks 0..FValidBlocks (one entry past the last
  // block); later entries are stale.
  mutable std::vector<int> FFirstLine{0};
  mutable std::vector<int> FFirstOffset{0};
  mutable int FValidBlocks = 0;
  // The block of the last look-up: reading lines in order finds it again at once.
  mutable int FLastBlock = 0;
  LineChanges FChanges;
  int FGroupDepth = 0;
  LineJournal* FJournal = nullptr;
  std::vector<LineListObserver*> FObservers;
};
