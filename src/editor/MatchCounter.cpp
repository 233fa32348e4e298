#include "editor/MatchCounter.h"

#include <algorithm>

#include "editor/EditorStrings.h"

namespace {
// Lines counted between two looks at the clock.
constexpr int kChunkLines = 4096;

bool Before(int line, int col, int otherLine, int otherCol) {
  return line < otherLine || (line == otherLine && col < otherCol);
}
}  // namespace

void TMatchCounter::Start(const editorsearch::TSearchOptions& options) {
  FOptions = options;
  FChunks.clear();
  FNextLine = 0;
  FNextCol = 0;
  FTotal = 0;
  FDone = options.Text.empty() || (options.RegularExpression && !options.Matcher);
}

bool TMatchCounter::Step(const TEditorStrings& lines, TClock::time_point deadline) {
  while (!FDone) {
    if (FNextLine >= lines.Count()) {
      FDone = true;
      break;
    }
    const int last = std::min(lines.Count(), FNextLine + kChunkLines);
    TChunk chunk{FNextLine, FNextCol, 0};
    // The next chunk goes on behind the last occurrence when that ends below this chunk.
    int resumeLine = last;
    int resumeCol = 0;
    editorsearch::ForEachOccurrence(lines, FOptions, FNextLine, FNextCol, last,
                                    [&](const editorsearch::TOccurrence& o) {
                                      ++chunk.Count;
                                      if (!Before(o.EndLine, o.EndCol, last, 0)) {
                                        resumeLine = o.EndLine;
                                        resumeCol = o.EndCol;
                                      }
                                      return true;
                                    });
    FChunks.push_back(chunk);
    FTotal += chunk.Count;
    FNextLine = resumeLine;
    FNextCol = resumeCol;
    if (TClock::now() >= deadline) break;
  }
  return FDone;
}

int TMatchCounter::NumberAt(const TEditorStrings& lines, int line, int col) const {
  // The chunk whose counting began last at or before the place.
  const auto after = std::upper_bound(FChunks.begin(), FChunks.end(), std::make_pair(line, col),
                                      [](const auto& place, const TChunk& c) {
                                        return Before(place.first, place.second, c.Line, c.Col);
                                      });
  if (after == FChunks.begin()) return 0;
  const auto chunk = std::prev(after);
  if (after == FChunks.end() && !FDone && !Before(line, col, FNextLine, FNextCol)) return 0;
  int number = 0;
  for (auto c = FChunks.begin(); c != chunk; ++c) number += c->Count;
  int found = 0;
  editorsearch::ForEachOccurrence(lines, FOptions, chunk->Line, chunk->Col, line + 1,
                                  [&](const editorsearch::TOccurrence& o) {
                                    ++number;
                                    if (o.Line == line && o.Col == col) found = number;
                                    return Before(o.Line, o.Col, line, col);
                                  });
  return found;
}
