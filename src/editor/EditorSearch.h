#pragma once
// Plain-text search and replace over an editor's document, as the document window's Find,
// Replace and Replace All run them: forward from the caret, never wrapping around, with
// Match case off comparing the letters a..z regardless of case and every other byte
// exactly. The document is searched line by line in place; no whole text is built.
#include <string>

class TEditorStrings;
class TRACustomEditor;

namespace editorsearch {

struct TSearchOptions {
  std::string Text;
  bool MatchCase = false;
};

// Whole-text offset (each line followed by CR LF) of the first occurrence of Options'
// text that starts at or after offset From; -1 when there is none or the text is empty.
int FindOffset(const TEditorStrings& lines, const TSearchOptions& options, int from);

// Whether the selected text is the search text (up to case when Match case is off).
bool SelectionMatches(const TRACustomEditor& editor, const TSearchOptions& options);

// Selects the first occurrence at or after the caret (the caret ends after it, its line
// scrolled into view). On failure nothing changes. Returns whether it found one.
bool Find(TRACustomEditor& editor, const TSearchOptions& options);

// Replaces a selection that matches by Replacement (one undo step), then finds the next
// occurrence. Returns the result of that find.
bool Replace(TRACustomEditor& editor, const TSearchOptions& options,
             const std::string& replacement);

// From the start of the document, replaces every occurrence once, each as its own undo
// step; the last replacement stays selected. Returns how many were replaced.
int ReplaceAll(TRACustomEditor& editor, const TSearchOptions& options,
               const std::string& replacement);

}  // namespace editorsearch
