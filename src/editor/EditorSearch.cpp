// Find, Replace and Replace All over the editor's lines, searched in place.
#include "editor/EditorSearch.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/RAEditor.h"
#include "editor/TextInsertion.h"
#include "util/RAStrUtil.h"

namespace editorsearch {
namespace {

// Match case off upper-cases only a..z, so accented letters compare exactly.
char Fold(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Folded(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), Fold);
  return s;
}

bool HasLineBreak(const std::string& s) {
  return s.find_first_of("\r\n") != std::string::npos;
}

// The character at Col of a line as the whole text has it: the line's text, then CR and LF.
char CharAt(std::string_view line, size_t col) {
  if (col < line.size()) return line[col];
  return col == line.size() ? '\r' : '\n';
}

bool IsSeparator(char c) {
  return IsWordSeparator(static_cast<unsigned char>(c));
}

// Whether a word may start at Col of Line: the text or a separator lies before it.
bool WordStartsAt(std::string_view line, size_t col) {
  return col == 0 || IsSeparator(CharAt(line, col - 1));
}

// Whether a word may end before Col of line Y (Col up to the line's width with CR LF):
// the text ends there or a separator follows.
bool WordEndsAt(const TEditorStrings& lines, int y, size_t col) {
  std::string_view line = lines.View(y);
  if (col >= line.size() + 2) {
    if (++y >= lines.Count()) return true;
    line = lines.View(y);
    col = 0;
  }
  return IsSeparator(CharAt(line, col));
}

// Column of the first occurrence of Pattern (already folded when Fold is set) in Line at or
// after Col; npos when there is none.
size_t FindInLine(std::string_view line, std::string_view pattern, size_t col, bool fold) {
  if (!fold) return line.find(pattern, col);
  const char first = pattern.front();
  for (size_t i = col; i + pattern.size() <= line.size(); ++i) {
    if (Fold(line[i]) != first) continue;
    size_t k = 1;
    while (k < pattern.size() && Fold(line[i + k]) == pattern[k]) ++k;
    if (k == pattern.size()) return i;
  }
  return std::string_view::npos;
}

// Where the search starts: the line holding offset From and the column in it (beyond the
// line's text when From lies in its line break or past the end of the document).
void StartOf(const TEditorStrings& lines, int from, int& line, size_t& col) {
  line = lines.LineAtOffset(std::max(from, 0));
  col = static_cast<size_t>(std::max(from, 0) - lines.LineOffset(line));
}

// A pattern without line breaks lies inside one line.
int FindWithinLines(const TEditorStrings& lines, std::string_view pattern, bool fold,
                    bool wholeWord, int from) {
  int y = 0;
  size_t col = 0;
  StartOf(lines, from, y, col);
  for (; y < lines.Count(); ++y, col = 0) {
    const std::string_view line = lines.View(y);
    if (col > line.size()) continue;
    for (size_t at = FindInLine(line, pattern, col, fold); at != std::string_view::npos;
         at = FindInLine(line, pattern, at + 1, fold)) {
      if (!wholeWord || (WordStartsAt(line, at) && WordEndsAt(lines, y, at + pattern.size())))
        return lines.LineOffset(y) + static_cast<int>(at);
    }
  }
  return -1;
}

// Whether Pattern occurs at Col of line Y, read across line breaks; EndY and EndCol
// receive the position just after it.
bool MatchesAt(const TEditorStrings& lines, int y, size_t col, std::string_view pattern, bool fold,
               int& endY, size_t& endCol) {
  std::string_view line = lines.View(y);
  for (const char wanted : pattern) {
    if (col >= line.size() + 2) {
      if (++y >= lines.Count()) return false;
      line = lines.View(y);
      col = 0;
    }
    const char c = CharAt(line, col++);
    if ((fold ? Fold(c) : c) != wanted) return false;
  }
  endY = y;
  endCol = col;
  return true;
}

// A pattern with line breaks may span lines: each position whose character matches the
// pattern's first one is compared with the lines from there, without copying them.
int FindAcrossLines(const TEditorStrings& lines, std::string_view pattern, bool fold,
                    bool wholeWord, int from) {
  int y = 0;
  size_t col = 0;
  StartOf(lines, from, y, col);
  for (; y < lines.Count(); ++y, col = 0) {
    const std::string_view line = lines.View(y);
    for (size_t i = col; i < line.size() + 2; ++i) {
      const char c = CharAt(line, i);
      if ((fold ? Fold(c) : c) != pattern.front()) continue;
      int endY = 0;
      size_t endCol = 0;
      if (!MatchesAt(lines, y, i, pattern, fold, endY, endCol)) continue;
      if (!wholeWord || (WordStartsAt(line, i) && WordEndsAt(lines, endY, endCol)))
        return lines.LineOffset(y) + static_cast<int>(i);
    }
  }
  return -1;
}

// Whether Pattern (already folded when Fold is set) occurs at offset Start between word
// separators; the one occurrence is read, not the rest of the document.
bool WholeWordAt(const TEditorStrings& lines, int start, std::string_view pattern, bool fold) {
  if (start < 0 || pattern.empty() || lines.Count() == 0) return false;
  int y = 0;
  size_t col = 0;
  StartOf(lines, start, y, col);
  int endY = 0;
  size_t endCol = 0;
  return MatchesAt(lines, y, col, pattern, fold, endY, endCol) &&
         WordStartsAt(lines.View(y), col) && WordEndsAt(lines, endY, endCol);
}

}  // namespace

int FindOffset(const TEditorStrings& lines, const TSearchOptions& options, int from) {
  if (options.Text.empty() || lines.Count() == 0) return -1;
  const bool fold = !options.MatchCase;
  const std::string pattern = fold ? Folded(options.Text) : options.Text;
  if (HasLineBreak(pattern)) return FindAcrossLines(lines, pattern, fold, options.WholeWord, from);
  return FindWithinLines(lines, pattern, fold, options.WholeWord, from);
}

bool SelectionMatches(const TRACustomEditor& editor, const TSearchOptions& options) {
  const std::string selected = editor.GetSelText();
  const bool same =
      selected == options.Text || (!options.MatchCase && Folded(selected) == Folded(options.Text));
  if (!same || !options.WholeWord) return same;
  // With Whole word, only a selection that the search itself would find there.
  const bool fold = !options.MatchCase;
  return WholeWordAt(editor.Lines(), editor.PosFromCaret(editor.SelBegX(), editor.SelBegY()),
                     fold ? Folded(options.Text) : options.Text, fold);
}

TFindResult Find(TRACustomEditor& editor, const TSearchOptions& options) {
  // From the caret's offset; a caret below the last line stands at the end of the text,
  // so without Wrap around the search never starts over at the top.
  TFindResult result = frFound;
  int at = FindOffset(editor.Lines(), options, textinsertion::CaretOffset(editor));
  if (at < 0 && options.WrapAround) {
    at = FindOffset(editor.Lines(), options, 0);
    result = frWrapped;
  }
  if (at < 0) return frNotFound;
  editor.SetSelStart(at);
  editor.SetSelLength(static_cast<int>(options.Text.size()));
  return result;
}

TFindResult Replace(TRACustomEditor& editor, const TSearchOptions& options,
                    const std::string& replacement) {
  if (SelectionMatches(editor, options)) editor.SetSelText(replacement);
  return Find(editor, options);
}

namespace {

// SetSelText, kept as one undo record when it is the plain replacement of a stream
// selection (as it is for every occurrence a search selects), as its own records otherwise.
void ReplaceSelection(TRACustomEditor& editor, const std::string& replacement) {
  TUndoBuffer& buffer = *editor.UndoBuffer();
  std::vector<std::unique_ptr<TUndo>> made;
  {
    const auto capture = buffer.CapturedInto(made);
    editor.SetSelText(replacement);
  }
  if (auto folded = TReplaceSelectedUndo::Fold(made)) {
    buffer.Add(std::move(folded));
    return;
  }
  for (auto& r : made) buffer.Add(std::move(r));
}

}  // namespace

int ReplaceAll(TRACustomEditor& editor, const TSearchOptions& options,
               const std::string& replacement) {
  TSearchOptions once = options;
  once.WrapAround = false;
  int count = 0;
  // The view is painted once at the end, not scrolled to every occurrence on the way.
  const auto update = editor.UpdateLocked();
  editor.SetSelStart(0);
  editor.SetSelLength(0);
  bool found = Find(editor, once) && SelectionMatches(editor, once);
  if (!found) return 0;
  // One undo step for all of them; none at all when nothing matched. Readers of the
  // lines hear of them as one change.
  const auto compound = editor.CompoundEdit();
  const auto group = editor.Lines().Store().Grouped();
  // Each search starts behind the inserted text, so what a replacement creates stays.
  for (; found; found = Find(editor, once) && SelectionMatches(editor, once)) {
    ReplaceSelection(editor, replacement);
    ++count;
  }
  return count;
}

}  // namespace editorsearch
