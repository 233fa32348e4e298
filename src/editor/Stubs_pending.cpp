// Temporary definitions so the library links while the pieces are written.
#include "editor/RAEditor.h"
#include "util/RAStrUtil.h"
#include "util/xProcs.h"

int TEditorClient::Left() const { return 0; }
int TEditorClient::Width() const { return 0; }
int TEditorClient::Height() const { return 0; }
TRect TEditorClient::ClientRect() const { return {}; }
TRect TEditorClient::EditorRect() const { return {}; }
Canvas& TEditorClient::GetCanvas() const { return FEditor->Host().GetCanvas(); }
void TGutter::Paint() {}
void TRAControlScrollBar95::SetLargeChange(int) {}
void TRAControlScrollBar95::SetPosition(int) {}
void TRAControlScrollBar95::SetMin(int) {}
void TRAControlScrollBar95::SetMax(int) {}
void TRAControlScrollBar95::SetPage(int) {}
void TRAControlScrollBar95::SetParams(int, int) {}
void TRAControlScrollBar95::DoScroll(int) {}
void TRAControlScrollBar95::Apply() {}
void TKeyboard::AddKey(TEditCommand, uint16_t, TShiftState) {}
void TKeyboard::AddChord(TEditCommand, uint16_t, TShiftState, uint16_t, TShiftState) {}
uint16_t TKeyboard::FindCommand(uint16_t, TShiftState) const { return 0; }
TEditCommand TKeyboard::FindChordCommand(uint16_t, TShiftState, uint16_t, TShiftState) const { return 0; }
void TKeyboard::SetDefaultLayout() {}
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
TEditorStrings::TEditorStrings(TRACustomEditor* editor) : FEditor(editor) {}
const std::string& TEditorStrings::Get(int index) const { return FLines[index]; }
void TEditorStrings::Put(int, const std::string&) {}
int TEditorStrings::Add(const std::string&) { return 0; }
void TEditorStrings::Insert(int, const std::string&) {}
void TEditorStrings::Delete(int) {}
void TEditorStrings::Clear() {}
std::string TEditorStrings::GetTextStr() const { return {}; }
void TEditorStrings::SetTextStr(const std::string&) {}
void TEditorStrings::Assign(const std::vector<std::string>&) {}
void TEditorStrings::BeginUpdate() {}
void TEditorStrings::EndUpdate() {}
void TEditorStrings::InternalSetText(const std::string&) {}
void TEditorStrings::InternalPut(int, const std::string&) {}
void TEditorStrings::ReLine() {}
void TEditorStrings::PlainPut(int, const std::string&) {}
void TEditorStrings::Splice(int, int, const std::vector<std::string>&) {}
int TEditorStrings::InsertTextAt(int, const std::string&) { return 0; }
int TEditorStrings::DeleteTextAt(int, int) { return 0; }
std::string TEditorStrings::TextAt(int, int) const { return {}; }
int TEditorStrings::LineOffset(int) const { return 0; }
std::vector<std::string> TEditorStrings::SplitText(const std::string&) { return {}; }
void TEditorStrings::Changed() {}
std::string TEditorStrings::ExpandTabs(const std::string& s) const { return s; }
void LineList::Set(int, std::string) {}
void LineList::Insert(int, std::string) {}
void LineList::Insert(int, std::vector<std::string>) {}
void LineList::Erase(int, int) {}
void LineList::Clear() {}
void LineList::Assign(std::vector<std::string>) {}
int LineList::Offset(int) const { return 0; }
int LineList::LineAtOffset(int) const { return 0; }
bool IsWordSeparator(unsigned char) { return false; }
std::string Blanks(int) { return {}; }
bool CharOccurs(char, const std::string&) { return false; }
bool AnyCharOccurs(const std::string&, const std::string&) { return false; }
bool EqualIgnoringCase(const std::string&, const std::string&, const Locale&) { return false; }
std::string InvertCase(const std::string& s, const Locale&) { return s; }
std::string WordAtPos(const std::string&, int, const Locale&) { return {}; }
std::string WordBoundsAtPos(const std::string&, int, int&, int&, const Locale&) { return {}; }
std::string FieldAt(const std::string&, int, const std::string&) { return {}; }
void OffsetToColLine(const std::string&, int, int&, int&) {}
std::string ReplaceAll(const std::string& s, const std::string&, const std::string&) { return s; }
int StrToInt(const std::string&) { return 0; }
int PosFrom(const std::string&, const std::string&, int) { return 0; }
std::string TrimControl(const std::string& s) { return s; }
int StrToIntTrim(const std::string&) { return 0; }
