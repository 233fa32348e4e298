#pragma once
// Splits a zero-terminated line of text into tokens for the highlighter, in one of eight
// lexical styles; remembers where the latest tokens lie so they can be coloured and
// un-read.
#include <cstdint>
#include <string>
#include <vector>

enum TParserStyle : uint8_t { psPascal, psCpp, psPython, psVB, psHtml, psPerl, psCocoR, psMarvek };

class TIParser {
 public:
  TIParser();

  // The text being scanned: it ends at the first zero byte. The caller owns it.
  const char* TextStart = nullptr;
  // Where the next NextToken starts; inside the text or on its terminating zero.
  const char* Position = nullptr;
  TParserStyle Style = psPascal;
  // False: comments are skipped like blanks; true: each is returned as a token.
  bool KeepComments = false;

  // The next token; empty at the end of the text.
  std::string NextToken();
  void NextToken(std::string& token) { token = NextToken(); }
  // 0-based offset of the first character of the token read Back tokens ago.
  int TokenStart(int back) const;
  // 0-based offset just past the last character of that token.
  int TokenEnd(int back) const;
  // Un-reads the Count latest tokens.
  void StepBack(int count);
  int HistorySize() const { return static_cast<int>(FHistory.size()); }
  void SetHistorySize(int count);

 private:
  struct Recorded {
    std::string Token;
    int Start = 0;      // 0-based offset of the token's first character in the text
    int LastChar = -1;  // 0-based offset of the token's last character (none yet: -1)
  };
  int Slot(int back) const;
  void Record(const std::string& token, int start);
  std::vector<Recorded> FHistory;
  int FHistoryNext = 0;
};
