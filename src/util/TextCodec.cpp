#include "util/TextCodec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "util/Utf8.h"

namespace {

using utf8::DecodeOne;
using utf8::FindNonAscii;
using utf8::IsCutSequence;

// Characters of the bytes 0x80..0x9F; the undefined ones keep their own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

// A character of the file the code page lacks, and where its '?' was written.
struct TReplaced {
  size_t At;
  char32_t Char;
};

// How far an in-place decoding came: the text decoded so far ends at Written, the bytes
// read so far at Read.
struct TDecodingPoint {
  size_t Written;
  size_t Read;
  bool Bom;
};

// Undoes an in-place decoding that met bytes that are not UTF-8. The characters decoded so
// far are written back as the UTF-8 they were read from, last first, so that each lands
// at or after its decoded place and nothing still to be read is overwritten. Valid UTF-8
// has one spelling per character, so this gives back the very bytes.
void Undecode(std::string& bytes, TDecodingPoint point, const std::vector<TReplaced>& replaced) {
  size_t to = point.Read;
  auto next = replaced.rbegin();
  std::string utf8;
  for (size_t i = point.Written; i-- > 0;) {
    // Without a byte order mark, the ASCII text before the first decoded character never moved.
    if (!point.Bom && to == i + 1) break;
    char32_t c = textcodec::CharOfByte(static_cast<unsigned char>(bytes[i]));
    if (next != replaced.rend() && next->At == i) c = (next++)->Char;
    utf8.clear();
    utf8::Append(utf8, c);
    to -= utf8.size();
    bytes.replace(to, utf8.size(), utf8);
  }
  if (point.Bom) bytes.replace(0, textcodec::kUtf8Bom.size(), textcodec::kUtf8Bom);
}

}  // namespace

namespace textcodec {

char32_t CharOfByte(unsigned char b) {
  return b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : char32_t{b};
}

std::optional<unsigned char> ByteOfChar(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  const auto it = std::find(kHighControls.begin(), kHighControls.end(), c);
  if (it == kHighControls.end()) return std::nullopt;
  return static_cast<unsigned char>(0x80 + (it - kHighControls.begin()));
}

TDecodedText Decode(std::string& bytes) {
  TDecodedText result;
  const bool bom = bytes.starts_with(kUtf8Bom);
  const size_t start = bom ? kUtf8Bom.size() : 0;
  size_t read = FindNonAscii(bytes, start);
  if (!bom && read == bytes.size()) return result;
  char32_t c = 0;
  // Most Windows-1252 text fails at its first byte beyond ASCII, before anything moved.
  if (read < bytes.size() && DecodeOne(bytes, read, c) == 0) return result;
  // A decoded character is never longer than its UTF-8, so the text is written over the
  // bytes already read.
  size_t written = 0;
  const auto keepAscii = [&](size_t from, size_t to) {
    if (written != from) std::memmove(bytes.data() + written, bytes.data() + from, to - from);
    written += to - from;
  };
  keepAscii(start, read);
  std::vector<TReplaced> replaced;
  while (read < bytes.size()) {
    const size_t length = DecodeOne(bytes, read, c);
    if (length == 0) {
      Undecode(bytes, {written, read, bom}, replaced);
      return TDecodedText{};
    }
    const std::optional<unsigned char> b = ByteOfChar(c);
    if (!b) replaced.push_back({written, c});
    bytes[written++] = b ? static_cast<char>(*b) : '?';
    read += length;
    const size_t next = FindNonAscii(bytes, read);
    keepAscii(read, next);
    read = next;
  }
  bytes.resize(written);
  result.Encoding = bom ? TTextEncoding::Utf8Bom : TTextEncoding::Utf8;
  result.Unmappable = replaced.size();
  return result;
}

TStreamDecoder::TStep TStreamDecoder::Decode(char* piece, size_t size, bool last) {
  if (FMode == TMode::Unchanged) return {size, 0};
  const std::string_view bytes(piece, size);
  size_t read = 0;
  if (FAtStart) {
    // A byte order mark cut by the end of the piece waits for the next one.
    if (!last && size < kUtf8Bom.size() && kUtf8Bom.starts_with(bytes)) return {0, size};
    FAtStart = false;
    if (bytes.starts_with(kUtf8Bom)) {
      FBom = true;
      FMode = TMode::Utf8;
      read = kUtf8Bom.size();
    }
  }
  size_t written = 0;
  const auto keepAscii = [&](size_t from, size_t to) {
    if (written != from) std::memmove(piece + written, piece + from, to - from);
    written += to - from;
  };
  char32_t c = 0;
  while (true) {
    const size_t next = FindNonAscii(bytes, read);
    keepAscii(read, next);
    read = next;
    if (read == size) return {written, 0};
    const size_t length = DecodeOne(bytes, read, c);
    if (length == 0) {
      if (!last && IsCutSequence(bytes, read)) return {written, size - read};
      // Nothing changed so far (only ASCII was read): the text stays as it is.
      if (FMode == TMode::Undecided) {
        FMode = TMode::Unchanged;
        return {size, 0};
      }
      FMustRestart = true;
      return {written, 0};
    }
    const std::optional<unsigned char> b = ByteOfChar(c);
    if (!b) ++FUnmappable;
    piece[written++] = b ? static_cast<char>(*b) : '?';
    read += length;
    FMode = TMode::Utf8;
  }
}

void TStreamDecoder::Restart() {
  *this = TStreamDecoder();
  FAtStart = false;
  FMode = TMode::Unchanged;
}

TDecodedText TStreamDecoder::Result() const {
  if (FMode != TMode::Utf8) return {};
  return {FBom ? TTextEncoding::Utf8Bom : TTextEncoding::Utf8, FUnmappable};
}

void AppendEncoded(std::string& out, std::string_view text, TTextEncoding encoding) {
  if (encoding == TTextEncoding::Windows1252) {
    out.append(text);
    return;
  }
  size_t i = 0;
  while (i < text.size()) {
    const size_t next = FindNonAscii(text, i);
    out.append(text.substr(i, next - i));
    if (next == text.size()) break;
    utf8::Append(out, CharOfByte(static_cast<unsigned char>(text[next])));
    i = next + 1;
  }
}

}  // namespace textcodec
