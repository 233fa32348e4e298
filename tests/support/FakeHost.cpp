#include "support/FakeHost.h"

namespace {
// A timer that removes itself from the host's list when its owner frees it.
class TrackedTimer : public FakeTimer {
 public:
  explicit TrackedTimer(std::vector<FakeTimer*>& list) : FList(list) { FList.push_back(this); }
  ~TrackedTimer() override { std::erase(FList, this); }

 private:
  std::vector<FakeTimer*>& FList;
};
}  // namespace

std::unique_ptr<Timer> FakeHost::CreateTimer() {
  return std::make_unique<TrackedTimer>(Timers);
}

std::unique_ptr<ListBox> FakeHost::CreateListBox() {
  auto list = std::make_unique<FakeListBox>();
  List = list.get();
  return list;
}

TColor FakeHost::ResolveColor(TColor color) const {
  if (!IsSystemColor(color)) return color;
  switch (color & 0xFF) {
    case 5:
      return 0xFFFFFF;  // window
    case 8:
      return 0x000000;  // window text
    case 13:
      return 0x6A240A;  // highlight
    case 14:
      return 0xFFFFFF;  // highlight text
    case 15:
      return 0xC8D0D4;  // button face
    default:
      return 0x808080;
  }
}

void FakeHost::RunPosted(const std::function<void(uint16_t)>& run) {
  while (!Posted.empty()) {
    uint16_t code = Posted.front();
    Posted.pop_front();
    run(code);
  }
}
