// The script model on a live editor: it follows typing, undo and loading, underlines the
// problems through the editor's line attributes, and feeds the completion's suggestions.
#include <gtest/gtest.h>

#include <algorithm>

#include "highlight/EditorScriptModel.h"
#include "highlight/RAHLEditor.h"
#include "highlight/ScriptSuggestions.h"
#include "support/EditorFixture.h"

namespace {

struct EditorScriptModelTest : ::testing::Test {
  EditorScriptModelTest() {
    h.editor->SetHighLighter(hlMarvek);
    h.editor->OnGetLineAttr = [this](TRACustomEditor*, std::string&, int index, TLineAttrs& attrs) {
      script.MarkProblems(index, attrs);
    };
    script.OnChange = [this] { ++changes; };
  }
  // One letter per character of Line: R underlined red, O underlined olive, "." plain.
  std::string Marks(int line) {
    const TLineAttrs& attrs = h.editor->TextAttrs(line);
    std::string out;
    for (size_t i = 1; i <= h.editor->Lines()[line].size(); ++i) {
      const TLineAttr& a = attrs[i];
      const bool underlined = a.Style & fsUnderline;
      out += !underlined ? '.' : a.ForeColor == clRed ? 'R' : a.ForeColor == clOlive ? 'O' : '?';
    }
    return out;
  }
  void Type(const std::string& text) {
    for (char c : text) h.editor->Command(static_cast<TEditCommand>(static_cast<unsigned char>(c)));
  }

  EditorHarness<TRAHLEditor> h;
  TEditorScriptModel script{h.editor->Lines()};
  int changes = 0;
};

TEST_F(EditorScriptModelTest, UnderlinesProblemsAndFollowsTypingUndoAndLoading) {
  h.SetText("label A\r\n  goto B\r\nx = Wait(1)\r\n");
  EXPECT_GT(changes, 0);
  EXPECT_EQ(Marks(0), ".......");
  EXPECT_EQ(Marks(1), ".......R");
  EXPECT_EQ(Marks(2), "O..........");

  h.editor->SetCaret(7, 0);
  h.editor->Command(cmdBackspace);
  Type("B");
  EXPECT_EQ(h.editor->Lines()[0], "label B");
  EXPECT_EQ(Marks(1), "........");
  EXPECT_EQ(script.Model().Labels().front().Name, "B");

  h.editor->Command(cmdUndo);
  h.editor->Command(cmdUndo);
  EXPECT_EQ(h.editor->Lines()[0], "label A");
  EXPECT_EQ(Marks(1), ".......R");

  // Return splits a line: the facts move with their lines.
  h.editor->SetCaret(0, 0);
  h.editor->Command(cmdReturn);
  EXPECT_EQ(script.Model().LineCount(), h.editor->Lines().Count());
  EXPECT_EQ(Marks(2), ".......R");

  h.SetText("declare x\r\nx = 1\r\n");
  EXPECT_EQ(Marks(1), ".....");
  EXPECT_TRUE(script.Model().Problems().empty());
}

TEST_F(EditorScriptModelTest, SuggestsLabelsAfterGotoAndWordsElsewhere) {
  h.SetText("declare count\r\nlabel Zeta\r\nlabel alpha\r\n");
  const auto afterGoto = ScriptSuggestions(script.Model(), "  goto al", 9);
  EXPECT_EQ(afterGoto, (std::vector<std::string>{"alpha=alpha (label)", "Zeta=Zeta (label)"}));
  EXPECT_EQ(ScriptSuggestions(script.Model(), "goto ", 5).size(), 2u);
  const auto words = ScriptSuggestions(script.Model(), "co", 2);
  EXPECT_EQ(words.size(), 9u + 68u + 1u);
  EXPECT_NE(std::find(words.begin(), words.end(), "count=count (variable)"), words.end());
  EXPECT_NE(std::find(words.begin(), words.end(), "GetCameraStatus=GetCameraStatus (function)"),
            words.end());
  // Sorted ignoring case, so the first item starting with the typed word is the nearest.
  EXPECT_EQ(words.front(), "Alert=Alert (function)");
  EXPECT_EQ(*std::find_if(words.begin(), words.end(),
                          [](const std::string& w) { return w.rfind("de", 0) == 0; }),
            "declare=declare (command)");
}

}  // namespace
