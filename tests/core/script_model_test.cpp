// The script model: each rule on a small script, scripts that must show no problem, and
// the model kept current through random edits against a fresh reading of the same text.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "highlight/ScriptModel.h"
#include "highlight/ScriptSpelling.h"

namespace {

using Lines = std::vector<std::string>;

class VectorLines final : public TScriptLineSource {
 public:
  explicit VectorLines(const Lines& lines) : FLines(lines) {}
  int Count() const override { return static_cast<int>(FLines.size()); }
  std::string_view Line(int index) const override { return FLines[static_cast<size_t>(index)]; }

 private:
  const Lines& FLines;
};

// Every problem as "LINE:COLUMN+LENGTH severity: message", lines and columns from 1.
std::string Report(const TScriptModel& model) {
  std::ostringstream out;
  for (const TScriptProblem& p : model.Problems()) {
    out << p.Line + 1 << ':' << p.Column + 1 << '+' << p.Length << ' '
        << (p.Severity == TScriptSeverity::Error ? "error" : "warning") << ": " << p.Message
        << '\n';
  }
  return out.str();
}

std::string Check(const Lines& lines) {
  TScriptModel model;
  model.Reset(VectorLines(lines));
  return Report(model);
}

struct Case {
  const char* Rule;
  Lines Script;
  const char* Expected;
};

const Case kCases[] = {
    {"a goto without its label",
     {"label Start", "goto Nowhere", "if x > 1 goto Start"},
     "2:6+7 error: undefined label \"Nowhere\"\n"},
    {"a menu entry without its label, and one that has it",
     {"menu \"Main\"", "  label \"Go\" Missing", "  label \"Stay\" Here", "end", "label Here:"},
     "2:14+7 error: undefined label \"Missing\"\n"},
    {"a caption entry outside a menu block is no jump", {"label \"Go\" Missing"}, ""},
    {"a label defined twice, with and without the colon",
     {"label Twice:", "", "label Twice", "label Twice"},
     "3:7+5 error: label \"Twice\" is already defined on line 1\n"
     "4:7+5 error: label \"Twice\" is already defined on line 1\n"},
    {"unknown functions, with and without a suggestion",
     {"x = getcamerastatus()", "GetCamraStatus (1)", "Frobnicate(2)", "Wait(1) if(x) goto L",
      "label L", "declare x", "x = Wait(1) + Frob (2) * 3Frob(4) + \"Frob(\" + (5)"},
     "1:5+15 error: unknown function \"getcamerastatus\"; did you mean \"GetCameraStatus\"?\n"
     "2:1+14 error: unknown function \"GetCamraStatus\"; did you mean \"GetCameraStatus\"?\n"
     "3:1+10 error: unknown function \"Frobnicate\"\n"
     "7:15+4 error: unknown function \"Frob\"\n"
     "7:27+4 error: unknown function \"Frob\"\n"},
    {"names followed by \"(\" inside strings and comments are no calls",
     {"Display(\"Foo(1)\") # Bar(2)", "/* Baz(3)", "Qux(4) */ Wait(1)", "'Quux(5)'"},
     ""},
    {"an unterminated string; an escaped quote does not close it",
     {"Display(\"open)", "Display(\"say \\\"hi\\\"\")", "Display(\"still open\\\")"},
     "1:9+6 error: unterminated string\n3:9+14 error: unterminated string\n"},
    {"a comment that no \"*/\" closes, after one that is closed",
     {"/* closed */", "Wait(1) /* open", "goto Nowhere", "*"},
     "2:9+2 error: unclosed comment\n"},
    {"\"/*/\" does not close itself", {"/*/ x"}, "1:1+2 error: unclosed comment\n"},
    {"commands in the wrong case at the start of a statement",
     {"Goto Start", "EXITSCRIPT", "label Start", "if x Goto Start", "declare x"},
     "1:1+4 warning: \"Goto\" is not a command (commands are lower case: \"goto\")\n"
     "2:1+10 warning: \"EXITSCRIPT\" is not a command (commands are lower case: \"exitscript\")\n"},
    {"assignments to names never declared; comparisons are no assignments",
     {"declare count", "count = 1", "total = count + 1", "Mode = 2", "x == 3",
      "y =", "/* set */ z = 4"},
     "3:1+5 warning: \"total\" is never declared\n"
     "4:1+4 warning: \"Mode\" is never declared\n"
     "6:1+1 warning: \"y\" is never declared\n"
     "7:11+1 warning: \"z\" is never declared\n"},
    {"a \"#\" line and a line comment hide everything",
     {"# goto Nowhere Foo(1) \"", "Wait(1) # goto Nowhere Foo(", "  # Goto"},
     ""},
};

TEST(ScriptModel, EachRuleOnASmallScript) {
  for (const Case& c : kCases) EXPECT_EQ(Check(c.Script), c.Expected) << c.Rule;
}

// Every line form of the benchmark's generated script, a few rounds of it.
Lines GeneratedScript(int rounds) {
  Lines lines;
  for (int r = 0; r < rounds; ++r) {
    const std::string n = std::to_string(r * 10);
    lines.push_back("# step " + n + ": flag mode x flag name name");
    lines.push_back("label L" + n + ":");
    lines.push_back("    declare count" + n);
    lines.push_back("    count" + n + " = GetCameraStatus(3, \"cam\\\"3\\\"\")");
    lines.push_back("    count" + n + " = EndCapture(615, 8.67)  # note");
    lines.push_back("    if delay goto L" + n);
    lines.push_back("    /* block comment 6");
    lines.push_back("       continues here */ count" + n + " = 7");
    lines.push_back("    Display(\"frame 8 of result\")");
    lines.push_back("    Wait(3039)");
  }
  return lines;
}

TEST(ScriptModel, ScriptsWithoutProblems) {
  const Lines sample = {
      "# sample.csm: a timed capture with a small menu",
      "/* Shows the script language: commands, built-in functions,",
      "   strings, numbers and both kinds of comment. */",
      "name \"Timed capture\"",
      "mode 1",
      "declare count",
      "menu \"Timed capture\"",
      "\tlabel \"Start capture\" StartTimed",
      "\tlabel \"Quit\" Done",
      "end",
      "label StartTimed",
      "\tcount = 3",
      "\tDisplayLine(\"Capturing \\\"three\\\" frames\")",
      "\tlabel NextFrame",
      "\t\tcount = count - 1",
      "\t\tif count > 0 goto NextFrame",
      "\tDisplay(\"Done: \" + NumberToString(GetNewFileCount()))",
      "label Done",
      "\texitscript",
  };
  EXPECT_EQ(Check(sample), "");
  EXPECT_EQ(Check(GeneratedScript(30)), "");
  EXPECT_EQ(Check({}), "");
}

TEST(ScriptModel, FindsLabelsJumpsDeclarationsAndCalls) {
  const Lines script = {"declare n",
                        "menu \"M\"",
                        "  label \"Go\" There",
                        "end",
                        "label There:",
                        "  n = Wait(GetError())",
                        "  if n goto There"};
  TScriptModel model;
  model.Reset(VectorLines(script));
  using P = TScriptPlace;
  EXPECT_EQ(model.Labels(), (std::vector<P>{{"There", 4, 6, TScriptFact::Label}}));
  EXPECT_EQ(model.Places(TScriptFact::MenuEntry),
            (std::vector<P>{{"There", 2, 13, TScriptFact::MenuEntry}}));
  EXPECT_EQ(model.Places(TScriptFact::Goto), (std::vector<P>{{"There", 6, 12, TScriptFact::Goto}}));
  EXPECT_EQ(
      model.Places(TScriptFact::Call),
      (std::vector<P>{{"Wait", 5, 6, TScriptFact::Call}, {"GetError", 5, 11, TScriptFact::Call}}));
  EXPECT_EQ(model.DeclaredNames(), (std::vector<std::string>{"n"}));
  EXPECT_EQ(model.LabelNames(), (std::vector<std::string>{"There"}));
  // The jump under the caret, the column just behind the target included.
  EXPECT_EQ(model.JumpAt(6, 17)->Name, "There");
  EXPECT_FALSE(model.JumpAt(6, 11));
  EXPECT_EQ(model.FindLabel("There")->Line, 4);
  EXPECT_FALSE(model.FindLabel("there"));
}

TEST(ScriptModel, NextProblemGoesRoundTheScript) {
  const Lines script = {"goto A", "", "Foo() goto B", "x"};
  TScriptModel model;
  model.Reset(VectorLines(script));
  auto at = [](const std::optional<TScriptProblem>& p) {
    return p ? std::to_string(p->Line) + ":" + std::to_string(p->Column) : "none";
  };
  EXPECT_EQ(at(model.NextProblem(0, 0, true)), "0:5");  // after the caret on its line
  EXPECT_EQ(at(model.NextProblem(0, 5, true)), "2:0");
  EXPECT_EQ(at(model.NextProblem(2, 0, true)), "0:5");  // "Foo() goto B" is one call only
  EXPECT_EQ(at(model.NextProblem(0, 5, false)), "2:0");
  EXPECT_EQ(at(model.NextProblem(3, 0, false)), "2:0");
  EXPECT_EQ(model.ErrorCount(), 2);
  EXPECT_EQ(model.SeverityOn(2), TScriptSeverity::Error);
  EXPECT_FALSE(model.SeverityOn(1));
}

TEST(ScriptSpelling, SuggestsWithinTwoLettersIgnoringCase) {
  EXPECT_EQ(SuggestScriptFunction("getcamerastatus"), "GetCameraStatus");
  EXPECT_EQ(SuggestScriptFunction("GetCmaeraStatus"), "GetCameraStatus");  // swapped pair
  EXPECT_EQ(SuggestScriptFunction("WaitForShuttr"), "WaitForShutter");
  EXPECT_EQ(SuggestScriptFunction("Wiat"), "Wait");
  EXPECT_EQ(SuggestScriptFunction("GetCameraStatusXYZ"), "");
  EXPECT_EQ(SuggestScriptFunction("Rd"), "");  // two letters away from Read, too short
}

// ---- random edits ----

const char* const kFragments[] = {
    "label A",     "label B:",  "goto A",     "goto B",  "goto C",
    "if x goto A", "declare x", "x = 1",      "y = 2",   "Wait(1)",
    "wait(1)",     "Foo(",      "menu \"m\"", "end",     "label \"e\" B",
    "/*",          "*/",        "\"",         "\\\"",    "#",
    "Goto A",      " ",         "'",          "label C", "label A",
};

std::string RandomLine(std::mt19937& rnd) {
  std::string line;
  const int parts = static_cast<int>(rnd() % 4);
  for (int i = 0; i < parts; ++i) {
    if (i) line += ' ';
    line += kFragments[rnd() % std::size(kFragments)];
  }
  return line;
}

TEST(ScriptModel, KeptCurrentThroughRandomEditsAsAFreshReadingSeesIt) {
  std::mt19937 rnd(20261209);
  // The first round's large document and long removals also make the model drop the
  // facts that lines read again left behind.
  for (int round = 0; round < 40; ++round) {
    const int size = round == 0 ? 3000 : 12;
    const int mostRemoved = round == 0 ? 400 : 3;
    Lines lines;
    for (int i = 0; i < size; ++i) lines.push_back(RandomLine(rnd));
    TScriptModel model;
    model.Reset(VectorLines(lines));
    for (int step = 0; step < 150; ++step) {
      const int count = static_cast<int>(lines.size());
      const int first = count ? static_cast<int>(rnd() % (count + 1)) : 0;
      const int removed =
          first < count ? static_cast<int>(rnd() % std::min(mostRemoved, count - first + 1)) : 0;
      const int added = std::max(0, removed + static_cast<int>(rnd() % 5) - 2);
      Lines fresh;
      for (int i = 0; i < added; ++i) fresh.push_back(RandomLine(rnd));
      lines.erase(lines.begin() + first, lines.begin() + first + removed);
      lines.insert(lines.begin() + first, fresh.begin(), fresh.end());
      model.Replace(VectorLines(lines), first, removed, added);
      TScriptModel reference;
      reference.Reset(VectorLines(lines));
      ASSERT_EQ(Report(model), Report(reference)) << "round " << round << " step " << step;
      ASSERT_EQ(model.Labels(), reference.Labels());
      ASSERT_EQ(model.Places(TScriptFact::Goto), reference.Places(TScriptFact::Goto));
      ASSERT_EQ(model.DeclaredNames(), reference.DeclaredNames());
    }
  }
}

TEST(ScriptModel, ArgumentsThatDoNotFitReadEverythingAgain) {
  Lines lines = {"goto A"};
  TScriptModel model;
  model.Reset(VectorLines(lines));
  lines.push_back("label A");
  model.Replace(VectorLines(lines), 5, 2, 1);
  EXPECT_EQ(model.LineCount(), 2);
  EXPECT_EQ(Report(model), "");
}

}  // namespace
