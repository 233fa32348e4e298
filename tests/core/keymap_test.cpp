// The key map: lookups, chords and the default bindings.
#include <gtest/gtest.h>

#include "editor/Keyboard.h"

namespace {
constexpr TShiftState kCtrl = ssCtrl;

struct KeyMap : ::testing::Test {
  KeyMap() { keys.SetDefaultLayout(); }
  // Position of the binding with exactly these keys, -1 when there is none.
  int IndexOf(uint16_t key1, TShiftState shift1, uint16_t key2 = 0, TShiftState shift2 = 0) {
    for (size_t i = 0; i < keys.Keys().size(); ++i) {
      const TEditKey& k = *keys.Keys()[i];
      if (k.Key1 == key1 && k.Shift1 == shift1 && k.Key2 == key2 && k.Shift2 == shift2)
        return static_cast<int>(i);
    }
    return -1;
  }
  TKeyboard keys;
};
}  // namespace

TEST_F(KeyMap, DefaultLayoutHasEveryBindingOnceInTableOrder) {
  ASSERT_EQ(keys.Keys().size(), 138u);
  int singles = 0;
  for (const auto& k : keys.Keys()) {
    singles += k->Key2 == 0;
    // No binding is hidden behind an earlier one with the same keys.
    if (k->Key2 == 0)
      EXPECT_EQ(keys.FindCommand(k->Key1, k->Shift1), k->Command) << k->Key1;
    else
      EXPECT_EQ(keys.FindChordCommand(k->Key1, k->Shift1, k->Key2, k->Shift2), k->Command);
  }
  EXPECT_EQ(singles, 71);
  EXPECT_EQ(IndexOf(VK_LEFT, 0), 0);
  EXPECT_EQ(IndexOf('P', kCtrl | ssShift), 137);
  // Bookmarks: set keys, go-to keys, then the Ctrl+K chords digit by digit (plain digit,
  // then Ctrl+digit), then likewise the Ctrl+Q chords.
  EXPECT_EQ(IndexOf('0', kCtrl | ssShift), 42);
  EXPECT_EQ(IndexOf('0', kCtrl), 52);
  EXPECT_EQ(IndexOf('K', kCtrl, '0', 0), 62);
  EXPECT_EQ(IndexOf('K', kCtrl, '0', kCtrl), 63);
  EXPECT_EQ(IndexOf('K', kCtrl, '1', 0), 64);
  EXPECT_EQ(IndexOf('Q', kCtrl, '0', 0), 82);
  // Ctrl+Q letters: all nine without Ctrl on the second key, then all nine with it.
  const int quick = IndexOf('Q', kCtrl, 'C', 0);
  EXPECT_EQ(IndexOf('Q', kCtrl, 'X', 0), quick + 8);
  EXPECT_EQ(IndexOf('Q', kCtrl, 'C', kCtrl), quick + 9);
  EXPECT_EQ(IndexOf('J', kCtrl), quick - 1);
  EXPECT_EQ(IndexOf('T', kCtrl), quick + 18);
}

TEST_F(KeyMap, LookupsCompareKeysAndWholeShiftStates) {
  EXPECT_EQ(keys.FindCommand(VK_LEFT, ssShift), cmdSelectLeft);
  EXPECT_EQ(keys.FindCommand(VK_BACK, ssAlt), cmdUndo);
  EXPECT_EQ(keys.FindCommand('5', kCtrl | ssShift), cmdSetBookmark0 + 5);
  EXPECT_EQ(keys.FindCommand('5', kCtrl), cmdGotoBookmark0 + 5);
  EXPECT_EQ(keys.FindCommand('C', kCtrl | ssAlt), 0);
  EXPECT_EQ(keys.FindCommand('C', 0), 0);
  EXPECT_EQ(keys.FindCommand(0, 0), 0);
  for (uint16_t first : {'K', 'Q', 'O'}) EXPECT_EQ(keys.FindCommand(first, kCtrl), kChordPending);

  EXPECT_EQ(keys.FindChordCommand('K', kCtrl, '5', 0), cmdSetBookmark0 + 5);
  EXPECT_EQ(keys.FindChordCommand('K', kCtrl, '5', kCtrl), cmdSetBookmark0 + 5);
  EXPECT_EQ(keys.FindChordCommand('Q', kCtrl, 'P', 0), cmdCaretLeft);
  EXPECT_EQ(keys.FindChordCommand('O', kCtrl, 'C', kCtrl), cmdBlockColumn);
  EXPECT_EQ(keys.FindChordCommand('O', kCtrl, 'C', 0), 0);
  EXPECT_EQ(keys.FindChordCommand('K', kCtrl, 'X', 0), 0);
  EXPECT_EQ(keys.FindChordCommand(VK_LEFT, 0, 0, 0), 0);  // a single key is no chord
}

TEST_F(KeyMap, FirstMatchingBindingWinsAndLayoutReplacesAll) {
  keys.Clear();
  EXPECT_EQ(keys.FindCommand(VK_LEFT, 0), 0);
  keys.AddKey(cmdUndo, 'K', kCtrl);
  keys.AddChord(cmdRedo, 'K', kCtrl, 'R', 0);
  EXPECT_EQ(keys.FindCommand('K', kCtrl), cmdUndo);
  EXPECT_EQ(keys.FindChordCommand('K', kCtrl, 'R', 0), cmdRedo);
  keys.SetDefaultLayout();
  EXPECT_EQ(keys.Keys().size(), 138u);
  EXPECT_EQ(keys.FindCommand('K', kCtrl), kChordPending);
}
