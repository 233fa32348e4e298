#include "app/FindAsYouType.h"

#include <chrono>

#include "editor/EditorStrings.h"
#include "editor/RAEditor.h"
#include "editor/TextInsertion.h"

namespace {

using TClock = std::chrono::steady_clock;
// How long one typed key may search, and the lines searched between looks at the clock:
// a pattern typed into a huge script must not hold up the next key. Find Next searches
// the whole script.
constexpr auto kBudget = std::chrono::milliseconds(50);
constexpr int kSliceLines = 4096;

// The first occurrence that starts at or after column Col of line Line, searched until
// Deadline; false when there is none or the time ran out.
bool FirstFrom(const TEditorStrings& lines, const editorsearch::TSearchOptions& options, int line,
               int col, TClock::time_point deadline, editorsearch::TOccurrence& found) {
  bool any = false;
  for (int y = line; y < lines.Count() && !any && TClock::now() < deadline; y += kSliceLines) {
    editorsearch::ForEachOccurrence(lines, options, y, y == line ? col : 0, y + kSliceLines,
                                    [&](const editorsearch::TOccurrence& o) {
                                      found = o;
                                      any = true;
                                      return false;
                                    });
  }
  return any;
}

}  // namespace

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
  const TEditorStrings& lines = FEditor.Lines();
  const int line = from >= lines.TextLength() ? lines.Count() : lines.LineAtOffset(from);
  const int col = line < lines.Count() ? from - lines.LineOffset(line) : 0;
  const TClock::time_point deadline = TClock::now() + kBudget;
  editorsearch::TOccurrence o;
  bool found = FirstFrom(lines, options, line, col, deadline, o) ||
               (options.WrapAround && FirstFrom(lines, options, 0, 0, deadline, o));
  const int at = found ? lines.LineOffset(o.Line) + o.Col : -1;
  const int length = found ? lines.LineOffset(o.EndLine) + o.EndCol - at : 0;
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
