#include "editor/RAEditor.h"

// Not yet implemented.
void TRACustomEditor::Command(TEditCommand code) {  }
void TRACustomEditor::ExecuteCommand(TEditCommand code, CommandState& s) {  }
void TRACustomEditor::RunMovementCommand(TEditCommand code, CommandState& s) {  }
void TRACustomEditor::SelectTo(CommandState& s, int x, int y) {  }
void TRACustomEditor::StepOutOfTrailByte(CommandState& s) {  }
