#pragma once
// Small string helpers of the application: search from a position, trimming, lenient
// integer conversion.
#include <string>

// 1-based position of the first Sub in S at or after From; 0 when there is none.
int PosFrom(const std::string& sub, const std::string& s, int from);
// S without leading and trailing characters of codes 0..32.
std::string TrimControl(const std::string& s);
// The trimmed text as an integer; 0 when it is empty or not a valid integer.
int StrToIntTrim(const std::string& s);
