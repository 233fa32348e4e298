// The commands that change the text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

#include "support/DbcsLocale.h"
#include "support/EditorFixture.h"
#include "support/RecordingEditor.h"
#include "util/Errors.h"

namespace {

class Editing : public ::testing::Test {
 protected:
  void Load(const std::string& text) {
    h.SetText(text);
    ed().Modifications.clear();
  }
  void Run(std::initializer_list<TEditCommand> codes) {
    for (TEditCommand code : codes) ed().Command(code);
  }
  void RunPosted() {
    h.host.RunPosted([this](uint16_t code) { ed().Command(code); });
  }
  void At(int x, int y) { ed().SetCaretInternal(x, y); }
  RecordingEditor& ed() { return *h.editor; }
  void Undo() { ed().UndoBuffer()->Undo(); }
  void ExpectCaret(int x, int y) {
    EXPECT_EQ(ed().CaretX(), x);
    EXPECT_EQ(ed().CaretY(), y);
  }
  EditorHarness<RecordingEditor> h;
};

TEST_F(Editing, TypingControlCharactersAndOverwriting) {
  Load("ab\r\n");
  At(5, 0);
  Run({1});
  EXPECT_EQ(h.Text(), "ab   \r\n") << "the line is padded to the caret, nothing typed";
  ExpectCaret(5, 0);
  Load("abc\r\n");
  Run({cmdToggleInsertMode});
  At(1, 0);
  Run({'X'});
  At(3, 0);
  Run({'Y'});
  EXPECT_EQ(h.Text(), "aXcY\r\n");
  ExpectCaret(4, 0);
}

TEST_F(Editing, ReturnTakesIndentationFromTheLinesAbove) {
  Load("  if x\r\n    call y\r\n");
  At(9, 1);
  Run({cmdReturn});
  EXPECT_EQ(h.Text(), "  if x\r\n    call\r\n    y\r\n");
  ExpectCaret(4, 2);
  EXPECT_EQ(ed().Modifications, std::vector<Modification>({{16, 0, "\r\n"}}));
  Undo();
  EXPECT_EQ(h.Text(), "  if x\r\n    call y\r\n") << "break and indentation in one step";
  ExpectCaret(9, 1);

  Load("abc def\r\n");
  At(4, 0);
  Run({cmdReturn});
  EXPECT_EQ(h.Text(), "abc\r\ndef\r\n");
  ExpectCaret(0, 1);

  ed().SetAutoIndent(false);
  Load("    call y\r\n");
  At(9, 0);
  Run({cmdReturn});
  EXPECT_EQ(h.Text(), "    call\r\ny\r\n");
  ExpectCaret(0, 1);
}

TEST_F(Editing, ReturnOnABlankLineIndentsOnlyAfterColumnZero) {
  Load("ab cd\r\n    \r\n");
  At(4, 1);
  Run({cmdReturn});
  EXPECT_EQ(h.Text(), "ab cd\r\n\r\n\r\n");
  ExpectCaret(3, 2);
  Load("ab cd\r\n    \r\n");
  At(0, 1);
  Run({cmdReturn});
  EXPECT_EQ(h.Text(), "ab cd\r\n\r\n    \r\n");
  ExpectCaret(0, 2);
}

TEST_F(Editing, ReturnInAnEmptyTextAndBelowTheText) {
  Run({cmdReturn});
  EXPECT_EQ(h.Text(), "\r\n\r\n");
  ExpectCaret(0, 1);
  Load("a\r\n");
  ed().SetCursorBeyondEOF(true);
  At(0, 3);
  Run({cmdReturn});
  EXPECT_EQ(h.Text(), "a\r\n\r\n\r\n\r\n\r\n");
  ExpectCaret(0, 4);
  while (ed().UndoBuffer()->CanUndo()) Undo();
  EXPECT_EQ(h.Text(), "a\r\n");
}

TEST_F(Editing, ReturnAndJoinsKeepTabsThatCameThroughLines) {
  ed().SetLines({"a\tb", "\tc"});
  At(1, 0);
  Run({cmdReturn});
  EXPECT_EQ(h.Text(), "a\r\n\tb\r\n\tc\r\n");
  Run({cmdBackspace});
  EXPECT_EQ(h.Text(), "a\tb\r\n\tc\r\n");
  Run({cmdLineEnd, cmdDelete});
  EXPECT_EQ(h.Text(), "a\tb\tc\r\n");
  while (ed().UndoBuffer()->CanUndo()) Undo();
  EXPECT_EQ(h.Text(), "a\tb\r\n\tc\r\n");
}

TEST_F(Editing, BackspaceUnindentsByLevelsThenJoins) {
  Load("a\r\n    b\r\n        c\r\n");
  At(8, 2);
  Run({cmdBackspace});
  EXPECT_EQ(h.Text(), "a\r\n    b\r\n    c\r\n");
  ExpectCaret(4, 2);
  Run({cmdBackspace});
  ExpectCaret(0, 2);
  Run({cmdBackspace});
  EXPECT_EQ(h.Text(), "a\r\n    bc\r\n");
  ExpectCaret(5, 1);
  EXPECT_EQ(ed().Modifications,
            std::vector<Modification>({{17, 1, "    "}, {13, 1, "    "}, {8, 1, "\r\n"}}));
  Undo();
  EXPECT_EQ(h.Text(), "a\r\n    b\r\n        c\r\n");
  ExpectCaret(8, 2);

  At(0, 0);
  Run({cmdBackspace});
  EXPECT_EQ(h.Text(), "a\r\n    b\r\n        c\r\n");
  ed().SetBackSpaceUnindents(false);
  At(8, 2);
  Run({cmdBackspace});
  EXPECT_EQ(h.Text(), "a\r\n    b\r\n       c\r\n");
}

TEST_F(Editing, BackspaceAndDeleteTakeDoubleByteCharactersWhole) {
  DbcsLocale dbcs;
  h.host.LocaleOverride = &dbcs;
  Load("a\x82\xA0z\r\n");
  At(3, 0);
  Run({cmdBackspace});
  EXPECT_EQ(h.Text(), "az\r\n");
  ExpectCaret(1, 0);
  Undo();
  At(1, 0);
  Run({cmdDelete});
  EXPECT_EQ(h.Text(), "az\r\n");
  Undo();
  EXPECT_EQ(h.Text(), "a\x82\xA0z\r\n") << "both bytes come back";
}

TEST_F(Editing, DeleteJoinsTheLineTextNotTheCaretColumn) {
  Load("ab\r\ncd\r\n");
  At(5, 0);
  Run({cmdDelete, cmdDelete});
  EXPECT_EQ(h.Text(), "abd\r\n");
  ExpectCaret(2, 0);  // at the join, so further deletes and their undo stay together
  Undo();
  EXPECT_EQ(h.Text(), "ab\r\ncd\r\n");
  ed().Modifications.clear();
  Run({cmdDelete});
  At(4, 0);
  Run({cmdDelete});
  EXPECT_EQ(h.Text(), "abcd\r\n") << "nothing after the last line";
  Run({cmdLineStart, cmdCaretRight, cmdDelete});
  EXPECT_EQ(h.Text(), "acd\r\n");
  EXPECT_EQ(ed().Modifications, std::vector<Modification>({{2, 1, "\r\n"}, {1, 1, "b"}}));
  while (ed().UndoBuffer()->CanUndo()) Undo();
  EXPECT_EQ(h.Text(), "ab\r\ncd\r\n");
}

TEST_F(Editing, TabMovesToSmartStopsAndBackTabOnlyMovesRight) {
  Load("alpha   beta\r\nx\r\n");
  At(0, 1);
  Run({cmdTab});
  EXPECT_EQ(h.Text(), "alpha   beta\r\n        x\r\n");
  ExpectCaret(8, 1);
  Run({cmdTab});
  EXPECT_EQ(h.Text(), "alpha   beta\r\n            x\r\n");
  EXPECT_EQ(ed().Modifications, std::vector<Modification>({{14, 0, "        "}, {22, 0, "    "}}));
  Load("alpha   beta\r\nx\r\n");
  At(0, 1);
  Run({cmdBackTab});
  EXPECT_EQ(h.Text(), "alpha   beta\r\nx\r\n");
  ExpectCaret(2, 1);
  At(0, 1);
  Run({cmdToggleInsertMode, cmdTab});
  EXPECT_EQ(h.Text(), "alpha   beta\r\nx\r\n") << "overwrite mode only moves";
  ExpectCaret(8, 1);
}

TEST_F(Editing, TabWithWholeLinesSelectedIndentsAfterTheCommand) {
  Load("a\r\nb\r\nc\r\n");
  Run({cmdSelectDown, cmdSelectDown, cmdTab});
  EXPECT_EQ(h.Text(), "a\r\nb\r\nc\r\n");
  ASSERT_EQ(h.host.Posted.size(), 1u);
  EXPECT_EQ(h.host.Posted.front(), cmdBlockIndent);
  RunPosted();
  EXPECT_EQ(h.Text(), "  a\r\n  b\r\nc\r\n");
  EXPECT_EQ(ed().GetSelText(), "  a\r\n  b\r\n");
  Run({cmdBackTab});
  RunPosted();
  EXPECT_EQ(h.Text(), "a\r\nb\r\nc\r\n");
  Undo();
  EXPECT_EQ(h.Text(), "  a\r\n  b\r\nc\r\n");

  Load("ab\r\ncd\r\n");
  At(1, 0);
  Run({cmdSelectDown, cmdBlockIndent});
  EXPECT_EQ(h.Text(), "ab\r\ncd\r\n") << "not whole lines: nothing";
}

TEST_F(Editing, BlockIndentOfAnInclusiveSelectionKeepsItsText) {
  Load("ab\r\ncd\r\nef\r\n");
  Run({cmdBlockInclusive, cmdSelectDown, cmdSelectDown, cmdBlockIndent});
  EXPECT_EQ(h.Text(), "  ab\r\n  cd\r\n  ef\r\n");
}

TEST_F(Editing, CaseCommandsChangeTheSelection) {
  Load("Hello World\r\n");
  Run({cmdUpperCase});
  EXPECT_EQ(h.Text(), "Hello World\r\n");
  EXPECT_FALSE(ed().Modified()) << "nothing selected, nothing changed";
  Run({cmdSelectLineEnd, cmdToggleCase});
  EXPECT_EQ(h.Text(), "hELLO wORLD\r\n");
  Run({cmdUpperCase});
  EXPECT_EQ(h.Text(), "HELLO WORLD\r\n");
  Run({cmdLowerCase});
  EXPECT_EQ(h.Text(), "hello world\r\n");
  EXPECT_EQ(ed().GetSelText(), "hello world");
  ExpectCaret(11, 0);
}

// A column block changes case column by column, in place: the lines, the block and the
// caret stay, and one undo step gives the old text back.
TEST_F(Editing, CaseCommandsChangeAColumnBlockInPlace) {
  struct Case {
    TEditCommand code;
    const char* text;
    const char* changed;
  };
  const Case cases[] = {
      {cmdUpperCase, "abc\r\ndef\r\n", "ABc\r\nDEf\r\n"},
      {cmdLowerCase, "ABC\r\nD\r\nGHI\r\n", "abC\r\nd\r\nghI\r\n"},
      {cmdToggleCase, "aBc  \r\nDeF\r\n", "AbC  \r\ndEf\r\n"},
  };
  for (const Case& c : cases) {
    Load(c.text);
    At(0, 0);
    ed().SetKeepTrailingBlanks(true);
    const int rows = static_cast<int>(std::count(c.text, c.text + std::strlen(c.text), '\n'));
    const int width = c.code == cmdToggleCase ? 3 : 2;
    Run({cmdBlockColumn});
    for (int y = 1; y < rows; ++y) Run({cmdSelectDown});
    for (int x = 1; x < width; ++x) Run({cmdSelectRight});
    const std::string block = ed().GetSelText();
    Run({c.code});
    EXPECT_EQ(h.Text(), c.changed) << c.code;
    EXPECT_TRUE(ed().Selected());
    EXPECT_EQ(ed().SelBlockFormat(), bfColumn);
    ExpectCaret(width - 1, rows - 1);
    EXPECT_TRUE(ed().Modified());
    Run({cmdUndo});
    EXPECT_EQ(h.Text(), c.text) << c.code;
    EXPECT_EQ(ed().GetSelText(), block);
  }
}

TEST_F(Editing, DeleteLineAndDeleteWord) {
  Load("one\r\ntwo\r\nthree\r\n");
  At(1, 1);
  Run({cmdDeleteLine});
  EXPECT_EQ(h.Text(), "one\r\nthree\r\n");
  ExpectCaret(0, 1);
  Undo();
  EXPECT_EQ(h.Text(), "one\r\ntwo\r\nthree\r\n");
  At(2, 2);
  Run({cmdDeleteLine});
  EXPECT_EQ(h.Text(), "one\r\ntwo\r\n\r\n") << "the last line stays, emptied";

  Load("alpha beta gamma\r\n");
  At(8, 0);
  Run({cmdDeleteWord});
  EXPECT_EQ(h.Text(), "alpha  gamma\r\n");
  ExpectCaret(6, 0);
}

TEST_F(Editing, ClipboardCommands) {
  Load("ab\r\ncd\r\n");
  Run({cmdSelectRight, cmdCut});
  EXPECT_EQ(h.Text(), "b\r\ncd\r\n");
  EXPECT_EQ(h.host.Clip.Text(), "a");
  At(1, 1);
  Run({cmdPaste});
  EXPECT_EQ(h.Text(), "b\r\ncad\r\n");
  ExpectCaret(2, 1);
}

TEST_F(Editing, ReadOnlyBlocksEveryTextCommandButCopy) {
  Load("ab\r\ncd\r\n");
  Run({cmdSelectDown});
  h.host.Clip.SetText("zz");
  ed().SetReadOnly(true);
  const int records = ed().UndoBuffer()->Count();
  // clang-format off
  const TEditCommand textCommands[] = {
      'x', cmdReturn, cmdBackspace, cmdDelete, cmdTab, cmdBackTab, cmdBlockIndent,
      cmdBlockUnindent, cmdDeleteSelection, cmdCut, cmdPaste, cmdDeleteLine, cmdDeleteWord,
      cmdUpperCase, cmdLowerCase, cmdToggleCase, cmdUndo, cmdRedo, cmdCompleteIdentifier,
      cmdCompleteTemplate};
  // clang-format on
  for (TEditCommand code : textCommands) ed().Command(code);
  EXPECT_EQ(h.Text(), "ab\r\ncd\r\n");
  EXPECT_EQ(ed().UndoBuffer()->Count(), records);
  EXPECT_TRUE(h.host.Posted.empty());
  EXPECT_TRUE(ed().Modifications.empty());
  Run({cmdCopy});
  EXPECT_EQ(h.host.Clip.Text(), "ab\r\n");
  ed().SetReadOnly(false);
  EXPECT_NO_THROW(ed().Command(cmdRedo));
  EXPECT_EQ(h.Text(), "ab\r\ncd\r\n");
}

}  // namespace
