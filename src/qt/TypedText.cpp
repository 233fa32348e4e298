#include "qt/TypedText.h"

#include <QList>

TTypedText TypedText(const QString& typed, TCodePage page) {
  const codepage::TCodePageCodec& codec = codepage::TCodePageCodec::Of(page);
  TTypedText result;
  result.CodePage = page;
  result.Bytes.reserve(static_cast<size_t>(typed.size()));
  for (qsizetype i = 0; i < typed.size(); ++i) {
    const bool pair =
        typed[i].isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate();
    const char32_t c = pair ? QChar::surrogateToUcs4(typed[i], typed[i + 1]) : typed[i].unicode();
    if (!pair && codec.Encode(c, result.Bytes)) continue;
    result.Refused = typed.mid(i, pair ? 2 : 1);
    result.Bytes.clear();
    break;
  }
  return result;
}

QString RefusalMessage(const TTypedText& typed) {
  const QString code =
      QString::number(typed.Refused.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
  return QStringLiteral(
             "Cannot type \"%1\" (U+%2): the document's character set, %3, has no "
             "such character.")
      .arg(typed.Refused, code, QString::fromLatin1(codepage::Name(typed.CodePage)));
}
