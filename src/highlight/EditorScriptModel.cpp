#include "highlight/EditorScriptModel.h"

#include <algorithm>

TEditorScriptModel::TEditorScriptModel(TEditorStrings& lines) : FLines(lines) {
  FModel.Reset(TScriptLinesOf<TEditorStrings>(FLines));
  FLines.Store().AddObserver(this);
}

TEditorScriptModel::~TEditorScriptModel() {
  FLines.Store().RemoveObserver(this);
}

void TEditorScriptModel::LinesReplacing(int /*first*/, int removed) {
  FRemoved = removed;
}

void TEditorScriptModel::LinesReplaced(int first, int added) {
  const bool everyLine = first == 0 && FRemoved == FModel.LineCount() && added == FLines.Count();
  if (FStale || (everyLine && added >= kLazyLines)) {
    FStale = true;
  } else {
    FModel.Replace(TScriptLinesOf<TEditorStrings>(FLines), first, FRemoved, added);
  }
  if (OnChange) OnChange();
}

const TScriptModel& TEditorScriptModel::Model() const {
  if (FStale) {
    FModel.Reset(TScriptLinesOf<TEditorStrings>(FLines));
    FStale = false;
  }
  return FModel;
}

void TEditorScriptModel::MarkProblems(int line, TLineAttrs& attrs) const {
  if (FStale) return;
  for (const TScriptProblem& p : FModel.ProblemsOn(line)) {
    const TColor color = p.Severity == TScriptSeverity::Error ? clRed : clOlive;
    const int last = std::min(p.Column + p.Length, MaxLineAttr);
    for (int i = p.Column + 1; i <= last; ++i) {
      attrs[i].ForeColor = color;
      attrs[i].Style |= fsUnderline;
    }
  }
}
