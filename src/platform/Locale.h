#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Byte class under a double-byte code page.
enum class TMbcsByteType : uint8_t { mbSingleByte, mbLeadByte, mbTrailByte };

// Locale services of a document's code page.
class Locale {
 public:
  virtual ~Locale() = default;
  virtual unsigned char Upper(unsigned char c) const = 0;
  virtual unsigned char Lower(unsigned char c) const = 0;
  // Byte class of S[index] (0-based), looking at the bytes before it.
  virtual TMbcsByteType ByteType(std::string_view s, size_t index) const = 0;
  // Whether any byte may lead a two-byte character; without, every byte is single.
  virtual bool IsDoubleByte() const { return false; }

  // The form two letters that differ only in case share (the lower case of the upper
  // case, so that letters with two lower forms meet too).
  unsigned char Folded(unsigned char c) const { return Lower(Upper(c)); }
  // Case is mapped for single-byte characters only: a byte of a double-byte character
  // mapped on its own would turn the character into another.
  std::string UpperCase(const std::string& s) const;
  std::string LowerCase(const std::string& s) const;
  // Case-insensitive comparison of A and B, each up to its first zero byte.
  bool SameText(const std::string& a, const std::string& b) const;
  bool IsTrailByte(std::string_view s, size_t index) const {
    return index < s.size() && ByteType(s, index) == TMbcsByteType::mbTrailByte;
  }
  bool IsLeadByte(std::string_view s, size_t index) const {
    return index < s.size() && ByteType(s, index) == TMbcsByteType::mbLeadByte;
  }

 private:
  template <typename Map>
  std::string Mapped(const std::string& s, Map map) const;
};

// Windows-1252: every byte is a single-byte character; case maps Latin letters.
class Cp1252Locale : public Locale {
 public:
  unsigned char Upper(unsigned char c) const override;
  unsigned char Lower(unsigned char c) const override;
  TMbcsByteType ByteType(std::string_view, size_t) const override {
    return TMbcsByteType::mbSingleByte;
  }
};

// The locale every editor uses unless the host supplies another.
const Locale& DefaultLocale();
