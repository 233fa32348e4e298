#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "highlight/RAHLParser.h"

namespace {

struct Tok {
  std::string Text;
  int Start;
  int End;
  bool operator==(const Tok&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Tok& t) {
  return os << "{\"" << t.Text << "\", " << t.Start << ", " << t.End << "}";
}

// All tokens of Text (without the final empty one) with their positions.
std::vector<Tok> Scan(const std::string& text, TParserStyle style, bool keepComments = true) {
  TIParser p;
  p.Style = style;
  p.KeepComments = keepComments;
  p.TextStart = p.Position = text.c_str();
  std::vector<Tok> out;
  for (std::string t = p.NextToken(); !t.empty(); t = p.NextToken())
    out.push_back({t, p.TokenStart(0), p.TokenEnd(0)});
  return out;
}

std::vector<std::string> Texts(const std::string& text, TParserStyle style,
                               bool keepComments = true) {
  std::vector<std::string> out;
  for (const Tok& t : Scan(text, style, keepComments)) out.push_back(t.Text);
  return out;
}

using V = std::vector<std::string>;

}  // namespace

TEST(Parser, EndOfTextIsTheEmptyTokenAndStaysSo) {
  for (const char* text : {"", "   ", " \r\n "}) {
    TIParser p;
    const std::string s = text;
    p.TextStart = p.Position = s.c_str();
    EXPECT_EQ(p.NextToken(), "");
    EXPECT_EQ(p.NextToken(), "");
    EXPECT_EQ(p.Position, s.c_str() + s.size());
  }
  // A tab is a token of its own, not a blank.
  EXPECT_EQ(Texts("a\tb", psPascal), (V{"a", "\t", "b"}));
}

TEST(Parser, IdentifiersNumbersAndSingleCharacters) {
  EXPECT_EQ(Texts("_ab1 := 1.2.3;", psPascal), (V{"_ab1", ":", "=", "1.2.3", ";"}));
  EXPECT_EQ(Texts("0x1F", psCpp), (V{"0", "x1F"}));
  EXPECT_EQ(Texts("$1F $G", psPascal), (V{"$1F", "$", "G"}));
  EXPECT_EQ(Texts("$1F", psCpp), (V{"$", "1", "F"}));
  EXPECT_EQ(Texts("a\xE9z", psCpp), (V{"a", "\xE9", "z"}));
}

TEST(Parser, PascalCommentsAndStrayClosers) {
  EXPECT_EQ(Scan("{ open", psPascal), (std::vector<Tok>{{"{ open", 0, 6}}));
  EXPECT_EQ(Texts("{ open", psPascal, false), V{});
  EXPECT_EQ(Texts("a } b", psPascal), (V{"a", "} b"}));
  EXPECT_EQ(Texts("a *) b", psPascal), (V{"a", "*) b"}));
  EXPECT_EQ(Texts("x {c} y (* d *) z // e", psPascal),
            (V{"x", "{c}", "y", "(* d *)", "z", "// e"}));
  EXPECT_EQ(Texts("x {c} y (* d *) z // e", psPascal, false), (V{"x", "y", "z"}));
  // "(*)" does not close itself.
  EXPECT_EQ(Texts("(*) a", psPascal), (V{"(*) a"}));
  EXPECT_EQ(Texts("(**) a", psPascal), (V{"(**)", "a"}));
}

TEST(Parser, CommentFormsDependOnStyle) {
  EXPECT_EQ(Texts("/*/ x */ y", psCpp), (V{"/*/ x */", "y"}));
  EXPECT_EQ(Texts("/*/", psCpp), (V{"/*/"}));
  EXPECT_EQ(Texts("a */ b", psCpp), (V{"a", "*/ b"}));
  // The stray "*/" closer is a C++ rule only.
  EXPECT_EQ(Texts("a */ b", psMarvek), (V{"a", "*", "/", "b"}));
  EXPECT_EQ(Texts("x # note", psMarvek), (V{"x", "# note"}));
  EXPECT_EQ(Texts("a // b", psMarvek), (V{"a", "/", "/", "b"}));
  EXPECT_EQ(Texts("a /* b */ c", psMarvek), (V{"a", "/* b */", "c"}));
  EXPECT_EQ(Texts("a # b", psCpp), (V{"a", "#", "b"}));
  EXPECT_EQ(Texts("a ' b", psVB), (V{"a", "' b"}));
  EXPECT_EQ(Texts("a # b", psPython), (V{"a", "# b"}));
  EXPECT_EQ(Texts("(* a *) // b /* c */", psCocoR), (V{"(* a *)", "// b /* c */"}));
  EXPECT_EQ(Texts("{ a }", psCocoR), (V{"{", "a", "}"}));
  // A line comment ends before a carriage return.
  EXPECT_EQ(Texts("// a\rb", psCpp), (V{"// a", "b"}));
  // HTML has no comments at all.
  EXPECT_EQ(Texts("a /* b", psHtml), (V{"a", "/*", "b"}));
}

TEST(Parser, SingleQuotedStringsReduceDoubledQuotesButKeepTheirPositions) {
  EXPECT_EQ(Scan("'it''s' x", psPascal), (std::vector<Tok>{{"'it's'", 0, 7}, {"x", 8, 9}}));
  EXPECT_EQ(Scan("a 'x''''y'", psCpp), (std::vector<Tok>{{"a", 0, 1}, {"'x''y'", 2, 10}}));
  EXPECT_EQ(Scan("''", psMarvek), (std::vector<Tok>{{"''", 0, 2}}));
  // Unterminated: to the end of the text, also when it ends in a doubled quote.
  EXPECT_EQ(Scan("'abc", psPascal), (std::vector<Tok>{{"'abc", 0, 4}}));
  EXPECT_EQ(Scan("'ab''", psPascal), (std::vector<Tok>{{"'ab'", 0, 5}}));
  EXPECT_EQ(Scan("'''", psPython), (std::vector<Tok>{{"''", 0, 3}}));
  // A VB comment with quotes inside keeps its positions too.
  EXPECT_EQ(Scan("x 'a'b", psVB), (std::vector<Tok>{{"x", 0, 1}, {"'a'b", 2, 6}}));
}

TEST(Parser, DoubleQuotedStringsPerStyle) {
  // Escaped quotes in C-like styles.
  EXPECT_EQ(Texts(R"(a "x\"y" b)", psCpp), (V{"a", R"("x\"y")", "b"}));
  EXPECT_EQ(Texts(R"("x\" b)", psCpp), (V{R"("x\" b)"}));
  EXPECT_EQ(Texts(R"("x\"y" z)", psMarvek), (V{R"("x\"y")", "z"}));
  // No escapes in Python and VB.
  EXPECT_EQ(Texts(R"("x\"y" z)", psPython), (V{R"("x\")", "y", "\" z"}));
  EXPECT_EQ(Texts("\"open", psVB), (V{"\"open"}));
  // Pascal has no double-quoted strings.
  EXPECT_EQ(Texts("\"a\"", psPascal), (V{"\"", "a", "\""}));
}

TEST(Parser, PerlVariablesAndQuotes) {
  EXPECT_EQ(Texts("$name %h &f @list $ x", psPerl), (V{"$name", "%h", "&f", "@list", "$", "x"}));
  EXPECT_EQ(Texts("$1", psPerl), (V{"$1"}));
  // A quote right after "/" is one character; after a blank it starts a string.
  EXPECT_EQ(Texts("/\"a", psPerl), (V{"/", "\"", "a"}));
  EXPECT_EQ(Texts("/ \"a b\"", psPerl), (V{"/", "\"a b\""}));
  EXPECT_EQ(Texts("\"a\"", psPerl), (V{"\"a\""}));
}

TEST(Parser, HtmlTagSequence) {
  EXPECT_EQ(Scan("</p class=\"x y\">", psHtml), (std::vector<Tok>{{"<", 0, 1},
                                                                  {"/", 1, 2},
                                                                  {"p", 2, 3},
                                                                  {"class", 4, 9},
                                                                  {"=", 9, 10},
                                                                  {"\"x y\"", 10, 15},
                                                                  {">", 15, 16}}));
  // "/", "&", ";" and quotes belong to words; a "/" not after "<" too.
  EXPECT_EQ(Texts("a/b &amp;c 'q' <br/>", psHtml), (V{"a/b", "&amp;c", "'q'", "<", "br/", ">"}));
  EXPECT_EQ(Texts("/x", psHtml), (V{"/x"}));
}

TEST(Parser, StepBackReReadsWithTheSamePositions) {
  const std::string text = "alpha 'it''s' beta";
  TIParser p;
  p.TextStart = p.Position = text.c_str();
  EXPECT_EQ(p.NextToken(), "alpha");
  EXPECT_EQ(p.NextToken(), "'it's'");
  const int start = p.TokenStart(0), end = p.TokenEnd(0);
  p.StepBack(1);
  EXPECT_EQ(p.TokenEnd(0), 5);  // alpha is the latest again
  EXPECT_EQ(p.NextToken(), "'it's'");
  EXPECT_EQ(p.TokenStart(0), start);
  EXPECT_EQ(p.TokenEnd(0), end);
  EXPECT_EQ(p.TokenStart(1), 0);
  EXPECT_EQ(p.TokenEnd(1), 5);

  p.StepBack(2);
  EXPECT_EQ(p.Position, text.c_str());
  EXPECT_EQ(p.NextToken(), "alpha");
  EXPECT_EQ(p.NextToken(), "'it's'");
  EXPECT_EQ(p.NextToken(), "beta");
  EXPECT_EQ(p.NextToken(), "");
  // The end token is recorded too.
  EXPECT_EQ(p.TokenStart(0), 18);
  EXPECT_EQ(p.TokenEnd(0), 18);
  EXPECT_EQ(p.TokenEnd(1), 18);
}

TEST(Parser, HistoryRingWrapsAndResizes) {
  const std::string text = "a b c d e f g h i j k l";
  TIParser p;
  EXPECT_EQ(p.HistorySize(), 10);
  p.TextStart = p.Position = text.c_str();
  for (int i = 0; i < 12; ++i) p.NextToken();
  EXPECT_EQ(p.TokenStart(0), 22);  // "l"
  EXPECT_EQ(p.TokenStart(9), 4);   // "c": ten tokens back fits in ten slots
  p.StepBack(3);
  EXPECT_EQ(p.NextToken(), "j");

  p.SetHistorySize(3);
  EXPECT_EQ(p.HistorySize(), 3);
  p.SetHistorySize(5);
  EXPECT_EQ(p.HistorySize(), 5);
  p.Position = text.c_str();
  for (int i = 0; i < 7; ++i) p.NextToken();  // a..g
  EXPECT_EQ(p.TokenStart(0), 12);
  EXPECT_EQ(p.TokenStart(4), 4);

  // Without slots nothing is recorded, and nothing breaks.
  p.SetHistorySize(0);
  EXPECT_EQ(p.NextToken(), "h");
  EXPECT_EQ(p.TokenEnd(0), 0);
  p.StepBack(1);
}

TEST(Parser, NeverReadsPastTheTerminatingZero) {
  // Each text is copied into a buffer of exactly its size so that the sanitizer sees any
  // read beyond the zero.
  const char* texts[] = {"{",  "(*", "/*", "'", "\"", "\"\\", "$",       "a", "1.",
                         "//", "<",  "/",  "(", "*",  "'a''", "\"a\\\"", "&"};
  for (int style = psPascal; style <= psMarvek; ++style) {
    for (const char* t : texts) {
      const size_t n = std::char_traits<char>::length(t) + 1;
      std::vector<char> buf(t, t + n);
      TIParser p;
      p.Style = static_cast<TParserStyle>(style);
      p.KeepComments = style % 2 == 0;
      p.TextStart = p.Position = buf.data();
      int guard = 0;
      while (!p.NextToken().empty() && ++guard < 10) {
      }
      EXPECT_EQ(p.Position, buf.data() + n - 1) << t << " style " << style;
    }
  }
}
