#include "qt/Codepage1252.h"

#include <algorithm>
#include <array>

namespace {

// Characters of the bytes 0x80..0x9F; the undefined ones keep their own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

}  // namespace

namespace Codepage1252 {

QChar ToChar(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return QChar(kHighControls[b - 0x80]);
  return QChar(static_cast<char16_t>(b));
}

std::optional<unsigned char> FromChar(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
  auto it = std::find(kHighControls.begin(), kHighControls.end(), u);
  if (it == kHighControls.end()) return std::nullopt;
  return static_cast<unsigned char>(0x80 + (it - kHighControls.begin()));
}

QString ToQString(const std::string& bytes) {
  QString s(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = s.data();
  for (size_t i = 0; i < bytes.size(); ++i) out[i] = ToChar(static_cast<unsigned char>(bytes[i]));
  return s;
}

std::string FromQString(const QString& s, std::optional<char> replacement) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(s.size()));
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
    if (auto b = FromChar(c)) {
      bytes.push_back(static_cast<char>(*b));
    } else if (replacement) {
      bytes.push_back(*replacement);
    }
  }
  return bytes;
}

}  // namespace Codepage1252
