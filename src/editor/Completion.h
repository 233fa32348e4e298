#pragma once
// Identifier and template completion of one editor. The application leaves it disabled
// and its lists empty, so it never offers anything there; the editor still calls it at
// the points where completion takes part in typing and focus changes.
#include <cstdint>
#include <string>
#include <vector>

class TRACustomEditor;

class TCompletion {
 public:
  explicit TCompletion(TRACustomEditor* editor) : FEditor(editor) {}

  int DropDownCount = 6;
  int DropDownWidth = 300;
  bool Enabled = false;
  std::vector<std::string> Identifers;
  std::vector<std::string> Templates;
  int ItemHeight = 13;
  unsigned Interval = 800;
  char CaretChar = '|';
  std::string CRLF = "/n";
  std::string Separator = "=";

  // Mode 0 identifiers, 1 templates.
  void StartCompletion(int mode);
  // A key-down while the list shows; true when the list consumed it.
  bool HandleListKey(uint16_t key);
  void NotifyChar(unsigned char ch);
  void CloseList(bool apply);
  void StopTimer() {}
  bool ListShown() const { return FListShown; }

 private:
  TRACustomEditor* FEditor;
  bool FListShown = false;
};
