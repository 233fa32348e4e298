// The matcher-driven search: lines handed to the matcher one by one, or in windows of
// joined lines for a pattern that spans them.
#include "editor/PatternSearch.h"

#include <algorithm>
#include <vector>

#include "editor/EditorStrings.h"

namespace editorsearch {
namespace {

// Matches that spanning patterns may start are taken from this many lines per window.
constexpr int kWindowStep = 64;

// Consecutive lines joined by '\n' (none after the document's last line), as a spanning
// pattern sees them.
class TLineWindow {
 public:
  void Fill(const TEditorStrings& lines, int first, int end) {
    FFirst = first;
    FText.clear();
    FStarts.clear();
    for (int y = first; y < end; ++y) {
      FStarts.push_back(FText.size());
      FText.append(lines.View(y));
      if (y + 1 < lines.Count()) FText.push_back('\n');
    }
  }
  std::string_view Text() const { return FText; }
  size_t LineStart(int line) const { return FStarts[static_cast<size_t>(line - FFirst)]; }
  // The line and column of subject offset At; the end of a window whose last line has its
  // '\n' is the start of the line after it.
  void Place(size_t at, int& line, int& col) const {
    const auto k = static_cast<size_t>(std::upper_bound(FStarts.begin(), FStarts.end(), at) -
                                       FStarts.begin() - 1);
    line = FFirst + static_cast<int>(k);
    col = static_cast<int>(at - FStarts[k]);
    if (at == FText.size() && at > FStarts[k] && FText.back() == '\n') {
      ++line;
      col = 0;
    }
  }

 private:
  int FFirst = 0;
  std::string FText;
  std::vector<size_t> FStarts;
};

// Makes sure each search goes on behind the last, whatever a matcher returns.
size_t After(const TTextMatch& m) {
  return std::max(m.End(), m.Start() + 1);
}

void ForEachInLines(const TEditorStrings& lines, const TTextMatcher& matcher, int first, int col,
                    int last, const std::function<bool(const TLineMatch&)>& found) {
  TTextMatch m;
  for (int y = first; y < last; ++y) {
    const std::string_view line = lines.View(y);
    size_t pos = y == first ? static_cast<size_t>(col) : 0;
    while (pos <= line.size() && matcher.Find(line, pos, m)) {
      const TLineMatch match{y, static_cast<int>(m.Start()), y, static_cast<int>(m.End()), line,
                             &m};
      if (!found(match)) return;
      pos = After(m);
    }
  }
}

void ForEachInWindows(const TEditorStrings& lines, const TTextMatcher& matcher, int first, int col,
                      int last, const std::function<bool(const TLineMatch&)>& found) {
  TLineWindow window;
  TTextMatch m;
  int y = first;
  int c = col;
  while (y < last) {
    const int acceptEnd = std::min(last, y + kWindowStep);
    const int windowEnd = std::min(lines.Count(), acceptEnd + kPatternSpanLines);
    window.Fill(lines, y, windowEnd);
    const std::string_view text = window.Text();
    // Matches are taken when they start before the next window's first line.
    const size_t limit = acceptEnd < windowEnd ? window.LineStart(acceptEnd) : text.size() + 1;
    size_t pos = window.LineStart(y) + static_cast<size_t>(c);
    while (pos <= text.size() && matcher.Find(text, pos, m) && m.Start() < limit) {
      TLineMatch match{0, 0, 0, 0, text, &m};
      window.Place(m.Start(), match.Line, match.Col);
      window.Place(m.End(), match.EndLine, match.EndCol);
      if (!found(match)) return;
      pos = After(m);
    }
    if (pos > limit && pos <= text.size()) {
      window.Place(pos, y, c);
    } else {
      y = acceptEnd;
      c = 0;
    }
  }
}

std::string GroupText(const TLineMatch& match, const TTextMatch::TGroup& group) {
  std::string text;
  if (group.Start == TTextMatch::npos) return text;
  for (const char ch : match.Subject.substr(group.Start, group.Length)) {
    if (ch == '\n') text.push_back('\r');
    text.push_back(ch);
  }
  return text;
}

}  // namespace

void ForEachPatternMatch(const TEditorStrings& lines, const TTextMatcher& matcher, int first,
                         int col, int last, const std::function<bool(const TLineMatch&)>& found) {
  first = std::max(first, 0);
  last = std::min(last, lines.Count());
  if (first >= last) return;
  // A start beyond the line's text (inside its line break) goes on at the next line.
  if (col > static_cast<int>(lines.View(first).size())) {
    ++first;
    col = 0;
  }
  col = std::max(col, 0);
  if (matcher.SpansLines()) {
    ForEachInWindows(lines, matcher, first, col, last, found);
  } else {
    ForEachInLines(lines, matcher, first, col, last, found);
  }
}

bool FindPattern(const TEditorStrings& lines, const TTextMatcher& matcher, int from,
                 TPatternMatch& match) {
  if (lines.Count() == 0) return false;
  from = std::clamp(from, 0, lines.TextLength());
  const int line = lines.LineAtOffset(from);
  bool any = false;
  ForEachPatternMatch(lines, matcher, line, from - lines.LineOffset(line), lines.Count(),
                      [&](const TLineMatch& m) {
                        match.Offset = lines.LineOffset(m.Line) + m.Col;
                        match.Length = lines.LineOffset(m.EndLine) + m.EndCol - match.Offset;
                        for (size_t g = 0; g < match.Groups.size(); ++g)
                          match.Groups[g] = GroupText(m, m.Raw->Groups[g]);
                        any = true;
                        return false;
                      });
  return any;
}

std::string ExpandReplacement(std::string_view replacement, const TPatternMatch& match) {
  std::string out;
  out.reserve(replacement.size());
  for (size_t i = 0; i < replacement.size(); ++i) {
    const char c = replacement[i];
    if (c != '\\' || i + 1 == replacement.size()) {
      out.push_back(c);
      continue;
    }
    const char next = replacement[++i];
    if (next >= '0' && next <= '9') {
      out += match.Groups[static_cast<size_t>(next - '0')];
    } else if (next == 'n') {
      out += "\r\n";
    } else if (next == 't') {
      out.push_back('\t');
    } else if (next == '\\') {
      out.push_back('\\');
    } else {
      out.push_back('\\');
      out.push_back(next);
    }
  }
  return out;
}

}  // namespace editorsearch
