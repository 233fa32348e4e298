#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "editor/RAEditor.h"
#include "support/EditorFixture.h"
#include "util/Errors.h"

namespace {

// Sets the visible row count that bounds the walk over the lines above.
class TabEditor : public TRAEditor {
 public:
  using TRAEditor::TRAEditor;
  void TextAllChanged() override {}
  void SetVisibleRows(int rows) { FVisibleRowCount = rows; }
};

class TabStops : public ::testing::Test {
 protected:
  TabEditor& Editor() { return *harness.editor; }
  void SetLines(const std::vector<std::string>& lines, int visibleRows) {
    Editor().Lines().Assign(lines);
    Editor().SetVisibleRows(visibleRows);
  }
  int Next(const char* stops, int x) {
    Editor().SetTabStops(stops);
    return Editor().NextTabStop(x);
  }
  int Tab(int x, int y) { return Editor().GetTabStop(x, y, false, true); }
  int Back(int x, int y) { return Editor().GetBackStop(x, y); }
  EditorHarness<TabEditor> harness;
};

}  // namespace

TEST_F(TabStops, StopsRepeatAtTheLastDistance) {
  const int expected[] = {2, 2, 4, 4, 6, 6, 8, 8};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(Next("3 5", x), expected[x]) << x;
  EXPECT_EQ(Next("3 5", 101), 102);
  EXPECT_EQ(Next("3 5 9", 9), 12);
  EXPECT_EQ(Next("4", 3), 5);  // a single stop N repeats every N - 2 columns
  EXPECT_EQ(Next("", 5), 6);   // no stops: every column
  EXPECT_EQ(Editor().ExpandTabs("a\tb\t"), "a b ");
  Editor().SetTabStops("3 5");
  EXPECT_EQ(Editor().ExpandTabs("abc\t\td"), "abc    d");  // the same run whatever the column
}

TEST_F(TabStops, BadListsStepOneColumnOrFailAsConversions) {
  EXPECT_EQ(Next("2", 7), 8);  // repeat distance 0
  EXPECT_EQ(Next("5 5", 4), 5);
  EXPECT_EQ(Next("9 5", 3), 8);  // decreasing
  EXPECT_EQ(Next("9 5", 8), 9);
  EXPECT_EQ(Next("1", 3), 4);
  EXPECT_EQ(Next("-2147483648 5", 5), INT_MAX);  // no overflow
  EXPECT_EQ(Next("3 x", 0), 2);                  // the walk stops before the bad word
  EXPECT_THROW(Next("3 x", 5), EConvertError);
  Editor().SetTabStops("x 3");
  EXPECT_THROW(Editor().ExpandTabs("\t"), EConvertError);
  EXPECT_EQ(Editor().ExpandTabs("no tab"), "no tab");
}

TEST_F(TabStops, SmartTabGoesToWordStartsAndTheEndOfTheLineAbove) {
  SetLines({"abc     defghi ijklmnopqrstu", ""}, 20);  // words at 0, 8, 15; end 28
  EXPECT_EQ(Tab(3, 1), 8);
  EXPECT_EQ(Tab(9, 1), 15);
  EXPECT_EQ(Tab(20, 1), 28);
  EXPECT_EQ(Tab(28, 1), 30);  // past the line: the next tab stop
  EXPECT_EQ(Editor().GetTabStop(3, 1, false, false), 4);
  Editor().SetSmartTab(false);
  EXPECT_EQ(Tab(3, 1), 4);
  EXPECT_EQ(Editor().GetTabStop(3, 1, true, true), 8);  // Force, as automatic indentation
  EXPECT_EQ(Tab(0, 0), 2);                              // nothing above the first line
  EXPECT_EQ(Tab(3, 9), 4);                              // nor above a line past the text
}

TEST_F(TabStops, FartherLinesAddStopsRightOfTheNearerOnesWithinTheRowBound) {
  const std::vector<std::string> lines = {"                         far", "alpha beta   gamma",
                                          "    x", ""};
  SetLines(lines, 20);
  const int stops[][2] = {{0, 4}, {4, 5}, {5, 6}, {6, 13}, {13, 18}, {18, 25}, {25, 28}};
  for (auto [from, to] : stops) EXPECT_EQ(Tab(from, 3), to) << from;
  Editor().SetVisibleRows(1);  // two lines above
  EXPECT_EQ(Tab(18, 3), 20);
  Editor().SetVisibleRows(0);  // a fresh editor: the line directly above only
  EXPECT_EQ(Tab(5, 3), 6);
  EXPECT_EQ(Tab(6, 3), 8);
}

TEST_F(TabStops, TheWalkStopsPastColumn255AndNeverFlagsBeyond1024) {
  SetLines({std::string(400, 'b'), std::string(300, 'a'), ""}, 20);
  EXPECT_EQ(Tab(1, 2), 300);
  EXPECT_EQ(Tab(300, 2), 302);  // the 400-column line is not scanned
  SetLines({"a" + std::string(1099, ' ') + "word", ""}, 20);
  EXPECT_EQ(Tab(1, 1), 2);
  EXPECT_EQ(Tab(2000, 1), 2002);
}

TEST_F(TabStops, BackStopUnindentsToTheLevelsAbove) {
  SetLines({"begin", "    if", "        x"}, 20);
  EXPECT_EQ(Back(8, 2), 4);
  Editor().Lines().PlainPut(2, "    x");
  EXPECT_EQ(Back(4, 2), 0);

  SetLines({"  a", "    b", "    c"}, 20);
  EXPECT_EQ(Back(4, 2), 2);
  Editor().SetVisibleRows(0);  // the line directly above only
  EXPECT_EQ(Back(4, 2), 0);
}

TEST_F(TabStops, BackStopIsAPlainBackspaceOtherwise) {
  SetLines({"    b", "  ab  cd", "        c", ""}, 20);
  EXPECT_EQ(Back(5, 1), 4);  // text before the caret
  EXPECT_EQ(Back(4, 2), 3);  // a blank under the caret
  EXPECT_EQ(Back(6, 3), 2);  // past the end of an empty line the levels above apply
  EXPECT_EQ(Back(6, 9), 0);  // a line past the text
  SetLines({std::string(1050, ' ') + "x", ""}, 20);
  EXPECT_EQ(Back(1100, 1), 0);
}
