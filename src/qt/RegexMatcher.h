#pragma once
// Regular expressions for the control's search (editor/TextMatcher.h) through
// QRegularExpression (PCRE2). Each line the search hands over is read through the code
// page's conversion, matched, and the offsets taken back to bytes.
#include <QString>
#include <memory>

#include "editor/TextMatcher.h"

// Why a pattern does not compile: PCRE2's message and the character position (0-based)
// where it stopped.
struct TPatternError {
  int Offset = 0;
  QString Message;
};

// Compiles Pattern with Match case and Whole word (word edges as the control's word
// separators); an empty Pattern or one that does not compile gives no matcher, and Error
// (when given) then says why.
std::shared_ptr<const TTextMatcher> CompileRegex(const QString& pattern, bool matchCase,
                                                 bool wholeWord, TPatternError* error = nullptr);

// Whether Pattern names a line break (\n, or a line feed typed into it), so its matches may
// span lines.
bool PatternSpansLines(const QString& pattern);
