// Edits at the edges of the text: a document without lines, and the caret's column limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/EditorFixture.h"

namespace {

class EdgeEdits : public ::testing::Test {
 protected:
  TRAEditor& ed() { return *h.editor; }
  void Run(const std::vector<TEditCommand>& codes) {
    for (TEditCommand code : codes) ed().Command(code);
  }
  void UndoAll() {
    for (int guard = 0; ed().UndoBuffer()->CanUndo() && guard < 1000; ++guard)
      ed().UndoBuffer()->Undo();
  }
  EditorHarness<> h;
};

struct EmptyDocumentCase {
  const char* name;
  int caretX;
  bool autoIndent;
  std::vector<TEditCommand> codes;
  const char* textAfter;
};

TEST_F(EdgeEdits, EveryEditOfAnEmptyDocumentIsUndoneToNoLinesAtAll) {
  const std::vector<EmptyDocumentCase> cases = {
      {"return", 0, true, {cmdReturn}, "\r\n\r\n"},
      {"return beyond column 0", 3, true, {cmdReturn}, "\r\n\r\n"},
      {"return without auto-indent", 2, false, {cmdReturn}, "\r\n\r\n"},
      {"two returns", 0, true, {cmdReturn, cmdReturn}, "\r\n\r\n\r\n"},
      {"a letter, then return", 0, true, {'a', cmdReturn}, "a\r\n\r\n"},
      {"return, then a letter", 0, true, {cmdReturn, 'b'}, "\r\nb\r\n"},
      {"delete, then return", 0, true, {cmdDelete, cmdReturn}, "\r\n\r\n"},
      {"delete line", 0, true, {cmdDeleteLine}, "\r\n"},
      {"select all, delete", 0, true, {cmdSelectAll, cmdDelete}, "\r\n"},
  };
  for (const EmptyDocumentCase& c : cases) {
    SCOPED_TRACE(c.name);
    h.SetText("");
    ed().SetAutoIndent(c.autoIndent);
    ed().SetCaretInternal(c.caretX, 0);
    Run(c.codes);
    EXPECT_EQ(h.Text(), c.textAfter);
    UndoAll();
    EXPECT_EQ(ed().Lines().Count(), 0);
    EXPECT_EQ(h.Text(), "");
  }
}

TEST_F(EdgeEdits, TextPutIntoAnEmptyDocumentIsUndoneToNoLinesAtAll) {
  struct Case {
    const char* name;
    const char* clip;
    bool column;
    std::vector<TEditCommand> codes;
  } cases[] = {
      {"paste", "ab", false, {cmdPaste}},
      {"paste with control characters", "\xff\x07", false, {cmdPaste}},
      {"paste of lines", "a\r\nb\r\n", false, {cmdPaste}},
      {"paste of a column block", "a\r\nb", true, {cmdPaste}},
      {"paste, then typing", "ab", false, {cmdPaste, 'c', cmdReturn}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    h.SetText("");
    h.host.Clip.SetText(c.clip);
    if (c.column) h.host.Clip.AddFormat(TRACustomEditor::BlockTypeFormatName(), "\x02");
    Run(c.codes);
    EXPECT_GT(ed().Lines().Count(), 0);
    UndoAll();
    EXPECT_EQ(ed().Lines().Count(), 0);
  }
  h.SetText("");
  ed().SetSelText("xy");
  UndoAll();
  EXPECT_EQ(ed().Lines().Count(), 0);
}

TEST_F(EdgeEdits, TextPutBelowTheLastLineIsUndoneWithTheLineItMade) {
  ed().SetCursorBeyondEOF(true);
  const std::vector<std::vector<TEditCommand>> sequences = {
      {cmdPaste},
      {cmdSelectDown, cmdTab},  // the block indent of a selection reaching below the text
      {cmdPaste, cmdReturn, cmdPaste},
  };
  for (const auto& codes : sequences) {
    h.SetText("ab  \r\n");
    h.host.Clip.SetText("xy");
    ed().SetCaretInternal(0, codes.front() == cmdPaste ? 1 : 0);
    Run(codes);
    h.host.RunPosted([this](uint16_t code) { ed().Command(code); });
    EXPECT_NE(h.Text(), "ab  \r\n");
    UndoAll();
    EXPECT_EQ(h.Text(), "ab  \r\n");
  }
  h.SetText("ab\r\n");
  ed().SetCaretInternal(0, 3);
  ed().SetSelText("z");
  UndoAll();
  EXPECT_EQ(h.Text(), "ab\r\n");
}

TEST_F(EdgeEdits, DeleteInAnEmptyDocumentChangesNothing) {
  h.SetText("");
  ed().Command(cmdDelete);
  EXPECT_EQ(ed().Lines().Count(), 0);
  EXPECT_FALSE(ed().UndoBuffer()->CanUndo());
  EXPECT_FALSE(ed().Modified());
}

TEST_F(EdgeEdits, UndoGivesBackTrailingControlCharactersAndTabs) {
  // Loading keeps control characters; a tab reaches a line only through Lines.
  const std::vector<std::string> lines = {"ab\x07", "x \t ", "y\x01\x02 ", "\x1f"};
  const std::vector<std::pair<TEditCommand, int>> edits = {
      {'z', 0}, {cmdReturn, 1}, {cmdDelete, 0}, {cmdBackspace, 1}, {cmdTab, 0}};
  for (const std::string& line : lines) {
    for (const auto& [code, column] : edits) {
      SCOPED_TRACE(testing::PrintToString(line) + " command " + std::to_string(code));
      h.SetText("first\r\n");
      ed().Lines().Add(line);
      ed().ClearUndo();
      const std::string before = h.Text();
      ed().SetCaretInternal(column, 1);
      ed().Command(code);
      UndoAll();
      EXPECT_EQ(h.Text(), before);
    }
  }
}

struct LimitCase {
  const char* name;
  int lineLength;
  int caretX;
  bool insertMode;
  TEditCommand code;
  bool changes;
};

TEST_F(EdgeEdits, NoEditHappensRightOfTheColumnLimit) {
  const std::vector<LimitCase> cases = {
      {"typing into a long line at the limit", 1100, MaxLineAttr, true, 'a', false},
      {"overwriting at the limit", 1100, MaxLineAttr, false, 'a', false},
      {"typing at the limit of a short line", 10, MaxLineAttr, true, 'a', false},
      {"delete at the limit", 1100, MaxLineAttr, true, cmdDelete, false},
      {"typing one column left of the limit", 1100, MaxLineAttr - 1, true, 'a', true},
      {"delete one column left of the limit", 1100, MaxLineAttr - 1, true, cmdDelete, true},
      {"return at the limit", 1100, MaxLineAttr, true, cmdReturn, true},
      {"backspace at the limit", 1100, MaxLineAttr, true, cmdBackspace, true},
  };
  for (const LimitCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = std::string(static_cast<size_t>(c.lineLength), 'x') + "\r\ny\r\n";
    h.SetText(text);
    ed().SetModified(false);
    ed().SetInsertMode(c.insertMode);
    ed().SetCaretInternal(c.caretX, 0);
    const int beeps = h.host.BeepCount;
    ed().Command(c.code);
    EXPECT_EQ(h.Text() != text, c.changes);
    EXPECT_EQ(ed().Modified(), c.changes);
    EXPECT_EQ(h.host.BeepCount > beeps, !c.changes);
    if (!c.changes) {
      EXPECT_EQ(ed().CaretX(), c.caretX);
      EXPECT_FALSE(ed().UndoBuffer()->CanUndo());
    }
  }
}

TEST_F(EdgeEdits, TheViewScrollsNoFurtherRightThanTheCaretCanGo) {
  h.SetText(std::string(2000, 'x') + "\r\n");
  const int visible = ed().VisibleColCount();
  ASSERT_GT(visible, 0);
  const int farthest = MaxLineAttr - visible + 1;
  ed().SetCaretInternal(2000, 0);
  EXPECT_EQ(ed().CaretX(), MaxLineAttr);
  EXPECT_EQ(ed().LeftCol(), farthest);
  EXPECT_EQ(ed().LastVisibleCol(), MaxLineAttr);
  ed().SetLeftTop(5000, 0);
  EXPECT_EQ(ed().LeftCol(), farthest);
  // A bookmark at the limit centres its column as far as the view goes.
  ed().SetLeftTop(0, 0);
  ed().Bookmark(1, true);
  ed().SetCaretInternal(0, 0);
  ed().Bookmark(1, false);
  EXPECT_EQ(ed().LeftCol(), farthest);
}

}  // namespace
