#include "editor/RAEditor.h"

// Not yet implemented.
void TRACustomEditor::Paint() {  }
void TRACustomEditor::PaintLine(int line, int colBeg, int colEnd) {  }
void TRACustomEditor::PaintSelectionLines() {  }
void TRACustomEditor::PaintRightMargin() {  }
TRect TRACustomEditor::CellRect(int col, int row) const { return {}; }
void TRACustomEditor::GetLineAttr(std::string& line, int lineIdx, int colBeg, int colEnd) {  }
void TRACustomEditor::GetAttr(int lineIdx, int colBeg, int colEnd) {  }
void TRACustomEditor::ChangeAttr(int lineIdx, int colBeg, int colEnd) {  }
void TGutter::Paint() {}
