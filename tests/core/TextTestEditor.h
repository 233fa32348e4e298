#pragma once
// An editor for the text-operation tests: it keeps the TextModified calls and the
// commands it is asked to run, and lets a test set the block format without a command.
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "editor/RAEditor.h"
#include "support/EditorFixture.h"

struct TextChange {
  int Pos;
  int Action;
  std::string Text;
  bool operator==(const TextChange&) const = default;
};

class TextTestEditor : public TRAEditor {
 public:
  using TRAEditor::TRAEditor;
  void TextModified(int pos, int action, const std::string& text) override {
    Changes.push_back({pos, action, text});
  }
  void Command(TEditCommand code) override {
    Commands.push_back(code);
    if (BeforeCommand) BeforeCommand(code);
    TRAEditor::Command(code);
  }
  void SetFormat(TSelBlockFormat format) { FSelBlockFormat = format; }
  void PlaceCaret(int x, int y) { SetCaretInternal(x, y); }
  int AnchorX() const { return FSelAnchorX; }

  std::vector<TextChange> Changes;
  std::vector<TEditCommand> Commands;
  std::function<void(TEditCommand)> BeforeCommand;
};

struct TextHarness : EditorHarness<TextTestEditor> {
  TextHarness(const std::string& text = "") {
    SetText(text);
    editor->Changes.clear();
  }
  TUndoBuffer& Undo() { return *editor->UndoBuffer(); }
  // The class names of the records in the buffer, oldest first.
  std::vector<std::string> Records() {
    std::vector<std::string> names;
    for (int i = 0; i < Undo().Count(); ++i) names.push_back(ClassName(*Undo().Item(i)));
    return names;
  }
  static std::string ClassName(const TUndo& r) {
    std::string name = typeid(r).name();
    return name.substr(name.find('T'));
  }
  void Select(int begX, int begY, int endX, int endY) {
    editor->SetSel(begX, begY);
    editor->SetSel(endX, endY);
  }
};
