// Reading and replacing the selection, typing, inserting text, compound edits and macros.
#include <algorithm>

#include "editor/Completion.h"
#include "editor/RAEditor.h"
#include "editor/TextInsertion.h"

using textinsertion::AsOneUndoStep;
using textinsertion::CaretOffset;
using textinsertion::RecordInsertion;
using textinsertion::StoredForm;

namespace {

// Whether both ends of the selection lie on lines of the text.
bool SelectionInText(const TRACustomEditor& editor) {
  const int last = editor.Lines().Count() - 1;
  return editor.SelBegY() >= 0 && editor.SelBegY() <= last && editor.SelEndY() >= 0 &&
         editor.SelEndY() <= last;
}

// Characters of S from column Col, at most Count of them (none for a negative count).
std::string Columns(const std::string& s, int col, int count) {
  if (count <= 0 || col < 0 || static_cast<size_t>(col) >= s.size()) return {};
  return s.substr(static_cast<size_t>(col), static_cast<size_t>(count));
}

// Removes the block's columns from each of its lines (as far as a line has them).
void DeleteColumns(TRACustomEditor& editor) {
  const int begX = editor.SelBegX();
  const int endX = editor.SelEndX();
  for (int y = editor.SelBegY(); y <= editor.SelEndY(); ++y) {
    std::string line = editor.Lines()[y];
    if (endX >= begX && static_cast<size_t>(begX) < line.size())
      line.erase(static_cast<size_t>(begX), static_cast<size_t>(endX - begX + 1));
    editor.Lines().InternalPut(y, line);
  }
}

// Removes the stream selection's text; returns the offset where it began.
int DeleteStream(TRACustomEditor& editor, bool inclusive) {
  const int beg = editor.PosFromCaret(editor.SelBegX(), editor.SelBegY());
  const int end = editor.PosFromCaret(editor.SelEndX() + (inclusive ? 1 : 0), editor.SelEndY());
  if (end > beg) editor.Lines().DeleteTextAt(beg, end - beg);
  return beg;
}

// Records the deletion of the selection with where its text goes back: the offset a
// stream was removed at, the lines of a block as they were.
void RecordDeletion(TRACustomEditor& editor, const std::string& text) {
  auto record = std::make_unique<TDeleteSelectedUndo>(
      &editor, editor.CaretX(), editor.CaretY(), text, editor.SelBlockFormat(), editor.SelBegX(),
      editor.SelBegY(), editor.SelEndX(), editor.SelEndY());
  record->DeletedAt = editor.PosFromCaret(editor.SelBegX(), editor.SelBegY());
  if (SelectionInText(editor) && record->SelBlockFormat == bfColumn) {
    record->OldLines = std::make_unique<std::vector<std::string>>();
    for (int y = editor.SelBegY(); y <= editor.SelEndY(); ++y)
      record->OldLines->push_back(editor.Lines()[y]);
  }
  editor.UndoBuffer()->Add(std::move(record));
}

}  // namespace

namespace textinsertion {

std::string WithStoredBreaks(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      result += "\r\n";
    } else {
      result += text[i];
    }
  }
  return result;
}

std::string StoredForm(const TRACustomEditor& editor, const std::string& text) {
  return editor.ExpandTabs(WithStoredBreaks(text));
}

void RecordInsertion(TRACustomEditor& editor, int pos, const std::string& text) {
  // Text that goes in behind the last line break and does not end with one makes a new
  // last line; undo would otherwise leave that line behind, empty.
  const bool makesLine =
      pos >= editor.Lines().TextLength() && !text.empty() && !text.ends_with("\r\n");
  if (makesLine) Push<TReLineUndo>(&editor, 0, editor.Lines().Count(), "\r\n");
  // Recorded where the text goes in: a caret beyond its line's end inserts at that end.
  int atX = 0;
  int atY = 0;
  editor.CaretFromPos(pos, atX, atY);
  Push<TInsertUndo>(&editor, atX, atY, text);
}

int CaretOffset(const TRACustomEditor& editor) {
  const int pos = editor.PosFromCaret(editor.CaretX(), editor.CaretY());
  if (pos >= 0) return pos;
  return editor.CaretY() >= editor.Lines().Count() ? editor.Lines().TextLength() : 0;
}

}  // namespace textinsertion

std::string TRACustomEditor::GetSelText() const {
  if (!FSelected) return {};
  if (!SelectionInText(*this)) {
    FHost.Beep();
    return {};
  }
  const TSelBlockFormat format = EffectiveBlockFormat(FSelBlockFormat);
  std::string result;
  if (format == bfColumn) {
    const int width = std::max(FSelEndX - FSelBegX + 1, 0);
    for (int y = FSelBegY; y <= FSelEndY; ++y) {
      std::string piece = Columns(FLines->Get(y), FSelBegX, width);
      piece.resize(static_cast<size_t>(width), ' ');
      result += piece;
      result += "\r\n";
    }
    return result;
  }
  const int endExtra = format == bfInclusive ? 1 : 0;
  if (FSelBegY == FSelEndY)
    return Columns(FLines->Get(FSelBegY), FSelBegX, FSelEndX - FSelBegX + endExtra);
  const std::string& first = FLines->Get(FSelBegY);
  result = Columns(first, FSelBegX, static_cast<int>(first.size()));
  for (int y = FSelBegY + 1; y < FSelEndY; ++y) {
    result += "\r\n";
    result += FLines->Get(y);
  }
  result += "\r\n";
  result += Columns(FLines->Get(FSelEndY), 0, FSelEndX + endExtra);
  return result;
}

void TRACustomEditor::DeleteSelected() {
  if (!FSelected) return;
  const auto caretHidden = CaretHidden();
  const auto update = UpdateLocked();
  const std::string text = GetSelText();
  RecordDeletion(*this, text);
  int newX = FCaretX;
  int newY = FCaretY;
  // A selection reaching outside the text was read as empty, so nothing is removed.
  const bool inText = SelectionInText(*this);
  const TSelBlockFormat format = EffectiveBlockFormat(FSelBlockFormat);
  FSelected = false;
  if (inText && format == bfColumn) {
    DeleteColumns(*this);
    TextModified(PosFromCaret(FSelBegX, FSelBegY), taColumnDelete, text);
    newX = FSelBegX;
  } else if (inText) {
    const int beg = DeleteStream(*this, format == bfInclusive);
    TextModified(beg, taDelete, text);
    CaretFromPos(beg, newX, newY);
  }
  SetCaretInternal(newX, newY);
  Changed();
}

void TRACustomEditor::InsertText(const std::string& text) {
  const auto caretHidden = CaretHidden();
  const auto update = UpdateLocked();
  const std::string stored = StoredForm(*this, text);
  const int pos = CaretOffset(*this);
  RecordInsertion(*this, pos, stored);
  TextModified(pos, taInsert, stored);
  // Only the lines that change are spliced; the editor then refreshes as after a
  // whole-text change.
  FLines->InsertTextAt(pos, stored);
  TextAllChanged();
  int x = 0;
  int y = 0;
  CaretFromPos(pos + static_cast<int>(stored.size()), x, y);
  SetCaretInternal(x, y);
  Changed();
}

void TRACustomEditor::SetSelText(const std::string& text) {
  AsOneUndoStep(*this, [&] {
    DeleteSelected();
    // The new text is selected where it went in: at the begin of the replaced selection,
    // or at the caret when there was none.
    const int start = CaretOffset(*this);
    InsertText(text);
    FSelected = true;
    SetSelStart(start);
    SetSelLength(static_cast<int>(StoredForm(*this, text).size()));
  });
}

void TRACustomEditor::InsertChar(unsigned char ch) {
  // A character typed at the column limit would go where it is never shown.
  const int at = FSelected ? std::min(FSelBegX, FCaretX) : FCaretX;
  if (ch >= 32 && at >= MaxLineAttr) {
    FHost.Beep();
    return;
  }
  FLines->ReLine();
  if (ch < 32) return;
  const bool identifier = TCompletion::IsIdentifierChar(ch);
  if (!identifier) FCompletion->NotifyChar(ch);
  DeleteSelected();
  std::string line = FLines->Get(FCaretY);
  const size_t col = std::min(static_cast<size_t>(std::max(FCaretX, 0)), line.size());
  const std::string typed(1, static_cast<char>(ch));
  if (FInsertMode) {
    Push<TInsertUndo>(this, FCaretX, FCaretY, typed);
    line.insert(col, typed);
  } else {
    const std::string old = col < line.size() ? line.substr(col, 1) : std::string();
    Push<TOverwriteUndo>(this, FCaretX, FCaretY, old, typed);
    line.replace(col, old.size(), typed);
  }
  FLines->InternalPut(FCaretY, line);
  SetCaretInternal(FCaretX + 1, FCaretY);
  TextModified(PosFromCaret(FCaretX, FCaretY), taInsert, typed);
  PaintLine(FCaretY, -1, -1);
  Changed();
  if (identifier) FCompletion->NotifyChar(ch);
}

void TRACustomEditor::BeginCompound() {
  ++FCompoundLevel;
  Push<TBeginCompoundUndo>(this);
}

void TRACustomEditor::EndCompound() {
  Push<TEndCompoundUndo>(this);
  --FCompoundLevel;
}

void TRACustomEditor::PostCommand(TEditCommand code) {
  FHost.PostCommand(code);
}

void TRACustomEditor::BeginRecord() {
  FMacroText.clear();
  FRecording = true;
  StatusChanged();
}

void TRACustomEditor::EndRecord(std::string& macro) {
  FRecording = false;
  macro = FMacroText;
  StatusChanged();
}

void TRACustomEditor::PlayMacro(const std::string& macro) {
  // A command of the macro may change the string it came from (LastMacro).
  const std::string codes = macro;
  AsOneUndoStep(*this, [&] {
    for (size_t i = 0; i + 1 < codes.size(); i += 2) {
      const auto low = static_cast<unsigned char>(codes[i]);
      const auto high = static_cast<unsigned char>(codes[i + 1]);
      Command(static_cast<TEditCommand>(low + 256 * high));
    }
  });
}
