#include "highlight/ScriptLine.h"

#include <cstring>

#include "highlight/Keywords.h"

namespace {

bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsIdentChar(char c) {
  return IsIdentStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Blanks between tokens; a tab is one too, although files' tabs are expanded on reading.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Position of the first C in Text at or after From, or npos.
size_t Find(std::string_view text, size_t from, char c) {
  if (from >= text.size()) return std::string_view::npos;
  const void* q = std::memchr(text.data() + from, c, text.size() - from);
  return q ? static_cast<size_t>(static_cast<const char*>(q) - text.data())
           : std::string_view::npos;
}

// Just past the "*/" that ends a block comment, searching its "/" from From (so the "*"
// of the opening "/*" never closes it); npos when it does not end on the line.
size_t CommentEnd(std::string_view text, size_t from) {
  for (size_t q = Find(text, from, '/'); q != std::string_view::npos; q = Find(text, q + 1, '/'))
    if (q > 0 && text[q - 1] == '*') return q + 1;
  return std::string_view::npos;
}

// Just past the closing quote of the double-quoted string opening at P: the first quote
// not right after a backslash. Npos when the string does not close.
size_t StringEnd(std::string_view text, size_t p) {
  for (size_t q = Find(text, p + 1, '"'); q != std::string_view::npos; q = Find(text, q + 1, '"'))
    if (text[q - 1] != '\\') return q + 1;
  return std::string_view::npos;
}

// Just past single-quoted text opening at P, a doubled quote standing inside it; the end
// of the line when it does not close.
size_t QuotedEnd(std::string_view text, size_t p) {
  for (size_t q = Find(text, p + 1, '\''); q != std::string_view::npos;
       q = Find(text, q + 2, '\'')) {
    if (q + 1 >= text.size() || text[q + 1] != '\'') return q + 1;
  }
  return text.size();
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

// Whether Word could be a command word in some case: the words' lengths and first letters
// rule out almost every name before any list is searched.
bool MayBeCommand(std::string_view word) {
  if (word.size() < 2 || word.size() > 10) return false;
  switch (word[0] | 0x20) {
    case 'm':
    case 'l':
    case 'n':
    case 'd':
    case 'g':
    case 'e':
    case 'i':
      return true;
    default:
      return false;
  }
}

bool IsCommand(std::string_view word) {
  return MayBeCommand(word) && IsScriptCommand(word);
}

// Whether Word is a command word written in another case.
bool IsMiscasedCommand(std::string_view word) {
  if (!MayBeCommand(word) || IsScriptCommand(word)) return false;
  for (const std::string_view command : ScriptCommandWords())
    if (EqualIgnoringAsciiCase(word, command)) return true;
  return false;
}

enum class TTokenKind : uint8_t { Ident, String, Number, Symbol, Other };

struct TToken {
  TTokenKind Kind = TTokenKind::Other;
  size_t Begin = 0;
  size_t End = 0;
};

// Reads one line token by token and recognises the statement forms on its first tokens.
class LineReader {
 public:
  LineReader(std::string_view text, uint8_t start, std::vector<TScriptLineFact>& facts)
      : FText(text), FState(start), FInMenu((start & kScriptInMenu) != 0), FFacts(facts) {}

  uint8_t Read() {
    size_t p = 0;
    if (FState & kScriptInComment) {
      p = CommentEnd(FText, 1);
      if (p == std::string_view::npos) return FState;
      FState &= static_cast<uint8_t>(~kScriptInComment);
    }
    while (p != std::string_view::npos && !Decided()) p = Next(p);
    if (p != std::string_view::npos) Skim(p);
    Finish();
    return FState;
  }

 private:
  // Reads the token at or after P; npos at the end of the line.
  size_t Next(size_t p) {
    const size_t n = FText.size();
    while (p < n && IsBlank(FText[p])) ++p;
    if (p >= n) return std::string_view::npos;
    const char c = FText[p];
    if (c == '#') return std::string_view::npos;
    if (c == '/' && p + 1 < n && FText[p + 1] == '*') {
      const size_t end = CommentEnd(FText, p + 3);
      if (end != std::string_view::npos) return end;
      Add(TScriptFact::CommentOpening, p, 2, {});
      FState |= kScriptInComment;
      return std::string_view::npos;
    }
    TToken token{TTokenKind::Other, p, p + 1};
    if (c == '"') {
      token.Kind = TTokenKind::String;
      token.End = StringEnd(FText, p);
      if (token.End == std::string_view::npos) {
        Add(TScriptFact::UnterminatedString, p, n - p, {});
        token.End = n;
      }
    } else if (c == '\'') {
      token.End = QuotedEnd(FText, p);
    } else if (IsIdentStart(c)) {
      token.Kind = TTokenKind::Ident;
      while (token.End < n && IsIdentChar(FText[token.End])) ++token.End;
    } else if (IsDigit(c)) {
      token.Kind = TTokenKind::Number;
      while (token.End < n && (IsDigit(FText[token.End]) || FText[token.End] == '.')) ++token.End;
    } else {
      token.Kind = TTokenKind::Symbol;
    }
    Take(token);
    if (token.Kind == TTokenKind::Ident) CheckCall(token);
    return token.End;
  }

  // Once the first three tokens are read, only the calls of the rest of the statement
  // matter, unless it is an "if" whose goto is still to come.
  bool Decided() const { return FCount >= 3 && !FIfStatement; }

  // The rest of the line, looking only at what can open a string or comment and at "(".
  void Skim(size_t p) {
    const size_t from = p;
    const size_t n = FText.size();
    for (; p < n; ++p) {
      const char c = FText[p];
      if (c == '#') return;
      if (c == '(') {
        CallBefore(from, p);
      } else if (c == '"') {
        const size_t end = StringEnd(FText, p);
        if (end == std::string_view::npos) {
          Add(TScriptFact::UnterminatedString, p, n - p, {});
          return;
        }
        p = end - 1;
      } else if (c == '\'') {
        p = QuotedEnd(FText, p) - 1;
      } else if (c == '/' && p + 1 < n && FText[p + 1] == '*') {
        const size_t end = CommentEnd(FText, p + 3);
        if (end == std::string_view::npos) {
          Add(TScriptFact::CommentOpening, p, 2, {});
          FState |= kScriptInComment;
          return;
        }
        p = end - 1;
      }
    }
  }

  // The call of the name that ends, blanks aside, right before the "(" at Paren; the
  // name is looked for no further back than From. A run of letters and digits starting
  // with digits is a number followed by the name.
  void CallBefore(size_t from, size_t paren) {
    size_t end = paren;
    while (end > from && IsBlank(FText[end - 1])) --end;
    size_t begin = end;
    while (begin > from && IsIdentChar(FText[begin - 1])) --begin;
    while (begin < end && IsDigit(FText[begin])) ++begin;
    if (begin == end) return;
    const std::string_view name = FText.substr(begin, end - begin);
    if (!IsCommand(name)) Add(TScriptFact::Call, begin, name.size(), name);
  }

  std::string_view Text(const TToken& t) const { return FText.substr(t.Begin, t.End - t.Begin); }
  bool IsSymbol(const TToken& t, char c) const {
    return t.Kind == TTokenKind::Symbol && FText[t.Begin] == c;
  }
  bool IsWord(const TToken& t, std::string_view word) const {
    return t.Kind == TTokenKind::Ident && Text(t) == word;
  }

  void Add(TScriptFact kind, size_t column, size_t length, std::string_view name) {
    FFacts.push_back({kind, static_cast<int>(column), static_cast<int>(length), name});
  }
  void AddName(TScriptFact kind, const TToken& t) { Add(kind, t.Begin, t.End - t.Begin, Text(t)); }

  // The statement forms, decided as their tokens arrive.
  void Take(const TToken& t) {
    if (FExpectTarget) {
      FExpectTarget = false;
      if (t.Kind == TTokenKind::Ident) AddName(TScriptFact::Goto, t);
    }
    if (FCount == 0 || FIfStatement) FExpectTarget = IsWord(t, "goto");
    if (FCount < 3) FHead[FCount] = t;
    ++FCount;
    if (FCount == 1) {
      FIfStatement = IsWord(t, "if");
      if (IsWord(t, "menu")) FState |= kScriptInMenu;
      if (IsWord(t, "end")) FState &= static_cast<uint8_t>(~kScriptInMenu);
    } else if (FCount == 2) {
      TakeSecond();
    } else if (FCount == 3) {
      TakeThird();
    }
  }

  void TakeSecond() {
    const TToken& first = FHead[0];
    const TToken& second = FHead[1];
    if (first.Kind != TTokenKind::Ident) return;
    if (second.Kind == TTokenKind::Ident) {
      if (IsWord(first, "label")) AddName(TScriptFact::Label, second);
      if (IsWord(first, "declare")) AddName(TScriptFact::Declaration, second);
    }
    if (IsSymbol(second, '=') && !IsCommand(Text(first))) {
      FPendingAssignment = true;
    } else if (IsMiscasedCommand(Text(first))) {
      AddName(TScriptFact::MiscasedCommand, first);
    }
  }

  void TakeThird() {
    if (FPendingAssignment) {
      FPendingAssignment = false;
      // "x == 1" compares.
      if (!IsSymbol(FHead[2], '=')) AddName(TScriptFact::Assignment, FHead[0]);
    }
    if (FInMenu && IsWord(FHead[0], "label") && FHead[1].Kind == TTokenKind::String &&
        FHead[2].Kind == TTokenKind::Ident) {
      AddName(TScriptFact::MenuEntry, FHead[2]);
    }
  }

  // A statement of one word, or "x =" with nothing behind.
  void Finish() {
    if (FCount == 1 && FHead[0].Kind == TTokenKind::Ident && IsMiscasedCommand(Text(FHead[0])))
      AddName(TScriptFact::MiscasedCommand, FHead[0]);
    if (FPendingAssignment) AddName(TScriptFact::Assignment, FHead[0]);
  }

  // A name followed by "(" (blanks between) is a call, unless it is a command.
  void CheckCall(const TToken& t) {
    size_t q = t.End;
    while (q < FText.size() && IsBlank(FText[q])) ++q;
    if (q >= FText.size() || FText[q] != '(') return;
    const std::string_view name = Text(t);
    if (!IsCommand(name)) Add(TScriptFact::Call, t.Begin, name.size(), name);
  }

  std::string_view FText;
  uint8_t FState;
  bool FInMenu;
  std::vector<TScriptLineFact>& FFacts;
  TToken FHead[3];
  int FCount = 0;
  bool FIfStatement = false;
  bool FExpectTarget = false;
  bool FPendingAssignment = false;
};

}  // namespace

uint8_t ReadScriptLine(std::string_view text, uint8_t start, std::vector<TScriptLineFact>& facts) {
  return LineReader(text, start, facts).Read();
}
