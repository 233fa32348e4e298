// The key map and its default bindings.
#include "editor/Keyboard.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {
constexpr TShiftState kNone = 0;
constexpr TShiftState kCtrl = ssCtrl;
constexpr TShiftState kShift = ssShift;
constexpr TShiftState kCtrlShift = ssCtrl | ssShift;

uint16_t Digit(int d) {
  return static_cast<uint16_t>('0' + d);
}
TEditCommand SetBookmark(int d) {
  return static_cast<TEditCommand>(cmdSetBookmark0 + d);
}
TEditCommand GotoBookmark(int d) {
  return static_cast<TEditCommand>(cmdGotoBookmark0 + d);
}

void AddMovementAndEditingKeys(TKeyboard& k) {
  k.AddKey(cmdCaretLeft, VK_LEFT, kNone);
  k.AddKey(cmdCaretRight, VK_RIGHT, kNone);
  k.AddKey(cmdCaretUp, VK_UP, kNone);
  k.AddKey(cmdCaretDown, VK_DOWN, kNone);
  k.AddKey(cmdSelectLeft, VK_LEFT, kShift);
  k.AddKey(cmdSelectRight, VK_RIGHT, kShift);
  k.AddKey(cmdSelectUp, VK_UP, kShift);
  k.AddKey(cmdSelectDown, VK_DOWN, kShift);
  k.AddKey(cmdLineStart, VK_HOME, kNone);
  k.AddKey(cmdSelectLineStart, VK_HOME, kShift);
  k.AddKey(cmdDocumentStart, VK_HOME, kCtrl);
  k.AddKey(cmdSelectDocumentStart, VK_HOME, kCtrlShift);
  k.AddKey(cmdLineEnd, VK_END, kNone);
  k.AddKey(cmdSelectLineEnd, VK_END, kShift);
  k.AddKey(cmdDocumentEnd, VK_END, kCtrl);
  k.AddKey(cmdSelectDocumentEnd, VK_END, kCtrlShift);
  k.AddKey(cmdWordLeft, VK_LEFT, kCtrl);
  k.AddKey(cmdWordRight, VK_RIGHT, kCtrl);
  k.AddKey(cmdSelectWordLeft, VK_LEFT, kCtrlShift);
  k.AddKey(cmdSelectWordRight, VK_RIGHT, kCtrlShift);
  k.AddKey(cmdSelectAll, 'A', kCtrl);
  k.AddKey(cmdWindowTop, VK_PRIOR, kCtrl);
  k.AddKey(cmdWindowBottom, VK_NEXT, kCtrl);
  k.AddKey(cmdPageUp, VK_PRIOR, kNone);
  k.AddKey(cmdPageDown, VK_NEXT, kNone);
  k.AddKey(cmdSelectPageUp, VK_PRIOR, kShift);
  k.AddKey(cmdSelectPageDown, VK_NEXT, kShift);
  k.AddKey(cmdScrollLineUp, VK_UP, kCtrl);
  k.AddKey(cmdScrollLineDown, VK_DOWN, kCtrl);
  k.AddKey(cmdToggleInsertMode, VK_INSERT, kNone);
  k.AddKey(cmdReturn, VK_RETURN, kNone);
  k.AddKey(cmdBackspace, VK_BACK, kNone);
  k.AddKey(cmdDelete, VK_DELETE, kNone);
  k.AddKey(cmdTab, VK_TAB, kNone);
  k.AddKey(cmdBackTab, VK_TAB, kShift);
  k.AddKey(cmdDeleteSelection, VK_DELETE, kCtrl);
  k.AddKey(cmdCopy, VK_INSERT, kCtrl);
  k.AddKey(cmdCut, VK_DELETE, kShift);
  k.AddKey(cmdPaste, VK_INSERT, kShift);
  k.AddKey(cmdCopy, 'C', kCtrl);
  k.AddKey(cmdCut, 'X', kCtrl);
  k.AddKey(cmdPaste, 'V', kCtrl);
}

void AddBookmarkKeys(TKeyboard& k) {
  for (int d = 0; d <= 9; ++d) k.AddKey(SetBookmark(d), Digit(d), kCtrlShift);
  for (int d = 0; d <= 9; ++d) k.AddKey(GotoBookmark(d), Digit(d), kCtrl);
  for (int d = 0; d <= 9; ++d) {
    k.AddChord(SetBookmark(d), 'K', kCtrl, Digit(d), kNone);
    k.AddChord(SetBookmark(d), 'K', kCtrl, Digit(d), kCtrl);
  }
  for (int d = 0; d <= 9; ++d) {
    k.AddChord(GotoBookmark(d), 'Q', kCtrl, Digit(d), kNone);
    k.AddChord(GotoBookmark(d), 'Q', kCtrl, Digit(d), kCtrl);
  }
}

// Ctrl+Q followed by a letter, first without and then with Ctrl on the second key.
void AddQuickMovementChords(TKeyboard& k) {
  static constexpr std::array<std::pair<char, TEditCommand>, 9> kQuick{{
      {'C', cmdDocumentEnd},
      {'D', cmdLineEnd},
      {'E', cmdWindowTop},
      {'P', cmdCaretLeft},
      {'R', cmdDocumentStart},
      {'S', cmdLineStart},
      {'T', cmdWindowTop},
      {'U', cmdWindowBottom},
      {'X', cmdWindowBottom},
  }};
  for (const auto& [key, command] : kQuick) k.AddChord(command, 'Q', kCtrl, key, kNone);
  for (const auto& [key, command] : kQuick) k.AddChord(command, 'Q', kCtrl, key, kCtrl);
}
}  // namespace

void TKeyboard::AddKey(TEditCommand command, uint16_t key, TShiftState shift) {
  FKeys.push_back(std::make_unique<TEditKey>(command, key, shift));
}

void TKeyboard::AddChord(TEditCommand command, uint16_t key1, TShiftState shift1, uint16_t key2,
                         TShiftState shift2) {
  FKeys.push_back(std::make_unique<TEditKey>(command, key1, shift1, key2, shift2));
}

uint16_t TKeyboard::FindCommand(uint16_t key, TShiftState shift) const {
  auto it = std::find_if(FKeys.begin(), FKeys.end(),
                         [&](const auto& k) { return k->Key1 == key && k->Shift1 == shift; });
  if (it == FKeys.end()) return 0;
  return (*it)->Key2 == 0 ? (*it)->Command : kChordPending;
}

TEditCommand TKeyboard::FindChordCommand(uint16_t key1, TShiftState shift1, uint16_t key2,
                                         TShiftState shift2) const {
  // A chord always has a second key; 0 must not match a single-key binding.
  if (key2 == 0) return 0;
  auto it = std::find_if(FKeys.begin(), FKeys.end(), [&](const auto& k) {
    return k->Key1 == key1 && k->Shift1 == shift1 && k->Key2 == key2 && k->Shift2 == shift2;
  });
  return it == FKeys.end() ? 0 : (*it)->Command;
}

void TKeyboard::SetDefaultLayout() {
  Clear();
  AddMovementAndEditingKeys(*this);
  AddBookmarkKeys(*this);
  AddChord(cmdBlockNonInclusive, 'O', kCtrl, 'K', kCtrl);
  AddChord(cmdBlockInclusive, 'O', kCtrl, 'I', kCtrl);
  AddChord(cmdBlockColumn, 'O', kCtrl, 'C', kCtrl);
  AddKey(cmdUndo, 'Z', kCtrl);
  AddKey(cmdUndo, VK_BACK, ssAlt);
  AddKey(cmdCompleteIdentifier, VK_SPACE, kCtrl);
  AddKey(cmdCompleteTemplate, 'J', kCtrl);
  AddQuickMovementChords(*this);
  AddKey(cmdDeleteWord, 'T', kCtrl);
  AddKey(cmdReturn, 'N', kCtrl);
  AddKey(cmdDeleteLine, 'Y', kCtrl);
  AddChord(cmdSelectWord, 'K', kCtrl, 'T', kCtrl);
  AddChord(cmdUpperCase, 'K', kCtrl, 'O', kCtrl);
  AddChord(cmdLowerCase, 'K', kCtrl, 'N', kCtrl);
  AddChord(cmdToggleCase, 'O', kCtrl, 'U', kCtrl);
  AddChord(cmdBlockIndent, 'K', kCtrl, 'I', kCtrl);
  AddChord(cmdBlockUnindent, 'K', kCtrl, 'U', kCtrl);
  AddKey(cmdRecordMacro, 'R', kCtrlShift);
  AddKey(cmdPlayMacro, 'P', kCtrlShift);
}
