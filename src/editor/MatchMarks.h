#pragma once
// A soft background on every occurrence of a search in the painted lines, laid under the
// selection, so the selected occurrence shows as selected and every other one as marked.
// Installed as the editor's OnGetLineMarks; each painted line searches itself only (or,
// for a search across lines, the few lines above it that a match may start on), so a
// paint costs the lines it shows.
#include "editor/EditorSearch.h"
#include "editor/EditorTypes.h"

class TEditorStrings;

class TMatchMarks {
 public:
  // The search to mark; an empty text (or an invalid pattern) marks nothing.
  void SetSearch(const editorsearch::TSearchOptions& options);
  const editorsearch::TSearchOptions& Search() const { return FOptions; }
  bool Active() const;
  TColor Color() const { return FColor; }
  void SetColor(TColor value) { FColor = value; }

  // Gives the columns of line Index that an occurrence covers the mark's background.
  void Mark(const TEditorStrings& lines, int index, TLineAttrs& attrs) const;

 private:
  editorsearch::TSearchOptions FOptions;
  // How many lines above a painted line an occurrence that reaches it may start.
  int FReach = 0;
  TColor FColor = 0x00A0F0FF;  // a soft yellow
};
