// Find, Replace and Replace All over the editor's lines, searched in place.
#include "editor/EditorSearch.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "editor/RAEditor.h"
#include "editor/TextInsertion.h"
#include "util/RAStrUtil.h"

namespace editorsearch {
namespace {

// How the search compares bytes. With Match case off a single-byte character compares by
// the form the locale's case mapping folds it to (the code page's letters, not only
// a..z); the bytes of a double-byte character always compare exactly, and under a
// double-byte code page a match starts and ends on character boundaries.
class TComparison {
 public:
  TComparison(const Locale& locale, bool fold)
      : FLocale(locale), FFold(fold), FDoubleByte(locale.IsDoubleByte()) {
    for (int b = 0; b < 256; ++b) {
      const auto c = static_cast<unsigned char>(b);
      FTable[c] = static_cast<char>(fold ? locale.Folded(c) : c);
    }
  }
  const Locale& LocaleRef() const { return FLocale; }
  bool Folds() const { return FFold; }
  bool DoubleByte() const { return FDoubleByte; }
  char Fold(char c) const { return FTable[static_cast<unsigned char>(c)]; }
  // S with its single-byte characters folded.
  std::string Folded(std::string s) const {
    if (!FFold) return s;
    const std::string original = s;
    for (size_t i = 0; i < s.size(); ++i) {
      if (FDoubleByte && FLocale.ByteType(original, i) != TMbcsByteType::mbSingleByte) {
        ++i;  // the lead byte's trail
        continue;
      }
      s[i] = Fold(s[i]);
    }
    return s;
  }

 private:
  const Locale& FLocale;
  bool FFold;
  bool FDoubleByte;
  std::array<char, 256> FTable{};
};

bool HasLineBreak(const std::string& s) {
  return s.find_first_of("\r\n") != std::string::npos;
}

// The character at Col of a line as the whole text has it: the line's text, then CR and LF.
char CharAt(std::string_view line, size_t col) {
  if (col < line.size()) return line[col];
  return col == line.size() ? '\r' : '\n';
}

// Whether Col of Line ends a word: a separator of the text, or the line break.
bool IsSeparatorAt(std::string_view line, size_t col, const Locale& locale) {
  return col >= line.size() || IsWordSeparatorAt(line, col, locale);
}

// Whether a word may start at Col of Line: the text or a separator lies before it.
bool WordStartsAt(std::string_view line, size_t col, const Locale& locale) {
  return col == 0 || IsSeparatorAt(line, col - 1, locale);
}

// Whether a word may end before Col of line Y (Col up to the line's width with CR LF):
// the text ends there or a separator follows.
bool WordEndsAt(const TEditorStrings& lines, int y, size_t col, const Locale& locale) {
  std::string_view line = lines.View(y);
  if (col >= line.size() + 2) {
    if (++y >= lines.Count()) return true;
    line = lines.View(y);
    col = 0;
  }
  return IsSeparatorAt(line, col, locale);
}

// Whether Pattern (folded) stands at At of Line, which is a character boundary: bytes of
// double-byte characters compared exactly, and the match not ending inside one.
bool MatchesDoubleByte(std::string_view line, size_t at, std::string_view pattern,
                       const TComparison& cmp) {
  const Locale& locale = cmp.LocaleRef();
  for (size_t k = 0; k < pattern.size(); ++k) {
    const char c = line[at + k];
    if (locale.IsLeadByte(line, at + k)) {
      if (c != pattern[k] || at + k + 1 >= line.size() || line[at + k + 1] != pattern[k + 1] ||
          k + 1 >= pattern.size())
        return false;
      ++k;
    } else if (cmp.Fold(c) != pattern[k]) {
      return false;
    }
  }
  return true;
}

// Column of the first occurrence of Pattern (already folded) in Line at or after Col;
// npos when there is none.
size_t FindInLine(std::string_view line, std::string_view pattern, size_t col,
                  const TComparison& cmp) {
  if (cmp.DoubleByte()) {
    for (size_t i = col; i + pattern.size() <= line.size(); ++i) {
      if (cmp.LocaleRef().IsTrailByte(line, i)) continue;
      if (MatchesDoubleByte(line, i, pattern, cmp)) return i;
    }
    return std::string_view::npos;
  }
  if (!cmp.Folds()) return line.find(pattern, col);
  const char first = pattern.front();
  for (size_t i = col; i + pattern.size() <= line.size(); ++i) {
    if (cmp.Fold(line[i]) != first) continue;
    size_t k = 1;
    while (k < pattern.size() && cmp.Fold(line[i + k]) == pattern[k]) ++k;
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
int FindWithinLines(const TEditorStrings& lines, std::string_view pattern, const TComparison& cmp,
                    bool wholeWord, int from) {
  const Locale& locale = cmp.LocaleRef();
  int y = 0;
  size_t col = 0;
  StartOf(lines, from, y, col);
  for (; y < lines.Count(); ++y, col = 0) {
    const std::string_view line = lines.View(y);
    if (col > line.size()) continue;
    for (size_t at = FindInLine(line, pattern, col, cmp); at != std::string_view::npos;
         at = FindInLine(line, pattern, at + 1, cmp)) {
      if (!wholeWord ||
          (WordStartsAt(line, at, locale) && WordEndsAt(lines, y, at + pattern.size(), locale)))
        return lines.LineOffset(y) + static_cast<int>(at);
    }
  }
  return -1;
}

// Whether Pattern occurs at Col of line Y, read across line breaks; EndY and EndCol
// receive the position just after it. Col is a character boundary.
bool MatchesAt(const TEditorStrings& lines, int y, size_t col, std::string_view pattern,
               const TComparison& cmp, int& endY, size_t& endCol) {
  const Locale& locale = cmp.LocaleRef();
  std::string_view line = lines.View(y);
  bool trail = false;  // the byte at Col is the second of a double-byte character
  for (const char wanted : pattern) {
    if (col >= line.size() + 2) {
      if (++y >= lines.Count()) return false;
      line = lines.View(y);
      col = 0;
    }
    const bool lead = cmp.DoubleByte() && !trail && locale.IsLeadByte(line, col);
    const char c = CharAt(line, col++);
    if ((lead || trail ? c : cmp.Fold(c)) != wanted) return false;
    trail = lead;
  }
  if (trail) return false;
  endY = y;
  endCol = col;
  return true;
}

// A pattern with line breaks may span lines: each position whose character matches the
// pattern's first one is compared with the lines from there, without copying them.
int FindAcrossLines(const TEditorStrings& lines, std::string_view pattern, const TComparison& cmp,
                    bool wholeWord, int from) {
  const Locale& locale = cmp.LocaleRef();
  int y = 0;
  size_t col = 0;
  StartOf(lines, from, y, col);
  for (; y < lines.Count(); ++y, col = 0) {
    const std::string_view line = lines.View(y);
    for (size_t i = col; i < line.size() + 2; ++i) {
      const char c = CharAt(line, i);
      if (cmp.Fold(c) != pattern.front() && c != pattern.front()) continue;
      if (cmp.DoubleByte() && locale.IsTrailByte(line, i)) continue;
      int endY = 0;
      size_t endCol = 0;
      if (!MatchesAt(lines, y, i, pattern, cmp, endY, endCol)) continue;
      if (!wholeWord || (WordStartsAt(line, i, locale) && WordEndsAt(lines, endY, endCol, locale)))
        return lines.LineOffset(y) + static_cast<int>(i);
    }
  }
  return -1;
}

// Whether Pattern (already folded) occurs at offset Start between word separators; the
// one occurrence is read, not the rest of the document.
bool WholeWordAt(const TEditorStrings& lines, int start, std::string_view pattern,
                 const TComparison& cmp) {
  if (start < 0 || pattern.empty() || lines.Count() == 0) return false;
  const Locale& locale = cmp.LocaleRef();
  int y = 0;
  size_t col = 0;
  StartOf(lines, start, y, col);
  int endY = 0;
  size_t endCol = 0;
  return MatchesAt(lines, y, col, pattern, cmp, endY, endCol) &&
         WordStartsAt(lines.View(y), col, locale) && WordEndsAt(lines, endY, endCol, locale);
}

}  // namespace

int FindOffset(const TEditorStrings& lines, const TSearchOptions& options, int from,
               const Locale& locale) {
  if (options.Text.empty() || lines.Count() == 0) return -1;
  const TComparison cmp(locale, !options.MatchCase);
  const std::string pattern = cmp.Folded(options.Text);
  if (HasLineBreak(pattern)) return FindAcrossLines(lines, pattern, cmp, options.WholeWord, from);
  return FindWithinLines(lines, pattern, cmp, options.WholeWord, from);
}

bool SelectionMatches(const TRACustomEditor& editor, const TSearchOptions& options) {
  const TComparison cmp(editor.LocaleRef(), !options.MatchCase);
  const std::string selected = editor.GetSelText();
  const std::string pattern = cmp.Folded(options.Text);
  const bool same = selected == options.Text || cmp.Folded(selected) == pattern;
  if (!same || !options.WholeWord) return same;
  // With Whole word, only a selection that the search itself would find there.
  return WholeWordAt(editor.Lines(), editor.PosFromCaret(editor.SelBegX(), editor.SelBegY()),
                     pattern, cmp);
}

TFindResult Find(TRACustomEditor& editor, const TSearchOptions& options) {
  // From the caret's offset; a caret below the last line stands at the end of the text,
  // so without Wrap around the search never starts over at the top.
  TFindResult result = frFound;
  int at =
      FindOffset(editor.Lines(), options, textinsertion::CaretOffset(editor), editor.LocaleRef());
  if (at < 0 && options.WrapAround) {
    at = FindOffset(editor.Lines(), options, 0, editor.LocaleRef());
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
  // One undo step for all of them; none at all when nothing matched.
  const auto compound = editor.CompoundEdit();
  // Each search starts behind the inserted text, so what a replacement creates stays.
  for (; found; found = Find(editor, once) && SelectionMatches(editor, once)) {
    editor.SetSelText(replacement);
    ++count;
  }
  return count;
}

}  // namespace editorsearch
