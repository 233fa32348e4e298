#include "highlight/ScriptNames.h"

uint32_t TScriptNames::Hash(std::string_view name) {
  // FNV-1a: names are short, and it spreads them well enough for a table half empty.
  uint32_t h = 2166136261u;
  for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h;
}

size_t TScriptNames::SlotOf(std::string_view name, uint32_t hash) const {
  const size_t mask = FSlots.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const TSlot& slot = FSlots[i];
    if (slot.Id == kNone || (slot.Hash == hash && Text(slot.Id) == name)) return i;
  }
}

uint32_t TScriptNames::Find(std::string_view name) const {
  return FSlots[SlotOf(name, Hash(name))].Id;
}

uint32_t TScriptNames::Intern(std::string_view name) {
  const uint32_t hash = Hash(name);
  size_t i = SlotOf(name, hash);
  if (FSlots[i].Id != kNone) return FSlots[i].Id;
  const uint32_t id = Size();
  FText += name;
  FStarts.push_back(static_cast<uint32_t>(FText.size()));
  // At most half the slots are taken, so a probe soon meets an empty one.
  if (2 * (static_cast<size_t>(id) + 1) > FSlots.size()) {
    Grow();
    i = SlotOf(name, hash);
  }
  FSlots[i] = {hash, id};
  return id;
}

void TScriptNames::Grow() {
  std::vector<TSlot> slots(FSlots.size() * 2);
  const size_t mask = slots.size() - 1;
  for (const TSlot& slot : FSlots) {
    if (slot.Id == kNone) continue;
    size_t i = slot.Hash & mask;
    while (slots[i].Id != kNone) i = (i + 1) & mask;
    slots[i] = slot;
  }
  FSlots = std::move(slots);
}

void TScriptNames::Clear() {
  FText.clear();
  FStarts.assign(1, 0);
  FSlots.assign(64, TSlot{});
}
