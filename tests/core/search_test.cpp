// Find, Replace and Replace All: the edge cases, and a randomized comparison with the
// whole-text search (upper-casing the document and searching it with PosFrom).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <regex>

#include "TextTestEditor.h"
#include "editor/EditorSearch.h"
#include "editor/MatchCounter.h"
#include "editor/MatchMarks.h"
#include "editor/PatternSearch.h"
#include "editor/SearchBackward.h"
#include "support/StdRegexMatcher.h"
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
    EXPECT_EQ(editorsearch::FindOffset(h.editor->Lines(), {c.Sub, c.MatchCase}, c.From), c.Expected)
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
    EXPECT_EQ(editorsearch::FindOffset(fast.editor->Lines(), options, from),
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

    const auto kept = static_cast<long>(model.Records().size());
    const int count = editorsearch::ReplaceAll(*fast.editor, options, by);
    EXPECT_EQ(count, WholeTextReplaceAll(*model.editor, options, by));
    EXPECT_EQ(Observe(fast), Observe(model)) << what;
    EXPECT_EQ(fast.editor->Changes, model.editor->Changes);
    // Each replacement is one record where it made four, and undoes the same.
    std::vector<std::string> folded = model.Records();
    const std::vector<std::string> group{"TBeginCompoundUndo", "TDeleteSelectedUndo", "TInsertUndo",
                                         "TEndCompoundUndo"};
    for (auto at = folded.begin() + kept;
         (at = std::search(at, folded.end(), group.begin(), group.end())) != folded.end();)
      at = folded.insert(folded.erase(at, at + 4), "TReplaceSelectedUndo");
    EXPECT_EQ(fast.Records(), folded) << what;
    fast.Undo().Undo();
    model.Undo().Undo();
    EXPECT_EQ(Observe(fast), Observe(model)) << what;
  }
}

// ---- regular expressions through a host's matcher ----

namespace {

using editorsearch::TPatternMatch;

// The document as a regular expression sees it: lines joined by '\n', none after the last.
struct JoinedText {
  std::string Text;
  std::vector<int> Starts;   // of each line in Text
  std::vector<int> Offsets;  // of each line in the whole text (CR LF)
  explicit JoinedText(const TRACustomEditor& e) {
    const std::string whole = e.Lines().GetTextStr();
    for (size_t p = 0; p < whole.size();) {
      const size_t end = whole.find("\r\n", p);
      Starts.push_back(static_cast<int>(Text.size()));
      Offsets.push_back(static_cast<int>(p));
      Text.append(whole, p, end - p);
      Text.push_back('\n');
      p = end + 2;
    }
    if (!Text.empty()) Text.pop_back();
  }
  int Line(int pos) const {
    return static_cast<int>(std::upper_bound(Starts.begin(), Starts.end(), pos) - Starts.begin()) -
           1;
  }
  // Whole-text offset to a position here; a start inside a line break goes to the next line.
  int FromOffset(int offset) const {
    for (size_t y = 0; y < Offsets.size(); ++y) {
      const int length =
          (y + 1 < Starts.size() ? Starts[y + 1] - 1 : static_cast<int>(Text.size())) - Starts[y];
      if (offset <= Offsets[y] + length) return Starts[y] + std::max(offset - Offsets[y], 0);
    }
    return static_cast<int>(Text.size()) + 1;
  }
  int ToOffset(int pos) const {
    const int y = Line(pos);
    return Offsets[static_cast<size_t>(y)] + pos - Starts[static_cast<size_t>(y)];
  }
};

// The search on the joined text with std::regex: the first match of at least one character
// at or after From, its groups with line breaks as CR LF.
bool RegexModelFind(const TRACustomEditor& e, const std::regex& re, int from, TPatternMatch& m) {
  const JoinedText j(e);
  for (int at = j.FromOffset(from); at <= static_cast<int>(j.Text.size()); ++at) {
    std::smatch r;
    const auto flags =
        at > 0 ? std::regex_constants::match_prev_avail : std::regex_constants::match_default;
    if (!std::regex_search(j.Text.cbegin() + at, j.Text.cend(), r, re, flags)) return false;
    const int start = at + static_cast<int>(r.position(0));
    if (r.length(0) == 0) {
      at = start;
      continue;
    }
    m.Offset = j.ToOffset(start);
    m.Length = j.ToOffset(start + static_cast<int>(r.length(0))) - m.Offset;
    for (size_t g = 0; g < m.Groups.size(); ++g) {
      m.Groups[g].clear();
      if (g >= r.size() || !r[g].matched) continue;
      for (char c : r[g].str()) m.Groups[g] += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return true;
  }
  return false;
}

// Every match from the top, as successive finds select them.
std::vector<TPatternMatch> RegexModelAll(const TRACustomEditor& e, const std::regex& re) {
  std::vector<TPatternMatch> all;
  TPatternMatch m;
  for (int from = 0; RegexModelFind(e, re, from, m); from = m.Offset + m.Length) all.push_back(m);
  return all;
}

// A random pattern of the subset std::regex and PCRE2 read alike, now and then with \n.
// Only single atoms repeat (a group at most is optional), which keeps std::regex's
// backtracking short.
std::string RandomPattern(std::mt19937& rng, int depth = 0) {
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  static const char* atoms[] = {"a", "b", "A", ".", "[ab]", "\\n", " "};
  static const char* quantifiers[] = {"", "", "", "*", "+", "?"};
  std::string p;
  for (int parts = 1 + pick(3); parts > 0; --parts) {
    if (depth < 2 && pick(4) == 0) {
      p += "(" + RandomPattern(rng, depth + 1) + (pick(3) == 0 ? "|" + RandomPattern(rng, 2) : "") +
           ")" + (pick(3) == 0 ? "?" : "");
    } else {
      p += std::string(atoms[pick(7)]) + quantifiers[pick(6)];
    }
  }
  return p;
}

TSearchOptions RegexOptions(const std::string& pattern, bool matchCase) {
  TSearchOptions o{pattern, matchCase};
  o.RegularExpression = true;
  o.Matcher = std::make_shared<StdRegexMatcher>(pattern, matchCase);
  return o;
}

int CountAll(const TRACustomEditor& e, const TSearchOptions& o, TMatchCounter& counter) {
  counter.Start(o);
  // One chunk per step, as the window's idle slices run it.
  while (!counter.Step(e.Lines(), TMatchCounter::TClock::now())) {
  }
  return counter.Total();
}

}  // namespace

TEST(SearchReplacement, ExpandsGroupReferencesAndEscapes) {
  TPatternMatch m;
  m.Groups[0] = "GetCameraStatus";
  m.Groups[1] = "Camera";
  const struct {
    const char* By;
    const char* Expected;
  } cases[] = {
      {"Set\\1State", "SetCameraState"},
      {"<\\0>", "<GetCameraStatus>"},
      {"\\2x", "x"},
      {"a\\nb\\tc", "a\r\nb\tc"},
      {"\\\\1", "\\1"},
      {"\\q\\", "\\q\\"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(editorsearch::ExpandReplacement(c.By, m), c.Expected) << c.By;
}

TEST(SearchRegex, InvalidPatternFindsAndReplacesNothing) {
  TextHarness h("abc\r\n");
  TSearchOptions o{"a(", true};
  o.RegularExpression = true;  // the host could not compile it: no matcher
  EXPECT_EQ(editorsearch::FindOffset(h.editor->Lines(), o, 0), -1);
  EXPECT_FALSE(editorsearch::Find(*h.editor, o));
  EXPECT_EQ(editorsearch::ReplaceAll(*h.editor, o, "x"), 0);
  EXPECT_EQ(h.Text(), "abc\r\n");
  TMatchCounter counter;
  EXPECT_EQ(CountAll(*h.editor, o, counter), 0);
  TMatchMarks marks;
  marks.SetSearch(o);
  EXPECT_FALSE(marks.Active());
}

// Random documents and patterns, with and without \n: Find, Replace and Replace All with
// references agree with std::regex on the joined text, Replace All is one undo step, and
// the count and every match's number agree with counting the model's finds, also after
// random edits.
TEST(SearchModel, RegularExpressionsMatchTheJoinedTextSearch) {
  std::mt19937 rng(26);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const std::string alphabet = "aAbB .";
  auto randomText = [&](int maxLength) {
    std::string s;
    for (int i = pick(maxLength + 1); i > 0; --i)
      s += pick(6) == 0 ? std::string("\r\n") : std::string(1, alphabet[pick(6)]);
    return s;
  };
  static const char* replacements[] = {"", "x", "<\\0>", "\\1\\1", "\\2-\\1", "\\n", "\\\\"};
  for (int round = 0; round < 400; ++round) {
    const std::string text = randomText(50);
    const bool matchCase = pick(2) == 0;
    const TSearchOptions o = RegexOptions(RandomPattern(rng), matchCase);
    const std::regex re(
        o.Text, matchCase ? std::regex::ECMAScript : std::regex::ECMAScript | std::regex::icase);
    const std::string by = replacements[pick(7)];
    const std::string what = "/" + o.Text + "/ in '" + text + "' by '" + by + "'";
    TextHarness fast(text);
    TextHarness model(text);
    const std::string original = fast.Text();

    fast.editor->SetSelStart(pick(static_cast<int>(text.size()) + 1));
    // Find starts at the caret's offset (the end of the text below the last line).
    int caret = fast.editor->PosFromCaret(fast.editor->CaretX(), fast.editor->CaretY());
    if (caret < 0) caret = static_cast<int>(original.size());
    TPatternMatch found;
    if (RegexModelFind(*model.editor, re, caret, found)) {
      ASSERT_TRUE(editorsearch::Find(*fast.editor, o)) << what;
      int length = 0;
      EXPECT_EQ(editorsearch::FindOffset(fast.editor->Lines(), o, caret, length), found.Offset)
          << what;
      EXPECT_EQ(length, found.Length) << what;
      EXPECT_EQ(fast.editor->GetSelText(), found.Groups[0]) << what;
      EXPECT_TRUE(editorsearch::SelectionMatches(*fast.editor, o)) << what;
    } else {
      EXPECT_FALSE(editorsearch::Find(*fast.editor, o)) << what;
    }

    const std::vector<TPatternMatch> all = RegexModelAll(*model.editor, re);
    TMatchCounter counter;
    EXPECT_EQ(CountAll(*fast.editor, o, counter), static_cast<int>(all.size())) << what;
    for (size_t i = 0; i < all.size(); ++i) {
      int line = 0, col = 0;
      fast.editor->CaretFromPos(all[i].Offset, col, line);
      EXPECT_EQ(counter.NumberAt(fast.editor->Lines(), line, col), static_cast<int>(i) + 1) << what;
    }

    // Replace All: the model replaces the model's finds one after the other.
    std::string expected;
    {
      model.editor->SetSelStart(0);
      TPatternMatch m;
      for (int from = 0; RegexModelFind(*model.editor, re, from, m);) {
        const std::string r = editorsearch::ExpandReplacement(by, m);
        model.editor->SetSelStart(m.Offset);
        model.editor->SetSelLength(m.Length);
        model.editor->SetSelText(r);
        from = m.Offset + static_cast<int>(r.size());
      }
      expected = model.Text();
    }
    const int replaced = editorsearch::ReplaceAll(*fast.editor, o, by);
    EXPECT_EQ(replaced, static_cast<int>(all.size())) << what;
    EXPECT_EQ(fast.Text(), expected) << what;
    EXPECT_EQ(UndoSteps(fast), replaced > 0 ? 1 : 0) << what;
    EXPECT_EQ(fast.Text(), original) << what;

    // Random edits, then the count again.
    for (int edit = 0; edit < 3; ++edit) {
      const int at = pick(static_cast<int>(fast.Text().size()) + 1);
      fast.editor->SetSelStart(at);
      fast.editor->SetSelLength(pick(4));
      fast.editor->SetSelText(randomText(6));
    }
    EXPECT_EQ(CountAll(*fast.editor, o, counter),
              static_cast<int>(RegexModelAll(*fast.editor, re).size()))
        << what << " edited to '" << fast.Text() << "'";
  }
}

// Counting plain text over many blocks of lines: a hit whose bytes run from one line into
// the next is no occurrence; Whole word and Match case as Find has them; a count taken in
// slices and the numbers of the occurrences agree with Find Next from the top.
TEST(SearchCount, PlainCountMatchesFindNextFromTheTop) {
  std::mt19937 rng(17);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  std::string text;
  for (int i = 0; i < 9000; ++i) {
    for (int k = pick(5); k > 0; --k) text += "ab. A"[pick(5)];
    text += "\r\n";
  }
  TextHarness h(text);
  for (const char* sub : {"ab", "ba", "a", "b\r\na", "A b"}) {
    for (int options = 0; options < 4; ++options) {
      const TSearchOptions o{sub, (options & 1) != 0, (options & 2) != 0};
      // Find Next from the top: each search starts behind the last occurrence.
      const std::string whole = o.MatchCase ? h.Text() : Folded(h.Text());
      const std::string wanted = o.MatchCase ? o.Text : Folded(o.Text);
      std::vector<int> starts;
      for (int p = WholeTextPos(whole, wanted, 1, o.WholeWord); p > 0;
           p = WholeTextPos(whole, wanted, p + static_cast<int>(wanted.size()), o.WholeWord))
        starts.push_back(p - 1);
      TMatchCounter counter;
      EXPECT_EQ(CountAll(*h.editor, o, counter), static_cast<int>(starts.size())) << sub << options;
      for (size_t i = 0; i < starts.size(); i += 97) {
        int line = 0, col = 0;
        h.editor->CaretFromPos(starts[i], col, line);
        EXPECT_EQ(counter.NumberAt(h.editor->Lines(), line, col), static_cast<int>(i) + 1) << sub;
      }
    }
  }
}

// Marks: every occurrence in a line gets the mark's background, a match across lines on
// each line it covers, nothing else changes.
TEST(SearchMarks, MarkEveryOccurrenceOnItsLines) {
  TextHarness h("xabx ab\r\nb\r\nb\r\n");
  TMatchMarks marks;
  marks.SetSearch(RegexOptions("ab|b\\nb", true));
  auto marked = [&](int line) {
    TLineAttrs attrs{};
    marks.Mark(h.editor->Lines(), line, attrs);
    std::string columns;
    for (int c = 0; c < 8; ++c) columns += attrs[c + 1].BackColor == marks.Color() ? 'm' : '.';
    return columns;
  };
  EXPECT_EQ(marked(0), ".mm..mm.");
  EXPECT_EQ(marked(1), "mm......");  // b\nb with its line break
  EXPECT_EQ(marked(2), "m.......");
}

// Find Previous against the successive finds from the top (plain text and patterns that
// stay within a line, where the two agree): the last occurrence that starts before the
// selection, or before the caret; with Wrap around the last of all when none is before.
TEST(SearchModel, FindPreviousTakesTheLastOccurrenceBefore) {
  std::mt19937 rng(3);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const std::string alphabet = "aAbB .";
  for (int round = 0; round < 500; ++round) {
    std::string text;
    for (int i = pick(60); i > 0; --i) text += pick(6) == 0 ? "\r\n" : alphabet.substr(pick(6), 1);
    TSearchOptions o{std::string(1 + pick(2), "ab"[pick(2)]), pick(2) == 0, pick(3) == 0,
                     pick(3) == 0};
    std::vector<std::pair<int, int>> all;  // offset, length
    TextHarness h(text);
    if (pick(2) == 0) {
      std::string pattern;
      do pattern = RandomPattern(rng);
      while (pattern.find("\\n") != std::string::npos);
      o = RegexOptions(pattern, o.MatchCase);
      o.WrapAround = pick(3) == 0;
      const std::regex re(pattern, o.MatchCase ? std::regex::ECMAScript
                                               : std::regex::ECMAScript | std::regex::icase);
      for (const TPatternMatch& m : RegexModelAll(*h.editor, re))
        all.push_back({m.Offset, m.Length});
    } else {
      const std::string whole = o.MatchCase ? h.Text() : Folded(h.Text());
      const std::string wanted = o.MatchCase ? o.Text : Folded(o.Text);
      for (int p = WholeTextPos(whole, wanted, 1, o.WholeWord); p > 0;
           p = WholeTextPos(whole, wanted, p + static_cast<int>(wanted.size()), o.WholeWord))
        all.push_back({p - 1, static_cast<int>(wanted.size())});
    }
    const int at = pick(static_cast<int>(h.Text().size()) + 1);
    h.editor->SetSelStart(at);
    h.editor->SetSelLength(pick(3));
    // The selection's start, or the caret; below the last line, the end of the text.
    const TRACustomEditor& e = *h.editor;
    const int y = e.Selected() ? e.SelBegY() : e.CaretY();
    const int x = e.Selected() ? e.SelBegX() : e.CaretX();
    const int limit = y >= e.Lines().Count() ? e.Lines().TextLength() : e.PosFromCaret(x, y);
    auto expected = std::find_if(all.rbegin(), all.rend(),
                                 [&](const std::pair<int, int>& m) { return m.first < limit; });
    auto result = editorsearch::frFound;
    if (expected == all.rend() && o.WrapAround && !all.empty()) {
      expected = all.rbegin();
      result = editorsearch::frWrapped;
    }
    const std::string what = "'" + o.Text + "' in '" + text + "' before " + std::to_string(limit);
    const std::string before = h.Text();
    if (expected == all.rend()) {
      EXPECT_EQ(editorsearch::FindPrevious(*h.editor, o), editorsearch::frNotFound) << what;
      continue;
    }
    EXPECT_EQ(editorsearch::FindPrevious(*h.editor, o), result) << what;
    EXPECT_EQ(h.editor->PosFromCaret(h.editor->SelBegX(), h.editor->SelBegY()), expected->first)
        << what;
    EXPECT_EQ(static_cast<int>(h.editor->GetSelText().size()), expected->second) << what;
    EXPECT_EQ(h.Text(), before);
  }
  // A text with a line break, over the slices the search goes up in.
  std::string text;
  for (int i = 0; i < 3000; ++i) text += i == 5 ? "ab\r\ncd\r\n" : "x\r\n";
  TextHarness h(text);
  h.editor->SetCaret(0, 2999);
  ASSERT_EQ(editorsearch::FindPrevious(*h.editor, {"b\r\nc", true}), editorsearch::frFound);
  EXPECT_EQ(h.editor->SelBegY(), 5);
  EXPECT_EQ(h.editor->SelBegX(), 1);
  EXPECT_EQ(editorsearch::FindPrevious(*h.editor, {"b\r\nc", true}), editorsearch::frNotFound);
}
