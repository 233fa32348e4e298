#include "util/xProcs.h"

// Not yet implemented.
int PosFrom(const std::string&, const std::string&, int) { return 0; }
std::string TrimControl(const std::string& s) { return s; }
int StrToIntTrim(const std::string&) { return 0; }
