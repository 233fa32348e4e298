// The commands that change the text: typing, Return, Backspace, Delete, Tab, block
// indentation, deletion of the selection, line or word, the clipboard, case changes,
// undo, redo and the completion triggers. Return, Backspace, Delete and Tab change only the
// lines involved.
#include <algorithm>
#include <climits>

#include "editor/CommandBrackets.h"
#include "editor/Completion.h"
#include "editor/RAEditor.h"
#include "util/RAStrUtil.h"

namespace {

const std::string kLineBreak = "\r\n";

bool IsBlank(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

std::string CaseChanged(TEditCommand code, const std::string& text, const Locale& locale) {
  if (code == cmdUpperCase) return locale.UpperCase(text);
  if (code == cmdLowerCase) return locale.LowerCase(text);
  return InvertCase(text, locale);
}

}  // namespace

void TRACustomEditor::RunEditingCommand(TEditCommand code, CommandState& s) {
  if (FReadOnly && code != cmdCopy) {
    s.FinalPlacement = false;
    return;
  }
  // Operations that place the caret themselves: the final placement keeps their caret.
  auto runAndTakeCaret = [&](auto operation) {
    operation();
    s.X = FCaretX;
    s.Y = FCaretY;
    s.RecordCaret = false;
  };
  if (code <= 255) {
    runAndTakeCaret([&] { InsertChar(static_cast<unsigned char>(code)); });
    // The caret stays right after the byte typed, also after the first byte of a
    // double-byte character, where its second byte goes next.
    s.Direction = 0;
    return;
  }
  switch (code) {
    case cmdReturn:
      CommandReturn(s);
      break;
    case cmdBackspace:
      CommandBackspace(s);
      break;
    case cmdDelete:
      CommandDelete(s);
      break;
    case cmdTab:
    case cmdBackTab:
      CommandTab(code, s);
      break;
    case cmdBlockIndent:
    case cmdBlockUnindent:
      CommandBlockIndent(code == cmdBlockIndent);
      s.RecordCaret = false;
      break;
    case cmdDeleteSelection:
      if (FSelected) runAndTakeCaret([this] { DeleteSelected(); });
      break;
    case cmdCut:
      runAndTakeCaret([this] { CutToClipboard(); });
      break;
    case cmdCopy:
      CopyToClipboard();
      break;
    case cmdPaste:
      runAndTakeCaret([this] { PasteFromClipboard(); });
      break;
    case cmdDeleteLine:
      // The second delete removes the line break the first one left.
      RunBracketed(*this, {cmdLineStart, cmdSelectLineEnd, cmdDelete, cmdDelete});
      s.FinalPlacement = false;
      break;
    case cmdDeleteWord:
      RunBracketed(*this, {cmdSelectWord, cmdDeleteSelection});
      s.FinalPlacement = false;
      break;
    case cmdUpperCase:
    case cmdLowerCase:
    case cmdToggleCase:
      CommandChangeCase(code, s);
      break;
    case cmdUndo:
      FUndoBuffer->Undo();
      s.FinalPlacement = false;
      break;
    case cmdRedo:
      FUndoBuffer->Redo();
      s.FinalPlacement = false;
      break;
    case cmdCompleteIdentifier:
    case cmdCompleteTemplate:
      FCompletion->StartCompletion(code == cmdCompleteIdentifier ? 0 : 1);
      s.FinalPlacement = false;
      break;
    default:
      break;  // unassigned codes do nothing
  }
}

void TRACustomEditor::CommandReturn(CommandState& s) {
  DeleteSelected();
  // A caret below the text (CursorBeyondEOF) first gets its line, so there is a line to
  // break.
  if (FCaretY >= std::max(Lines().Count(), 1)) Lines().ReLine();
  s.X = FCaretX;
  s.Y = FCaretY;
  // The empty line a document without lines first gets is recorded too, so that undo
  // gives back a document without lines, not one empty line.
  if (Lines().Count() == 0) Push<TReLineUndo>(this, s.X, s.Y, kLineBreak);
  Push<TInsertUndo>(this, s.X, s.Y, kLineBreak);
  s.RecordCaret = false;
  // Outside an update bracket the rows below the break keep their pixels, moved down.
  const bool paintsNow = FUpdateLock == 0;
  bool rowsMoved = false;
  {
    const auto unlock = Raised(FUpdateLock);
    if (Lines().Count() == 0) Lines().Add(std::string());
    const int offset = PosFromCaret(FCaretX, FCaretY) - 1;
    const std::string line = Lines()[s.Y];
    const size_t cut = std::min(static_cast<size_t>(s.X), line.size());
    // Spliced rather than inserted: a tab that came in through Lines stays as it is.
    Lines().Splice(s.Y + 1, 0, {line.substr(cut)});
    Lines().InternalPut(s.Y, line.substr(0, cut));
    // Moved before TextModified, whose repaints (of lines whose colours change) are
    // already in the new rows.
    rowsMoved = paintsNow && MoveRowsDown(s.Y + 1);
    ++s.Y;
    const std::string& before = Lines()[FCaretY];
    const bool indent =
        FAutoIndent && ((!before.empty() && before[0] == ' ') || (IsBlank(before) && s.X > 0));
    s.X = indent ? GetTabStop(0, s.Y, true, true) : 0;
    if (s.X > 0) {
      const std::string blanks = Blanks(s.X);
      Push<TInsertUndo>(this, 0, s.Y, blanks);
      Lines().InternalPut(s.Y, blanks + Lines()[s.Y]);
    }
    UpdateEditorSize();
    TextModified(offset, taInsert, kLineBreak);
  }
  // Every line from the broken one down moved or changed; moved rows are painted already.
  InvalidateLines(s.Y - 1, rowsMoved ? s.Y : INT_MAX);
  // The gutter's marks belong to line numbers, not to the text the rows carry: every row
  // below the break shows another line number now, so the moved gutter is drawn again.
  if (rowsMoved) FGutter->Paint();
  Changed();
}

void TRACustomEditor::CommandBackspace(CommandState& s) {
  if (FSelected) {
    DeleteSelected();
    Changed();
    s.X = FCaretX;
    s.Y = FCaretY;
    s.RecordCaret = false;
    return;
  }
  if (FCaretX == 0 && FCaretY == 0) return;
  Lines().ReLine();
  if (FCaretX > 0) {
    int n = FBackSpaceUnindents ? GetBackStop(FCaretX, FCaretY) : FCaretX - 1;
    n = std::clamp(n, 0, FCaretX - 1);
    std::string line = Lines()[FCaretY];
    if (n > 0 && LocaleRef().IsLeadByte(line, n - 1)) --n;
    const size_t from = std::min(static_cast<size_t>(n), line.size());
    const std::string deleted = line.substr(from, FCaretX - n);
    // Taken before the line shrinks, where the caret still stands after the deleted text.
    const int offset = PosFromCaret(FCaretX, FCaretY) - 1;
    Push<TBackspaceUndo>(this, FCaretX, FCaretY, deleted);
    s.RecordCaret = false;
    line.erase(from, deleted.size());
    Lines().InternalPut(FCaretY, line);
    TextModified(offset, taDelete, deleted);
    PaintLine(FCaretY, -1, -1);
    Changed();
    s.X = n;
    return;
  }
  // Column 0: join the line to the one above.
  const int offset = PosFromCaret(FCaretX, FCaretY) - 2;
  const std::string& above = Lines()[FCaretY - 1];
  s.X = static_cast<int>(above.size());
  Push<TBackspaceUndo>(this, FCaretX, FCaretY, std::string("\r"));
  s.RecordCaret = false;
  {
    const auto unlock = Raised(FUpdateLock);
    Lines().InternalPut(FCaretY - 1, above + Lines()[FCaretY]);
    Lines().Delete(FCaretY);
  }
  s.Y = FCaretY - 1;
  UpdateEditorSize();
  TextModified(offset, taDelete, kLineBreak);
  InvalidateLines(s.Y, INT_MAX);
  Changed();
}

void TRACustomEditor::CommandDelete(CommandState& s) {
  s.Direction = 0;
  if (Lines().Count() == 0) {
    // Without a selection there is nothing to delete: adding the empty line would change
    // the document with nothing to undo. With one, the added line is recorded.
    if (!FSelected) return;
    Push<TReLineUndo>(this, FCaretX, FCaretY, kLineBreak);
    const auto unlock = Raised(FUpdateLock);
    Lines().Add(std::string());
  }
  if (FSelected) {
    DeleteSelected();
    s.X = FCaretX;
    s.Y = FCaretY;
    s.RecordCaret = false;
    return;
  }
  const int count = Lines().Count();
  if (FCaretY >= count) return;
  const std::string line = Lines()[FCaretY];
  const int offset = PosFromCaret(FCaretX, FCaretY);
  if (static_cast<int>(line.size()) > FCaretX && FCaretX >= MaxLineAttr) {
    // The character right of the column limit is never shown: it is not deleted unseen.
    FHost.Beep();
    return;
  }
  if (static_cast<int>(line.size()) > FCaretX) {
    // A double-byte character goes as a whole; the undo record keeps both bytes.
    const size_t width = LocaleRef().IsTrailByte(line, FCaretX + 1) ? 2 : 1;
    const std::string deleted = line.substr(FCaretX, width);
    Push<TDeleteUndo>(this, FCaretX, FCaretY, deleted);
    s.RecordCaret = false;
    Lines().InternalPut(FCaretY, std::string(line).erase(FCaretX, width));
    TextModified(offset, taDelete, deleted);
    PaintLine(FCaretY, -1, -1);
    Changed();
    return;
  }
  if (FCaretY + 1 >= count) return;
  // At or beyond the line end: the next line joins the line's text, not the caret column.
  // The caret goes to the join, and the record holds that column: a record (and a run of
  // further deletes) beyond the line end would be undone inside the joined text.
  s.X = static_cast<int>(line.size());
  Push<TDeleteUndo>(this, s.X, FCaretY, kLineBreak);
  s.RecordCaret = false;
  {
    const auto unlock = Raised(FUpdateLock);
    Lines().InternalPut(FCaretY, line + Lines()[FCaretY + 1]);
    Lines().Delete(FCaretY + 1);
  }
  UpdateEditorSize();
  TextModified(offset, taDelete, kLineBreak);
  InvalidateLines(FCaretY, INT_MAX);
  Changed();
}

void TRACustomEditor::CommandTab(TEditCommand code, CommandState& s) {
  if (FSelected) {
    // Indents the selected lines once the current command has finished.
    PostCommand(code == cmdTab ? cmdBlockIndent : cmdBlockUnindent);
    return;
  }
  Lines().ReLine();
  s.X = GetTabStop(FCaretX, FCaretY, false, code == cmdTab);
  if (code != cmdTab || !FInsertMode || s.X <= FCaretX) return;
  const std::string blanks = Blanks(s.X - FCaretX);
  Push<TInsertTabUndo>(this, FCaretX, FCaretY, blanks);
  s.RecordCaret = false;
  std::string line = Lines()[FCaretY];
  line.insert(std::min(static_cast<size_t>(FCaretX), line.size()), blanks);
  Lines().InternalPut(FCaretY, line);
  TextModified(PosFromCaret(FCaretX, FCaretY), taInsert, blanks);
  PaintLine(FCaretY, -1, -1);
  Changed();
}

void TRACustomEditor::CommandBlockIndent(bool indent) {
  if (!FSelected || FSelBegY == FSelEndY || FSelBegX != 0 || FSelEndX != 0) return;
  const int width = std::max(NextTabStop(1) - FCaretX, 0);
  const std::string blanks = Blanks(width);
  const std::string indented = kLineBreak + blanks;
  std::string text = GetSelText();
  if (indent) {
    text = ReplaceAll(text, kLineBreak, indented);
    // Only the indentation added after a final line break goes; a selection that ends
    // inside a line (bfInclusive) keeps all its text.
    if (text.ends_with(indented)) text.resize(text.size() - blanks.size());
    text = blanks + text;
  } else {
    if (width > 0) text = ReplaceAll(text, indented, kLineBreak);
    const size_t spaces = std::min(text.find_first_not_of(' '), blanks.size());
    text.erase(0, std::min(spaces, text.size()));
  }
  SetSelText(text);
}

void TRACustomEditor::CommandChangeCase(TEditCommand code, CommandState& s) {
  const std::string text = GetSelText();
  // Nothing selected: nothing to change, and the text is not marked modified.
  if (text.empty()) return;
  s.RecordCaret = false;
  if (EffectiveBlockFormat(FSelBlockFormat) == bfColumn) {
    ChangeColumnCase(code, text);
    return;
  }
  SetSelText(CaseChanged(code, text, LocaleRef()));
}

// A column block changes case in place, row by row: the lines keep their length, the
// block and the caret stay, and one replace record of the rows' text gives them back.
void TRACustomEditor::ChangeColumnCase(TEditCommand code, const std::string& oldBlock) {
  if (FSelEndX < FSelBegX) return;
  const int beg = PosFromCaret(FSelBegX, FSelBegY);
  const int end = PosFromCaret(FSelEndX + 1, FSelEndY);
  const std::string oldText = FLines->TextAt(beg, end - beg);
  const auto col = static_cast<size_t>(std::max(FSelBegX, 0));
  const auto width = static_cast<size_t>(FSelEndX - FSelBegX + 1);
  {
    const auto unlock = Raised(FUpdateLock);
    for (int y = FSelBegY; y <= FSelEndY; ++y) {
      std::string line = FLines->Get(y);
      if (col >= line.size()) continue;
      const std::string piece = line.substr(col, width);
      line.replace(col, piece.size(), CaseChanged(code, piece, LocaleRef()));
      FLines->PlainPut(y, line);
    }
  }
  const std::string newText = FLines->TextAt(beg, end - beg);
  if (newText == oldText) return;
  Push<TReplaceUndo>(this, FCaretX, FCaretY, beg + 1, end + 1, oldText, newText);
  TextModified(beg, taColumnDelete, oldBlock);
  TextModified(beg, taInsert, GetSelText());
  InvalidateLines(FSelBegY, FSelEndY);
  Changed();
}
