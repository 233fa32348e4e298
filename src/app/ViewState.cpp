#include "app/ViewState.h"

#include <algorithm>

#include "editor/RAEditor.h"

TViewState TViewState::Capture(const TRACustomEditor& editor) {
  return {editor.CaretX(), editor.CaretY(), editor.TopRow(), editor.Bookmarks()};
}

void TViewState::ApplyTo(TRACustomEditor& editor) const {
  const int count = editor.Lines().Count();
  std::array<TBookmark, 10> bookmarks = Bookmarks;
  for (TBookmark& bookmark : bookmarks) bookmark.Valid = bookmark.Valid && bookmark.Y < count;
  editor.Bookmarks() = bookmarks;
  editor.SetLeftTop(editor.LeftCol(), std::clamp(TopRow, 0, std::max(count - 1, 0)));
  // SetCaret keeps the caret where the editor allows it.
  editor.SetCaret(CaretX, CaretY);
}
