#include "editor/LineList.h"

// Not yet implemented.
void LineList::Set(int, std::string) {}
void LineList::Insert(int, std::string) {}
void LineList::Insert(int, std::vector<std::string>) {}
void LineList::Erase(int, int) {}
void LineList::Clear() {}
void LineList::Assign(std::vector<std::string>) {}
int LineList::Offset(int) const { return 0; }
int LineList::LineAtOffset(int) const { return 0; }
LineChanges LineList::TakeChanges() { return {}; }
