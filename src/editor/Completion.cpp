#include "editor/Completion.h"

#include "editor/RAEditor.h"

void TCompletion::StartCompletion(int mode) {
  const auto& items = mode == 0 ? Identifers : Templates;
  if (FEditor->ReadOnly() || items.empty()) return;  // nothing to offer
}

bool TCompletion::HandleListKey(uint16_t) { return false; }

void TCompletion::NotifyChar(unsigned char) {}

void TCompletion::CloseList(bool) { FListShown = false; }
