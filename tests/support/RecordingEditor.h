#pragma once
// An editor that keeps the arguments of every TextModified call.
#include <string>
#include <tuple>
#include <vector>

#include "editor/RAEditor.h"

using Modification = std::tuple<int, int, std::string>;

class RecordingEditor : public TRAEditor {
 public:
  using TRAEditor::TRAEditor;
  void TextModified(int pos, int action, const std::string& text) override {
    Modifications.emplace_back(pos, action, text);
    TRAEditor::TextModified(pos, action, text);
  }
  std::vector<Modification> Modifications;
};
