#include "editor/RAEditor.h"

// Not yet implemented.
int TRACustomEditor::NextTabStop(int x) const { return 0; }
int TRACustomEditor::GetTabStop(int x, int y, bool force, bool smart) { return 0; }
int TRACustomEditor::GetBackStop(int x, int y) { return 0; }
std::string TRACustomEditor::ExpandTabs(const std::string& s) const { return {}; }
