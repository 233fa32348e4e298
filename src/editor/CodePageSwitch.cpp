#include "editor/CodePageSwitch.h"

#include <algorithm>
#include <functional>
#include <set>
#include <string_view>

#include "editor/EditorStrings.h"
#include "editor/RAEditor.h"
#include "editor/UndoBuffer.h"
#include "util/Utf8.h"

namespace codepageswitch {
namespace {

using codepage::TCodePageCodec;

// Calls Visit for every byte text an undo record puts back into the document. An
// insertion's own text is not among them: undoing it removes as many bytes as it put,
// and a double-byte character typed is recorded one byte at a time, halves that read as
// no character (or another one) on their own.
void ForEachUndoText(const TUndoBuffer& buffer, const std::function<void(std::string&)>& visit) {
  for (int i = 0; i < buffer.Count(); ++i) {
    TUndo* record = buffer.Item(i);
    if (auto* deleted = dynamic_cast<TDeleteUndo*>(record)) {
      visit(deleted->Text);
      if (auto* selected = dynamic_cast<TDeleteSelectedUndo*>(record);
          selected && selected->OldLines) {
        for (std::string& line : *selected->OldLines) visit(line);
      }
    } else if (auto* column = dynamic_cast<TInsertColumnUndo*>(record)) {
      for (std::string& line : column->OldLines) visit(line);
    } else if (auto* overwrite = dynamic_cast<TOverwriteUndo*>(record)) {
      visit(overwrite->OldText);
    } else if (auto* replace = dynamic_cast<TReplaceUndo*>(record)) {
      visit(replace->OldText);
    }
  }
}

// Calls Visit for every character beyond ASCII of Text (bytes of Codec's code page) with
// its length; a byte that is no character is visited as character 0.
void ForEachChar(std::string_view text, const TCodePageCodec& codec,
                 const std::function<void(char32_t, size_t)>& visit) {
  for (size_t i = utf8::FindNonAscii(text, 0); i < text.size(); i = utf8::FindNonAscii(text, i)) {
    char32_t c = 0;
    const size_t length = std::max<size_t>(codec.CharAt(text, i, c), 1);
    visit(c, length);
    i += length;
  }
}

// Text (bytes of From) in To's bytes.
std::string Recoded(std::string_view text, const TCodePageCodec& from, const TCodePageCodec& to) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t next = utf8::FindNonAscii(text, i);
    out.append(text.substr(i, next - i));
    if (next == text.size()) break;
    char32_t c = 0;
    const size_t length = std::max<size_t>(from.CharAt(text, next, c), 1);
    if (c == 0 || !to.Encode(c, out)) out.append(text.substr(next, length));
    i = next + length;
  }
  return out;
}

bool HasNonAscii(std::string_view s) {
  return utf8::FindNonAscii(s, 0) < s.size();
}

}  // namespace

std::optional<TCodePage> FirstHoldingWith(const TRACustomEditor& editor, TCodePage from,
                                          std::u32string_view added) {
  const TCodePageCodec& codec = TCodePageCodec::Of(from);
  std::set<std::pair<char32_t, size_t>> chars;
  bool unreadable = false;
  const auto note = [&](char32_t c, size_t length) {
    unreadable = unreadable || c == 0;
    chars.emplace(c, length);
  };
  const TEditorStrings& lines = editor.Lines();
  for (int y = 0; y < lines.Count(); ++y) ForEachChar(lines.View(y), codec, note);
  ForEachUndoText(*editor.UndoBuffer(), [&](std::string& s) { ForEachChar(s, codec, note); });
  if (unreadable) return std::nullopt;
  for (const TCodePage page : codepage::kCodePages) {
    const TCodePageCodec& to = TCodePageCodec::Of(page);
    if (!std::all_of(added.begin(), added.end(), [&](char32_t c) { return to.Holds(c); })) continue;
    bool same = true;
    for (const auto& [c, length] : chars) {
      char bytes[2];
      if (to.EncodeTo(c, bytes) != length) {
        same = false;
        break;
      }
    }
    if (same) return page;
  }
  return std::nullopt;
}

void Switch(TRACustomEditor& editor, TCodePage from, TCodePage to) {
  const TCodePageCodec& fromCodec = TCodePageCodec::Of(from);
  const TCodePageCodec& toCodec = TCodePageCodec::Of(to);
  const auto update = editor.UpdateLocked();
  TEditorStrings& lines = editor.Lines();
  for (int y = 0; y < lines.Count(); ++y) {
    const std::string_view line = lines.View(y);
    if (HasNonAscii(line)) lines.PlainPut(y, Recoded(line, fromCodec, toCodec));
  }
  ForEachUndoText(*editor.UndoBuffer(), [&](std::string& s) {
    if (HasNonAscii(s)) s = Recoded(s, fromCodec, toCodec);
  });
  // Released, the update lock repaints the whole view.
}

}  // namespace codepageswitch
