// Any bytes opened with any code page and saved. The first byte chooses the code page.
// As the file's own bytes (an 8-bit file, or one reopened in that code page) the text is
// the bytes themselves, so what is saved is what was read; the locale's byte classes are
// those of reading the bytes from the start. As UTF-8 that the code page holds, the text
// is converted in place and saved as UTF-8 again byte for byte. Every character read from
// the bytes has one spelling that reads back as itself, so UTF-8 written from them and
// converted back reads as the same characters.
#include "FuzzTarget.h"
#include "platform/CodePageLocale.h"
#include "util/CodePage.h"

namespace {

using codepage::TCodePageCodec;

// Byte classes found front to back, one character after another.
void CheckByteClasses(const Locale& locale, const TCodePageCodec& codec, const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const bool lead = codec.IsLeadByte(static_cast<unsigned char>(s[i]));
    FUZZ_CHECK(locale.ByteType(s, i) ==
               (lead ? TMbcsByteType::mbLeadByte : TMbcsByteType::mbSingleByte));
    if (lead && i + 1 < s.size())
      FUZZ_CHECK(locale.ByteType(s, i + 1) == TMbcsByteType::mbTrailByte);
    i += lead ? 2 : 1;
  }
}

}  // namespace

FUZZ_TARGET(codepage) {
  fuzz::Bytes in(data, size);
  const TCodePage page = codepage::kCodePages[in.Byte() % codepage::kCodePages.size()];
  const std::string file = in.Rest();
  const TCodePageCodec& codec = TCodePageCodec::Of(page);
  CheckByteClasses(LocaleOf(page), codec, file);

  // The file as UTF-8, when it is UTF-8 that this code page holds.
  const codepage::TUtf8Scan scan = codepage::ScanUtf8(file);
  bool held = scan.Valid;
  for (const char32_t c : scan.Chars) held = held && codec.Holds(c);
  if (held) {
    std::string text = file;
    FUZZ_CHECK(codepage::FromUtf8(text, page) == 0);
    std::string saved;
    FUZZ_CHECK(codepage::AppendUtf8(saved, text, page) == 0);
    FUZZ_CHECK(saved == file);
    if (!scan.Chars.empty()) {
      const std::optional<TCodePage> first = codepage::FirstHolding(scan.Chars);
      FUZZ_CHECK(first.has_value());
    }
  }

  // The file as bytes of the code page, written as UTF-8 and read back.
  std::string utf8;
  const size_t invalid = codepage::AppendUtf8(utf8, file, page);
  const codepage::TUtf8Scan written = codepage::ScanUtf8(utf8);
  FUZZ_CHECK(written.Valid);
  if (invalid > 0) return;
  for (const char32_t c : written.Chars) FUZZ_CHECK(codec.Holds(c));
  std::string back = utf8;
  FUZZ_CHECK(codepage::FromUtf8(back, page) == 0);
  std::string again;
  FUZZ_CHECK(codepage::AppendUtf8(again, back, page) == 0);
  FUZZ_CHECK(again == utf8);
}
