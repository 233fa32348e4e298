#pragma once
// Helpers of the command bodies: a scope guard for brackets that must be released on
// every path, and the compound commands built from other commands.
#include <initializer_list>
#include <utility>

#include "editor/RAEditor.h"

// Runs an action when the scope ends, also when an exception leaves it.
template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F action) : FAction(std::move(action)) {}
  ~ScopeExit() { FAction(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  F FAction;
};

// Runs Inner through Command between cmdBeginCompound, cmdBeginUpdate and cmdEndUpdate,
// cmdEndCompound, so the whole sequence is one undo step and one repaint. The brackets
// are closed also when a command fails.
inline void RunBracketed(TRACustomEditor& editor, std::initializer_list<TEditCommand> inner) {
  editor.Command(cmdBeginCompound);
  editor.Command(cmdBeginUpdate);
  try {
    for (TEditCommand code : inner) editor.Command(code);
  } catch (...) {
    editor.EndUpdate();
    editor.EndCompound();
    throw;
  }
  editor.Command(cmdEndUpdate);
  editor.Command(cmdEndCompound);
}
