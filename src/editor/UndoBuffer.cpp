// The undo history: steps of records undone and redone, and the save point. A step runs
// under a raised update lock, so the records' caret placements move no pixels; the editor
// refreshes once at the end of the step, as after a whole-text change.
#include "editor/UndoBuffer.h"

#include <typeinfo>

#include "editor/RAEditor.h"
#include "util/Bracket.h"

namespace {

bool IsPadding(const TUndo* r) {
  return dynamic_cast<const TDeleteTrailUndo*>(r) != nullptr ||
         dynamic_cast<const TReLineUndo*>(r) != nullptr;
}

// Caret moves, selections and compound brackets leave the text as it was.
bool ChangesText(const TUndo& r) {
  return dynamic_cast<const TInsertUndo*>(&r) != nullptr ||
         dynamic_cast<const TOverwriteUndo*>(&r) != nullptr ||
         dynamic_cast<const TReplaceUndo*>(&r) != nullptr;
}

TEditorMark MarkOf(const TRACustomEditor& e) {
  return {e.CaretX(),  e.CaretY(),  e.Selected(), e.SelBlockFormat(),
          e.SelBegX(), e.SelBegY(), e.SelEndX(),  e.SelEndY()};
}

// The brackets of one step: records made meanwhile are dropped, the update lock is raised
// and the line store's changes form one group for its readers.
template <typename Body>
void AsStep(TUndoBuffer& buffer, TRACustomEditor& editor, int& updateLock, Body&& body) {
  const auto undoing = Flagged(buffer.Undoing);
  const auto lock = Raised(updateLock);
  const auto group = editor.Lines().Store().Grouped();
  body();
}

}  // namespace

TUndoBuffer::~TUndoBuffer() = default;

void TUndoBuffer::Add(std::unique_ptr<TUndo> r) {
  if (Undoing) return;
  if (FCapture) {
    FCapture->push_back(std::move(r));
    return;
  }
  // A save point among the records discarded stays only when its text is today's.
  if (FSavePoint > UndoPtr) FSavePoint = AtSavePoint() ? UndoPtr : kNoSavePoint;
  FItems.erase(FItems.begin() + (UndoPtr + 1), FItems.end());
  // A joined line is recorded as CR alone; where the break stood is known only now,
  // while the line above still has its old length.
  if (auto* backspace = dynamic_cast<TBackspaceUndo*>(r.get());
      backspace && backspace->Text == "\r" && backspace->CaretY > 0 &&
      backspace->CaretY <= Editor->Lines().Count()) {
    backspace->JoinX = static_cast<int>(Editor->Lines()[backspace->CaretY - 1].size());
  }
  FItems.push_back(std::move(r));
  UndoPtr = Count() - 1;
}

void TUndoBuffer::UndoRecord(TUndo& r, bool stepTop) {
  r.Undone = std::make_unique<TUndone>();
  r.Undone->Before = MarkOf(*Editor);
  r.Undone->StepTop = stepTop;
  LineList& store = Editor->Lines().Store();
  if (r.RedoNeedsJournal()) store.SetJournal(&r.Undone->Lines);
  const Bracket detach([&store] { store.SetJournal(nullptr); });
  r.Undo();
}

void TUndoBuffer::Undo() {
  TUndo* current = LastUndo();
  if (current == nullptr) return;
  const int topRow = Editor->TopRow();
  const int leftCol = Editor->LeftCol();
  AsStep(*this, *Editor, Editor->FUpdateLock, [&] {
    const std::type_info* group = &typeid(*current);
    int depth = 0;
    for (bool first = true;; first = false) {
      if (typeid(*current) == typeid(TBeginCompoundUndo)) {
        --depth;
        group = nullptr;
      } else if (typeid(*current) == typeid(TEndCompoundUndo)) {
        ++depth;
      }
      UndoRecord(*current, first);
      --UndoPtr;
      current = LastUndo();
      if (group != nullptr &&
          (*group == typeid(TDeleteTrailUndo) || *group == typeid(TReLineUndo))) {
        if (current == nullptr) break;
        group = &typeid(*current);
      }
      if (!Editor->GroupUndo() || current == nullptr) break;
      const bool sameGroup = group != nullptr && typeid(*current) == *group;
      if (!sameGroup && !IsPadding(current) && depth <= 0) break;
    }
  });
  StepDone(topRow, leftCol);
}

// The records after UndoPtr, oldest first, up to the one the matching undo step began
// with; the records an undo took along with another one have nothing to redo.
void TUndoBuffer::Redo() {
  if (!CanRedo()) return;
  const int topRow = Editor->TopRow();
  const int leftCol = Editor->LeftCol();
  AsStep(*this, *Editor, Editor->FUpdateLock, [&] {
    while (UndoPtr + 1 < Count()) {
      TUndo& r = *FItems[static_cast<size_t>(UndoPtr) + 1];
      const bool stepTop = r.Undone && r.Undone->StepTop;
      r.Redo();
      ++UndoPtr;
      if (stepTop) break;
    }
  });
  StepDone(topRow, leftCol);
}

void TUndoBuffer::StepDone(int topRow, int leftCol) {
  TRACustomEditor& e = *Editor;
  if (e.UpdateLock() != 0) return;
  e.PlaceSystemCaret();
  if (e.TopRow() != topRow || e.LeftCol() != leftCol) e.Host().Invalidate();
  e.RefreshText(false);
  const auto saved =
      Bracketed([&] { e.FBackAtSavePoint = AtSavePoint(); }, [&] { e.FBackAtSavePoint = false; });
  e.Changed();
}

void TUndoBuffer::Clear() {
  FItems.clear();
  UndoPtr = -1;
  FSavePoint = kNoSavePoint;
}

bool TUndoBuffer::AtSavePoint() const {
  if (FSavePoint == kNoSavePoint) return false;
  if (FCapture) {
    for (const auto& r : *FCapture)
      if (ChangesText(*r)) return false;
  }
  // Scanned from UndoPtr: after an edit the answer is in its own record.
  const bool above = UndoPtr > FSavePoint;
  const int end = above ? FSavePoint : FSavePoint + 1;
  for (int i = above ? UndoPtr : UndoPtr + 1; i != end; i += above ? -1 : 1) {
    if (ChangesText(*FItems[static_cast<size_t>(i)])) return false;
  }
  return true;
}

TUndo* TUndoBuffer::LastUndo() const {
  return UndoPtr >= 0 && UndoPtr < Count() ? FItems[static_cast<size_t>(UndoPtr)].get() : nullptr;
}

bool TUndoBuffer::IsNewGroup(const TUndo& r) const {
  const TUndo* last = LastUndo();
  return last == nullptr || typeid(*last) != typeid(r);
}
