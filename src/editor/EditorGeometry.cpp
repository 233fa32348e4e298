#include "editor/RAEditor.h"

// Not yet implemented.
void TRACustomEditor::UpdateEditorSize() {  }
void TRACustomEditor::SetMaxScrollH(int n) {  }
void TRACustomEditor::SetMaxScrollV(int n) {  }
void TRACustomEditor::Resize() {  }
int TEditorClient::Left() const { return 0; }
int TEditorClient::Width() const { return 0; }
int TEditorClient::Height() const { return 0; }
TRect TEditorClient::ClientRect() const { return {}; }
TRect TEditorClient::EditorRect() const { return {}; }
Canvas& TEditorClient::GetCanvas() const { return FEditor->Host().GetCanvas(); }
void TRAControlScrollBar95::SetLargeChange(int) {}
void TRAControlScrollBar95::SetPosition(int) {}
void TRAControlScrollBar95::SetMin(int) {}
void TRAControlScrollBar95::SetMax(int) {}
void TRAControlScrollBar95::SetPage(int) {}
void TRAControlScrollBar95::SetParams(int, int) {}
void TRAControlScrollBar95::DoScroll(int) {}
void TRAControlScrollBar95::Apply() {}
