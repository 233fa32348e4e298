#pragma once
// Counts a search's occurrences in a document a slice at a time, so that counting a
// million-line script never holds up typing: Start when the text or the search changes,
// then Step until Done. It keeps how many occurrences start in each chunk of lines, so the
// number of the selected one ("3 of 17") is found by counting one chunk again, not all.
// The occurrences are those that successive Finds from the top would select.
#include <chrono>
#include <vector>

#include "editor/EditorSearch.h"

class TEditorStrings;

class TMatchCounter {
 public:
  using TClock = std::chrono::steady_clock;

  // Counts Options' occurrences afresh; an empty search text counts none at once.
  void Start(const editorsearch::TSearchOptions& options);
  // Counts on in Lines (the document counted since Start) until Deadline has passed or the
  // count is complete; returns Done().
  bool Step(const TEditorStrings& lines, TClock::time_point deadline);
  bool Done() const { return FDone; }
  // The occurrences counted so far; all of them once Done.
  int Total() const { return FTotal; }
  // The 1-based number of the occurrence that starts at column Col of line Line; 0 when
  // none starts there or that part is not counted yet.
  int NumberAt(const TEditorStrings& lines, int line, int col) const;

 private:
  // Where a chunk's counting began (behind the last occurrence before it) and how many
  // occurrences start from there up to the next chunk.
  struct TChunk {
    int Line = 0;
    int Col = 0;
    int Count = 0;
  };

  editorsearch::TSearchOptions FOptions;
  std::vector<TChunk> FChunks;
  int FNextLine = 0;
  int FNextCol = 0;
  int FTotal = 0;
  bool FDone = true;
};
