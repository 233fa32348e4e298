#include "editor/Completion.h"

#include "editor/Commands.h"
#include "editor/CompletionList.h"
#include "editor/RAEditor.h"
#include "util/RAStrUtil.h"

namespace {
constexpr unsigned kDefaultInterval = 800;
}  // namespace

std::string TCompletion::Trimmed(const std::string& s) {
  size_t begin = 0;
  size_t end = s.size();
  while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ') --end;
  return s.substr(begin, end - begin);
}

TCompletion::TCompletion(TRACustomEditor* editor) : FEditor(editor) {
  FDropList = std::make_unique<TRAEditorCompletionList>(editor, this);
  FItemHeight = FDropList->RowHeight();
  FDelayTimer = editor->Host().CreateTimer();
  FDelayTimer->SetEnabled(false);
  FDelayTimer->SetInterval(kDefaultInterval);
  FDelayTimer->OnTimer = [this] { OpenList(FTimerMode, false); };
}

TCompletion::~TCompletion() {
  FDropList.reset();
  FDelayTimer.reset();
}

unsigned TCompletion::Interval() const {
  return static_cast<unsigned>(FDelayTimer->Interval());
}

void TCompletion::SetInterval(unsigned value) {
  FDelayTimer->SetInterval(static_cast<int>(value));
}

int TCompletion::SelectedIndex() const {
  return FListShown ? FDropList->ItemIndex() : FSelectedIndex;
}

void TCompletion::SetSelectedIndex(int value) {
  FSelectedIndex = value;
  if (FListShown) FDropList->SetItemIndex(value);
}

// ---- opening ----

void TCompletion::StartCompletion(int mode) {
  if (FEditor->ReadOnly()) return;
  if (FListShown) CloseList(false);
  FMode = static_cast<uint8_t>(mode);
  if (FMode == cmIdentifiers) {
    OpenList(cmIdentifiers, true);
  } else if (FMode == cmTemplates) {
    if (AskEvents(cmTemplates) || FTemplates.empty()) return;
    BuildCandidates();
    bool exact = false;
    SelectMatching(exact);
    // A whole template name expands at once, without a list.
    if (exact) {
      ReplaceCaretWord(FieldAt(FCandidates[SelectedIndex()], 2, FSeparator));
    } else {
      OpenList(cmTemplates, true);
    }
  }
}

void TCompletion::OpenList(int mode, bool always) {
  CloseList(false);
  FMode = static_cast<uint8_t>(mode);
  const bool cancel = AskEvents(mode);
  BuildCandidates();
  bool exact = false;
  SelectMatching(exact);
  if (cancel || FCandidates.empty()) return;
  // By itself the list opens only for a word that starts a candidate without being a
  // whole name yet.
  if (!always && (exact || SelectedIndex() == -1)) return;
  FDropList->SetRows(FCandidates);
  FDropList->SetRowHeight(FItemHeight);
  FListShown = true;
  FDropList->SetItemIndex(FSelectedIndex);
  FDropList->SetStyle(FListBoxStyle == lbStandard ? lbOwnerDrawFixed : FListBoxStyle);
  FDropList->OnMeasureItem = FEditor->OnCompletionMeasureItem;
  FDropList->OnDrawItem = FEditor->OnCompletionDrawItem;
  FDropList->OpenAtCaret();
}

bool TCompletion::AskEvents(int mode) {
  bool cancel = false;
  if (mode == cmIdentifiers) {
    FEditor->DoCompletionIdentifier(cancel);
    if (FEditor->OnCompletionIdentifer) FEditor->OnCompletionIdentifer(FEditor, cancel);
  } else {
    FEditor->DoCompletionTemplate(cancel);
    if (FEditor->OnCompletionTemplate) FEditor->OnCompletionTemplate(FEditor, cancel);
  }
  return cancel;
}

// ---- candidates ----

std::string TCompletion::CaretWord() const {
  const TEditorStrings& lines = FEditor->Lines();
  const int y = FEditor->CaretY();
  if (y < 0 || y >= lines.Count()) return {};
  return WordAtPos(lines[y], FEditor->CaretX(), FEditor->LocaleRef());
}

bool TCompletion::StartsWith(const std::string& item, const std::string& word) const {
  return item.size() >= word.size() &&
         EqualIgnoringCase(item.substr(0, word.size()), word, FEditor->LocaleRef());
}

int TCompletion::FindCandidate(const std::string& word) const {
  for (size_t i = 0; i < FCandidates.size(); ++i) {
    if (StartsWith(FCandidates[i], word)) return static_cast<int>(i);
  }
  return -1;
}

void TCompletion::BuildCandidates() {
  FCandidates.clear();
  if (FMode == cmIdentifiers) {
    FCandidates = FIdentifers;
    return;
  }
  const std::string word = CaretWord();
  for (const std::string& item : FTemplates) {
    if (StartsWith(item, word)) FCandidates.push_back(item);
  }
  if (FCandidates.empty()) FCandidates = FTemplates;
}

void TCompletion::SelectMatching(bool& exact) {
  const std::string word = CaretWord();
  SetSelectedIndex(Trimmed(word).empty() ? -1 : FindCandidate(word));
  const int selected = SelectedIndex();
  exact =
      selected != -1 && EqualIgnoringCase(Trimmed(FieldAt(FCandidates[selected], 0, FSeparator)),
                                          word, FEditor->LocaleRef());
}

// ---- typing and keys ----

void TCompletion::NotifyChar(unsigned char ch) {
  if (FListShown) {
    // A character that cannot be part of a name puts the candidate in before it.
    if (IsIdentifierChar(ch)) {
      RefreshSelection();
    } else {
      CloseList(true);
    }
  } else if (FEnabled) {
    // Restarted, so that the list opens Interval ms after the last character.
    FDelayTimer->SetEnabled(false);
    FDelayTimer->SetEnabled(true);
  }
}

void TCompletion::StopTimer() {
  FDelayTimer->SetEnabled(false);
}

void TCompletion::RefreshSelection() {
  bool exact = false;
  SelectMatching(exact);
  const bool cancel = AskEvents(FMode);
  const auto& source = FMode == cmIdentifiers ? FIdentifers : FTemplates;
  if (cancel || source.empty()) CloseList(false);
}

bool TCompletion::HandleListKey(uint16_t key) {
  if (!FListShown) return false;
  switch (key) {
    case VK_RETURN:
      CloseList(true);
      return true;
    case VK_ESCAPE:
      CloseList(false);
      return true;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
      FDropList->KeyDown(key);
      return true;
    default:
      return false;
  }
}

void TCompletion::CloseList(bool apply) {
  FSelectedIndex = SelectedIndex();
  FDropList->Hide();
  FListShown = false;
  FDelayTimer->SetEnabled(false);
  if (!apply || FSelectedIndex < 0 || FSelectedIndex >= static_cast<int>(FCandidates.size())) {
    return;
  }
  const int field = FMode == cmTemplates ? 2 : 0;
  ReplaceCaretWord(FieldAt(FCandidates[FSelectedIndex], field, FSeparator));
}
