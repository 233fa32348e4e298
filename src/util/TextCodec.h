#pragma once
// Text as files hold it and as the control holds it. The control works on bytes of
// Windows-1252; a file holds either those bytes or UTF-8 (with or without a byte order
// mark). Detection and decoding are one pass over the file's bytes, in place: decoded text
// is never longer than its UTF-8, and ASCII, the same in both, is only read. Valid UTF-8
// has one spelling for each character, so text decoded here and encoded again gives back
// the file's bytes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class TTextEncoding { Windows1252, Utf8, Utf8Bom };

namespace textcodec {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The character a Windows-1252 byte shows. The five undefined bytes (0x81 0x8D 0x8F 0x90
// 0x9D) show the control character of the same number.
char32_t CharOfByte(unsigned char b);
// The byte that shows C, or none when the code page has no such character.
std::optional<unsigned char> ByteOfChar(char32_t c);

struct TDecodedText {
  TTextEncoding Encoding = TTextEncoding::Windows1252;
  // Characters of a UTF-8 file that Windows-1252 cannot hold; each became a '?'.
  size_t Unmappable = 0;
};

// Turns a file's Bytes into the control's bytes and says what the file was. A file
// starting with the byte order mark, or valid UTF-8 with at least one character beyond
// ASCII, is UTF-8 and is decoded (the mark dropped); anything else (ASCII, bytes that
// are not valid UTF-8, also after a byte order mark) is Windows-1252 and stays as it is.
TDecodedText Decode(std::string& bytes);

// Appends Text, bytes of the control, to Out as Encoding writes them (the byte order mark
// is the caller's, at the start of the file).
void AppendEncoded(std::string& out, std::string_view text, TTextEncoding encoding);

}  // namespace textcodec
