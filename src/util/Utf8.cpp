#include "util/Utf8.h"

#include <cstdint>
#include <cstring>

namespace {

unsigned char At(std::string_view s, size_t i) {
  return static_cast<unsigned char>(s[i]);
}

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

}  // namespace

namespace utf8 {

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

void Append(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
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

bool IsCutSequence(std::string_view s, size_t i) {
  const unsigned char lead = At(s, i);
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || s.size() - i >= length) return false;
  for (size_t k = i + 1; k < s.size(); ++k) {
    if (!IsContinuation(At(s, k))) return false;
  }
  return true;
}

}  // namespace utf8
