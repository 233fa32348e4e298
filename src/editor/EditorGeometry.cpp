#include "editor/RAEditor.h"

// Not yet implemented.
void TRACustomEditor::UpdateEditorSize() {  }
void TRACustomEditor::SetMaxScrollH(int n) {  }
void TRACustomEditor::SetMaxScrollV(int n) {  }
void TRACustomEditor::Resize() {  }
