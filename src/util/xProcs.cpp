#include "util/xProcs.h"

#include "util/Errors.h"
#include "util/RAStrUtil.h"

int PosFrom(const std::string& sub, const std::string& s, int from) {
  if (sub.empty()) return 0;
  if (from < 1) from = 1;
  if (from > static_cast<int>(s.size())) return 0;
  size_t found = s.find(sub, static_cast<size_t>(from - 1));
  return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

std::string TrimControl(const std::string& s) {
  auto isControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  size_t first = 0;
  while (first < s.size() && isControl(s[first])) ++first;
  size_t last = s.size();
  while (last > first && isControl(s[last - 1])) --last;
  return s.substr(first, last - first);
}

int StrToIntTrim(const std::string& s) {
  std::string trimmed = TrimControl(s);
  if (trimmed.empty()) return 0;
  try {
    return StrToInt(trimmed);
  } catch (const EConvertError&) {
    return 0;
  }
}
