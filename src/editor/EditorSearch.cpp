// Find, Replace and Replace All over the editor's lines, searched in place.
#include "editor/EditorSearch.h"

#include <algorithm>
#include <string_view>

#include "editor/RAEditor.h"
#include "editor/TextInsertion.h"

namespace editorsearch {
namespace {

// Match case off upper-cases only a..z, so accented letters compare exactly.
char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string Folded(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), Fold);
  return s;
}

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

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
int FindWithinLines(const TEditorStrings& lines, std::string_view pattern, bool fold, int from) {
  int y = 0;
  size_t col = 0;
  StartOf(lines, from, y, col);
  for (; y < lines.Count(); ++y, col = 0) {
    const std::string_view line = lines.View(y);
    if (col > line.size()) continue;
    const size_t at = FindInLine(line, pattern, col, fold);
    if (at != std::string_view::npos) return lines.LineOffset(y) + static_cast<int>(at);
  }
  return -1;
}

// A pattern with line breaks may span lines: each position whose character matches the
// pattern's first one is compared with the text there.
int FindAcrossLines(const TEditorStrings& lines, const std::string& pattern, bool fold,
                    int from) {
  int y = 0;
  size_t col = 0;
  StartOf(lines, from, y, col);
  const auto length = static_cast<int>(pattern.size());
  for (; y < lines.Count(); ++y, col = 0) {
    const std::string line = lines[y] + "\r\n";
    const int offset = lines.LineOffset(y);
    for (size_t i = col; i < line.size(); ++i) {
      if ((fold ? Fold(line[i]) : line[i]) != pattern.front()) continue;
      std::string text = lines.TextAt(offset + static_cast<int>(i), length);
      if ((fold ? Folded(std::move(text)) : text) == pattern) return offset + static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace

int FindOffset(const TEditorStrings& lines, const TSearchOptions& options, int from) {
  if (options.Text.empty() || lines.Count() == 0) return -1;
  const bool fold = !options.MatchCase;
  const std::string pattern = fold ? Folded(options.Text) : options.Text;
  if (HasLineBreak(pattern)) return FindAcrossLines(lines, pattern, fold, from);
  return FindWithinLines(lines, pattern, fold, from);
}

bool SelectionMatches(const TRACustomEditor& editor, const TSearchOptions& options) {
  const std::string selected = editor.GetSelText();
  if (selected == options.Text) return true;
  return !options.MatchCase && Folded(selected) == Folded(options.Text);
}

bool Find(TRACustomEditor& editor, const TSearchOptions& options) {
  // From the caret's offset; a caret below the last line stands at the end of the text,
  // so the search never starts over at the top.
  const int at = FindOffset(editor.Lines(), options, textinsertion::CaretOffset(editor));
  if (at < 0) return false;
  editor.SetSelStart(at);
  editor.SetSelLength(static_cast<int>(options.Text.size()));
  return true;
}

bool Replace(TRACustomEditor& editor, const TSearchOptions& options,
             const std::string& replacement) {
  if (SelectionMatches(editor, options)) editor.SetSelText(replacement);
  return Find(editor, options);
}

int ReplaceAll(TRACustomEditor& editor, const TSearchOptions& options,
               const std::string& replacement) {
  int count = 0;
  // The view is painted once at the end, not scrolled to every occurrence on the way.
  const auto update = Bracketed([&] { editor.BeginUpdate(); }, [&] { editor.EndUpdate(); });
  editor.SetSelStart(0);
  editor.SetSelLength(0);
  // Each search starts behind the inserted text, so what a replacement creates stays.
  for (bool found = Find(editor, options); found && SelectionMatches(editor, options);
       found = Find(editor, options)) {
    editor.SetSelText(replacement);
    ++count;
  }
  return count;
}

}  // namespace editorsearch
