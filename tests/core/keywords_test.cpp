#include "highlight/Keywords.h"

#include <gtest/gtest.h>

TEST(Keywords, ListSizes) {
  const int expected[] = {64, 94, 264, 28, 50, 96, 89, 96, 258, 14, 17, 79, 9, 68};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(KeywordListSize(i), expected[i]) << "list " << i;
  EXPECT_EQ(KeywordListSize(-1), 0);
  EXPECT_EQ(KeywordListSize(14), 0);
}

TEST(Keywords, CaseIgnoredThroughLocaleLowerCasing) {
  EXPECT_TRUE(IsPascalKeyword("Begin"));
  EXPECT_TRUE(IsPascalKeyword("BEGIN"));
  EXPECT_TRUE(IsPascalKeyword("begin"));
  EXPECT_TRUE(IsSqlKeyword("SELECT"));
  EXPECT_TRUE(IsSqlKeyword("commit_group_wait"));
  EXPECT_TRUE(IsSqlKeyword("DB_KEY"));
  EXPECT_TRUE(IsHtmlTag("TABLE"));
  EXPECT_TRUE(IsHtmlTag("h1"));
  EXPECT_TRUE(IsCocoRKeyword("PRODUCTIONS"));
  EXPECT_TRUE(IsCocoRKeyword("Case"));
  EXPECT_TRUE(IsCocoRKeyword("inherited"));
  EXPECT_FALSE(IsPascalKeyword("productions"));
  // Locale lower-casing maps Latin-1 capitals too, so they never reach a list word.
  EXPECT_FALSE(IsPascalKeyword("B\xC9GIN"));
}

TEST(Keywords, CaseIgnoredForAsciiLettersOnlyInVB) {
  EXPECT_TRUE(IsVBKeyword("Dim"));
  EXPECT_TRUE(IsVBKeyword("WITHEVENTS"));
  EXPECT_TRUE(IsVBStatement("write"));
  EXPECT_TRUE(IsVBStatement("Write"));
  EXPECT_TRUE(IsVBStatement("DoEvents"));
  EXPECT_FALSE(IsVBKeyword("dimension"));
}

TEST(Keywords, ExactCaseLists) {
  EXPECT_TRUE(IsCppKeyword("while"));
  EXPECT_FALSE(IsCppKeyword("While"));
  EXPECT_TRUE(IsCppKeyword("__int64"));
  EXPECT_TRUE(IsPythonKeyword("def"));
  EXPECT_FALSE(IsPythonKeyword("None"));
  EXPECT_TRUE(IsJavaKeyword("synchronized"));
  EXPECT_FALSE(IsJavaKeyword("String"));
  EXPECT_TRUE(IsPerlKeyword("elsif"));
  EXPECT_FALSE(IsPerlKeyword("Elsif"));
  EXPECT_TRUE(IsPerlStatement("unlink"));
  EXPECT_FALSE(IsPerlStatement("Print"));
}

TEST(Keywords, ScriptLanguageWordsAreExact) {
  EXPECT_TRUE(IsScriptCommand("goto"));
  EXPECT_TRUE(IsScriptCommand("exitscript"));
  EXPECT_FALSE(IsScriptCommand("Goto"));
  EXPECT_FALSE(IsScriptCommand("GOTO"));
  EXPECT_FALSE(IsScriptCommand("ExitScript"));
  EXPECT_TRUE(IsScriptFunction("Wait"));
  EXPECT_TRUE(IsScriptFunction("GetCameraStatus"));
  EXPECT_TRUE(IsScriptFunction("UnMarkAllImages"));
  EXPECT_FALSE(IsScriptFunction("wait"));
  EXPECT_FALSE(IsScriptFunction("getcamerastatus"));
}

TEST(Keywords, HtmlEntitiesReachCapitalisedFormsThroughLowerCase) {
  EXPECT_TRUE(IsHtmlEntity("amp"));
  EXPECT_TRUE(IsHtmlEntity("AMP"));
  EXPECT_TRUE(IsHtmlEntity("Amp"));
  EXPECT_TRUE(IsHtmlEntity("AElig"));
  EXPECT_TRUE(IsHtmlEntity("there4"));
  EXPECT_TRUE(IsHtmlEntity("zwnj"));
  EXPECT_FALSE(IsHtmlEntity("ampx"));
  EXPECT_FALSE(IsHtmlEntity("&amp;"));
}

TEST(Keywords, WholeWordsOnly) {
  EXPECT_FALSE(IsVBKeyword("base "));
  EXPECT_FALSE(IsVBKeyword("bas"));
  EXPECT_FALSE(IsSqlKeyword("as;"));
  EXPECT_FALSE(IsPascalKeyword(""));
  EXPECT_FALSE(IsScriptCommand(""));
  EXPECT_FALSE(IsPascalKeyword("{begin}"));
  EXPECT_FALSE(IsCppKeyword("\"int\""));
}
