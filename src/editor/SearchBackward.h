#pragma once
// Find Previous: the search towards the start of the document, with the options Find
// takes. It selects the nearest occurrence that starts before the selection (before the
// caret when nothing is selected), of the occurrences that successive Finds from the
// start of each line would select.
#include "editor/EditorSearch.h"

class TEditorStrings;
class TRACustomEditor;

namespace editorsearch {

// The last occurrence that starts before column Col of line Line (a Line at or beyond
// the line count stands for the end of the text); false when there is none.
bool FindLastBefore(const TEditorStrings& lines, const TSearchOptions& options, int line, int col,
                    TOccurrence& found);

// Selects that occurrence (the caret ends after it, its line scrolled into view); with
// Wrap around, the last one of the document when there is none before. On failure
// nothing changes.
TFindResult FindPrevious(TRACustomEditor& editor, const TSearchOptions& options);

}  // namespace editorsearch
