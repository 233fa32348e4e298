#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "editor/LineList.h"
#include "editor/RAEditor.h"
#include "support/EditorFixture.h"
#include "util/Errors.h"
#include "util/RAStrUtil.h"

using namespace std::string_literals;
using Lines = std::vector<std::string>;

namespace {

// Counts whole-text refreshes; gives tests the caret and the lock directly.
class ProbeEditor : public TRAEditor {
 public:
  using TRAEditor::TRAEditor;
  void TextAllChanged() override { ++Refreshes; }
  void PlaceCaret(int x, int y) {
    FCaretX = x;
    FCaretY = y;
  }
  void Lock(int delta) { FUpdateLock += delta; }
  int Refreshes = 0;
};

template <typename List>
Lines Contents(const List& list) {
  Lines lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

std::string Random(std::mt19937& rng, const std::string& alphabet, int maxLength) {
  std::string s(std::uniform_int_distribution<int>(0, maxLength)(rng), ' ');
  for (auto& c : s) c = alphabet[rng() % alphabet.size()];
  return s;
}

class LineStore : public ::testing::Test {
 protected:
  LineStore() { harness.editor->Refreshes = 0; }
  ProbeEditor& Editor() { return *harness.editor; }
  TEditorStrings& Store() { return harness.editor->Lines(); }
  TUndoBuffer& Undo() { return *harness.editor->UndoBuffer(); }
  TInsertUndo* Record(int i) { return dynamic_cast<TInsertUndo*>(Undo().Item(i)); }
  EditorHarness<ProbeEditor> harness;
};

}  // namespace

// Random edits, mostly in one place as typing does: the lines, their offsets, the line
// at an offset and the reported changes agree with a plain vector.
TEST(LineList, AgreesWithAPlainVector) {
  std::mt19937 rng(7);
  LineList list;
  Lines ref, before;
  list.TakeChanges();
  int place = 0;
  for (int step = 0; step < 4000; ++step) {
    const int count = static_cast<int>(ref.size());
    if (rng() % 8 == 0) place = static_cast<int>(rng() % (count + 1));
    const int at = std::min(place, count);
    const std::string text = Random(rng, "ab", 5);
    switch (rng() % 4) {
      case 0:
        list.Insert(at, text), ref.insert(ref.begin() + at, text);
        break;
      case 1:
        list.Insert(at, Lines{text, "x"}), ref.insert(ref.begin() + at, {text, "x"});
        break;
      case 2:
        if (at < count) list.Erase(at, 1), ref.erase(ref.begin() + at);
        break;
      default:
        if (at < count) list.Set(at, text), ref[at] = text;
    }
    const int n = static_cast<int>(ref.size());
    const int probe = static_cast<int>(rng() % (n + 1));
    int offset = 0;
    for (int i = 0; i < probe; ++i) offset += static_cast<int>(ref[i].size()) + 2;
    ASSERT_EQ(list.Offset(probe), offset);
    if (probe < n) {
      const int inLine = static_cast<int>(rng() % (ref[probe].size() + 2));
      ASSERT_EQ(list.LineAtOffset(offset + inLine), probe);
    }
    if (step % 20 == 19) {
      ASSERT_EQ(Contents(list), ref);
      const LineChanges c = list.TakeChanges();
      ASSERT_EQ(c.OldCount, static_cast<int>(before.size()));
      ASSERT_LE(c.First + c.TailUnchanged, std::min(n, c.OldCount));
      for (int i = 0; i < c.First; ++i) ASSERT_EQ(ref[i], before[i]);
      for (int i = 1; i <= c.TailUnchanged; ++i) ASSERT_EQ(ref[n - i], before[before.size() - i]);
      before = ref;
    }
  }
  EXPECT_THROW(list.Erase(0, list.Count() + 1), EListError);
  list.Clear();
  const LineChanges c = list.TakeChanges();
  EXPECT_TRUE(c.Any && c.First == 0 && c.TailUnchanged == 0);
}

// Large insertions and erasures that span many blocks, long lines and whole-text loads
// agree with a plain vector: lines, offsets, the line at an offset, the text length and
// a snapshot copied into buffers used before.
TEST(LineList, BlockSpanningEditsAgreeWithAPlainVector) {
  std::mt19937 rng(11);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n)(rng); };
  LineList list;
  Lines ref;
  LineSnapshot snapshot;
  for (int step = 0; step < 300; ++step) {
    const int count = static_cast<int>(ref.size());
    const int at = pick(count);
    switch (pick(4)) {
      case 0: {
        Lines lines(static_cast<size_t>(pick(1500)));
        for (auto& line : lines) line = Random(rng, "xy", pick(9) == 0 ? 3000 : 40);
        list.Insert(at, lines), ref.insert(ref.begin() + at, lines.begin(), lines.end());
        break;
      }
      case 1: {
        const int n = pick(std::min(count - at, 2000));
        list.Erase(at, n), ref.erase(ref.begin() + at, ref.begin() + at + n);
        break;
      }
      case 2: {
        std::string text;
        Lines lines;
        for (int n = pick(3000); n > 0; --n) {
          lines.push_back(Random(rng, "ab\t", 30));
          text += lines.back() + (pick(1) ? "\r\n" : "\n");
        }
        const std::string tab = "--";
        for (auto& line : lines) line = ReplaceAll(line, "\t", tab);
        list.AssignText(text, &tab), ref = lines;
        break;
      }
      default:
        if (at < count) list.Set(at, Random(rng, "z", 100)), ref[at] = list[at];
    }
    const int n = static_cast<int>(ref.size());
    ASSERT_EQ(list.Count(), n);
    for (int probe : {0, pick(n), n - 1, n}) {
      if (probe < 0) continue;
      int offset = 0;
      for (int i = 0; i < probe; ++i) offset += static_cast<int>(ref[i].size()) + 2;
      ASSERT_EQ(list.Offset(probe), offset) << step;
      if (probe == n) continue;
      ASSERT_EQ(list.View(probe), ref[probe]);
      ASSERT_EQ(list.LineAtOffset(offset + pick(static_cast<int>(ref[probe].size()) + 1)), probe);
    }
    if (step % 25 != 0) continue;
    list.CopyTo(snapshot);
    ASSERT_EQ(snapshot.Count(), n);
    for (int i = 0; i < n; ++i) ASSERT_EQ(snapshot.Line(i), ref[static_cast<size_t>(i)]) << step;
  }
  ASSERT_EQ(Contents(list), ref);
}

TEST(SplitText, BreaksAtCrLfCrAndLfAndStopsAtNul) {
  auto split = TEditorStrings::SplitText;
  EXPECT_EQ(split(""), Lines{});
  EXPECT_EQ(split("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(split("a\rb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(split("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(split("a\r\r\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(split("\r\n"), Lines{""});
  EXPECT_EQ(split("ab\0cd\r\nef"s), Lines{"ab"});
}

TEST_F(LineStore, LoadingExpandsTabsClearsUndoAndRefreshesOnce) {
  Push<TInsertUndo>(&Editor(), 0, 0, "x"s);
  harness.SetText("a\tb\r\n\t\tc");
  EXPECT_EQ(Contents(Store()), (Lines{"a  b", "    c"}));
  EXPECT_EQ(harness.Text(), "a  b\r\n    c\r\n");
  EXPECT_EQ(Undo().Count(), 0);
  EXPECT_EQ(Editor().Refreshes, 1);
  // Locked: the history stays; the editor is told all the same.
  Push<TInsertUndo>(&Editor(), 0, 0, "x"s);
  Editor().Lock(1);
  harness.SetText("x");
  Editor().Lock(-1);
  EXPECT_EQ(Undo().Count(), 1);
  EXPECT_EQ(Editor().Refreshes, 2);
  // Add and Insert expand tabs (by the first stop), Put and Assign do not.
  Editor().SetTabStops("5 9");
  Store().Add("\ty");
  Store().Insert(0, "z\t");
  Editor().SetKeepTrailingBlanks(true);
  Store().Put(1, "\tq");
  EXPECT_EQ(Contents(Store()), (Lines{"z    ", "\tq", "    y"}));
}

TEST_F(LineStore, PutTrimsTrailingBlanksWithAnUndoRecord) {
  harness.SetText("first\r\nsecond");
  Store().Put(1, "abc \t ");
  EXPECT_EQ(Store()[1], "abc");
  ASSERT_EQ(Undo().Count(), 1);
  ASSERT_NE(dynamic_cast<TDeleteTrailUndo*>(Undo().Item(0)), nullptr);
  EXPECT_EQ(Record(0)->CaretX, 6);
  EXPECT_EQ(Record(0)->CaretY, 1);
  // The characters cut, tab included, so that undo gives the line back as it was.
  EXPECT_EQ(Record(0)->Text, " \t ");
  Store().Put(0, "  lead");  // nothing cut, nothing recorded
  EXPECT_EQ(Undo().Count(), 1);
  Editor().SetKeepTrailingBlanks(true);
  Store().Put(1, "abc   ");
  EXPECT_EQ(Store()[1], "abc   ");
  EXPECT_EQ(Undo().Count(), 1);
}

TEST_F(LineStore, ChangesRefreshTheUnlockedEditorOnce) {
  int& refreshes = Editor().Refreshes;
  Store().Add("a");
  Store().Insert(0, "b");
  Store().Put(1, "c");
  Store().Delete(0);
  Store().Clear();
  Store().Clear();  // nothing to clear
  EXPECT_EQ(refreshes, 5);
  Editor().Lock(1);
  Store().Add("x");
  Editor().Lock(-1);
  EXPECT_EQ(refreshes, 5);
  Store().BeginUpdate();
  Store().BeginUpdate();
  Store().Add("1");
  Store().EndUpdate();
  Store().Add("2");
  EXPECT_EQ(refreshes, 5);
  Store().EndUpdate();
  Store().EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(refreshes, 6);
  Store().Assign({"p\tq", "r "});
  EXPECT_EQ(Contents(Store()), (Lines{"p\tq", "r "}));
  EXPECT_EQ(refreshes, 7);
}

TEST_F(LineStore, InternalOperationsAndBadIndexesRestoreTheLock) {
  Store().InternalSetText("a\tb\r\nc  ");
  EXPECT_EQ(Contents(Store()), (Lines{"a\tb", "c  "}));
  Store().InternalPut(1, "cc  ");
  EXPECT_EQ(Store()[1], "cc");
  EXPECT_EQ(Undo().Count(), 1);  // trimming still records
  EXPECT_THROW(Store().InternalPut(7, "x"), EListError);
  EXPECT_EQ(Editor().UpdateLock(), 0);
  EXPECT_EQ(Editor().Refreshes, 0);
  try {
    Store().Get(5);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (5)");
  }
  EXPECT_THROW(Store().Get(-1), EListError);
  EXPECT_THROW(Store().Delete(2), EListError);
  EXPECT_THROW(Store().Insert(3, "x"), EListError);
  EXPECT_THROW(Store().Splice(1, 2, {}), EListError);
}

TEST_F(LineStore, ReLineMakesTheCaretPositionExist) {
  harness.SetText("ab\r\ncde");
  Editor().PlaceCaret(4, 5);
  Store().ReLine();
  EXPECT_EQ(Contents(Store()), (Lines{"ab", "cde", "", "", "", "    "}));
  ASSERT_EQ(Undo().Count(), 5);
  for (int i = 0; i < 4; ++i) {
    ASSERT_NE(dynamic_cast<TReLineUndo*>(Undo().Item(i)), nullptr);
    EXPECT_EQ(Record(i)->Text, "\r\n");
    EXPECT_EQ(Record(i)->CaretY, 5);
    EXPECT_EQ(Record(i)->CaretX, i == 0 ? 3 : 0);
  }
  EXPECT_EQ(Record(4)->Text, "    ");
  EXPECT_EQ(Record(4)->CaretX, 0);
  // A short line is padded without trimming; a long enough one is left alone.
  Editor().PlaceCaret(5, 0);
  Store().ReLine();
  Editor().PlaceCaret(1, 1);
  Store().ReLine();
  EXPECT_EQ(Store()[0], "ab   ");
  EXPECT_EQ(Record(5)->CaretX, 2);
  EXPECT_EQ(Undo().Count(), 6);
  EXPECT_EQ(Editor().UpdateLock(), 0);
  EXPECT_EQ(Editor().Refreshes, 1);
}

// The splice primitives against editing the whole text and splitting it again.
TEST_F(LineStore, SplicesMatchEditingTheWholeText) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 4000; ++round) {
    Lines doc;
    for (int n = rng() % 5; n > 0; --n) doc.push_back(Random(rng, "ab ", 3));
    Store().Assign(doc);
    const std::string whole = harness.Text();
    const int total = static_cast<int>(whole.size());
    const int offset = static_cast<int>(rng() % (total + 5)) - 2;
    const size_t p = static_cast<size_t>(std::clamp(offset, 0, total));
    std::string edited = whole;
    int first;
    if (round % 2 == 0) {
      const std::string text = Random(rng, "x\r\n", 4);
      edited.insert(p, text);
      first = Store().InsertTextAt(offset, text);
    } else {
      const int length = static_cast<int>(rng() % 9) - 1;
      const size_t n = std::min<size_t>(std::max(length, 0), total - p);
      EXPECT_EQ(Store().TextAt(offset, length), whole.substr(p, n));
      edited.erase(p, n);
      first = Store().DeleteTextAt(offset, length);
    }
    const Lines now = Contents(Store());
    ASSERT_EQ(now, TEditorStrings::SplitText(edited)) << "'" << whole << "' at " << offset;
    for (int i = 0;
         i < std::min({first, static_cast<int>(now.size()), static_cast<int>(doc.size())}); ++i)
      ASSERT_EQ(now[i], doc[i]);
  }
}

TEST_F(LineStore, SpliceEdgesNulAndChangedLines) {
  EXPECT_EQ(Store().InsertTextAt(5, "a\r\nb"), 0);  // empty document: the text's own lines
  EXPECT_EQ(Store().InsertTextAt(2, "z"), 0);       // between CR and LF
  EXPECT_EQ(Contents(Store()), (Lines{"a", "z", "b"}));
  Store().DeleteTextAt(1, 100);
  EXPECT_EQ(Contents(Store()), Lines{"a"});
  Store().DeleteTextAt(0, 3);
  EXPECT_EQ(Store().Count(), 0);
  EXPECT_EQ(Store().LineAtOffset(0), -1);

  // A NUL cuts the inserted text only: the rest of the document stays.
  harness.SetText("l0\r\nl1\r\nl2\r\nl3");
  Store().InsertTextAt(2, "AB\0CD\r\nEF"s);
  EXPECT_EQ(Contents(Store()), (Lines{"l0AB", "l1", "l2", "l3"}));

  Store().TakeLineChanges();
  const int refreshes = Editor().Refreshes;
  Store().InsertTextAt(Store().LineOffset(1) + 1, "x\ny");
  LineChanges c = Store().TakeLineChanges();
  EXPECT_EQ(Contents(Store()), (Lines{"l0AB", "lx", "y1", "l2", "l3"}));
  EXPECT_EQ(std::make_tuple(c.First, c.TailUnchanged, c.OldCount), std::make_tuple(1, 2, 4));
  Store().DeleteTextAt(Store().LineOffset(2) + 2, 2);  // the break after "y1"
  c = Store().TakeLineChanges();
  EXPECT_EQ(Contents(Store()), (Lines{"l0AB", "lx", "y1l2", "l3"}));
  EXPECT_EQ(std::make_tuple(c.First, c.TailUnchanged, c.OldCount), std::make_tuple(2, 1, 5));
  EXPECT_EQ(Editor().Refreshes, refreshes + 2);
}
