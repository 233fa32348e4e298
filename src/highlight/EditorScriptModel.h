#pragma once
// The script model of an editor's lines, kept current as they change: every change the
// line store makes (typing, undo, a paste) is read as it happens, so the problems shown
// never lag behind the text. A change of every line of a long text (a file loaded) is
// read only when the model is next asked for, so a document shows its text before the
// whole script has been read; until then it underlines nothing.
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

  // Texts of at least this many lines are read lazily when all their lines change.
  static constexpr int kLazyLines = 20000;

  // The model of the lines as they are now: a change of every line not read yet is read
  // first.
  const TScriptModel& Model() const;
  // Whether such a change waits to be read.
  bool Stale() const { return FStale; }
  // Underlines the problems of Line in Attrs (an editor's line attributes, element c + 1
  // for column c), red for errors and olive for warnings; nothing while Stale, so that a
  // paint never waits for the whole script to be read.
  void MarkProblems(int line, TLineAttrs& attrs) const;

  // Runs after every change the model followed (inside the edit: a handler only notes
  // that something is to be refreshed).
  std::function<void()> OnChange;

 private:
  void LinesReplacing(int first, int removed) override;
  void LinesReplaced(int first, int added) override;

  TEditorStrings& FLines;
  mutable TScriptModel FModel;
  mutable bool FStale = false;
  int FRemoved = 0;
};
