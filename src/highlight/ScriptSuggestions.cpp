#include "highlight/ScriptSuggestions.h"

#include <algorithm>

#include "highlight/Keywords.h"

namespace {

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Whether the word before the one at Column is "goto".
bool AfterGoto(std::string_view text, int column) {
  size_t p = std::min(static_cast<size_t>(std::max(column, 0)), text.size());
  while (p > 0 && IsWordChar(text[p - 1])) --p;
  const size_t wordStart = p;
  while (p > 0 && (text[p - 1] == ' ' || text[p - 1] == '\t')) --p;
  if (p == wordStart) return false;
  size_t begin = p;
  while (begin > 0 && IsWordChar(text[begin - 1])) --begin;
  return text.substr(begin, p - begin) == "goto";
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

}  // namespace

std::vector<std::string> ScriptSuggestions(const TScriptModel& model, std::string_view text,
                                           int column) {
  std::vector<std::pair<std::string, std::string>> items;
  if (AfterGoto(text, column)) {
    for (std::string& name : model.LabelNames()) items.emplace_back(std::move(name), "label");
  } else {
    for (const std::string_view word : ScriptCommandWords()) items.emplace_back(word, "command");
    for (const std::string_view word : ScriptFunctionWords()) items.emplace_back(word, "function");
    for (std::string& name : model.DeclaredNames()) items.emplace_back(std::move(name), "variable");
  }
  std::stable_sort(items.begin(), items.end(),
                   [](const auto& a, const auto& b) { return Lower(a.first) < Lower(b.first); });
  std::vector<std::string> out;
  out.reserve(items.size());
  // The list draws the second field: the name with its kind beside it.
  for (const auto& [name, kind] : items) out.push_back(name + "=" + name + " (" + kind + ")");
  return out;
}
