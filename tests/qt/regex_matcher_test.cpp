// Regular expressions through QRegularExpression: errors with their place, the options
// compiled in (checked against the plain search), code-page characters, and the user's
// Find / Replace All of a script with references.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <random>

#include "editor/EditorSearch.h"
#include "editor/MatchCounter.h"
#include "qt/Codepage1252.h"
#include "qt/RegexMatcher.h"
#include "support/EditorFixture.h"

namespace {

editorsearch::TSearchOptions Regex(const QString& pattern, bool matchCase = true,
                                   bool wholeWord = false) {
  editorsearch::TSearchOptions o{Codepage1252::FromQString(pattern, '?'), matchCase, wholeWord};
  o.RegularExpression = true;
  o.Matcher = CompileRegex(pattern, matchCase, wholeWord);
  return o;
}

int Count(const TRACustomEditor& e, const editorsearch::TSearchOptions& o) {
  TMatchCounter counter;
  counter.Start(o);
  counter.Step(e.Lines(), TMatchCounter::TClock::time_point::max());
  return counter.Total();
}

}  // namespace

TEST(RegexMatcher, InvalidPatternsSayWhereAndWhy) {
  for (const char* pattern : {"Get(Camera", "a[b", "*x", "a{2,1}"}) {
    TPatternError error;
    EXPECT_EQ(CompileRegex(QString::fromLatin1(pattern), true, false, &error), nullptr) << pattern;
    EXPECT_FALSE(error.Message.isEmpty()) << pattern;
    EXPECT_GE(error.Offset, 0) << pattern;
  }
  TPatternError error;
  ASSERT_EQ(CompileRegex(QStringLiteral("ab)c"), true, true, &error), nullptr);
  EXPECT_EQ(error.Offset, 2);  // in what was typed, not in the whole-word wrapping
  EXPECT_NE(CompileRegex(QStringLiteral("\\Qa)b"), true, true), nullptr);  // quoting stays closed
  EXPECT_TRUE(PatternSpansLines(QStringLiteral("a\\nb")));
  EXPECT_FALSE(PatternSpansLines(QStringLiteral("a\\\\nb")));  // an escaped backslash and n
  EXPECT_FALSE(PatternSpansLines(QStringLiteral("a\\sb")));
}

// An escaped literal with Match case and Whole word finds what the plain search finds,
// occurrence for occurrence (letters a..z only, where both fold case alike).
TEST(RegexMatcher, OptionsAgreeWithThePlainSearch) {
  std::mt19937 rng(26);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const std::string alphabet = "aAbB .-_";
  for (int round = 0; round < 300; ++round) {
    std::string text, sub;
    for (int i = pick(60); i > 0; --i)
      text += pick(7) == 0 ? std::string("\r\n") : std::string(1, alphabet[pick(8)]);
    for (int i = 1 + pick(3); i > 0; --i) sub += alphabet[pick(8)];
    EditorHarness<> h;
    h.SetText(text);
    const bool matchCase = pick(2) == 0, wholeWord = pick(2) == 0;
    const editorsearch::TSearchOptions plain{sub, matchCase, wholeWord};
    const auto regex =
        Regex(QRegularExpression::escape(QString::fromLatin1(sub)), matchCase, wholeWord);
    ASSERT_NE(regex.Matcher, nullptr);
    for (int from = 0; from <= static_cast<int>(text.size()); from += 1 + pick(5))
      EXPECT_EQ(editorsearch::FindOffset(h.editor->Lines(), regex, from),
                editorsearch::FindOffset(h.editor->Lines(), plain, from))
          << "'" << sub << "' in '" << text << "' from " << from;
    EXPECT_EQ(Count(*h.editor, regex), Count(*h.editor, plain)) << sub << " in " << text;
  }
}

TEST(RegexMatcher, CodePageCharactersAndLineBreaks) {
  EditorHarness<> h;
  h.SetText(
      "caf\xE9 CAF\xC9 \x80"
      "5\r\nend\r\n");
  const auto& lines = h.editor->Lines();
  EXPECT_EQ(Count(*h.editor, Regex(QStringLiteral("caf\\w\\b"), false)), 2);  // é is a letter
  int length = 0;
  EXPECT_EQ(editorsearch::FindOffset(lines, Regex(QStringLiteral("\u20AC\\d")), 0, length), 10);
  EXPECT_EQ(length, 2);
  // Without \n nothing crosses a line; with it the break counts CR LF.
  EXPECT_EQ(Count(*h.editor, Regex(QStringLiteral("5\\s+e"))), 0);
  EXPECT_EQ(editorsearch::FindOffset(lines, Regex(QStringLiteral("5\\ne")), 0, length), 11);
  EXPECT_EQ(length, 4);
  EXPECT_EQ(Count(*h.editor, Regex(QStringLiteral("^\\w+$"))), 1);  // end
}

TEST(RegexMatcher, ReplaceAllWithReferencesIsOneUndoStep) {
  EditorHarness<> h;
  const std::string text =
      "s = GetCameraStatus(3)\r\nGetLensStatus() GetStatus\r\nx = GetCameraStatus(1)\r\n";
  h.SetText(text);
  auto& e = *h.editor;
  const auto o = Regex(QStringLiteral("Get(\\w+)Status"));
  EXPECT_EQ(Count(e, o), 3);
  ASSERT_TRUE(editorsearch::Find(e, o));
  EXPECT_EQ(e.GetSelText(), "GetCameraStatus");
  EXPECT_EQ(editorsearch::Replace(e, o, "Set\\1State"), editorsearch::frFound);
  EXPECT_EQ(e.Lines()[0], "s = SetCameraState(3)");
  EXPECT_EQ(e.GetSelText(), "GetLensStatus");
  e.SetSelStart(0);
  EXPECT_EQ(editorsearch::ReplaceAll(e, o, "Set\\1State"), 2);
  EXPECT_EQ(h.Text(),
            "s = SetCameraState(3)\r\nSetLensState() GetStatus\r\nx = SetCameraState(1)\r\n");
  e.UndoBuffer()->Undo();
  EXPECT_EQ(e.Lines()[1], "GetLensStatus() GetStatus");
  EXPECT_EQ(e.Lines()[2], "x = GetCameraStatus(1)");
}
