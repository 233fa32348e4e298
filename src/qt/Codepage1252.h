#pragma once
// Windows-1252, the code page of the scripts: each byte to the character it shows, and
// back.
#include <QChar>
#include <QString>
#include <optional>
#include <string>

namespace Codepage1252 {

// The character byte B shows. The five undefined bytes (0x81 0x8D 0x8F 0x90 0x9D) show
// the control character of the same number.
QChar ToChar(unsigned char b);
// The byte that shows C, or none when the code page has no such character.
std::optional<unsigned char> FromChar(QChar c);

QString ToQString(const std::string& bytes);
// Converts S to bytes; a character the code page cannot hold becomes Replacement, or is
// left out when Replacement is empty. A surrogate pair counts as one character.
std::string FromQString(const QString& s, std::optional<char> replacement);

}  // namespace Codepage1252
