#include "util/RAStrUtil.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "util/Errors.h"

namespace {

// S[pos] (1-based) ends a word.
bool IsSeparatorAt(const std::string& s, int pos, const Locale& locale) {
  return IsWordSeparatorAt(s, static_cast<size_t>(pos - 1), locale);
}

bool SameTextPrefix(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  const Locale& locale = DefaultLocale();
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (locale.Lower(static_cast<unsigned char>(text[i])) !=
        locale.Lower(static_cast<unsigned char>(prefix[i])))
      return false;
  }
  return true;
}

}  // namespace

bool IsWordSeparator(unsigned char c) {
  static constexpr std::string_view kSeparators("\0\n\r \"#%'()*+,-./:;<=>[\\]{}", 26);
  return kSeparators.find(static_cast<char>(c)) != std::string_view::npos;
}

bool IsWordSeparatorAt(std::string_view s, size_t index, const Locale& locale) {
  return IsWordSeparator(static_cast<unsigned char>(s[index])) && !locale.IsTrailByte(s, index);
}

std::string Blanks(int n) {
  return n > 0 ? std::string(static_cast<size_t>(n), ' ') : std::string();
}

bool CharOccurs(char ch, const std::string& s) {
  return s.find(ch) != std::string::npos;
}

bool AnyCharOccurs(const std::string& chars, const std::string& s) {
  return !chars.empty() && s.find_first_of(chars) != std::string::npos;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b, const Locale& locale) {
  return locale.SameText(a, b);
}

// Bytes of a double-byte character are left alone: mapping them one by one would turn
// the character into another.
std::string InvertCase(const std::string& s, const Locale& locale) {
  std::string r(s);
  for (size_t i = 0; i < r.size(); ++i) {
    if (locale.ByteType(s, i) != TMbcsByteType::mbSingleByte) continue;
    auto c = static_cast<unsigned char>(r[i]);
    unsigned char upper = locale.Upper(c);
    r[i] = static_cast<char>(c == upper ? locale.Lower(c) : upper);
  }
  return r;
}

std::string WordAtPos(const std::string& s, int pos, const Locale& locale) {
  const int len = static_cast<int>(s.size());
  if (pos < 1 || pos > len) return {};
  int b = pos;
  while (b >= 1 && !IsSeparatorAt(s, b, locale)) --b;
  ++b;
  int e = pos;
  while (e <= len && !IsSeparatorAt(s, e, locale)) ++e;
  if (e > b) return s.substr(static_cast<size_t>(b - 1), static_cast<size_t>(e - b));
  return s.substr(static_cast<size_t>(pos - 1), 1);
}

std::string WordBoundsAtPos(const std::string& s, int pos, int& beg, int& end,
                            const Locale& locale) {
  const int len = static_cast<int>(s.size());
  if (pos < 1 || pos > len) return {};
  beg = pos;
  if (pos > 1 && IsSeparatorAt(s, pos, locale)) {
    // Just after a word the caret takes that word; between two separators it does not.
    beg = IsSeparatorAt(s, pos - 1, locale) ? pos + 1 : pos - 1;
  }
  if (beg > len) beg = pos - 1;
  while (beg >= 1 && !IsSeparatorAt(s, beg, locale)) --beg;
  ++beg;
  end = pos;
  while (end <= len && !IsSeparatorAt(s, end, locale)) ++end;
  if (end > beg) return s.substr(static_cast<size_t>(beg - 1), static_cast<size_t>(end - beg));
  return s.substr(static_cast<size_t>(pos - 1), 1);
}

std::string FieldAt(const std::string& s, int index, const std::string& separator) {
  if (index < 0 || s.empty()) return {};
  if (index == 0 && separator == s.substr(0, 1)) return {};
  size_t p = 0;
  for (int i = 0; i < index; ++i) {
    size_t found = s.find(separator, p);
    if (found == std::string::npos) return {};
    p = found + separator.size();
    if (p >= s.size()) return {};
  }
  size_t q = s.find(separator, p + 1);
  if (q == std::string::npos) q = s.size();
  if (SameTextPrefix(std::string_view(s).substr(p), separator)) return {};
  return s.substr(p, q - p);
}

void OffsetToColLine(const std::string& s, int offset, int& col, int& line) {
  col = -1;
  line = -1;
  if (offset < 0 || offset > static_cast<int>(s.size())) return;
  line = 0;
  int lineStart = 0;
  for (int i = 0; i < offset; ++i) {
    if (s[static_cast<size_t>(i)] == '\r') {
      ++line;
      lineStart = i + 2;
    }
  }
  col = offset - lineStart;
}

std::string ReplaceAll(const std::string& s, const std::string& oldText,
                       const std::string& newText) {
  if (oldText.empty()) return s;
  size_t count = 0;
  for (size_t at = s.find(oldText); at != std::string::npos;
       at = s.find(oldText, at + oldText.size()))
    ++count;
  if (count == 0) return s;
  std::string r;
  r.reserve(s.size() - count * oldText.size() + count * newText.size());
  size_t from = 0;
  for (size_t found; (found = s.find(oldText, from)) != std::string::npos;
       from = found + oldText.size()) {
    r.append(s, from, found - from);
    r += newText;
  }
  r.append(s, from, std::string::npos);
  return r;
}

int StrToInt(const std::string& s) {
  std::string_view text(s);
  const bool signed_ = !text.empty() && (text.front() == '+' || text.front() == '-');
  std::string_view body = text.substr(signed_ ? 1 : 0);
  const bool allDigits = !body.empty() && std::all_of(body.begin(), body.end(),
                                                      [](char c) { return c >= '0' && c <= '9'; });
  if (allDigits) {
    // from_chars takes a minus sign but no plus sign.
    std::string_view number = text.front() == '-' ? text : body;
    int value = 0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc() && ptr == number.data() + number.size()) return value;
  }
  throw EConvertError("'" + s + "' is not a valid integer value");
}
