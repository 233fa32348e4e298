#include "qt/TypedText.h"

#include <QList>

#include "qt/Codepage1252.h"

namespace {

const QString kCharacterSet = QStringLiteral("Windows-1252");

}  // namespace

TTypedText TypedText(const QString& typed) {
  TTypedText result;
  result.Bytes.reserve(static_cast<size_t>(typed.size()));
  for (qsizetype i = 0; i < typed.size(); ++i) {
    if (const auto byte = Codepage1252::FromChar(typed[i])) {
      result.Bytes.push_back(static_cast<char>(*byte));
      continue;
    }
    const bool pair =
        typed[i].isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate();
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
      .arg(typed.Refused, code, kCharacterSet);
}
