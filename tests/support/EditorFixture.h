#pragma once
// A fake host and an editor on it, sized like the document window, window created and
// geometry computed, for tests of the control core.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/RAEditor.h"
#include "support/FakeHost.h"

template <typename TEditor = TRAEditor>
struct EditorHarness {
  EditorHarness() {
    host.Paint.CharWidth = 8;
    host.Paint.CharHeight = 15;
    editor = std::make_unique<TEditor>(host);
    editor->CreateWnd();
    editor->UpdateEditorSize();
  }
  void SetText(const std::string& text) { editor->Lines().SetTextStr(text); }
  std::string Text() const { return editor->Lines().GetTextStr(); }
  FakeHost host;
  std::unique_ptr<TEditor> editor;
};
