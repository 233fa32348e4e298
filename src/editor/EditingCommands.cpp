#include "editor/RAEditor.h"

// Not yet implemented.
void TRACustomEditor::RunEditingCommand(TEditCommand code, CommandState& s) {  }
void TRACustomEditor::CommandReturn(CommandState& s) {  }
void TRACustomEditor::CommandBackspace(CommandState& s) {  }
void TRACustomEditor::CommandDelete(CommandState& s) {  }
void TRACustomEditor::CommandTab(TEditCommand code, CommandState& s) {  }
void TRACustomEditor::CommandBlockIndent(bool indent) {  }
void TRACustomEditor::CommandChangeCase(TEditCommand code, CommandState& s) {  }
