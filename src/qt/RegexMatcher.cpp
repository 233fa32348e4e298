#include "qt/RegexMatcher.h"

#include <QRegularExpression>
#include <algorithm>

#include "qt/Codepage1252.h"
#include "util/RAStrUtil.h"

namespace {

// The control's word separators as a character class body.
QString SeparatorClass() {
  QString body;
  for (int b = 0; b < 256; ++b) {
    if (!IsWordSeparator(static_cast<unsigned char>(b))) continue;
    body += QStringLiteral("\\x{%1}").arg(
        Codepage1252::ToChar(static_cast<unsigned char>(b)).unicode(), 0, 16);
  }
  return body;
}

// Only between word edges: no word character right before or right after. \E ends a \Q
// quote the pattern may leave open, so the edges stay outside it.
QString WholeWordPattern(const QString& pattern) {
  static const QString word = QStringLiteral("[^") + SeparatorClass() + QStringLiteral("]");
  return QStringLiteral("(?<!") + word + QStringLiteral(")(?:") + pattern +
         QStringLiteral("\\E)(?!") + word + QStringLiteral(")");
}

class TRegexMatcher final : public TTextMatcher {
 public:
  TRegexMatcher(QRegularExpression expression, bool spans)
      : FExpression(std::move(expression)), FSpans(spans) {}

  bool SpansLines() const override { return FSpans; }

  bool Find(std::string_view subject, size_t from, TTextMatch& match) const override {
    if (from > subject.size()) return false;
    // Windows-1252 gives one UTF-16 unit per byte, so character offsets are byte offsets.
    thread_local QString text;
    text.resize(static_cast<qsizetype>(subject.size()));
    QChar* out = text.data();
    for (size_t i = 0; i < subject.size(); ++i)
      out[i] = Codepage1252::ToChar(static_cast<unsigned char>(subject[i]));
    // A match of nothing is passed over: the search goes on one character further.
    for (auto at = static_cast<qsizetype>(from); at <= text.size(); ++at) {
      const QRegularExpressionMatch m =
          FExpression.match(text, at, QRegularExpression::NormalMatch,
                            QRegularExpression::DontCheckSubjectStringMatchOption);
      if (!m.hasMatch()) return false;
      if (m.capturedLength(0) == 0) {
        at = m.capturedStart(0);
        continue;
      }
      const int groups = std::min(m.lastCapturedIndex(), 9);
      for (int g = 0; g < 10; ++g) {
        TTextMatch::TGroup& group = match.Groups[static_cast<size_t>(g)];
        const qsizetype start = g <= groups ? m.capturedStart(g) : -1;
        group.Start = start < 0 ? TTextMatch::npos : static_cast<size_t>(start);
        group.Length = start < 0 ? 0 : static_cast<size_t>(m.capturedLength(g));
      }
      return true;
    }
    return false;
  }

 private:
  QRegularExpression FExpression;
  bool FSpans;
};

}  // namespace

bool PatternSpansLines(const QString& pattern) {
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == QLatin1Char('\n')) return true;
    if (pattern[i] != QLatin1Char('\\') || i + 1 == pattern.size()) continue;
    if (pattern[++i] == QLatin1Char('n')) return true;
  }
  return false;
}

std::shared_ptr<const TTextMatcher> CompileRegex(const QString& pattern, bool matchCase,
                                                 bool wholeWord, TPatternError* error) {
  auto options =
      QRegularExpression::MultilineOption | QRegularExpression::UseUnicodePropertiesOption;
  if (!matchCase) options |= QRegularExpression::CaseInsensitiveOption;
  const auto fail = [error](const QRegularExpression& e) {
    if (error) *error = {static_cast<int>(e.patternErrorOffset()), e.errorString()};
    return nullptr;
  };
  if (pattern.isEmpty()) {
    if (error) *error = {0, QStringLiteral("empty pattern")};
    return nullptr;
  }
  // The pattern is checked alone first, so that an error points into what was typed.
  QRegularExpression expression(pattern, options);
  if (!expression.isValid()) return fail(expression);
  if (wholeWord) {
    QRegularExpression bounded(WholeWordPattern(pattern), options);
    if (!bounded.isValid()) {
      if (error) *error = {0, QStringLiteral("cannot be bounded to whole words")};
      return nullptr;
    }
    expression = std::move(bounded);
  }
  expression.optimize();
  return std::make_shared<TRegexMatcher>(std::move(expression), PatternSpansLines(pattern));
}
