// Key entry: keys and chords to commands, characters to typing commands.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "support/EditorFixture.h"

namespace {
using Codes = std::vector<TEditCommand>;

// Records the codes it is asked to execute instead of executing them.
class RecordingEditor : public TRAEditor {
 public:
  using TRAEditor::TRAEditor;
  void Command(TEditCommand code) override { Ran.push_back(code); }
  Codes Ran;
};

struct KeysTest : ::testing::Test {
  // A key down and then the character the platform sends for it; returns the key as
  // KeyDown left it.
  uint16_t Type(uint16_t key, TShiftState shift, char ch) {
    e().KeyDown(key, shift);
    e().KeyPress(ch);
    return key;
  }
  RecordingEditor& e() { return *h.editor; }
  EditorHarness<RecordingEditor> h;
};
}  // namespace

TEST_F(KeysTest, BoundKeysRunCommandsAndOtherKeysType) {
  EXPECT_EQ(Type(VK_RETURN, 0, '\r'), 0);  // consumed, and its character dropped
  EXPECT_EQ(Type('A', ssShift, 'A'), 'A');
  char high = static_cast<char>(0xE9);  // a character code, not a negative number
  e().KeyPress(high);
  Type('C', ssCtrl | ssAlt, 'c');  // no binding for the whole shift state
  EXPECT_EQ(e().Ran, (Codes{cmdReturn, 'A', 0xE9, 'c'}));
}

TEST_F(KeysTest, ChordsRunOnTheSecondKeyAndSwallowItsCharacter) {
  EXPECT_EQ(Type('K', ssCtrl, 0x0B), 'K');
  EXPECT_TRUE(e().ChordPending());
  Type('5', 0, '5');
  EXPECT_FALSE(e().ChordPending());
  Type('K', ssCtrl, 0x0B);
  Type('5', ssCtrl, '5');
  Type('5', ssCtrl | ssShift, '%');
  Type('Q', ssCtrl, 0x11);
  Type('P', 0, 'p');
  EXPECT_EQ(e().Ran,
            (Codes{cmdSetBookmark0 + 5, cmdSetBookmark0 + 5, cmdSetBookmark0 + 5, cmdCaretLeft}));

  // A second key that completes no chord does nothing and is not typed, even when it
  // would start a chord of its own; the key after it is handled normally.
  e().Ran.clear();
  EXPECT_EQ(Type('K', ssCtrl, 0x0B), 'K');
  EXPECT_EQ(Type('X', 0, 'x'), 'X');
  Type('Q', ssCtrl, 0x11);
  Type('K', ssCtrl, 0x0B);
  EXPECT_FALSE(e().ChordPending());
  Type('X', 0, 'x');
  EXPECT_EQ(e().Ran, Codes{'x'});
}

TEST_F(KeysTest, OwnerKeyDownHandlerMayChangeOrConsumeTheFirstKey) {
  std::vector<uint16_t> seen;
  uint16_t replacement = VK_LEFT;
  e().OnKeyDown = [&](TRACustomEditor*, uint16_t& key, TShiftState) {
    seen.push_back(key);
    key = replacement;
  };
  EXPECT_EQ(Type('Z', 0, 'z'), 0);
  replacement = 'K';
  Type('K', ssCtrl, 0x0B);
  Type('5', 0, '5');  // the chord's second key is not shown to the owner
  EXPECT_EQ(seen, (std::vector<uint16_t>{'Z', 'K'}));
  EXPECT_EQ(e().Ran, (Codes{cmdCaretLeft, cmdSetBookmark0 + 5}));

  replacement = 0;  // consumed: nothing is looked up, no chord starts, the character types
  Type('K', ssCtrl, 'k');
  EXPECT_FALSE(e().ChordPending());
  EXPECT_EQ(e().Ran.back(), 'k');
}

TEST_F(KeysTest, CharactersRespectReadOnlyAndOwnerHandler) {
  h.host.Focused = true;
  e().SetReadOnly(true);
  Type('a', 0, 'a');
  Type(VK_DOWN, 0, 0);  // commands still run; each decides for itself
  EXPECT_EQ(e().Ran, Codes{cmdCaretDown});

  e().SetReadOnly(false);
  bool caretShownInHandler = true;
  e().OnKeyPress = [&](TRACustomEditor*, char& c) {
    caretShownInHandler = h.host.CaretVisible;
    c = 'b';
  };
  Type('a', 0, 'a');
  EXPECT_EQ(e().Ran.back(), 'b');
  EXPECT_FALSE(caretShownInHandler);
  EXPECT_TRUE(h.host.CaretVisible);

  // A failing handler leaves the caret shown, not hidden for good.
  e().OnKeyPress = [](TRACustomEditor*, char&) { throw std::runtime_error("handler"); };
  EXPECT_THROW(Type('a', 0, 'a'), std::runtime_error);
  EXPECT_TRUE(h.host.CaretVisible);
}
