#include "editor/SearchBackward.h"

#include <algorithm>

#include "editor/EditorStrings.h"
#include "editor/RAEditor.h"

namespace editorsearch {

namespace {

// Lines searched at a time going up; a miss over a million lines takes a few hundred
// slices, not a million.
constexpr int kSliceLines = 1024;

bool Before(int line, int col, int otherLine, int otherCol) {
  return line < otherLine || (line == otherLine && col < otherCol);
}

}  // namespace

bool FindLastBefore(const TEditorStrings& lines, const TSearchOptions& options, int line, int col,
                    TOccurrence& found) {
  if (line >= lines.Count()) {
    line = lines.Count();
    col = 0;
  }
  bool any = false;
  // Each slice is searched from its first line's start; the last hit before the limit
  // in the nearest slice that has one is the answer.
  for (int last = line + 1; last > 0 && !any; last -= kSliceLines) {
    const int first = std::max(0, last - kSliceLines);
    ForEachOccurrence(lines, options, first, 0, last, [&](const TOccurrence& o) {
      if (!Before(o.Line, o.Col, line, col)) return false;
      found = o;
      any = true;
      return true;
    });
  }
  return any;
}

TFindResult FindPrevious(TRACustomEditor& editor, const TSearchOptions& options) {
  const TEditorStrings& lines = editor.Lines();
  int line = editor.Selected() ? editor.SelBegY() : editor.CaretY();
  int col = editor.Selected() ? editor.SelBegX() : editor.CaretX();
  TFindResult result = frFound;
  TOccurrence o;
  bool found = FindLastBefore(lines, options, line, col, o);
  if (!found && options.WrapAround) {
    found = FindLastBefore(lines, options, lines.Count(), 0, o);
    result = frWrapped;
  }
  if (!found) return frNotFound;
  const int start = lines.LineOffset(o.Line) + o.Col;
  const int end = lines.LineOffset(o.EndLine) + o.EndCol;
  editor.SetSelStart(start);
  editor.SetSelLength(end - start);
  return result;
}

}  // namespace editorsearch
