// Command sequences on an editor: keys with shift states and chords, typed bytes, command
// codes, clipboard text with any block-type byte, mouse presses and moves, macros,
// scrolling and undo. After every step the caret and the brackets are sound; at the end,
// undoing every step gives back the text as it was loaded.
#include <array>

#include "FuzzEditor.h"
#include "FuzzTarget.h"
#include "util/Errors.h"

namespace {

// The keys the default key map binds, and a few it does not.
constexpr std::array<uint16_t, 26> kKeys = {
    VK_LEFT,   VK_RIGHT, VK_UP,     VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_INSERT,
    VK_RETURN, VK_BACK,  VK_DELETE, VK_TAB,  'A',     'C',    'K',      'O',     'Q',
    'T',       'U',      'V',       'X',     'Y',     '0',    '5',      'Z'};

// Codes that only open or close a bracket: sent alone they would leave it open, which no
// key or menu of the editor does.
bool IsBracket(TEditCommand code) {
  return code == cmdBeginCompound || code == cmdEndCompound || code == cmdBeginUpdate ||
         code == cmdEndUpdate;
}

void Step(fuzz::Bytes& in, fuzz::FuzzEditor& e) {
  TRAHLEditor& ed = *e.editor;
  const uint8_t op = in.Byte();
  switch (op % 11) {
    case 0:
    case 1: {
      const uint8_t k = in.Byte();
      uint16_t key = k < 200 ? kKeys[k % kKeys.size()] : k;
      const auto shift = static_cast<TShiftState>(in.Byte() & (ssShift | ssAlt | ssCtrl));
      ed.KeyDown(key, shift);
      break;
    }
    case 2:
    case 3: {
      char c = static_cast<char>(in.Byte());
      ed.KeyPress(c);
      break;
    }
    case 4: {
      const auto code = static_cast<TEditCommand>(in.Word() % (cmdPlayMacro + 1));
      if (!IsBracket(code)) ed.Command(code);
      break;
    }
    case 5: {
      e.host.Clip.SetText(in.Text(40));
      if (in.Below(2))
        e.host.Clip.AddFormat(TRACustomEditor::BlockTypeFormatName(),
                              std::string(1, static_cast<char>(in.Byte())));
      break;
    }
    case 6: {
      const auto button = static_cast<TMouseButton>(in.Below(3));
      const auto shift = static_cast<TShiftState>(in.Byte() & (ssShift | ssAlt | ssCtrl));
      const int x = in.Below(256) * 4 - 100;
      const int y = in.Below(256) * 3 - 60;
      ed.MouseDown(button, shift, x, y);
      if (in.Below(2)) ed.MouseMove(shift | ssLeft, x + in.Below(64) * 8, y + in.Below(32) * 15);
      if (in.Below(4) == 0) ed.DblClick();
      ed.MouseUp(button, shift, x, y);
      break;
    }
    case 7:
      ed.MouseMove(static_cast<TShiftState>(in.Byte() & 0x3F), in.Below(256) * 4,
                   in.Below(256) * 3);
      break;
    case 8:
      ed.UndoBuffer()->Undo();
      break;
    case 9:
      if (in.Below(2))
        ed.HandleScrollRequest(in.Below(2) == 1, in.Below(8));
      else
        ed.MouseWheel((in.Below(7) - 3) * 120);
      break;
    case 10:
      for (FakeTimer* timer : e.host.Timers) timer->Tick();
      break;
  }
}

void CheckState(const TRAHLEditor& ed) {
  FUZZ_CHECK(ed.UpdateLock() == 0 && ed.CompoundLevel() == 0);
  FUZZ_CHECK(ed.CaretX() >= 0 && ed.CaretX() <= MaxLineAttr);
  FUZZ_CHECK(ed.CaretY() >= 0);
  FUZZ_CHECK(ed.CursorBeyondEOF() || ed.CaretY() <= std::max(ed.Lines().Count() - 1, 0));
  FUZZ_CHECK(ed.LeftCol() >= 0 && ed.TopRow() >= 0);
}

}  // namespace

FUZZ_TARGET(commands) {
  fuzz::Bytes in(data, size);
  fuzz::FuzzEditor e;
  TRAHLEditor& ed = *e.editor;
  const uint8_t options = in.Byte();
  ed.SetAutoIndent(options & 1);
  ed.SetSmartTab(options & 2);
  ed.SetBackSpaceUnindents(options & 4);
  ed.SetKeepTrailingBlanks(options & 8);
  ed.SetCursorBeyondEOF(options & 16);
  ed.SetInsertMode(!(options & 32));
  ed.SetHighLighter(static_cast<THighLighter>(in.Below(hlMarvek + 1)));
  ed.Lines().SetTextStr(in.Text(160));
  const std::string original = ed.Lines().GetTextStr();
  if (options & 64) e.host.Focused = true, ed.FocusIn();

  for (int step = 0; step < 128 && !in.Empty(); ++step) {
    try {
      Step(in, e);
      e.host.RunPosted([&](uint16_t code) { ed.Command(code); });
    } catch (const ERAEditorError&) {
      // "Redo not yet implemented": the application shows it and carries on.
    }
    e.host.Posted.clear();
    CheckState(ed);
    if (step % 8 == 0) e.Paint();
  }
  e.Paint();
  for (int guard = 0; ed.UndoBuffer()->CanUndo(); ++guard) {
    FUZZ_CHECK(guard < 100000);
    ed.UndoBuffer()->Undo();
  }
  FUZZ_CHECK(ed.Lines().GetTextStr() == original);
}
