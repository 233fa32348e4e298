#include "highlight/RAHLEditor.h"

#include <algorithm>
#include <cstring>

#include "highlight/Keywords.h"

namespace {

bool StartsLikeIdentifier(const std::string& token) {
  if (token.empty()) return false;
  const char c = token[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
  return IsDecimalDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsIntConstant(const std::string& token) {
  if (token.empty()) return false;
  size_t i = 0;
  bool (*digit)(char) = IsDecimalDigit;
  if (token[0] == '-' || token[0] == '$') {
    if (token.size() < 2) return false;
    if (token[0] == '$') digit = IsHexDigit;
    i = 1;
  }
  for (; i < token.size(); ++i)
    if (!digit(token[i])) return false;
  return true;
}

bool IsRealConstant(const std::string& token) {
  if (token.empty() || token == "." || token == "-") return false;
  int dots = 0;
  for (size_t i = token[0] == '-' ? 1 : 0; i < token.size(); ++i) {
    if (token[i] == '.') {
      if (++dots > 1) return false;
    } else if (!IsDecimalDigit(token[i])) {
      return false;
    }
  }
  return true;
}

bool IsSymbolToken(const std::string& token) {
  return token.size() == 1 && std::strchr("#%&'()*+,-./:;<=>@[\\]^{|}~", token[0]);
}

bool StartsWith(const std::string& token, const char* prefix) {
  return token.starts_with(prefix);
}

bool StartsWithAnyOf(const std::string& token, const char* chars) {
  return !token.empty() && std::strchr(chars, token[0]);
}

// The scanner style of each highlighter, in THighLighter order (hlNone keeps the current
// style and has no entry that is used).
constexpr TParserStyle kParserStyles[] = {psPascal, psPascal, psCpp,  psCpp,    psPython, psCpp,
                                          psVB,     psHtml,   psPerl, psPascal, psCocoR,  psMarvek};

constexpr const char* kGrammarMarker = "-->Grammar<--";

}  // namespace

TRAHLEditor::TRAHLEditor(EditorHost& host)
    : TRAEditor(host), FParser(std::make_unique<TIParser>()), FColors(std::make_unique<TColors>()) {
  FParser->KeepComments = true;
}

TRAHLEditor::~TRAHLEditor() {
  FParser.reset();
  FColors.reset();
}

void TRAHLEditor::SetHighLighter(THighLighter value) {
  if (value == FHighLighter) return;
  FHighLighter = value;
  if (value != hlNone) FParser->Style = kParserStyles[value];
  RescanLongTokens();
  FHost.Invalidate();
}

void TRAHLEditor::Assign(const TRAHLEditor& source) {
  FColors->Assign(source.Colors());
  SetSelForeColor(source.SelForeColor());
  SetSelBackColor(source.SelBackColor());
  SetColor(source.Color());
  SetRightMarginColor(source.RightMarginColor());
  FHost.Invalidate();
}

void TRAHLEditor::Loaded() {
  TRAEditor::Loaded();
  RescanLongTokens();
}

bool TRAHLEditor::DoReservedWord(const std::string& token, bool& reserved) {
  if (!OnReservedWord) return false;
  reserved = false;
  OnReservedWord(this, token, reserved);
  return true;
}

bool TRAHLEditor::HasReservedWordHandler() const {
  return static_cast<bool>(OnReservedWord);
}

// ---- colouring one line ----

void TRAHLEditor::GetAttr(int lineIdx, int, int) {
  const bool highlighting = FHighLighter != hlNone || HasReservedWordHandler();
  if (lineIdx >= 0 && lineIdx < Lines().Count()) {
    FLine.assign(Lines().View(lineIdx));
  } else {
    FLine.clear();
  }
  FLineIndex = lineIdx;
  if (!highlighting) {
    FillLine(FColors->PlainText);
    return;
  }
  FParser->TextStart = FParser->Position = FLine.c_str();
  FetchLineState();
  FillLine(StartLine());
  if (!ScansTokens()) return;
  if (FHighLighter == hlIni) {
    ColorIniLine();
    return;
  }
  try {
    ColorTokens();
  } catch (...) {
    // A failing reserved-word handler (or anything else in the loop) ends this line's
    // colouring; what was coloured stays.
  }
}

// The line default; a line continuing a comment or string from an earlier line skips
// the scanner past the character that closes it.
const TSymbolColor& TRAHLEditor::StartLine() {
  const char first = FLine.empty() ? 0 : FLine[0];
  const TSymbolColor* lineDefault = &FColors->PlainText;
  const THighLighter hl = FHighLighter;
  if ((hl == hlCBuilder || hl == hlJava) && first == '#' && FLineState == 0)
    lineDefault = &FColors->Preproc;
  else if ((hl == hlPython || hl == hlPerl || hl == hlMarvek) && first == '#' && FLineState == 0)
    lineDefault = &FColors->Comment;
  else if (hl == hlIni && (first == '#' || first == ';'))
    lineDefault = &FColors->Comment;
  if (FLineState == 0 || hl == hlHtml) return *lineDefault;

  const int length = static_cast<int>(FLine.size());
  const int end = LongTokenEnd();
  FParser->Position = FParser->TextStart + (end < length ? end + 1 : length);
  const bool string = (hl == hlPython || hl == hlPerl || hl == hlMarvek) && FLineState == 4;
  return string ? FColors->Strings : FColors->Comment;
}

void TRAHLEditor::FillLine(const TSymbolColor& lineDefault) {
  const int length = static_cast<int>(FLine.size());
  ColorRange(1, length, lineDefault);
  const TLineAttr tail{Font().Color, Color(), Font().Style};
  for (int c = length + 1; c <= MaxLineAttr; ++c) FLineAttrs[c] = tail;
}

// Whole-line comments and preprocessor lines are not scanned.
bool TRAHLEditor::ScansTokens() const {
  const char first = FLine.empty() ? 0 : FLine[0];
  switch (FHighLighter) {
    case hlCBuilder:
    case hlPython:
    case hlJava:
    case hlPerl:
    case hlMarvek:
      return first != '#';
    case hlIni:
      return first != '#' && first != ';';
    default:
      return true;
  }
}

void TRAHLEditor::ColorRange(int from, int to, const TSymbolColor& cls) {
  const TLineAttr attr{cls.ForeColor, cls.BackColor, cls.Style};
  for (int c = std::max(from, 1); c <= std::min(to, MaxLineAttr); ++c) FLineAttrs[c] = attr;
}

void TRAHLEditor::ColorToken(const TSymbolColor& cls) {
  ColorRange(FParser->TokenStart(0) + 1, FParser->TokenEnd(0), cls);
}

char TRAHLEditor::NextNonBlankChar() const {
  const char* p = FParser->Position;
  while (*p == '\t' || *p == '\n' || *p == '\r' || *p == ' ') ++p;
  return *p;
}

bool TRAHLEditor::IsCommentToken(const std::string& token) const {
  switch (FHighLighter) {
    case hlPascal:
      return StartsWith(token, "{") || StartsWith(token, "(*") || StartsWith(token, "//");
    case hlCBuilder:
    case hlSql:
    case hlJava:
      return StartsWith(token, "/*") || StartsWith(token, "//");
    case hlPython:
    case hlPerl:
      return StartsWith(token, "#");
    case hlVB:
      return StartsWith(token, "'");
    case hlIni:
      return StartsWithAnyOf(token, "#;");
    case hlCocoR:
      return StartsWith(token, "//") || StartsWith(token, "(*") || StartsWith(token, "/*");
    case hlMarvek:
      return StartsWith(token, "#") || StartsWith(token, "/*");
    default:
      return false;
  }
}

bool TRAHLEditor::IsStringToken(const std::string& token) const {
  switch (FHighLighter) {
    case hlPascal:
    case hlCBuilder:
    case hlSql:
    case hlPython:
    case hlJava:
    case hlPerl:
    case hlCocoR:
      return StartsWithAnyOf(token, "'\"");
    case hlVB:
    case hlMarvek:
      return StartsWith(token, "\"");
    default:
      return false;
  }
}

void TRAHLEditor::ColorTokens() {
  bool inTag = FLineState == 5;
  std::string prev, prev2;
  int index = 0;
  for (std::string token = FParser->NextToken(); !token.empty(); token = FParser->NextToken()) {
    ++index;
    bool handled = true;
    bool reserved = false;
    if (DoReservedWord(token, reserved)) {
      if (reserved)
        ColorToken(FColors->Reserved);
      else
        handled = false;
    } else {
      handled = ApplyLanguageRules(token, prev, prev2, index, inTag);
    }
    if (!handled) ApplyGeneralRules(token, prev);
    if (FHighLighter == hlHtml) ColorHtmlEntities(token);
    // Nothing after a token that reaches past the last attribute can be coloured.
    if (FParser->TokenEnd(0) > MaxLineAttr) break;
    prev2 = std::move(prev);
    prev = std::move(token);
  }
  if (FHighLighter == hlCocoR) ColorGrammarMarker();
}

bool TRAHLEditor::ApplyLanguageRules(const std::string& token, const std::string& prev,
                                     const std::string& prev2, int index, bool& inTag) {
  const TColors& c = *FColors;
  auto color = [this](const TSymbolColor& cls) {
    ColorToken(cls);
    return true;
  };
  switch (FHighLighter) {
    case hlPascal:
      return IsPascalKeyword(token) && color(c.Reserved);
    case hlCBuilder:
      return IsCppKeyword(token) && color(c.Reserved);
    case hlSql:
      return IsSqlKeyword(token) && color(c.Reserved);
    case hlPython:
      if (IsPythonKeyword(token)) return color(c.Reserved);
      if (token == "None") return color(c.Number);
      if (prev == "def" || prev == "class") return color(c.Declaration);
      return NextNonBlankChar() == '(' && StartsLikeIdentifier(token) && color(c.FunctionCall);
    case hlJava:
      if (IsJavaKeyword(token)) return color(c.Reserved);
      return prev == "function" && color(c.Declaration);
    case hlVB: {
      if (IsVBKeyword(token)) return color(c.Reserved);
      if (IsVBStatement(token)) return color(c.Statement);
      const Locale& locale = LocaleRef();
      return (locale.SameText(prev, "function") || locale.SameText(prev, "sub") ||
              locale.SameText(prev, "class")) &&
             color(c.Declaration);
    }
    case hlHtml:
      return ApplyHtmlTagRules(token, prev, prev2, inTag);
    case hlPerl:
      if (IsPerlKeyword(token)) return color(c.Reserved);
      if (IsPerlStatement(token)) return color(c.Statement);
      return StartsWithAnyOf(token, "$%&@") && color(c.FunctionCall);
    case hlCocoR: {
      if (IsCocoRKeyword(token)) return color(c.Reserved);
      if (index != 1 || FLineIndex <= FGrammarLine || !StartsLikeIdentifier(token)) return false;
      const std::string next = FParser->NextToken();
      FParser->StepBack(1);
      return next == "=" && color(c.Declaration);
    }
    case hlMarvek:
      if (IsScriptCommand(token)) return color(c.Reserved);
      return IsScriptFunction(token) && color(c.Statement);
    default:
      return false;
  }
}

bool TRAHLEditor::ApplyHtmlTagRules(const std::string& token, const std::string& prev,
                                    const std::string& prev2, bool& inTag) {
  const TColors& c = *FColors;
  if (!inTag) {
    // Text outside a tag keeps the line default.
    if (token == "<") {
      inTag = true;
      ColorToken(c.Reserved);
    }
    return true;
  }
  const TSymbolColor* cls = nullptr;
  if (token == ">") {
    inTag = false;
    cls = &c.Reserved;
  } else if (token == "/" && prev == "<") {
    cls = &c.Reserved;
  } else if (NextNonBlankChar() == '=' && StartsLikeIdentifier(token)) {
    cls = &c.Identifer;
  } else if (prev == "=") {
    cls = &c.Strings;
  } else if (IsHtmlTag(token)) {
    cls = &c.Reserved;
  } else if (prev == "<" || (prev == "/" && prev2 == "<")) {
    cls = &c.Statement;
  }
  if (cls) ColorToken(*cls);
  return cls != nullptr;
}

void TRAHLEditor::ApplyGeneralRules(const std::string& token, const std::string& prev) {
  const TColors& c = *FColors;
  const THighLighter hl = FHighLighter;
  if (IsCommentToken(token))
    ColorToken(c.Comment);
  else if (IsStringToken(token))
    ColorToken(c.Strings);
  else if (IsSymbolToken(token))
    ColorToken(c.Symbol);
  else if (IsIntConstant(token) || IsRealConstant(token))
    ColorToken(c.Number);
  else if ((hl == hlCBuilder || hl == hlPython || hl == hlJava) && prev == "0" &&
           StartsWithAnyOf(token, "xX"))
    ColorToken(c.Number);
  else
    ColorToken(hl == hlHtml ? c.PlainText : c.Identifer);
}

void TRAHLEditor::ColorHtmlEntities(const std::string& token) {
  const int base = FParser->TokenStart(0) + 1;  // position of the token's first character
  for (size_t amp = token.find('&'); amp != std::string::npos; amp = token.find('&', amp)) {
    const size_t semi = token.find(';', amp + 1);
    if (semi == std::string::npos) return;
    if (semi > amp + 1 && IsHtmlEntity(token.substr(amp + 1, semi - amp - 1)))
      ColorRange(base + static_cast<int>(amp), base + static_cast<int>(semi), FColors->Preproc);
    amp = semi + 1;
  }
}

void TRAHLEditor::ColorGrammarMarker() {
  const size_t at = FLine.find(kGrammarMarker);
  if (at == std::string::npos) return;
  const int p = static_cast<int>(at) + 1;
  ColorRange(p, p + static_cast<int>(std::strlen(kGrammarMarker)) - 1, FColors->Preproc);
}

void TRAHLEditor::ColorIniLine() {
  const int length = static_cast<int>(FLine.size());
  if (length > 0 && FLine.front() == '[' && FLine.back() == ']') {
    ColorRange(1, length, FColors->Declaration);
    return;
  }
  const size_t eq = FLine.find('=');
  if (eq == std::string::npos) return;
  const int p = static_cast<int>(eq) + 1;
  ColorRange(1, p - 1, FColors->Identifer);
  ColorRange(p, p, FColors->Symbol);
  ColorRange(p + 1, length, FColors->Strings);
}
