#include "editor/RAEditor.h"

// Not yet implemented.
void TRACustomEditor::KeyDown(uint16_t& key, TShiftState shift) {  }
void TRACustomEditor::KeyPress(char& key) {  }
