#include "app/FindAsYouType.h"

#include "editor/EditorStrings.h"
#include "editor/RAEditor.h"
#include "editor/TextInsertion.h"

TFindAsYouType::TFindAsYouType(TRACustomEditor& editor) : FEditor(editor) {}

void TFindAsYouType::Anchor() {
  FCaretX = FEditor.CaretX();
  FCaretY = FEditor.CaretY();
  FCaretOffset = textinsertion::CaretOffset(FEditor);
  FSelected = FEditor.Selected();
  FSelStart = FSelected ? FEditor.PosFromCaret(FEditor.SelBegX(), FEditor.SelBegY()) : 0;
  FSelLength = FSelected ? static_cast<int>(FEditor.GetSelText().size()) : 0;
  FTopRow = FEditor.TopRow();
  FLeftCol = FEditor.LeftCol();
  FPreviewing = false;
}

bool TFindAsYouType::Preview(const editorsearch::TSearchOptions& options) {
  // The user put the caret elsewhere since the last occurrence was shown: typing goes on
  // from there.
  if (FPreviewing && !Previewing()) Anchor();
  // From the start of the anchor's selection, so that typing on after the selected
  // occurrence finds it again while it still matches.
  const int from = FSelected ? FSelStart : FCaretOffset;
  int length = 0;
  int at = editorsearch::FindOffset(FEditor.Lines(), options, from, length);
  if (at < 0 && options.WrapAround)
    at = editorsearch::FindOffset(FEditor.Lines(), options, 0, length);
  if (at < 0) {
    if (Previewing()) Restore();
    FPreviewing = false;
    return false;
  }
  FEditor.SetSelStart(at);
  FEditor.SetSelLength(length);
  FPreviewing = true;
  FShownX = FEditor.CaretX();
  FShownY = FEditor.CaretY();
  return true;
}

bool TFindAsYouType::Previewing() const {
  return FPreviewing && FEditor.CaretX() == FShownX && FEditor.CaretY() == FShownY;
}

void TFindAsYouType::Cancel() {
  if (Previewing()) Restore();
  FPreviewing = false;
}

void TFindAsYouType::Restore() {
  if (FSelected) {
    FEditor.SetSelStart(FSelStart);
    FEditor.SetSelLength(FSelLength);
  } else {
    if (FEditor.Selected()) FEditor.Unselect();
    FEditor.SetCaret(FCaretX, FCaretY);
  }
  FEditor.SetLeftTop(FLeftCol, FTopRow);
  FPreviewing = false;
}
