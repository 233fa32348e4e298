#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/DbcsLocale.h"
#include "util/Errors.h"
#include "util/RAStrUtil.h"
#include "util/xProcs.h"

using namespace std::string_literals;

TEST(StrUtil, SeparatorsBlanksAndOccurrences) {
  const std::string separators = "\0\n\r \"#%'()*+,-./:;<=>[\\]{}"s;
  for (int c = 0; c < 256; ++c)
    EXPECT_EQ(IsWordSeparator(static_cast<unsigned char>(c)),
              separators.find(static_cast<char>(c)) != std::string::npos)
        << c;
  EXPECT_EQ(Blanks(3), "   ");
  EXPECT_EQ(Blanks(0), "");
  EXPECT_EQ(Blanks(-3), "");
  EXPECT_TRUE(CharOccurs('\0', "a\0b"s));
  EXPECT_TRUE(AnyCharOccurs("xyc", "abc"));
  EXPECT_FALSE(AnyCharOccurs("", "abc"));
}

TEST(StrUtil, CaseUsesTheLocaleAndStopsAtZeroBytes) {
  EXPECT_TRUE(EqualIgnoringCase("Begin", "bEGIN"));
  EXPECT_FALSE(EqualIgnoringCase("ab", "abc"));
  EXPECT_TRUE(EqualIgnoringCase("abc\0xyz"s, "ABC"));
  EXPECT_TRUE(EqualIgnoringCase("\xE9t\xE9\x9A", "\xC9T\xC9\x8A"));
  EXPECT_FALSE(EqualIgnoringCase("\xF7", "\xD7"));  // division and multiplication signs
  EXPECT_EQ(InvertCase("aB1"), "Ab1");
  EXPECT_EQ(InvertCase("\xE9\xC9\xFF\x9F"), "\xC9\xE9\x9F\xFF");
  // A double-byte character whose trail byte is the letter 'a' stays as it is.
  EXPECT_EQ(InvertCase("x\x82\x61Y", DbcsLocale()), "X\x82\x61y");
}

TEST(StrUtil, WordAtPos) {
  EXPECT_EQ(WordAtPos("abc def", 2), "abc");
  EXPECT_EQ(WordAtPos("abc def", 4), " ");
  EXPECT_EQ(WordAtPos("abc def", 7), "def");
  EXPECT_EQ(WordAtPos("abc def", 0), "");
  EXPECT_EQ(WordAtPos("abc def", 8), "");
  // 0x83 0x5C is one double-byte character whose trail byte looks like a backslash.
  const std::string s = "a\x83\x5C\x62 c";
  EXPECT_EQ(WordAtPos(s, 4, DbcsLocale()), "a\x83\x5C\x62");
  EXPECT_EQ(WordAtPos(s, 1), "a\x83");
}

TEST(StrUtil, WordBoundsAtPos) {
  int beg = 0, end = 0;
  EXPECT_EQ(WordBoundsAtPos("abc def", 4, beg, end), "abc");
  EXPECT_EQ(std::make_pair(beg, end), std::make_pair(1, 4));
  EXPECT_EQ(WordBoundsAtPos("abc def", 5, beg, end), "def");
  EXPECT_EQ(std::make_pair(beg, end), std::make_pair(5, 8));
  EXPECT_EQ(WordBoundsAtPos("a  b", 3, beg, end), " ");
  EXPECT_EQ(std::make_pair(beg, end), std::make_pair(4, 3));
  EXPECT_EQ(WordBoundsAtPos("ab.", 3, beg, end), "ab");
  beg = end = 42;
  EXPECT_EQ(WordBoundsAtPos("abc", 4, beg, end), "");
  EXPECT_EQ(std::make_pair(beg, end), std::make_pair(42, 42));
  EXPECT_EQ(WordBoundsAtPos("\x83\x5C x", 3, beg, end, DbcsLocale()), "\x83\x5C");
  EXPECT_EQ(std::make_pair(beg, end), std::make_pair(1, 3));
}

TEST(StrUtil, FieldAt) {
  EXPECT_EQ(FieldAt("3 5", 0, " "), "3");
  EXPECT_EQ(FieldAt("3 5", 1, " "), "5");
  EXPECT_EQ(FieldAt("3 5", 2, " "), "");
  EXPECT_EQ(FieldAt("a==b", 1, "="), "");
  EXPECT_EQ(FieldAt("a==b", 2, "="), "b");
  EXPECT_EQ(FieldAt("=a", 0, "="), "");
  EXPECT_EQ(FieldAt("a=", 1, "="), "");
  EXPECT_EQ(FieldAt("", 0, " "), "");
  EXPECT_EQ(FieldAt("abc", -1, " "), "");
  EXPECT_EQ(FieldAt("one::two::three", 2, "::"), "three");
  EXPECT_EQ(FieldAt("xaAy", 1, "a"), "");  // the empty-field test ignores case
  EXPECT_EQ(FieldAt("abc", 1, ""), "");
}

TEST(StrUtil, OffsetToColLineAndReplaceAll) {
  int col = 0, line = 0;
  OffsetToColLine("ab\r\ncd", 5, col, line);
  EXPECT_EQ(std::make_pair(col, line), std::make_pair(1, 1));
  OffsetToColLine("ab\r\ncd", 0, col, line);
  EXPECT_EQ(std::make_pair(col, line), std::make_pair(0, 0));
  OffsetToColLine("ab\r\ncd", 7, col, line);
  EXPECT_EQ(std::make_pair(col, line), std::make_pair(-1, -1));

  EXPECT_EQ(ReplaceAll("aXbX", "X", "XX"), "aXXbXX");
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "b"), "bb");
  EXPECT_EQ(ReplaceAll("abcabc", "abc", ""), "");
  EXPECT_EQ(ReplaceAll("abc", "", "y"), "abc");  // nothing to find, no endless loop
}

TEST(StrUtil, StrToIntAcceptsOnlyDecimalIntegersInRange) {
  EXPECT_EQ(StrToInt("-17"), -17);
  EXPECT_EQ(StrToInt("+8"), 8);
  EXPECT_EQ(StrToInt("2147483647"), INT_MAX);
  EXPECT_EQ(StrToInt("-2147483648"), INT_MIN);
  for (const char* bad : {"", " 5", "5 ", "+", "+-5", "5x", "0x10", "2147483648", "-2147483649"})
    EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
  try {
    StrToInt("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
}

TEST(AppHelpers, PosFromTrimControlAndStrToIntTrim) {
  EXPECT_EQ(PosFrom("ab", "xxabyab", 3), 3);
  EXPECT_EQ(PosFrom("ab", "xxabyab", 4), 6);
  EXPECT_EQ(PosFrom("ab", "xxabyab", 8), 0);
  EXPECT_EQ(PosFrom("ab", "xxabyab", -5), 3);
  EXPECT_EQ(PosFrom("", "abc", 1), 0);
  EXPECT_EQ(PosFrom("AB", "xxabyab", 1), 0);

  EXPECT_EQ(TrimControl("\x01\r\n x y\t\0"s), "x y");
  EXPECT_EQ(TrimControl(" \t\r\n "), "");
  EXPECT_EQ(TrimControl("\xA0x\xA0"), "\xA0x\xA0");

  EXPECT_EQ(StrToIntTrim("\t-3\r\n"), -3);
  EXPECT_EQ(StrToIntTrim("   "), 0);
  EXPECT_EQ(StrToIntTrim("1 2"), 0);
  EXPECT_EQ(StrToIntTrim("99999999999"), 0);
}
