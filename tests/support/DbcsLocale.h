#pragma once
// A double-byte locale like Shift-JIS, for the lead/trail byte rules: bytes 0x81..0x9F
// and 0xE0..0xFC lead a two-byte character; the byte after a lead byte is its trail.
#include "platform/Locale.h"

class DbcsLocale : public Locale {
 public:
  static bool IsLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
  }
  bool IsDoubleByte() const override { return true; }
  unsigned char Upper(unsigned char c) const override { return c >= 'a' && c <= 'z' ? c - 32 : c; }
  unsigned char Lower(unsigned char c) const override { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
  TMbcsByteType ByteType(std::string_view s, size_t index) const override {
    size_t i = 0;
    while (i < index) i += IsLead(static_cast<unsigned char>(s[i])) ? 2 : 1;
    if (i > index) return TMbcsByteType::mbTrailByte;
    return IsLead(static_cast<unsigned char>(s[index])) ? TMbcsByteType::mbLeadByte
                                                        : TMbcsByteType::mbSingleByte;
  }
};
