#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "highlight/RAHLEditor.h"
#include "support/EditorFixture.h"

namespace {

struct LineStatesTest : ::testing::Test {
  TRAHLEditor& editor() { return *h.editor; }
  // Loads Text under Hl and returns the start states of its lines.
  std::vector<int> States(THighLighter hl, const std::string& text) {
    editor().SetHighLighter(hl);
    h.SetText(text);
    return StoredStates();
  }
  std::vector<int> StoredStates() {
    std::vector<int> out;
    for (int i = 0; i < editor().Lines().Count(); ++i) out.push_back(editor().LineState(i));
    return out;
  }
  // Edits the lines without the editor hearing of it, as a plain list change would.
  void PutQuietly(int index, const std::string& s) {
    editor().BeginUpdate();
    editor().Lines().Put(index, s);
    editor().EndUpdate();
  }
  EditorHarness<TRAHLEditor> h;
};

using S = std::vector<int>;

}  // namespace

TEST_F(LineStatesTest, PascalBraceAndParenComments) {
  EXPECT_EQ(States(hlPascal, "x := 'a'; { note\ny } z\nw"), (S{0, 1, 0}));
  EXPECT_EQ(States(hlPascal, "s := ''; (* x\ny\n*) z\nw"), (S{0, 2, 2, 0}));
  // A string hides the opener; "(*)" does not close itself.
  EXPECT_EQ(States(hlPascal, "'{'\n(*)\nx *)\ny"), (S{0, 0, 2, 0}));
  // A brace comment closing on its own line leaves the next one normal.
  EXPECT_EQ(States(hlPascal, "{ a } (* b *)\nc"), (S{0, 0}));
}

TEST_F(LineStatesTest, CLikeBlockComments) {
  for (THighLighter hl : {hlCBuilder, hlSql, hlJava, hlMarvek}) {
    EXPECT_EQ(States(hl, "a /* b\nc */ d\ne"), (S{0, 2, 0})) << hl;
    EXPECT_EQ(States(hl, "\"/*\"\nx"), (S{0, 0})) << hl;
    // Line comments are not recognised: an opener inside one still opens.
    EXPECT_EQ(States(hl, "// /*\nx"), (S{0, 2})) << hl;
  }
  EXPECT_EQ(States(hlMarvek, "x /*/\ny"), (S{0, 2}));
  EXPECT_EQ(States(hlMarvek, "x /**/\ny"), (S{0, 0}));
}

TEST_F(LineStatesTest, GrammarCommentsEndOnlyAtStarParen) {
  EXPECT_EQ(States(hlCocoR, "/* a\nb */ c\nd *) e\nf"), (S{0, 2, 2, 0}));
  EXPECT_EQ(States(hlCocoR, "'(*' \"/*\"\nx"), (S{0, 0}));
  EXPECT_EQ(States(hlCocoR, "a\nproductions\nb\nPRODUCTIONS"), (S{0, 0, 0, 0}));
  // The last line is not scanned, so the "productions" line found is the one before it.
  EXPECT_EQ(editor().GrammarLine(), 1);
}

TEST_F(LineStatesTest, StringsAndTags) {
  EXPECT_EQ(States(hlPython, "s = \"abc\nde\" f\ng"), (S{0, 4, 0}));
  EXPECT_EQ(States(hlPerl, "# \"\nx"), (S{0, 0}));
  EXPECT_EQ(States(hlHtml, "<a\nhref=x>\n<b>"), (S{0, 5, 0}));
  EXPECT_EQ(States(hlVB, "\"a\n(* /*\nx"), (S{0, 0, 0}));
  EXPECT_EQ(States(hlNone, "/* a\nb"), (S{0, 0}));
  EXPECT_EQ(States(hlIni, "/* a\nb"), (S{0, 0}));
}

TEST_F(LineStatesTest, TheLastLineNeverChangesAState) {
  EXPECT_EQ(States(hlCBuilder, "a\nb /*"), (S{0, 0}));
  EXPECT_EQ(editor().LineState(2), 0);
  EXPECT_EQ(States(hlCBuilder, "a /*\nb\nc"), (S{0, 2, 2}));
  EXPECT_EQ(editor().LineState(3), 0);
}

TEST_F(LineStatesTest, StatesForEveryLineOfALongDocument) {
  std::string text;
  for (int i = 0; i < 70000; ++i) text += i == 69000 ? "x /* open\r\n" : "line\r\n";
  text += "last";
  editor().SetHighLighter(hlCBuilder);
  h.SetText(text);
  EXPECT_EQ(editor().LineState(69000), 0);
  EXPECT_EQ(editor().LineState(69001), 2);
  EXPECT_EQ(editor().LineState(70000), 2);
  EXPECT_EQ(editor().LineState(70001), 0);
}

TEST_F(LineStatesTest, EditsRescanOnlyOnTriggerCharacters) {
  EXPECT_EQ(States(hlPascal, "a\nb\nc"), (S{0, 0, 0}));
  PutQuietly(0, "a {");
  h.host.InvalidatedRects.clear();
  const int invalidated = h.host.InvalidateAllCount;
  editor().TextModified(0, 0, "x");  // typing a letter: the states stay as they were
  EXPECT_EQ(StoredStates(), (S{0, 0, 0}));
  EXPECT_EQ(h.host.InvalidateAllCount, invalidated);
  EXPECT_TRUE(h.host.InvalidatedRects.empty());
  editor().TextModified(0, 1, "ab}cd");  // deleting a selection holding "}"
  EXPECT_EQ(StoredStates(), (S{0, 1, 1}));
  // The lines whose state changed are repainted: rows 0 to 2.
  ASSERT_FALSE(h.host.InvalidatedRects.empty());
  EXPECT_EQ(h.host.InvalidatedRects.back().Top, 0);
  EXPECT_GE(h.host.InvalidatedRects.back().Bottom, 3 * editor().CellHeight());

  // The script language rescans on "#", a double quote and line breaks, not on "/" or "*".
  EXPECT_EQ(States(hlMarvek, "a\nb"), (S{0, 0}));
  PutQuietly(0, "/*");
  editor().TextModified(0, 0, "/");
  editor().TextModified(1, 0, "*");
  EXPECT_EQ(StoredStates(), (S{0, 0}));
  editor().TextModified(0, 0, "\"");
  EXPECT_EQ(StoredStates(), (S{0, 2}));

  struct Case {
    THighLighter hl;
    const char* opener;
    const char* trigger;
    const char* quiet;
  };
  const Case cases[] = {{hlCBuilder, "/*", "*", "(\"#"}, {hlSql, "/*", "/", "{"},
                        {hlJava, "/*", "\r\n", "'"},     {hlPython, "\"", "#", "*/"},
                        {hlPerl, "\"", "\"", "'"},       {hlHtml, "<", ">", "\"*"},
                        {hlCocoR, "(*", "(", "\"#"},     {hlPascal, "(*", ")", "#\""}};
  for (const Case& c : cases) {
    States(c.hl, "a\nb");
    PutQuietly(0, c.opener);
    editor().TextModified(0, 0, c.quiet);
    EXPECT_EQ(editor().LineState(1), 0) << c.hl;
    editor().TextModified(0, 0, c.trigger);
    EXPECT_NE(editor().LineState(1), 0) << c.hl;
  }
}

TEST_F(LineStatesTest, LongTokensOffLeavesTheStatesAndRescansComeLater) {
  EXPECT_EQ(States(hlCBuilder, "a\nb\nc"), (S{0, 0, 0}));
  editor().SetLongTokens(false);
  PutQuietly(0, "/*");
  editor().TextModified(0, 0, "/*\r\n");
  EXPECT_EQ(StoredStates(), (S{0, 0, 0}));
  editor().SetLongTokens(true);  // a plain store
  EXPECT_EQ(StoredStates(), (S{0, 0, 0}));
  editor().Loaded();
  EXPECT_EQ(StoredStates(), (S{0, 2, 2}));

  // States computed for another highlighter are never taken for the current one's.
  EXPECT_EQ(States(hlCBuilder, "/*\nb\nc\nd"), (S{0, 2, 2, 2}));
  editor().SetLongTokens(false);
  editor().SetHighLighter(hlPython);
  PutQuietly(3, "e");
  editor().SetLongTokens(true);
  editor().TextModified(0, 0, "#");
  EXPECT_EQ(StoredStates(), (S{0, 0, 0, 0}));
}

TEST_F(LineStatesTest, EmptyTextKeepsTheStoredStates) {
  EXPECT_EQ(States(hlCBuilder, "/*\nb\nc"), (S{0, 2, 2}));
  h.SetText("");
  EXPECT_EQ(editor().Lines().Count(), 0);
  EXPECT_EQ(editor().LineState(1), 2);
  h.SetText("x\ny");
  EXPECT_EQ(StoredStates(), (S{0, 0}));
  EXPECT_EQ(editor().LineState(2), 0);
}

namespace {

// Text made mostly of the characters that open and close the forms of every language.
std::string RandomLine(std::mt19937& rng) {
  static const std::vector<std::string> pieces = {
      "a",  "b1", " ",  " ", "{",  "}", "(", ")", "*", "/",           "/*",   "*/",
      "(*", "*)", "\"", "'", "''", "#", "<", ">", "=", "productions", "x = y"};
  std::uniform_int_distribution<int> length(0, 8), piece(0, static_cast<int>(pieces.size()) - 1);
  std::string s;
  for (int n = length(rng); n > 0; --n) s += pieces[piece(rng)];
  return s;
}

std::string RandomText(std::mt19937& rng, int maxLines) {
  std::string text;
  for (int n = std::uniform_int_distribution<int>(0, maxLines)(rng); n > 0; --n) {
    text += RandomLine(rng);
    if (n > 1) text += "\r\n";
  }
  return text;
}

void RandomEdit(TEditorStrings& lines, std::mt19937& rng) {
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n)(rng); };
  const int count = lines.Count();
  switch (pick(5)) {
    case 0:
      lines.InsertTextAt(pick(lines.TextLength()), RandomText(rng, 3));
      break;
    case 1: {
      const int at = pick(lines.TextLength());
      lines.DeleteTextAt(at, pick(std::min(40, lines.TextLength() - at)));
      break;
    }
    case 2:
      if (count > 0) lines.Put(pick(count - 1), RandomLine(rng));
      break;
    case 3:
      lines.Insert(pick(count), RandomLine(rng));
      break;
    case 4:
      if (count > 0) lines.Delete(pick(count - 1));
      break;
    default:
      lines.Add(RandomLine(rng));
      break;
  }
}

}  // namespace

// However the lines change between rescans, a rescan leaves the states a full rescan of
// the current text gives.
TEST(LineStatesRandom, EditsAgreeWithAFullRescan) {
  std::mt19937 rng(20261208);
  for (THighLighter hl :
       {hlPascal, hlCBuilder, hlSql, hlJava, hlMarvek, hlPython, hlPerl, hlHtml, hlCocoR}) {
    for (int doc = 0; doc < 25; ++doc) {
      EditorHarness<TRAHLEditor> h;
      h.editor->SetHighLighter(hl);
      h.SetText(RandomText(rng, 40));
      for (int round = 0; round < 20; ++round) {
        h.editor->BeginUpdate();
        for (int n = std::uniform_int_distribution<int>(1, 3)(rng); n > 0; --n)
          RandomEdit(h.editor->Lines(), rng);
        h.editor->EndUpdate();
        h.editor->TextModified(0, 0, "\r\n");

        const int count = h.editor->Lines().Count();
        if (count == 0) continue;  // nothing can read the states of an empty text
        FakeHost freshHost;
        TRAHLEditor fresh(freshHost);
        fresh.SetHighLighter(hl);
        std::vector<std::string> text;
        for (int i = 0; i < count; ++i) text.push_back(h.editor->Lines()[i]);
        fresh.Lines().Assign(text);
        fresh.RescanLongTokens();
        for (int i = 0; i <= count; ++i)
          ASSERT_EQ(h.editor->LineState(i), fresh.LineState(i))
              << "highlighter " << int(hl) << " doc " << doc << " round " << round << " line " << i;
        ASSERT_EQ(h.editor->GrammarLine(), fresh.GrammarLine());
      }
    }
  }
}
