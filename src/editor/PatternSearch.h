#pragma once
// The document searched with a host's matcher (a regular expression, TextMatcher.h): line
// by line for a pattern that stays within a line, in windows of consecutive lines joined
// by '\n' for one that spans lines. Finding, counting and marking matches all walk the
// document through ForEachPatternMatch, so they agree on every match.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "editor/TextMatcher.h"

class TEditorStrings;

namespace editorsearch {

// A match that spans lines reaches at most this many lines below the line it starts on.
constexpr int kPatternSpanLines = 64;

// One match as it lies in the document: from column Col of line Line up to (not
// including) column EndCol of line EndLine; EndCol 0 of the next line when it ends with a
// line break. Subject and Raw are the matcher's view of it, valid during the callback.
struct TLineMatch {
  int Line = 0;
  int Col = 0;
  int EndLine = 0;
  int EndCol = 0;
  std::string_view Subject;
  const TTextMatch* Raw = nullptr;
};

// Calls Found for each match that starts in lines [First, Last), at or after column Col of
// line First, in order and without overlap (each search goes on behind the last match,
// as Find Next does), until Found returns false.
void ForEachPatternMatch(const TEditorStrings& lines, const TTextMatcher& matcher, int first,
                         int col, int last, const std::function<bool(const TLineMatch&)>& found);

// A match in whole-text terms (each line break counting CR LF) with the text of its groups
// 0..9, line breaks as CR LF, empty for a group that took no part.
struct TPatternMatch {
  int Offset = -1;
  int Length = 0;
  std::array<std::string, 10> Groups;
};

// The first match that starts at or after whole-text offset From.
bool FindPattern(const TEditorStrings& lines, const TTextMatcher& matcher, int from,
                 TPatternMatch& match);

// The replacement text for Match: \0..\9 give its groups, \n a line break (CR LF), \t a
// tab and \\ one backslash; any other backslash stays as it is.
std::string ExpandReplacement(std::string_view replacement, const TPatternMatch& match);

}  // namespace editorsearch
