#pragma once
// An editor on the test host for the fuzz targets. The view is small (about 50 columns
// by 11 rows): painting stays cheap and short texts already scroll.
#include <memory>
#include <string>
#include <vector>

#include "highlight/RAHLEditor.h"
#include "support/FakeHost.h"

namespace fuzz {

struct FuzzEditor {
  FuzzEditor() {
    host.Paint.CharWidth = 8;
    host.Paint.CharHeight = 15;
    host.Width = 420;
    host.Height = 165;
    editor = std::make_unique<TRAHLEditor>(host);
    editor->CreateWnd();
    editor->UpdateEditorSize();
  }
  std::vector<std::string> LinesCopy() const {
    std::vector<std::string> lines;
    for (int i = 0; i < editor->Lines().Count(); ++i) lines.push_back(editor->Lines()[i]);
    return lines;
  }
  // Paints what is in view; the recorded calls are dropped.
  void Paint() {
    editor->Paint();
    host.Paint.Reset();
  }
  FakeHost host;
  std::unique_ptr<TRAHLEditor> editor;
};

}  // namespace fuzz
