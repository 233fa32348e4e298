#pragma once
// How a file's bytes become a document's text, and in which code page it is kept.
//
// A UTF-8 file (one starting with the byte order mark, or valid UTF-8 with a character
// beyond ASCII) is kept in the first code page of codepage::kCodePages that holds every one
// of its characters: Western first, so a file that opened as Windows-1252 before opens so
// still. A UTF-8 file whose characters no single code page holds is kept in Windows-1252
// with a '?' for each character it lacks, to be shown read-only. Any other file is taken
// as bytes of Windows-1252, or of the code page the user chose to read it with.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "util/CodePage.h"
#include "util/TextCodec.h"

namespace filetext {

struct TFileText {
  // UTF-8 (with or without the mark), or the code page's own bytes (Windows1252).
  TTextEncoding Encoding = TTextEncoding::Windows1252;
  TCodePage Page = TCodePage::cp1252;
  // Characters that became '?' (a UTF-8 file that no code page holds whole).
  size_t Unmappable = 0;
  // For such a file: the writing systems of its characters (the first code page holding
  // each), and the first character that no code page holds at all, 0 when there is none.
  std::vector<TCodePage> Holds;
  char32_t Unholdable = 0;
};

// Turns Bytes, a file's content, into the document's bytes in place. With Page, the file
// is read as that code page's bytes, unchanged, whatever it holds.
TFileText Decode(std::string& bytes, std::optional<TCodePage> page = std::nullopt);

// What a file Decode could not keep whole holds, for the message that it opens read-only:
// "Cyrillic and Japanese characters", "characters no code page holds, such as U+1F600".
std::string DescribeHoldings(const TFileText& text);

}  // namespace filetext
