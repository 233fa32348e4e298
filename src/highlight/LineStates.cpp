// Start states of lines that continue a comment, string or tag from an earlier line.
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

#include "highlight/RAHLEditor.h"

namespace {

constexpr int kNoGrammarLine = 2147483647;

// One line during the rescan, with 1-based positions as the rescan rules use them.
class ScanLine {
 public:
  explicit ScanLine(const std::string& s) : FText(s.data()), FLength(static_cast<int>(s.size())) {}
  int Length() const { return FLength; }
  char At(int k) const { return k >= 1 && k <= FLength ? FText[k - 1] : 0; }
  // First position >= K holding X; 0 when there is none.
  int Search(char x, int k) const {
    if (k < 1) k = 1;
    if (k > FLength) return 0;
    const void* q = std::memchr(FText + k - 1, x, FLength - k + 1);
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

// A string quoted by X: a doubled quote leaves the scan going on right after the opener.
bool SkipQuoted(const ScanLine& s, char x, int& j) {
  const int q = s.Search(x, j + 1);
  if (!q) return false;
  if (s.At(q + 1) != x) j = q;
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

bool PascalStep(const ScanLine& s, int& j, uint8_t& st) {
  const char c = s.At(j);
  if (st == 1) return CloseAt(s, '}', j, 1, j, st);
  if (st == 2) return CloseBlock(s, ')', j + 1, j, st);
  if (st != 0) return true;
  if (c == '\'') return SkipQuoted(s, '\'', j);
  if (c == '(' && s.At(j + 1) == '*') {
    st = 2;
    return CloseBlock(s, ')', j + 3, j, st);
  }
  if (c == '{') {
    const int q = s.Search('}', j + 1);
    if (!q) st = 1;
    j = q;
    return q != 0;
  }
  return true;
}

bool CStep(const ScanLine& s, int& j, uint8_t& st) {
  const char c = s.At(j);
  if (st == 2) return CloseBlock(s, '/', j + 1, j, st);
  if (st != 0) return true;
  if (c == '"') return SkipQuoted(s, '"', j);
  if (c == '/' && s.At(j + 1) == '*') {
    st = 2;
    return CloseBlock(s, '/', j + 3, j, st);
  }
  return true;
}

bool HashStringStep(const ScanLine& s, int& j, uint8_t& st) {
  const char c = s.At(j);
  if (st == 4) return CloseAt(s, '"', j, 4, j, st);
  if (st != 0) return true;
  if (c == '"') {
    const int q = s.Search('"', j + 1);
    if (!q) st = 4;
    j = q;
    return q != 0;
  }
  if (c == '#') j = s.Length();
  return true;
}

bool HtmlStep(const ScanLine& s, int& j, uint8_t& st) {
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
bool CocoRStep(const ScanLine& s, int& j, uint8_t& st) {
  const char c = s.At(j);
  if (st == 2) return CloseBlock(s, ')', j + 1, j, st);
  if (st != 0) return true;
  if (c == '"' || c == '\'') return SkipQuoted(s, c, j);
  if ((c == '(' || c == '/') && s.At(j + 1) == '*') {
    st = 2;
    return CloseBlock(s, c == '(' ? ')' : '/', j + 3, j, st);
  }
  return true;
}

using StepFn = bool (*)(const ScanLine&, int&, uint8_t&);

struct Rules {
  StepFn Step = nullptr;
  // Characters that can start something in state 0; others are passed over quickly.
  const char* Openers = "";
};

Rules RulesOf(THighLighter hl) {
  switch (hl) {
    case hlPascal:
      return {PascalStep, "'({"};
    case hlCBuilder:
    case hlSql:
    case hlJava:
    case hlMarvek:
      return {CStep, "\"/"};
    case hlPython:
    case hlPerl:
      return {HashStringStep, "\"#"};
    case hlHtml:
      return {HtmlStep, "<"};
    case hlCocoR:
      return {CocoRStep, "\"'(/"};
    default:
      return {};
  }
}

class LineScanner {
 public:
  explicit LineScanner(THighLighter hl) : FRules(RulesOf(hl)) {
    for (const char* p = FRules.Openers; *p; ++p) FOpener[static_cast<unsigned char>(*p)] = true;
  }
  // The state after line S, which starts in state St.
  uint8_t Next(const std::string& text, uint8_t st) const {
    if (!FRules.Step) return st;
    const ScanLine s(text);
    const int length = s.Length();
    for (int j = 1; j <= length; ++j) {
      if (st == 0 && !FOpener[static_cast<unsigned char>(text[j - 1])]) continue;
      if (!FRules.Step(s, j, st)) break;
    }
    return st;
  }

 private:
  Rules FRules;
  std::array<bool, 256> FOpener{};
};

bool IsProductionsLine(const std::string& s, const Locale& locale) {
  static constexpr char kWord[] = "productions";
  constexpr size_t n = sizeof kWord - 1;
  if (s.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (locale.Lower(static_cast<unsigned char>(s[i])) != static_cast<unsigned char>(kWord[i]))
      return false;
  return true;
}

const char* TriggerChars(THighLighter hl) {
  switch (hl) {
    case hlPascal:
      return "{}*()/\r";
    case hlCBuilder:
    case hlSql:
    case hlJava:
      return "*/\r";
    case hlPython:
    case hlPerl:
    case hlMarvek:
      return "#\"\r";
    case hlVB:
      return "'\r";
    case hlHtml:
      return "<>\r";
    case hlCocoR:
      return "*()/\r";
    default:
      return "\r";
  }
}

}  // namespace

uint8_t TRAHLEditor::LineState(int index) const {
  return index >= 0 && index < static_cast<int>(FLineStates.size()) ? FLineStates[index] : 0;
}

bool TRAHLEditor::TracksLineStates() const {
  return FLongTokens && FHighLighter != hlNone && FHighLighter != hlIni;
}

void TRAHLEditor::RescanLongTokens() {
  if (!TracksLineStates()) {
    FLineState = 0;
    return;
  }
  const int count = Lines().Count();
  // Without lines the stored states stay; the changes keep counting from the last rescan.
  if (count == 0) return;
  Lines().TakeLineChanges();
  FLineStates.assign(count, 0);
  FGrammarLine = kNoGrammarLine;
  ScanLineStates(0, count);
  FScannedHighLighter = FHighLighter;
  FStatesValid = true;
}

// The states a full rescan would give, recomputed only where the lines changed since the
// last rescan: the stored states are spliced to the new line count and recomputed from
// the line before the first change until, past the changed lines, they agree again.
std::pair<int, int> TRAHLEditor::UpdateLineStates() {
  constexpr std::pair<int, int> kEverything{0, INT_MAX};
  // The "productions" line is the last one found anywhere: grammar files rescan fully.
  if (!TracksLineStates() || !FStatesValid || FScannedHighLighter != FHighLighter ||
      FHighLighter == hlCocoR) {
    RescanLongTokens();
    return kEverything;
  }
  const int count = Lines().Count();
  if (count == 0) return {1, 0};
  const LineChanges changes = Lines().TakeLineChanges();
  const int oldCount = static_cast<int>(FLineStates.size());
  if (!changes.Any) {
    if (oldCount == count) return {1, 0};
    RescanLongTokens();
    return kEverything;
  }
  const int first = changes.First;
  const int end = count - changes.TailUnchanged;
  const int oldEnd = oldCount - changes.TailUnchanged;
  const bool consistent = changes.OldCount == oldCount && first >= 0 && first <= end &&
                          first <= oldEnd && changes.TailUnchanged >= 0 && end <= count &&
                          oldEnd <= oldCount;
  if (!consistent) {
    RescanLongTokens();
    return kEverything;
  }
  FLineStates.erase(FLineStates.begin() + first, FLineStates.begin() + oldEnd);
  FLineStates.insert(FLineStates.begin() + first, end - first, 0);
  FLineStates[0] = 0;
  const int last = ScanLineStates(std::max(first - 1, 0), end);
  return {first, std::max(last, end - 1)};
}

int TRAHLEditor::ScanLineStates(int from, int end) {
  const LineScanner scanner(FHighLighter);
  const int count = Lines().Count();
  const bool grammar = FHighLighter == hlCocoR;
  FLineState = FLineStates[from];
  int last = from;
  // The last line is not scanned: no line follows it.
  for (int i = from; i < count - 1; ++i) {
    const std::string& s = Lines()[i];
    FLineState = scanner.Next(s, FLineState);
    if (grammar && IsProductionsLine(s, LocaleRef())) FGrammarLine = i;
    if (i + 1 >= end && FLineStates[i + 1] == FLineState) break;
    FLineStates[i + 1] = FLineState;
    last = i + 1;
  }
  return last;
}

void TRAHLEditor::FetchLineState() {
  FLineState = TracksLineStates() ? LineState(FLineIndex) : 0;
}

int TRAHLEditor::LongTokenEnd() const {
  size_t at = std::string::npos;
  switch (FHighLighter) {
    case hlPascal:
      if (FLineState == 1) {
        at = FLine.find('}');
      } else if (FLineState == 2) {
        at = FLine.find("*)");
        if (at != std::string::npos) ++at;
      }
      break;
    case hlCBuilder:
    case hlSql:
    case hlJava:
    case hlMarvek:
      at = FLine.find("*/");
      if (at != std::string::npos) ++at;
      break;
    case hlPython:
    case hlPerl:
      if (FLineState == 4) at = FLine.find('"');
      break;
    default:
      break;
  }
  return static_cast<int>(at == std::string::npos ? FLine.size() : at);
}

void TRAHLEditor::TextModified(int pos, int action, const std::string& text) {
  TRAEditor::TextModified(pos, action, text);
  if (!FLongTokens) return;
  if (text.find_first_of(TriggerChars(FHighLighter)) == std::string::npos) return;
  const auto [first, last] = UpdateLineStates();
  InvalidateLines(first, last);
}

// The whole text ends every line with CR LF, and a carriage return triggers every
// highlighter, so a text with lines always rescans; an empty one never does.
void TRAHLEditor::WholeTextModified() {
  if (!FLongTokens || Lines().Count() == 0) return;
  const auto [first, last] = UpdateLineStates();
  InvalidateLines(first, last);
}
