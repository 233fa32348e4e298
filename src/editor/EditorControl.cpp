#include "editor/Completion.h"
#include "editor/RAEditor.h"

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

// ---- window ----

void TRACustomEditor::CreateWnd() {
  const bool horz =
      FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth;
  const bool vert = FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth;
  FScrollBarHorz->Handle = horz ? &FHost : nullptr;
  FScrollBarVert->Handle = vert ? &FHost : nullptr;
  FHost.SetWindowStyle(FBorderStyle == TBorderStyle::bsSingle, horz, vert);
  FPaintAll = true;
  FWindowCreated = true;
}

void TRACustomEditor::Loaded() {
  UpdateEditorSize();
}

namespace {
// A border or scroll bar change needs a new window; before the window exists the
// value is only stored.
void RecreateWnd(TRACustomEditor& editor, bool windowCreated) {
  if (!windowCreated) return;
  editor.CreateWnd();
  editor.Host().Invalidate();
}
}  // namespace

void TRACustomEditor::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  RecreateWnd(*this, FWindowCreated);
}

void TRACustomEditor::SetScrollBars(TScrollStyle value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  RecreateWnd(*this, FWindowCreated);
}

// ---- properties ----

void TRACustomEditor::SetLines(const std::vector<std::string>& lines) {
  FLines->Assign(lines);
  ClearUndo();
}

void TRACustomEditor::SetGutterWidth(int value) {
  if (value == FGutterWidth) return;
  FGutterWidth = value;
  UpdateEditorSize();
  FHost.Invalidate();
}

void TRACustomEditor::SetGutterColor(TColor value) {
  if (value == FGutterColor) return;
  FGutterColor = value;
  FGutter->Paint();
}

void TRACustomEditor::SetRightMarginVisible(bool value) {
  if (value == FRightMarginVisible) return;
  FRightMarginVisible = value;
  FHost.Invalidate();
}

void TRACustomEditor::SetRightMargin(int value) {
  if (value == FRightMargin) return;
  FRightMargin = value;
  FHost.Invalidate();
}

void TRACustomEditor::SetRightMarginColor(TColor value) {
  if (value == FRightMarginColor) return;
  FRightMarginColor = value;
  FHost.Invalidate();
}

void TRACustomEditor::SetInsertMode(bool value) {
  if (value == FInsertMode) return;
  FInsertMode = value;
  StatusChanged();
}

void TRACustomEditor::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  StatusChanged();
}

void TRACustomEditor::SetSelBlockFormat(TSelBlockFormat value) {
  Command(static_cast<TEditCommand>(cmdBlockInclusive + value));
}

void TRACustomEditor::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  FHost.Invalidate();
}

void TRACustomEditor::SetFont(const TFont& value) {
  if (value == FFont) return;
  FFont = value;
  if (!FWindowCreated) return;
  UpdateEditorSize();
  FHost.Invalidate();
}

void TRACustomEditor::ClearUndo() {
  FUndoBuffer->Clear();
}

// ---- update bracket ----

void TRACustomEditor::BeginUpdate() {
  ++FUpdateLock;
}

void TRACustomEditor::EndUpdate() {
  if (FUpdateLock == 0) return;
  if (--FUpdateLock > 0) return;
  FPaintAll = true;
  UpdateEditorSize();
  if (FHost.HasFocus()) {
    const TRect cell = CellRect(FCaretX - FLeftCol, FCaretY - FTopRow);
    FHost.SetCaretPos(cell.Left - 1, cell.Top + 1);
  }
  StatusChanged();
  FHost.Invalidate();
}

void TRACustomEditor::RefreshText(bool clearSelection) {
  if (clearSelection) FSelected = false;
  WholeTextModified();
  UpdateEditorSize();
  if (FHost.Showing() && FUpdateLock == 0) FHost.Invalidate();
}

// ---- overridable notifications ----

void TRACustomEditor::Changed() {
  FModified = true;
  if (OnChange) OnChange(this);
  StatusChanged();
}

void TRACustomEditor::TextAllChanged() {
  RefreshText(true);
}

void TRACustomEditor::StatusChanged() {
  if (OnChangeStatus) OnChangeStatus(this);
}

void TRACustomEditor::SelectionChanged() {}

void TRACustomEditor::PaintGutter(Canvas& canvas) {
  if (OnPaintGutter) OnPaintGutter(this, canvas);
}

void TRACustomEditor::BookmarkChanged(int /*index*/) {
  FGutter->Paint();
}

void TRACustomEditor::TextModified(int /*pos*/, int /*action*/, const std::string& /*text*/) {}

void TRACustomEditor::WholeTextModified() {
  TextModified(0, taInsert, FLines->GetTextStr());
}

void TRACustomEditor::DoCompletionIdentifier(bool& /*cancel*/) {}

void TRACustomEditor::DoCompletionTemplate(bool& /*cancel*/) {}
