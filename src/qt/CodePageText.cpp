#include "qt/CodePageText.h"

#include <QList>

namespace codepagetext {

QString ToQString(const std::string& bytes, TCodePage page) {
  const codepage::TCodePageCodec& codec = codepage::TCodePageCodec::Of(page);
  QString s;
  s.reserve(static_cast<qsizetype>(bytes.size()));
  for (size_t i = 0; i < bytes.size();) {
    char32_t c = 0;
    size_t length = codec.CharAt(bytes, i, c);
    if (length == 0) {
      c = 0xFFFD;
      length = 1;
    }
    s.append(QString::fromUcs4(&c, 1));
    i += length;
  }
  return s;
}

std::string FromQString(const QString& s, TCodePage page, std::optional<char> replacement) {
  const codepage::TCodePageCodec& codec = codepage::TCodePageCodec::Of(page);
  std::string bytes;
  bytes.reserve(static_cast<size_t>(s.size()));
  for (const char32_t c : s.toUcs4()) {
    if (!codec.Encode(c, bytes) && replacement) bytes.push_back(*replacement);
  }
  return bytes;
}

}  // namespace codepagetext
