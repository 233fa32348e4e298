// The token scanner in every style, on any line: it ends, every token lies inside the
// text in order, and a token un-read is read again the same.
#include <cstring>

#include "FuzzTarget.h"
#include "highlight/RAHLParser.h"

FUZZ_TARGET(scanner) {
  fuzz::Bytes in(data, size);
  TIParser parser;
  parser.Style = static_cast<TParserStyle>(in.Below(psMarvek + 1));
  const uint8_t options = in.Byte();
  parser.KeepComments = (options & 1) != 0;
  const bool stepBack = (options & 2) != 0;
  const std::string text = in.Rest();
  // The scanner reads up to the first zero byte, as a line handed to it ends there.
  const int length = static_cast<int>(std::strlen(text.c_str()));
  parser.TextStart = text.c_str();
  parser.Position = parser.TextStart;
  int lastEnd = 0;
  for (int count = 0;; ++count) {
    FUZZ_CHECK(count <= length + 1);
    const std::string token = parser.NextToken();
    FUZZ_CHECK(parser.Position >= parser.TextStart && parser.Position <= parser.TextStart + length);
    if (token.empty()) break;
    const int start = parser.TokenStart(0);
    const int end = parser.TokenEnd(0);
    FUZZ_CHECK(start >= lastEnd && start < end && end <= length);
    FUZZ_CHECK(end <= parser.Position - parser.TextStart);
    lastEnd = end;
    if (stepBack) {
      parser.StepBack(1);
      FUZZ_CHECK(parser.NextToken() == token);
      FUZZ_CHECK(parser.TokenStart(0) == start && parser.TokenEnd(0) == end);
    }
  }
  // At the end it stays at the end.
  FUZZ_CHECK(parser.NextToken().empty());
}
