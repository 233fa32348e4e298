#pragma once
// The keys the application's windows take before the editor sees them, by key scheme:
// the menu shortcuts of the main window and of the document window. Platform-free, so
// that the key reference (docs/keys.md, Help > Keyboard Shortcuts) and the tests read the
// table the windows bind.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

// "Classic" keeps every key of the editor's key map that no menu shortcut takes;
// "Desktop" also gives Ctrl+N to File > New and Ctrl+Y to Edit > Redo.
enum class TKeyScheme { Classic, Desktop };

struct TWindowShortcut {
  enum class TKind {
    Described,  // a shortcut of the classic menus
    Added,      // a shortcut on a key the key map leaves free (at most as a chord's key)
    Desktop,    // the Desktop scheme's: a key the key map binds alone, taken over
    Reserved,   // kept free for a menu command that another part of the program binds
  };
  uint16_t Key;  // virtual-key code
  TShiftState Shift;
  std::string Command;  // the menu path, such as "File > Save"
  TKind Kind;
};

constexpr uint16_t kVkF1 = 0x70;
constexpr uint16_t kVkF3 = 0x72;
constexpr uint16_t kVkF4 = 0x73;
constexpr uint16_t kVkF8 = 0x77;
constexpr uint16_t kVkF12 = 0x7B;

// Every window shortcut of Scheme, the described ones first.
std::vector<TWindowShortcut> WindowShortcuts(TKeyScheme scheme);

// Scheme's shortcut on Key with Shift; null when the windows leave the key to the editor.
const TWindowShortcut* FindWindowShortcut(const std::vector<TWindowShortcut>& shortcuts,
                                          uint16_t key, TShiftState shift);
