#pragma once
// Bytes of a document's code page as Qt text, and back, through the code page's tables.
#include <QString>
#include <optional>
#include <string>

#include "util/CodePage.h"

namespace codepagetext {

// Bytes that are no character of the code page show as U+FFFD.
QString ToQString(const std::string& bytes, TCodePage page);
// Converts S to bytes of the code page; a character it cannot hold becomes Replacement,
// or is left out when Replacement is empty. A surrogate pair counts as one character.
std::string FromQString(const QString& s, TCodePage page, std::optional<char> replacement);

}  // namespace codepagetext
