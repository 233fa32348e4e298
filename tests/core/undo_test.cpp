#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "TextTestEditor.h"
#include "util/Errors.h"

namespace {

std::pair<int, int> Caret(const TRACustomEditor& e) {
  return {e.CaretX(), e.CaretY()};
}

void Type(TRACustomEditor& e, const std::string& text) {
  for (char c : text) e.InsertChar(static_cast<unsigned char>(c));
}

// What the backspace command does: record, then remove the characters left of the caret.
void Backspace(TextTestEditor& e, int count) {
  Push<TBackspaceUndo>(&e, e.CaretX(), e.CaretY(),
                       e.Lines()[e.CaretY()].substr(e.CaretX() - count, count));
  std::string line = e.Lines()[e.CaretY()];
  line.erase(e.CaretX() - count, count);
  e.Lines().InternalPut(e.CaretY(), line);
  e.PlaceCaret(e.CaretX() - count, e.CaretY());
}

// Backspace at column 0: the line joins the one above.
void BackspaceJoin(TextTestEditor& e) {
  const int y = e.CaretY();
  Push<TBackspaceUndo>(&e, 0, y, std::string("\r"));
  const int x = static_cast<int>(e.Lines()[y - 1].size());
  e.BeginUpdate();
  e.Lines().InternalPut(y - 1, e.Lines()[y - 1] + e.Lines()[y]);
  e.Lines().Delete(y);
  e.EndUpdate();
  e.PlaceCaret(x, y - 1);
}

struct ReentrantUndo : TCaretUndo {
  using TCaretUndo::TCaretUndo;
  void Undo() override {
    Push<TCaretUndo>(Editor, 0, 0);  // dropped: the buffer is undoing
    if (Fail) throw std::runtime_error("broken record");
  }
  bool Fail = false;
};

}  // namespace

TEST(Undo, TypedWordGoesInOneStep) {
  TextHarness h("xy\r\n");
  auto& e = *h.editor;
  e.PlaceCaret(2, 0);
  Type(e, "abc");
  e.SetModified(false);
  e.Changes.clear();
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "xy\r\n");
  EXPECT_EQ(Caret(e), std::pair(2, 0));
  EXPECT_FALSE(h.Undo().CanUndo());
  EXPECT_EQ(e.Changes, (std::vector<TextChange>{{0, 0, "xy\r\n"}}));
  EXPECT_TRUE(e.Modified());
}

TEST(Undo, CaretMoveEndsAStepAndARunOfMovesIsOneStep) {
  TextHarness h("xy\r\n");
  auto& e = *h.editor;
  e.PlaceCaret(2, 0);
  Type(e, "a");
  Push<TCaretUndo>(&e, 3, 0);
  Push<TCaretUndo>(&e, 1, 0);
  e.PlaceCaret(0, 0);
  Type(e, "b");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "xya\r\n");
  h.Undo().Undo();
  EXPECT_EQ(Caret(e), std::pair(3, 0));
  EXPECT_EQ(h.Text(), "xya\r\n");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "xy\r\n");
  EXPECT_EQ(Caret(e), std::pair(2, 0));
}

TEST(Undo, TrimmedBlankAndNextLetterGoTogether) {
  TextHarness h("ab\r\n");
  auto& e = *h.editor;
  e.PlaceCaret(2, 0);
  Type(e, " c");
  EXPECT_EQ(h.Records(), (std::vector<std::string>{"TInsertUndo", "TDeleteTrailUndo", "TReLineUndo",
                                                   "TInsertUndo"}));
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "ab\r\n");
  EXPECT_EQ(Caret(e), std::pair(2, 0));
  EXPECT_FALSE(h.Undo().CanUndo());
}

TEST(Undo, LinesAddedBelowTheTextGoAgain) {
  TextHarness h("ab\r\n");
  auto& e = *h.editor;
  e.SetCursorBeyondEOF(true);
  e.PlaceCaret(3, 2);
  Type(e, "x");
  EXPECT_EQ(h.Text(), "ab\r\n\r\n   x\r\n");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "ab\r\n");
}

TEST(Undo, CompoundGroupIsOneStepWithNesting) {
  TextHarness h("xy\r\n");
  auto& e = *h.editor;
  e.PlaceCaret(2, 0);
  Type(e, "a");
  e.BeginCompound();
  Type(e, "b");
  e.BeginCompound();
  Push<TCaretUndo>(&e, 3, 0);
  e.EndCompound();
  Type(e, "c");
  e.EndCompound();
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "xya\r\n");
  EXPECT_EQ(Caret(e), std::pair(3, 0));
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "xy\r\n");
}

TEST(Undo, BackspaceRunComesBackWhereItWasRemoved) {
  TextHarness h("abcdef\r\n");
  auto& e = *h.editor;
  e.PlaceCaret(4, 0);
  Backspace(e, 1);
  Backspace(e, 2);
  EXPECT_EQ(h.Text(), "aef\r\n");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "abcdef\r\n");
  EXPECT_EQ(Caret(e), std::pair(4, 0));
}

TEST(Undo, JoinedLinesSplitAgainEvenAfterTheCaretMoved) {
  TextHarness h("ab\r\ncd\r\nef\r\n");
  auto& e = *h.editor;
  e.PlaceCaret(1, 2);
  Backspace(e, 1);
  BackspaceJoin(e);
  EXPECT_EQ(h.Text(), "ab\r\ncdf\r\n");
  e.PlaceCaret(0, 0);  // moved without a record, as a search does
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "ab\r\ncd\r\nef\r\n");
  EXPECT_EQ(Caret(e), std::pair(1, 2));
}

TEST(Undo, DeleteRunAndJoinedLineComeBack) {
  TextHarness h("abcd\r\nef\r\n");
  auto& e = *h.editor;
  e.PlaceCaret(1, 0);
  for (const char* gone : {"b", "c"}) {
    Push<TDeleteUndo>(&e, 1, 0, std::string(gone));
    std::string line = e.Lines()[0];
    e.Lines().InternalPut(0, line.erase(1, 1));
  }
  // At the line end the next line joins; that deletion is not where the others were.
  e.PlaceCaret(2, 0);
  Push<TDeleteUndo>(&e, 2, 0, std::string("\r\n"));
  e.BeginUpdate();
  e.Lines().InternalPut(0, "adef");
  e.Lines().Delete(1);
  e.EndUpdate();
  EXPECT_EQ(h.Text(), "adef\r\n");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "abcd\r\nef\r\n");
}

TEST(Undo, OverwriteUndoPutsOldCharacterBackAndRemovesAppendedOnes) {
  TextHarness h("abc\r\n");
  auto& e = *h.editor;
  e.SetInsertMode(false);
  e.PlaceCaret(1, 0);
  Type(e, "xyz");  // replaces b and c, appends z
  EXPECT_EQ(h.Text(), "axyz\r\n");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "abc\r\n");
  EXPECT_EQ(Caret(e), std::pair(1, 0));
}

TEST(Undo, ColumnDeleteAndReplaceComeBack) {
  TextHarness h("abcd\r\nef\r\nghij\r\n");
  auto& e = *h.editor;
  e.SetFormat(bfColumn);
  h.Select(1, 0, 3, 2);
  e.DeleteSelected();
  EXPECT_EQ(h.Text(), "a\r\ne\r\ng\r\n");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "abcd\r\nef\r\nghij\r\n");
  EXPECT_TRUE(e.Selected());
  EXPECT_EQ(e.SelBlockFormat(), bfColumn);

  h.SetText("be x\r\n");
  Push<TReplaceUndo>(&e, 2, 0, 1, 3, std::string("be"), std::string("begin"));
  e.Lines().InternalPut(0, "begin x");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "be x\r\n");
}

TEST(Undo, NewChangeDiscardsUndoneRecords) {
  TextHarness h("xy\r\n");
  auto& e = *h.editor;
  e.PlaceCaret(2, 0);
  Type(e, "a");
  Push<TCaretUndo>(&e, 3, 0);
  h.Undo().Undo();
  EXPECT_EQ(h.Undo().Count(), 2);  // undone, still kept
  Type(e, "b");
  EXPECT_EQ(h.Records(), (std::vector<std::string>{"TInsertUndo", "TInsertUndo"}));
  EXPECT_EQ(h.Undo().UndoPtr, 1);
  EXPECT_TRUE(h.Undo().IsNewGroup(TCaretUndo(&e, 0, 0)));
  EXPECT_FALSE(h.Undo().IsNewGroup(TInsertUndo(&e, 0, 0, "")));
  EXPECT_TRUE(h.Undo().IsNewGroup(TReLineUndo(&e, 0, 0, "")));
  h.SetText("new\r\n");
  EXPECT_FALSE(h.Undo().CanUndo());
}

TEST(Undo, RecordsMadeWhileUndoingAreDroppedAndFailuresEndTheStep) {
  TextHarness h("xy\r\n");
  auto& e = *h.editor;
  Push<ReentrantUndo>(&e, 0, 0);
  h.Undo().Undo();
  EXPECT_EQ(h.Undo().Count(), 1);
  EXPECT_FALSE(h.Undo().Undoing);

  auto failing = std::make_unique<ReentrantUndo>(&e, 0, 0);
  failing->Fail = true;
  h.Undo().Add(std::move(failing));
  EXPECT_THROW(h.Undo().Undo(), std::runtime_error);
  EXPECT_FALSE(h.Undo().Undoing);
  EXPECT_EQ(e.UpdateLock(), 0);
}

TEST(Undo, EditsBeyondALineEndComeBackExactly) {
  TextHarness h("\r\nab\r\n");
  auto& e = *h.editor;
  h.Select(3, 0, 1, 1);  // begins beyond the end of the empty first line
  e.DeleteSelected();
  EXPECT_EQ(h.Text(), "b\r\n");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "\r\nab\r\n");

  h.SetText("ab\r\ncd\r\n");
  e.SetInsertMode(false);
  e.PlaceCaret(4, 0);
  Type(e, "x");  // padded, then appended
  EXPECT_EQ(h.Text(), "ab  x\r\ncd\r\n");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "ab\r\ncd\r\n");

  e.PlaceCaret(5, 0);
  e.InsertText("yz");  // goes in at the line end, and is recorded there
  EXPECT_EQ(h.Text(), "abyz\r\ncd\r\n");
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "ab\r\ncd\r\n");

  e.Lines().PlainPut(0, "ab ");  // a blank the column delete reads as padding
  e.SetFormat(bfColumn);
  h.Select(1, 0, 3, 0);
  e.DeleteSelected();
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "ab \r\ncd\r\n");
}
