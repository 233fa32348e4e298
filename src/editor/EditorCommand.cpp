// The command frame and the commands that move the caret, change the selection or the
// view, or control the editor. The commands that change the text are in
// EditingCommands.cpp.
#include <algorithm>
#include <utility>

#include "editor/CommandBrackets.h"
#include "editor/RAEditor.h"
#include "util/RAStrUtil.h"

namespace {

bool IsEditingCommand(TEditCommand code) {
  return code <= 255 || (code >= cmdReturn && code <= cmdRedo && code != cmdToggleInsertMode) ||
         code == cmdCompleteIdentifier || code == cmdCompleteTemplate;
}

bool IsSelectingMovement(TEditCommand code) {
  switch (code) {
    case cmdSelectLeft:
    case cmdSelectUp:
    case cmdSelectRight:
    case cmdSelectDown:
    case cmdSelectWordLeft:
    case cmdSelectWordRight:
    case cmdSelectPageUp:
    case cmdSelectPageDown:
    case cmdSelectLineStart:
    case cmdSelectLineEnd:
    case cmdSelectDocumentStart:
    case cmdSelectDocumentEnd:
      return true;
    default:
      return false;
  }
}

int LineLength(const TEditorStrings& lines, int y) {
  return y >= 0 && y < lines.Count() ? static_cast<int>(lines[y].size()) : 0;
}

// Column of the start of the word before column X (word left). The second byte of a
// double-byte character is part of it, whatever its value.
int WordLeftColumn(const std::string& line, int x, const Locale& locale) {
  const int length = static_cast<int>(line.size());
  if (x > length) return length;
  bool wordSeen = false;
  for (int i = x - 1; i >= 0; --i) {
    if (!IsWordSeparatorAt(line, static_cast<size_t>(i), locale)) {
      wordSeen = true;
    } else if (wordSeen) {
      return i + 1;
    }
  }
  return 0;
}

// Column of the start of the next word after column X on the same line (word right); the
// line end when there is none. X lies inside the line.
int WordRightColumn(const std::string& line, int x, const Locale& locale) {
  const int length = static_cast<int>(line.size());
  bool separatorSeen = false;
  for (int i = x; i < length; ++i) {
    if (IsWordSeparatorAt(line, static_cast<size_t>(i), locale)) {
      separatorSeen = true;
    } else if (separatorSeen) {
      return i;
    }
  }
  return length;
}

}  // namespace

void TRACustomEditor::Command(TEditCommand code) {
  CommandState s;
  s.X = FCaretX;
  s.Y = FCaretY;
  const auto caretHidden = CaretHidden();
  if (FRecording && code != cmdRecordMacro && code != cmdBeginCompound && FCompoundLevel == 0) {
    FMacroText += static_cast<char>(code & 0xFF);
    FMacroText += static_cast<char>(code >> 8);
  }
  s.Direction = -1;
  ExecuteCommand(code, s);
  if (!s.FinalPlacement) return;
  // Clamp as the caret would be clamped, so that a move that cannot happen records no
  // caret undo and the trail-byte test looks at the line the caret ends on.
  if (!FCursorBeyondEOF) s.Y = std::min(s.Y, Lines().Count() - 1);
  s.Y = std::max(s.Y, 0);
  s.X = std::clamp(s.X, 0, MaxLineAttr);
  StepOutOfTrailByte(s);
  s.X = std::clamp(s.X, 0, MaxLineAttr);
  if (s.RecordCaret) {
    SetCaret(s.X, s.Y);
  } else {
    SetCaretInternal(s.X, s.Y);
  }
}

void TRACustomEditor::ExecuteCommand(TEditCommand code, CommandState& s) {
  if (IsEditingCommand(code)) {
    RunEditingCommand(code, s);
    return;
  }
  if (code >= cmdSetBookmark0 && code < cmdSetBookmark0 + 10) {
    Bookmark(code - cmdSetBookmark0, true);
    return;
  }
  if (code >= cmdGotoBookmark0 && code < cmdGotoBookmark0 + 10) {
    Bookmark(code - cmdGotoBookmark0, false);
    s.X = FCaretX;
    s.Y = FCaretY;
    return;
  }
  switch (code) {
    case cmdBlockInclusive:
    case cmdBlockLine:
    case cmdBlockColumn:
    case cmdBlockNonInclusive:
      FSelBlockFormat = static_cast<TSelBlockFormat>(code - cmdBlockInclusive);
      PaintSelectionLines();
      StatusChanged();
      break;
    case cmdToggleInsertMode:
      SetInsertMode(!FInsertMode);
      break;
    case cmdBeginCompound:
      BeginCompound();
      break;
    case cmdEndCompound:
      EndCompound();
      break;
    case cmdBeginUpdate:
      BeginUpdate();
      break;
    case cmdEndUpdate:
      EndUpdate();
      break;
    case cmdRecordMacro:
      if (FRecording) {
        EndRecord(FLastMacro);
      } else {
        BeginRecord();
      }
      break;
    case cmdPlayMacro: {
      // A macro recorded while a macro played holds cmdPlayMacro and would play itself
      // without end: during a replay the last macro is empty.
      const std::string macro = std::exchange(FLastMacro, std::string());
      const Bracket restore([&] { FLastMacro = macro; });
      PlayMacro(macro);
      s.FinalPlacement = false;
      break;
    }
    default:
      RunMovementCommand(code, s);
  }
}

void TRACustomEditor::RunMovementCommand(TEditCommand code, CommandState& s) {
  const bool selecting = IsSelectingMovement(code);
  const int count = Lines().Count();
  // Selecting variants anchor a new selection at the old caret before moving.
  auto startSelection = [&] {
    if (selecting && !FSelected) SelectTo(s, FCaretX, FCaretY);
  };
  // Selecting variants move the free end of the selection; plain ones drop it.
  auto end = [&] {
    if (selecting) {
      SelectTo(s, s.X, s.Y);
    } else {
      Unselect();
    }
  };
  auto stepAndEnd = [&] {
    if (selecting) StepOutOfTrailByte(s);
    end();
  };
  auto scrollVertical = [&](int delta) {
    TRAControlScrollBar95& bar = *FScrollBarVert;
    bar.SetPosition(bar.Position() + delta);
    Scroll(true, bar.Position());
  };
  switch (code) {
    case cmdCaretLeft:
    case cmdSelectLeft:
      startSelection();
      --s.X;
      stepAndEnd();
      break;
    case cmdCaretRight:
    case cmdSelectRight:
      startSelection();
      ++s.X;
      s.Direction = 1;
      stepAndEnd();
      break;
    case cmdCaretUp:
    case cmdSelectUp:
      startSelection();
      --s.Y;
      stepAndEnd();
      break;
    case cmdCaretDown:
    case cmdSelectDown:
      if (s.Y >= FMaxScrollV - 1 && !FCursorBeyondEOF) break;
      startSelection();
      ++s.Y;
      s.Direction = 1;
      stepAndEnd();
      break;
    case cmdWordLeft:
    case cmdSelectWordLeft:
      startSelection();
      if (count == 0) break;
      s.X = WordLeftColumn(s.Y < count ? Lines()[s.Y] : std::string(), s.X, LocaleRef());
      end();
      break;
    case cmdWordRight:
    case cmdSelectWordRight:
      startSelection();
      if (count == 0) break;
      if (s.Y >= count) {
        s.Y = count - 1;
        s.X = LineLength(Lines(), s.Y);
      }
      if (s.X < LineLength(Lines(), s.Y)) {
        s.X = WordRightColumn(Lines()[s.Y], s.X, LocaleRef());
      } else {
        if (s.Y == count - 1) break;
        ++s.Y;
        s.X = 0;
      }
      end();
      break;
    case cmdWindowTop:
      s.Y = FTopRow;
      break;
    case cmdWindowBottom:
      s.Y = FTopRow + FVisibleRowCount - 1;
      break;
    case cmdPageUp:
    case cmdPageDown: {
      const int sign = code == cmdPageUp ? -1 : 1;
      scrollVertical(sign * FScrollBarVert->LargeChange());
      s.Y += sign * FVisibleRowCount;
      Unselect();
      break;
    }
    case cmdSelectPageUp:
    case cmdSelectPageDown: {
      const int sign = code == cmdSelectPageUp ? -1 : 1;
      const auto update = UpdateLocked();
      SelectTo(s, s.X, s.Y);
      scrollVertical(sign * FScrollBarVert->LargeChange());
      s.Y += sign * FVisibleRowCount;
      CommandState target = s;
      if (target.Y > count - 1) target.Y = count - 1;
      StepOutOfTrailByte(target);
      SelectTo(s, target.X, target.Y);
      break;
    }
    case cmdLineStart:
    case cmdSelectLineStart:
      startSelection();
      s.X = 0;
      end();
      break;
    case cmdLineEnd:
    case cmdSelectLineEnd:
      startSelection();
      s.X = LineLength(Lines(), s.Y);
      end();
      break;
    case cmdDocumentStart:
    case cmdSelectDocumentStart:
      startSelection();
      s.X = 0;
      s.Y = 0;
      SetLeftTop(0, 0);
      end();
      break;
    case cmdDocumentEnd:
    case cmdSelectDocumentEnd:
      startSelection();
      s.Y = std::max(count - 1, 0);
      s.X = LineLength(Lines(), s.Y);
      SetLeftTop(s.X - FVisibleColCount, s.Y - FVisibleRowCount / 2);
      end();
      break;
    case cmdScrollLineUp:
    case cmdScrollLineDown: {
      const bool down = code == cmdScrollLineDown;
      if (!down || s.Y < count - 1 || FTopRow != s.Y) scrollVertical(down ? 1 : -1);
      s.Y = std::max(std::min(s.Y, FLastVisibleRow), FTopRow);
      s.Direction = -1;
      StepOutOfTrailByte(s);
      break;
    }
    case cmdSelectAll:
      RunBracketed(*this, {cmdDocumentStart, cmdSelectDocumentEnd});
      s.FinalPlacement = false;
      break;
    case cmdSelectWord: {
      if (FSelected || s.Y >= count) break;  // no line, no word
      // The appended blank lets a caret just after the last word of the line take it.
      const std::string line = Lines()[s.Y] + ' ';
      int wordBeg = 0;
      int wordEnd = 0;
      if (WordBoundsAtPos(line, s.X + 1, wordBeg, wordEnd, LocaleRef()).empty()) break;
      SelectTo(s, wordBeg - 1, s.Y);
      SelectTo(s, wordEnd - 1, s.Y);
      s.X = wordEnd - 1;
      break;
    }
    default:
      break;  // unassigned codes do nothing
  }
}

void TRACustomEditor::SelectTo(CommandState& s, int x, int y) {
  SetSel(std::clamp(x, 0, MaxLineAttr), std::max(y, 0));
  s.RecordCaret = false;
}

void TRACustomEditor::StepOutOfTrailByte(CommandState& s) {
  if (s.Y < 0 || s.Y >= Lines().Count() || s.X < 0) return;
  if (LocaleRef().IsTrailByte(Lines()[s.Y], static_cast<size_t>(s.X))) s.X += s.Direction;
}
