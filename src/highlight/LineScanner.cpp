#include "highlight/LineScanner.h"

#include <cstring>

namespace {

// One line during the rescan, with 1-based positions as the rescan rules use them.
class ScanLine {
 public:
  explicit ScanLine(std::string_view s) : FText(s.data()), FLength(static_cast<int>(s.size())) {}
  int Length() const { return FLength; }
  char At(int k) const { return k >= 1 && k <= FLength ? FText[k - 1] : 0; }
  // First position >= K holding X; 0 when there is none.
  int Search(char x, int k) const {
    if (k < 1) k = 1;
    if (k > FLength) return 0;
    const void* q = std::memchr(FText + k - 1, x, static_cast<size_t>(FLength - k + 1));
    return q ? static_cast<int>(static_cast<const char*>(q) - FText) + 1 : 0;
  }

 private:
  const char* FText;
  int FLength;
};

// Each step looks at position J in state St; it returns false to end the line, and may
// move J (the scan goes on after it) or change St.

// A block comment closes at the first Closer from From that follows a "*".
bool CloseBlock(const ScanLine& s, char closer, int from, int& j, uint8_t& st) {
  const int q = s.Search(closer, from);
  if (!q) return false;
  if (s.At(q - 1) == '*') st = 0;
  j = q;
  return true;
}

// Searches X from K: found, the form closes (state 0) there; not found, the line ends
// in state Open.
bool CloseAt(const ScanLine& s, char x, int k, uint8_t open, int& j, uint8_t& st) {
  const int q = s.Search(x, k);
  if (!q) {
    st = open;
    return false;
  }
  st = 0;
  j = q;
  return true;
}

// A string in single quotes, a doubled quote standing for one quote inside it; one
// without its closing quote runs to the end of the line.
bool SkipSingleQuoted(const ScanLine& s, int& j) {
  for (int k = j + 1;;) {
    const int q = s.Search('\'', k);
    if (!q) return false;
    if (s.At(q + 1) != '\'') {
      j = q;
      return true;
    }
    k = q + 2;
  }
}

// A string in double quotes, where a quote right after a backslash does not close it.
bool SkipEscapedDoubleQuoted(const ScanLine& s, int& j) {
  for (int k = j + 1;;) {
    const int q = s.Search('"', k);
    if (!q) return false;
    if (s.At(q - 1) != '\\') {
      j = q;
      return true;
    }
    k = q + 1;
  }
}

bool IsPair(const ScanLine& s, int j, char a, char b) {
  return s.At(j) == a && s.At(j + 1) == b;
}

// "(*" and "/*" open a block comment that may close on this line.
bool OpenBlock(const ScanLine& s, char closer, int& j, uint8_t& st) {
  st = 2;
  return CloseBlock(s, closer, j + 3, j, st);
}

bool PascalStep(std::string_view text, int& j, uint8_t& st) {
  const ScanLine s(text);
  const char c = s.At(j);
  if (st == 1) return CloseAt(s, '}', j, 1, j, st);
  if (st == 2) return CloseBlock(s, ')', j + 1, j, st);
  if (st != 0) return true;
  if (c == '\'') return SkipSingleQuoted(s, j);
  if (IsPair(s, j, '/', '/')) return false;
  if (IsPair(s, j, '(', '*')) return OpenBlock(s, ')', j, st);
  if (c == '{') {
    const int q = s.Search('}', j + 1);
    if (!q) st = 1;
    j = q;
    return q != 0;
  }
  return true;
}

// The C-like languages and the script language: "/*" comments, strings in both quotes;
// line comments are "//", in the script language "#".
template <bool HashComments>
bool CStep(std::string_view text, int& j, uint8_t& st) {
  const ScanLine s(text);
  const char c = s.At(j);
  if (st == 2) return CloseBlock(s, '/', j + 1, j, st);
  if (st != 0) return true;
  if (c == '"') return SkipEscapedDoubleQuoted(s, j);
  if (c == '\'') return SkipSingleQuoted(s, j);
  if (HashComments ? c == '#' : IsPair(s, j, '/', '/')) return false;
  if (IsPair(s, j, '/', '*')) return OpenBlock(s, '/', j, st);
  return true;
}

bool HashStringStep(std::string_view text, int& j, uint8_t& st) {
  const ScanLine s(text);
  const char c = s.At(j);
  if (st == 4) return CloseAt(s, '"', j, 4, j, st);
  if (st != 0) return true;
  if (c == '"') {
    const int q = s.Search('"', j + 1);
    if (!q) st = 4;
    j = q;
    return q != 0;
  }
  if (c == '\'') return SkipSingleQuoted(s, j);
  return c != '#';
}

bool HtmlStep(std::string_view text, int& j, uint8_t& st) {
  const ScanLine s(text);
  if (st == 5) return CloseAt(s, '>', j, 5, j, st);
  if (st == 0 && s.At(j) == '<') {
    const int q = s.Search('>', j + 1);
    if (!q) st = 5;
    j = q;
    return q != 0;
  }
  return true;
}

// Grammar files: a continued block comment ends only at "*)", however it was opened.
bool CocoRStep(std::string_view text, int& j, uint8_t& st) {
  const ScanLine s(text);
  const char c = s.At(j);
  if (st == 2) return CloseBlock(s, ')', j + 1, j, st);
  if (st != 0) return true;
  if (c == '"') return SkipEscapedDoubleQuoted(s, j);
  if (c == '\'') return SkipSingleQuoted(s, j);
  if (IsPair(s, j, '/', '/')) return false;
  if (IsPair(s, j, '(', '*')) return OpenBlock(s, ')', j, st);
  if (IsPair(s, j, '/', '*')) return OpenBlock(s, '/', j, st);
  return true;
}

}  // namespace

LineScanner::LineScanner(THighLighter hl) {
  const char* openers = "";
  switch (hl) {
    case hlPascal:
      FStep = PascalStep, openers = "'({/";
      break;
    case hlCBuilder:
    case hlSql:
    case hlJava:
      FStep = CStep<false>, openers = "\"'/";
      break;
    case hlMarvek:
      FStep = CStep<true>, openers = "\"'/#";
      break;
    case hlPython:
    case hlPerl:
      FStep = HashStringStep, openers = "\"'#";
      break;
    case hlHtml:
      FStep = HtmlStep, openers = "<";
      break;
    case hlCocoR:
      FStep = CocoRStep, openers = "\"'(/";
      break;
    default:
      break;
  }
  for (const char* p = openers; *p; ++p) FOpener[static_cast<unsigned char>(*p)] = true;
}

uint8_t LineScanner::Next(std::string_view text, uint8_t st) const {
  if (!FStep) return st;
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  const int length = static_cast<int>(text.size());
  // J is the 0-based index of the next character; the steps take 1-based positions.
  for (int j = 0; j < length;) {
    if (st == 0) {
      while (j < length && !FOpener[data[j]]) ++j;
      if (j == length) break;
    }
    int position = j + 1;
    if (!FStep(text, position, st)) break;
    j = position;
  }
  return st;
}

bool IsProductionsLine(std::string_view s, const Locale& locale) {
  static constexpr std::string_view kWord = "productions";
  if (s.size() < kWord.size()) return false;
  for (size_t i = 0; i < kWord.size(); ++i)
    if (locale.Lower(static_cast<unsigned char>(s[i])) != static_cast<unsigned char>(kWord[i]))
      return false;
  return true;
}
