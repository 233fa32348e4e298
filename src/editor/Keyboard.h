#pragma once
// The key map: keys and two-key chords to command codes.
#include <cstdint>
#include <memory>
#include <vector>

#include "editor/Commands.h"
#include "platform/Types.h"

// One binding: Key1 with Shift1, then (for a chord) Key2 with Shift2.
struct TEditKey {
  TEditKey(TEditCommand command, uint16_t key1, TShiftState shift1)
      : Key1(key1), Shift1(shift1), Command(command) {}
  TEditKey(TEditCommand command, uint16_t key1, TShiftState shift1, uint16_t key2,
           TShiftState shift2)
      : Key1(key1), Key2(key2), Shift1(shift1), Shift2(shift2), Command(command) {}
  uint16_t Key1 = 0;
  uint16_t Key2 = 0;
  TShiftState Shift1 = 0;
  TShiftState Shift2 = 0;
  TEditCommand Command = 0;
};

// The answer of FindCommand for the first key of a chord.
constexpr uint16_t kChordPending = 0xFFFF;

class TKeyboard {
 public:
  TKeyboard() = default;
  ~TKeyboard() { Clear(); }
  void AddKey(TEditCommand command, uint16_t key, TShiftState shift);
  void AddChord(TEditCommand command, uint16_t key1, TShiftState shift1, uint16_t key2,
                TShiftState shift2);
  // The command of the first binding for Key+Shift; kChordPending when that binding is a
  // chord; 0 when nothing matches.
  uint16_t FindCommand(uint16_t key, TShiftState shift) const;
  TEditCommand FindChordCommand(uint16_t key1, TShiftState shift1, uint16_t key2,
                                TShiftState shift2) const;
  void Clear() { FKeys.clear(); }
  void SetDefaultLayout();
  const std::vector<std::unique_ptr<TEditKey>>& Keys() const { return FKeys; }

 private:
  std::vector<std::unique_ptr<TEditKey>> FKeys;
};
