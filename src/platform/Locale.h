#pragma once
#include <cstdint>
#include <string>

// Byte class under a double-byte code page.
enum class TMbcsByteType : uint8_t { mbSingleByte, mbLeadByte, mbTrailByte };

// Locale services of the active code page.
class Locale {
 public:
  virtual ~Locale() = default;
  virtual unsigned char Upper(unsigned char c) const = 0;
  virtual unsigned char Lower(unsigned char c) const = 0;
  // Byte class of S[index] (0-based), looking at the bytes before it.
  virtual TMbcsByteType ByteType(const std::string& s, size_t index) const = 0;

  std::string UpperCase(const std::string& s) const;
  std::string LowerCase(const std::string& s) const;
  // Case-insensitive comparison of A and B, each up to its first zero byte.
  bool SameText(const std::string& a, const std::string& b) const;
  bool IsTrailByte(const std::string& s, size_t index) const {
    return index < s.size() && ByteType(s, index) == TMbcsByteType::mbTrailByte;
  }
  bool IsLeadByte(const std::string& s, size_t index) const {
    return index < s.size() && ByteType(s, index) == TMbcsByteType::mbLeadByte;
  }
};

// Windows-1252: every byte is a single-byte character; case maps Latin letters.
class Cp1252Locale : public Locale {
 public:
  unsigned char Upper(unsigned char c) const override;
  unsigned char Lower(unsigned char c) const override;
  TMbcsByteType ByteType(const std::string&, size_t) const override {
    return TMbcsByteType::mbSingleByte;
  }
};

// The locale every editor uses unless the host supplies another.
const Locale& DefaultLocale();
