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
// Today every document holds Windows-1252 (a UTF-8 file is shown through it). A document
// of another character set will give TypedText its set; the callers stay as they are.
#include <QString>
#include <string>

struct TTypedText {
  std::string Bytes;
  QString Refused;  // one character, a surrogate pair for one beyond the 16-bit range

  bool Accepted() const { return Refused.isEmpty(); }
};

// Typed as the document's bytes, or refused as a whole.
TTypedText TypedText(const QString& typed);

// The status bar's words for a refused character, naming it and the character set:
//   Cannot type "Я" (U+042F): the document's character set, Windows-1252, has no such
//   character.
QString RefusalMessage(const TTypedText& typed);
