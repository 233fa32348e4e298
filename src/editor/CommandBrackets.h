#pragma once
// Helpers of the command bodies: the brackets they take (util/Bracket.h) and the compound
// commands built from other commands.
#include <initializer_list>

#include "editor/RAEditor.h"
#include "util/Bracket.h"

// Runs Inner through Command between cmdBeginCompound, cmdBeginUpdate and cmdEndUpdate,
// cmdEndCompound, so the whole sequence is one undo step and one repaint. The brackets
// are closed also when a command fails.
inline void RunBracketed(TRACustomEditor& editor, std::initializer_list<TEditCommand> inner) {
  const auto compound =
      Bracketed([&] { editor.Command(cmdBeginCompound); }, [&] { editor.Command(cmdEndCompound); });
  const auto update =
      Bracketed([&] { editor.Command(cmdBeginUpdate); }, [&] { editor.Command(cmdEndUpdate); });
  for (TEditCommand code : inner) editor.Command(code);
}
