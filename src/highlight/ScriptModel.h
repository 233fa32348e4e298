#pragma once
// What the editor knows of a script beyond its colours: its labels, jumps, declarations
// and calls, and the problems they show (a jump to no label, a label defined twice, a
// call of no built-in function, a string or comment left open, a command in the wrong
// case, an assignment to a name never declared). It is kept current per edit: Replace
// reads again only the lines that changed, and those behind them whose start (inside a
// block comment or a menu block) the change moved. What depends on other lines (whether
// a label exists, where it was first defined) is looked up when asked.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "highlight/ScriptLine.h"
#include "highlight/ScriptNames.h"
#include "util/GapVector.h"

// The lines the model reads.
class TScriptLineSource {
 public:
  virtual ~TScriptLineSource() = default;
  virtual int Count() const = 0;
  virtual std::string_view Line(int index) const = 0;
};

// The lines of a store that has Count() and View(Index): the editor's lines, a line list.
template <typename Store>
class TScriptLinesOf final : public TScriptLineSource {
 public:
  explicit TScriptLinesOf(const Store& store) : FStore(store) {}
  int Count() const override { return FStore.Count(); }
  std::string_view Line(int index) const override { return FStore.View(index); }

 private:
  const Store& FStore;
};

enum class TScriptSeverity : uint8_t { Error, Warning };

// Lines and columns are 0-based.
struct TScriptProblem {
  int Line = 0;
  int Column = 0;
  int Length = 0;
  TScriptSeverity Severity = TScriptSeverity::Error;
  std::string Message;
  bool operator==(const TScriptProblem&) const = default;
};

// A name where the script writes it: a label's definition, a jump's target, a
// declaration, a call.
struct TScriptPlace {
  std::string Name;
  int Line = 0;
  int Column = 0;
  TScriptFact Kind = TScriptFact::Label;
  bool operator==(const TScriptPlace&) const = default;
};

class TScriptModel {
 public:
  // Reads every line of Lines.
  void Reset(const TScriptLineSource& lines);
  // Lines [First, First + Removed) were replaced by Lines [First, First + Added).
  // Arguments that do not fit the model's lines, and a change of every line, read
  // everything again.
  void Replace(const TScriptLineSource& lines, int first, int removed, int added);
  int LineCount() const { return FLines.Size(); }

  // Every problem in line and column order.
  std::vector<TScriptProblem> Problems() const;
  std::vector<TScriptProblem> ProblemsOn(int line) const;
  // The gravest severity on Line; none when the line has no problem.
  std::optional<TScriptSeverity> SeverityOn(int line) const;
  // The first problem after (Line, Column) in the direction given, going round the end of
  // the script once; none when there is no problem.
  std::optional<TScriptProblem> NextProblem(int line, int column, bool forward) const;
  int ErrorCount() const;

  // Facts of one kind in script order (Label: definitions; Goto and MenuEntry: jumps
  // with their targets; Declaration; Call).
  std::vector<TScriptPlace> Places(TScriptFact kind) const;
  // Labels in script order.
  std::vector<TScriptPlace> Labels() const { return Places(TScriptFact::Label); }
  // The first definition of label Name.
  std::optional<TScriptPlace> FindLabel(std::string_view name) const;
  // The jump (goto or menu entry) whose target spans Column of Line, the column just
  // behind it included.
  std::optional<TScriptPlace> JumpAt(int line, int column) const;
  // Names that some line declares, and names that some line defines as a label, sorted.
  std::vector<std::string> DeclaredNames() const;
  std::vector<std::string> LabelNames() const;

 private:
  // Built-in functions are not kept in the name table: their index carries this bit.
  static constexpr uint32_t kBuiltin = 0x80000000u;
  // Facts kept of one line at most; a line holding more says nothing about the rest.
  static constexpr int kMostFacts = 65535;

  struct TItem {
    uint32_t Name;
    int32_t Column;
    uint16_t Length;  // at most 65535: a longer string is marked that far
    TScriptFact Kind;
  };
  struct TLine {
    uint32_t First = 0;
    uint16_t Count = 0;
    uint8_t Start = 0;
    uint8_t End = 0;
  };
  // How often each name is defined as a label and declared.
  struct TNameCount {
    int Labels = 0;
    int Declares = 0;
  };

  uint8_t ReadLine(const TScriptLineSource& lines, int index, uint8_t start);
  void Count(const TItem& item, int delta);
  void Forget(const TLine& line);
  uint32_t Intern(std::string_view name);
  uint32_t NameOf(const TScriptLineFact& fact);
  std::string_view Text(uint32_t name) const;
  void CompactIfWasteful();
  const TItem* Begin(const TLine& line) const { return FItems.data() + line.First; }
  const TItem* End(const TLine& line) const { return Begin(line) + line.Count; }

  // Calls Problem(item, severity) for every problem of Line, in column order.
  template <typename F>
  void ForEachProblem(int line, F&& problem) const;
  std::optional<TScriptSeverity> SeverityOf(int line, const TItem& item) const;
  std::string MessageOf(const TItem& item) const;
  TScriptProblem ProblemOf(int line, const TItem& item, TScriptSeverity severity) const;
  int FirstDefinition(uint32_t name) const;
  int UnclosedCommentLine() const;

  GapVector<TLine> FLines;
  std::vector<TItem> FItems;
  size_t FWasted = 0;
  TScriptNames FNames;
  std::vector<TNameCount> FCounts;
  // Names defined as a label more than once, and the line of each one's first definition
  // (found when first asked after a change).
  int FDuplicated = 0;
  mutable std::unordered_map<uint32_t, int> FFirstDefinitions;
  mutable bool FFirstDefinitionsKnown = false;
  // The line of the "/*" that no "*/" closes: -1 none, -2 not known since the last change.
  mutable int FUnclosedComment = -2;
  mutable std::unordered_map<uint32_t, std::string> FSuggestions;
  std::vector<TScriptLineFact> FScratch;
};
