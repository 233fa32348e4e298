#include <algorithm>
#include <climits>

#include "editor/RAEditor.h"
#include "util/RAStrUtil.h"
#include "util/xProcs.h"

namespace {

bool IsIdentChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

std::string TrimRight(const std::string& s) {
  size_t length = s.size();
  while (length > 0 && static_cast<unsigned char>(s[length - 1]) <= ' ') --length;
  return s.substr(0, length);
}

bool IsBlankText(const std::string& s) {
  return TrimControl(s).empty();
}

}  // namespace

int NextTabStopIn(const std::string& tabStops, int x) {
  long long prev = 0;
  long long cur = 1;
  for (int i = 0;; ++i) {
    const std::string word = TrimControl(FieldAt(tabStops, i, " "));
    if (word.empty()) break;
    prev = cur;
    cur = static_cast<long long>(StrToInt(word)) - 1;
    if (x < cur) return static_cast<int>(cur);
  }
  // Stops repeat at the distance of the last two; a list whose last two stops do not
  // increase repeats at every column instead of dividing by zero.
  long long distance = cur - prev;
  if (distance <= 0) distance = 1;
  const long long result = x + distance - (x - cur) % distance;
  return static_cast<int>(std::clamp<long long>(result, INT_MIN, INT_MAX));
}

int TRACustomEditor::NextTabStop(int x) const {
  return NextTabStopIn(FTabStops, x);
}

int TRACustomEditor::GetTabStop(int x, int y, bool force, bool smart) {
  FTabFlags.fill(false);
  if (force || FSmartTab) {
    // A scan position shared by the lines above: each farther line adds only stops to
    // the right of what the nearer lines covered.
    int p = 1;
    for (int i = 1; y - i >= 0 && y - i < FLines->Count(); ++i) {
      const std::string line = TrimRight((*FLines)[y - i]);
      const int length = static_cast<int>(line.size());
      if (p < length && length <= MaxLineAttr) FTabFlags[length] = true;
      while (p <= length) {
        if (IsIdentChar(line[p - 1])) {
          if (p - 1 <= MaxLineAttr) FTabFlags[p - 1] = true;
          while (p <= length && IsIdentChar(line[p - 1])) ++p;
        }
        ++p;
      }
      if (p > 255 || i >= 2 * FVisibleRowCount) break;
    }
  }
  if (smart) {
    for (int c = std::max(x + 1, 0); c <= MaxLineAttr; ++c) {
      if (FTabFlags[c]) return c;
    }
  }
  return NextTabStop(x);
}

int TRACustomEditor::GetBackStop(int x, int y) {
  const std::string s = y >= 0 && y < FLines->Count() ? TrimRight((*FLines)[y]) : std::string();
  const bool blankBefore = x <= 0 || IsBlankText(s.substr(0, static_cast<size_t>(x)));
  if (!blankBefore) return x - 1;
  if (x >= 0 && x < static_cast<int>(s.size()) && s[x] == ' ') return x - 1;
  FTabFlags.fill(false);
  FTabFlags[0] = true;
  // The indentation levels of the lines above that lie left of the caret.
  int limit = x - 1;
  for (int i = 1; y - i >= 0 && y - i < FLines->Count(); ++i) {
    const std::string& line = (*FLines)[y - i];
    const int scan = std::min(static_cast<int>(line.size()), limit);
    for (int q = 1; q <= scan; ++q) {
      if (line[q - 1] != ' ') {
        if (q - 1 <= MaxLineAttr) FTabFlags[q - 1] = true;
        limit = q;
        break;
      }
    }
    if (limit <= 1 || i >= 2 * FVisibleRowCount) break;
  }
  for (int c = std::min(x, MaxLineAttr); c > 0; --c) {
    if (FTabFlags[c]) return c;
  }
  return 0;
}

std::string TRACustomEditor::ExpandTabs(const std::string& s) const {
  if (s.find('\t') == std::string::npos) return s;
  return ReplaceAll(s, "\t", Blanks(NextTabStop(0)));
}
