#pragma once
// Text as files hold it and as the control holds it. The control works on bytes of
// Windows-1252; a file holds either those bytes or UTF-8 (with or without a byte order
// mark). Detection and decoding are one pass over the file's bytes, in place: decoded text
// is never longer than its UTF-8, and ASCII, the same in both, is only read. Valid UTF-8
// has one spelling for each character, so text decoded here and encoded again gives back
// the file's bytes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class TTextEncoding { Windows1252, Utf8, Utf8Bom };

namespace textcodec {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The character a Windows-1252 byte shows. The five undefined bytes (0x81 0x8D 0x8F 0x90
// 0x9D) show the control character of the same number.
char32_t CharOfByte(unsigned char b);
// The byte that shows C, or none when the code page has no such character.
std::optional<unsigned char> ByteOfChar(char32_t c);

struct TDecodedText {
  TTextEncoding Encoding = TTextEncoding::Windows1252;
  // Characters of a UTF-8 file that Windows-1252 cannot hold; each became a '?'.
  size_t Unmappable = 0;
};

// Turns a file's Bytes into the control's bytes and says what the file was. A file
// starting with the byte order mark, or valid UTF-8 with at least one character beyond
// ASCII, is UTF-8 and is decoded (the mark dropped); anything else (ASCII, bytes that
// are not valid UTF-8, also after a byte order mark) is Windows-1252 and stays as it is.
TDecodedText Decode(std::string& bytes);

// Decode for a file that arrives piece by piece (see Decode): each piece is decoded in
// place, a sequence cut at the end of a piece is kept for the next one, and the verdict
// is the one Decode gives for all the pieces together. A text that proves not to be UTF-8
// after some of it was decoded (changed) must be read again from its start, undecoded.
class TStreamDecoder {
 public:
  struct TStep {
    size_t Written = 0;  // decoded bytes, at the start of the piece
    size_t Kept = 0;     // undecoded bytes at the end of the piece, to lead the next one
  };
  // Decodes Piece[0, Size); Last says that no byte follows.
  TStep Decode(char* piece, size_t size, bool last);
  // Bytes already decoded were changed and the text is not UTF-8 after all: the caller
  // reads it again from its start, after Restart, which passes every byte unchanged.
  bool MustRestart() const { return FMustRestart; }
  void Restart();
  TDecodedText Result() const;

 private:
  enum class TMode { Undecided, Utf8, Unchanged };
  TMode FMode = TMode::Undecided;
  bool FAtStart = true;
  bool FBom = false;
  bool FMustRestart = false;
  size_t FUnmappable = 0;
};

// Appends Text, bytes of the control, to Out as Encoding writes them (the byte order mark
// is the caller's, at the start of the file).
void AppendEncoded(std::string& out, std::string_view text, TTextEncoding encoding);

}  // namespace textcodec
