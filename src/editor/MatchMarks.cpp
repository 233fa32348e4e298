#include "editor/MatchMarks.h"

#include <algorithm>

#include "editor/EditorStrings.h"
#include "editor/PatternSearch.h"

void TMatchMarks::SetSearch(const editorsearch::TSearchOptions& options) {
  FOptions = options;
  if (options.RegularExpression) {
    FReach = options.Matcher && options.Matcher->SpansLines() ? editorsearch::kPatternSpanLines : 0;
  } else {
    FReach = static_cast<int>(std::count(options.Text.begin(), options.Text.end(), '\n'));
  }
}

bool TMatchMarks::Active() const {
  return !FOptions.Text.empty() && (!FOptions.RegularExpression || FOptions.Matcher);
}

void TMatchMarks::Mark(const TEditorStrings& lines, int index, TLineAttrs& attrs) const {
  if (!Active() || index < 0 || index >= lines.Count()) return;
  const int width = static_cast<int>(lines.View(index).size());
  editorsearch::ForEachOccurrence(lines, FOptions, std::max(0, index - FReach), 0, index + 1,
                                  [&](const editorsearch::TOccurrence& o) {
                                    if (o.EndLine < index || (o.EndLine == index && o.EndCol == 0))
                                      return true;
                                    // The part on this line; one more cell shows a line break the
                                    // occurrence takes.
                                    const int from = o.Line == index ? o.Col : 0;
                                    const int to = o.EndLine == index ? o.EndCol : width + 1;
                                    for (int col = std::max(from, 0);
                                         col < std::min(to, MaxLineAttr); ++col)
                                      attrs[col + 1].BackColor = FColor;
                                    return true;
                                  });
}
