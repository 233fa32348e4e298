// Long random command sequences on small documents, checked after every step against a
// plain reference model that keeps the whole text as a list of lines and re-does every
// operation the straightforward way; at the end undoing every step must give back the
// original text.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <random>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

#include "support/EditorFixture.h"
#include "support/RecordingEditor.h"
#include "util/RAStrUtil.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kBreak = "\r\n";

// ---- whole-text helpers ----

Lines Split(const std::string& text) {
  Lines lines;
  std::string line;
  bool open = false;
  for (size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(line);
      line.clear();
      open = false;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += text[i];
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
}

std::string Join(const Lines& lines) {
  std::string text;
  for (const auto& line : lines) text += line + kBreak;
  return text;
}

bool IsIdent(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool IsSeparator(char c) {
  return IsWordSeparator(static_cast<unsigned char>(c));
}
std::string TrimRight(std::string s) {
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.pop_back();
  return s;
}
// Substring that is empty past the end, as string copies of the system are.
std::string Substr(const std::string& s, int from, int count) {
  if (from < 0 || from >= static_cast<int>(s.size()) || count <= 0) return {};
  return s.substr(from, count);
}

// ---- the reference model ----

struct Model {
  Lines lines;
  int cx = 0, cy = 0;
  bool selected = false;
  int bx = 0, by = 0, ex = 0, ey = 0, ax = 0, ay = 0;
  TSelBlockFormat format = bfNonInclusive;
  bool insertMode = true, autoIndent = true, unindents = true;
  int maxScrollV = 1, lock = 0, compound = 0, visibleRows = 1;
  bool recording = false;
  std::string macro, lastMacro;
  std::optional<std::string> clipText;
  std::optional<int> clipFormat;
  std::deque<uint16_t> posted;
  std::vector<Modification> mods;

  struct State {
    int X, Y;
    bool Final = true;
  };

  int Count() const { return static_cast<int>(lines.size()); }
  int Len(int y) const { return y >= 0 && y < Count() ? static_cast<int>(lines[y].size()) : 0; }
  int Pos(int x, int y) const {
    if (y < 0 || y >= Count()) return -1;
    int pos = 0;
    for (int i = 0; i < y; ++i) pos += Len(i) + 2;
    return pos + std::min(x, Len(y));
  }
  void FromPos(int pos, int& x, int& y) const {
    const std::string text = Join(lines);
    x = y = -1;
    if (pos < 0 || pos > static_cast<int>(text.size())) return;
    y = 0;
    int start = 0;
    for (int i = 0; i < pos; ++i) {
      if (text[i] == '\r') {
        ++y;
        start = i + 2;
      }
    }
    x = pos - start;
  }
  void Caret(int x, int y) {
    cy = std::max(std::min(y, Count() - 1), 0);
    cx = std::clamp(x, 0, MaxLineAttr);
  }
  void Put(int y, const std::string& s) { lines[y] = TrimRight(s); }
  void Geometry() { maxScrollV = std::max(Count(), 1); }
  void EndUpdate() {
    if (lock > 0 && --lock == 0) Geometry();
  }
  void ReLine() {
    while (Count() - 1 < cy) lines.emplace_back();
    if (Len(cy) < cx) lines[cy] += Blanks(cx - Len(cy));
  }

  // Selection.
  void SetSel(int x, int y) {
    if (!selected) {
      ax = bx = ex = x;
      ay = by = ey = y;
    } else {
      by = std::min(y, ay);
      ey = std::max(y, ay);
      if (y < ay || (y == ay && x <= ax)) {
        bx = x, ex = ax;
        if (format == bfColumn && ax < x) bx = ax, ex = x;
      }
      if (y > ay || (y == ay && x >= ax)) {
        bx = ax, ex = x;
        if (format == bfColumn && x < ax) bx = x, ex = ax;
      }
    }
    selected = true;
  }
  std::string GetSelText() const {
    if (!selected || by < 0 || by >= Count() || ey < 0 || ey >= Count()) return {};
    const int incl = format == bfInclusive ? 1 : 0;
    std::string text;
    if (format == bfColumn) {
      const int width = ex - bx + 1;
      for (int y = by; y <= ey; ++y) {
        std::string piece = Substr(lines[y], bx, width);
        text += piece + Blanks(width - static_cast<int>(piece.size())) + kBreak;
      }
    } else if (by == ey) {
      text = Substr(lines[by], bx, ex - bx + incl);
    } else {
      text = Substr(lines[by], bx, Len(by));
      for (int y = by + 1; y < ey; ++y) text += kBreak + lines[y];
      text += kBreak + Substr(lines[ey], 0, ex + incl);
    }
    return text;
  }
  void DeleteSelected() {
    if (!selected) return;
    ++lock;
    const std::string text = GetSelText();
    if (by < 0 || by >= Count() || ey < 0 || ey >= Count()) {
      selected = false;  // a selection outside the text removes nothing
    } else if (format == bfColumn) {
      for (int y = by; y <= ey; ++y) {
        std::string line = lines[y];
        if (ex >= bx && bx < static_cast<int>(line.size())) line.erase(bx, ex - bx + 1);
        Put(y, line);
      }
      selected = false;
      mods.emplace_back(Pos(bx, by), 3, text);
      Caret(bx, cy);
    } else {
      const int b = Pos(bx, by);
      const int e = Pos(ex + (format == bfInclusive ? 1 : 0), ey);
      std::string whole = Join(lines);
      whole.erase(b, std::max(e - b, 0));
      selected = false;
      lines = Split(whole);
      mods.emplace_back(b, 1, text);
      int x, y;
      FromPos(b, x, y);
      Caret(x, y);
    }
    EndUpdate();
  }
  void InsertText(const std::string& text) {
    ++lock;
    const int p = Pos(cx, cy);
    std::string whole = Join(lines);
    whole.insert(p, text);
    mods.emplace_back(p, 0, text);
    lines = Split(whole);
    selected = false;  // the whole text was replaced
    mods.emplace_back(0, 0, Join(lines));
    Geometry();
    int x, y;
    FromPos(p + static_cast<int>(text.size()), x, y);
    Caret(x, y);
    EndUpdate();
  }
  void SetSelText(const std::string& text) {
    ++lock;
    DeleteSelected();
    const int start = Pos(cx, cy);  // the new text is selected where it goes in
    InsertText(text);
    int x, y;
    FromPos(start, bx, by);
    Caret(bx, by);
    FromPos(Pos(cx, cy) + static_cast<int>(text.size()), x, y);
    ex = x, ey = y;
    selected = !text.empty();
    Caret(ex, ey);
    EndUpdate();
  }
  void InsertChar(char ch) {
    if (static_cast<unsigned char>(ch) >= 32 && (selected ? std::min(bx, cx) : cx) >= MaxLineAttr)
      return;
    ReLine();
    if (static_cast<unsigned char>(ch) < 32) return;
    DeleteSelected();
    std::string line = lines[cy];
    const size_t at = std::min<size_t>(cx, line.size());
    if (insertMode || at == line.size()) {
      line.insert(at, 1, ch);
    } else {
      line[at] = ch;
    }
    Put(cy, line);
    Caret(cx + 1, cy);
    mods.emplace_back(Pos(cx, cy), 0, std::string(1, ch));
  }
  void CopySelection() {
    clipText = GetSelText();
    clipFormat = format;
  }
  void Paste() {
    if (!clipText) return;
    ++lock;
    const std::string text = *clipText;
    DeleteSelected();
    if (Count() > 0) ReLine();
    format = static_cast<TSelBlockFormat>(clipFormat.value_or(bfNonInclusive));
    int x = cx, y = cy;
    if (format == bfColumn) {
      const Lines pieces = Split(text);
      for (int i = 0; i < static_cast<int>(pieces.size()); ++i) {
        if (cy + i >= Count()) lines.push_back(Blanks(cx));
        std::string line = lines[cy + i];
        if (static_cast<int>(line.size()) < cx) line.resize(cx, ' ');
        line.insert(cx, pieces[i]);
        Put(cy + i, line);
      }
      y = cy + static_cast<int>(pieces.size());
    } else {
      const int p = Count() == 0 ? 0 : Pos(cx, cy);
      std::string whole = Join(lines);
      whole.insert(p, text);
      lines = Split(whole);
      mods.emplace_back(p, 0, text);
      FromPos(p + static_cast<int>(text.size()), x, y);
    }
    Caret(x, y);
    EndUpdate();
  }

  // Tab stops for TabStops "3 5" and SmartTab on.
  static int NextTabStop(int x) { return x < 2 ? 2 : x < 4 ? 4 : x + 2 - (x - 4) % 2; }
  int GetTabStop(int x, int y, bool smart) const {
    if (!smart) return NextTabStop(x);
    std::vector<bool> flags(MaxLineAttr + 1);
    int p = 1;
    for (int i = 1; y - i >= 0; ++i) {
      const std::string l = TrimRight(lines[y - i]);
      const int len = static_cast<int>(l.size());
      if (p < len && len <= MaxLineAttr) flags[len] = true;
      while (p <= len) {
        if (IsIdent(l[p - 1])) {
          flags[p - 1] = true;
          while (p <= len && IsIdent(l[p - 1])) ++p;
        }
        ++p;
      }
      if (p > 255 || i >= 2 * visibleRows) break;
    }
    for (int c = x + 1; c <= MaxLineAttr; ++c) {
      if (flags[c]) return c;
    }
    return NextTabStop(x);
  }
  int GetBackStop(int x, int y) const {
    const std::string s = TrimRight(lines[y]);
    if (!TrimRight(Substr(s, 0, x)).empty()) return x - 1;
    if (x < static_cast<int>(s.size()) && s[x] == ' ') return x - 1;
    int stop = 0, limit = x - 1;
    for (int i = 1; y - i >= 0 && limit > 1 && i < 2 * visibleRows; ++i) {
      const std::string& l = lines[y - i];
      for (int q = 1; q <= std::min<int>(l.size(), limit); ++q) {
        if (l[q - 1] != ' ') {
          stop = std::max(stop, q - 1);
          limit = q;
          break;
        }
      }
    }
    return stop;
  }

  // The command frame and the commands the test drives.
  void Command(uint16_t code) {
    State s{cx, cy};
    if (recording && code != cmdRecordMacro && code != cmdBeginCompound && compound == 0) {
      macro += static_cast<char>(code & 0xFF);
      macro += static_cast<char>(code >> 8);
    }
    Execute(code, s);
    if (s.Final) Caret(s.X, s.Y);
  }
  void Bracketed(std::initializer_list<uint16_t> codes) {
    Command(cmdBeginCompound);
    Command(cmdBeginUpdate);
    for (uint16_t code : codes) Command(code);
    Command(cmdEndUpdate);
    Command(cmdEndCompound);
  }
  void TakeCaret(State& s) { s.X = cx, s.Y = cy; }
  void Execute(uint16_t code, State& s) {
    if (code < 256) {
      InsertChar(static_cast<char>(code));
      return TakeCaret(s);
    }
    switch (code) {
      case cmdBlockInclusive:
      case cmdBlockLine:
      case cmdBlockColumn:
      case cmdBlockNonInclusive:
        format = static_cast<TSelBlockFormat>(code - cmdBlockInclusive);
        break;
      case cmdToggleInsertMode:
        insertMode = !insertMode;
        break;
      case cmdBeginCompound:
        ++compound;
        break;
      case cmdEndCompound:
        --compound;
        break;
      case cmdBeginUpdate:
        ++lock;
        break;
      case cmdEndUpdate:
        EndUpdate();
        break;
      case cmdRecordMacro:
        if (recording) lastMacro = macro;
        if (!recording) macro.clear();
        recording = !recording;
        break;
      case cmdPlayMacro: {
        ++lock, ++compound;
        const std::string m = std::exchange(lastMacro, std::string());
        for (size_t i = 0; i + 1 < m.size(); i += 2) {
          Command(static_cast<uint8_t>(m[i]) | static_cast<uint8_t>(m[i + 1]) << 8);
        }
        lastMacro = m;
        --compound;
        EndUpdate();
        s.Final = false;
        break;
      }
      case cmdReturn:
        return Return(s);
      case cmdBackspace:
        return Backspace(s);
      case cmdDelete:
        return Delete(s);
      case cmdTab:
      case cmdBackTab:
        return Tab(code, s);
      case cmdBlockIndent:
      case cmdBlockUnindent:
        return BlockIndent(code == cmdBlockIndent);
      case cmdDeleteSelection:
        if (selected) DeleteSelected(), TakeCaret(s);
        break;
      case cmdCopy:
        CopySelection();
        break;
      case cmdCut:
        CopySelection(), DeleteSelected(), TakeCaret(s);
        break;
      case cmdPaste:
        Paste(), TakeCaret(s);
        break;
      case cmdDeleteLine:
        Bracketed({cmdLineStart, cmdSelectLineEnd, cmdDelete, cmdDelete});
        s.Final = false;
        break;
      case cmdDeleteWord:
        Bracketed({cmdSelectWord, cmdDeleteSelection});
        s.Final = false;
        break;
      case cmdUpperCase:
      case cmdLowerCase:
      case cmdToggleCase:
        return ChangeCase(code);
      case cmdSelectAll:
        Bracketed({cmdDocumentStart, cmdSelectDocumentEnd});
        s.Final = false;
        break;
      case cmdSelectWord:
        return SelectWord(s);
      default:
        return Move(code, s);
    }
  }
  void SelectTo(int x, int y) { SetSel(std::clamp(x, 0, MaxLineAttr), std::max(y, 0)); }
  void Move(uint16_t code, State& s) {
    const bool sel = code == cmdSelectLeft || code == cmdSelectRight || code == cmdSelectUp ||
                     code == cmdSelectDown || code == cmdSelectWordLeft ||
                     code == cmdSelectWordRight || code == cmdSelectLineStart ||
                     code == cmdSelectLineEnd || code == cmdSelectDocumentStart ||
                     code == cmdSelectDocumentEnd;
    if ((code == cmdCaretDown || code == cmdSelectDown) && s.Y >= maxScrollV - 1) return;
    if (sel && !selected) SelectTo(cx, cy);
    const int count = Count();
    switch (code) {
      case cmdCaretLeft:
      case cmdSelectLeft:
        --s.X;
        break;
      case cmdCaretRight:
      case cmdSelectRight:
        ++s.X;
        break;
      case cmdCaretUp:
      case cmdSelectUp:
        --s.Y;
        break;
      case cmdCaretDown:
      case cmdSelectDown:
        ++s.Y;
        break;
      case cmdLineStart:
      case cmdSelectLineStart:
        s.X = 0;
        break;
      case cmdLineEnd:
      case cmdSelectLineEnd:
        s.X = Len(s.Y);
        break;
      case cmdDocumentStart:
      case cmdSelectDocumentStart:
        s.X = s.Y = 0;
        break;
      case cmdDocumentEnd:
      case cmdSelectDocumentEnd:
        s.Y = std::max(count - 1, 0);
        s.X = Len(s.Y);
        break;
      case cmdWordLeft:
      case cmdSelectWordLeft:
        if (count == 0) return;
        s.X = WordLeft(lines[s.Y], s.X);
        break;
      case cmdWordRight:
      case cmdSelectWordRight:
        if (count == 0) return;
        if (s.X < Len(s.Y)) {
          s.X = WordRight(lines[s.Y], s.X);
        } else {
          if (s.Y == count - 1) return;
          ++s.Y, s.X = 0;
        }
        break;
      default:
        return;
    }
    if (sel) {
      SelectTo(s.X, s.Y);
    } else {
      selected = false;
    }
  }
  static int WordLeft(const std::string& line, int x) {
    if (x > static_cast<int>(line.size())) return static_cast<int>(line.size());
    int i = x - 1;
    while (i >= 0 && IsSeparator(line[i])) --i;
    while (i >= 0 && !IsSeparator(line[i])) --i;
    return i >= 0 && i + 1 < x ? i + 1 : 0;
  }
  static int WordRight(const std::string& line, int x) {
    const int len = static_cast<int>(line.size());
    int i = x;
    while (i < len && !IsSeparator(line[i])) ++i;
    while (i < len && IsSeparator(line[i])) ++i;
    return i;
  }
  void SelectWord(State& s) {
    if (selected || s.Y >= Count()) return;
    const std::string line = lines[s.Y] + ' ';
    const int pos = s.X + 1, len = static_cast<int>(line.size());
    if (pos > len) return;
    int beg = pos;
    if (pos > 1 && IsSeparator(line[pos - 1])) beg = IsSeparator(line[pos - 2]) ? pos + 1 : pos - 1;
    if (beg > len) beg = pos - 1;
    while (beg >= 1 && !IsSeparator(line[beg - 1])) --beg;
    ++beg;
    int end = pos;
    while (end <= len && !IsSeparator(line[end - 1])) ++end;
    SelectTo(beg - 1, s.Y);
    SelectTo(end - 1, s.Y);
    s.X = end - 1;
  }
  void Return(State& s) {
    DeleteSelected();
    s.X = cx, s.Y = cy;
    if (Count() == 0) lines.emplace_back();
    const int offset = Pos(cx, cy) - 1;
    const std::string line = lines[s.Y];
    const size_t cut = std::min<size_t>(s.X, line.size());
    lines.insert(lines.begin() + s.Y + 1, line.substr(cut));
    Put(s.Y, line.substr(0, cut));
    ++s.Y;
    const std::string& before = lines[cy];
    const bool blank = before.find_first_not_of(' ') == std::string::npos;
    const bool indent = autoIndent && ((!before.empty() && before[0] == ' ') || (blank && s.X > 0));
    s.X = indent ? GetTabStop(0, s.Y, true) : 0;
    if (s.X > 0) Put(s.Y, Blanks(s.X) + lines[s.Y]);
    Geometry();
    mods.emplace_back(offset, 0, kBreak);
  }
  void Backspace(State& s) {
    if (selected) return DeleteSelected(), TakeCaret(s);
    if (cx == 0 && cy == 0) return;
    ReLine();
    if (cx > 0) {
      int n = unindents ? GetBackStop(cx, cy) : cx - 1;
      const std::string deleted = lines[cy].substr(n, cx - n);
      const int offset = Pos(cx, cy) - 1;
      Put(cy, lines[cy].substr(0, n) + lines[cy].substr(cx));
      mods.emplace_back(offset, 1, deleted);
      s.X = n;
      return;
    }
    const int offset = Pos(cx, cy) - 2;
    s.X = Len(cy - 1);
    Put(cy - 1, lines[cy - 1] + lines[cy]);
    lines.erase(lines.begin() + cy);
    s.Y = cy - 1;
    Geometry();
    mods.emplace_back(offset, 1, kBreak);
  }
  void Delete(State& s) {
    if (Count() == 0) {
      if (!selected) return;
      lines.emplace_back();
    }
    if (selected) return DeleteSelected(), TakeCaret(s);
    const int offset = Pos(cx, cy);
    if (Len(cy) > cx && cx >= MaxLineAttr) return;
    if (Len(cy) > cx) {
      mods.emplace_back(offset, 1, lines[cy].substr(cx, 1));
      Put(cy, lines[cy].substr(0, cx) + lines[cy].substr(cx + 1));
    } else if (cy + 1 < Count()) {
      s.X = Len(cy);
      Put(cy, lines[cy] + lines[cy + 1]);
      lines.erase(lines.begin() + cy + 1);
      Geometry();
      mods.emplace_back(offset, 1, kBreak);
    }
  }
  void Tab(uint16_t code, State& s) {
    if (selected) return posted.push_back(code == cmdTab ? cmdBlockIndent : cmdBlockUnindent);
    ReLine();
    s.X = GetTabStop(cx, cy, code == cmdTab);
    if (code != cmdTab || !insertMode || s.X <= cx) return;
    const std::string blanks = Blanks(s.X - cx);
    Put(cy, lines[cy].substr(0, cx) + blanks + lines[cy].substr(cx));
    mods.emplace_back(Pos(cx, cy), 0, blanks);
  }
  void BlockIndent(bool indent) {
    if (!selected || by == ey || bx != 0 || ex != 0) return;
    const int width = std::max(NextTabStop(1) - cx, 0);
    const std::string blanks = Blanks(width);
    std::string text = GetSelText();
    if (indent) {
      text = ReplaceAll(text, kBreak, kBreak + blanks);
      if (text.ends_with(kBreak + blanks)) text.resize(text.size() - width);
      text = blanks + text;
    } else {
      text = ReplaceAll(text, kBreak + blanks, kBreak);
      int spaces = 0;
      while (spaces < width && spaces < static_cast<int>(text.size()) && text[spaces] == ' ')
        ++spaces;
      text.erase(0, spaces);
    }
    SetSelText(text);
  }
  static void ChangeCase(uint16_t code, std::string& text) {
    for (char& c : text) {
      const bool upper = std::toupper(static_cast<unsigned char>(c)) == c;
      const bool toUpper = code == cmdUpperCase || (code == cmdToggleCase && !upper);
      c = static_cast<char>(toUpper ? std::toupper(static_cast<unsigned char>(c))
                                    : std::tolower(static_cast<unsigned char>(c)));
    }
  }
  void ChangeCase(uint16_t code) {
    std::string text = GetSelText();
    if (text.empty()) return;
    if (format == bfColumn) return ChangeColumnCase(code, text);
    ChangeCase(code, text);
    SetSelText(text);
  }
  // In place, column by column: the lines keep their shape.
  void ChangeColumnCase(uint16_t code, const std::string& oldBlock) {
    if (ex < bx) return;
    const Lines before = lines;
    for (int y = by; y <= ey; ++y) {
      if (bx >= Len(y)) continue;
      std::string piece = lines[y].substr(bx, ex - bx + 1);
      ChangeCase(code, piece);
      lines[y].replace(bx, piece.size(), piece);
    }
    if (lines == before) return;
    mods.emplace_back(Pos(bx, by), 3, oldBlock);
    mods.emplace_back(Pos(bx, by), 0, GetSelText());
  }
};

// ---- the random driver ----

class RandomCommands {
 public:
  explicit RandomCommands(unsigned seed) : FRng(seed) {}

  std::string Document() {
    static const char* const kPieces[] = {"ab", "Cd", " ", "  ", ",", "x1", "foo", "(", "Z"};
    std::string text;
    for (int n = Int(1, 4); n > 0; --n) {
      std::string line = Int(0, 2) == 0 ? "  " : "";
      for (int k = Int(0, 5); k > 0; --k) line += kPieces[Int(0, 8)];
      // Now and then a line keeps a trailing blank, as a loaded file may.
      text += (Int(0, 3) == 0 ? line + " " : TrimRight(line)) + kBreak;
    }
    return text;
  }

  // A command, or -1 to put a text on the clipboard from outside.
  int Next() {
    // clang-format off
    static const uint16_t kMoves[] = {
        cmdCaretLeft, cmdCaretRight, cmdCaretUp, cmdCaretDown, cmdSelectLeft, cmdSelectRight,
        cmdSelectUp, cmdSelectDown, cmdWordLeft, cmdWordRight, cmdSelectWordLeft,
        cmdSelectWordRight, cmdLineStart, cmdLineEnd, cmdSelectLineStart, cmdSelectLineEnd,
        cmdDocumentStart, cmdDocumentEnd, cmdSelectDocumentStart, cmdSelectDocumentEnd,
        cmdSelectAll, cmdSelectWord};
    static const uint16_t kEdits[] = {cmdReturn, cmdBackspace, cmdDelete, cmdTab, cmdBackTab,
                                      cmdReturn, cmdBackspace, cmdDelete};
    static const uint16_t kOthers[] = {
        cmdBlockInclusive, cmdBlockLine, cmdBlockColumn, cmdBlockNonInclusive, cmdCopy, cmdCut,
        cmdPaste, cmdUpperCase, cmdLowerCase, cmdToggleCase, cmdDeleteLine, cmdDeleteWord,
        cmdDeleteSelection, cmdToggleInsertMode, cmdRecordMacro, cmdPlayMacro, cmdBlockIndent,
        cmdBlockUnindent, cmdPaste, cmdBlockColumn};
    // clang-format on
    static const char kTyped[] = "aZ ,x( \x01";
    const int kind = Int(0, 99);
    if (kind < 25) return static_cast<unsigned char>(kTyped[Int(0, 7)]);
    if (kind < 45) return kEdits[Int(0, 7)];
    if (kind < 80) return kMoves[Int(0, 21)];
    if (kind < 83) return -1;
    return kOthers[Int(0, 19)];
  }

  std::string ClipText() {
    static const char* const kTexts[] = {"q", "r s", "t\r\nu", "vw\r\n", "  y\r\nz\r\n"};
    return kTexts[Int(0, 4)];
  }
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(FRng); }

 private:
  std::mt19937 FRng;
};

std::string Describe(const std::vector<int>& history) {
  std::ostringstream out;
  for (int code : history) out << code << ' ';
  return out.str();
}

void RunSequence(unsigned seed, int steps) {
  RandomCommands random(seed);
  EditorHarness<RecordingEditor> h;
  RecordingEditor& ed = *h.editor;
  Model m;
  m.autoIndent = random.Int(0, 3) != 0;
  m.unindents = random.Int(0, 3) != 0;
  ed.SetAutoIndent(m.autoIndent);
  ed.SetBackSpaceUnindents(m.unindents);
  const std::string original = random.Document();
  h.SetText(original);
  m.lines = Split(original);
  m.Geometry();
  m.visibleRows = ed.VisibleRowCount();
  ed.Modifications.clear();
  std::vector<int> history;
  for (int step = 0; step < steps; ++step) {
    const int code = random.Next();
    history.push_back(code);
    if (code < 0) {
      const std::string text = random.ClipText();
      const bool column = random.Int(0, 1) == 1;
      h.host.Clip.SetText(text);
      if (column) h.host.Clip.AddFormat(TRACustomEditor::BlockTypeFormatName(), "\x02");
      m.clipText = text;
      m.clipFormat = column ? std::optional<int>(bfColumn) : std::nullopt;
      continue;
    }
    ed.Command(static_cast<uint16_t>(code));
    m.Command(static_cast<uint16_t>(code));
    h.host.RunPosted([&](uint16_t posted) { ed.Command(posted); });
    while (!m.posted.empty()) {
      const uint16_t posted = m.posted.front();
      m.posted.pop_front();
      m.Command(posted);
    }
    const std::string where =
        "seed " + std::to_string(seed) + " step " + std::to_string(step) + ": " + Describe(history);
    ASSERT_EQ(h.Text(), Join(m.lines)) << where;
    ASSERT_EQ(ed.CaretX(), m.cx) << where;
    ASSERT_EQ(ed.CaretY(), m.cy) << where;
    ASSERT_EQ(ed.Selected(), m.selected) << where;
    ASSERT_EQ(ed.Modifications, m.mods) << where;
    ed.Modifications.clear();
    m.mods.clear();
  }
  for (int guard = 0; ed.UndoBuffer()->CanUndo() && guard < 100000; ++guard) {
    ed.UndoBuffer()->Undo();
  }
  EXPECT_FALSE(ed.UndoBuffer()->CanUndo());
  EXPECT_EQ(h.Text(), original) << "seed " << seed << ": " << Describe(history);
}

TEST(RandomModel, CommandSequencesMatchTheModelAndUndoToTheOriginal) {
  for (unsigned seed = 1; seed <= 1000; ++seed) {
    RunSequence(seed, 120);
    if (HasFatalFailure() || HasFailure()) return;
  }
}

}  // namespace
