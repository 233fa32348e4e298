// Any bytes as a whole text: split at CR LF, CR or LF, cut at a NUL, tabs expanded; the
// text saved back (every line and CR LF) loads to the same lines, and offsets and
// positions agree.
#include "FuzzEditor.h"
#include "FuzzTarget.h"

namespace {

const char* const kTabStops[] = {"3 5", "1", "8", "2 4 8", "4 9 17", ""};

// What loading Text must give, worked out independently of the line store.
std::vector<std::string> ExpectedLines(const std::string& text, const std::string& tab) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;
  for (size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(line);
      line.clear();
      open = false;
    } else {
      line += c == '\t' ? tab : std::string(1, c);
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
}

std::string Saved(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace

FUZZ_TARGET(load_save) {
  fuzz::Bytes in(data, size);
  fuzz::FuzzEditor e;
  TRAHLEditor& ed = *e.editor;
  ed.SetTabStops(kTabStops[in.Below(std::size(kTabStops))]);
  ed.SetHighLighter(static_cast<THighLighter>(in.Below(hlMarvek + 1)));
  const std::string text = in.Rest();
  const int tabWidth = ed.NextTabStop(0);
  FUZZ_CHECK(tabWidth >= 0);
  const std::vector<std::string> expected = ExpectedLines(text, std::string(tabWidth, ' '));

  ed.Lines().SetTextStr(text);
  FUZZ_CHECK(e.LinesCopy() == expected);
  const std::string saved = ed.Lines().GetTextStr();
  FUZZ_CHECK(saved == Saved(expected));
  FUZZ_CHECK(ed.Lines().TextLength() == static_cast<int>(saved.size()));
  FUZZ_CHECK(!ed.UndoBuffer()->CanUndo() && !ed.Modified());

  // Offsets and positions map onto each other at every line start and end.
  for (int y = 0; y < ed.Lines().Count(); ++y) {
    for (int x : {0, static_cast<int>(ed.Lines()[y].size())}) {
      const int pos = ed.PosFromCaret(x, y);
      int px = -1;
      int py = -1;
      ed.CaretFromPos(pos, px, py);
      FUZZ_CHECK(px == x && py == y);
    }
  }

  ed.Lines().SetTextStr(saved);
  FUZZ_CHECK(e.LinesCopy() == expected);
}
