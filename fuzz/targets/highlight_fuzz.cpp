// Line colouring and line states of every highlighter: edits of any kind, and after each
// one the stored start states equal those of a full rescan of the text as it is now.
#include "FuzzEditor.h"
#include "FuzzTarget.h"

namespace {

// The characters that open or close comments, strings and tags, and some plain ones.
constexpr char kInteresting[] = "/*{}()\"'<>#\\ a\r\n\tproductions";

void Edit(fuzz::Bytes& in, TRAHLEditor& ed) {
  TEditorStrings& lines = ed.Lines();
  const int count = lines.Count();
  switch (in.Below(9)) {
    case 0: {
      const uint8_t b = in.Byte();
      ed.Command(b < 128 ? kInteresting[b % (sizeof kInteresting - 1)] : b);
      break;
    }
    case 1:
      ed.Command(static_cast<TEditCommand>(in.Below(2) ? cmdReturn : cmdBackspace));
      break;
    case 2:
      ed.Command(cmdDelete);
      break;
    case 3:
      ed.SetCaretInternal(in.Below(40), in.Below(count + 1));
      break;
    case 4:
      ed.SetSelText(in.Text(16));
      break;
    case 5:
      // A change from outside the editor, as the application editing Lines.
      if (count > 0) lines.Put(in.Below(count), in.Text(24));
      break;
    case 6:
      if (in.Below(2) && count > 0)
        lines.Delete(in.Below(count));
      else
        lines.Insert(in.Below(count + 1), in.Text(24));
      break;
    case 7:
      ed.UndoBuffer()->Undo();
      break;
    case 8:
      if (in.Below(4) == 0)
        ed.SetHighLighter(static_cast<THighLighter>(in.Below(hlMarvek + 1)));
      else
        ed.SetLongTokens(!ed.LongTokens());
      break;
  }
}

// The states a full rescan gives for the same lines.
void CheckStates(fuzz::FuzzEditor& e) {
  TRAHLEditor& ed = *e.editor;
  // Plain text and INI files keep no states: colouring reads none.
  if (!ed.LongTokens() || ed.HighLighter() == hlNone || ed.HighLighter() == hlIni ||
      ed.Lines().Count() == 0)
    return;
  // An edit holding a line break always brings the states up to date.
  ed.TextModified(0, 0, "\r");
  // A reference editor of its own, its states computed from nothing.
  fuzz::FuzzEditor reference;
  TRAHLEditor& full = *reference.editor;
  full.SetHighLighter(ed.HighLighter());
  full.SetLines(e.LinesCopy());
  full.RescanLongTokens();
  for (int i = 0; i < ed.Lines().Count(); ++i) FUZZ_CHECK(ed.LineState(i) == full.LineState(i));
  if (ed.HighLighter() == hlCocoR) FUZZ_CHECK(ed.GrammarLine() == full.GrammarLine());
}

// Colours every line, a screen at a time.
void PaintAll(fuzz::FuzzEditor& e) {
  TRAHLEditor& ed = *e.editor;
  const int page = std::max(ed.VisibleRowCount(), 1);
  for (int top = 0; top < ed.Lines().Count(); top += page) {
    ed.SetLeftTop(0, top);
    e.Paint();
  }
}

}  // namespace

FUZZ_TARGET(highlight) {
  fuzz::Bytes in(data, size);
  fuzz::FuzzEditor e;
  TRAHLEditor& ed = *e.editor;
  ed.SetHighLighter(static_cast<THighLighter>(in.Below(hlMarvek + 1)));
  ed.SetKeepTrailingBlanks(in.Below(2) == 1);
  ed.Lines().SetTextStr(in.Text(200));
  CheckStates(e);
  for (int step = 0; step < 64 && !in.Empty(); ++step) {
    Edit(in, ed);
    e.host.Posted.clear();
    if (step % 4 == 0) e.Paint();
    CheckStates(e);
  }
  PaintAll(e);
}
