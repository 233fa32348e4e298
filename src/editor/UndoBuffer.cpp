#include "editor/RAEditor.h"

// Not yet implemented.
TUndoBuffer::~TUndoBuffer() = default;
void TUndoBuffer::Add(std::unique_ptr<TUndo> r) { FItems.push_back(std::move(r)); UndoPtr = Count() - 1; }
void TUndoBuffer::Undo() {}
void TUndoBuffer::Redo() {}
void TUndoBuffer::Clear() { FItems.clear(); UndoPtr = -1; }
TUndo* TUndoBuffer::LastUndo() const { return UndoPtr >= 0 && UndoPtr < Count() ? FItems[UndoPtr].get() : nullptr; }
bool TUndoBuffer::IsNewGroup(const TUndo&) const { return true; }
void TCaretUndo::Undo() {}
void TCaretUndo::Redo() {}
void TInsertUndo::Undo() {}
void TInsertColumnUndo::Undo() {}
void TDeleteUndo::Undo() {}
void TBackspaceUndo::Undo() {}
void TDeleteSelectedUndo::Undo() {}
void TOverwriteUndo::Undo() {}
void TReplaceUndo::Undo() {}
void TSelectUndo::Undo() {}
