#pragma once
// Find as you type in the Find dialog: while its text is typed, the first occurrence at
// or after the place the caret stood when the typing began is selected, so the user sees
// where the text is; the caret's place is the user's for good only once Find Next (or
// Enter) runs. Escape, Cancel or closing the dialog puts the caret, the selection and the
// view back where they were. A key searches for 50 ms at most, so a pattern typed into a
// huge script never holds up the next key.
#include "editor/EditorSearch.h"

class TRACustomEditor;

class TFindAsYouType {
 public:
  explicit TFindAsYouType(TRACustomEditor& editor);

  // The dialog opened or Find Next ran: where the caret stands now is the place to start
  // from and to go back to.
  void Anchor();
  // The text or an option changed: the first occurrence from the anchor is selected, or,
  // when there is none, the anchor's place is shown again. Whether one was found.
  bool Preview(const editorsearch::TSearchOptions& options);
  // Escape: back to the anchor, when typing moved the caret away from it.
  void Cancel();
  // Whether the occurrence typing selected is still shown: the caret has not moved
  // since (a click in the editor makes its place the user's).
  bool Previewing() const;

 private:
  void Restore();

  TRACustomEditor& FEditor;
  // The anchor: the caret, the selection as offsets, and the view's first row and column.
  int FCaretX = 0;
  int FCaretY = 0;
  int FCaretOffset = 0;
  bool FSelected = false;
  int FSelStart = 0;
  int FSelLength = 0;
  int FTopRow = 0;
  int FLeftCol = 0;
  bool FPreviewing = false;
  // Where the shown occurrence left the caret.
  int FShownX = 0;
  int FShownY = 0;
};
