#pragma once
// The script model of an editor's lines, kept current as they change: every change the
// line store makes (typing, undo, a file loaded) is read as it happens, so the problems
// shown never lag behind the text.
#include <functional>

#include "editor/EditorStrings.h"
#include "editor/EditorTypes.h"
#include "highlight/ScriptModel.h"

class TEditorScriptModel final : public LineListObserver {
 public:
  explicit TEditorScriptModel(TEditorStrings& lines);
  ~TEditorScriptModel();
  TEditorScriptModel(const TEditorScriptModel&) = delete;
  TEditorScriptModel& operator=(const TEditorScriptModel&) = delete;

  const TScriptModel& Model() const { return FModel; }
  // Underlines the problems of Line in Attrs (an editor's line attributes, element c + 1
  // for column c), red for errors and olive for warnings.
  void MarkProblems(int line, TLineAttrs& attrs) const;

  // Runs after every change the model followed (inside the edit: a handler only notes
  // that something is to be refreshed).
  std::function<void()> OnChange;

 private:
  void LinesReplacing(int first, int removed) override;
  void LinesReplaced(int first, int added) override;

  TEditorStrings& FLines;
  TScriptModel FModel;
  int FRemoved = 0;
};
