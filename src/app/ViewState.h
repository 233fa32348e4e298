#pragma once
// What a document's view holds beside its text: the caret, the top line and the ten
// bookmarks. A reload, a recovery draft and its restoring carry it across a new text.
#include <array>

#include "editor/EditorTypes.h"

class TRACustomEditor;

struct TViewState {
  int CaretX = 0;
  int CaretY = 0;
  int TopRow = 0;
  std::array<TBookmark, 10> Bookmarks{};

  static TViewState Capture(const TRACustomEditor& editor);
  // Puts the view back on Editor's text as far as it fits: bookmarks beyond the last
  // line go, the top line stays within the text, and the caret goes where the editor's
  // SetCaret allows it.
  void ApplyTo(TRACustomEditor& editor) const;
};
