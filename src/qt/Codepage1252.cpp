#include "qt/Codepage1252.h"

#include "util/TextCodec.h"

namespace Codepage1252 {

QChar ToChar(unsigned char b) {
  return QChar(static_cast<char16_t>(textcodec::CharOfByte(b)));
}

std::optional<unsigned char> FromChar(QChar c) {
  return textcodec::ByteOfChar(c.unicode());
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
