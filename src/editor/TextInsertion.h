#pragma once
// Helpers shared by the operations that insert text (EditorText.cpp, EditorClipboard.cpp).
#include <string>

class TRACustomEditor;

namespace textinsertion {

// Text up to its first zero byte with every line break (CR LF, lone CR, lone LF) as CR LF.
std::string WithStoredBreaks(const std::string& text);

// Text in the form the line store keeps it: up to its first zero byte, every line break
// (CR LF, lone CR, lone LF) as CR LF, tabs expanded. Inserting this form and recording it
// for undo keeps the record's length equal to what the text gained.
std::string StoredForm(const TRACustomEditor& editor, const std::string& text);

// The text offset where an insertion at the caret goes: the caret's offset, or the end of
// the text when the caret stands below the last line.
int CaretOffset(const TRACustomEditor& editor);

// Records the insertion of Text at offset Pos (TInsertUndo at where it goes in). Text going
// in behind the last line break (into a document without lines, or below its last line)
// makes a line of its own; a TReLineUndo records that line first, so that undo removes it.
void RecordInsertion(TRACustomEditor& editor, int pos, const std::string& text);

// Runs Body inside BeginUpdate and BeginCompound, so it repaints once and undoes as one
// step; both brackets are released also when Body fails.
template <typename Editor, typename Body>
void AsOneUndoStep(Editor& editor, Body&& body) {
  const auto update = editor.UpdateLocked();
  const auto compound = editor.CompoundEdit();
  body();
}

}  // namespace textinsertion
