#pragma once
// The editor's text as assistive technology reads it: the lines joined by "\n", so a line
// break is one character here where the control's own offsets count two. Offsets map to
// (line, column) and back through the line store's prefix sums in logarithmic time, and
// every query reads only the lines it touches: nothing builds the whole text unless the
// whole text is asked for. Columns are bytes of Windows-1252, one character each.
#include <QString>

class TEditorStrings;

class AccessibleTextMap {
 public:
  struct Position {
    int Line = 0;
    int Col = 0;
  };
  // A range of accessible offsets, [Start, End).
  struct Range {
    int Start = 0;
    int End = 0;
  };
  enum class Unit { Char, Word, Line, All };

  explicit AccessibleTextMap(const TEditorStrings& lines) : FLines(lines) {}

  int CharacterCount() const;
  // Offset of the first character of Line (the end of the text below the last line).
  int LineStart(int line) const;
  int LineLength(int line) const;
  // The line and column of Offset (clamped to the text).
  Position At(int offset) const;
  // The offset of (Line, Col): columns beyond the line's end give its end, lines below
  // the text the end of the text.
  int OffsetOf(int line, int col) const;
  QString Text(int start, int end) const;
  // The unit holding Offset: a character; a word from its first character to the next
  // word's (the control's word separators; a line's last word takes its line break);
  // a line with its line break; or the whole text.
  Range UnitAt(int offset, Unit unit) const;
  // The unit before the one at Offset, and the one after it (empty at the text's ends).
  Range UnitBefore(int offset, Unit unit) const;
  Range UnitAfter(int offset, Unit unit) const;

 private:
  Range WordAt(Position p) const;

  const TEditorStrings& FLines;
};
