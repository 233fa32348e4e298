#include <gtest/gtest.h>

#include <iterator>
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
  }
  EXPECT_EQ(States(hlMarvek, "x /*/\ny"), (S{0, 2}));
  EXPECT_EQ(States(hlMarvek, "x /**/\ny"), (S{0, 0}));
}

// An opener inside a line comment or a string, as the line colouring cuts them, opens
// nothing; outside them it opens as before.
TEST_F(LineStatesTest, LineCommentsAndStringsHideOpenersAsTheColouringShowsThem) {
  struct Case {
    THighLighter hl;
    const char* line;
    int next;
  };
  const Case cases[] = {
      {hlMarvek, "# see /* notes", 0},
      {hlMarvek, "x = 1 # \" /*", 0},
      {hlMarvek, "// /*", 2},  // "//" is no comment in the script language
      {hlMarvek, "s = \"a\\\" /*\"", 0},
      {hlMarvek, "s = \"a\\\"\" /*", 2},
      {hlMarvek, "c = '\"' /*", 2},
      {hlMarvek, "c = 'a /*", 0},
      {hlCBuilder, "// /*", 0},
      {hlSql, "x // y /*", 0},
      {hlJava, "\"//\" /*", 2},
      {hlJava, "'/*'", 0},
      {hlPascal, "s := 'it''s'; (* c", 2},
      {hlPascal, "s := 'it''s (* c'", 0},
      {hlPascal, "x // { y", 0},
      {hlPascal, "'// {'", 0},
      {hlPython, "# \"", 0},
      {hlPython, "'\"'", 0},
      {hlPerl, "x = 'a\"b'; y = \"", 4},
      {hlCocoR, "// (*", 0},
      {hlCocoR, "\"\\\"(*\"", 0},
      {hlCocoR, "'it''s' (*", 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(States(c.hl, std::string(c.line) + "\nx"), (S{0, c.next})) << c.hl << " " << c.line;
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

// Whatever an edit holds, the states follow it, and the lines whose state changed are
// repainted.
TEST_F(LineStatesTest, EveryEditBringsTheStatesUpToDate) {
  EXPECT_EQ(States(hlPascal, "a\nb\nc"), (S{0, 0, 0}));
  PutQuietly(0, "a {");
  h.host.InvalidatedRects.clear();
  editor().TextModified(0, 0, "x");
  EXPECT_EQ(StoredStates(), (S{0, 1, 1}));
  ASSERT_FALSE(h.host.InvalidatedRects.empty());
  EXPECT_EQ(h.host.InvalidatedRects.back().Top, 0);
  EXPECT_GE(h.host.InvalidatedRects.back().Bottom, 3 * editor().CellHeight());

  // Typing "/" then "*" in the script language opens the comment at once.
  EXPECT_EQ(States(hlMarvek, "a\nb"), (S{0, 0}));
  editor().SetCaret(1, 0);
  editor().Command('/');
  EXPECT_EQ(StoredStates(), (S{0, 0}));
  editor().Command('*');
  EXPECT_EQ(StoredStates(), (S{0, 2}));

  // Deleting a Pascal quote recolours what follows.
  EXPECT_EQ(States(hlPascal, "x := '{';\ny"), (S{0, 0}));
  editor().SetCaret(5, 0);
  editor().Command(cmdDelete);
  EXPECT_EQ(editor().Lines()[0], "x := {';");
  EXPECT_EQ(StoredStates(), (S{0, 1}));

  // A column paste rescans too.
  EXPECT_EQ(States(hlCBuilder, "a\nb\nc"), (S{0, 0, 0}));
  h.host.Clip.SetText("/*\r\n");
  h.host.Clip.AddFormat(TRACustomEditor::BlockTypeFormatName(), "\x02");
  editor().SetCaret(1, 0);
  editor().Command(cmdPaste);
  EXPECT_EQ(editor().Lines()[0], "a/*");
  EXPECT_EQ(StoredStates(), (S{0, 2, 2}));
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

  // Also when no line changed while the other highlighter was chosen.
  EXPECT_EQ(States(hlPerl, "$x = \"a\nb\";\nd"), (S{0, 4, 0}));
  editor().SetLongTokens(false);
  editor().SetHighLighter(hlMarvek);
  editor().SetLongTokens(true);
  editor().TextModified(0, 0, "\r");
  EXPECT_EQ(StoredStates(), (S{0, 0, 0}));
}

// Painting colours a line from the state LineState reports, also while the stored
// states wait for the next rescan.
TEST_F(LineStatesTest, PaintingFollowsTheStoredStatesUntilTheRescan) {
  editor().Colors().Comment.SetAll(clOlive, clWindow, 0);
  const auto paintedAsComment = [&](int line) {
    return editor().TextAttrs(line)[1].ForeColor == clOlive;
  };
  EXPECT_EQ(States(hlCBuilder, "a\nb\nc"), (S{0, 0, 0}));
  editor().SetLongTokens(false);
  h.SetText("/*\nb\nc");
  editor().SetLongTokens(true);
  EXPECT_EQ(editor().LineState(1), 0);
  EXPECT_FALSE(paintedAsComment(1));
  EXPECT_EQ(StoredStates(), (S{0, 0, 0}));
  // The next edit that rescans brings both along.
  editor().SetCaret(0, 2);
  editor().Command(cmdReturn);
  EXPECT_EQ(StoredStates(), (S{0, 2, 2, 2}));
  EXPECT_TRUE(paintedAsComment(1));
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

// The states of Editor equal those a fresh full rescan of its text gives.
::testing::AssertionResult StatesOfAFullRescan(const TRAHLEditor& editor) {
  const int count = editor.Lines().Count();
  if (count == 0) return ::testing::AssertionSuccess();  // nothing can read them
  FakeHost freshHost;
  TRAHLEditor fresh(freshHost);
  fresh.SetHighLighter(editor.HighLighter());
  std::vector<std::string> text;
  for (int i = 0; i < count; ++i) text.push_back(editor.Lines()[i]);
  fresh.Lines().Assign(text);
  fresh.RescanLongTokens();
  for (int i = 0; i <= count; ++i) {
    if (editor.LineState(i) != fresh.LineState(i))
      return ::testing::AssertionFailure() << "line " << i << ": " << int(editor.LineState(i))
                                           << " instead of " << int(fresh.LineState(i));
  }
  if (editor.GrammarLine() != fresh.GrammarLine())
    return ::testing::AssertionFailure() << "grammar line " << editor.GrammarLine();
  return ::testing::AssertionSuccess();
}

// One random editing step: mostly typing the characters that open and close forms, then
// Return, Backspace, Delete, stream and column paste, undo, caret moves and selections.
void RandomCommand(EditorHarness<TRAHLEditor>& h, std::mt19937& rng) {
  static const char kTyped[] = "a /*)({}'\"#<>\\";
  static const TEditCommand kCommands[] = {
      cmdReturn,     cmdBackspace,   cmdDelete,     cmdUndo,      cmdPaste,
      cmdCaretLeft,  cmdCaretRight,  cmdCaretUp,    cmdCaretDown, cmdSelectRight,
      cmdSelectDown, cmdBlockColumn, cmdToggleCase, cmdReturn,    cmdBackspace};
  static const char* const kClips[] = {"/*", "*/\r\n", "'\r\n\"", "#\r\n{", "(*\r\nx\r\n"};
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  if (pick(2) == 0) {
    h.editor->Command(static_cast<unsigned char>(kTyped[pick(sizeof kTyped - 1)]));
  } else {
    const TEditCommand code = kCommands[pick(std::size(kCommands))];
    if (code == cmdPaste) {
      h.host.Clip.SetText(kClips[pick(std::size(kClips))]);
      if (pick(2) == 0) h.host.Clip.AddFormat(TRACustomEditor::BlockTypeFormatName(), "\x02");
    }
    h.editor->Command(code);
  }
  h.host.RunPosted([&](uint16_t posted) { h.editor->Command(posted); });
}

}  // namespace

// Edits through the editor's commands keep, after every step, the states a full rescan of
// the current text gives, in every highlighter.
TEST(LineStatesRandom, CommandSequencesKeepTheStatesOfAFullRescan) {
  std::mt19937 rng(1108);
  for (int hl = hlNone; hl <= hlMarvek; ++hl) {
    for (int doc = 0; doc < 12; ++doc) {
      EditorHarness<TRAHLEditor> h;
      h.editor->SetHighLighter(static_cast<THighLighter>(hl));
      h.SetText(RandomText(rng, 12));
      for (int step = 0; step < 150; ++step) {
        RandomCommand(h, rng);
        ASSERT_TRUE(StatesOfAFullRescan(*h.editor))
            << "highlighter " << hl << " doc " << doc << " step " << step;
      }
    }
  }
}

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

        ASSERT_TRUE(StatesOfAFullRescan(*h.editor))
            << "highlighter " << int(hl) << " doc " << doc << " round " << round;
      }
    }
  }
}
