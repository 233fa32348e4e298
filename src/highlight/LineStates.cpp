// Start states of lines that continue a comment, string or tag from an earlier line.
#include <algorithm>
#include <climits>

#include "highlight/LineScanner.h"
#include "highlight/RAHLEditor.h"

namespace {

constexpr int kNoGrammarLine = 2147483647;

}  // namespace

uint8_t TRAHLEditor::LineState(int index) const {
  if (index < 0 || index >= FLineStates.Size()) return 0;
  // Text changed since the last update has no known states beyond the stored ones yet.
  if (index > FKnownStates && index < Lines().Count() && !Lines().HasLineChanges())
    ScanForward(index);
  return FLineStates[index];
}

// States past the last known one are computed when a line needs them: the lines far
// below the screen cost nothing until they are shown.
void TRAHLEditor::ScanForward(int index) const {
  const LineScanner scanner(FHighLighter);
  uint8_t state = FLineStates[FKnownStates];
  for (int i = FKnownStates; i < index; ++i) {
    state = scanner.Next(Lines().View(i), state);
    FLineStates[i + 1] = state;
  }
  FKnownStates = index;
}

bool TRAHLEditor::TracksLineStates() const {
  return FLongTokens && FHighLighter != hlNone && FHighLighter != hlIni;
}

void TRAHLEditor::RescanLongTokens() {
  if (!TracksLineStates()) {
    FLineState = 0;
    return;
  }
  const int count = Lines().Count();
  // Without lines the stored states stay; the changes keep counting from the last rescan.
  if (count == 0) return;
  Lines().TakeLineChanges();
  FLineStates.Assign(count, 0);
  FKnownStates = 0;
  FindGrammarLine();
  FScannedHighLighter = FHighLighter;
  FStatesValid = true;
}

// The states a full rescan would give, recomputed only where the lines changed since the
// last rescan: the stored states are spliced to the new line count and recomputed from
// the line before the first change until, past the changed lines, they agree again.
std::pair<int, int> TRAHLEditor::UpdateLineStates() {
  constexpr std::pair<int, int> kEverything{0, INT_MAX};
  if (!TracksLineStates() || !FStatesValid || FScannedHighLighter != FHighLighter) {
    RescanLongTokens();
    return kEverything;
  }
  const int count = Lines().Count();
  if (count == 0) return {1, 0};
  const LineChanges changes = Lines().TakeLineChanges();
  const int oldCount = FLineStates.Size();
  if (!changes.Any) {
    if (oldCount == count) return {1, 0};
    RescanLongTokens();
    return kEverything;
  }
  const int first = changes.First;
  const int end = count - changes.TailUnchanged;
  const int oldEnd = oldCount - changes.TailUnchanged;
  const bool consistent = changes.OldCount == oldCount && first >= 0 && first <= end &&
                          first <= oldEnd && changes.TailUnchanged >= 0 && end <= count &&
                          oldEnd <= oldCount;
  if (!consistent) {
    RescanLongTokens();
    return kEverything;
  }
  const int known = FKnownStates;
  FLineStates.Replace(first, oldEnd - first, end - first, 0);
  FLineStates[0] = 0;
  FindGrammarLine();
  // Known states that reach no further than the changed lines were shown on no line
  // behind them: the changed lines are repainted anyway and compute their states then.
  if (known < oldEnd) {
    // The splice cleared the states from line First on.
    FKnownStates = std::max(std::min(known, first - 1), 0);
    return {first, end - 1};
  }
  // The states of the lines behind the change stay known as far as they were.
  FKnownStates = known + end - oldEnd;
  const int last = ScanLineStates(std::max(first - 1, 0), end);
  return {first, std::max(last, end - 1)};
}

int TRAHLEditor::ScanLineStates(int from, int end) {
  const LineScanner scanner(FHighLighter);
  const int count = Lines().Count();
  // Known states behind the change: [end, FKnownStates] when FKnownStates >= end.
  const int knownTail = FKnownStates;
  FLineState = FLineStates[from];
  int last = from;
  // The last line is not scanned: no line follows it.
  for (int i = from; i < count - 1; ++i) {
    FLineState = scanner.Next(Lines().View(i), FLineState);
    if (i + 1 >= end && i + 1 <= knownTail && FLineStates[i + 1] == FLineState) {
      FKnownStates = knownTail;
      return last;
    }
    FLineStates[i + 1] = FLineState;
    last = i + 1;
    // Past the known states nothing was shown with them: the rest waits until needed.
    if (i + 1 >= end && i + 1 > knownTail) break;
  }
  FKnownStates = last;
  return last;
}

// The last scanned line (all but the last line) that starts the productions part. It is
// searched from the end: few lines follow that part in a grammar file.
void TRAHLEditor::FindGrammarLine() {
  FGrammarLine = kNoGrammarLine;
  if (FHighLighter != hlCocoR) return;
  for (int i = Lines().Count() - 2; i >= 0; --i) {
    if (IsProductionsLine(Lines().View(i), LocaleRef())) {
      FGrammarLine = i;
      return;
    }
  }
}

void TRAHLEditor::FetchLineState() {
  if (!TracksLineStates()) {
    FLineState = 0;
    return;
  }
  // The stored state, as LineState reports it: edits bring the states along themselves,
  // and those made while LongTokens was off wait for the next rescan.
  FLineState = LineState(FLineIndex);
}

int TRAHLEditor::LongTokenEnd() const {
  size_t at = std::string::npos;
  switch (FHighLighter) {
    case hlPascal:
      if (FLineState == 1) {
        at = FLine.find('}');
      } else if (FLineState == 2) {
        at = FLine.find("*)");
        if (at != std::string::npos) ++at;
      }
      break;
    case hlCBuilder:
    case hlSql:
    case hlJava:
    case hlMarvek:
      at = FLine.find("*/");
      if (at != std::string::npos) ++at;
      break;
    case hlPython:
    case hlPerl:
      if (FLineState == 4) at = FLine.find('"');
      break;
    default:
      break;
  }
  return static_cast<int>(at == std::string::npos ? FLine.size() : at);
}

// Every edit brings the states up to date: only the lines from the first change until
// the states agree again are rescanned, and those whose state or text changed repainted.
void TRAHLEditor::SyncLineStates() {
  // States scanned for another highlighter (changed while LongTokens was off) are stale
  // even when no line changed.
  const bool upToDate =
      FStatesValid && FScannedHighLighter == FHighLighter && !Lines().HasLineChanges();
  if (!TracksLineStates() || upToDate) return;
  const auto [first, last] = UpdateLineStates();
  InvalidateLines(first, last);
}

void TRAHLEditor::TextModified(int pos, int action, const std::string& text) {
  TRAEditor::TextModified(pos, action, text);
  SyncLineStates();
}

void TRAHLEditor::Changed() {
  SyncLineStates();
  TRAEditor::Changed();
}

// The whole text was replaced: the states follow without building it.
void TRAHLEditor::WholeTextModified() {
  if (Lines().Count() == 0) return;
  SyncLineStates();
}
