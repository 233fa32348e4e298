#pragma once
// An editor on the test host for the fuzz targets. The view is small (about 50 columns
// by 11 rows): painting stays cheap and short texts already scroll.
#include <memory>
#include <string>
#include <vector>

#include "highlight/RAHLEditor.h"
#include "support/FakeHost.h"

namespace fuzz {

// Draws nothing and keeps nothing, but reads every advance a text run is given, so that
// a run longer than its advance array is caught.
class FuzzCanvas : public RecordingCanvas {
 public:
  void FillRect(const TRect&) override {}
  void LineTo(int, int) override {}
  void TextOut(int, int, const std::string& text, const int* advances, const TRect*) override {
    if (advances == nullptr) return;
    for (size_t i = 0; i < text.size(); ++i) Width += advances[i];
  }
  long long Width = 0;
};

class FuzzHost : public FakeHost {
 public:
  ::Canvas& GetCanvas() override { return Drawing; }
  FuzzCanvas Drawing;
};

struct FuzzEditor {
  FuzzEditor() {
    host.Drawing.CharWidth = 8;
    host.Drawing.CharHeight = 15;
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
  void Paint() { editor->Paint(); }
  FuzzHost host;
  std::unique_ptr<TRAHLEditor> editor;
};

}  // namespace fuzz
