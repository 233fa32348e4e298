#pragma once
// Identifier and template completion of one editor: candidates for the word at the
// caret, offered in a drop-down list on request or after a pause in typing, and the
// chosen one put in place of the word as one undo step.
//   Completion.cpp       properties, opening, candidates, typing, keys, closing
//   CompletionApply.cpp  ReplaceCaretWord
//   CompletionList.cpp   the drop-down list (TRAEditorCompletionList)
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/ListBox.h"
#include "platform/Timer.h"

class TRACustomEditor;
class TRAEditorCompletionList;
class TCompletion;

// The completion's events, properties of the editor.
// Before candidates are built (and at each refresh): a handler may fill the items for
// the context, or set Cancel to show nothing.
using TOnCompletion = std::function<void(TRACustomEditor* sender, bool& cancel)>;
// Before an identifier goes in: OldString is the word it replaces, NewString the name,
// which the handler may change.
using TOnCompletionApply =
    std::function<void(TCompletion* sender, const std::string& oldString, std::string& newString)>;
// Draws one row of the list entirely.
using TDrawItemEvent = std::function<void(TRAEditorCompletionList& list, Canvas& canvas, int index,
                                          const TRect& rect, TOwnerDrawState state)>;
using TMeasureItemEvent =
    std::function<void(TRAEditorCompletionList& list, int index, int& height)>;

class TCompletion {
 public:
  // Modes of completion.
  static constexpr uint8_t cmIdentifiers = 0;
  static constexpr uint8_t cmTemplates = 1;

  // Backspace, the digits and the Latin letters: typing one of them narrows the list
  // instead of closing it, so the completion hears of it after the change.
  static bool IsIdentifierChar(unsigned char ch) {
    return ch == '\b' || (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') ||
           (ch >= 'a' && ch <= 'z');
  }

  explicit TCompletion(TRACustomEditor* editor);
  ~TCompletion();
  TCompletion(const TCompletion&) = delete;
  TCompletion& operator=(const TCompletion&) = delete;

  // ---- [Completion.cpp] properties ----
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value) { FDropDownCount = value; }
  // 0: the editor's width plus two borders.
  int DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int value) { FDropDownWidth = value; }
  // Whether typing opens the list by itself after Interval milliseconds.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }
  // Items "name=description"; handlers may fill them while the list opens.
  std::vector<std::string>& Identifers() { return FIdentifers; }
  const std::vector<std::string>& Identifers() const { return FIdentifers; }
  void SetIdentifers(const std::vector<std::string>& value) { FIdentifers = value; }
  // Items "name=description=text".
  std::vector<std::string>& Templates() { return FTemplates; }
  const std::vector<std::string>& Templates() const { return FTemplates; }
  void SetTemplates(const std::vector<std::string>& value) { FTemplates = value; }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value) { FItemHeight = value; }
  unsigned Interval() const;
  void SetInterval(unsigned value);
  TListBoxStyle ListBoxStyle() const { return FListBoxStyle; }
  void SetListBoxStyle(TListBoxStyle value) { FListBoxStyle = value; }
  char CaretChar() const { return FCaretChar; }
  void SetCaretChar(char value) { FCaretChar = value; }
  const std::string& CRLF() const { return FCRLF; }
  void SetCRLF(const std::string& value) { FCRLF = value; }
  const std::string& Separator() const { return FSeparator; }
  void SetSeparator(const std::string& value) { FSeparator = value; }

  // ---- [Completion.cpp] operations ----
  // The user's command: Mode 0 identifiers, 1 templates.
  void StartCompletion(int mode);
  // Builds the candidates of Mode and shows them; Always false (the delay timer) opens
  // only for a word that starts a candidate without being a whole name yet.
  void OpenList(int mode, bool always);
  // A key-down while the list shows; true when the list consumed it.
  bool HandleListKey(uint16_t key);
  // A typed character (8 after a backspace).
  void NotifyChar(unsigned char ch);
  // Hides the list; with Apply, the selected candidate replaces the word at the caret.
  void CloseList(bool apply);
  void StopTimer();
  bool ListShown() const { return FListShown; }
  // The selected candidate: the list's selected row while it shows; -1 none.
  int SelectedIndex() const;
  void SetSelectedIndex(int value);
  const std::vector<std::string>& Candidates() const { return FCandidates; }
  int Mode() const { return FMode; }
  TRAEditorCompletionList& DropList() const { return *FDropList; }
  TRACustomEditor* Editor() const { return FEditor; }

  // ---- [CompletionApply.cpp] ----
  // Replaces the word at the caret by S (an identifier, or a template text to expand).
  void ReplaceCaretWord(const std::string& s);

 private:
  // Completion.cpp
  void BuildCandidates();
  void SelectMatching(bool& exact);
  void RefreshSelection();
  // Runs the editor's hook and event for Mode; true when one cancelled.
  bool AskEvents(int mode);
  std::string CaretWord() const;
  int FindCandidate(const std::string& word) const;
  bool StartsWith(const std::string& item, const std::string& word) const;
  // S without leading and trailing blanks and control characters.
  static std::string Trimmed(const std::string& s);

  TRACustomEditor* FEditor;
  std::unique_ptr<TRAEditorCompletionList> FDropList;
  std::vector<std::string> FCandidates;
  int FSelectedIndex = 0;
  uint8_t FMode = cmIdentifiers;
  uint8_t FTimerMode = cmIdentifiers;
  std::unique_ptr<Timer> FDelayTimer;
  bool FListShown = false;

  int FDropDownCount = 6;
  int FDropDownWidth = 300;
  bool FEnabled = false;
  std::vector<std::string> FIdentifers;
  std::vector<std::string> FTemplates;
  int FItemHeight = 13;
  TListBoxStyle FListBoxStyle = lbStandard;
  char FCaretChar = '|';
  std::string FCRLF = "/n";
  std::string FSeparator = "=";
};
