#include "highlight/ScriptSpelling.h"

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

#include "highlight/Keywords.h"

namespace {

constexpr int kMostDifference = 2;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Letters inserted, removed, replaced, or neighbours swapped to turn A into B, ignoring
// case; any value above Limit stands for "more than Limit".
int Difference(std::string_view a, std::string_view b, int limit) {
  const int n = static_cast<int>(a.size());
  const int m = static_cast<int>(b.size());
  if (std::abs(n - m) > limit) return limit + 1;
  // Three rows of the table: two back (for swaps), the last one and the current one.
  std::vector<int> before(m + 1), last(m + 1), row(m + 1);
  for (int j = 0; j <= m; ++j) last[j] = j;
  for (int i = 1; i <= n; ++i) {
    row[0] = i;
    int best = row[0];
    for (int j = 1; j <= m; ++j) {
      const bool same = Lower(a[i - 1]) == Lower(b[j - 1]);
      row[j] = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) &&
          Lower(a[i - 2]) == Lower(b[j - 1]))
        row[j] = std::min(row[j], before[j - 2] + 1);
      best = std::min(best, row[j]);
    }
    if (best > limit) return limit + 1;
    std::swap(before, last);
    std::swap(last, row);
  }
  return last[m];
}

}  // namespace

std::string_view SuggestScriptFunction(std::string_view name) {
  std::string_view nearest;
  int nearestDifference = INT_MAX;
  // Two letters' difference on a name of two letters or fewer could mean anything.
  const int limit = std::min<int>(kMostDifference, static_cast<int>(name.size()) - 1);
  if (limit < 0) return {};
  for (const std::string_view word : ScriptFunctionWords()) {
    const int difference = Difference(name, word, limit);
    if (difference == 0) return word;
    if (difference <= limit && difference < nearestDifference) {
      nearest = word;
      nearestDifference = difference;
    }
  }
  return nearest;
}
