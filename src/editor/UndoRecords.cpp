// The replay of each record. Records change the text through the line store's splicing
// primitives under a raised UpdateLock, so an undo step costs what the undone edits cost.
#include <algorithm>
#include <typeinfo>
#include <vector>

#include "editor/RAEditor.h"
#include "util/Bracket.h"

namespace {

// Text offset of a recorded caret in today's text: clamped to its line, the start or the
// end of the text for a line that is not there.
int OffsetOf(const TRACustomEditor& editor, int x, int y) {
  if (y < 0) return 0;
  if (y >= editor.Lines().Count()) return editor.Lines().TextLength();
  return editor.PosFromCaret(x, y);
}

int OffsetOf(const TCaretUndo& r) {
  return OffsetOf(*r.Editor, r.CaretX, r.CaretY);
}

// The run a record undoes with itself: the records right before it in the buffer that
// have its exact class and join the next newer one, oldest first, the record itself last.
// UndoPtr is left on the oldest. Joins(older, newer) says whether two records can go in
// one replay.
template <typename TRecord, typename Joins>
std::vector<TRecord*> CollectRun(TRecord* self, Joins joins) {
  std::vector<TRecord*> run{self};
  TUndoBuffer& buffer = *self->Editor->UndoBuffer();
  if (!self->Editor->GroupUndo()) return run;
  while (buffer.UndoPtr > 0) {
    TUndo* before = buffer.Item(buffer.UndoPtr - 1);
    if (typeid(*before) != typeid(*self)) break;
    auto* older = static_cast<TRecord*>(before);
    if (!joins(*older, *run.back())) break;
    run.push_back(older);
    --buffer.UndoPtr;
  }
  std::reverse(run.begin(), run.end());
  return run;
}

void SplitLineBreaks(std::string& text) {
  std::string result;
  result.reserve(text.size() + 1);
  for (char c : text) {
    result += c;
    if (c == '\r') result += '\n';
  }
  text.swap(result);
}

}  // namespace

TUndo::~TUndo() = default;

void TUndo::Redo() {
  if (!Undone) return;
  const std::unique_ptr<TUndone> undone = std::move(Undone);
  {
    const auto lock = Raised(Editor->FUpdateLock);
    undone->Lines.Reverse(Editor->Lines());
  }
  RestoreMark(undone->Before);
}

void TUndo::RestoreMark(const TEditorMark& m) {
  Editor->FSelected = m.Selected;
  Editor->FSelBlockFormat = m.SelBlockFormat;
  Editor->FSelBegX = m.SelBegX;
  Editor->FSelBegY = m.SelBegY;
  Editor->FSelEndX = m.SelEndX;
  Editor->FSelEndY = m.SelEndY;
  Editor->SetCaretInternal(m.CaretX, m.CaretY);
}

void TCaretUndo::Undo() {
  const auto run = CollectRun(this, [](const TCaretUndo&, const TCaretUndo&) { return true; });
  Editor->SetCaretInternal(run.front()->CaretX, run.front()->CaretY);
}

namespace {

bool IsBlank(const std::string& s) {
  return s.find_first_not_of(' ') == std::string::npos;
}

// Text added by ReLine goes one record at a time, and only where it still is: the blanks
// that padded line CaretY from column CaretX (a later trim may have taken them already),
// or a line appended below the text (its caret names the line the caret was heading for,
// not where the break went), which is the last line, if it is still blank.
void UndoReLine(const TInsertUndo& r, int& updateLock) {
  TEditorStrings& lines = r.Editor->Lines();
  const auto lock = Raised(updateLock);
  if (r.Text == "\r\n") {
    if (lines.Count() > 0 && IsBlank(lines[lines.Count() - 1])) lines.Delete(lines.Count() - 1);
    return;
  }
  if (r.CaretY < 0 || r.CaretY >= lines.Count() || r.CaretX < 0) return;
  std::string line = lines[r.CaretY];
  const auto col = static_cast<size_t>(r.CaretX);
  size_t blanks = 0;
  while (blanks < r.Text.size() && col + blanks < line.size() && line[col + blanks] == ' ')
    ++blanks;
  if (blanks == 0) return;
  line.erase(col, blanks);
  lines.PlainPut(r.CaretY, line);
}

}  // namespace

void TInsertUndo::Undo() {
  if (typeid(*this) == typeid(TReLineUndo)) {
    UndoReLine(*this, Editor->FUpdateLock);
    Editor->SetCaretInternal(CaretX, CaretY);
    return;
  }
  // Insertions follow each other where the previous one ended.
  const auto run = CollectRun(this, [](const TInsertUndo& older, const TInsertUndo& newer) {
    return OffsetOf(older) + static_cast<int>(older.Text.size()) == OffsetOf(newer);
  });
  std::string text;
  for (const TInsertUndo* r : run) text += r->Text;
  const TInsertUndo& oldest = *run.front();
  {
    const auto lock = Raised(Editor->FUpdateLock);
    Editor->Lines().DeleteTextAt(OffsetOf(oldest), static_cast<int>(text.size()));
  }
  Editor->SetCaretInternal(oldest.CaretX, oldest.CaretY);
}

void TDeleteUndo::Undo() {
  // Deletions at one place (Delete pressed again and again) go back in together.
  const auto run = CollectRun(this, [](const TDeleteUndo& older, const TDeleteUndo& newer) {
    return OffsetOf(older) == OffsetOf(newer);
  });
  std::string text;
  for (const TDeleteUndo* r : run) text += r->Text;
  const TDeleteUndo& oldest = *run.front();
  {
    const auto lock = Raised(Editor->FUpdateLock);
    Editor->Lines().InsertTextAt(OffsetOf(oldest), text);
  }
  Editor->SetCaretInternal(oldest.CaretX, oldest.CaretY);
}

namespace {

// Where the caret stood after a backspace: left of the removed characters, or, for a
// joined line, where the break stood. False when a join's column is not known.
bool CaretAfter(const TBackspaceUndo& r, int& x, int& y) {
  if (r.Text == "\r") {
    x = r.JoinX;
    y = r.CaretY - 1;
    return r.JoinX >= 0;
  }
  x = r.CaretX - static_cast<int>(r.Text.size());
  y = r.CaretY;
  return true;
}

}  // namespace

void TBackspaceUndo::Undo() {
  // Each backspace of a run starts where the one before left the caret.
  const auto run = CollectRun(this, [](const TBackspaceUndo& older, const TBackspaceUndo& newer) {
    int x = 0;
    int y = 0;
    return !CaretAfter(older, x, y) || (x == newer.CaretX && y == newer.CaretY);
  });
  // The characters in the order they stood: the most recent deletion first.
  std::string text;
  for (auto it = run.rbegin(); it != run.rend(); ++it) text += (*it)->Text;
  SplitLineBreaks(text);
  int x = 0;
  int y = 0;
  if (!CaretAfter(*this, x, y)) {
    // A join noted without its column: the caret is taken to be where the join left it.
    x = Editor->CaretY() == y ? Editor->CaretX() : 1 << 30;
  }
  const TBackspaceUndo& oldest = *run.front();
  {
    const auto lock = Raised(Editor->FUpdateLock);
    Editor->Lines().InsertTextAt(OffsetOf(*Editor, x, y), text);
  }
  Editor->SetCaretInternal(oldest.CaretX, oldest.CaretY);
}

void TInsertColumnUndo::Undo() {
  TEditorStrings& lines = Editor->Lines();
  const std::vector<std::string> pieces = TEditorStrings::SplitText(Text);
  if (OldCount >= 0 && CaretY >= 0 && CaretY <= lines.Count()) {
    // The lines the paste wrote, added ones included, become the noted ones again.
    const int written = std::min(static_cast<int>(pieces.size()), lines.Count() - CaretY);
    const auto lock = Raised(Editor->FUpdateLock);
    lines.Splice(CaretY, written, OldLines);
  } else {
    const auto col = static_cast<size_t>(std::max(CaretX, 0));
    for (size_t i = 0; i < pieces.size() && CaretY + static_cast<int>(i) < lines.Count(); ++i) {
      const int y = CaretY + static_cast<int>(i);
      std::string line = lines[y];
      if (col < line.size()) line.erase(col, pieces[i].size());
      lines.InternalPut(y, line);
    }
  }
  Editor->SetCaretInternal(CaretX, CaretY);
}

namespace {

// The block's pieces go back into its lines before column SelBegX (Put trims what the
// padding of short rows added).
void RestoreColumns(const TDeleteSelectedUndo& r) {
  TEditorStrings& lines = r.Editor->Lines();
  const std::vector<std::string> pieces = TEditorStrings::SplitText(r.Text);
  const auto col = static_cast<size_t>(std::max(r.SelBegX, 0));
  for (int y = std::max(r.SelBegY, 0); y <= r.SelEndY && y < lines.Count(); ++y) {
    const auto piece = static_cast<size_t>(y - r.SelBegY);
    if (piece >= pieces.size()) break;
    std::string line = lines[y];
    line.insert(std::min(col, line.size()), pieces[piece]);
    lines.InternalPut(y, line);
  }
}

}  // namespace

void TDeleteSelectedUndo::Undo() {
  TEditorStrings& lines = Editor->Lines();
  const bool column = Editor->EffectiveBlockFormat(SelBlockFormat) == bfColumn;
  if (column && OldLines && !OldLines->empty() && SelBegY >= 0 &&
      SelBegY + static_cast<int>(OldLines->size()) <= lines.Count()) {
    const auto lock = Raised(Editor->FUpdateLock);
    lines.Splice(SelBegY, static_cast<int>(OldLines->size()), *OldLines);
  } else if (column) {
    RestoreColumns(*this);
  } else {
    const auto lock = Raised(Editor->FUpdateLock);
    lines.InsertTextAt(DeletedAt >= 0 ? DeletedAt : OffsetOf(*Editor, SelBegX, SelBegY), Text);
  }
  Editor->FSelBegX = SelBegX;
  Editor->FSelBegY = SelBegY;
  Editor->FSelEndX = SelEndX;
  Editor->FSelEndY = SelEndY;
  Editor->FSelBlockFormat = SelBlockFormat;
  Editor->FSelected = !Text.empty();
  Editor->SetCaretInternal(CaretX, CaretY);
}

TReplaceSelectedUndo::TReplaceSelectedUndo(TDeleteSelectedUndo& deleted, TInsertUndo& inserted)
    : TDeleteSelectedUndo(deleted.Editor, deleted.CaretX, deleted.CaretY, std::move(deleted.Text),
                          deleted.SelBlockFormat, deleted.SelBegX, deleted.SelBegY, deleted.SelEndX,
                          deleted.SelEndY),
      InsertX(inserted.CaretX),
      InsertY(inserted.CaretY),
      NewText(std::move(inserted.Text)) {
  DeletedAt = deleted.DeletedAt;
}

std::unique_ptr<TReplaceSelectedUndo> TReplaceSelectedUndo::Fold(
    std::vector<std::unique_ptr<TUndo>>& records) {
  const auto is = [&records](size_t i, const std::type_info& type) {
    return typeid(*records[i]) == type;
  };
  if (records.size() != 4 || !is(0, typeid(TBeginCompoundUndo)) ||
      !is(1, typeid(TDeleteSelectedUndo)) || !is(2, typeid(TInsertUndo)) ||
      !is(3, typeid(TEndCompoundUndo)))
    return nullptr;
  auto& deleted = static_cast<TDeleteSelectedUndo&>(*records[1]);
  // A column block keeps its lines for undo; only a stream deletion folds.
  if (deleted.OldLines || deleted.Editor->EffectiveBlockFormat(deleted.SelBlockFormat) == bfColumn)
    return nullptr;
  return std::make_unique<TReplaceSelectedUndo>(deleted, static_cast<TInsertUndo&>(*records[2]));
}

void TReplaceSelectedUndo::Undo() {
  {
    const auto lock = Raised(Editor->FUpdateLock);
    Editor->Lines().DeleteTextAt(OffsetOf(*Editor, InsertX, InsertY),
                                 static_cast<int>(NewText.size()));
  }
  // The caret stops where the insertion's own record would have put it.
  Editor->SetCaretInternal(InsertX, InsertY);
  TDeleteSelectedUndo::Undo();
}

void TReplaceSelectedUndo::Redo() {
  if (!Undone) return;
  const std::unique_ptr<TUndone> undone = std::move(Undone);
  {
    const auto lock = Raised(Editor->FUpdateLock);
    TEditorStrings& lines = Editor->Lines();
    lines.DeleteTextAt(DeletedAt >= 0 ? DeletedAt : OffsetOf(*Editor, SelBegX, SelBegY),
                       static_cast<int>(Text.size()));
    lines.InsertTextAt(OffsetOf(*Editor, InsertX, InsertY), NewText);
  }
  RestoreMark(undone->Before);
}

void TOverwriteUndo::Undo() {
  TEditorStrings& lines = Editor->Lines();
  if (CaretY >= 0 && CaretY < lines.Count() && CaretX >= 0) {
    std::string line = lines[CaretY];
    const auto col = static_cast<size_t>(CaretX);
    if (col < line.size()) {
      // No old character: the typed one was appended at the line end and goes again.
      if (OldText.empty())
        line.erase(col, 1);
      else
        line.replace(col, 1, OldText);
      // The line as it was, blanks a padding left at its end included.
      const auto lock = Raised(Editor->FUpdateLock);
      lines.PlainPut(CaretY, line);
    }
  }
  Editor->SetCaretInternal(CaretX, CaretY);
}

void TReplaceUndo::Undo() {
  TEditorStrings& lines = Editor->Lines();
  {
    const auto lock = Raised(Editor->FUpdateLock);
    const int pos = std::clamp(BegPos - 1, 0, lines.TextLength());
    lines.DeleteTextAt(pos, static_cast<int>(NewText.size()));
    lines.InsertTextAt(pos, OldText);
  }
  Editor->SetCaretInternal(CaretX, CaretY);
}

void TSelectUndo::Undo() {
  Editor->FSelected = Selected;
  Editor->FSelBlockFormat = SelBlockFormat;
  Editor->FSelBegX = SelBegX;
  Editor->FSelBegY = SelBegY;
  Editor->FSelEndX = SelEndX;
  Editor->FSelEndY = SelEndY;
  Editor->SetCaretInternal(CaretX, CaretY);
}
