#include "editor/RAEditor.h"

// Not yet implemented.
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
int TEditorStrings::LineAtOffset(int) const { return 0; }
