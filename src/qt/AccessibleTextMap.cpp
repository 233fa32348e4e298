#include "qt/AccessibleTextMap.h"

#include <algorithm>

#include "editor/EditorStrings.h"
#include "qt/Codepage1252.h"
#include "util/RAStrUtil.h"

namespace {

bool IsWordChar(std::string_view line, int col) {
  return !IsWordSeparator(static_cast<unsigned char>(line[static_cast<size_t>(col)]));
}

// A word starts at column 0 and at each word character after a separator.
bool StartsWord(std::string_view line, int col) {
  return col == 0 || (IsWordChar(line, col) && !IsWordChar(line, col - 1));
}

}  // namespace

int AccessibleTextMap::CharacterCount() const {
  const int count = FLines.Count();
  return count == 0 ? 0 : FLines.TextLength() - count - 1;
}

int AccessibleTextMap::LineStart(int line) const {
  const int count = FLines.Count();
  if (line >= count) return CharacterCount();
  return FLines.LineOffset(line) - line;
}

int AccessibleTextMap::LineLength(int line) const {
  return static_cast<int>(FLines.View(line).size());
}

AccessibleTextMap::Position AccessibleTextMap::At(int offset) const {
  const int count = FLines.Count();
  if (count == 0) return {};
  offset = std::clamp(offset, 0, CharacterCount());
  // The control's offset of the same place is Offset + Line, so the line holding Offset
  // as a control offset is a lower bound; every line before it takes at least one
  // character, so Offset is an upper bound.
  int low = FLines.LineAtOffset(std::min(offset, FLines.TextLength() - 1));
  int high = std::min(count - 1, std::max(low, offset));
  while (low < high) {
    const int mid = low + (high - low + 1) / 2;
    if (LineStart(mid) <= offset)
      low = mid;
    else
      high = mid - 1;
  }
  return {low, offset - LineStart(low)};
}

int AccessibleTextMap::OffsetOf(int line, int col) const {
  if (FLines.Count() == 0 || line >= FLines.Count()) return CharacterCount();
  line = std::max(line, 0);
  return LineStart(line) + std::clamp(col, 0, LineLength(line));
}

QString AccessibleTextMap::Text(int start, int end) const {
  const int count = CharacterCount();
  start = std::clamp(start, 0, count);
  end = std::clamp(end, start, count);
  QString result;
  result.reserve(end - start);
  Position p = At(start);
  for (int left = end - start; left > 0; ++p.Line, p.Col = 0) {
    const std::string_view line = FLines.View(p.Line);
    const int take = std::min(left, static_cast<int>(line.size()) - p.Col);
    for (int i = 0; i < take; ++i)
      result +=
          Codepage1252::ToChar(static_cast<unsigned char>(line[static_cast<size_t>(p.Col + i)]));
    left -= take;
    if (left > 0) {
      result += QLatin1Char('\n');
      --left;
    }
  }
  return result;
}

AccessibleTextMap::Range AccessibleTextMap::WordAt(Position p) const {
  const std::string_view line = FLines.View(p.Line);
  const int length = static_cast<int>(line.size());
  int first = std::min(p.Col, length);
  if (first == length && length > 0) --first;  // the line break goes with the last word
  while (first > 0 && !StartsWord(line, first)) --first;
  int next = std::min(p.Col, length - 1) + 1;
  while (next < length && !StartsWord(line, next)) ++next;
  const int start = LineStart(p.Line);
  const int end = next >= length ? start + length + 1 : start + next;
  return {start + first, std::min(end, CharacterCount())};
}

AccessibleTextMap::Range AccessibleTextMap::UnitAt(int offset, Unit unit) const {
  const int count = CharacterCount();
  offset = std::clamp(offset, 0, count);
  if (unit == Unit::All) return {0, count};
  if (unit == Unit::Char) return {offset, std::min(offset + 1, count)};
  if (FLines.Count() == 0) return {};
  const Position p = At(offset);
  if (unit == Unit::Word) return WordAt(p);
  const int start = LineStart(p.Line);
  return {start, std::min(start + LineLength(p.Line) + 1, count)};
}

AccessibleTextMap::Range AccessibleTextMap::UnitBefore(int offset, Unit unit) const {
  const Range at = UnitAt(offset, unit);
  if (at.Start == 0 || unit == Unit::All) return {0, 0};
  return UnitAt(at.Start - 1, unit);
}

AccessibleTextMap::Range AccessibleTextMap::UnitAfter(int offset, Unit unit) const {
  const Range at = UnitAt(offset, unit);
  const int count = CharacterCount();
  if (at.End >= count || unit == Unit::All) return {count, count};
  return UnitAt(at.End, unit);
}
