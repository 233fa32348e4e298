// Completion engine: properties, automatic and requested opening, narrowing, applying
// identifiers and templates, undo, and the word replacement against a whole-text model.
#include <random>

#include "CompletionFixture.h"
#include "util/Errors.h"
#include "util/RAStrUtil.h"

TEST_F(CompletionTest, DefaultsAndSetterEffects) {
  EXPECT_EQ(c().DropDownCount(), 6);
  EXPECT_EQ(c().DropDownWidth(), 300);
  EXPECT_FALSE(c().Enabled());
  EXPECT_EQ(c().ItemHeight(), 13);
  EXPECT_EQ(c().Interval(), 800u);
  EXPECT_EQ(c().ListBoxStyle(), lbStandard);
  EXPECT_EQ(c().CaretChar(), '|');
  EXPECT_EQ(c().CRLF(), "/n");
  EXPECT_EQ(c().Separator(), "=");
  EXPECT_FALSE(delayTimer().Enabled());
  EXPECT_EQ(delayTimer().Interval(), 800);
  c().SetInterval(500);
  EXPECT_EQ(delayTimer().Interval(), 500);
  EXPECT_FALSE(list().Visible());
}

TEST_F(CompletionTest, PauseOpensTheListAndTypingNarrowsIt) {
  c().SetEnabled(true);
  Type("al");
  EXPECT_TRUE(delayTimer().Enabled());
  EXPECT_FALSE(c().ListShown());
  delayTimer().Tick();
  ASSERT_TRUE(c().ListShown());
  EXPECT_FALSE(delayTimer().Enabled());  // once per pause
  EXPECT_TRUE(list().Visible());
  EXPECT_EQ(list().ShowCount, 1);
  EXPECT_EQ(list().Rows(), (std::vector<std::string>{"Alpha=alpha value", "Beta=beta value"}));
  EXPECT_EQ(list().ItemIndex(), 0);
  Type("ph");
  EXPECT_TRUE(c().ListShown());
  EXPECT_EQ(list().ItemIndex(), 0);
  Enter();
  EXPECT_FALSE(c().ListShown());
  EXPECT_FALSE(list().Visible());
  EXPECT_EQ(Line(), "Alpha");
  EXPECT_EQ(Caret(), (TPoint{5, 0}));
  EXPECT_TRUE(e().Modified());
}

TEST_F(CompletionTest, ANonIdentifierCharacterInsertsTheCandidateBeforeIt) {
  c().SetEnabled(true);
  Type("al");
  delayTimer().Tick();
  Type("ph.");
  EXPECT_EQ(Line(), "Alpha.");
  EXPECT_FALSE(c().ListShown());
}

TEST_F(CompletionTest, TypingWithoutAMatchingCandidateSelectsNoRow) {
  c().SetEnabled(true);
  Type("b");
  delayTimer().Tick();
  ASSERT_TRUE(c().ListShown());
  EXPECT_EQ(list().ItemIndex(), 1);
  Type("x");
  EXPECT_TRUE(c().ListShown());
  EXPECT_EQ(list().ItemIndex(), -1);
  Enter();
  EXPECT_EQ(Line(), "bx");
}

TEST_F(CompletionTest, BackspaceWhileTheListShowsFollowsTheShorterWord) {
  SetLine("alz", 3);
  CtrlSpace();
  EXPECT_EQ(list().ItemIndex(), -1);
  Key(VK_BACK, 0, '\b');
  EXPECT_TRUE(c().ListShown());
  EXPECT_EQ(Line(), "al");
  EXPECT_EQ(list().ItemIndex(), 0);
}

TEST_F(CompletionTest, AutomaticOpeningNeedsAWordThatStartsButIsNoWholeName) {
  struct Case {
    const char* typed;
    bool enabled;
    bool opens;
  } cases[] = {
      {"al", true, true},
      {"Alpha", true, false},
      {"zz", true, false},
      {"al", false, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed);
    h.SetText("");
    e().SetCaret(0, 0);
    c().SetEnabled(k.enabled);
    Type(k.typed);
    EXPECT_EQ(delayTimer().Enabled(), k.enabled);
    delayTimer().Tick();
    EXPECT_EQ(c().ListShown(), k.opens);
    // Ctrl+Space opens in every case, on the matching row.
    CtrlSpace();
    EXPECT_TRUE(c().ListShown());
    EXPECT_EQ(list().ItemIndex(), k.typed[0] == 'z' ? -1 : 0);
    Escape();
    EXPECT_FALSE(c().ListShown());
  }
}

TEST_F(CompletionTest, EveryKeyDownStopsTheDelayTimer) {
  c().SetEnabled(true);
  Type("a");
  EXPECT_TRUE(delayTimer().Enabled());
  Key(VK_LEFT, 0, 0);
  EXPECT_FALSE(delayTimer().Enabled());
  // Focus loss and mouse presses leave a running timer alone.
  Type("l");
  e().FocusOut();
  e().MouseDown(TMouseButton::mbLeft, 0, 100, 5);
  e().MouseUp(TMouseButton::mbLeft, 0, 100, 5);
  EXPECT_TRUE(delayTimer().Enabled());
}

TEST_F(CompletionTest, AfterABlankNoRowIsSelectedAndEnterInsertsNothing) {
  SetLine("x ", 2);
  CtrlSpace();
  ASSERT_TRUE(c().ListShown());
  EXPECT_EQ(list().ItemIndex(), -1);
  Enter();
  EXPECT_FALSE(c().ListShown());
  EXPECT_EQ(Line(), "x ");
}

TEST_F(CompletionTest, OtherKeysMoveTheCaretAndLeaveTheListOpen) {
  SetLine("foo al", 6);
  CtrlSpace();
  Key(VK_LEFT, 0, 0);
  EXPECT_TRUE(c().ListShown());
  EXPECT_EQ(Caret(), (TPoint{5, 0}));
  Key(VK_HOME, 0, 0);
  EXPECT_TRUE(c().ListShown());
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
  Key(VK_DOWN, 0, 0);  // taken by the list
  EXPECT_EQ(list().ItemIndex(), 1);
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
}

TEST_F(CompletionTest, OneUndoStepTakesAnAppliedCandidateBack) {
  SetLine("foo al bar", 6);
  CtrlSpace();
  Enter();
  EXPECT_EQ(Line(), "foo Alpha bar");
  EXPECT_EQ(Caret(), (TPoint{9, 0}));
  e().Command(cmdUndo);
  EXPECT_EQ(Line(), "foo al bar");
  EXPECT_EQ(Caret(), (TPoint{6, 0}));
}

TEST_F(CompletionTest, TheWholeWordIsReplacedAlsoRightOfTheCaret) {
  SetLine("x alxyz(1)", 4);
  CtrlSpace();
  EXPECT_EQ(list().ItemIndex(), -1);  // the whole word alxyz starts no candidate
  Key(VK_DOWN, 0, 0);
  Enter();
  EXPECT_EQ(Line(), "x Alpha(1)");
  EXPECT_EQ(Caret(), (TPoint{7, 0}));
}

TEST_F(CompletionTest, EventsCancelFillAndRewrite) {
  bool cancel = true;
  int asked = 0;
  e().OnCompletionIdentifer = [&](TRACustomEditor* sender, bool& c) {
    EXPECT_EQ(sender, &e());
    ++asked;
    c = cancel;
  };
  CtrlSpace();
  EXPECT_FALSE(c().ListShown());
  cancel = false;
  e().OnCompletionIdentifer = [&](TRACustomEditor*, bool&) {
    ++asked;
    c().SetIdentifers({"Gamma=from the handler"});
  };
  SetLine("g", 1);
  CtrlSpace();
  ASSERT_TRUE(c().ListShown());
  EXPECT_EQ(list().Rows(), std::vector<std::string>{"Gamma=from the handler"});
  e().OnCompletionApply = [&](TCompletion* sender, const std::string& old, std::string& name) {
    EXPECT_EQ(sender, &c());
    EXPECT_EQ(old, "g");
    name = "Gamma()";
  };
  Enter();
  EXPECT_EQ(Line(), "Gamma()");
  EXPECT_EQ(asked, 2);
}

namespace {
class HookedEditor : public TRAEditor {
 public:
  using TRAEditor::TRAEditor;
  void DoCompletionIdentifier(bool& cancel) override {
    Calls += "I";
    cancel = CancelInHook;
  }
  void DoCompletionTemplate(bool&) override { Calls += "T"; }
  std::string Calls;
  bool CancelInHook = false;
};
}  // namespace

TEST(CompletionHooks, TheEditorsHooksRunBeforeTheEvents) {
  EditorHarness<HookedEditor> h;
  HookedEditor& e = *h.editor;
  e.Completion().SetIdentifers({"A=a"});
  e.Completion().SetTemplates({"t=x=y"});
  e.OnCompletionIdentifer = [&](TRACustomEditor*, bool& cancel) { e.Calls += cancel ? "c" : "i"; };
  e.OnCompletionTemplate = [&](TRACustomEditor*, bool&) { e.Calls += "t"; };
  e.Completion().StartCompletion(0);
  EXPECT_EQ(e.Calls, "Ii");
  EXPECT_TRUE(e.Completion().ListShown());
  e.Calls.clear();
  e.Completion().StartCompletion(1);  // asked before the candidates, again by the list
  EXPECT_EQ(e.Calls, "TtTt");
  e.Calls.clear();
  e.CancelInHook = true;
  e.Completion().StartCompletion(0);
  EXPECT_EQ(e.Calls, "Ic");  // the event sees the hook's Cancel
  EXPECT_FALSE(e.Completion().ListShown());
}

TEST_F(CompletionTest, ACancelWhileTheListShowsClosesIt) {
  CtrlSpace();
  e().OnCompletionIdentifer = [](TRACustomEditor*, bool& cancel) { cancel = true; };
  Type("a");
  EXPECT_FALSE(c().ListShown());
  EXPECT_EQ(Line(), "a");
}

TEST_F(CompletionTest, ReadOnlyEditorsOfferNothing) {
  e().SetReadOnly(true);
  CtrlSpace();
  EXPECT_FALSE(c().ListShown());
}

TEST_F(CompletionTest, AnUnknownModeRaisesWhenAWordIsReplaced) {
  SetLine("al", 2);
  c().StartCompletion(2);
  EXPECT_FALSE(c().ListShown());
  try {
    c().ReplaceCaretWord("x");
    FAIL() << "no exception";
  } catch (const ERAEditorError& err) {
    EXPECT_STREQ(err.what(), "Invalid RAEditor Completion Mode");
  }
  EXPECT_EQ(Line(), "al");
  EXPECT_EQ(e().UpdateLock(), 0);
}

// ---- templates ----

TEST_F(CompletionTest, TheTemplateExampleExpandsWithTheWordsIndentation) {
  c().SetTemplates({"be=block=begin/n  |/nend"});
  SetLine("    be", 6);
  CtrlJ();
  EXPECT_FALSE(c().ListShown());
  EXPECT_EQ(list().ShowCount, 0);
  ASSERT_EQ(e().Lines().Count(), 3);
  EXPECT_EQ(Line(0), "    begin");
  EXPECT_EQ(Line(1), "      ");
  EXPECT_EQ(Line(2), "    end");
  EXPECT_EQ(Caret(), (TPoint{6, 1}));
  e().Command(cmdUndo);
  EXPECT_EQ(h.Text(), "    be\r\n");
}

TEST_F(CompletionTest, TemplateListsFilterByPrefixAndFallBackToAll) {
  const std::vector<std::string> templates{"bea=one=1", "BEB=two=2", "c=three=3"};
  c().SetTemplates(templates);
  struct Case {
    const char* line;
    std::vector<std::string> rows;
    int selected;
  } cases[] = {
      {"be", {"bea=one=1", "BEB=two=2"}, 0},
      {"q", templates, -1},
      {"x ", templates, -1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.line);
    SetLine(k.line, static_cast<int>(std::string(k.line).size()));
    CtrlJ();
    ASSERT_TRUE(c().ListShown());
    EXPECT_EQ(list().Rows(), k.rows);
    EXPECT_EQ(list().ItemIndex(), k.selected);
    Escape();
  }
  SetLine("be", 2);
  CtrlJ();
  Key(VK_DOWN, 0, 0);
  Enter();
  EXPECT_EQ(Line(), "2");
}

TEST_F(CompletionTest, TemplatesInTheMiddleOfAWordIndentFromTheWordsStart) {
  c().SetTemplates({"if=cond=if |/nend"});
  SetLine("  ifxx", 3);
  CtrlJ();  // ifxx names no template: the list offers them all
  ASSERT_TRUE(c().ListShown());
  Key(VK_DOWN, 0, 0);
  Enter();
  EXPECT_EQ(Line(0), "  if ");
  EXPECT_EQ(Line(1), "  end");
  EXPECT_EQ(Caret(), (TPoint{5, 0}));
}

TEST_F(CompletionTest, ApplyingSplicesOnlyTheCaretLine) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "line " + std::to_string(i) + "\r\n";
  h.SetText(text);
  e().SetCaret(6, 50000);  // after "line 5"
  e().Lines().TakeLineChanges();
  c().SetIdentifers({"five=5"});
  CtrlSpace();
  Key(VK_DOWN, 0, 0);
  Enter();
  EXPECT_EQ(Line(50000), "line five");
  const LineChanges changes = e().Lines().TakeLineChanges();
  EXPECT_EQ(changes.First, 50000);
  EXPECT_EQ(changes.TailUnchanged, 100000 - 50001);
  e().Command(cmdUndo);
  EXPECT_EQ(h.Text(), text);
}

// ---- the word replacement against the whole-text description ----

namespace {
// The replacement as described over the whole text: the word around the character left
// of the caret is cut out and the new text put in its place; the caret follows the
// new text.
struct ModelResult {
  std::string Text;
  int CaretOffset;
};

ModelResult ReplaceInWholeText(std::string t, int p, const std::string& x) {
  int beg = p + 1;
  int end = p;
  if (p > 0 && !IsWordSeparator(static_cast<unsigned char>(t[p - 1]))) {
    WordBoundsAtPos(t, p, beg, end);
  }
  t.replace(beg - 1, std::max(end - beg, 0), x);
  return {t, beg - 1 + static_cast<int>(x.size())};
}
}  // namespace

TEST_F(CompletionTest, RandomReplacementsMatchTheWholeTextModelAndUndo) {
  std::mt19937 rng(8);
  const std::string alphabet = "ab1 .(_x";
  auto randomLine = [&] {
    std::string s(rng() % 9, ' ');
    for (char& ch : s) ch = alphabet[rng() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int count = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < count; ++i) text += randomLine() + "\r\n";
    h.SetText(text);
    const int y = static_cast<int>(rng() % count);
    const int x = static_cast<int>(rng() % 10);
    e().SetCaret(x, y);
    e().Lines().ReLine();  // the padding is its own undo record in the editor
    e().ClearUndo();
    const std::string before = h.Text();
    const ModelResult want =
        ReplaceInWholeText(before, e().PosFromCaret(x, y), round % 2 ? "Name" : "L1\r\nL2");
    c().SetIdentifers({std::string(round % 2 ? "Name" : "L1\r\nL2") + "=d"});
    c().StartCompletion(0);
    c().SetSelectedIndex(0);
    c().CloseList(true);
    SCOPED_TRACE(before);
    ASSERT_EQ(h.Text(), want.Text);
    int cx = 0;
    int cy = 0;
    e().CaretFromPos(want.CaretOffset, cx, cy);
    EXPECT_EQ(Caret(), (TPoint{cx, cy}));
    e().Command(cmdUndo);
    EXPECT_EQ(h.Text(), before);
    EXPECT_EQ(Caret(), (TPoint{x, y}));
  }
}
