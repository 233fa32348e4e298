#include "editor/RAEditor.h"

// Not yet implemented.
void TKeyboard::AddKey(TEditCommand, uint16_t, TShiftState) {}
void TKeyboard::AddChord(TEditCommand, uint16_t, TShiftState, uint16_t, TShiftState) {}
uint16_t TKeyboard::FindCommand(uint16_t, TShiftState) const { return 0; }
TEditCommand TKeyboard::FindChordCommand(uint16_t, TShiftState, uint16_t, TShiftState) const { return 0; }
void TKeyboard::SetDefaultLayout() {}
