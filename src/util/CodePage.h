#pragma once
// The code pages a document may be kept in, and the conversion between their bytes and
// UTF-8. Each code page's tables are made once, from the C library's converter (iconv),
// the first time the code page is asked for; after that they are only read, from any
// thread. Western (Windows-1252) takes its characters from the text codec, as always.
//
// Conversion runs once per load and save: a UTF-8 text is first scanned for the
// characters it holds beyond ASCII, the first code page holding all of them is chosen,
// and the text is then turned into that code page's bytes in place. Every character a
// code page holds has one spelling in its bytes and comes back from them as itself, so
// text converted here and written as UTF-8 again gives back the very bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

enum class TCodePage : uint16_t {
  cp1252 = 1252,
  cp1250 = 1250,
  cp1251 = 1251,
  cp1253 = 1253,
  cp1254 = 1254,
  cp1257 = 1257,
  cp932 = 932,
  cp936 = 936,
  cp949 = 949,
  cp950 = 950,
};

namespace codepage {

// Every code page, in the order a UTF-8 text tries them: Western first, so that what
// opened before opens as before.
inline constexpr std::array<TCodePage, 10> kCodePages = {
    TCodePage::cp1252, TCodePage::cp1250, TCodePage::cp1251, TCodePage::cp1253, TCodePage::cp1254,
    TCodePage::cp1257, TCodePage::cp932,  TCodePage::cp936,  TCodePage::cp949,  TCodePage::cp950,
};

bool IsDoubleByte(TCodePage page);
// The code page's usual name: "Windows-1251", "Shift-JIS", "GBK", "UHC", "Big5".
std::string_view Name(TCodePage page);
// What it is for: "Cyrillic", "Japanese", "Traditional Chinese" ...
std::string_view WritingSystem(TCodePage page);
// The code page of a number (1251, 932 ...), none for a number not in the list.
std::optional<TCodePage> FromNumber(int number);

// One code page's characters: which bytes lead a two-byte character, the character of
// every byte and byte pair, and the bytes of every character it holds.
class TCodePageCodec {
 public:
  static const TCodePageCodec& Of(TCodePage page);

  TCodePage Page() const { return FPage; }
  bool DoubleByte() const { return FDoubleByte; }
  // Whether B, where a character starts, is the first of two bytes.
  bool IsLeadByte(unsigned char b) const { return FLead[b]; }
  // The character of the byte B standing alone; 0 for a lead byte and for a byte the
  // code page leaves undefined (apart from 0x80..0x9F of a single-byte code page, which
  // stand for the control character of the same number, as in Windows-1252).
  char32_t CharOfByte(unsigned char b) const { return FChars[b]; }
  // The character starting at I of Bytes and how many bytes it takes (1 or 2); 0 bytes
  // when the bytes there are no character of the code page (an undefined byte, a lead
  // byte without a valid second byte).
  size_t CharAt(std::string_view bytes, size_t i, char32_t& c) const;
  // Appends the bytes of C (one or two) to Out; false, and nothing appended, when the
  // code page does not hold C.
  bool Encode(char32_t c, std::string& out) const;
  // The same into Out, which has room for two bytes; returns how many were written.
  size_t EncodeTo(char32_t c, char* out) const;
  bool Holds(char32_t c) const { return c < 0x80 || FBytesOf.count(c) > 0; }

 private:
  explicit TCodePageCodec(TCodePage page);
  template <TCodePage P>
  friend const TCodePageCodec& CodecOf();
  void ReadFromConverter();
  void ReadFromTextCodec();
  void Add(char32_t c, uint16_t bytes);

  TCodePage FPage;
  bool FDoubleByte;
  std::array<bool, 256> FLead{};
  std::array<char32_t, 256> FChars{};
  // The character of each byte pair lead << 8 | trail (double-byte code pages only).
  std::vector<char32_t> FPairs;
  // The bytes of each character beyond ASCII: one byte below 0x100, else a pair.
  std::unordered_map<char32_t, uint16_t> FBytesOf;
};

// What a scan of a file's bytes as UTF-8 found (the bytes after any byte order mark,
// which is the caller's to take off).
struct TUtf8Scan {
  // The bytes are UTF-8 (ASCII alone is too).
  bool Valid = false;
  // The distinct characters beyond ASCII, in ascending order (only when Valid).
  std::vector<char32_t> Chars;
};
TUtf8Scan ScanUtf8(std::string_view bytes);

// The first code page of kCodePages that holds every one of Chars; none when there is none.
std::optional<TCodePage> FirstHolding(const std::vector<char32_t>& chars);
// The same for the characters of a UTF-8 text; none also when Text is not UTF-8.
std::optional<TCodePage> CodePageFor(std::string_view utf8);

// Turns valid UTF-8 into bytes of Page, in place. Every character of Text must be one
// Page holds (FirstHolding chose Page); any other becomes a '?'. Returns how many did.
size_t FromUtf8(std::string& text, TCodePage page);

// Appends Bytes of Page to Out as UTF-8. Bytes that are no character of Page (see
// CharAt) are written as U+FFFD; returns how many such bytes there were, so that a caller
// can refuse to write what would not come back.
size_t AppendUtf8(std::string& out, std::string_view bytes, TCodePage page);

}  // namespace codepage
