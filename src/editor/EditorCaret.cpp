#include "editor/RAEditor.h"

// Not yet implemented.
void TRACustomEditor::SetCaret(int x, int y) {  }
void TRACustomEditor::SetCaretInternal(int x, int y) {  }
void TRACustomEditor::PaintCaret(bool show) {  }
void TRACustomEditor::SetLeftTop(int leftCol, int topRow) {  }
void TRACustomEditor::Scroll(bool vertical, int value) {  }
void TRACustomEditor::ScrollToLine(int line) {  }
void TRACustomEditor::Bookmark(int index, bool toggle) {  }
void TRACustomEditor::HandleScrollRequest(bool vertical, int code) {  }
void TRACustomEditor::MouseWheel(int delta) {  }
void TRACustomEditor::FocusIn() {  }
void TRACustomEditor::FocusOut() {  }
