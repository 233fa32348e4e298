// The clipboard: text plus a one-byte block type that marks column blocks.
#include <algorithm>

#include "editor/RAEditor.h"
#include "editor/TextInsertion.h"

using textinsertion::CaretOffset;
using textinsertion::RecordInsertion;
using textinsertion::StoredForm;

namespace {

// The block type stored beside the clipboard text: bfNonInclusive when it is missing or
// empty, and for any byte that names no format.
TSelBlockFormat ClipboardBlockType(const Clipboard& clipboard) {
  const auto data = clipboard.Format(TRACustomEditor::BlockTypeFormatName());
  if (!data || data->empty()) return bfNonInclusive;
  const auto value = static_cast<unsigned char>((*data)[0]);
  return value <= bfNonInclusive ? static_cast<TSelBlockFormat>(value) : bfNonInclusive;
}

// The clipboard text up to its terminating zero.
std::string ClipboardText(const Clipboard& clipboard) {
  std::string text = clipboard.Text();
  text.resize(std::min(text.size(), text.find('\0')));
  return text;
}

bool CaretBelowNonEmptyText(const TRACustomEditor& editor) {
  const int count = editor.Lines().Count();
  return count > 0 && editor.CaretY() > count - 1;
}

// Records a column paste with the lines it is about to change, so undo restores them
// exactly.
void RecordColumnPaste(TRACustomEditor& editor, const std::string& text, int pieceCount) {
  const TEditorStrings& lines = editor.Lines();
  auto record =
      std::make_unique<TInsertColumnUndo>(&editor, editor.CaretX(), editor.CaretY(), text);
  record->OldCount = lines.Count();
  for (int y = editor.CaretY(); y < lines.Count() && y < editor.CaretY() + pieceCount; ++y)
    record->OldLines.push_back(lines[y]);
  editor.UndoBuffer()->Add(std::move(record));
}

// Inserts the text's lines as a block at the caret column on consecutive lines, adding
// lines below the text as needed; the caret goes below the block.
void PasteColumn(TRACustomEditor& editor, const std::string& text, int& newX, int& newY) {
  TEditorStrings& lines = editor.Lines();
  const std::vector<std::string> pieces = TEditorStrings::SplitText(text);
  RecordColumnPaste(editor, text, static_cast<int>(pieces.size()));
  const auto col = static_cast<size_t>(std::max(editor.CaretX(), 0));
  for (size_t i = 0; i < pieces.size(); ++i) {
    const int y = editor.CaretY() + static_cast<int>(i);
    while (y >= lines.Count()) lines.Add(std::string(col, ' '));
    std::string line = lines[y];
    // A shorter line is padded, so the block keeps its column.
    if (line.size() < col) line.resize(col, ' ');
    line.insert(col, pieces[i]);
    lines.Put(y, line);
  }
  newX = editor.CaretX();
  newY = editor.CaretY() + static_cast<int>(pieces.size());
}

// Inserts the text at the caret (at the start of an empty text); the caret goes behind it.
void PasteStream(TRACustomEditor& editor, const std::string& text, int& newX, int& newY) {
  const int pos = editor.Lines().Count() == 0 ? 0 : CaretOffset(editor);
  RecordInsertion(editor, pos, text);
  editor.Lines().InsertTextAt(pos, text);
  editor.TextModified(pos, taInsert, text);
  editor.CaretFromPos(pos + static_cast<int>(text.size()), newX, newY);
}

}  // namespace

const char* TRACustomEditor::BlockTypeFormatName() {
  return "Borland IDE Block Type";
}

void TRACustomEditor::CopyToClipboard() {
  Clipboard& clipboard = FHost.GetClipboard();
  clipboard.SetText(GetSelText());
  clipboard.AddFormat(BlockTypeFormatName(), std::string(1, static_cast<char>(FSelBlockFormat)));
}

void TRACustomEditor::CutToClipboard() {
  CopyToClipboard();
  DeleteSelected();
}

void TRACustomEditor::PasteFromClipboard() {
  Clipboard& clipboard = FHost.GetClipboard();
  if (CaretBelowNonEmptyText(*this)) FHost.Beep();
  if (!clipboard.HasText()) return;
  const auto caretHidden = CaretHidden();
  const auto update = UpdateLocked();
  const std::string text = StoredForm(*this, ClipboardText(clipboard));
  int newX = 0;
  int newY = 0;
  {
    const auto compound = CompoundEdit();
    DeleteSelected();
    if (FLines->Count() > 0) FLines->ReLine();
    FSelBlockFormat = ClipboardBlockType(clipboard);
    if (FSelBlockFormat == bfColumn)
      PasteColumn(*this, text, newX, newY);
    else
      PasteStream(*this, text, newX, newY);
  }
  SetCaretInternal(newX, newY);
  Changed();
}

bool TRACustomEditor::CanCopy() const {
  return FSelected && (FSelBegX != FSelEndX || FSelBegY != FSelEndY);
}

bool TRACustomEditor::CanCut() const {
  return CanCopy();
}

bool TRACustomEditor::CanPaste() const {
  if (CaretBelowNonEmptyText(*this)) return false;
  const Clipboard& clipboard = FHost.GetClipboard();
  return clipboard.HasText() && !ClipboardText(clipboard).empty();
}

void TRACustomEditor::WMCopy() {
  PostCommand(cmdCopy);
}

void TRACustomEditor::WMCut() {
  if (!FReadOnly) PostCommand(cmdCut);
}

void TRACustomEditor::WMPaste() {
  if (!FReadOnly) PostCommand(cmdPaste);
}
