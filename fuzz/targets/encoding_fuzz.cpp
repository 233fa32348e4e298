// Any bytes as a script file, opened as the application opens one (encoding found and
// decoded, the text split into lines) and saved as it saves one. Saved without an edit,
// the file comes back byte for byte apart from the line ends (CR LF after every line),
// the tabs (spaces) and whatever follows a NUL; an edit of one character changes only
// that character's bytes; a saved UTF-8 file opens to the same lines. A file with
// characters the code page lacks is never saved, so it is only checked to be counted.
// The first three bytes choose the edit: line, column and the new character.
#include <algorithm>

#include "FuzzEditor.h"
#include "FuzzTarget.h"
#include "util/TextCodec.h"

namespace {

using textcodec::kUtf8Bom;

std::string Saved(const std::vector<std::string>& lines, TTextEncoding encoding) {
  std::string out(encoding == TTextEncoding::Utf8Bom ? kUtf8Bom : "");
  for (const std::string& line : lines) {
    textcodec::AppendEncoded(out, line, encoding);
    out += "\r\n";
  }
  return out;
}

// What opening and saving do to a file's bytes, worked out on the bytes themselves:
// UTF-8 never uses CR, LF, tab or NUL inside a longer sequence, so this holds for both
// encodings. Tabs become two spaces (the first tab stop of "3 5").
std::string Normalized(std::string_view bytes) {
  std::string out;
  bool open = false;
  for (size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      out += "\r\n";
      open = false;
    } else {
      out += c == '\t' ? std::string("  ") : std::string(1, c);
      open = true;
    }
  }
  if (open) out += "\r\n";
  return out;
}

// The UTF-8 bytes of a character below U+10000, spelled out apart from the codec.
std::string Utf8Of(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
  return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}

std::vector<std::string> Opened(const std::string& file, textcodec::TDecodedText& decoded) {
  std::string text = file;
  decoded = textcodec::Decode(text);
  // Bytes that are not UTF-8 come back untouched, also after a decoding that began.
  FUZZ_CHECK(decoded.Encoding != TTextEncoding::Windows1252 || text == file);
  if (decoded.Unmappable > 0) {
    FUZZ_CHECK(std::count(text.begin(), text.end(), '?') >= static_cast<long>(decoded.Unmappable));
  }
  fuzz::FuzzEditor e;
  e.editor->SetTabStops("3 5");
  e.editor->Lines().SetTextStr(text);
  return e.LinesCopy();
}

// Edits one character of Lines and checks that the saved bytes change only there.
void CheckOneCharacterEdit(const std::vector<std::string>& lines, TTextEncoding encoding, size_t y,
                           size_t x, unsigned char to) {
  const std::string before = Saved(lines, encoding);
  std::vector<std::string> edited = lines;
  const auto from = static_cast<unsigned char>(edited[y][x]);
  edited[y][x] = static_cast<char>(to);
  const std::string after = Saved(edited, encoding);

  std::vector<std::string> head(lines.begin(), lines.begin() + static_cast<long>(y));
  head.push_back(lines[y].substr(0, x));
  const size_t at = Saved(head, encoding).size() - 2;
  const auto bytesOf = [&](unsigned char b) {
    return encoding == TTextEncoding::Windows1252 ? std::string(1, static_cast<char>(b))
                                                  : Utf8Of(textcodec::CharOfByte(b));
  };
  const std::string old = bytesOf(from);
  const std::string now = bytesOf(to);
  FUZZ_CHECK(before.compare(0, at, after, 0, at) == 0);
  FUZZ_CHECK(before.compare(at, old.size(), old) == 0);
  FUZZ_CHECK(after.compare(at, now.size(), now) == 0);
  FUZZ_CHECK(before.substr(at + old.size()) == after.substr(at + now.size()));
}

}  // namespace

FUZZ_TARGET(encoding) {
  fuzz::Bytes in(data, size);
  const size_t editLine = in.Byte();
  const size_t editColumn = in.Byte();
  unsigned char to = in.Byte();
  const std::string file = in.Rest();

  textcodec::TDecodedText decoded;
  const std::vector<std::string> lines = Opened(file, decoded);
  const TTextEncoding encoding = decoded.Encoding;
  if (decoded.Unmappable > 0) {
    FUZZ_CHECK(encoding != TTextEncoding::Windows1252);
    return;
  }
  const bool bom = encoding == TTextEncoding::Utf8Bom;
  FUZZ_CHECK(bom == (file.starts_with(kUtf8Bom) && encoding != TTextEncoding::Windows1252));
  const std::string saved = Saved(lines, encoding);
  FUZZ_CHECK(saved == (bom ? std::string(kUtf8Bom) : "") +
                          Normalized(std::string_view(file).substr(bom ? kUtf8Bom.size() : 0)));

  if (encoding != TTextEncoding::Windows1252) {
    textcodec::TDecodedText again;
    FUZZ_CHECK(Opened(saved, again) == lines);
    FUZZ_CHECK(again.Unmappable == 0);
  }

  if (lines.empty()) return;
  const size_t y = editLine % lines.size();
  if (lines[y].empty()) return;
  // The new character is any the line store keeps inside a line.
  if (to == '\0' || to == '\r' || to == '\n' || to == '\t') to = 'x';
  CheckOneCharacterEdit(lines, encoding, y, editColumn % lines[y].size(), to);
}
