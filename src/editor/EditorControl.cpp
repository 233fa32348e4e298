#include "editor/RAEditor.h"

#include "editor/Completion.h"

TRACustomEditor::TRACustomEditor(EditorHost& host) : FHost(host) {
  FLines = std::make_unique<TEditorStrings>(this);
  FLines->OnChange = [this] {
    if (FUpdateLock == 0) TextAllChanged();
  };
  FKeyboard = std::make_unique<TKeyboard>();
  FUndoBuffer = std::make_unique<TUndoBuffer>(this);
  FScrollBarHorz = std::make_unique<TRAControlScrollBar95>();
  FScrollBarVert = std::make_unique<TRAControlScrollBar95>();
  FScrollBarVert->Kind = TScrollBarKind::sbVertical;
  auto onScroll = [this](TRAControlScrollBar95* bar, int code, int& pos) {
    // Line, page and thumb-drag requests move the view; release, top and bottom only
    // move the bar.
    if (code <= 3 || code == 5) Scroll(bar->Kind == TScrollBarKind::sbVertical, pos);
  };
  FScrollBarHorz->OnScroll = onScroll;
  FScrollBarVert->OnScroll = onScroll;
  FEditorClient = std::make_unique<TEditorClient>(this);
  FGutter = std::make_unique<TGutter>(this);
  FScrollTimer = FHost.CreateTimer();
  FScrollTimer->SetEnabled(false);
  FScrollTimer->SetInterval(100);
  FScrollTimer->OnTimer = [this] { ScrollTimerTick(); };
  FKeyboard->SetDefaultLayout();
  FCompletion = std::make_unique<TCompletion>(this);
  FFont = TFont{};
  FFont.SetSize(10);
}

TRACustomEditor::~TRACustomEditor() {
  // Freed in this order: line store, scroll bars, text area, key map, undo, completion,
  // gutter.
  FScrollTimer.reset();
  FLines.reset();
  FScrollBarHorz.reset();
  FScrollBarVert.reset();
  FEditorClient.reset();
  FKeyboard.reset();
  FUndoBuffer.reset();
  FCompletion.reset();
  FGutter.reset();
}

// Not yet implemented.
void TRACustomEditor::CreateWnd() {  }
void TRACustomEditor::Loaded() {  }
void TRACustomEditor::SetLines(const std::vector<std::string>& lines) {  }
void TRACustomEditor::SetBorderStyle(TBorderStyle value) {  }
void TRACustomEditor::SetScrollBars(TScrollStyle value) {  }
void TRACustomEditor::SetGutterWidth(int value) {  }
void TRACustomEditor::SetGutterColor(TColor value) {  }
void TRACustomEditor::SetRightMarginVisible(bool value) {  }
void TRACustomEditor::SetRightMargin(int value) {  }
void TRACustomEditor::SetRightMarginColor(TColor value) {  }
void TRACustomEditor::SetInsertMode(bool value) {  }
void TRACustomEditor::SetReadOnly(bool value) {  }
void TRACustomEditor::SetSelBlockFormat(TSelBlockFormat value) {  }
void TRACustomEditor::SetColor(TColor value) {  }
void TRACustomEditor::SetFont(const TFont& value) {  }
void TRACustomEditor::ClearUndo() {  }
void TRACustomEditor::BeginUpdate() {  }
void TRACustomEditor::EndUpdate() {  }
void TRACustomEditor::RefreshText(bool clearSelection) {  }
void TRACustomEditor::Changed() {  }
void TRACustomEditor::TextAllChanged() {  }
void TRACustomEditor::StatusChanged() {  }
void TRACustomEditor::SelectionChanged() {  }
void TRACustomEditor::PaintGutter(Canvas& canvas) {  }
void TRACustomEditor::BookmarkChanged(int index) {  }
void TRACustomEditor::TextModified(int pos, int action, const std::string& text) {  }
void TRACustomEditor::DoCompletionIdentifier(bool& cancel) {  }
void TRACustomEditor::DoCompletionTemplate(bool& cancel) {  }
