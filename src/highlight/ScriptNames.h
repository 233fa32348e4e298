#pragma once
// The names a script uses (labels, variables, unknown functions), each stored once and
// known by a number. A script of a million lines holds a few hundred thousand of them,
// so they are kept back to back in one buffer and found through an open-addressing
// table that stores each name's hash beside its number: a look-up touches one slot and,
// only on a matching hash, the name's bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TScriptNames {
 public:
  static constexpr uint32_t kNone = 0xFFFFFFFFu;

  // The number of Name, given it when it is new.
  uint32_t Intern(std::string_view name);
  // The number of Name, or kNone.
  uint32_t Find(std::string_view name) const;
  std::string_view Text(uint32_t id) const {
    return std::string_view(FText).substr(FStarts[id], FStarts[id + 1] - FStarts[id]);
  }
  uint32_t Size() const { return static_cast<uint32_t>(FStarts.size() - 1); }
  void Clear();

 private:
  struct TSlot {
    uint32_t Hash = 0;
    uint32_t Id = kNone;
  };
  static uint32_t Hash(std::string_view name);
  // The slot holding Name, or the empty slot where it would go.
  size_t SlotOf(std::string_view name, uint32_t hash) const;
  void Grow();

  std::string FText;
  std::vector<uint32_t> FStarts{0};
  std::vector<TSlot> FSlots = std::vector<TSlot>(64);
};
