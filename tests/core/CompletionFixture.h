#pragma once
// An editor with its completion, the fake list window, and helpers that type through
// the editor's key handling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/Completion.h"
#include "editor/CompletionList.h"
#include "support/EditorFixture.h"

struct CompletionTest : ::testing::Test {
  CompletionTest() {
    c().SetIdentifers({"Alpha=alpha value", "Beta=beta value"});
    // The editor's auto-scroll timer, then the list's drag-scroll timer, then the delay.
    EXPECT_EQ(h.host.Timers.size(), 3u);
  }
  TRAEditor& e() { return *h.editor; }
  TCompletion& c() { return e().Completion(); }
  FakeListBox& list() { return *h.host.List; }
  FakeTimer& delayTimer() { return *h.host.Timers[2]; }
  FakeTimer& scrollTimer() { return *h.host.Timers[1]; }

  // A key down and the character it sends, as the platform delivers a typed key.
  void Key(uint16_t key, TShiftState shift, char ch) {
    e().KeyDown(key, shift);
    if (ch) e().KeyPress(ch);
  }
  void Type(const std::string& text) {
    for (char ch : text) {
      const bool lower = ch >= 'a' && ch <= 'z';
      const bool plain = (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == ' ';
      constexpr uint16_t kPunctuationKey = 0xBE;  // a key no binding uses
      Key(lower   ? static_cast<uint16_t>(ch - 'a' + 'A')
          : plain ? static_cast<uint16_t>(ch)
                  : kPunctuationKey,
          0, ch);
    }
  }
  void Enter() { Key(VK_RETURN, 0, '\r'); }
  void Escape() { Key(VK_ESCAPE, 0, 27); }
  void CtrlSpace() { Key(VK_SPACE, ssCtrl, ' '); }
  void CtrlJ() { Key('J', ssCtrl, '\n'); }
  void SetLine(const std::string& line, int caretX) {
    h.SetText(line);
    e().SetCaret(caretX, 0);
  }
  std::string Line(int i = 0) { return e().Lines()[i]; }
  TPoint Caret() { return {e().CaretX(), e().CaretY()}; }
  // Rows of ten, or of the given count, shown with Ctrl+Space.
  void OpenWithRows(int count) {
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back("Item" + std::to_string(i) + "=row");
    c().SetIdentifers(items);
    CtrlSpace();
    ASSERT_TRUE(c().ListShown());
  }

  EditorHarness<TRAEditor> h;
};
