#pragma once
// The soft background a document window lays on occurrences in view: every occurrence of
// the search while a search text is set and, when asked for (View > Highlight Word Under
// Caret), every occurrence of the word at the caret as a whole word. The editor asks for
// them line by line as it paints (its OnGetLineMarks), so a paint costs what it shows.
#include <string>

#include "editor/EditorSearch.h"
#include "editor/MatchMarks.h"
#include "editor/RAEditor.h"

class EditorWidget;
class TRACustomEditor;

class TOccurrenceMarks {
 public:
  // Installs the marks on Editor, which View shows; both must outlive this.
  TOccurrenceMarks(TRACustomEditor& editor, EditorWidget& view);
  // Takes the marks off the editor again.
  ~TOccurrenceMarks();
  TOccurrenceMarks(const TOccurrenceMarks&) = delete;
  TOccurrenceMarks& operator=(const TOccurrenceMarks&) = delete;

  void SetSearch(const editorsearch::TSearchOptions& options);
  const editorsearch::TSearchOptions& Search() const { return FSearch.Search(); }
  bool WordShown() const { return FWordShown; }
  void SetWordShown(bool on);
  // The word the caret's occurrences are marked of; empty when none is.
  const std::string& Word() const { return FWord.Search().Text; }

 private:
  // The caret moved or the text changed: the word at the caret again.
  void FollowCaret();

  TRACustomEditor& FEditor;
  EditorWidget& FView;
  TRACustomEditor::TNotifyEvent FPreviousStatus;
  TMatchMarks FSearch;
  TMatchMarks FWord;
  bool FWordShown = false;
};

// Whether two searches find the same: text, options and compiled pattern.
bool SameSearch(const editorsearch::TSearchOptions& a, const editorsearch::TSearchOptions& b);

// The identifier the caret stands in or just behind on its line (letters, digits, '_' and
// the code page's letters above 127); empty when there is none or it starts with a digit.
std::string WordAtCaret(const TRACustomEditor& editor);
