// Writes docs/keys.md, the user's list of the editor's default keys, from the key map
// itself: every binding of TKeyboard::SetDefaultLayout, grouped by what it does, with the
// keys the application's windows take before the editor sees them.
//   keys_doc             prints the list
//   keys_doc --check F   fails when F is not what it prints
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

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

// A key of the windows: the main window's and the document window's menu shortcuts.
struct WindowKey {
  uint16_t Key;
  TShiftState Shift;
  std::string Command;
};

constexpr uint16_t VK_F3 = 0x72;

std::vector<WindowKey> WindowKeys() {
  std::vector<WindowKey> keys = {
      {'O', ssCtrl, "File > Open..."},
      {'P', ssCtrl, "File > Print..."},
      {'X', ssCtrl, "Edit > Cut"},
      {'C', ssCtrl, "Edit > Copy"},
      {'V', ssCtrl, "Edit > Paste"},
      {'Z', ssCtrl, "Edit > Undo"},
      {'F', ssCtrl, "Search > Find..."},
      {VK_F3, 0, "Search > Find Next"},
      {'G', ssCtrl, "Search > Go To..."},
      {'F', ssCtrl | ssShift, "Search > Find in Open Scripts..."},
  };
  for (int d = 0; d <= 9; ++d) {
    const auto digit = static_cast<uint16_t>('0' + d);
    keys.push_back({digit, ssCtrl, "Search > Goto Bookmark " + std::to_string(d)});
    keys.push_back({digit, ssCtrl | ssShift, "Search > Toggle Bookmark " + std::to_string(d)});
  }
  return keys;
}

const WindowKey* WindowKeyOf(const std::vector<WindowKey>& keys, uint16_t key, TShiftState shift) {
  for (const WindowKey& k : keys) {
    if (k.Key == key && k.Shift == shift) return &k;
  }
  return nullptr;
}

std::string KeyName(uint16_t key) {
  static const std::map<uint16_t, std::string> kNames = {
      {VK_LEFT, "Left"},     {VK_RIGHT, "Right"},   {VK_UP, "Up"},        {VK_DOWN, "Down"},
      {VK_HOME, "Home"},     {VK_END, "End"},       {VK_PRIOR, "PageUp"}, {VK_NEXT, "PageDown"},
      {VK_INSERT, "Insert"}, {VK_DELETE, "Delete"}, {VK_RETURN, "Enter"}, {VK_BACK, "Backspace"},
      {VK_TAB, "Tab"},       {VK_SPACE, "Space"},   {VK_F3, "F3"},
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

// Where a window takes a key of Binding first: its note for the table, else empty.
std::string TakenBy(const std::vector<WindowKey>& windowKeys, const TEditKey& k) {
  const WindowKey* first = WindowKeyOf(windowKeys, k.Key1, k.Shift1);
  const WindowKey* second = k.Key2 != 0 ? WindowKeyOf(windowKeys, k.Key2, k.Shift2) : nullptr;
  const WindowKey* taken = first != nullptr ? first : second;
  if (taken == nullptr) return {};
  const std::string binding = "`" + BindingName(k) + "`";
  if (k.Key2 == 0) return binding + " runs " + taken->Command;
  return binding + " does not work: " + KeyName(taken->Key, taken->Shift) + " runs " +
         taken->Command;
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

// Keys of the windows that no binding of the key map uses.
const char* kWindowOnlyKeys =
    "\n## Keys of the windows alone\n"
    "\n"
    "These keys belong to the menus of the application; the key map above binds none of them.\n"
    "\n"
    "| Keys | What it does |\n"
    "|---|---|\n"
    "| `Ctrl++` or `Ctrl+=` | View > Zoom In: a larger font |\n"
    "| `Ctrl+-` | View > Zoom Out: a smaller font |\n"
    "| `Ctrl+Alt+0` | View > Normal Size: the designed font size |\n"
    "| `Ctrl+Shift+F` | Search > Find in Open Scripts...: every match in every open script |\n"
    "| `Ctrl` with the mouse wheel | Zooms in (wheel away from you) or out (towards you) |\n"
    "| `Alt+F`, then `1` to `8` | Opens one of the recent files listed in the File menu |\n"
    "| `Alt+W`, then a digit | Brings that open document to the front (Window menu) |\n"
    "| `F8` | Search > Next Problem: the caret to the next problem of the script |\n"
    "| `Shift+F8` | Search > Previous Problem: the caret to the problem before it |\n"
    "| `Ctrl+Shift+G` | Search > Go To Label...: asks for a label, completing its name |\n"
    "| `F12` | Search > Go To Definition: from a goto or menu entry target to its label |\n"
    "| `Alt+Left` | Search > Go Back: back to where the last jump to a label started |\n"
    "| `Enter` or a double click in the Problems or Labels panel | Goes to that row's place |\n"
    "| `Escape` in the Problems or Labels panel | Back to the document |\n";

// The keys of kWindowOnlyKeys that a binding could use: Ctrl with =/+ and - (main row
// and keypad), Ctrl+Alt+0 and the script keys. A binding that takes one fails the document.
void CheckWindowOnlyKeysFree(const TKeyboard& keyboard) {
  constexpr uint16_t VK_F8 = 0x77;
  constexpr uint16_t VK_F12 = 0x7B;
  const WindowKey windowOnly[] = {{0xBB, ssCtrl, "Ctrl+="},
                                  {0xBB, ssCtrl | ssShift, "Ctrl++"},
                                  {0x6B, ssCtrl, "Ctrl++"},
                                  {0xBD, ssCtrl, "Ctrl+-"},
                                  {0x6D, ssCtrl, "Ctrl+-"},
                                  {'0', ssCtrl | ssAlt, "Ctrl+Alt+0"},
                                  {VK_F8, 0, "F8"},
                                  {VK_F8, ssShift, "Shift+F8"},
                                  {VK_F12, 0, "F12"},
                                  {VK_LEFT, ssAlt, "Alt+Left"},
                                  {'G', ssCtrl | ssShift, "Ctrl+Shift+G"}};
  for (const auto& k : keyboard.Keys()) {
    for (const WindowKey& key : windowOnly) {
      if ((k->Key1 == key.Key && k->Shift1 == key.Shift) ||
          (k->Key2 == key.Key && k->Shift2 == key.Shift))
        throw std::runtime_error("the key map binds the window's key " + key.Command);
    }
  }
}

std::string Document() {
  const std::vector<WindowKey> windowKeys = WindowKeys();
  TKeyboard keyboard;
  keyboard.SetDefaultLayout();
  CheckWindowOnlyKeysFree(keyboard);
  std::map<TEditCommand, std::vector<const TEditKey*>> byCommand;
  for (const auto& k : keyboard.Keys()) byCommand[k->Command].push_back(k.get());

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
        const std::string note = TakenBy(windowKeys, *k);
        if (!note.empty()) taken.push_back(note);
      }
      if (keys.empty()) throw std::runtime_error("no key for " + c.Text);
      listed += keys.size();
      byCommand.erase(c.Command);
      out << "| " << Join(keys, " or ") << " | " << c.Text << " | " << Join(taken, "; ") << " |\n";
    }
  }
  if (!byCommand.empty()) {
    throw std::runtime_error("no description for command " +
                             std::to_string(byCommand.begin()->first));
  }
  out << "\n" << listed << " bindings: " << keyboard.Keys().size() << " in the key map.\n";
  out << kWindowOnlyKeys;
  return out.str();
}

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(std::string("cannot read ") + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string document = Document();
    if (argc == 3 && std::string(argv[1]) == "--check") {
      if (ReadFile(argv[2]) == document) return 0;
      std::cerr << argv[2] << " does not match the key map: run make keys\n";
      return 1;
    }
    if (argc != 1) {
      std::cerr << "usage: keys_doc [--check FILE]\n";
      return 2;
    }
    std::cout << document;
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "keys_doc: " << e.what() << "\n";
    return 1;
  }
}
