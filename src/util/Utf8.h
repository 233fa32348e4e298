#pragma once
// UTF-8 one character at a time, and the search for the next byte beyond ASCII that every
// conversion of a file's text starts from.
#include <cstddef>
#include <string>
#include <string_view>

namespace utf8 {

// The character of the UTF-8 sequence at I and its length; length 0 when the bytes there
// are not valid UTF-8 (a stray or missing continuation byte, an overlong form, a
// surrogate, a number beyond U+10FFFF).
size_t DecodeOne(std::string_view s, size_t i, char32_t& c);

void Append(std::string& out, char32_t c);

// The index of the first byte of Bytes at or after From that is not ASCII, or its size.
size_t FindNonAscii(std::string_view bytes, size_t from);

// Whether the bytes from I to the end of S begin a UTF-8 sequence that more bytes could
// complete.
bool IsCutSequence(std::string_view s, size_t i);

}  // namespace utf8
