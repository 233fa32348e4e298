#pragma once
// Moving an editor's document from one code page to another while it is edited: every
// character keeps its place and its number of bytes, so the text, the caret, the
// selection, the bookmarks and the undo history all stay as they are, only spelt in the
// other code page's bytes.
#include <optional>
#include <string>
#include <string_view>

#include "util/CodePage.h"

class TRACustomEditor;

namespace codepageswitch {

// The first code page of the list that holds every character of the editor's document
// and of its undo history (bytes of From) with as many bytes as From gives them, and
// holds the characters of Added too; none when there is none, or when the document holds
// bytes that are no character of From.
std::optional<TCodePage> FirstHoldingWith(const TRACustomEditor& editor, TCodePage from,
                                          std::u32string_view added);

// Spells the document and its undo history in To (chosen by FirstHoldingWith). Nothing
// is recorded for undo: the document reads the same before and after.
void Switch(TRACustomEditor& editor, TCodePage from, TCodePage to);

}  // namespace codepageswitch
