#include "editor/RAEditor.h"

// Not yet implemented.
std::string TRACustomEditor::GetSelText() const { return {}; }
void TRACustomEditor::SetSelText(const std::string& text) {  }
void TRACustomEditor::InsertText(const std::string& text) {  }
void TRACustomEditor::InsertChar(unsigned char ch) {  }
void TRACustomEditor::DeleteSelected() {  }
void TRACustomEditor::BeginCompound() {  }
void TRACustomEditor::EndCompound() {  }
void TRACustomEditor::PostCommand(TEditCommand code) {  }
void TRACustomEditor::BeginRecord() {  }
void TRACustomEditor::EndRecord(std::string& macro) {  }
void TRACustomEditor::PlayMacro(const std::string& macro) {  }
