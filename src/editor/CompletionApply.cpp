// Putting a chosen candidate in place of the word at the caret: one undo record, and
// only the replaced range of the text spliced.
#include <algorithm>

#include "editor/Completion.h"
#include "editor/RAEditor.h"
#include "editor/TextInsertion.h"
#include "util/Errors.h"
#include "util/RAStrUtil.h"

namespace {

// The word left of the caret on its line: its bounds (1-based in the line, End the first
// position after it) and the word itself. A caret in column 0 or after a separator has
// no word: Beg is one past the caret and End at it, so nothing is deleted.
struct CaretWordRange {
  int Beg;
  int End;
  std::string Word;
};

CaretWordRange WordLeftOfCaret(const std::string& line, int caretX, const Locale& locale) {
  CaretWordRange r{caretX + 1, caretX, {}};
  if (caretX <= 0 || caretX > static_cast<int>(line.size())) return r;
  if (IsWordSeparator(static_cast<unsigned char>(line[caretX - 1]))) return r;
  r.Word = WordBoundsAtPos(line, caretX, r.Beg, r.End, locale);
  return r;
}

}  // namespace

void TCompletion::ReplaceCaretWord(const std::string& s) {
  if (FMode != cmIdentifiers && FMode != cmTemplates) {
    throw ERAEditorError("Invalid RAEditor Completion Mode");
  }
  TRACustomEditor& e = *FEditor;
  TEditorStrings& lines = e.Lines();
  const auto caretHidden = e.CaretHidden();
  const auto update = e.UpdateLocked();
  lines.ReLine();
  const int caretX = e.CaretX();
  const int caretY = e.CaretY();
  const int lineStart = lines.LineOffset(caretY);
  const CaretWordRange range = WordLeftOfCaret(lines[caretY], caretX, e.LocaleRef());
  const std::string word = Trimmed(range.Word);
  const int removed = std::max(range.End - range.Beg, 0);
  // What is deleted goes back on undo, exactly.
  const std::string oldText = lines[caretY].substr(range.Beg - 1, removed);

  std::string text = s;
  size_t caretAt = 0;
  if (FMode == cmIdentifiers) {
    if (e.OnCompletionApply) e.OnCompletionApply(this, word, text);
    caretAt = text.size();
  } else {
    // Further lines of the template start where the replaced word started.
    const std::string indent = Blanks(removed > 0 ? range.Beg - 1 : caretX);
    if (!FCRLF.empty()) text = ReplaceAll(text, FCRLF, "\r\n" + indent);
    caretAt = std::min(text.find(FCaretChar), text.size());
    text = ReplaceAll(text, std::string(1, FCaretChar), "");
    caretAt = std::min(caretAt, text.size());
  }
  // Unlike typed or pasted text (StoredForm) a candidate keeps its tabs: it goes in through
  // the editor's internal text store, which expands none. Its breaks become CR LF, so the
  // undo record takes away exactly what went in.
  const std::string stored = textinsertion::WithStoredBreaks(text);
  caretAt =
      std::min(textinsertion::WithStoredBreaks(text.substr(0, caretAt)).size(), stored.size());

  const int beg = lineStart + range.Beg;  // 1-based in the whole text
  Push<TReplaceUndo>(&e, caretX, caretY, beg, lineStart + range.End, oldText, stored);
  lines.DeleteTextAt(beg - 1, removed);
  lines.InsertTextAt(beg - 1, stored);
  int x = 0;
  int y = 0;
  e.CaretFromPos(beg - 1 + static_cast<int>(caretAt), x, y);
  e.SetCaretInternal(x, y);
  e.TextAllChanged();
  e.Changed();
}
