#include "util/RAStrUtil.h"

// Not yet implemented.
bool IsWordSeparator(unsigned char) { return false; }
std::string Blanks(int) { return {}; }
bool CharOccurs(char, const std::string&) { return false; }
bool AnyCharOccurs(const std::string&, const std::string&) { return false; }
bool EqualIgnoringCase(const std::string&, const std::string&, const Locale&) { return false; }
std::string InvertCase(const std::string& s, const Locale&) { return s; }
std::string WordAtPos(const std::string&, int, const Locale&) { return {}; }
std::string WordBoundsAtPos(const std::string&, int, int&, int&, const Locale&) { return {}; }
std::string FieldAt(const std::string&, int, const std::string&) { return {}; }
void OffsetToColLine(const std::string&, int, int&, int&) {}
std::string ReplaceAll(const std::string& s, const std::string&, const std::string&) { return s; }
int StrToInt(const std::string&) { return 0; }
