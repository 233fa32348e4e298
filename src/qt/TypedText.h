#pragma once
// The one place where typed characters become the document's bytes. Every key press,
// input-method commit and pasted text passes through TypedText before the control sees
// it; nothing else turns what the user typed into bytes of a document.
//
// The contract: the characters are typed whole or not at all. When the document's
// character set holds every character, Bytes holds them in order and Refused is empty;
// when it lacks one, Bytes is empty, Refused is the first character it lacks, and the
// caller leaves the text unchanged, beeps and says RefusalMessage. A character is never
// dropped or replaced silently.
//
// The character set is the document's code page (see util/CodePage.h), which the editor
// widget passes along.
#include <QString>
#include <string>

#include "util/CodePage.h"

struct TTypedText {
  std::string Bytes;
  QString Refused;  // one character, a surrogate pair for one beyond the 16-bit range
  TCodePage CodePage = TCodePage::cp1252;

  bool Accepted() const { return Refused.isEmpty(); }
};

// Typed as bytes of the document's code page, or refused as a whole.
TTypedText TypedText(const QString& typed, TCodePage page);

// The status bar's words for a refused character, naming it and the character set:
//   Cannot type "Я" (U+042F): the document's character set, Windows-1252, has no such
//   character.
QString RefusalMessage(const TTypedText& typed);
