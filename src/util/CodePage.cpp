#include "util/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "util/TextCodec.h"
#include "util/Utf8.h"

namespace {

struct TCodePageInfo {
  TCodePage Page;
  const char* Converter;  // the converter's name for it
  const char* Name;
  const char* WritingSystem;
};

constexpr TCodePageInfo kInfo[] = {
    {TCodePage::cp1252, "CP1252", "Windows-1252", "Western"},
    {TCodePage::cp1250, "CP1250", "Windows-1250", "Central European"},
    {TCodePage::cp1251, "CP1251", "Windows-1251", "Cyrillic"},
    {TCodePage::cp1253, "CP1253", "Windows-1253", "Greek"},
    {TCodePage::cp1254, "CP1254", "Windows-1254", "Turkish"},
    {TCodePage::cp1257, "CP1257", "Windows-1257", "Baltic"},
    {TCodePage::cp932, "CP932", "Shift-JIS", "Japanese"},
    {TCodePage::cp936, "CP936", "GBK", "Simplified Chinese"},
    {TCodePage::cp949, "CP949", "EUC-KR", "Korean"},
    {TCodePage::cp950, "CP950", "Big5", "Traditional Chinese"},
};

const TCodePageInfo& InfoOf(TCodePage page) {
  for (const TCodePageInfo& info : kInfo) {
    if (info.Page == page) return info;
  }
  return kInfo[0];
}

// How a conversion of a few bytes ended.
enum class TConverted { Whole, Incomplete, Invalid };

// One direction of the converter, open while the object lives.
class TConverter {
 public:
  TConverter(const char* to, const char* from) : FHandle(iconv_open(to, from)) {}
  ~TConverter() {
    if (Open()) iconv_close(FHandle);
  }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;
  bool Open() const { return FHandle != reinterpret_cast<iconv_t>(-1); }

  // Converts all of In into Out (at most Out's size bytes); Written says how many.
  TConverted Convert(std::string_view in, char* out, size_t size, size_t& written) {
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    char* from = const_cast<char*>(in.data());
    size_t left = in.size();
    char* to = out;
    size_t room = size;
    const size_t result = iconv(FHandle, &from, &left, &to, &room);
    written = size - room;
    if (result != static_cast<size_t>(-1) && left == 0) return TConverted::Whole;
    return errno == EINVAL ? TConverted::Incomplete : TConverted::Invalid;
  }

 private:
  iconv_t FHandle;
};

// The one character of In as UTF-32 (little-endian), or 0 when In is not one character.
char32_t CharOf(TConverter& toUnicode, std::string_view in, TConverted& how) {
  unsigned char out[8];
  size_t written = 0;
  how = toUnicode.Convert(in, reinterpret_cast<char*>(out), sizeof out, written);
  if (how != TConverted::Whole || written != 4) return 0;
  return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

// The bytes the converter gives C (a byte, or a pair as lead << 8 | trail); none when it
// gives none or more than two.
std::optional<uint16_t> BytesOf(TConverter& fromUnicode, char32_t c) {
  const unsigned char in[4] = {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8),
                               static_cast<unsigned char>(c >> 16),
                               static_cast<unsigned char>(c >> 24)};
  unsigned char out[4];
  size_t written = 0;
  const TConverted how = fromUnicode.Convert(std::string_view(reinterpret_cast<const char*>(in), 4),
                                             reinterpret_cast<char*>(out), sizeof out, written);
  if (how != TConverted::Whole || written == 0 || written > 2) return std::nullopt;
  return written == 1 ? uint16_t{out[0]} : static_cast<uint16_t>(out[0] << 8 | out[1]);
}

unsigned char At(std::string_view s, size_t i) {
  return static_cast<unsigned char>(s[i]);
}

}  // namespace

namespace codepage {

bool IsDoubleByte(TCodePage page) {
  return page == TCodePage::cp932 || page == TCodePage::cp936 || page == TCodePage::cp949 ||
         page == TCodePage::cp950;
}

std::string_view Name(TCodePage page) {
  return InfoOf(page).Name;
}

std::string_view WritingSystem(TCodePage page) {
  return InfoOf(page).WritingSystem;
}

std::optional<TCodePage> FromNumber(int number) {
  for (const TCodePageInfo& info : kInfo) {
    if (static_cast<int>(info.Page) == number) return info.Page;
  }
  return std::nullopt;
}

template <TCodePage P>
const TCodePageCodec& CodecOf() {
  static const TCodePageCodec codec(P);
  return codec;
}

const TCodePageCodec& TCodePageCodec::Of(TCodePage page) {
  switch (page) {
    case TCodePage::cp1250:
      return CodecOf<TCodePage::cp1250>();
    case TCodePage::cp1251:
      return CodecOf<TCodePage::cp1251>();
    case TCodePage::cp1253:
      return CodecOf<TCodePage::cp1253>();
    case TCodePage::cp1254:
      return CodecOf<TCodePage::cp1254>();
    case TCodePage::cp1257:
      return CodecOf<TCodePage::cp1257>();
    case TCodePage::cp932:
      return CodecOf<TCodePage::cp932>();
    case TCodePage::cp936:
      return CodecOf<TCodePage::cp936>();
    case TCodePage::cp949:
      return CodecOf<TCodePage::cp949>();
    case TCodePage::cp950:
      return CodecOf<TCodePage::cp950>();
    case TCodePage::cp1252:
      break;
  }
  return CodecOf<TCodePage::cp1252>();
}

TCodePageCodec::TCodePageCodec(TCodePage page) : FPage(page), FDoubleByte(IsDoubleByte(page)) {
  for (char32_t b = 0; b < 0x80; ++b) FChars[b] = b;
  if (page == TCodePage::cp1252) {
    ReadFromTextCodec();
  } else {
    ReadFromConverter();
  }
}

void TCodePageCodec::ReadFromTextCodec() {
  for (unsigned b = 0x80; b < 0x100; ++b) {
    FChars[b] = textcodec::CharOfByte(static_cast<unsigned char>(b));
    Add(FChars[b], static_cast<uint16_t>(b));
  }
}

// Every byte, and every pair after a byte that the converter finds incomplete alone, is
// converted once. A character two spellings give (a few in the double-byte code pages)
// keeps the one the converter writes for it.
void TCodePageCodec::ReadFromConverter() {
  const char* name = InfoOf(FPage).Converter;
  TConverter toUnicode("UTF-32LE", name);
  TConverter fromUnicode(name, "UTF-32LE");
  if (!toUnicode.Open() || !fromUnicode.Open()) return;
  const auto add = [&](char32_t c, uint16_t bytes) {
    const auto known = FBytesOf.find(c);
    if (known == FBytesOf.end()) {
      Add(c, bytes);
    } else if (BytesOf(fromUnicode, c) == bytes) {
      known->second = bytes;
    }
  };
  for (unsigned b = 0x80; b < 0x100; ++b) {
    TConverted how = TConverted::Invalid;
    const char in = static_cast<char>(b);
    const char32_t c = CharOf(toUnicode, std::string_view(&in, 1), how);
    if (c != 0) {
      FChars[b] = c;
      add(c, static_cast<uint16_t>(b));
    } else if (how == TConverted::Incomplete && FDoubleByte) {
      FLead[b] = true;
    } else if (!FDoubleByte && b < 0xA0) {
      FChars[b] = b;
      add(b, static_cast<uint16_t>(b));
    }
  }
  if (!FDoubleByte) return;
  FPairs.assign(0x10000, 0);
  for (unsigned lead = 0x80; lead < 0x100; ++lead) {
    if (!FLead[lead]) continue;
    for (unsigned trail = 0; trail < 0x100; ++trail) {
      const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      TConverted how = TConverted::Invalid;
      const char32_t c = CharOf(toUnicode, std::string_view(in, 2), how);
      if (c == 0) continue;
      const auto pair = static_cast<uint16_t>(lead << 8 | trail);
      FPairs[pair] = c;
      add(c, pair);
    }
  }
}

void TCodePageCodec::Add(char32_t c, uint16_t bytes) {
  if (c >= 0x80) FBytesOf.emplace(c, bytes);
}

size_t TCodePageCodec::CharAt(std::string_view bytes, size_t i, char32_t& c) const {
  const unsigned char b = At(bytes, i);
  if (FLead[b]) {
    c = i + 1 < bytes.size() ? FPairs[static_cast<size_t>(b) << 8 | At(bytes, i + 1)] : 0;
    return c != 0 ? 2 : 0;
  }
  c = FChars[b];
  return c != 0 || b == 0 ? 1 : 0;
}

size_t TCodePageCodec::EncodeTo(char32_t c, char* out) const {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  const auto it = FBytesOf.find(c);
  if (it == FBytesOf.end()) return 0;
  const uint16_t bytes = it->second;
  if (bytes < 0x100) {
    out[0] = static_cast<char>(bytes);
    return 1;
  }
  out[0] = static_cast<char>(bytes >> 8);
  out[1] = static_cast<char>(bytes & 0xFF);
  return 2;
}

bool TCodePageCodec::Encode(char32_t c, std::string& out) const {
  char bytes[2];
  const size_t n = EncodeTo(c, bytes);
  out.append(bytes, n);
  return n > 0;
}

TUtf8Scan ScanUtf8(std::string_view bytes) {
  TUtf8Scan scan;
  std::vector<uint64_t> seen;
  for (size_t i = utf8::FindNonAscii(bytes, 0); i < bytes.size();
       i = utf8::FindNonAscii(bytes, i)) {
    char32_t c = 0;
    const size_t length = utf8::DecodeOne(bytes, i, c);
    if (length == 0) return scan;
    if (seen.empty()) seen.assign(0x110000 / 64, 0);
    seen[c / 64] |= uint64_t{1} << (c % 64);
    i += length;
  }
  scan.Valid = true;
  for (size_t word = 0; word < seen.size(); ++word) {
    for (uint64_t bits = seen[word]; bits != 0; bits &= bits - 1) {
      scan.Chars.push_back(static_cast<char32_t>(word * 64 + __builtin_ctzll(bits)));
    }
  }
  return scan;
}

std::optional<TCodePage> FirstHolding(const std::vector<char32_t>& chars) {
  for (const TCodePage page : kCodePages) {
    const TCodePageCodec& codec = TCodePageCodec::Of(page);
    bool all = true;
    for (const char32_t c : chars) {
      if (!codec.Holds(c)) {
        all = false;
        break;
      }
    }
    if (all) return page;
  }
  return std::nullopt;
}

std::optional<TCodePage> CodePageFor(std::string_view utf8) {
  const TUtf8Scan scan = ScanUtf8(utf8);
  if (!scan.Valid) return std::nullopt;
  return FirstHolding(scan.Chars);
}

// A character beyond ASCII is at least two bytes of UTF-8 and at most two of a code
// page, so the converted text is written over what was already read.
size_t FromUtf8(std::string& text, TCodePage page) {
  const TCodePageCodec& codec = TCodePageCodec::Of(page);
  size_t replaced = 0;
  size_t read = utf8::FindNonAscii(text, 0);
  size_t written = read;
  while (read < text.size()) {
    char32_t c = 0;
    size_t length = utf8::DecodeOne(text, read, c);
    char bytes[2];
    size_t n = length > 0 ? codec.EncodeTo(c, bytes) : 0;
    if (n == 0) {
      bytes[0] = '?';
      n = 1;
      ++replaced;
    }
    read += std::max<size_t>(length, 1);
    std::memcpy(text.data() + written, bytes, n);
    written += n;
    const size_t next = utf8::FindNonAscii(text, read);
    if (written != read) std::memmove(text.data() + written, text.data() + read, next - read);
    written += next - read;
    read = next;
  }
  text.resize(written);
  return replaced;
}

size_t AppendUtf8(std::string& out, std::string_view bytes, TCodePage page) {
  const TCodePageCodec& codec = TCodePageCodec::Of(page);
  size_t invalid = 0;
  size_t i = 0;
  while (i < bytes.size()) {
    // Every lead byte is beyond ASCII: a character boundary is never skipped over.
    const size_t next = utf8::FindNonAscii(bytes, i);
    out.append(bytes.substr(i, next - i));
    if (next == bytes.size()) break;
    char32_t c = 0;
    size_t length = codec.CharAt(bytes, next, c);
    if (length == 0) {
      c = 0xFFFD;
      length = 1;
      ++invalid;
    }
    utf8::Append(out, c);
    i = next + length;
  }
  return invalid;
}

}  // namespace codepage
