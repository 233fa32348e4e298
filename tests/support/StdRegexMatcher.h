#pragma once
// A matcher for the core's tests, on std::regex (ECMAScript): the contract of
// editor/TextMatcher.h for patterns of the subset both it and PCRE2 read alike (letters,
// '.', classes, groups, alternation, the quantifiers * + ?). Whole word is not offered:
// that is the host's to compile in.
#include <regex>
#include <string>

#include "editor/TextMatcher.h"

class StdRegexMatcher : public TTextMatcher {
 public:
  StdRegexMatcher(const std::string& pattern, bool matchCase)
      : FRegex(pattern,
               matchCase ? std::regex::ECMAScript : std::regex::ECMAScript | std::regex::icase),
        FSpans(pattern.find("\\n") != std::string::npos) {}

  bool SpansLines() const override { return FSpans; }

  bool Find(std::string_view subject, size_t from, TTextMatch& match) const override {
    for (size_t at = from; at <= subject.size(); ++at) {
      std::cmatch m;
      const auto flags =
          at > 0 ? std::regex_constants::match_prev_avail : std::regex_constants::match_default;
      if (!std::regex_search(subject.data() + at, subject.data() + subject.size(), m, FRegex,
                             flags))
        return false;
      const size_t start = at + static_cast<size_t>(m.position(0));
      if (m.length(0) == 0) {
        at = start;
        continue;
      }
      for (size_t g = 0; g < match.Groups.size(); ++g) {
        const bool took = g < m.size() && m[g].matched;
        match.Groups[g] = {took ? at + static_cast<size_t>(m.position(g)) : TTextMatch::npos,
                           took ? static_cast<size_t>(m.length(g)) : 0};
      }
      return true;
    }
    return false;
  }

 private:
  std::regex FRegex;
  bool FSpans;
};
