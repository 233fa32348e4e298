// The command frame, caret movement, selection and control commands.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "editor/EditorSearch.h"
#include "support/DbcsLocale.h"
#include "support/EditorFixture.h"
#include "util/Bracket.h"
#include "util/Errors.h"

namespace {

class Commands : public ::testing::Test {
 protected:
  void Load(const std::string& text) { h.SetText(text); }
  void Run(std::initializer_list<TEditCommand> codes) {
    for (TEditCommand code : codes) ed().Command(code);
  }
  void At(int x, int y) { ed().SetCaretInternal(x, y); }
  TRAEditor& ed() { return *h.editor; }
  TUndoBuffer& undo() { return *ed().UndoBuffer(); }
  int Records() { return undo().Count(); }
  void ExpectCaret(int x, int y) {
    EXPECT_EQ(ed().CaretX(), x);
    EXPECT_EQ(ed().CaretY(), y);
  }
  EditorHarness<> h;
};

TEST_F(Commands, CaretMovesStayInsideTheText) {
  Load("abc\r\nde\r\n");
  Run({cmdCaretLeft});
  ExpectCaret(0, 0);
  EXPECT_EQ(Records(), 0) << "a move that cannot happen records nothing";
  Run({cmdCaretUp});
  ExpectCaret(0, 0);
  Run({cmdLineEnd, cmdCaretRight, cmdCaretRight});
  ExpectCaret(5, 0);  // into the blank area after the line
  Run({cmdCaretDown, cmdCaretDown});
  ExpectCaret(5, 1);  // no further than the last line
  ed().SetCursorBeyondEOF(true);
  Run({cmdCaretDown});
  ExpectCaret(5, 2);
}

TEST_F(Commands, WordLeftStopsAtWordStartsAndColumnZero) {
  Load("foo  bar\r\n");
  Run({cmdLineEnd, cmdWordLeft});
  ExpectCaret(5, 0);
  Run({cmdWordLeft});
  ExpectCaret(0, 0);
  Run({cmdWordLeft});
  ExpectCaret(0, 0);
  At(20, 0);
  Run({cmdWordLeft});
  ExpectCaret(8, 0);  // beyond the end: to the end of the line first
}

TEST_F(Commands, WordRightCrossesSeparatorsThenLines) {
  Load("foo, bar\r\nnext\r\n");
  Run({cmdWordRight});
  ExpectCaret(5, 0);
  Run({cmdWordRight});
  ExpectCaret(8, 0);
  Run({cmdWordRight});
  ExpectCaret(0, 1);
  Run({cmdWordRight});
  ExpectCaret(4, 1);
  Run({cmdWordRight});
  ExpectCaret(4, 1);  // the end of the last line stops it
}

TEST_F(Commands, TabsAndHighBytesAreWordCharacters) {
  ed().SetLines({"ab\tc\xE9 d", "x"});
  Run({cmdWordRight});
  ExpectCaret(6, 0);
  Run({cmdWordLeft});
  ExpectCaret(0, 0);
}

TEST_F(Commands, EmptyTextMovements) {
  Run({cmdDocumentEnd});
  ExpectCaret(0, 0);
  Run({cmdWordRight, cmdWordLeft, cmdCaretDown, cmdSelectWord});
  ExpectCaret(0, 0);
  EXPECT_FALSE(ed().Selected());
}

TEST_F(Commands, SelectLeftThenCaretRightUndoesInTwoSteps) {
  Load("abcd\r\n");
  At(2, 0);
  Run({cmdSelectLeft});
  ASSERT_TRUE(ed().Selected());
  EXPECT_EQ(ed().SelBegX(), 1);
  EXPECT_EQ(ed().SelEndX(), 2);
  ExpectCaret(1, 0);
  Run({cmdCaretRight});
  EXPECT_FALSE(ed().Selected());
  ExpectCaret(2, 0);
  undo().Undo();
  ExpectCaret(1, 0);
  EXPECT_FALSE(ed().Selected());
  undo().Undo();
  EXPECT_TRUE(ed().Selected());
  EXPECT_EQ(ed().SelBegX(), 1);
  EXPECT_EQ(ed().SelEndX(), 2);
}

TEST_F(Commands, SelectingCommandsExtendFromTheAnchor) {
  Load("one two\r\nthree\r\nfour\r\n");
  At(4, 0);
  Run({cmdSelectDown, cmdSelectLineEnd});
  EXPECT_EQ(ed().SelBegX(), 4);
  EXPECT_EQ(ed().SelBegY(), 0);
  EXPECT_EQ(ed().SelEndX(), 5);
  EXPECT_EQ(ed().SelEndY(), 1);
  ExpectCaret(5, 1);
  Run({cmdSelectDocumentStart});
  EXPECT_EQ(ed().SelBegY(), 0);
  EXPECT_EQ(ed().SelBegX(), 0);
  EXPECT_EQ(ed().SelEndX(), 4);
  ExpectCaret(0, 0);
  Run({cmdSelectLeft});
  EXPECT_EQ(ed().SelBegX(), 0) << "a selection never starts left of column 0";
}

TEST_F(Commands, WindowTopAndScrollingKeepTheSelection) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line\r\n";
  Load(text);
  At(0, 50);
  Run({cmdSelectRight});
  const int top = ed().TopRow();
  Run({cmdWindowTop});
  ExpectCaret(1, top);
  EXPECT_TRUE(ed().Selected());
  Run({cmdScrollLineDown});
  EXPECT_EQ(ed().TopRow(), top + 1);
  EXPECT_EQ(ed().CaretY(), top + 1) << "the caret stays in view";
  EXPECT_TRUE(ed().Selected());
}

TEST_F(Commands, PagesMoveByTheVisibleRows) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "x\r\n";
  Load(text);
  const int rows = ed().VisibleRowCount();
  ASSERT_GT(rows, 0);
  Run({cmdPageDown});
  EXPECT_EQ(ed().CaretY(), rows);
  Run({cmdSelectPageDown, cmdSelectPageDown, cmdSelectPageDown});
  EXPECT_EQ(ed().SelEndY(), 99) << "the selection stops at the last line";
  ExpectCaret(0, 99);
  Run({cmdPageUp});
  EXPECT_FALSE(ed().Selected());
}

TEST_F(Commands, SelectWordAndSelectAll) {
  Load("alpha beta\r\ngamma\r\n");
  At(7, 0);
  Run({cmdSelectWord});
  EXPECT_EQ(ed().GetSelText(), "beta");
  ExpectCaret(10, 0);
  Run({cmdSelectWord});
  EXPECT_EQ(ed().GetSelText(), "beta") << "an existing selection is kept";
  ed().Unselect();
  At(5, 0);
  Run({cmdSelectWord});
  EXPECT_EQ(ed().GetSelText(), "alpha") << "just after a word takes that word";
  Run({cmdSelectAll});
  EXPECT_EQ(ed().GetSelText(), "alpha beta\r\ngamma");
  ExpectCaret(5, 1);
  EXPECT_EQ(ed().CompoundLevel(), 0);
  EXPECT_EQ(ed().UpdateLock(), 0);
}

TEST_F(Commands, ControlCommands) {
  Run({cmdBlockColumn});
  EXPECT_EQ(ed().SelBlockFormat(), bfColumn);
  ed().SetSelBlockFormat(bfInclusive);
  EXPECT_EQ(ed().SelBlockFormat(), bfInclusive);
  ed().SetReadOnly(true);
  Run({cmdToggleInsertMode});
  EXPECT_FALSE(ed().InsertMode()) << "insert mode toggles also when read-only";
  Load("a\r\nb\r\nc\r\n");
  At(0, 2);
  Run({cmdSetBookmark0 + 3, cmdDocumentStart});
  EXPECT_TRUE(ed().Bookmarks()[3].Valid);
  Run({cmdGotoBookmark0 + 3});
  ExpectCaret(0, 2);
  Run({cmdBeginUpdate, cmdBeginCompound});
  EXPECT_EQ(ed().UpdateLock(), 1);
  EXPECT_EQ(ed().CompoundLevel(), 1);
  Run({cmdEndCompound, cmdEndUpdate, 300, 60000});
  EXPECT_EQ(ed().UpdateLock(), 0);
  EXPECT_EQ(ed().CompoundLevel(), 0);
}

TEST_F(Commands, CaretIsShownAgainWhenACommandFails) {
  Load("abc\r\n");
  h.host.Focused = true;
  ed().FocusIn();
  struct BrokenUndo : TUndo {
    using TUndo::TUndo;
    void Undo() override { throw ERAEditorError("broken record"); }
  };
  Push<BrokenUndo>(&ed());
  EXPECT_THROW(ed().Command(cmdUndo), ERAEditorError);
  EXPECT_TRUE(h.host.CaretVisible);
  EXPECT_EQ(ed().UpdateLock(), 0);
}

TEST_F(Commands, MacroRecordsOutermostCommandsAndPlaysAsOneStep) {
  Load("x\r\n");
  Run({cmdRecordMacro, cmdReturn, 'a', cmdRecordMacro});
  EXPECT_FALSE(ed().Recording());
  EXPECT_EQ(ed().LastMacro(), std::string("\x79\x01\x61\x00", 4));
  EXPECT_EQ(h.Text(), "\r\nax\r\n");
  Run({cmdPlayMacro});
  EXPECT_EQ(h.Text(), "\r\na\r\nax\r\n");
  undo().Undo();
  EXPECT_EQ(h.Text(), "\r\nax\r\n") << "the replay is one undo step";

  Run({cmdRecordMacro, cmdDeleteLine, cmdSelectAll, cmdPlayMacro, cmdRecordMacro});
  const uint16_t expected[] = {cmdDeleteLine, cmdSelectAll, cmdPlayMacro};
  ASSERT_EQ(ed().LastMacro().size(), 6u);
  for (int i = 0; i < 3; ++i) {
    const auto& m = ed().LastMacro();
    EXPECT_EQ(static_cast<uint8_t>(m[2 * i]) | static_cast<uint8_t>(m[2 * i + 1]) << 8,
              expected[i]);
  }
}

TEST_F(Commands, CaretStepsOutOfDoubleByteCharacters) {
  DbcsLocale dbcs;
  h.host.LocaleOverride = &dbcs;
  Load("a\x82\xA0z\r\nb\x82\xA0\r\n");
  At(1, 0);
  Run({cmdCaretRight});
  ExpectCaret(3, 0);
  Run({cmdCaretLeft});
  ExpectCaret(1, 0);
  At(2, 1);
  Run({cmdCaretUp});
  ExpectCaret(1, 0);  // moving up onto a trail byte steps left
  Run({cmdSelectRight});
  EXPECT_EQ(ed().SelEndX(), 3);
  EXPECT_EQ(ed().GetSelText(), "\x82\xA0");
}

// A handler failing inside an edit leaves no bracket open: the update lock and the
// compound level are back to zero and the caret is shown again, whichever edit it was.
TEST_F(Commands, AFailingHandlerLeavesNoBracketOpen) {
  const std::vector<std::pair<const char*, std::function<void()>>> edits = {
      {"replace all",
       [&] {
         editorsearch::ReplaceAll(ed(), {"b", true}, "x");
       }},
      {"selected text", [&] { ed().SetSelText("y\r\nz"); }},
      {"delete line", [&] { ed().Command(cmdDeleteLine); }},
      {"paste", [&] { ed().PasteFromClipboard(); }},
  };
  for (const auto& [name, edit] : edits) {
    Load("abc\r\nbcd\r\n");
    h.host.Focused = true;
    h.host.Clip.SetText("pasted");
    ed().OnChange = [](TRACustomEditor*) { throw std::runtime_error("handler"); };
    EXPECT_THROW(edit(), std::runtime_error) << name;
    ed().OnChange = nullptr;
    EXPECT_EQ(ed().UpdateLock(), 0) << name;
    EXPECT_EQ(ed().CompoundLevel(), 0) << name;
    EXPECT_TRUE(h.host.CaretVisible) << name;
  }
}

// The bracket itself: closed once on every path; a close failing while another failure
// unwinds is dropped so that the first one arrives.
TEST(BracketHelper, ClosesOnEveryPathAndKeepsTheFirstFailure) {
  int open = 0;
  {
    const auto b = Raised(open);
    EXPECT_EQ(open, 1);
  }
  EXPECT_EQ(open, 0);
  EXPECT_THROW(
      {
        const auto b = Raised(open);
        throw std::runtime_error("body");
      },
      std::runtime_error);
  EXPECT_EQ(open, 0);
  const auto failingClose = [] { throw std::logic_error("close"); };
  EXPECT_THROW({ const Bracket b(failingClose); }, std::logic_error);
  try {
    const Bracket b(failingClose);
    throw std::runtime_error("body");
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "body");
  }
}

}  // namespace
