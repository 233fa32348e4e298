#include "app/OccurrenceMarks.h"

#include <cctype>

#include "editor/EditorStrings.h"
#include "qt/EditorWidget.h"

namespace {

bool IsWordByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || std::isalnum(u) || c == '_';
}

}  // namespace

bool SameSearch(const editorsearch::TSearchOptions& a, const editorsearch::TSearchOptions& b) {
  return a.Text == b.Text && a.MatchCase == b.MatchCase && a.WholeWord == b.WholeWord &&
         a.RegularExpression == b.RegularExpression && a.Matcher == b.Matcher;
}

std::string WordAtCaret(const TRACustomEditor& editor) {
  const int y = editor.CaretY();
  if (y < 0 || y >= editor.Lines().Count()) return {};
  const std::string_view line = editor.Lines().View(y);
  const int x = editor.CaretX();
  if (x > static_cast<int>(line.size())) return {};
  size_t begin = static_cast<size_t>(x);
  size_t end = begin;
  while (begin > 0 && IsWordByte(line[begin - 1])) --begin;
  while (end < line.size() && IsWordByte(line[end])) ++end;
  if (begin == end || std::isdigit(static_cast<unsigned char>(line[begin]))) return {};
  return std::string(line.substr(begin, end - begin));
}

TOccurrenceMarks::TOccurrenceMarks(TRACustomEditor& editor, EditorWidget& view)
    : FEditor(editor), FView(view) {
  FEditor.OnGetLineMarks = [this](TRACustomEditor* sender, int index, TLineAttrs& attrs) {
    FWord.Mark(sender->Lines(), index, attrs);
    FSearch.Mark(sender->Lines(), index, attrs);
  };
  // Caret moves and changes of the text both come this way; whoever listened before
  // still hears them.
  FPreviousStatus = FEditor.OnChangeStatus;
  FEditor.OnChangeStatus = [this](TRACustomEditor* sender) {
    if (FPreviousStatus) FPreviousStatus(sender);
    FollowCaret();
  };
}

TOccurrenceMarks::~TOccurrenceMarks() {
  FEditor.OnGetLineMarks = nullptr;
  FEditor.OnChangeStatus = FPreviousStatus;
}

void TOccurrenceMarks::SetSearch(const editorsearch::TSearchOptions& options) {
  const bool wasActive = FSearch.Active();
  const bool same = SameSearch(FSearch.Search(), options);
  FSearch.SetSearch(options);
  if (!same && (wasActive || FSearch.Active())) FView.Invalidate();
}

void TOccurrenceMarks::SetWordShown(bool on) {
  if (FWordShown == on) return;
  FWordShown = on;
  if (on) {
    FollowCaret();
  } else if (FWord.Active()) {
    FWord.SetSearch({});
    FView.Invalidate();
  }
}

void TOccurrenceMarks::FollowCaret() {
  if (!FWordShown) return;
  const std::string word = WordAtCaret(FEditor);
  if (word == FWord.Search().Text) return;
  // The caret's word as Find would take it with Match case and Whole word on.
  FWord.SetSearch({word, true, true});
  FView.Invalidate();
}
