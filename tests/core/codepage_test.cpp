// Code pages: which one a UTF-8 text chooses, the way there and back, the locale each one
// gives (case, comparison, double-byte classes), and the editor on real code page text.
#include "util/CodePage.h"

#include <gtest/gtest.h>

#include "TextTestEditor.h"
#include "editor/CodePageSwitch.h"
#include "editor/EditorSearch.h"
#include "platform/CodePageLocale.h"
#include "util/RAStrUtil.h"
#include "util/TextCodec.h"

using codepage::TCodePageCodec;

namespace {

// UTF-8 text as the bytes of Page.
std::string In(TCodePage page, std::string utf8) {
  EXPECT_EQ(codepage::FromUtf8(utf8, page), 0u);
  return utf8;
}

std::string Utf8Of(TCodePage page, std::string_view bytes) {
  std::string out;
  EXPECT_EQ(codepage::AppendUtf8(out, bytes, page), 0u);
  return out;
}

}  // namespace

TEST(CodePage, EachWritingSystemChoosesItsCodePageAndComesBack) {
  struct Case {
    const char* Utf8;
    std::optional<TCodePage> Chosen;
  };
  const Case cases[] = {
      {"plain ASCII", TCodePage::cp1252},
      {"Caf\u00e9 d\u00e9j\u00e0 vu \u20ac", TCodePage::cp1252},
      {"Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105", TCodePage::cp1250},
      {"# \u041f\u0440\u0438\u0432\u0435\u0442, \u043c\u0438\u0440", TCodePage::cp1251},
      {"\u0393\u03b5\u03b9\u03ac \u03c3\u03bf\u03c5", TCodePage::cp1253},
      {"G\u00fcnayd\u0131n \u0130stanbul \u015fi\u015fe", TCodePage::cp1254},
      {"\u0101\u017euols \u0113 \u012b \u016b", TCodePage::cp1257},
      {"# \u65e5\u672c\u8a9e\u306e\u30b3\u30e1\u30f3\u30c8 \uff71", TCodePage::cp932},
      {"# \u4f60\u597d", TCodePage::cp936},
      {"\uc548\ub155\ud558\uc138\uc694", TCodePage::cp949},
      {"\u7e41\u9ad4\u4e2d\u6587\u2027\u6e2c\u8a66", TCodePage::cp950},
      // Two writing systems: Japanese holds Cyrillic too; nothing holds Polish with it.
      {"\u041f\u0440\u0438 \u65e5\u672c", TCodePage::cp932},
      {"\u041f\u0440\u0438 \u017c\u00f3\u0142\u0107", std::nullopt},
      {"emoji \U0001F600", std::nullopt},
      {"not UTF-8 \xE9", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(codepage::CodePageFor(c.Utf8), c.Chosen) << c.Utf8;
    if (!c.Chosen) continue;
    const std::string bytes = In(*c.Chosen, c.Utf8);
    EXPECT_LE(bytes.size(), std::string_view(c.Utf8).size()) << c.Utf8;
    EXPECT_EQ(Utf8Of(*c.Chosen, bytes), c.Utf8);
  }
}

TEST(CodePage, WesternIsTheTextCodecsTableAndTheOthersKeepAscii) {
  const TCodePageCodec& western = TCodePageCodec::Of(TCodePage::cp1252);
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(western.CharOfByte(byte), textcodec::CharOfByte(byte)) << b;
  }
  for (const TCodePage page : codepage::kCodePages) {
    const TCodePageCodec& codec = TCodePageCodec::Of(page);
    EXPECT_EQ(codec.DoubleByte(), codepage::IsDoubleByte(page));
    for (int b = 0; b < 0x80; ++b) {
      EXPECT_EQ(codec.CharOfByte(static_cast<unsigned char>(b)), static_cast<char32_t>(b)) << b;
      EXPECT_FALSE(codec.IsLeadByte(static_cast<unsigned char>(b)));
    }
    // Every character a code page holds has one spelling that comes back as itself.
    for (char32_t c = 0x80; c < 0x10000; ++c) {
      std::string bytes;
      if (!codec.Encode(c, bytes)) continue;
      char32_t back = 0;
      ASSERT_EQ(codec.CharAt(bytes, 0, back), bytes.size()) << static_cast<int>(page);
      ASSERT_EQ(back, c) << static_cast<int>(page) << " U+" << std::hex << static_cast<uint32_t>(c);
    }
  }
}

TEST(CodePage, BytesThatAreNoCharacterAreCountedOnTheWayToUtf8) {
  std::string out;
  // A lead byte at the end, then one before a byte that cannot follow it.
  EXPECT_EQ(codepage::AppendUtf8(out, "a\x93", TCodePage::cp932), 1u);
  EXPECT_EQ(out, "a\uFFFD");
  out.clear();
  EXPECT_EQ(codepage::AppendUtf8(out, "\x93\x0a", TCodePage::cp932), 1u);
  EXPECT_EQ(out, "\uFFFD\n");
  out.clear();
  EXPECT_EQ(codepage::AppendUtf8(out, "\x98", TCodePage::cp1251), 0u) << "a control character";
  EXPECT_EQ(codepage::AppendUtf8(out, "\xAA", TCodePage::cp1253), 1u) << "undefined";
}

TEST(CodePageLocale, CaseOfTheCodePagesLetters) {
  const Locale& cyrillic = LocaleOf(TCodePage::cp1251);
  EXPECT_EQ(cyrillic.UpperCase(In(TCodePage::cp1251, "\u043f\u0440\u0438\u0432\u0435\u0442 ok")),
            In(TCodePage::cp1251, "\u041f\u0420\u0418\u0412\u0415\u0422 OK"));
  EXPECT_TRUE(cyrillic.SameText(In(TCodePage::cp1251, "\u0401\u0436"),
                                In(TCodePage::cp1251, "\u0451\u0416")));
  const Locale& greek = LocaleOf(TCodePage::cp1253);
  EXPECT_EQ(greek.LowerCase(In(TCodePage::cp1253, "\u0393\u0395\u0399\u0386")),
            In(TCodePage::cp1253, "\u03b3\u03b5\u03b9\u03ac"));
  // Final sigma and sigma share their capital, so they compare equal.
  EXPECT_TRUE(greek.SameText(In(TCodePage::cp1253, "\u03c2"), In(TCodePage::cp1253, "\u03c3")));
  // Turkish: the dotless i and the dotted capital meet the ASCII pair; ASCII stays ASCII.
  const Locale& turkish = LocaleOf(TCodePage::cp1254);
  EXPECT_TRUE(turkish.SameText(In(TCodePage::cp1254, "\u0131\u015f\u0131k"),
                               In(TCodePage::cp1254, "I\u015eIK")));
  EXPECT_EQ(turkish.LowerCase(In(TCodePage::cp1254, "\u0130F")), "if");
  EXPECT_EQ(turkish.UpperCase("if"), "IF");
}

TEST(CodePageLocale, DoubleByteClassesAndCaseOfShiftJis) {
  const Locale& sjis = LocaleOf(TCodePage::cp932);
  ASSERT_TRUE(sjis.IsDoubleByte());
  // "a", then ソ (0x83 0x5C: its second byte is a backslash), 日 (0x93 0xFA), "b".
  const std::string s = In(TCodePage::cp932, "a\u30bd\u65e5b");
  ASSERT_EQ(s,
            "a\x83\x5C\x93\xFA"
            "b");
  const TMbcsByteType expected[] = {TMbcsByteType::mbSingleByte, TMbcsByteType::mbLeadByte,
                                    TMbcsByteType::mbTrailByte,  TMbcsByteType::mbLeadByte,
                                    TMbcsByteType::mbTrailByte,  TMbcsByteType::mbSingleByte};
  for (size_t i = 0; i < s.size(); ++i) EXPECT_EQ(sjis.ByteType(s, i), expected[i]) << i;
  // A trail byte that may also lead: 本 is 0x96 0x7B, 日 0x93 0xFA, 0xFA leads too.
  const std::string run = In(TCodePage::cp932, "\u65e5\u65e5\u672c");
  EXPECT_EQ(sjis.ByteType(run, 3), TMbcsByteType::mbTrailByte);
  EXPECT_EQ(sjis.ByteType(run, 4), TMbcsByteType::mbLeadByte);
  // Only single bytes change case; the backslash of ソ is a word character.
  EXPECT_EQ(sjis.UpperCase(s),
            "A\x83\x5C\x93\xFA"
            "B");
  EXPECT_FALSE(IsWordSeparatorAt(s, 2, sjis));
  EXPECT_EQ(WordAtPos(s, 2, sjis), s);
}

// The control on real code page text: the caret steps over double-byte characters,
// deletion takes both bytes, word moves and case-insensitive search follow the locale.
TEST(CodePageEditor, ShiftJisCaretDeletionAndWords) {
  TextHarness h;
  h.host.LocaleOverride = &LocaleOf(TCodePage::cp932);
  const std::string text = In(TCodePage::cp932, "x\u30bd\u65e5 \u672cy");
  h.SetText(text + "\r\n");
  auto& e = *h.editor;
  e.Command(cmdCaretRight);
  e.Command(cmdCaretRight);
  EXPECT_EQ(e.CaretX(), 3) << "over the two bytes of ソ";
  e.Command(cmdSelectRight);
  EXPECT_EQ(e.SelEndX(), 5);
  e.Command(cmdLineStart);
  e.Command(cmdWordRight);
  EXPECT_EQ(e.CaretX(), 6) << "the backslash byte of ソ does not end the word";
  e.Command(cmdWordLeft);
  EXPECT_EQ(e.CaretX(), 0);
  e.PlaceCaret(5, 0);
  e.Command(cmdBackspace);
  EXPECT_EQ(h.Text(), In(TCodePage::cp932, "x\u30bd \u672cy") + "\r\n");
  e.PlaceCaret(1, 0);
  e.Command(cmdDelete);
  EXPECT_EQ(h.Text(), In(TCodePage::cp932, "x \u672cy") + "\r\n");
  h.Undo().Undo();
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), text + "\r\n");
}

TEST(CodePageEditor, SearchFoldsTheCodePagesLettersAndKeepsCharactersWhole) {
  TextHarness h;
  const Locale& cyrillic = LocaleOf(TCodePage::cp1251);
  h.host.LocaleOverride = &cyrillic;
  h.SetText(
      In(TCodePage::cp1251,
         "# \u0421\u0432\u0435\u0442 \u0438 "
         "\u041f\u0420\u0418\u0412\u0415\u0422\u044b\r\n\u043f\u0440\u0438\u0432\u0435\u0442\r\n"));
  const std::string word = In(TCodePage::cp1251, "\u041f\u0440\u0438\u0432\u0435\u0442");
  editorsearch::TSearchOptions options{word};
  options.TextLocale = &cyrillic;
  EXPECT_EQ(editorsearch::FindOffset(h.editor->Lines(), options, 0), 9);
  options.WholeWord = true;
  EXPECT_EQ(editorsearch::FindOffset(h.editor->Lines(), options, 0), 18)
      << "a Cyrillic letter after it makes it part of a longer word";
  options.MatchCase = true;
  EXPECT_EQ(editorsearch::FindOffset(h.editor->Lines(), options, 0), -1);
  options = {In(TCodePage::cp1251, "\u043f\u0440\u0438\u0432\u0435\u0442\u042b")};
  EXPECT_EQ(editorsearch::Find(*h.editor, options), editorsearch::frFound);
  EXPECT_EQ(h.editor->GetSelText(),
            In(TCodePage::cp1251, "\u041f\u0420\u0418\u0412\u0415\u0422\u044b"));

  // Shift-JIS: a pattern never matches from the second byte of a character, and letters
  // that are second bytes do not fold.
  const Locale& sjis = LocaleOf(TCodePage::cp932);
  TextHarness j;
  j.host.LocaleOverride = &sjis;
  // 本 is 0x96 0x7B; ｱ (0xB1) then "{" would read the same bytes from the middle.
  j.SetText(In(TCodePage::cp932, "\u672c{ \u30bd\\ \u3041") + "\r\n");
  const auto inSjis = [&](std::string text) {
    editorsearch::TSearchOptions o{std::move(text)};
    o.TextLocale = &sjis;
    return o;
  };
  EXPECT_EQ(editorsearch::FindOffset(j.editor->Lines(), inSjis("{"), 0), 2);
  EXPECT_EQ(editorsearch::FindOffset(j.editor->Lines(), inSjis("\\"), 0), 6);
  // ア is 0x83 0x41: with Match case off its second byte, an "A", must not meet the "a"
  // of 0x83 0x61.
  j.SetText("\x83\x61 \x83\x41\r\n");
  EXPECT_EQ(editorsearch::FindOffset(j.editor->Lines(), inSjis("\x83\x41"), 0), 3);
  // The same exactly (Match case on): the byte search never stops inside a character.
  auto exact = inSjis("A");
  exact.MatchCase = true;
  EXPECT_EQ(editorsearch::FindOffset(j.editor->Lines(), exact, 0), -1);
}

// A document moves to a code page holding a new character: every character keeps its
// bytes' count, so positions and the undo history carry over, spelt anew.
TEST(CodePageEditor, SwitchingCodePagesKeepsTextPositionsAndUndo) {
  TextHarness h;
  h.host.LocaleOverride = &LocaleOf(TCodePage::cp932);
  h.SetText(In(TCodePage::cp932, "# \u65e5\u672c") + "\r\n");
  auto& e = *h.editor;
  e.PlaceCaret(6, 0);
  for (const char* typed : {"\u306e", "\u6f22"}) {
    for (const char c : In(TCodePage::cp932, typed)) e.Command(static_cast<unsigned char>(c));
  }
  e.Command(cmdBackspace);  // the last character goes to the undo history only
  ASSERT_EQ(h.Text(), In(TCodePage::cp932, "# \u65e5\u672c\u306e") + "\r\n");
  EXPECT_FALSE(codepageswitch::FirstHoldingWith(e, TCodePage::cp932, U"\U0001F600"));
  // 们 is Simplified Chinese only; GBK holds the Japanese characters in two bytes too.
  ASSERT_EQ(codepageswitch::FirstHoldingWith(e, TCodePage::cp932, U"\u4eec"), TCodePage::cp936);
  codepageswitch::Switch(e, TCodePage::cp932, TCodePage::cp936);
  h.host.LocaleOverride = &LocaleOf(TCodePage::cp936);
  EXPECT_EQ(h.Text(), In(TCodePage::cp936, "# \u65e5\u672c\u306e") + "\r\n");
  EXPECT_EQ(e.CaretX(), 8);
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), In(TCodePage::cp936, "# \u65e5\u672c\u306e\u6f22") + "\r\n");

  // A Western document with an accented letter cannot take Cyrillic, one of ASCII can.
  TextHarness w("caf\xE9\r\n");
  EXPECT_FALSE(codepageswitch::FirstHoldingWith(*w.editor, TCodePage::cp1252, U"\u042f"));
  EXPECT_EQ(codepageswitch::FirstHoldingWith(*w.editor, TCodePage::cp1252, U"\u011f"),
            TCodePage::cp1254);
  TextHarness a("cafe\r\n");
  EXPECT_EQ(codepageswitch::FirstHoldingWith(*a.editor, TCodePage::cp1252, U"\u042f"),
            TCodePage::cp1251);
}
