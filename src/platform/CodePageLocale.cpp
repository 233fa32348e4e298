#include "platform/CodePageLocale.h"

#include <locale.h>
#include <wctype.h>

namespace {

// Case mapping without the program's own locale setting: the C library's Unicode rules.
locale_t UnicodeCase() {
  static const locale_t locale = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return l ? l : newlocale(LC_CTYPE_MASK, "en_US.UTF-8", nullptr);
  }();
  return locale;
}

template <TCodePage P>
const Locale& LocaleFor() {
  static const CodePageLocale locale(P);
  return locale;
}

}  // namespace

CodePageLocale::CodePageLocale(TCodePage page)
    : FPage(page), FCodec(codepage::TCodePageCodec::Of(page)) {
  const locale_t unicode = UnicodeCase();
  for (unsigned b = 0; b < 256; ++b) {
    FUpper[b] = FLower[b] = static_cast<unsigned char>(b);
    if (b >= 'a' && b <= 'z') FUpper[b] = static_cast<unsigned char>(b - 32);
    if (b >= 'A' && b <= 'Z') FLower[b] = static_cast<unsigned char>(b + 32);
    const char32_t c = FCodec.CharOfByte(static_cast<unsigned char>(b));
    if (b < 0x80 || c == 0 || !unicode) continue;
    // Only a case partner that is a single byte of the code page too. Turkish dotless i
    // and dotted capital I have ASCII partners (I and i), so all four fold together.
    const auto partner = [&](wint_t mapped) {
      char bytes[2];
      const bool single = FCodec.EncodeTo(static_cast<char32_t>(mapped), bytes) == 1;
      return static_cast<unsigned char>(single ? bytes[0] : static_cast<char>(b));
    };
    FUpper[b] = partner(towupper_l(static_cast<wint_t>(c), unicode));
    FLower[b] = partner(towlower_l(static_cast<wint_t>(c), unicode));
  }
}

TMbcsByteType CodePageLocale::ByteType(std::string_view s, size_t index) const {
  if (!FCodec.DoubleByte() || index >= s.size()) return TMbcsByteType::mbSingleByte;
  size_t run = 0;
  while (run < index && FCodec.IsLeadByte(static_cast<unsigned char>(s[index - run - 1]))) ++run;
  if (run % 2 == 1) return TMbcsByteType::mbTrailByte;
  return FCodec.IsLeadByte(static_cast<unsigned char>(s[index])) ? TMbcsByteType::mbLeadByte
                                                                 : TMbcsByteType::mbSingleByte;
}

const Locale& LocaleOf(TCodePage page) {
  switch (page) {
    case TCodePage::cp1250:
      return LocaleFor<TCodePage::cp1250>();
    case TCodePage::cp1251:
      return LocaleFor<TCodePage::cp1251>();
    case TCodePage::cp1253:
      return LocaleFor<TCodePage::cp1253>();
    case TCodePage::cp1254:
      return LocaleFor<TCodePage::cp1254>();
    case TCodePage::cp1257:
      return LocaleFor<TCodePage::cp1257>();
    case TCodePage::cp932:
      return LocaleFor<TCodePage::cp932>();
    case TCodePage::cp936:
      return LocaleFor<TCodePage::cp936>();
    case TCodePage::cp949:
      return LocaleFor<TCodePage::cp949>();
    case TCodePage::cp950:
      return LocaleFor<TCodePage::cp950>();
    case TCodePage::cp1252:
      break;
  }
  return DefaultLocale();
}
