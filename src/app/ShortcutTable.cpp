#include "app/ShortcutTable.h"

#include "editor/Commands.h"

using TKind = TWindowShortcut::TKind;

std::vector<TWindowShortcut> WindowShortcuts(TKeyScheme scheme) {
  std::vector<TWindowShortcut> keys = {
      {'O', ssCtrl, "File > Open...", TKind::Described},
      {'P', ssCtrl, "File > Print...", TKind::Described},
      {'X', ssCtrl, "Edit > Cut", TKind::Described},
      {'C', ssCtrl, "Edit > Copy", TKind::Described},
      {'V', ssCtrl, "Edit > Paste", TKind::Described},
      {'Z', ssCtrl, "Edit > Undo", TKind::Described},
      {'F', ssCtrl, "Search > Find...", TKind::Described},
      {kVkF3, 0, "Search > Find Next", TKind::Described},
      {'G', ssCtrl, "Search > Go To...", TKind::Described},
  };
  for (int d = 0; d <= 9; ++d) {
    const auto digit = static_cast<uint16_t>('0' + d);
    keys.push_back(
        {digit, ssCtrl, "Search > Goto Bookmark " + std::to_string(d), TKind::Described});
    keys.push_back({digit, ssCtrl | ssShift, "Search > Toggle Bookmark " + std::to_string(d),
                    TKind::Described});
  }
  const std::vector<TWindowShortcut> added = {
      {'S', ssCtrl, "File > Save", TKind::Added},
      {'S', ssCtrl | ssShift, "File > Save As...", TKind::Added},
      {'W', ssCtrl, "Window > Close", TKind::Added},
      {kVkF4, ssCtrl, "Window > Close", TKind::Added},
      {'Z', ssCtrl | ssShift, "Edit > Redo", TKind::Added},
      {'H', ssCtrl, "Search > Replace", TKind::Added},
      {kVkF3, ssShift, "Search > Find Previous", TKind::Added},
      {'F', ssCtrl | ssShift, "Search > Find in Open Scripts...", TKind::Added},
      {VK_TAB, ssCtrl, "The next document window to the front", TKind::Added},
      {VK_TAB, ssCtrl | ssShift, "The previous document window to the front", TKind::Added},
      {kVkF8, 0, "Search > Next Problem", TKind::Added},
      {kVkF8, ssShift, "Search > Previous Problem", TKind::Added},
      {'G', ssCtrl | ssShift, "Search > Go To Label...", TKind::Added},
      {kVkF12, 0, "Search > Go To Definition", TKind::Added},
      {VK_LEFT, ssAlt, "Search > Go Back", TKind::Added},
      {kVkF1, 0, "Help > Keyboard Shortcuts", TKind::Added},
  };
  keys.insert(keys.end(), added.begin(), added.end());
  if (scheme == TKeyScheme::Desktop) {
    keys.push_back({'N', ssCtrl, "File > New", TKind::Desktop});
    keys.push_back({'Y', ssCtrl, "Edit > Redo", TKind::Desktop});
  }
  return keys;
}

const TWindowShortcut* FindWindowShortcut(const std::vector<TWindowShortcut>& shortcuts,
                                          uint16_t key, TShiftState shift) {
  for (const TWindowShortcut& s : shortcuts) {
    if (s.Key == key && s.Shift == shift) return &s;
  }
  return nullptr;
}
