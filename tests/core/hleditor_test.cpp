#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "highlight/RAHLEditor.h"
#include "support/EditorFixture.h"

namespace {

class TestHLEditor : public TRAHLEditor {
 public:
  using TRAHLEditor::GetAttr;
  using TRAHLEditor::TRAHLEditor;
};

// Each class gets a colour of its own so that a line's colouring reads as one letter per
// character: Comment, Number, Strings, sYmbol, Reserved, Identifer, Preproc, Functioncall,
// Declaration, sTatement, PlainText as ".", and "?" for anything else.
constexpr char kLetters[] = "CNSYRIPFDT.";

struct HLEditorTest : ::testing::Test {
  HLEditorTest() {
    TColors& c = editor().Colors();
    TSymbolColor* all[] = {&c.Comment,     &c.Number,    &c.Strings,  &c.Symbol,
                           &c.Reserved,    &c.Identifer, &c.Preproc,  &c.FunctionCall,
                           &c.Declaration, &c.Statement, &c.PlainText};
    for (int i = 0; i < 11; ++i) all[i]->ForeColor = 1000 + i;
  }
  TestHLEditor& editor() { return *h.editor; }

  // Colours line Index of Text under Hl and returns its letters for positions 1..Count.
  std::string Classes(const std::string& text, THighLighter hl, int index = 0, int count = -1) {
    editor().SetHighLighter(hl);
    h.SetText(text);
    return Letters(index, count);
  }
  std::string Letters(int index, int count = -1) {
    editor().GetAttr(index, 0, 0);
    if (count < 0) count = static_cast<int>(editor().Lines()[index].size());
    std::string out;
    for (int i = 1; i <= count; ++i) out += Letter(editor().LineAttrs()[i]);
    return out;
  }
  static char Letter(const TLineAttr& a) {
    const int k = a.ForeColor - 1000;
    return k >= 0 && k < 11 ? kLetters[k] : '?';
  }

  EditorHarness<TestHLEditor> h;
};

bool Same(const TLineAttr& a, const TSymbolColor& c) {
  return a.ForeColor == c.ForeColor && a.BackColor == c.BackColor && a.Style == c.Style;
}

}  // namespace

TEST(Colors, DefaultsAndIndependentCopies) {
  TColors a;
  EXPECT_EQ(a.Comment.ForeColor, clOlive);
  EXPECT_EQ(a.Comment.Style, fsItalic);
  EXPECT_EQ(a.Number.ForeColor, clNavy);
  EXPECT_EQ(a.Strings.ForeColor, clPurple);
  EXPECT_EQ(a.Symbol.ForeColor, clBlue);
  EXPECT_EQ(a.Reserved.Style, fsBold);
  EXPECT_EQ(a.Preproc.ForeColor, clGreen);
  EXPECT_EQ(a.Statement.Style, fsBold);
  for (const TSymbolColor* c :
       {&a.Comment, &a.Number, &a.Strings, &a.Symbol, &a.Reserved, &a.Identifer, &a.Preproc,
        &a.FunctionCall, &a.Declaration, &a.Statement, &a.PlainText})
    EXPECT_EQ(c->BackColor, clWindow);

  TColors b;
  b.Reserved.SetAll(clRed, clWhite, fsBold | fsUnderline);
  a.Assign(b);
  EXPECT_EQ(a.Reserved.ForeColor, clRed);
  EXPECT_EQ(a.Reserved.BackColor, clWhite);
  EXPECT_EQ(a.Reserved.Style, fsBold | fsUnderline);
  b.Reserved.ForeColor = clGreen;
  EXPECT_EQ(a.Reserved.ForeColor, clRed);
}

TEST_F(HLEditorTest, CreationValues) {
  EXPECT_EQ(editor().HighLighter(), hlPascal);
  EXPECT_TRUE(editor().LongTokens());
  EXPECT_TRUE(editor().SyntaxHighlighting());
  EXPECT_EQ(editor().GrammarLine(), 2147483647);
  EXPECT_EQ(editor().LineState(0), 0);
  EXPECT_EQ(Classes("BEGIN x", hlPascal), "RRRRR.I");
}

TEST_F(HLEditorTest, NoHighlighterGivesPlainTextAndTheControlsLookAfterTheLine) {
  TFont font = editor().Font();
  font.Color = clRed;
  font.Style = fsItalic;
  editor().SetFont(font);
  editor().SetColor(clSilver);
  EXPECT_EQ(Classes("begin 'x' {c}", hlNone), ".............");
  const TLineAttr& tail = editor().LineAttrs()[14];
  EXPECT_EQ(tail.ForeColor, clRed);
  EXPECT_EQ(tail.Style, fsItalic);
  EXPECT_EQ(tail.BackColor, clSilver);
  EXPECT_EQ(editor().LineAttrs()[1024], tail);
}

TEST_F(HLEditorTest, PascalAndCppWords) {
  EXPECT_EQ(Classes("Begin x := 'a''b' + $1F; { c } // d", hlPascal),
            "RRRRR.I.YY.SSSSSS.Y.NNNY.CCCCC.CCCC");
  EXPECT_EQ(Classes("while While 1.5 1.2.3 ?!", hlCBuilder), "RRRRR.IIIII.NNN.IIIII.II");
  EXPECT_EQ(Classes("#include <stdio.h>", hlCBuilder), "PPPPPPPPPPPPPPPPPP");
  EXPECT_EQ(Classes("x = 0x1F; /* c */", hlCBuilder), "I.Y.NNNNY.CCCCCCC");
  EXPECT_EQ(Classes("0x1F", hlSql), "NIII");
  EXPECT_EQ(Classes("SELECT a", hlSql), "RRRRRR.I");
  EXPECT_EQ(Classes("function f() { return \"s\" }", hlJava), "IIIIIIII.DYY.Y.RRRRRR.SSS.Y");
}

TEST_F(HLEditorTest, PythonDeclarationsCallsAndNone) {
  EXPECT_EQ(Classes("def foo(x):", hlPython), "RRR.DDDYIYY");
  EXPECT_EQ(Classes("foo (1)", hlPython), "FFF.YNY");
  EXPECT_EQ(Classes("y = None # c", hlPython), "I.Y.NNNN.CCC");
  EXPECT_EQ(Classes("class K: 0x1", hlPython), "RRRRR.DY.NNN");
  EXPECT_EQ(Classes("# whole line", hlPython), "CCCCCCCCCCCC");
}

TEST_F(HLEditorTest, ScriptLanguage) {
  EXPECT_EQ(Classes("# goto Wait", hlMarvek), "CCCCCCCCCCC");
  EXPECT_EQ(Classes("goto Goto Wait wait", hlMarvek), "RRRR.IIII.TTTT.IIII");
  EXPECT_EQ(Classes("exitscript ExitScript", hlMarvek), "RRRRRRRRRR.IIIIIIIIII");
  EXPECT_EQ(Classes("GetCameraStatus(\"a\\\"b\", 'q') # c", hlMarvek),
            "TTTTTTTTTTTTTTTYSSSSSSY.IIIY.CCC");
  EXPECT_EQ(Classes("x /* c */ 1.5 // y", hlMarvek), "I.CCCCCCC.NNN.YY.I");
}

TEST_F(HLEditorTest, VBAndPerl) {
  EXPECT_EQ(Classes("Dim x: write 'c", hlVB), "RRR.IY.TTTTT.CC");
  EXPECT_EQ(Classes("SUB foo", hlVB), "RRR.DDD");
  EXPECT_EQ(Classes("print $x, @l; eq \"s\"", hlPerl), "TTTTT.FFY.FFY.RR.SSS");
  EXPECT_EQ(Classes("#!perl", hlPerl), "CCCCCC");
}

TEST_F(HLEditorTest, HtmlTagsAttributesAndEntities) {
  EXPECT_EQ(Classes("<p class=\"x\">A &amp; B</p>", hlHtml), "RR.IIIIIYSSSR..PPPPP..RRRR");
  EXPECT_EQ(Classes("<foo a=b>&nope; &lt;</foo>", hlHtml), "RTTT.IYSR.......PPPPRRTTTR");
  EXPECT_EQ(Classes("x&AMP;y&Amp;", hlHtml), ".PPPPP.PPPPP");
}

TEST_F(HLEditorTest, IniLines) {
  EXPECT_EQ(Classes("[Main]\nkey=value\n; note\n# note\nplain", hlIni, 0), "DDDDDD");
  EXPECT_EQ(Letters(1), "IIIYSSSSS");
  EXPECT_EQ(Letters(2), "CCCCCC");
  EXPECT_EQ(Letters(3), "CCCCCC");
  EXPECT_EQ(Letters(4), ".....");
}

TEST_F(HLEditorTest, GrammarProductionsAndMarker) {
  const std::string text =
      "COMPILER X\na\nb\nc\nd\nPRODUCTIONS\nExpr = Term .\nEnd.\n(* -->Grammar<-- *)\nx";
  EXPECT_EQ(Classes(text, hlCocoR, 6), "DDDD.Y.IIII.Y");
  EXPECT_EQ(editor().GrammarLine(), 5);
  EXPECT_EQ(Letters(0), "RRRRRRRR.I");
  EXPECT_EQ(Letters(8), "CCCPPPPPPPPPPPPPCCC");
  // The same production line above the marker line is not a declaration.
  EXPECT_EQ(Classes("Expr = Term .\nPRODUCTIONS\nx", hlCocoR, 0), "IIII.Y.IIII.Y");
}

TEST_F(HLEditorTest, ReservedWordHandlerSeesEveryToken) {
  std::vector<std::string> seen;
  editor().OnReservedWord = [&](TRAHLEditor* sender, const std::string& token, bool& reserved) {
    EXPECT_EQ(sender, &editor());
    EXPECT_FALSE(reserved);
    seen.push_back(token);
    reserved = true;
  };
  EXPECT_EQ(Classes("x 'a' { c } 1", hlPascal), "R.RRR.RRRRR.R");
  EXPECT_EQ(seen, (std::vector<std::string>{"x", "'a'", "{ c }", "1"}));

  // Tokens it does not reserve fall to the general rules, never to the language's words.
  editor().OnReservedWord = [](TRAHLEditor*, const std::string& t, bool& r) { r = t == "foo"; };
  EXPECT_EQ(Classes("foo begin 'a' 2", hlPascal), "RRR.IIIII.SSS.N");
  // A handler switches highlighting on even without a highlighter.
  EXPECT_EQ(Classes("foo + bar", hlNone), "RRR.Y.III");

  // A failing handler ends the line's colouring; what was coloured stays.
  editor().OnReservedWord = [](TRAHLEditor*, const std::string& t, bool& r) {
    if (t == "boom") throw std::runtime_error("handler failed");
    r = true;
  };
  EXPECT_EQ(Classes("a b boom c", hlPascal), "R.R.......");
}

TEST_F(HLEditorTest, LongLinesAreColouredUpToTheLastAttribute) {
  std::string line;
  while (line.size() < 2000) line += "begin 'string' ";
  line.resize(2000);
  editor().SetHighLighter(hlPascal);
  h.SetText(line + "\nx");
  editor().GetAttr(0, 0, 0);
  const TLineAttrs& a = editor().LineAttrs();
  const TColors& c = editor().Colors();
  EXPECT_TRUE(Same(a[1], c.Reserved));
  EXPECT_TRUE(Same(a[7], c.Strings));
  // Position 1021 starts a word that reaches past 1024.
  EXPECT_EQ(line.substr(1020, 5), "begin");
  EXPECT_TRUE(Same(a[1024], c.Reserved));

  // An ini key line and a grammar marker past the end stop there too.
  const std::string key(1500, 'k');
  EXPECT_EQ(Classes(key + "=v", hlIni, 0, 1024), std::string(1024, 'I'));
  EXPECT_EQ(Classes(std::string(1020, ' ') + "-->Grammar<--", hlCocoR, 0, 1024),
            std::string(1020, '.') + "PPPP");

  // And the whole line paints.
  editor().SetHighLighter(hlPascal);
  h.SetText(line);
  h.host.Paint.Reset();
  editor().PaintLine(0, -1, -1);
  EXPECT_FALSE(h.host.Paint.Texts().empty());
}

TEST_F(HLEditorTest, ContinuedCommentsAndStringsColourUpToTheirEnd) {
  // The blanks after the closing character keep the line's comment colour.
  EXPECT_EQ(Classes("x := 'a'; { note\ny } z", hlPascal, 1), "CCCCI");
  EXPECT_EQ(Classes("a (* b\nc *) d", hlPascal, 1), "CCCCCI");
  EXPECT_EQ(Classes("a /* b\nc */ d\ne", hlCBuilder, 1), "CCCCCI");
  EXPECT_EQ(Letters(2), "I");
  EXPECT_EQ(Classes("a /* b\n#c */ d", hlCBuilder, 1), "CCCCCCC");
  EXPECT_EQ(Classes("a /* b\nc */ goto", hlMarvek, 1), "CCCCCRRRR");
  EXPECT_EQ(Classes("/* a\nb */ c", hlCocoR, 1), "CCCCCC");
  EXPECT_EQ(Classes("s = \"abc\nde\" f", hlPython, 1), "SSSSI");
  EXPECT_EQ(Classes("<a\nhref=x>b", hlHtml, 1), "IIIIYSR.");
  // Without LongTokens every line starts normally.
  editor().SetHighLighter(hlCBuilder);
  h.SetText("a /* b\nc */ d");
  editor().SetLongTokens(false);
  // The scanner alone takes the stray "*/" and the rest for one (unknown) token.
  EXPECT_EQ(Letters(1), "I.IIII");
}

TEST_F(HLEditorTest, SetHighLighterRepaintsAndAssignCopiesTheLook) {
  const int before = h.host.InvalidateAllCount;
  editor().SetHighLighter(hlPascal);  // unchanged: nothing
  EXPECT_EQ(h.host.InvalidateAllCount, before);
  editor().SetHighLighter(hlVB);
  EXPECT_GT(h.host.InvalidateAllCount, before);
  EXPECT_EQ(editor().HighLighter(), hlVB);

  FakeHost otherHost;
  TRAHLEditor other(otherHost);
  other.Colors().Comment.ForeColor = clRed;
  other.SetSelForeColor(clWhite);
  other.SetSelBackColor(clNavy);
  other.SetColor(clSilver);
  other.SetRightMarginColor(clGreen);
  other.SetHighLighter(hlHtml);
  other.SetLongTokens(false);
  const int invalidated = h.host.InvalidateAllCount;
  editor().Assign(other);
  EXPECT_EQ(editor().Colors().Comment.ForeColor, clRed);
  EXPECT_EQ(editor().SelForeColor(), clWhite);
  EXPECT_EQ(editor().SelBackColor(), clNavy);
  EXPECT_EQ(editor().Color(), clSilver);
  EXPECT_EQ(editor().RightMarginColor(), clGreen);
  EXPECT_EQ(editor().HighLighter(), hlVB);
  EXPECT_TRUE(editor().LongTokens());
  EXPECT_GT(h.host.InvalidateAllCount, invalidated);
  other.Colors().Comment.ForeColor = clBlue;
  EXPECT_EQ(editor().Colors().Comment.ForeColor, clRed);
}
