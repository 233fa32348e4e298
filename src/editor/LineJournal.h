#pragma once
// The changes made to a line list while the journal is attached to it, kept so that they
// can be reversed exactly: for each change, the lines it replaced and how many lines
// replaced them. An undone record keeps the journal of its undo; its redo reverses it.
#include <string>
#include <vector>

class LineList;
class TEditorStrings;

class LineJournal {
 public:
  // Told by the list before lines [First, First + Removed) are replaced, and after
  // [First, First + Added) replaced them.
  void Replacing(const LineList& list, int first, int removed);
  void Replaced(int first, int added);
  // Gives the lines back as they were before the first change, newest change first.
  void Reverse(TEditorStrings& lines) const;
  bool Empty() const { return FSplices.empty(); }

 private:
  struct Splice {
    int First = 0;
    int Added = 0;
    std::vector<std::string> Old;
  };
  std::vector<Splice> FSplices;
};
