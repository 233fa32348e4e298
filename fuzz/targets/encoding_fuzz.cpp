// Any bytes as a script file, opened as the application opens one (encoding found and
// decoded in place, the text split into lines) and saved as it saves one. Unedited, the
// file comes back byte for byte apart from the line ends (CR LF after every line), the
// tabs (spaces) and whatever follows a NUL; an edit of one character changes only that
// character's bytes. A file with characters the code page lacks is never saved. The
// first three bytes choose the edit: line, column and the new character.
#include <algorithm>

#include "FuzzEditor.h"
#include "FuzzTarget.h"
#include "util/TextCodec.h"

namespace {

std::string Saved(const std::vector<std::string>& lines, TTextEncoding encoding) {
  std::string out(encoding == TTextEncoding::Utf8Bom ? textcodec::kUtf8Bom : "");
  for (const std::string& line : lines) {
    textcodec::AppendEncoded(out, line, encoding);
    out += "\r\n";
  }
  return out;
}

// Opening and saving worked out on the file's bytes: UTF-8 never uses CR, LF, tab or NUL
// inside a longer sequence, so this holds for both encodings. A tab is two spaces ("3 5").
std::string Normalized(std::string_view bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += bytes[i] == '\t' ? std::string("  ") : std::string(1, bytes[i]);
    }
  }
  if (!out.empty() && !out.ends_with("\r\n")) out += "\r\n";
  return out;
}

// The UTF-8 bytes of a character below U+10000, spelled out apart from the codec.
std::string Utf8Of(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
  return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}

}  // namespace

FUZZ_TARGET(encoding) {
  fuzz::Bytes in(data, size);
  const size_t editLine = in.Byte();
  const size_t editColumn = in.Byte();
  unsigned char to = in.Byte();
  const std::string file = in.Rest();
  std::string text = file;
  const textcodec::TDecodedText decoded = textcodec::Decode(text);
  const TTextEncoding encoding = decoded.Encoding;
  // Bytes that are not UTF-8 come back untouched, also after a decoding that began.
  FUZZ_CHECK(encoding != TTextEncoding::Windows1252 || text == file);
  if (decoded.Unmappable > 0) {
    FUZZ_CHECK(encoding != TTextEncoding::Windows1252);
    FUZZ_CHECK(std::count(text.begin(), text.end(), '?') >= static_cast<long>(decoded.Unmappable));
    return;
  }
  fuzz::FuzzEditor e;
  e.editor->SetTabStops("3 5");
  e.editor->Lines().SetTextStr(text);
  std::vector<std::string> lines = e.LinesCopy();
  const size_t bom = encoding == TTextEncoding::Utf8Bom ? textcodec::kUtf8Bom.size() : 0;
  const std::string before = Saved(lines, encoding);
  FUZZ_CHECK(before == file.substr(0, bom) + Normalized(std::string_view(file).substr(bom)));

  if (lines.empty() || lines[editLine % lines.size()].empty()) return;
  const size_t y = editLine % lines.size();
  const size_t x = editColumn % lines[y].size();
  if (to == '\0' || to == '\r' || to == '\n' || to == '\t') to = 'x';
  const auto bytesOf = [&](unsigned char b) {
    return encoding == TTextEncoding::Windows1252 ? std::string(1, static_cast<char>(b))
                                                  : Utf8Of(textcodec::CharOfByte(b));
  };
  const std::string old = bytesOf(static_cast<unsigned char>(lines[y][x]));
  std::vector<std::string> head(lines.begin(), lines.begin() + static_cast<long>(y));
  head.push_back(lines[y].substr(0, x));
  const size_t at = Saved(head, encoding).size() - 2;
  lines[y][x] = static_cast<char>(to);
  FUZZ_CHECK(before.compare(at, old.size(), old) == 0);
  FUZZ_CHECK(Saved(lines, encoding) ==
             before.substr(0, at) + bytesOf(to) + before.substr(at + old.size()));
}
