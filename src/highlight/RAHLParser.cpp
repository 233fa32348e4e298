#include "highlight/RAHLParser.h"

#include <cstring>

namespace {

constexpr char CR = 13;

bool IsBlank(char c) {
  return c == 10 || c == 13 || c == ' ';
}
bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsIdentChar(char c) {
  return IsIdentStart(c) || IsDigit(c);
}
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

const char* SkipBlanks(const char* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

const char* TextEnd(const char* p) {
  return p + std::strlen(p);
}

// Past the first occurrence of the two characters A B at or after P; the end of the text
// when there is none (an unterminated comment runs to the end).
const char* PastPair(const char* p, char a, char b) {
  for (; *p; ++p)
    if (p[0] == a && p[1] == b) return p + 2;
  return p;
}

const char* LineCommentEnd(const char* p) {
  while (*p && *p != CR) ++p;
  return p;
}

bool Styled(TParserStyle style, std::initializer_list<TParserStyle> styles) {
  for (auto s : styles)
    if (s == style) return true;
  return false;
}

// The comment at P in Style, or P itself when none starts there. A malformed comment (no
// closer, or a closer with no opener) takes the rest of the text.
const char* SkipComment(const char* p, TParserStyle style) {
  const char c = p[0], n = c ? p[1] : 0;
  const bool pascal = style == psPascal;
  const bool cocoR = style == psCocoR;
  if (pascal && c == '{') {
    const char* q = std::strchr(p + 1, '}');
    return q ? q + 1 : TextEnd(p);
  }
  if (pascal && c == '}') return TextEnd(p);
  if ((pascal || cocoR) && c == '(' && n == '*') return PastPair(p + 2, '*', ')');
  if ((pascal || cocoR) && c == '*' && n == ')') return TextEnd(p);
  if (style == psCpp && c == '*' && n == '/') return TextEnd(p);
  if (Styled(style, {psPascal, psCpp, psCocoR}) && c == '/' && n == '/') return LineCommentEnd(p);
  if (Styled(style, {psCpp, psCocoR, psMarvek}) && c == '/' && n == '*')
    return PastPair(p + 2, '*', '/');
  if (Styled(style, {psPython, psPerl, psMarvek}) && c == '#') return LineCommentEnd(p);
  if (style == psVB && c == '\'') return LineCommentEnd(p);
  return p;
}

// A single-quoted string: a doubled quote inside stands for one quote.
const char* ReadQuoted(const char* p, std::string& token) {
  token = "'";
  ++p;
  while (*p) {
    if (*p != '\'') {
      token += *p++;
      continue;
    }
    token += '\'';
    if (p[1] != '\'') return p + 1;
    p += 2;
  }
  return p;
}

// A double-quoted string; with Escapes a quote right after a backslash does not close it.
const char* PastDoubleQuoted(const char* p, bool escapes) {
  for (const char* q = p + 1; *q; ++q)
    if (*q == '"' && !(escapes && q[-1] == '\\')) return q + 1;
  return TextEnd(p);
}

const char* ReadHtml(const char* p, const char* textStart) {
  const char c = *p;
  if (c == '<' || c == '=' || c == '>') return p + 1;
  if (c == '/' && p != textStart && p[-1] == '<') return p + 1;
  if (c == '"') return PastDoubleQuoted(p, false);
  while (*p && *p != ' ' && *p != '<' && *p != '=' && *p != '>') ++p;
  return p;
}

// End of the token at P (not a comment, not HTML); the text is the range unless the
// token is a single-quoted string, which ReadQuoted returns itself.
const char* ReadToken(const char* p, const char* textStart, TParserStyle style) {
  const char c = *p;
  if (IsIdentStart(c)) {
    while (IsIdentChar(*p)) ++p;
    return p;
  }
  if (IsDigit(c)) {
    while (IsDigit(*p) || *p == '.') ++p;
    return p;
  }
  if (style == psPascal && c == '$' && IsHexDigit(p[1])) {
    ++p;
    while (IsHexDigit(*p)) ++p;
    return p;
  }
  if (style == psPerl && (c == '$' || c == '%' || c == '&' || c == '@')) {
    ++p;
    while (IsIdentChar(*p)) ++p;
    return p;
  }
  if (c == '"') {
    if (Styled(style, {psCpp, psCocoR, psMarvek})) return PastDoubleQuoted(p, true);
    if (style == psPython || style == psVB) return PastDoubleQuoted(p, false);
    if (style == psPerl && (p == textStart || p[-1] != '/')) return PastDoubleQuoted(p, false);
  }
  return c ? p + 1 : p;
}

}  // namespace

TIParser::TIParser() : FHistory(10) {}

std::string TIParser::NextToken() {
  std::string token;
  if (!Position) return token;
  const char* p = Position;
  for (;;) {
    p = SkipBlanks(p);
    const char* start = p;
    p = SkipComment(p, Style);
    if (KeepComments && p != start) {
      token.assign(start, p);
      Position = p;
      Record(token, static_cast<int>(start - TextStart));
      return token;
    }
    p = SkipBlanks(p);
    if (p == start) break;
  }
  const char* start = p;
  if (Style == psHtml) {
    p = ReadHtml(p, TextStart);
    token.assign(start, p);
  } else if (*p == '\'') {
    p = ReadQuoted(p, token);
  } else {
    p = ReadToken(p, TextStart, Style);
    token.assign(start, p);
  }
  Position = p;
  Record(token, static_cast<int>(start - TextStart));
  return token;
}

int TIParser::Slot(int back) const {
  const int n = HistorySize();
  return ((FHistoryNext - back - 1) % n + n) % n;
}

// Each slot keeps where its token began, so doubled quotes that were reduced in the
// returned text still leave the range covering the token's characters in the text.
void TIParser::Record(const std::string& token, int start) {
  if (FHistory.empty()) return;
  Recorded& r = FHistory[FHistoryNext];
  r.Token = token;
  r.Start = start;
  r.LastChar = static_cast<int>(Position - TextStart) - 1;
  FHistoryNext = (FHistoryNext + 1) % HistorySize();
}

int TIParser::TokenStart(int back) const {
  return FHistory.empty() ? 0 : FHistory[Slot(back)].Start;
}

int TIParser::TokenEnd(int back) const {
  return FHistory.empty() ? 0 : FHistory[Slot(back)].LastChar + 1;
}

void TIParser::StepBack(int count) {
  if (FHistory.empty() || !TextStart) return;
  Position = TextStart + TokenEnd(count);
  FHistoryNext = Slot(count - 1);
}

void TIParser::SetHistorySize(int count) {
  if (count < 0) count = 0;
  const int n = HistorySize();
  if (count > n)
    FHistory.resize(count);
  else
    FHistory.erase(FHistory.begin(), FHistory.begin() + (n - count));
  FHistoryNext = 0;
}
