#pragma once
// The locale of one code page, made from its converter tables and the C library's case
// mapping of wide characters: a byte's upper or lower case is the byte of the character's
// upper or lower case, when the code page holds that as a single byte too. ASCII letters
// keep their own case pairs, so the script language's words fold as everywhere.
#include <array>

#include "platform/Locale.h"
#include "util/CodePage.h"

class CodePageLocale : public Locale {
 public:
  explicit CodePageLocale(TCodePage page);

  TCodePage Page() const { return FPage; }
  unsigned char Upper(unsigned char c) const override { return FUpper[c]; }
  unsigned char Lower(unsigned char c) const override { return FLower[c]; }
  // A byte right after a run of bytes that may lead is a trail byte when the run is odd:
  // the byte before the run, any other, ends a character.
  TMbcsByteType ByteType(std::string_view s, size_t index) const override;
  bool IsDoubleByte() const override { return FCodec.DoubleByte(); }

 private:
  TCodePage FPage;
  const codepage::TCodePageCodec& FCodec;
  std::array<unsigned char, 256> FUpper{};
  std::array<unsigned char, 256> FLower{};
};

// The locale of each code page, made once and shared by every editor of that code page.
const Locale& LocaleOf(TCodePage page);
