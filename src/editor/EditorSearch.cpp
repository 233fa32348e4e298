// Find, Replace and Replace All over the editor's lines, searched in place.
#include "editor/EditorSearch.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/EditorStrings.h"
#include "editor/LineList.h"
#include "editor/PatternSearch.h"
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

const Locale& LocaleOf(const TSearchOptions& options) {
  return options.TextLocale ? *options.TextLocale : DefaultLocale();
}

// The options with the editor's own locale.
TSearchOptions InEditor(const TRACustomEditor& editor, TSearchOptions options) {
  options.TextLocale = &editor.LocaleRef();
  return options;
}

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
// Occurrences that start on line Last or below are not looked for.
int FindAcrossLines(const TEditorStrings& lines, std::string_view pattern, const TComparison& cmp,
                    bool wholeWord, int from, int last) {
  const Locale& locale = cmp.LocaleRef();
  int y = 0;
  size_t col = 0;
  StartOf(lines, from, y, col);
  for (; y < last; ++y, col = 0) {
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

// Exact bytes within lines, searched over the line store's blocks, where lines lie back to
// back: one memmem per block, a hit that runs over a line's end is no occurrence.
// Under a double-byte code page a hit must start and end on character boundaries.
void ForEachExactInLines(const TEditorStrings& lines, const std::string& pattern,
                         const TComparison& cmp, bool wholeWord, int first, int col, int last,
                         const std::function<bool(const TOccurrence&)>& found) {
  const Locale& locale = cmp.LocaleRef();
  const size_t n = pattern.size();
  int y = first;
  while (y < last) {
    int k = 0;
    const LineListBlock& block = lines.Store().BlockOf(y, k);
    const int blockFirst = y - k;
    const std::string_view bytes = block.Bytes;
    const int blockLast = std::min(last, blockFirst + block.Count());
    const size_t end = block.Start(blockLast - blockFirst);
    size_t at = block.Start(k) + (y == first ? static_cast<size_t>(col) : 0);
    while (at + n <= end) {
      const void* hit = memmem(bytes.data() + at, end - at, pattern.data(), n);
      if (!hit) break;
      const size_t h = static_cast<size_t>(static_cast<const char*>(hit) - bytes.data());
      while (block.Ends[static_cast<size_t>(k)] <= h) ++k;
      const size_t start = block.Start(k);
      const size_t lineEnd = block.Ends[static_cast<size_t>(k)];
      if (h + n > lineEnd) {
        at = lineEnd;
        continue;
      }
      const int line = blockFirst + k;
      const int c = static_cast<int>(h - start);
      const std::string_view text = block.Line(k);
      const auto at0 = static_cast<size_t>(c);
      const bool whole = !cmp.DoubleByte() || (!locale.IsTrailByte(text, at0) &&
                                               MatchesDoubleByte(text, at0, pattern, cmp));
      if (!whole || (wholeWord && !(WordStartsAt(text, at0, locale) &&
                                    WordEndsAt(lines, line, at0 + n, locale)))) {
        at = h + 1;
        continue;
      }
      if (!found({line, c, line, c + static_cast<int>(n)})) return;
      at = h + n;
    }
    y = blockLast;
  }
}

// Plain text, folded or spanning lines: each search goes on behind the last occurrence.
void ForEachPlain(const TEditorStrings& lines, const TSearchOptions& options, int first, int col,
                  int last, const std::function<bool(const TOccurrence&)>& found) {
  const TComparison cmp(LocaleOf(options), !options.MatchCase);
  const Locale& locale = cmp.LocaleRef();
  const std::string pattern = cmp.Folded(options.Text);
  const int n = static_cast<int>(pattern.size());
  if (!HasLineBreak(pattern)) {
    // A start beyond the line's text goes on at the next line.
    if (col > static_cast<int>(lines.View(first).size())) {
      ++first;
      col = 0;
    }
    if (first >= last) return;
    if (!cmp.Folds())
      return ForEachExactInLines(lines, pattern, cmp, options.WholeWord, first, col, last, found);
    for (int y = first; y < last; ++y) {
      const std::string_view line = lines.View(y);
      for (size_t at = FindInLine(line, pattern, y == first ? static_cast<size_t>(col) : 0, cmp);
           at != std::string_view::npos; at = FindInLine(line, pattern, at, cmp)) {
        if (options.WholeWord &&
            !(WordStartsAt(line, at, locale) && WordEndsAt(lines, y, at + n, locale))) {
          ++at;
          continue;
        }
        if (!found({y, static_cast<int>(at), y, static_cast<int>(at) + n})) return;
        at += static_cast<size_t>(n);
      }
    }
    return;
  }
  for (int at = FindAcrossLines(lines, pattern, cmp, options.WholeWord,
                                lines.LineOffset(first) + col, last);
       at >= 0; at = FindAcrossLines(lines, pattern, cmp, options.WholeWord, at + n, last)) {
    const int line = lines.LineAtOffset(at);
    const int endLine = lines.LineAtOffset(at + n);
    int endCol = at + n - lines.LineOffset(endLine);
    TOccurrence o{line, at - lines.LineOffset(line), endLine, endCol};
    // An end inside a line break is the start of the next line.
    if (endCol > static_cast<int>(lines.View(endLine).size())) o = {o.Line, o.Col, endLine + 1, 0};
    if (!found(o)) return;
  }
}

// The first occurrence at or after From: its offset and length, and for a regular
// expression its groups.
bool Locate(const TEditorStrings& lines, const TSearchOptions& options, int from,
            TPatternMatch& match) {
  if (options.Text.empty() || lines.Count() == 0) return false;
  if (options.RegularExpression) {
    return options.Matcher && FindPattern(lines, *options.Matcher, from, match);
  }
  const TComparison cmp(LocaleOf(options), !options.MatchCase);
  const std::string pattern = cmp.Folded(options.Text);
  match.Offset = HasLineBreak(pattern)
                     ? FindAcrossLines(lines, pattern, cmp, options.WholeWord, from, lines.Count())
                     : FindWithinLines(lines, pattern, cmp, options.WholeWord, from);
  match.Length = static_cast<int>(pattern.size());
  return match.Offset >= 0;
}

// Whether the selection is as long as Length when read (the whole text's CR LF counted).
bool SelectionReads(const TRACustomEditor& editor, int length) {
  return editor.Selected() && static_cast<int>(editor.GetSelText().size()) == length;
}

bool MatchAtSelection(const TRACustomEditor& editor, const TSearchOptions& options,
                      TPatternMatch& match) {
  const int start = editor.PosFromCaret(editor.SelBegX(), editor.SelBegY());
  if (options.RegularExpression) {
    return editor.Selected() && start >= 0 && Locate(editor.Lines(), options, start, match) &&
           match.Offset == start && SelectionReads(editor, match.Length);
  }
  const TComparison cmp(editor.LocaleRef(), !options.MatchCase);
  const std::string selected = editor.GetSelText();
  const std::string pattern = cmp.Folded(options.Text);
  const bool same = selected == options.Text || cmp.Folded(selected) == pattern;
  if (!same || !options.WholeWord) return same;
  // With Whole word, only a selection that the search itself would find there.
  return WholeWordAt(editor.Lines(), start, pattern, cmp);
}

TFindResult FindAndSelect(TRACustomEditor& editor, const TSearchOptions& options,
                          TPatternMatch& match) {
  // From the caret's offset; a caret below the last line stands at the end of the text,
  // so without Wrap around the search never starts over at the top.
  TFindResult result = frFound;
  const TSearchOptions own = InEditor(editor, options);
  bool found = Locate(editor.Lines(), own, textinsertion::CaretOffset(editor), match);
  if (!found && options.WrapAround) {
    found = Locate(editor.Lines(), own, 0, match);
    result = frWrapped;
  }
  if (!found) return frNotFound;
  editor.SetSelStart(match.Offset);
  editor.SetSelLength(match.Length);
  return result;
}

// What replaces a match: a regular expression's references expanded, plain text as it is.
std::string Replacement(const TSearchOptions& options, const std::string& replacement,
                        const TPatternMatch& match) {
  return options.RegularExpression ? ExpandReplacement(replacement, match) : replacement;
}

}  // namespace

int FindOffset(const TEditorStrings& lines, const TSearchOptions& options, int from) {
  int length = 0;
  return FindOffset(lines, options, from, length);
}

int FindOffset(const TEditorStrings& lines, const TSearchOptions& options, int from, int& length) {
  TPatternMatch match;
  if (!Locate(lines, options, from, match)) return -1;
  length = match.Length;
  return match.Offset;
}

void ForEachOccurrence(const TEditorStrings& lines, const TSearchOptions& options, int first,
                       int col, int last, const std::function<bool(const TOccurrence&)>& found) {
  first = std::max(first, 0);
  last = std::min(last, lines.Count());
  if (options.Text.empty() || first >= last) return;
  if (!options.RegularExpression) return ForEachPlain(lines, options, first, col, last, found);
  if (!options.Matcher) return;
  ForEachPatternMatch(lines, *options.Matcher, first, col, last, [&](const TLineMatch& m) {
    return found({m.Line, m.Col, m.EndLine, m.EndCol});
  });
}

bool SelectionMatches(const TRACustomEditor& editor, const TSearchOptions& options) {
  TPatternMatch match;
  return MatchAtSelection(editor, options, match);
}

TFindResult Find(TRACustomEditor& editor, const TSearchOptions& options) {
  TPatternMatch match;
  return FindAndSelect(editor, options, match);
}

TFindResult Replace(TRACustomEditor& editor, const TSearchOptions& options,
                    const std::string& replacement) {
  TPatternMatch match;
  if (MatchAtSelection(editor, options, match))
    editor.SetSelText(Replacement(options, replacement, match));
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
  TPatternMatch match;
  // The match just found is the selection unless it reads otherwise (a match with the
  // last line break ends below the text, where the selection reads as empty).
  const auto next = [&] {
    return FindAndSelect(editor, once, match) &&
           (options.RegularExpression ? SelectionReads(editor, match.Length)
                                      : SelectionMatches(editor, once));
  };
  bool found = next();
  if (!found) return 0;
  // One undo step for all of them; none at all when nothing matched. Readers of the
  // lines hear of them as one change.
  const auto compound = editor.CompoundEdit();
  const auto group = editor.Lines().Store().Grouped();
  // Each search starts behind the inserted text, so what a replacement creates stays.
  for (; found; found = next()) {
    ReplaceSelection(editor, Replacement(options, replacement, match));
    ++count;
  }
  return count;
}

}  // namespace editorsearch
