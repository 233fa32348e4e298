#include "util/FileText.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "util/Utf8.h"

namespace filetext {
namespace {

// The writing systems of Chars and the first character none holds.
void NoteHoldings(const std::vector<char32_t>& chars, TFileText& text) {
  for (const char32_t c : chars) {
    const auto page = codepage::FirstHolding({c});
    if (!page) {
      if (text.Unholdable == 0) text.Unholdable = c;
      continue;
    }
    if (std::find(text.Holds.begin(), text.Holds.end(), *page) == text.Holds.end())
      text.Holds.push_back(*page);
  }
  std::sort(text.Holds.begin(), text.Holds.end(), [](TCodePage a, TCodePage b) {
    const auto& list = codepage::kCodePages;
    return std::find(list.begin(), list.end(), a) < std::find(list.begin(), list.end(), b);
  });
}

}  // namespace

TFileText Decode(std::string& bytes, std::optional<TCodePage> page) {
  TFileText text;
  if (page) {
    text.Page = *page;
    return text;
  }
  const bool bom = bytes.starts_with(textcodec::kUtf8Bom);
  const std::string_view body =
      std::string_view(bytes).substr(bom ? textcodec::kUtf8Bom.size() : 0);
  const bool ascii = utf8::FindNonAscii(body, 0) == body.size();
  if (ascii && !bom) return text;
  codepage::TUtf8Scan scan;
  if (!ascii) {
    scan = codepage::ScanUtf8(body);
    // Not UTF-8 after all: the bytes of Windows-1252, as they are (a mark included).
    if (!scan.Valid) return text;
  }
  text.Encoding = bom ? TTextEncoding::Utf8Bom : TTextEncoding::Utf8;
  if (const auto holding = codepage::FirstHolding(scan.Chars)) {
    if (bom) bytes.erase(0, textcodec::kUtf8Bom.size());
    text.Page = *holding;
    codepage::FromUtf8(bytes, text.Page);
    return text;
  }
  text.Unmappable = textcodec::Decode(bytes).Unmappable;
  NoteHoldings(scan.Chars, text);
  return text;
}

std::string DescribeHoldings(const TFileText& text) {
  std::string systems;
  for (size_t i = 0; i < text.Holds.size(); ++i) {
    if (i > 0) systems += i + 1 == text.Holds.size() ? " and " : ", ";
    systems += codepage::WritingSystem(text.Holds[i]);
  }
  std::string out;
  if (!systems.empty()) out = systems + " characters";
  if (text.Unholdable != 0) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(text.Unholdable));
    if (!out.empty()) out += ", and ";
    out += "characters that no code page holds, such as ";
    utf8::Append(out, text.Unholdable);
    out += " (" + std::string(code) + ")";
  }
  return out;
}

}  // namespace filetext
