#include "app/KeyReference.h"

#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "app/ShortcutTable.h"
#include "editor/Keyboard.h"

namespace {

struct CommandText {
  TEditCommand Command;
  std::string Text;
};

struct Section {
  const char* Title;
  std::vector<CommandText> Commands;
};

std::vector<CommandText> Bookmarks(TEditCommand first, const std::string& verb) {
  std::vector<CommandText> texts;
  for (int d = 0; d <= 9; ++d) {
    texts.push_back(
        {static_cast<TEditCommand>(first + d), verb + " bookmark " + std::to_string(d)});
  }
  return texts;
}

// What each bound command does, in the order the list shows them.
std::vector<Section> Sections() {
  return {
      {"Moving the caret",
       {{cmdCaretLeft, "One column left"},
        {cmdCaretRight, "One column right"},
        {cmdCaretUp, "One line up"},
        {cmdCaretDown, "One line down"},
        {cmdWordLeft, "To the start of the previous word"},
        {cmdWordRight, "To the start of the next word"},
        {cmdLineStart, "To the start of the line"},
        {cmdLineEnd, "After the last character of the line"},
        {cmdPageUp, "One page up, scrolling the view"},
        {cmdPageDown, "One page down, scrolling the view"},
        {cmdWindowTop, "To the first line in view"},
        {cmdWindowBottom, "To the last line in view"},
        {cmdDocumentStart, "To the start of the script"},
        {cmdDocumentEnd, "After the last character of the script"},
        {cmdScrollLineUp, "Scrolls the view one line up, keeping the caret in view"},
        {cmdScrollLineDown, "Scrolls the view one line down, keeping the caret in view"}}},
      {"Selecting",
       {{cmdSelectLeft, "Extends the selection one column left"},
        {cmdSelectRight, "Extends the selection one column right"},
        {cmdSelectUp, "Extends the selection one line up"},
        {cmdSelectDown, "Extends the selection one line down"},
        {cmdSelectWordLeft, "Extends the selection to the start of the previous word"},
        {cmdSelectWordRight, "Extends the selection to the start of the next word"},
        {cmdSelectLineStart, "Extends the selection to the start of the line"},
        {cmdSelectLineEnd, "Extends the selection to the end of the line"},
        {cmdSelectPageUp, "Extends the selection one page up"},
        {cmdSelectPageDown, "Extends the selection one page down"},
        {cmdSelectDocumentStart, "Extends the selection to the start of the script"},
        {cmdSelectDocumentEnd, "Extends the selection to the end of the script"},
        {cmdSelectWord, "Selects the word at the caret"},
        {cmdSelectAll, "Selects the whole script"},
        {cmdBlockNonInclusive, "Stream selection that ends before the caret's character"},
        {cmdBlockInclusive, "Stream selection that takes in the caret's character"},
        {cmdBlockColumn, "Column selection: a rectangle of columns and lines"}}},
      {"Editing",
       {{cmdReturn, "Breaks the line at the caret, indenting the new line like the one above"},
        {cmdBackspace, "Deletes the character before the caret, or the selection"},
        {cmdDelete, "Deletes the character at the caret, or the selection"},
        {cmdDeleteSelection, "Deletes the selection"},
        {cmdDeleteWord, "Deletes the word at the caret"},
        {cmdDeleteLine, "Deletes the caret's line"},
        {cmdTab, "Moves to the next tab stop, or indents the selected lines"},
        {cmdBackTab, "Moves back to the previous tab stop, or unindents the selected lines"},
        {cmdBlockIndent, "Indents the selected lines"},
        {cmdBlockUnindent, "Unindents the selected lines"},
        {cmdToggleInsertMode, "Switches between inserting and overwriting"},
        {cmdUpperCase, "Selection to upper case"},
        {cmdLowerCase, "Selection to lower case"},
        {cmdToggleCase, "Inverts the case of each selected letter"},
        {cmdUndo, "Undoes the last change"}}},
      {"Clipboard",
       {{cmdCut, "Cuts the selection to the clipboard"},
        {cmdCopy, "Copies the selection to the clipboard"},
        {cmdPaste, "Pastes the clipboard at the caret"}}},
      {"Setting bookmarks (again on the same line clears it)", Bookmarks(cmdSetBookmark0, "Sets")},
      {"Going to bookmarks", Bookmarks(cmdGotoBookmark0, "Goes to")},
      {"Macros and completion",
       {{cmdRecordMacro, "Starts recording the keys you press; again stops recording"},
        {cmdPlayMacro, "Plays the recorded keys back as one undo step"},
        {cmdCompleteIdentifier, "Identifier completion (the application offers none)"},
        {cmdCompleteTemplate, "Template completion (the application offers none)"}}},
  };
}

std::string KeyName(uint16_t key) {
  static const std::map<uint16_t, std::string> kNames = {
      {VK_LEFT, "Left"},     {VK_RIGHT, "Right"},   {VK_UP, "Up"},        {VK_DOWN, "Down"},
      {VK_HOME, "Home"},     {VK_END, "End"},       {VK_PRIOR, "PageUp"}, {VK_NEXT, "PageDown"},
      {VK_INSERT, "Insert"}, {VK_DELETE, "Delete"}, {VK_RETURN, "Enter"}, {VK_BACK, "Backspace"},
      {VK_TAB, "Tab"},       {VK_SPACE, "Space"},   {kVkF1, "F1"},        {kVkF3, "F3"},
      {kVkF4, "F4"},         {kVkF8, "F8"},         {kVkF12, "F12"},
  };
  const auto it = kNames.find(key);
  if (it != kNames.end()) return it->second;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    return std::string(1, static_cast<char>(key));
  }
  throw std::runtime_error("no name for key code " + std::to_string(key));
}

std::string KeyName(uint16_t key, TShiftState shift) {
  std::string name;
  if (shift & ssCtrl) name += "Ctrl+";
  if (shift & ssAlt) name += "Alt+";
  if (shift & ssShift) name += "Shift+";
  return name + KeyName(key);
}

std::string BindingName(const TEditKey& k) {
  std::string name = KeyName(k.Key1, k.Shift1);
  if (k.Key2 != 0) name += ", " + KeyName(k.Key2, k.Shift2);
  return name;
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
  std::string out;
  for (const std::string& part : parts) {
    if (!out.empty()) out += separator;
    out += part;
  }
  return out;
}

const char* kIntro =
    "# Default keys\n"
    "\n"
    "Every key binding of the editor's default key map, generated from the key map by\n"
    "`tools/keys_doc.cpp` (`make keys` writes this file; a test checks that it is current).\n"
    "\n"
    "A binding with a comma is a chord of two keys: `Ctrl+K, 5` means press Ctrl+K, let go,\n"
    "then press 5. After the first key of a chord the editor waits for the second; a second\n"
    "key that completes no chord does nothing and types nothing. The modifiers count as a\n"
    "whole: `Ctrl+Alt+K` is not `Ctrl+K`.\n"
    "\n"
    "The menu shortcuts of the main window and of the document window are taken before the\n"
    "editor sees a key, also while their menu entry is disabled. A binding that uses one of\n"
    "them, alone or as either key of a chord, does not reach the editor in the application;\n"
    "the last column names the menu command that has the key instead.\n";

// Keys of the windows that are no menu shortcut, and the zoom keys.
const char* kOtherWindowKeys =
    "| `Ctrl++` or `Ctrl+=` | View > Zoom In: a larger font |\n"
    "| `Ctrl+-` | View > Zoom Out: a smaller font |\n"
    "| `Ctrl+Alt+0` | View > Normal Size: the designed font size |\n"
    "| `Ctrl` with the mouse wheel | Zooms in (wheel away from you) or out (towards you) |\n"
    "| `Alt+F`, then `1` to `8` | Opens one of the recent files listed in the File menu |\n"
    "| `Alt+W`, then a digit | Brings that open document to the front (Window menu) |\n"
    "| `Enter` or a double click in the Problems or Labels panel | Goes to that row's place |\n"
    "| `Escape` in the Problems or Labels panel | Back to the document |\n";

// The keys of kOtherWindowKeys that a binding could use: Ctrl with =/+ and - (main row
// and keypad) and Ctrl+Alt+0. A binding that takes one of them fails the document.
void CheckWindowOnlyKeysFree(const TKeyboard& keyboard) {
  struct ZoomKey {
    uint16_t Key;
    TShiftState Shift;
    const char* Command;
  };
  const ZoomKey zoomKeys[] = {{0xBB, ssCtrl, "="}, {0xBB, ssCtrl | ssShift, "+"},
                              {0x6B, ssCtrl, "+"}, {0xBD, ssCtrl, "-"},
                              {0x6D, ssCtrl, "-"}, {'0', ssCtrl | ssAlt, "Alt+0"}};
  for (const auto& k : keyboard.Keys()) {
    for (const ZoomKey& zoom : zoomKeys) {
      if ((k->Key1 == zoom.Key && k->Shift1 == zoom.Shift) ||
          (k->Key2 == zoom.Key && k->Shift2 == zoom.Shift))
        throw std::runtime_error(std::string("the key map binds the zoom key Ctrl+") +
                                 zoom.Command);
    }
  }
}

// Where a window of Shortcuts takes a key of Binding first: its note for the table, else
// empty.
std::string TakenBy(const std::vector<TWindowShortcut>& shortcuts, const TEditKey& k) {
  const TWindowShortcut* first = FindWindowShortcut(shortcuts, k.Key1, k.Shift1);
  const TWindowShortcut* second =
      k.Key2 != 0 ? FindWindowShortcut(shortcuts, k.Key2, k.Shift2) : nullptr;
  const TWindowShortcut* taken = first != nullptr ? first : second;
  if (taken == nullptr) return {};
  const std::string binding = "`" + BindingName(k) + "`";
  if (k.Key2 == 0) return binding + " runs " + taken->Command;
  return binding + " does not work: " + KeyName(taken->Key, taken->Shift) + " runs " +
         taken->Command;
}

// The shortcuts of the Desktop scheme that the classic one does not have.
std::vector<TWindowShortcut> DesktopOnly() {
  std::vector<TWindowShortcut> keys;
  for (const TWindowShortcut& s : WindowShortcuts(TKeyScheme::Desktop)) {
    if (s.Kind == TWindowShortcut::TKind::Desktop) keys.push_back(s);
  }
  return keys;
}

// What the windows make of Binding: in the classic scheme, else in the Desktop one.
std::string ApplicationNote(const TEditKey& k) {
  const std::string classic = TakenBy(WindowShortcuts(TKeyScheme::Classic), k);
  if (!classic.empty()) return classic;
  const std::string desktop = TakenBy(DesktopOnly(), k);
  return desktop.empty() ? desktop : "with the Desktop keys, " + desktop;
}

// The rows of the menu shortcuts that no binding of the key map has alone, the keys of
// one command together.
std::string WindowOnlyRows() {
  std::vector<std::string> commands;
  std::map<std::string, std::vector<std::string>> keys;
  for (const TWindowShortcut& s : WindowShortcuts(TKeyScheme::Classic)) {
    if (s.Kind != TWindowShortcut::TKind::Added && s.Kind != TWindowShortcut::TKind::Reserved)
      continue;
    if (keys.find(s.Command) == keys.end()) commands.push_back(s.Command);
    keys[s.Command].push_back("`" + KeyName(s.Key, s.Shift) + "`");
  }
  std::string rows;
  for (const std::string& command : commands) {
    rows += "| " + Join(keys[command], " or ") + " | " + command + " |\n";
  }
  return rows;
}

// The Desktop scheme's keys, each with the bindings of the key map it takes over.
std::string DesktopSection(const TKeyboard& keyboard,
                           const std::map<TEditCommand, std::string>& texts) {
  std::string out =
      "\n## The Desktop key scheme\n"
      "\n"
      "Edit > Preferences... chooses the key scheme. *Classic*, the default, is what the lists\n"
      "above show. *Desktop* also gives two keys that people coming from other editors expect\n"
      "to the menus; the bindings of the key map that use them no longer reach the editor:\n"
      "\n"
      "| Keys | What it does | Bindings of the key map it takes |\n"
      "|---|---|---|\n";
  for (const TWindowShortcut& s : DesktopOnly()) {
    std::vector<std::string> taken;
    for (const auto& k : keyboard.Keys()) {
      const bool uses = (k->Key1 == s.Key && k->Shift1 == s.Shift) ||
                        (k->Key2 != 0 && k->Key2 == s.Key && k->Shift2 == s.Shift);
      if (!uses) continue;
      const auto text = texts.find(k->Command);
      taken.push_back("`" + BindingName(*k) + "` (" +
                      (text != texts.end() ? text->second : std::string("?")) + ")");
    }
    out +=
        "| `" + KeyName(s.Key, s.Shift) + "` | " + s.Command + " | " + Join(taken, "; ") + " |\n";
  }
  return out;
}

}  // namespace

std::string KeyReference() {
  TKeyboard keyboard;
  keyboard.SetDefaultLayout();
  CheckWindowOnlyKeysFree(keyboard);
  std::map<TEditCommand, std::vector<const TEditKey*>> byCommand;
  for (const auto& k : keyboard.Keys()) byCommand[k->Command].push_back(k.get());
  std::map<TEditCommand, std::string> texts;

  std::ostringstream out;
  out << kIntro;
  size_t listed = 0;
  for (const Section& section : Sections()) {
    out << "\n## " << section.Title << "\n\n"
        << "| Keys | What it does | In the application |\n"
        << "|---|---|---|\n";
    for (const CommandText& c : section.Commands) {
      std::vector<std::string> keys, taken;
      for (const TEditKey* k : byCommand[c.Command]) {
        keys.push_back("`" + BindingName(*k) + "`");
        const std::string note = ApplicationNote(*k);
        if (!note.empty()) taken.push_back(note);
      }
      if (keys.empty()) throw std::runtime_error("no key for " + c.Text);
      listed += keys.size();
      byCommand.erase(c.Command);
      texts[c.Command] = c.Text;
      out << "| " << Join(keys, " or ") << " | " << c.Text << " | " << Join(taken, "; ") << " |\n";
    }
  }
  if (!byCommand.empty()) {
    throw std::runtime_error("no description for command " +
                             std::to_string(byCommand.begin()->first));
  }
  out << "\n" << listed << " bindings: " << keyboard.Keys().size() << " in the key map.\n";
  out << "\n## Keys of the windows alone\n"
         "\n"
         "These keys belong to the menus of the application; the key map binds none of them\n"
         "alone (a chord's key that one of them takes is named in the lists above).\n"
         "\n"
         "| Keys | What it does |\n"
         "|---|---|\n"
      << WindowOnlyRows() << kOtherWindowKeys;
  out << DesktopSection(keyboard, texts);
  return out.str();
}
