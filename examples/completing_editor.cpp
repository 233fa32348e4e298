#include <memory>
#include <string>

#include "editor/Completion.h"
#include "highlight/RAHLEditor.h"
#include "qt/EditorWidget.h"

// A script editor that offers identifiers 800 ms after typing stops (and on Ctrl+Space)
// and expands templates on Ctrl+J.
EditorWidget* MakeCompletingEditor(QWidget* parent) {
  auto* widget = new EditorWidget(
      [](EditorHost& host) {
        auto editor = std::make_unique<TRAHLEditor>(host);
        editor->SetHighLighter(hlMarvek);
        TCompletion& completion = editor->Completion();
        // Identifiers are name=description; templates name=description=text, where /n
        // starts a new line at the word's indentation and | marks where the caret goes.
        completion.SetIdentifers({"Alpha=alpha value", "Beta=beta value"});
        completion.SetTemplates({"be=block=begin/n  |/nend"});
        completion.SetEnabled(true);
        return editor;
      },
      parent);
  return widget;
}
