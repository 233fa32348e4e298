#include "util/TextCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Characters of the bytes 0x80..0x9F; the undefined ones keep their own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

unsigned char At(std::string_view s, size_t i) {
  return static_cast<unsigned char>(s[i]);
}

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

// The character of the UTF-8 sequence at I and its length; length 0 when the bytes there
// are not valid UTF-8 (a stray or missing continuation byte, an overlong form, a
// surrogate, a number beyond U+10FFFF).
size_t DecodeOne(std::string_view s, size_t i, char32_t& c) {
  const unsigned char lead = At(s, i);
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4) return 0;
  // The least character of each length: a smaller one there is an overlong form.
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  c = lead & (0x7F >> length);
  if (s.size() - i < length) return 0;
  for (size_t k = 1; k < length; ++k) {
    const unsigned char b = At(s, i + k);
    if (!IsContinuation(b)) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, char32_t c) {
  // Every character of the code page lies below U+10000.
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

namespace textcodec {

char32_t CharOfByte(unsigned char b) {
  return b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : char32_t{b};
}

std::optional<unsigned char> ByteOfChar(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  const auto it = std::find(kHighControls.begin(), kHighControls.end(), c);
  if (it == kHighControls.end()) return std::nullopt;
  return static_cast<unsigned char>(0x80 + (it - kHighControls.begin()));
}

size_t FindNonAscii(std::string_view bytes, size_t from) {
  // Whole words at a time: the loop the compiler turns into vector instructions, since
  // this runs over every byte of every file opened.
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  size_t i = from;
  for (; i + 32 <= bytes.size(); i += 32) {
    uint64_t w[4];
    std::memcpy(w, bytes.data() + i, sizeof w);
    if (((w[0] | w[1] | w[2] | w[3]) & kHighBits) != 0) break;
  }
  while (i < bytes.size() && At(bytes, i) < 0x80) ++i;
  return i;
}

TDecodedText Decode(std::string_view bytes) {
  TDecodedText result;
  const bool bom = bytes.starts_with(kUtf8Bom);
  const size_t start = bom ? kUtf8Bom.size() : 0;
  size_t i = FindNonAscii(bytes, start);
  if (!bom && i == bytes.size()) return result;
  // Most Windows-1252 text fails at its first byte beyond ASCII: no copy is made for it.
  char32_t first = 0;
  if (i < bytes.size() && DecodeOne(bytes, i, first) == 0) return result;
  std::string text;
  text.reserve(bytes.size() - start);
  text.append(bytes.substr(start, i - start));
  while (i < bytes.size()) {
    char32_t c = 0;
    const size_t length = DecodeOne(bytes, i, c);
    if (length == 0) return TDecodedText{};
    if (const auto b = ByteOfChar(c)) {
      text.push_back(static_cast<char>(*b));
    } else {
      text.push_back('?');
      ++result.Unmappable;
    }
    i += length;
    const size_t next = FindNonAscii(bytes, i);
    text.append(bytes.substr(i, next - i));
    i = next;
  }
  result.Encoding = bom ? TTextEncoding::Utf8Bom : TTextEncoding::Utf8;
  result.Text = std::move(text);
  return result;
}

void AppendEncoded(std::string& out, std::string_view text, TTextEncoding encoding) {
  if (encoding == TTextEncoding::Windows1252) {
    out.append(text);
    return;
  }
  size_t i = 0;
  while (i < text.size()) {
    const size_t next = FindNonAscii(text, i);
    out.append(text.substr(i, next - i));
    if (next == text.size()) break;
    AppendUtf8(out, CharOfByte(At(text, next)));
    i = next + 1;
  }
}

}  // namespace textcodec
