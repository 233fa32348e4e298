#pragma once
// The line store behind an editor's Lines: an ordered list of byte-string lines with the
// editor's rules for text that enters it (tabs expanded, trailing blanks trimmed, outside
// changes refreshing the editor).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/LineList.h"
#include "editor/TextLoader.h"

class TRACustomEditor;

class TEditorStrings {
 public:
  explicit TEditorStrings(TRACustomEditor* editor);

  int Count() const { return FLines.Count(); }
  // Line Index as a copy; EListError outside 0..Count-1.
  std::string Get(int index) const { return std::string(View(index)); }
  std::string operator[](int index) const { return Get(index); }
  // Line Index without copying it; valid until the next change of the lines.
  std::string_view View(int index) const;

  // Replaces a line, trimming trailing blanks (with a TDeleteTrailUndo) unless the editor
  // keeps them. No tab expansion.
  void Put(int index, const std::string& s);
  // Appends / inserts a line with its tabs expanded; Add returns the new index.
  int Add(const std::string& s);
  void Insert(int index, const std::string& s);
  void Delete(int index);
  void Clear();

  // The whole text: every line followed by CR LF.
  std::string GetTextStr() const;
  // Splits Value into lines (CR LF, CR, LF; a final break adds no line; NUL ends the
  // text), expands tabs, clears the editor's undo when it is not locked, and always
  // tells the editor (TextAllChanged).
  void SetTextStr(const std::string& value);
  // SetTextStr for a text read from Source piece by piece, decoded on the way (see
  // LoadText; the tab run is the editor's). A text that could not be read whole leaves
  // the lines, the undo history and the editor as they were.
  TLoadedText LoadFrom(TByteSource& source, TLoadOptions options);
  // Copies the lines unchanged (no tab expansion), one change notification.
  void Assign(const std::vector<std::string>& lines);

  // The list's own update bracket: change notifications wait for the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  // Fires after every change made outside the list's update bracket.
  std::function<void()> OnChange;

  // Internal operations of the editor; they never call TextAllChanged.
  // Stores the whole text with the plain list behaviour under a raised UpdateLock.
  void InternalSetText(const std::string& value);
  // Put under a raised UpdateLock.
  void InternalPut(int index, const std::string& s);
  // Pads the text so that the editor's caret position exists (TReLineUndo records).
  void ReLine();

  // Plain list primitives for edits that splice only the lines they change. They keep
  // the text exactly as storing the whole edited text would, expand no tabs, trim
  // nothing and record no undo; they notify like any list change (the editor ignores
  // that while its UpdateLock is raised).
  void PlainPut(int index, const std::string& s);
  // Removes Count lines at Index and inserts Lines there.
  void Splice(int index, int count, const std::vector<std::string>& lines);
  // Inserts Text (with its own line breaks) at a whole-text offset, as inserting it into
  // GetTextStr() and storing the result would. Returns the first line changed.
  int InsertTextAt(int offset, const std::string& text);
  // Removes Length characters at a whole-text offset, likewise.
  int DeleteTextAt(int offset, int length);
  // Length characters of the whole text at Offset, without building the whole text.
  std::string TextAt(int offset, int length) const;

  // Whole-text offset of the first character of line Index (Index may equal Count).
  int LineOffset(int index) const;
  // Length of the whole text.
  int TextLength() const { return LineOffset(Count()); }

  // Index of the line holding whole-text offset Offset (the line break after a line
  // belongs to that line); Count() - 1 for the end of the text.
  int LineAtOffset(int offset) const;
  // Lines changed since the last call (see LineChanges).
  LineChanges TakeLineChanges() { return FLines.TakeChanges(); }
  bool HasLineChanges() const { return FLines.HasChanges(); }
  // Every line, copied for a reader on another thread (see LineSnapshot).
  void Snapshot(LineSnapshot& into) const { FLines.CopyTo(into); }

  // Splits text at CR LF, CR or LF; a final break adds no line; NUL ends the text.
  static std::vector<std::string> SplitText(const std::string& text);

  TRACustomEditor* Editor() const { return FEditor; }
  // The store itself, for readers that follow its changes (LineList::AddObserver).
  LineList& Store() { return FLines; }
  const LineList& Store() const { return FLines; }

 private:
  void Changed();
  std::string ExpandTabs(const std::string& s) const;

  TRACustomEditor* FEditor;
  LineList FLines;
  int FUpdateCount = 0;
  bool FChangedInUpdate = false;
};
