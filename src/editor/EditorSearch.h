#pragma once
// Plain-text search and replace over an editor's document, as the document window's Find,
// Replace and Replace All run them: forward from the caret, with Match case off comparing
// the letters of the document's code page regardless of case (its locale's case mapping)
// and every other byte exactly. Two options, both off
// by default, narrow or extend that search: Whole word takes only occurrences between word
// separators, Wrap around continues once from the top of the document. The document is
// searched line by line in place; no whole text is built.
//
// With Regular expression on, the text is a pattern that the host compiles into a matcher
// (TextMatcher.h); the search runs it instead of comparing bytes, and a replacement's
// references \0..\9 take the match's groups (PatternSearch.h).
#include <functional>
#include <memory>
#include <string>

#include "editor/TextMatcher.h"

class Locale;
class TEditorStrings;
class TRACustomEditor;

namespace editorsearch {

struct TSearchOptions {
  std::string Text;
  bool MatchCase = false;
  bool WholeWord = false;
  bool WrapAround = false;
  // Text is a regular expression and Matcher its compiled form (Match case and Whole word
  // compiled into it); an invalid pattern leaves Matcher empty and finds nothing.
  bool RegularExpression = false;
  std::shared_ptr<const TTextMatcher> Matcher = nullptr;
  // The document's locale: it folds case, tells the letters of words and where
  // characters begin. None is the default (Windows-1252) locale. Find, Replace and
  // Replace All always take the editor's own.
  const Locale* TextLocale = nullptr;
};

// How a find ended; frNotFound is 0, so a result reads as whether something was found.
enum TFindResult { frNotFound = 0, frFound, frWrapped };

// Whole-text offset (each line followed by CR LF) of the first occurrence of Options'
// text that starts at or after offset From; -1 when there is none or the text is empty.
// Wrap around is not applied here. Length receives the occurrence's length.
int FindOffset(const TEditorStrings& lines, const TSearchOptions& options, int from);
int FindOffset(const TEditorStrings& lines, const TSearchOptions& options, int from, int& length);

// An occurrence as it lies in the document: from column Col of line Line up to column
// EndCol of line EndLine (column 0 of the next line when it ends with a line break).
struct TOccurrence {
  int Line = 0;
  int Col = 0;
  int EndLine = 0;
  int EndCol = 0;
};

// Calls Found for each occurrence that starts in lines [First, Last), at or after column
// Col of line First, as successive Finds from there select them (in order, without
// overlap), until Found returns false. Counting and marking every occurrence go through
// here, so they see what Find Next would select.
void ForEachOccurrence(const TEditorStrings& lines, const TSearchOptions& options, int first,
                       int col, int last, const std::function<bool(const TOccurrence&)>& found);

// Whether the selected text is the search text (up to case when Match case is off) and,
// with Whole word, a whole word where it stands. For a regular expression: whether the
// selection is exactly the match the search finds at its start.
bool SelectionMatches(const TRACustomEditor& editor, const TSearchOptions& options);

// Selects the first occurrence at or after the caret (the caret ends after it, its line
// scrolled into view); with Wrap around, the first one from the top when there is none
// after the caret. On failure nothing changes.
TFindResult Find(TRACustomEditor& editor, const TSearchOptions& options);

// Replaces a selection that matches by Replacement (one undo step; a regular expression's
// references expanded), then finds the next occurrence. Returns the result of that find.
TFindResult Replace(TRACustomEditor& editor, const TSearchOptions& options,
                    const std::string& replacement);

// From the start of the document, replaces every occurrence once, all of them together
// one undo step; the last replacement stays selected. Wrap around does not apply: the
// search already covers the whole document. Returns how many were replaced.
int ReplaceAll(TRACustomEditor& editor, const TSearchOptions& options,
               const std::string& replacement);

}  // namespace editorsearch
