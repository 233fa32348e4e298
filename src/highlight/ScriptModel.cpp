#include "highlight/ScriptModel.h"

#include <algorithm>

#include "highlight/Keywords.h"
#include "highlight/ScriptSpelling.h"

namespace {

bool IsJump(TScriptFact kind) {
  return kind == TScriptFact::Goto || kind == TScriptFact::MenuEntry;
}

std::string Quoted(std::string_view s) {
  std::string out = "\"";
  out += s;
  out += '"';
  return out;
}

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

// Index of Name in the built-in function list, or -1.
int BuiltinIndex(std::string_view name) {
  static const TScriptNames functions = [] {
    TScriptNames names;
    for (const std::string_view word : ScriptFunctionWords()) names.Intern(word);
    return names;
  }();
  const uint32_t id = functions.Find(name);
  return id == TScriptNames::kNone ? -1 : static_cast<int>(id);
}

}  // namespace

void TScriptModel::Reset(const TScriptLineSource& lines) {
  const int count = lines.Count();
  FLines.Assign(count, TLine{});
  FItems.clear();
  FItems.reserve(static_cast<size_t>(count) + static_cast<size_t>(count) / 4);
  FWasted = 0;
  FNames.Clear();
  FCounts.clear();
  FSuggestions.clear();
  FDuplicated = 0;
  FFirstDefinitionsKnown = false;
  FUnclosedComment = -2;
  uint8_t state = 0;
  for (int i = 0; i < count; ++i) state = ReadLine(lines, i, state);
}

void TScriptModel::Replace(const TScriptLineSource& lines, int first, int removed, int added) {
  const int count = lines.Count();
  const bool fits = first >= 0 && removed >= 0 && added >= 0 && first + removed <= LineCount() &&
                    first + added <= count && LineCount() - removed + added == count;
  // A whole new text (a file loaded) is read as a new script.
  if (!fits || (first == 0 && removed == LineCount())) {
    Reset(lines);
    return;
  }
  for (int i = first; i < first + removed; ++i) {
    Forget(FLines[i]);
    FWasted += FLines[i].Count;
  }
  FLines.Replace(first, removed, added, TLine{});
  // The first definitions' line numbers move with the lines.
  if (removed != added) FFirstDefinitionsKnown = false;
  FUnclosedComment = -2;
  uint8_t state = first == 0 ? 0 : FLines[first - 1].End;
  int i = first;
  for (; i < first + added; ++i) state = ReadLine(lines, i, state);
  // The lines behind are read again as long as the change moved their start.
  for (; i < count && FLines[i].Start != state; ++i) state = ReadLine(lines, i, state);
  CompactIfWasteful();
}

uint8_t TScriptModel::ReadLine(const TScriptLineSource& lines, int index, uint8_t start) {
  TLine line = FLines[index];
  Forget(line);
  FScratch.clear();
  line.Start = start;
  line.End = ReadScriptLine(lines.Line(index), start, FScratch);
  const size_t count = std::min<size_t>(FScratch.size(), kMostFacts);
  // Facts that fit where the old ones were stay there; others go to the end.
  if (count > line.Count) {
    FWasted += line.Count;
    line.First = static_cast<uint32_t>(FItems.size());
    FItems.resize(FItems.size() + count);
  } else {
    FWasted += line.Count - count;
  }
  line.Count = static_cast<uint16_t>(count);
  for (size_t k = 0; k < count; ++k) {
    const TScriptLineFact& fact = FScratch[k];
    TItem& item = FItems[line.First + k];
    item = {NameOf(fact), fact.Column, static_cast<uint16_t>(std::min(fact.Length, 65535)),
            fact.Kind};
    Count(item, +1);
  }
  FLines[index] = line;
  return line.End;
}

void TScriptModel::Forget(const TLine& line) {
  for (const TItem* item = Begin(line); item != End(line); ++item) Count(*item, -1);
}

void TScriptModel::Count(const TItem& item, int delta) {
  if (item.Kind == TScriptFact::Declaration) {
    FCounts[item.Name].Declares += delta;
  } else if (item.Kind == TScriptFact::Label) {
    TNameCount& name = FCounts[item.Name];
    const bool duplicated = name.Labels > 1;
    name.Labels += delta;
    if (duplicated || name.Labels > 1) FFirstDefinitionsKnown = false;
    FDuplicated += (name.Labels > 1) - duplicated;
  }
}

uint32_t TScriptModel::Intern(std::string_view name) {
  const uint32_t id = FNames.Intern(name);
  if (id >= FCounts.size()) FCounts.resize(id + 1);
  return id;
}

uint32_t TScriptModel::NameOf(const TScriptLineFact& fact) {
  if (fact.Kind == TScriptFact::Call) {
    const int builtin = BuiltinIndex(fact.Name);
    if (builtin >= 0) return kBuiltin | static_cast<uint32_t>(builtin);
  }
  return Intern(fact.Name);
}

std::string_view TScriptModel::Text(uint32_t name) const {
  if (name & kBuiltin) return ScriptFunctionWords()[name & ~kBuiltin];
  return FNames.Text(name);
}

// Facts left behind by lines read again are dropped once they are half of the store.
void TScriptModel::CompactIfWasteful() {
  if (FWasted < 4096 || FWasted < FItems.size() / 2) return;
  std::vector<TItem> items;
  items.reserve(FItems.size() - FWasted);
  for (int i = 0; i < FLines.Size(); ++i) {
    TLine& line = FLines[i];
    const auto first = static_cast<uint32_t>(items.size());
    items.insert(items.end(), Begin(line), End(line));
    line.First = first;
  }
  FItems = std::move(items);
  FWasted = 0;
}

// Problems.

std::optional<TScriptSeverity> TScriptModel::SeverityOf(int line, const TItem& item) const {
  constexpr auto kError = TScriptSeverity::Error;
  constexpr auto kWarning = TScriptSeverity::Warning;
  switch (item.Kind) {
    case TScriptFact::Label:
      if (FCounts[item.Name].Labels > 1 && FirstDefinition(item.Name) != line) return kError;
      break;
    case TScriptFact::Goto:
    case TScriptFact::MenuEntry:
      if (FCounts[item.Name].Labels == 0) return kError;
      break;
    case TScriptFact::Call:
      if (!(item.Name & kBuiltin)) return kError;
      break;
    case TScriptFact::UnterminatedString:
      return kError;
    case TScriptFact::CommentOpening:
      if (UnclosedCommentLine() == line) return kError;
      break;
    case TScriptFact::MiscasedCommand:
      return kWarning;
    case TScriptFact::Assignment:
      if (FCounts[item.Name].Declares == 0) return kWarning;
      break;
    case TScriptFact::Declaration:
      break;
  }
  return std::nullopt;
}

std::string TScriptModel::MessageOf(const TItem& item) const {
  const std::string_view name = Text(item.Name);
  switch (item.Kind) {
    case TScriptFact::Label:
      return "label " + Quoted(name) + " is already defined on line " +
             std::to_string(FirstDefinition(item.Name) + 1);
    case TScriptFact::Goto:
    case TScriptFact::MenuEntry:
      return "undefined label " + Quoted(name);
    case TScriptFact::Call: {
      auto [it, added] = FSuggestions.try_emplace(item.Name);
      if (added) {
        const std::string_view meant = SuggestScriptFunction(name);
        if (!meant.empty()) it->second = "; did you mean " + Quoted(meant) + "?";
      }
      return "unknown function " + Quoted(name) + it->second;
    }
    case TScriptFact::UnterminatedString:
      return "unterminated string";
    case TScriptFact::CommentOpening:
      return "unclosed comment";
    case TScriptFact::MiscasedCommand:
      return Quoted(name) +
             " is not a command (commands are lower case: " + Quoted(LowerCase(name)) + ")";
    case TScriptFact::Assignment:
      return Quoted(name) + " is never declared";
    case TScriptFact::Declaration:
      break;
  }
  return {};
}

TScriptProblem TScriptModel::ProblemOf(int line, const TItem& item,
                                       TScriptSeverity severity) const {
  return {line, item.Column, item.Length, severity, MessageOf(item)};
}

template <typename F>
void TScriptModel::ForEachProblem(int line, F&& problem) const {
  const TLine& l = FLines[line];
  for (const TItem* item = Begin(l); item != End(l); ++item)
    if (const auto severity = SeverityOf(line, *item)) problem(*item, *severity);
}

std::vector<TScriptProblem> TScriptModel::ProblemsOn(int line) const {
  std::vector<TScriptProblem> problems;
  if (line < 0 || line >= LineCount()) return problems;
  ForEachProblem(line, [&](const TItem& item, TScriptSeverity severity) {
    problems.push_back(ProblemOf(line, item, severity));
  });
  std::stable_sort(
      problems.begin(), problems.end(),
      [](const TScriptProblem& a, const TScriptProblem& b) { return a.Column < b.Column; });
  return problems;
}

std::vector<TScriptProblem> TScriptModel::Problems() const {
  std::vector<TScriptProblem> problems;
  for (int i = 0; i < LineCount(); ++i) {
    if (FLines[i].Count == 0) continue;
    std::vector<TScriptProblem> on = ProblemsOn(i);
    problems.insert(problems.end(), std::make_move_iterator(on.begin()),
                    std::make_move_iterator(on.end()));
  }
  return problems;
}

std::optional<TScriptSeverity> TScriptModel::SeverityOn(int line) const {
  std::optional<TScriptSeverity> gravest;
  if (line < 0 || line >= LineCount()) return gravest;
  ForEachProblem(line, [&](const TItem&, TScriptSeverity severity) {
    if (!gravest || severity < *gravest) gravest = severity;
  });
  return gravest;
}

int TScriptModel::ErrorCount() const {
  int errors = 0;
  for (int i = 0; i < LineCount(); ++i) {
    ForEachProblem(i, [&](const TItem&, TScriptSeverity severity) {
      errors += severity == TScriptSeverity::Error;
    });
  }
  return errors;
}

std::optional<TScriptProblem> TScriptModel::NextProblem(int line, int column, bool forward) const {
  const int count = LineCount();
  if (count == 0) return std::nullopt;
  line = std::clamp(line, 0, count - 1);
  const int step = forward ? 1 : -1;
  // The caret's line is looked at twice: behind the caret first, before it last.
  for (int k = 0; k <= count; ++k) {
    const int i = ((line + step * k) % count + count) % count;
    std::vector<TScriptProblem> on = ProblemsOn(i);
    if (!forward) std::reverse(on.begin(), on.end());
    for (TScriptProblem& p : on) {
      const bool ahead = forward ? p.Column > column : p.Column < column;
      if (k == 0 && !ahead) continue;
      if (k == count && ahead) continue;
      return std::move(p);
    }
  }
  return std::nullopt;
}

int TScriptModel::FirstDefinition(uint32_t name) const {
  if (!FFirstDefinitionsKnown) {
    FFirstDefinitions.clear();
    for (int i = 0; i < LineCount() && static_cast<int>(FFirstDefinitions.size()) < FDuplicated;
         ++i) {
      const TLine& l = FLines[i];
      for (const TItem* item = Begin(l); item != End(l); ++item)
        if (item->Kind == TScriptFact::Label && FCounts[item->Name].Labels > 1)
          FFirstDefinitions.try_emplace(item->Name, i);
    }
    FFirstDefinitionsKnown = true;
  }
  const auto it = FFirstDefinitions.find(name);
  return it == FFirstDefinitions.end() ? -1 : it->second;
}

int TScriptModel::UnclosedCommentLine() const {
  if (FUnclosedComment != -2) return FUnclosedComment;
  FUnclosedComment = -1;
  const int count = LineCount();
  if (count == 0 || !(FLines[count - 1].End & kScriptInComment)) return FUnclosedComment;
  for (int i = count - 1; i >= 0 && FUnclosedComment < 0; --i) {
    const TLine& l = FLines[i];
    for (const TItem* item = Begin(l); item != End(l); ++item)
      if (item->Kind == TScriptFact::CommentOpening) FUnclosedComment = i;
  }
  return FUnclosedComment;
}

// Labels, jumps and names.

std::vector<TScriptPlace> TScriptModel::Places(TScriptFact kind) const {
  std::vector<TScriptPlace> places;
  for (int i = 0; i < LineCount(); ++i) {
    const TLine& l = FLines[i];
    for (const TItem* item = Begin(l); item != End(l); ++item)
      if (item->Kind == kind)
        places.push_back({std::string(Text(item->Name)), i, item->Column, kind});
  }
  return places;
}

std::optional<TScriptPlace> TScriptModel::FindLabel(std::string_view name) const {
  const uint32_t id = FNames.Find(name);
  if (id == TScriptNames::kNone || FCounts[id].Labels == 0) return std::nullopt;
  for (int i = 0; i < LineCount(); ++i) {
    const TLine& l = FLines[i];
    for (const TItem* item = Begin(l); item != End(l); ++item)
      if (item->Kind == TScriptFact::Label && item->Name == id)
        return TScriptPlace{std::string(name), i, item->Column, TScriptFact::Label};
  }
  return std::nullopt;
}

std::optional<TScriptPlace> TScriptModel::JumpAt(int line, int column) const {
  if (line < 0 || line >= LineCount()) return std::nullopt;
  const TLine& l = FLines[line];
  for (const TItem* item = Begin(l); item != End(l); ++item) {
    if (IsJump(item->Kind) && column >= item->Column && column <= item->Column + item->Length)
      return TScriptPlace{std::string(Text(item->Name)), line, item->Column, item->Kind};
  }
  return std::nullopt;
}

std::vector<std::string> TScriptModel::DeclaredNames() const {
  std::vector<std::string> names;
  for (uint32_t id = 0; id < FCounts.size(); ++id)
    if (FCounts[id].Declares > 0) names.emplace_back(FNames.Text(id));
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> TScriptModel::LabelNames() const {
  std::vector<std::string> names;
  for (uint32_t id = 0; id < FCounts.size(); ++id)
    if (FCounts[id].Labels > 0) names.emplace_back(FNames.Text(id));
  std::sort(names.begin(), names.end());
  return names;
}
