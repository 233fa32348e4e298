#pragma once
// Stateless byte-string functions shared by the control, its commands and highlighting.
// Positions are 1-based unless a function says otherwise; no function fails.
#include <string>
#include <string_view>

#include "platform/Locale.h"

// Whether C belongs to the 26 characters that end a word (code 0, LF, CR, space and
// " # % ' ( ) * + , - . / : ; < = > [ \ ] { }).
bool IsWordSeparator(unsigned char c);
// Whether S[Index] (0-based) ends a word: a separator that is not the second byte of a
// double-byte character (such a byte belongs to the character, a word character).
bool IsWordSeparatorAt(std::string_view s, size_t index, const Locale& locale);

std::string Blanks(int n);
bool CharOccurs(char ch, const std::string& s);
bool AnyCharOccurs(const std::string& chars, const std::string& s);
bool EqualIgnoringCase(const std::string& a, const std::string& b,
                       const Locale& locale = DefaultLocale());
std::string InvertCase(const std::string& s, const Locale& locale = DefaultLocale());
std::string WordAtPos(const std::string& s, int pos, const Locale& locale = DefaultLocale());
std::string WordBoundsAtPos(const std::string& s, int pos, int& beg, int& end,
                            const Locale& locale = DefaultLocale());
std::string FieldAt(const std::string& s, int index, const std::string& separator);
void OffsetToColLine(const std::string& s, int offset, int& col, int& line);
std::string ReplaceAll(const std::string& s, const std::string& oldText,
                       const std::string& newText);

// Decimal integer with optional sign; anything else raises EConvertError
// ("'abc' is not a valid integer value").
int StrToInt(const std::string& s);
