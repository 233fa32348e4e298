#pragma once
// One line of a script as the script model reads it: the labels, jumps, declarations,
// assignments and calls its statement holds, and what the line shows wrong by itself.
// Comments and strings are cut as the line colouring cuts them ("#" to the end of the
// line, "/*" ... "*/" across lines, double-quoted strings with \" inside, single-quoted
// text as one token); a block comment and a menu block carry over to the next line
// through the state the line leaves. A line that fits none of the statement forms yields
// nothing.
#include <cstdint>
#include <string_view>
#include <vector>

// What a line holds, in the order the line holds it.
enum class TScriptFact : uint8_t {
  Label,               // `label NAME` or `label NAME:`: defines NAME
  Goto,                // `goto NAME`, also after `if ...`: jumps to NAME
  MenuEntry,           // `label "Caption" NAME` inside a menu block: jumps to NAME
  Declaration,         // `declare NAME`
  Assignment,          // `NAME = ...` at the start of a statement, NAME not a command
  Call,                // NAME followed by "(", NAME not a command
  MiscasedCommand,     // a statement starting with a command word in the wrong case
  UnterminatedString,  // a double quote whose string does not close on the line
  CommentOpening,      // the "/*" of a block comment that does not close on the line
};

struct TScriptLineFact {
  TScriptFact Kind;
  int Column;  // 0-based
  int Length;
  // The name (for a miscased command the word as written; empty for the string and
  // comment facts), pointing into the line.
  std::string_view Name;
};

// Bits of the state a line starts in.
inline constexpr uint8_t kScriptInComment = 1;
inline constexpr uint8_t kScriptInMenu = 2;

// Appends the facts of Text, a line starting in state Start, to Facts in column order,
// and returns the state in which the next line starts.
uint8_t ReadScriptLine(std::string_view text, uint8_t start, std::vector<TScriptLineFact>& facts);
