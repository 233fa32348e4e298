#include "editor/RAEditor.h"

// Not yet implemented.
void TRACustomEditor::CopyToClipboard() {  }
void TRACustomEditor::CutToClipboard() {  }
void TRACustomEditor::PasteFromClipboard() {  }
bool TRACustomEditor::CanCopy() const { return false; }
bool TRACustomEditor::CanCut() const { return false; }
bool TRACustomEditor::CanPaste() const { return false; }
void TRACustomEditor::WMCopy() {  }
void TRACustomEditor::WMCut() {  }
void TRACustomEditor::WMPaste() {  }
const char* TRACustomEditor::BlockTypeFormatName() { return ""; }
