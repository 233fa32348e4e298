#include "editor/LineList.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <utility>

#include "util/Errors.h"

namespace {

// A block is split in blocks of kFillLines lines (or kFillBytes bytes) once it holds more
// than kMaxLines lines or kMaxBytes bytes; loading fills blocks to the same size, so the
// first edits of a block rewrite a few kilobytes and do not split it at once.
constexpr int kFillLines = 256;
constexpr int kMaxLines = 2 * kFillLines;
constexpr size_t kFillBytes = 1 << 15;
constexpr size_t kMaxBytes = 2 * kFillBytes;

void CheckIndex(int index, int low, int high) {
  if (index < low || index > high) throw EListError(index);
}

}  // namespace

LineListFiller::LineListFiller(LineList& list) : FList(list) {
  FList.Replacing(0, FList.FCount);
  FList.FBlocks.clear();
  FList.FCount = 0;
  FList.FTotalBytes = 0;
  FPending.reserve(kFillLines);
}

void LineListFiller::Append(std::string_view line) {
  FPending.push_back(line);
  FBytes += line.size();
  if (FPending.size() >= static_cast<size_t>(kFillLines) || FBytes >= kFillBytes) Flush();
}

void LineListFiller::Flush() {
  if (FPending.empty()) return;
  LineListBlock& block = FList.FBlocks.emplace_back();
  block.Bytes.reserve(FBytes);
  block.Ends.reserve(FPending.size());
  for (std::string_view line : FPending) {
    AppendExpanded(block.Bytes, line);
    block.Ends.push_back(static_cast<uint32_t>(block.Bytes.size()));
  }
  FList.FCount += block.Count();
  FList.FTotalBytes += static_cast<long long>(block.Bytes.size());
  FPending.clear();
  FBytes = 0;
}

void LineListFiller::Done() {
  Flush();
  FList.Invalidate(0);
  FList.MarkChanged(0, FList.FCount);
}

void LineListFiller::AppendExpanded(std::string& bytes, std::string_view line) const {
  if (!FTabRun || line.find('\t') == std::string_view::npos) {
    bytes.append(line);
    return;
  }
  for (char c : line) {
    if (c == '\t') {
      bytes.append(*FTabRun);
    } else {
      bytes.push_back(c);
    }
  }
}

void LineListBlock::Replace(int at, int removed, const std::vector<std::string_view>& lines) {
  const uint32_t from = Start(at);
  const uint32_t to = Start(at + removed);
  // The new lines may be views into this block: they are joined before Bytes changes.
  std::string joined;
  joined.reserve(std::accumulate(lines.begin(), lines.end(), size_t{0},
                                 [](size_t n, std::string_view s) { return n + s.size(); }));
  std::vector<uint32_t> ends;
  ends.reserve(lines.size());
  for (std::string_view s : lines) {
    joined.append(s);
    ends.push_back(from + static_cast<uint32_t>(joined.size()));
  }
  Bytes.replace(from, to - from, joined);
  const auto first = Ends.begin() + at;
  const auto tail = Ends.erase(first, first + removed);
  const auto shifted = Ends.insert(tail, ends.begin(), ends.end()) + static_cast<long>(ends.size());
  const uint32_t delta = static_cast<uint32_t>(joined.size()) - (to - from);
  std::for_each(shifted, Ends.end(), [delta](uint32_t& end) { end += delta; });
}

void LineList::CopyTo(LineSnapshot& into) const {
  into.Bytes.clear();
  into.Ends.clear();
  into.Bytes.reserve(static_cast<size_t>(FTotalBytes));
  into.Ends.reserve(static_cast<size_t>(FCount));
  for (const LineListBlock& block : FBlocks) {
    const auto base = static_cast<uint32_t>(into.Bytes.size());
    into.Bytes.append(block.Bytes);
    for (uint32_t end : block.Ends) into.Ends.push_back(base + end);
  }
}

std::string_view LineList::View(int index) const {
  CheckIndex(index, 0, FCount - 1);
  const Place p = Locate(index);
  return FBlocks[static_cast<size_t>(p.BlockIndex)].Line(p.Line);
}

const LineListBlock& LineList::BlockOf(int index, int& inBlock) const {
  CheckIndex(index, 0, FCount - 1);
  const Place p = Locate(index);
  inBlock = p.Line;
  return FBlocks[static_cast<size_t>(p.BlockIndex)];
}

void LineList::Set(int index, std::string_view s) {
  CheckIndex(index, 0, FCount - 1);
  Replacing(index, 1);
  ReplaceInBlock(index, 1, {s});
  MarkChanged(index, index + 1);
}

void LineList::Insert(int index, std::string_view s) {
  CheckIndex(index, 0, FCount);
  Replacing(index, 0);
  ReplaceInBlock(index, 0, {s});
  MarkChanged(index, index + 1);
}

void LineList::Insert(int index, const std::vector<std::string>& lines) {
  CheckIndex(index, 0, FCount);
  if (lines.empty()) return;
  Replacing(index, 0);
  ReplaceInBlock(index, 0, std::vector<std::string_view>(lines.begin(), lines.end()));
  MarkChanged(index, index + static_cast<int>(lines.size()));
}

void LineList::Erase(int index, int count) {
  CheckIndex(index, 0, FCount);
  if (count < 0 || count > FCount - index) throw EListError(index + count);
  if (count == 0) return;
  Replacing(index, count);
  for (int left = count; left > 0;) {
    const Place p = Locate(index);
    const auto b = static_cast<size_t>(p.BlockIndex);
    if (p.Line > 0 || FBlocks[b].Count() > left) {
      const int n = std::min(left, FBlocks[b].Count() - p.Line);
      ReplaceInBlock(index, n, {});
      left -= n;
      continue;
    }
    // Whole blocks go at once.
    size_t end = b;
    int lines = 0;
    for (; end < FBlocks.size() && lines + FBlocks[end].Count() <= left; ++end) {
      lines += FBlocks[end].Count();
      FTotalBytes -= static_cast<long long>(FBlocks[end].Bytes.size());
    }
    FBlocks.erase(FBlocks.begin() + static_cast<long>(b), FBlocks.begin() + static_cast<long>(end));
    FCount -= lines;
    left -= lines;
    Invalidate(p.BlockIndex);
  }
  MarkChanged(index, index);
}

void LineList::Clear() {
  Assign({});
}

void LineList::Assign(const std::vector<std::string>& lines) {
  LineListFiller filler(*this);
  for (const std::string& line : lines) filler.Append(line);
  filler.Done();
}

void LineList::Adopt(LineList& other) {
  Replacing(0, FCount);
  FBlocks = std::move(other.FBlocks);
  FCount = std::exchange(other.FCount, 0);
  FTotalBytes = std::exchange(other.FTotalBytes, 0);
  other.FBlocks.clear();
  other.Invalidate(0);
  Invalidate(0);
  MarkChanged(0, FCount);
}

void LineList::AssignText(std::string_view text, const std::string* tabRun) {
  LineListFiller filler(*this);
  filler.SetTabRun(tabRun);
  ForEachLine(text, [&](std::string_view line) { filler.Append(line); });
  filler.Done();
}

int LineList::Offset(int index) const {
  CheckIndex(index, 0, FCount);
  if (index == FCount) return static_cast<int>(FTotalBytes + 2LL * FCount);
  const Place p = Locate(index);
  const LineListBlock& block = FBlocks[static_cast<size_t>(p.BlockIndex)];
  // The last block may have been found from the end, past the valid prefix sums.
  const int first = p.BlockIndex + 1 <= FValidBlocks
                        ? FFirstOffset[static_cast<size_t>(p.BlockIndex)]
                        : Offset(FCount) - block.Offset(block.Count());
  return first + block.Offset(p.Line);
}

int LineList::LineAtOffset(int offset) const {
  if (FCount == 0) return -1;
  if (offset <= 0) return 0;
  if (offset >= Offset(FCount)) return FCount - 1;
  const int blocks = static_cast<int>(FBlocks.size());
  while (FValidBlocks < blocks && FFirstOffset[static_cast<size_t>(FValidBlocks)] <= offset)
    ExtendPrefix(FValidBlocks);
  const auto valid = FFirstOffset.begin() + FValidBlocks + 1;
  const int b = static_cast<int>(std::upper_bound(FFirstOffset.begin(), valid, offset) -
                                 FFirstOffset.begin()) -
                1;
  const LineListBlock& block = FBlocks[static_cast<size_t>(b)];
  const int inBlock = offset - FFirstOffset[static_cast<size_t>(b)];
  int low = 0;
  int high = block.Count();
  // The last line of the block whose offset is at most InBlock.
  while (high - low > 1) {
    const int mid = (low + high) / 2;
    (block.Offset(mid) <= inBlock ? low : high) = mid;
  }
  FLastBlock = b;
  return FFirstLine[static_cast<size_t>(b)] + low;
}

void LineList::EndGroup() {
  if (FGroupDepth == 0 || --FGroupDepth > 0) return;
  for (LineListObserver* observer : FObservers) observer->GroupEnded();
}

LineChanges LineList::TakeChanges() {
  LineChanges changes = FChanges;
  FChanges = LineChanges{};
  FChanges.OldCount = FCount;
  return changes;
}

LineList::Place LineList::Locate(int index) const {
  if (FBlocks.empty()) return {0, 0};
  const int blocks = static_cast<int>(FBlocks.size());
  if (index >= FCount) return {blocks - 1, FBlocks.back().Count()};
  // The last block is found from the end: reading the last line after an edit far above
  // it needs no prefix sums.
  const int lastFirst = FCount - FBlocks.back().Count();
  if (index >= lastFirst) return {blocks - 1, index - lastFirst};
  for (int b : {FLastBlock, FLastBlock + 1}) {
    if (b + 1 <= FValidBlocks && FFirstLine[static_cast<size_t>(b)] <= index &&
        index < FFirstLine[static_cast<size_t>(b) + 1]) {
      FLastBlock = b;
      return {b, index - FFirstLine[static_cast<size_t>(b)]};
    }
  }
  while (FValidBlocks < blocks && FFirstLine[static_cast<size_t>(FValidBlocks)] <= index)
    ExtendPrefix(FValidBlocks);
  const auto valid = FFirstLine.begin() + FValidBlocks + 1;
  const int b =
      static_cast<int>(std::upper_bound(FFirstLine.begin(), valid, index) - FFirstLine.begin()) - 1;
  FLastBlock = b;
  return {b, index - FFirstLine[static_cast<size_t>(b)]};
}

void LineList::ExtendPrefix(int b) const {
  const auto i = static_cast<size_t>(b);
  const LineListBlock& block = FBlocks[i];
  FFirstLine[i + 1] = FFirstLine[i] + block.Count();
  FFirstOffset[i + 1] = FFirstOffset[i] + static_cast<int>(block.Bytes.size()) + 2 * block.Count();
  FValidBlocks = b + 1;
}

void LineList::ReplaceInBlock(int index, int removed, const std::vector<std::string_view>& lines) {
  if (FBlocks.empty()) {
    FBlocks.emplace_back();
    Invalidate(0);
  }
  const Place p = Locate(index);
  LineListBlock& block = FBlocks[static_cast<size_t>(p.BlockIndex)];
  const auto before = static_cast<long long>(block.Bytes.size());
  block.Replace(p.Line, removed, lines);
  FTotalBytes += static_cast<long long>(block.Bytes.size()) - before;
  FCount += static_cast<int>(lines.size()) - removed;
  Invalidate(p.BlockIndex);
  Rebalance(p.BlockIndex);
}

// An emptied block goes; an overfull one is cut in blocks of the fill size.
void LineList::Rebalance(int b) {
  const auto at = FBlocks.begin() + b;
  if (at->Count() == 0) {
    FBlocks.erase(at);
    Invalidate(b);
    return;
  }
  if (at->Count() <= kMaxLines && (at->Bytes.size() <= kMaxBytes || at->Count() == 1)) return;
  LineList pieces;
  LineListFiller filler(pieces);
  for (int i = 0; i < at->Count(); ++i) filler.Append(at->Line(i));
  filler.Flush();
  std::vector<LineListBlock>& cut = pieces.FBlocks;
  FBlocks.erase(at);
  FBlocks.insert(FBlocks.begin() + b, std::make_move_iterator(cut.begin()),
                 std::make_move_iterator(cut.end()));
  Invalidate(b);
}

void LineList::Invalidate(int b) {
  FValidBlocks = std::min(FValidBlocks, b);
  FFirstLine.resize(FBlocks.size() + 1);
  FFirstOffset.resize(FBlocks.size() + 1);
}

// Lines [First, LastNew) in today's indices differ from what the last TakeChanges saw.
void LineList::MarkChanged(int first, int lastNew) {
  if (FJournal) FJournal->Replaced(first, lastNew - first);
  for (LineListObserver* observer : FObservers) observer->LinesReplaced(first, lastNew - first);
  const int tail = FCount - lastNew;
  if (!FChanges.Any) {
    FChanges.Any = true;
    FChanges.First = first;
    FChanges.TailUnchanged = tail;
    return;
  }
  FChanges.First = std::min(FChanges.First, first);
  FChanges.TailUnchanged = std::min(FChanges.TailUnchanged, tail);
}
