// From key presses to command codes: single keys, two-key chords and typed characters.
#include "editor/Completion.h"
#include "editor/RAEditor.h"

void TRACustomEditor::KeyDown(uint16_t& key, TShiftState shift) {
  if (FCompletion->ListShown()) {
    if (FCompletion->HandleListKey(key)) return;
  } else {
    FCompletion->StopTimer();
  }

  uint16_t command = 0;
  if (FChordPending) {
    // The second key of a chord: whatever it is, the chord ends and its character is dropped.
    command = FKeyboard->FindChordCommand(FChordKey, FChordShift, key, shift);
    FChordPending = false;
    FSkipKeyPress = true;
  } else {
    if (OnKeyDown) OnKeyDown(this, key, shift);
    FChordKey = key;
    FChordShift = shift;
    // A key the owner consumed (set to 0) matches no binding.
    command = key == 0 ? 0 : FKeyboard->FindCommand(key, shift);
    if (command == kChordPending) {
      FSkipKeyPress = true;
      FChordPending = true;
    } else {
      FSkipKeyPress = command != 0;
    }
  }

  if (command == 0 || command == kChordPending) return;
  Command(command);
  key = 0;
  if (command == cmdBackspace) FCompletion->NotifyChar(8);
}

void TRACustomEditor::KeyPress(char& key) {
  if (FSkipKeyPress) {
    FSkipKeyPress = false;
    return;
  }
  if (FReadOnly) return;
  const auto caretHidden = CaretHidden();
  if (OnKeyPress) OnKeyPress(this, key);
  Command(static_cast<unsigned char>(key));
}
