// Find, Replace and Replace All: the edge cases, and a randomized comparison with the
// whole-text search (upper-casing the document and searching it with PosFrom).
#include <gtest/gtest.h>

#include <random>

#include "TextTestEditor.h"
#include "editor/EditorSearch.h"
#include "util/RAStrUtil.h"
#include "util/xProcs.h"

using editorsearch::TSearchOptions;

namespace {

// Case folded as the Western code page folds it, byte by byte.
std::string Folded(std::string s) {
  for (char& c : s) c = static_cast<char>(DefaultLocale().Folded(static_cast<unsigned char>(c)));
  return s;
}

// The search on the whole text, case-folded when Match case is off. A caret below the
// last line counts as the end of the text. Whole word skips occurrences next to a word
// character; Wrap around searches once more from the top.
int WholeTextPos(const std::string& text, const std::string& sub, int from, bool wholeWord) {
  auto separated = [&](size_t i) { return i >= text.size() || IsWordSeparator(text[i]); };
  int p = PosFrom(sub, text, from);
  while (wholeWord && p > 0 && !((p == 1 || separated(p - 2)) && separated(p - 1 + sub.size())))
    p = PosFrom(sub, text, p + 1);
  return p;
}

editorsearch::TFindResult WholeTextFind(TRACustomEditor& e, const TSearchOptions& o) {
  std::string text = e.Lines().GetTextStr();
  std::string sub = o.Text;
  if (!o.MatchCase) {
    text = Folded(text);
    sub = Folded(sub);
  }
  int selStart = e.PosFromCaret(e.CaretX(), e.CaretY());
  if (selStart < 0 && e.CaretY() >= e.Lines().Count()) selStart = static_cast<int>(text.size());
  int p = WholeTextPos(text, sub, selStart + 1, o.WholeWord);
  auto result = editorsearch::frFound;
  if (p == 0 && o.WrapAround) {
    p = WholeTextPos(text, sub, 1, o.WholeWord);
    result = editorsearch::frWrapped;
  }
  if (p == 0) return editorsearch::frNotFound;
  e.SetSelStart(p - 1);
  e.SetSelLength(static_cast<int>(sub.size()));
  return result;
}

bool WholeTextMatches(const TRACustomEditor& e, const TSearchOptions& o) {
  const std::string g = e.GetSelText();
  if (g != o.Text && (o.MatchCase || Folded(g) != Folded(o.Text))) return false;
  const int start = e.PosFromCaret(e.SelBegX(), e.SelBegY());
  return !o.WholeWord ||
         WholeTextPos(Folded(e.Lines().GetTextStr()), Folded(o.Text), start + 1, true) == start + 1;
}

editorsearch::TFindResult WholeTextReplace(TRACustomEditor& e, const TSearchOptions& o,
                                           const std::string& r) {
  if (WholeTextMatches(e, o)) e.SetSelText(r);
  return WholeTextFind(e, o);
}

// All replacements in one compound bracket, opened at the first one.
int WholeTextReplaceAll(TRACustomEditor& e, TSearchOptions o, const std::string& r) {
  o.WrapAround = false;
  e.SetSelStart(0);
  e.SetSelLength(0);
  int count = 0;
  for (bool found = WholeTextFind(e, o); found && WholeTextMatches(e, o);
       found = WholeTextFind(e, o)) {
    if (count == 0) e.BeginCompound();
    e.SetSelText(r);
    ++count;
  }
  if (count > 0) e.EndCompound();
  return count;
}

struct Observed {
  std::string Text;
  int CaretX, CaretY;
  bool Selected;
  int BegX, BegY, EndX, EndY;
  bool operator==(const Observed&) const = default;
};

Observed Observe(TextHarness& h) {
  const auto& e = *h.editor;
  return {h.Text(),    e.CaretX(),  e.CaretY(),  e.Selected(),
          e.SelBegX(), e.SelBegY(), e.SelEndX(), e.SelEndY()};
}

int UndoSteps(TextHarness& h) {
  int steps = 0;
  while (h.Undo().CanUndo()) {
    h.Undo().Undo();
    ++steps;
  }
  return steps;
}

}  // namespace

TEST(SearchOffset, Cases) {
  struct Case {
    std::string Text;
    std::string Sub;
    bool MatchCase;
    int From;
    int Expected;
  };
  const Case cases[] = {
      {"xABCx\r\n", "abc", false, 0, 1},
      {"xABCx\r\n", "abc", true, 0, -1},
      {"xABCx\r\n", "ABC", true, 0, 1},
      {"x\xC9y\r\n", "\xE9", false, 0, 1},  // the code page's letters fold too
      {"x\xC9y\r\n", "\xE9", true, 0, -1},
      {"x\xE9y\r\n", "\xE9", true, 0, 1},
      {"aaa\r\n", "aa", false, 0, 0},
      {"aaa\r\n", "aa", false, 2, -1},
      {"ab\r\nab\r\n", "ab", true, 1, 4},      // the next line
      {"ab\r\ncd\r\n", "b\r\nc", true, 0, 1},  // across a line break
      {"ab\r\ncd\r\n", "B\r\nC", false, 2, -1},
      {"ab\r\ncd\r\n", "\ncd", false, 0, 3},
      {"ab\r\n", "ab", true, 3, -1},    // from inside the line break
      {"ab\r\n", "ab", true, 400, -1},  // beyond the end
      {"ab\r\n", "", false, 0, -1},
      {"", "a", false, 0, -1},
  };
  for (const Case& c : cases) {
    TextHarness h(c.Text);
    EXPECT_EQ(
        editorsearch::FindOffset(h.editor->Lines(), {c.Sub, c.MatchCase}, c.From, DefaultLocale()),
        c.Expected)
        << "'" << c.Sub << "' in '" << c.Text << "' from " << c.From;
  }
}

TEST(SearchFind, SelectsTheMatchAndMovesOnWithoutWrapping) {
  TextHarness h("aaa\r\nxABCx\r\n");
  auto& e = *h.editor;
  const TSearchOptions aa{"aa", false};
  ASSERT_TRUE(editorsearch::Find(e, aa));
  EXPECT_EQ(e.GetSelText(), "aa");
  EXPECT_EQ(e.CaretX(), 2);
  // Find Next does not find the same one again, nor the overlapping one.
  const Observed before = Observe(h);
  const int records = h.Undo().Count();
  EXPECT_FALSE(editorsearch::Find(e, aa));
  EXPECT_EQ(Observe(h), before);  // nothing changes
  EXPECT_EQ(h.Undo().Count(), records);

  ASSERT_TRUE(editorsearch::Find(e, {"abc", false}));
  EXPECT_EQ(e.GetSelText(), "ABC");
  EXPECT_EQ(e.CaretY(), 1);
  EXPECT_EQ(e.CaretX(), 4);
  EXPECT_FALSE(editorsearch::Find(e, {"abc", false}));  // no wrap-around
  e.SetCaret(0, 0);
  EXPECT_FALSE(editorsearch::Find(e, {"abc", true}));
}

TEST(SearchReplace, FirstFindsThenReplacesAndFindsTheNext) {
  TextHarness h("one two one one\r\n");
  auto& e = *h.editor;
  const TSearchOptions one{"ONE", false};
  EXPECT_TRUE(editorsearch::Replace(e, one, "1"));  // nothing selected: only finds
  EXPECT_EQ(h.Text(), "one two one one\r\n");
  EXPECT_TRUE(editorsearch::Replace(e, one, "1"));
  EXPECT_EQ(h.Text(), "1 two one one\r\n");
  EXPECT_EQ(e.SelBegX(), 6);  // the next one is selected
  EXPECT_TRUE(editorsearch::Replace(e, one, "1"));
  EXPECT_FALSE(editorsearch::Replace(e, one, "1"));
  EXPECT_EQ(h.Text(), "1 two 1 1\r\n");
  EXPECT_FALSE(editorsearch::Replace(e, one, "1"));  // nothing left to replace
  EXPECT_EQ(h.Text(), "1 two 1 1\r\n");
}

TEST(SearchReplaceAll, ReplacesEveryOccurrenceOnceAsOneUndoStep) {
  struct Case {
    std::string Text, Sub, By;
    bool MatchCase;
    std::string Expected;
    int Count;
  };
  const Case cases[] = {
      {"abc xAbc\r\nABC\r\n", "abc", "ABC", false, "ABC xABC\r\nABC\r\n", 3},
      {"abc xAbc\r\nABC\r\n", "abc", "ABC", true, "ABC xAbc\r\nABC\r\n", 1},
      {"x ax\r\nxx\r\n", "x", "xx", true, "xx axx\r\nxxxx\r\n", 4},
      // A match with the last line break ends below the text: its selection reads as
      // empty, so it is found but not replaced.
      {"a\r\nb\r\na\r\n", "a\r\n", "", true, "b\r\na\r\n", 1},
      {"a\r\nb\r\n", "b\r\n", "B", true, "a\r\nb\r\n", 0},
      {"abab\r\n", "ab", "", true, "\r\n", 2},
      {"none\r\n", "x", "y", true, "none\r\n", 0},
  };
  for (const Case& c : cases) {
    TextHarness h(c.Text);
    auto& e = *h.editor;
    const int count = editorsearch::ReplaceAll(e, {c.Sub, c.MatchCase}, c.By);
    EXPECT_EQ(h.Text(), c.Expected) << c.Sub;
    EXPECT_EQ(count, c.Count) << c.Sub;
    if (count > 0 && !c.By.empty()) {
      EXPECT_EQ(e.GetSelText(), c.By) << c.Sub;
    }
    EXPECT_EQ(UndoSteps(h), count > 0 ? 1 : 0) << c.Sub;
    EXPECT_EQ(h.Text(), c.Text) << c.Sub;
  }
}

TEST(SearchFind, CaretBelowTheTextFindsNothing) {
  TextHarness h("ab\r\n");
  auto& e = *h.editor;
  e.SetCursorBeyondEOF(true);
  e.SetSelStart(4);  // the caret goes to the line below the text
  ASSERT_EQ(e.CaretY(), 1);
  EXPECT_FALSE(editorsearch::Find(e, {"ab", true}));
}

// Random documents, searches and replacements over a few letters, accented ones among
// them, with random options: the line-by-line search gives what the whole-text search
// gives, down to the selection, the caret, the undo records and the reported changes.
// With both options off the model is the plain search, which never wraps.
TEST(SearchModel, MatchesTheWholeTextSearch) {
  std::mt19937 rng(7);
  const std::string alphabet = "aAbB\xE9\xC9 .";
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto randomText = [&](int maxLength, bool breaks) {
    std::string s;
    const int length = pick(maxLength + 1);
    for (int i = 0; i < length; ++i) {
      if (breaks && pick(6) == 0)
        s += "\r\n";
      else
        s += alphabet[pick(static_cast<int>(alphabet.size()))];
    }
    return s;
  };
  for (int round = 0; round < 600; ++round) {
    const std::string text = randomText(40, true);
    const TSearchOptions options{randomText(3, pick(4) == 0), pick(2) == 0, pick(3) == 0,
                                 pick(3) == 0};
    if (options.Text.empty()) continue;
    const std::string by = randomText(3, pick(4) == 0);
    TextHarness fast(text);
    TextHarness model(text);
    const std::string what = "'" + options.Text + "' in '" + text + "'";

    const int from = pick(static_cast<int>(text.size()) + 4);
    std::string upper = options.MatchCase ? model.Text() : Folded(model.Text());
    EXPECT_EQ(editorsearch::FindOffset(fast.editor->Lines(), options, from, DefaultLocale()),
              WholeTextPos(upper, options.MatchCase ? options.Text : Folded(options.Text), from + 1,
                           options.WholeWord) -
                  1)
        << what;

    const int caret = pick(static_cast<int>(text.size()) + 1);
    fast.editor->SetSelStart(caret);
    model.editor->SetSelStart(caret);
    EXPECT_EQ(editorsearch::Find(*fast.editor, options), WholeTextFind(*model.editor, options))
        << what;
    EXPECT_EQ(Observe(fast), Observe(model)) << what;

    // Replace on a random selection: replaced only when it is what the search finds there.
    const int selStart = pick(static_cast<int>(text.size()) + 1), selLength = pick(4);
    for (TextHarness* h : {&fast, &model}) {
      h->editor->SetSelStart(selStart);
      h->editor->SetSelLength(selLength);
    }
    EXPECT_EQ(editorsearch::Replace(*fast.editor, options, by),
              WholeTextReplace(*model.editor, options, by))
        << what;
    EXPECT_EQ(Observe(fast), Observe(model)) << what;

    const int count = editorsearch::ReplaceAll(*fast.editor, options, by);
    EXPECT_EQ(count, WholeTextReplaceAll(*model.editor, options, by));
    EXPECT_EQ(Observe(fast), Observe(model)) << what;
    EXPECT_EQ(fast.editor->Changes, model.editor->Changes);
    EXPECT_EQ(fast.Records(), model.Records());
  }
}
