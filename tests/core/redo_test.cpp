// Redo and the save point: random editing sessions are undone and redone against the
// states they went through, and Modified follows the undo position back to the text as
// last saved.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "TextTestEditor.h"
#include "editor/EditorSearch.h"

namespace {

// Everything an undo step or its redo may change.
struct EditorState {
  std::string Text;
  int CaretX, CaretY;
  bool Selected;
  int Format, BegX, BegY, EndX, EndY;
  bool operator==(const EditorState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const EditorState& s) {
  return out << '"' << s.Text << "\" caret " << s.CaretX << ',' << s.CaretY << " sel " << s.Selected
             << ' ' << s.Format << ' ' << s.BegX << ',' << s.BegY << '-' << s.EndX << ',' << s.EndY;
}

EditorState StateOf(const TRACustomEditor& e) {
  return {e.Lines().GetTextStr(),
          e.CaretX(),
          e.CaretY(),
          e.Selected(),
          e.SelBlockFormat(),
          e.SelBegX(),
          e.SelBegY(),
          e.SelEndX(),
          e.SelEndY()};
}

class Session {
 public:
  explicit Session(unsigned seed) : FRng(seed) {
    e().SetAutoIndent(Int(0, 1) == 1);
    e().Completion().SetIdentifers({"Name=d", "L1\r\nL2=e"});
    std::string text;
    for (int n = Int(1, 5); n > 0; --n) text += std::string(Int(0, 3), ' ') + "ab x1(Cd,)\r\n";
    h.SetText(text);
  }
  TRAEditor& e() { return *h.editor; }
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(FRng); }

  // One random change or move, recorded in Log.
  void Act() {
    // clang-format off
    static const TEditCommand kCommands[] = {
        'a', 'Z', ' ', ',', cmdReturn, cmdBackspace, cmdDelete, cmdTab, cmdBackTab,
        cmdCaretLeft, cmdCaretRight, cmdCaretUp, cmdCaretDown, cmdWordRight, cmdLineEnd,
        cmdSelectLeft, cmdSelectRight, cmdSelectDown, cmdSelectWordLeft, cmdSelectLineEnd,
        cmdSelectAll, cmdSelectWord, cmdBlockColumn, cmdBlockNonInclusive, cmdBlockInclusive,
        cmdCut, cmdPaste, cmdUpperCase, cmdToggleCase, cmdDeleteLine, cmdDeleteWord,
        cmdDeleteSelection, cmdToggleInsertMode, cmdRecordMacro, cmdPlayMacro, cmdBlockIndent,
        cmdBlockUnindent};
    // clang-format on
    const int kind = Int(0, 19);
    if (kind == 0) {
      static const char* const kClips[] = {"q", "r s", "t\r\nu", "  y\r\nz\r\n"};
      h.host.Clip.SetText(kClips[Int(0, 3)]);
      if (Int(0, 1)) h.host.Clip.AddFormat(TRACustomEditor::BlockTypeFormatName(), "\x02");
      Log << "clip ";
    } else if (kind == 1) {
      static const char* const kFinds[] = {"a", "x1", " ", "b x"};
      static const char* const kNews[] = {"", "QQ", "\r\n", "a a"};
      editorsearch::ReplaceAll(e(), {kFinds[Int(0, 3)], Int(0, 1) == 1}, kNews[Int(0, 3)]);
      Log << "replaceall ";
    } else if (kind == 2) {
      TCompletion& c = e().Completion();
      c.StartCompletion(0);
      if (c.ListShown()) {
        c.SetSelectedIndex(Int(0, 1));
        c.CloseList(true);
      }
      Log << "complete ";
    } else {
      const TEditCommand code = kCommands[Int(0, std::size(kCommands) - 1)];
      e().Command(code);
      h.host.RunPosted([this](uint16_t posted) { e().Command(posted); });
      Log << code << ' ';
    }
  }

  EditorHarness<TRAEditor> h;
  std::ostringstream Log;

 private:
  std::mt19937 FRng;
};

// Undoes up to K steps, then redoes some of them and undoes those again: every redo must
// give back the state before the undo it repeats, every undo after it the state it gave
// the first time. Now and then a change follows, and forgets what was still undone.
void UndoAndRedo(Session& s, int k) {
  TUndoBuffer& buffer = *s.e().UndoBuffer();
  std::vector<EditorState> states{StateOf(s.e())};
  while (static_cast<int>(states.size()) <= k && buffer.CanUndo()) {
    buffer.Undo();
    states.push_back(StateOf(s.e()));
  }
  const int undone = static_cast<int>(states.size()) - 1;
  const int redone = s.Int(0, undone);
  for (int i = 1; i <= redone; ++i) {
    ASSERT_TRUE(buffer.CanRedo()) << s.Log.str();
    s.e().Command(cmdRedo);
    ASSERT_EQ(StateOf(s.e()), states[undone - i]) << "redo " << i << ": " << s.Log.str();
  }
  for (int i = redone - 1; i >= 0; --i) {
    buffer.Undo();
    ASSERT_EQ(StateOf(s.e()), states[undone - i]) << "undo again: " << s.Log.str();
  }
  if (undone == 0 || s.Int(0, 1) == 0) return;
  s.e().InsertText("new");
  EXPECT_FALSE(buffer.CanRedo());
  const EditorState after = StateOf(s.e());
  s.e().Command(cmdRedo);
  EXPECT_EQ(StateOf(s.e()), after) << s.Log.str();
}

}  // namespace

TEST(Redo, RandomSessionsUndoneAndRedoneGiveBackEveryState) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    Session s(seed);
    for (int step = 0; step < 60; ++step) {
      s.Act();
      if (s.Int(0, 5) == 0) UndoAndRedo(s, s.Int(1, 6));
      if (testing::Test::HasFailure()) return;
    }
    UndoAndRedo(s, 1000);
    if (testing::Test::HasFailure()) return;
  }
}

TEST(Redo, ARedoneChangeIsAChangeAndNothingToRedoDoesNothing) {
  TextHarness h("one\r\n");
  TextTestEditor& e = *h.editor;
  int changes = 0;
  e.OnChange = [&changes](TRACustomEditor*) { ++changes; };
  e.Command(cmdRedo);
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(e.Modified());
  e.SetCaret(3, 0);
  for (char c : std::string("!?")) e.Command(static_cast<TEditCommand>(c));
  e.Command(cmdUndo);
  e.SetModified(false);
  changes = 0;
  e.Changes.clear();
  e.Command(cmdRedo);
  EXPECT_EQ(h.Text(), "one!?\r\n");
  EXPECT_EQ(e.Changes, (std::vector<TextChange>{{0, 0, "one!?\r\n"}}));
  EXPECT_EQ(e.CaretX(), 5);
  EXPECT_TRUE(e.Modified());
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(e.UndoBuffer()->CanRedo());
  e.Command(cmdRedo);
  EXPECT_EQ(changes, 1);
}

TEST(Redo, ReplaceAllKeepsOneRecordPerOccurrenceAndUndoesAsBefore) {
  // The same replacements through SetSelText, as Replace All made them before, leave the
  // editor in the same state after their undo, the view included. Neither the undo nor the
  // redo moves pixels or paints on the way: the window repaints once when they are done.
  const std::string text = std::string(200, 'x') + " ab ab\r\n" + "ab\r\nzz\r\nab ab\r\n";
  auto undone = [&text](bool replaceAll) {
    EditorHarness<TRAEditor> h;
    h.SetText(text);
    TRAEditor& e = *h.editor;
    e.SetLeftTop(300, 0);
    if (replaceAll) {
      EXPECT_EQ(editorsearch::ReplaceAll(e, {"ab", true}, "c\td"), 5);
      EXPECT_EQ(e.UndoBuffer()->Count(), 5 + 2);
    } else {
      const auto update = e.UpdateLocked();
      const auto compound = e.CompoundEdit();
      e.SetSelStart(0);
      e.SetSelLength(0);
      while (editorsearch::Find(e, {"ab", true})) e.SetSelText("c\td");
    }
    const std::string replaced = h.Text();
    const int invalidated = h.host.InvalidateAllCount;
    h.host.Scrolls.clear();
    h.host.UpdateNowCount = 0;
    e.Command(cmdUndo);
    EXPECT_TRUE(h.host.Scrolls.empty());
    EXPECT_EQ(h.host.UpdateNowCount, 0);
    EXPECT_LE(h.host.InvalidateAllCount - invalidated, 2);
    const auto state = std::tuple(StateOf(e), e.LeftCol(), e.TopRow());
    e.Command(cmdRedo);
    EXPECT_EQ(h.Text(), replaced);
    EXPECT_TRUE(h.host.Scrolls.empty());
    EXPECT_EQ(h.host.UpdateNowCount, 0);
    return state;
  };
  const auto [state, leftCol, topRow] = undone(true);
  EXPECT_EQ(state.Text, text);
  EXPECT_EQ(undone(false), std::tuple(state, leftCol, topRow));
}

TEST(Redo, ModifiedFollowsTheUndoPositionBackToTheSavePoint) {
  EditorHarness<TRAEditor> h;
  TRAEditor& e = *h.editor;
  TUndoBuffer& buffer = *e.UndoBuffer();
  h.SetText("abc\r\n");
  EXPECT_EQ(buffer.SavePoint(), TUndoBuffer::kNoSavePoint);
  buffer.SetSavePoint();
  e.SetModified(false);
  e.SetCaret(3, 0);
  EXPECT_TRUE(buffer.AtSavePoint());  // a caret move changes no text
  e.Command('d');
  EXPECT_TRUE(e.Modified());
  EXPECT_FALSE(buffer.AtSavePoint());
  e.Command(cmdUndo);
  EXPECT_FALSE(e.Modified());
  e.Command(cmdRedo);
  EXPECT_TRUE(e.Modified());
  // Saved after the change: undoing it leaves the saved text.
  buffer.SetSavePoint();
  e.SetModified(false);
  e.Command(cmdUndo);
  EXPECT_TRUE(e.Modified());
  e.Command(cmdRedo);
  EXPECT_FALSE(e.Modified());
  // A change made after undoing past the save point loses the way back to it.
  e.Command(cmdUndo);
  e.Command('e');
  EXPECT_EQ(buffer.SavePoint(), TUndoBuffer::kNoSavePoint);
  e.Command(cmdUndo);
  EXPECT_EQ(h.Text(), "abc\r\n");
  EXPECT_TRUE(e.Modified());
  // Undoing only caret moves past it keeps it: the text is still the saved one.
  buffer.SetSavePoint();
  e.SetModified(false);
  e.SetCaret(0, 0);
  e.Command(cmdUndo);
  e.Command(cmdCaretRight);
  EXPECT_TRUE(buffer.AtSavePoint());
  e.Command('f');
  e.Command(cmdUndo);
  EXPECT_FALSE(e.Modified());
  h.SetText("new\r\n");
  EXPECT_EQ(buffer.SavePoint(), TUndoBuffer::kNoSavePoint);
}
