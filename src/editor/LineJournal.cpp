#include "editor/LineJournal.h"

#include "editor/EditorStrings.h"
#include "editor/LineList.h"

void LineJournal::Replacing(const LineList& list, int first, int removed) {
  Splice& splice = FSplices.emplace_back();
  splice.First = first;
  splice.Old.reserve(static_cast<size_t>(removed));
  for (int i = first; i < first + removed; ++i) splice.Old.emplace_back(list.View(i));
}

void LineJournal::Replaced(int first, int added) {
  if (FSplices.empty()) return;
  FSplices.back().First = first;
  FSplices.back().Added = added;
}

void LineJournal::Reverse(TEditorStrings& lines) const {
  for (auto it = FSplices.rbegin(); it != FSplices.rend(); ++it)
    lines.Splice(it->First, it->Added, it->Old);
}
