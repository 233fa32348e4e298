#include "editor/RAEditor.h"

// Not yet implemented.
void TRACustomEditor::SetSel(int x, int y) {  }
void TRACustomEditor::Unselect() {  }
void TRACustomEditor::SetSelStart(int pos) {  }
void TRACustomEditor::SetSelLength(int len) {  }
int TRACustomEditor::PosFromCaret(int x, int y) const { return 0; }
void TRACustomEditor::CaretFromPos(int pos, int& x, int& y) const {  }
void TRACustomEditor::RepaintSelectionChange() {  }
TSelBlockFormat TRACustomEditor::EffectiveBlockFormat(TSelBlockFormat format) const { return bfNonInclusive; }
