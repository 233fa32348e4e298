#include "editor/RAEditor.h"

// Not yet implemented.
void TRACustomEditor::PixelToCell(int x, int y, int& col, int& row) const {  }
void TRACustomEditor::PixelToCaret(int x, int y, int& col, int& row) const {  }
void TRACustomEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {  }
void TRACustomEditor::MouseMove(TShiftState shift, int x, int y) {  }
void TRACustomEditor::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {  }
void TRACustomEditor::DblClick() {  }
TCursorShape TRACustomEditor::CursorAt(int x) const { return TCursorShape::IBeam; }
void TRACustomEditor::ScrollTimerTick() {  }
void TRACustomEditor::SkipTrailByte(int& x, int y, int delta, TMbcsByteType byteType) const {  }
