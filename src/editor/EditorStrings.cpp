#include <algorithm>
#include <climits>
#include <string_view>

#include "editor/RAEditor.h"
#include "util/Bracket.h"
#include "util/Errors.h"
#include "util/RAStrUtil.h"

namespace {

void CheckIndex(int index, int count) {
  if (index < 0 || index >= count) throw EListError(index);
}

// Length of S without its trailing blanks and control characters.
size_t TrimmedLength(const std::string& s) {
  size_t length = s.size();
  while (length > 0 && static_cast<unsigned char>(s[length - 1]) <= ' ') --length;
  return length;
}

// SplitText without the NUL cut.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::string_view UpToNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// A whole-text offset as a line and a position inside that line and its break; offsets
// below 0 count as 0, offsets at or past the end as (Count(), 0).
struct TextPos {
  int Line;
  int Column;
};

TextPos Locate(const TEditorStrings& lines, int offset) {
  if (lines.Count() == 0) return {0, 0};
  const int p = std::max(offset, 0);
  const int line = lines.LineAtOffset(p);
  const int start = lines.LineOffset(line);
  if (p - start >= static_cast<int>(lines.View(line).size()) + 2) return {lines.Count(), 0};
  return {line, p - start};
}

}  // namespace

TEditorStrings::TEditorStrings(TRACustomEditor* editor) : FEditor(editor) {}

std::string_view TEditorStrings::View(int index) const {
  CheckIndex(index, Count());
  return FLines.View(index);
}

void TEditorStrings::Put(int index, const std::string& s) {
  CheckIndex(index, Count());
  if (FEditor->FKeepTrailingBlanks) {
    PlainPut(index, s);
    return;
  }
  const size_t kept = TrimmedLength(s);
  if (kept < s.size()) {
    // The record keeps the characters cut, so that undo gives back a trailing control
    // character too; only what undo could not put back into one line is kept as blanks.
    std::string cut = s.substr(kept);
    if (cut.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
      cut = Blanks(static_cast<int>(cut.size()));
    Push<TDeleteTrailUndo>(FEditor, static_cast<int>(s.size()), index, std::move(cut));
  }
  PlainPut(index, s.substr(0, kept));
}

int TEditorStrings::Add(const std::string& s) {
  const int index = Count();
  FLines.Insert(index, ExpandTabs(s));
  Changed();
  return index;
}

void TEditorStrings::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) throw EListError(index);
  FLines.Insert(index, ExpandTabs(s));
  Changed();
}

void TEditorStrings::Delete(int index) {
  CheckIndex(index, Count());
  FLines.Erase(index, 1);
  Changed();
}

void TEditorStrings::Clear() {
  if (Count() == 0) return;
  FLines.Clear();
  Changed();
}

std::string TEditorStrings::GetTextStr() const {
  std::string text;
  text.reserve(static_cast<size_t>(TextLength()));
  for (int i = 0; i < Count(); ++i) {
    text += FLines.View(i);
    text += "\r\n";
  }
  return text;
}

void TEditorStrings::SetTextStr(const std::string& value) {
  const std::string_view text = UpToNul(value);
  // Every tab becomes the same run of blanks; it is worked out once for the whole text.
  const bool hasTabs = text.find('\t') != std::string_view::npos;
  const std::string tabRun = hasTabs ? ExpandTabs("\t") : std::string();
  FLines.AssignText(text, hasTabs ? &tabRun : nullptr);
  if (FEditor->FUpdateLock == 0) FEditor->UndoBuffer()->Clear();
  // TextAllChanged is all the list notification would do, so it runs only once here.
  FEditor->TextAllChanged();
}

TLoadedText TEditorStrings::LoadFrom(TByteSource& source, TLoadOptions options) {
  options.TabRun = ExpandTabs("\t");
  TLoadedText loaded = LoadText(FLines, source, options);
  if (loaded.Stop != TLoadedText::TStop::None) return loaded;
  if (FEditor->FUpdateLock == 0) FEditor->UndoBuffer()->Clear();
  FEditor->TextAllChanged();
  return loaded;
}

void TEditorStrings::Assign(const std::vector<std::string>& lines) {
  FLines.Assign(lines);
  Changed();
}

void TEditorStrings::BeginUpdate() {
  ++FUpdateCount;
}

void TEditorStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FChangedInUpdate) {
    FChangedInUpdate = false;
    Changed();
  }
}

void TEditorStrings::InternalSetText(const std::string& value) {
  const auto lock = Raised(FEditor->FUpdateLock);
  FLines.AssignText(UpToNul(value));
  Changed();
}

void TEditorStrings::InternalPut(int index, const std::string& s) {
  const auto lock = Raised(FEditor->FUpdateLock);
  Put(index, s);
}

void TEditorStrings::ReLine() {
  const auto lock = Raised(FEditor->FUpdateLock);
  const int caretX = FEditor->CaretX();
  const int caretY = FEditor->CaretY();
  bool changed = false;
  int lastLength = Count() > 0 ? static_cast<int>(FLines.View(Count() - 1).size()) : caretX;
  while (Count() - 1 < caretY) {
    Push<TReLineUndo>(FEditor, lastLength, caretY, std::string("\r\n"));
    lastLength = 0;
    FLines.Insert(Count(), std::string());
    changed = true;
  }
  if (caretY >= 0 && static_cast<int>(FLines.View(caretY).size()) < caretX) {
    const int length = static_cast<int>(FLines.View(caretY).size());
    Push<TReLineUndo>(FEditor, length, caretY, Blanks(caretX - length));
    FLines.Set(caretY, FLines[caretY] + Blanks(caretX - length));
    changed = true;
  }
  if (changed) Changed();
}

void TEditorStrings::PlainPut(int index, const std::string& s) {
  CheckIndex(index, Count());
  FLines.Set(index, s);
  Changed();
}

void TEditorStrings::Splice(int index, int count, const std::vector<std::string>& lines) {
  if (index < 0 || index > Count()) throw EListError(index);
  if (count < 0 || count > Count() - index) throw EListError(index + count);
  // Lines replaced one for one keep the list's shape; only the difference is inserted or
  // erased.
  const int replaced = std::min(count, static_cast<int>(lines.size()));
  for (int i = 0; i < replaced; ++i) {
    if (FLines.View(index + i) != lines[static_cast<size_t>(i)])
      FLines.Set(index + i, lines[static_cast<size_t>(i)]);
  }
  if (count > replaced) FLines.Erase(index + replaced, count - replaced);
  if (static_cast<int>(lines.size()) > replaced)
    FLines.Insert(index + replaced,
                  std::vector<std::string>(lines.begin() + replaced, lines.end()));
  Changed();
}

// The text from the start of the line holding the offset to the end of that line's break
// is edited and split again: it ends with a line feed, so splitting it alone gives the
// same lines as splitting the whole edited text.
int TEditorStrings::InsertTextAt(int offset, const std::string& text) {
  const std::string_view inserted = UpToNul(text);
  const TextPos at = Locate(*this, offset);
  if (inserted.empty()) return at.Line;
  const bool inLine = at.Line < Count();
  std::string region = inLine ? FLines[at.Line] + "\r\n" : std::string();
  region.insert(static_cast<size_t>(at.Column), inserted);
  Splice(at.Line, inLine ? 1 : 0, SplitLines(region));
  return at.Line;
}

int TEditorStrings::DeleteTextAt(int offset, int length) {
  const TextPos at = Locate(*this, offset);
  if (length <= 0 || at.Line == Count()) return at.Line;
  const long long start = LineOffset(at.Line);
  const long long lastChar = std::min<long long>(start + at.Column + length - 1, INT_MAX);
  int last = LineAtOffset(static_cast<int>(lastChar));
  std::string region =
      TextAt(static_cast<int>(start), LineOffset(last + 1) - static_cast<int>(start));
  region.erase(static_cast<size_t>(at.Column), static_cast<size_t>(length));
  // A deleted line break joins the next line to the region.
  if ((region.empty() || region.back() != '\n') && last + 1 < Count()) {
    ++last;
    region += FLines.View(last);
    region += "\r\n";
  }
  Splice(at.Line, last - at.Line + 1, SplitLines(region));
  return at.Line;
}

std::string TEditorStrings::TextAt(int offset, int length) const {
  std::string result;
  const TextPos at = Locate(*this, offset);
  size_t left = static_cast<size_t>(std::max(length, 0));
  size_t skip = static_cast<size_t>(at.Column);
  for (int line = at.Line; line < Count() && left > 0; ++line) {
    for (std::string_view piece : {FLines.View(line), std::string_view("\r\n")}) {
      if (skip >= piece.size()) {
        skip -= piece.size();
        continue;
      }
      const size_t take = std::min(piece.size() - skip, left);
      result.append(piece.substr(skip, take));
      left -= take;
      skip = 0;
    }
  }
  return result;
}

int TEditorStrings::LineOffset(int index) const {
  if (index < 0 || index > Count()) throw EListError(index);
  return FLines.Offset(index);
}

int TEditorStrings::LineAtOffset(int offset) const {
  return FLines.LineAtOffset(offset);
}

std::vector<std::string> TEditorStrings::SplitText(const std::string& text) {
  return SplitLines(UpToNul(text));
}

void TEditorStrings::Changed() {
  if (FUpdateCount > 0) {
    FChangedInUpdate = true;
    return;
  }
  if (OnChange) OnChange();
}

std::string TEditorStrings::ExpandTabs(const std::string& s) const {
  return FEditor->ExpandTabs(s);
}
