#include "platform/Locale.h"

template <typename Map>
std::string Locale::Mapped(const std::string& s, Map map) const {
  std::string r(s);
  const bool doubleByte = IsDoubleByte();
  for (size_t i = 0; i < r.size(); ++i) {
    if (doubleByte && ByteType(s, i) != TMbcsByteType::mbSingleByte) continue;
    r[i] = static_cast<char>(map(static_cast<unsigned char>(r[i])));
  }
  return r;
}

std::string Locale::UpperCase(const std::string& s) const {
  return Mapped(s, [this](unsigned char c) { return Upper(c); });
}

std::string Locale::LowerCase(const std::string& s) const {
  return Mapped(s, [this](unsigned char c) { return Lower(c); });
}

// Bytes of double-byte characters compare exactly: the character boundaries of A and B
// are the same up to the first difference.
bool Locale::SameText(const std::string& a, const std::string& b) const {
  const bool doubleByte = IsDoubleByte();
  for (size_t i = 0;; ++i) {
    unsigned char ca = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
    unsigned char cb = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
    const bool single =
        !doubleByte || i >= a.size() || ByteType(a, i) == TMbcsByteType::mbSingleByte;
    if (single ? Folded(ca) != Folded(cb) : ca != cb) return false;
    if (ca == 0) return true;
  }
}

// Windows-1252 letters outside ASCII: Š/š (0x8A/0x9A), Œ/œ (0x8C/0x9C), Ž/ž (0x8E/0x9E),
// Ÿ/ÿ (0x9F/0xFF) and the Latin-1 letters 0xC0..0xDE / 0xE0..0xFE except × and ÷.
unsigned char Cp1252Locale::Upper(unsigned char c) const {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 0x10;
  if (c == 0xFF) return 0x9F;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  return c;
}

unsigned char Cp1252Locale::Lower(unsigned char c) const {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 0x10;
  if (c == 0x9F) return 0xFF;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  return c;
}

const Locale& DefaultLocale() {
  static const Cp1252Locale locale;
  return locale;
}
