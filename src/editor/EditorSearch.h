#pragma once
// Plain-text search and replace over an editor's document, as the document window's Find,
// Replace and Replace All run them: forward from the caret, with Match case off comparing
// the letters of the editor's code page regardless of case (its locale's case mapping)
// and every other byte exactly. Two options, both off
// by default, narrow or extend that search: Whole word takes only occurrences between word
// separators, Wrap around continues once from the top of the document. The document is
// searched line by line in place; no whole text is built.
#include <string>

class Locale;
class TEditorStrings;
class TRACustomEditor;

namespace editorsearch {

struct TSearchOptions {
  std::string Text;
  bool MatchCase = false;
  bool WholeWord = false;
  bool WrapAround = false;
};

// How a find ended; frNotFound is 0, so a result reads as whether something was found.
enum TFindResult { frNotFound = 0, frFound, frWrapped };

// Whole-text offset (each line followed by CR LF) of the first occurrence of Options'
// text that starts at or after offset From; -1 when there is none or the text is empty.
// Wrap around is not applied here. Locale is the document's: it folds case and tells
// where characters begin.
int FindOffset(const TEditorStrings& lines, const TSearchOptions& options, int from,
               const Locale& locale);

// Whether the selected text is the search text (up to case when Match case is off) and,
// with Whole word, a whole word where it stands.
bool SelectionMatches(const TRACustomEditor& editor, const TSearchOptions& options);

// Selects the first occurrence at or after the caret (the caret ends after it, its line
// scrolled into view); with Wrap around, the first one from the top when there is none
// after the caret. On failure nothing changes.
TFindResult Find(TRACustomEditor& editor, const TSearchOptions& options);

// Replaces a selection that matches by Replacement (one undo step), then finds the next
// occurrence. Returns the result of that find.
TFindResult Replace(TRACustomEditor& editor, const TSearchOptions& options,
                    const std::string& replacement);

// From the start of the document, replaces every occurrence once, all of them together
// one undo step; the last replacement stays selected. Wrap around does not apply: the
// search already covers the whole document. Returns how many were replaced.
int ReplaceAll(TRACustomEditor& editor, const TSearchOptions& options,
               const std::string& replacement);

}  // namespace editorsearch
