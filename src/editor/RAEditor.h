#pragma once
// The editor control: a fixed-pitch character grid over a TEditorStrings, with gutter,
// right margin, caret, four selection kinds, key map, undo, bookmarks and macros.
// TRACustomEditor is the facade; its implementation is split by concern:
//   EditorControl.cpp    construction, properties, update brackets, RefreshText
//   EditorGeometry.cpp   UpdateEditorSize, scroll extents, TEditorClient, scroll bars
//   EditorPaint.cpp      Paint, PaintLine, the attribute pipeline, margin and gutter
//   EditorCaret.cpp      caret, view, Scroll, scroll requests, wheel, focus, bookmarks
//   EditorKeys.cpp       key down / key press, chords
//   EditorMouse.cpp      mouse and selection by mouse
//   EditorSelection.cpp  SetSel, Unselect, SelStart/SelLength, positions
//   EditorText.cpp       GetSelText, SetSelText, InsertText, InsertChar, DeleteSelected
//   EditorClipboard.cpp  clipboard and the column-block marker
//   TabStops.cpp         NextTabStop, GetTabStop, GetBackStop, ExpandTabs
//   EditorCommand.cpp    the Command frame, movement and control commands, macros
//   EditingCommands.cpp  the commands that change the text
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/Commands.h"
#include "editor/Completion.h"
#include "editor/EditorStrings.h"
#include "editor/EditorTypes.h"
#include "editor/Keyboard.h"
#include "editor/UndoBuffer.h"
#include "platform/EditorHost.h"
#include "util/Bracket.h"

class TRACustomEditor;

// The first tab stop of the list TabStops (1-based columns separated by blanks) behind
// column X, 0-based; behind the list the stops repeat at the distance of its last two.
int NextTabStopIn(const std::string& tabStops, int x);

// The text area: right of the gutter, as high as the control.
class TEditorClient {
 public:
  explicit TEditorClient(TRACustomEditor* editor) : FEditor(editor) {}
  int Left() const;
  int Top() const { return FTop; }
  int Width() const;
  int Height() const;
  TRect ClientRect() const;  // control coordinates
  TRect EditorRect() const;  // text-area coordinates, from (0, 0)
  Canvas& GetCanvas() const;

 private:
  TRACustomEditor* FEditor;
  int FTop = 0;
};

class TGutter {
 public:
  explicit TGutter(TRACustomEditor* editor) : FEditor(editor) {}
  void Paint();

 private:
  TRACustomEditor* FEditor;
};

// The state of one window scroll bar; not a window of its own.
class TRAControlScrollBar95 {
 public:
  using TScrollEvent = std::function<void(TRAControlScrollBar95* sender, int code, int& pos)>;

  TScrollBarKind Kind = TScrollBarKind::sbHorizontal;
  int Position() const { return FPosition; }
  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int Page() const { return FPage; }
  uint16_t SmallChange = 1;
  uint16_t LargeChange() const { return FLargeChange; }
  // ERangeError outside 1..32767.
  void SetLargeChange(int value);
  void SetPosition(int value);
  void SetMin(int value);
  void SetMax(int value);
  void SetPage(int value);
  // Min and Max together; ERangeError ("Scrollbar property out of range") when Max < Min.
  void SetParams(int min, int max);
  // The window whose bar this object drives; none until the window exists.
  EditorHost* Handle = nullptr;
  TScrollEvent OnScroll;
  // A scroll request from the window (code: low 7 bits of the code word).
  void DoScroll(int code);

 private:
  void Apply();
  int FPosition = 0;
  int FMin = 0;
  int FMax = 0;
  int FPage = 1;
  uint16_t FLargeChange = 1;
};

class TRACustomEditor {
 public:
  using TNotifyEvent = std::function<void(TRACustomEditor* sender)>;
  using TOnGetLineAttr =
      std::function<void(TRACustomEditor* sender, std::string& line, int index, TLineAttrs& attrs)>;
  using TOnPaintGutter = std::function<void(TRACustomEditor* sender, Canvas& canvas)>;
  // Marks laid on a painted line's colours under the selection (a search's occurrences):
  // the handler changes Attrs of line Index; it reads the line from the editor's Lines.
  using TOnGetLineMarks =
      std::function<void(TRACustomEditor* sender, int index, TLineAttrs& attrs)>;
  using TKeyEvent = std::function<void(TRACustomEditor* sender, uint16_t& key, TShiftState shift)>;
  using TKeyPressEvent = std::function<void(TRACustomEditor* sender, char& key)>;
  using TMouseEvent = std::function<void(TRACustomEditor* sender, TMouseButton button,
                                         TShiftState shift, int x, int y)>;
  using TMouseMoveEvent =
      std::function<void(TRACustomEditor* sender, TShiftState shift, int x, int y)>;

  explicit TRACustomEditor(EditorHost& host);
  virtual ~TRACustomEditor();
  TRACustomEditor(const TRACustomEditor&) = delete;
  TRACustomEditor& operator=(const TRACustomEditor&) = delete;

  // ---- [EditorControl.cpp] lifecycle, properties, brackets ----
  // The window now exists: the scroll bar objects get it, the next paint draws all.
  void CreateWnd();
  // After loading from a stored form description: geometry.
  virtual void Loaded();
  EditorHost& Host() const { return FHost; }

  TEditorStrings& Lines() { return *FLines; }
  const TEditorStrings& Lines() const { return *FLines; }
  // Copies the lines unchanged, then clears the undo buffer.
  void SetLines(const std::vector<std::string>& lines);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  int GutterWidth() const { return FGutterWidth; }
  void SetGutterWidth(int value);
  TColor GutterColor() const { return FGutterColor; }
  void SetGutterColor(TColor value);
  bool RightMarginVisible() const { return FRightMarginVisible; }
  void SetRightMarginVisible(bool value);
  int RightMargin() const { return FRightMargin; }
  void SetRightMargin(int value);
  TColor RightMarginColor() const { return FRightMarginColor; }
  void SetRightMarginColor(TColor value);
  bool InsertMode() const { return FInsertMode; }
  void SetInsertMode(bool value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  bool DoubleClickLine() const { return FDoubleClickLine; }
  void SetDoubleClickLine(bool value) { FDoubleClickLine = value; }
  TCompletion& Completion() const { return *FCompletion; }
  const std::string& TabStops() const { return FTabStops; }
  void SetTabStops(const std::string& value) { FTabStops = value; }
  bool SmartTab() const { return FSmartTab; }
  void SetSmartTab(bool value) { FSmartTab = value; }
  bool BackSpaceUnindents() const { return FBackSpaceUnindents; }
  void SetBackSpaceUnindents(bool value) { FBackSpaceUnindents = value; }
  bool AutoIndent() const { return FAutoIndent; }
  void SetAutoIndent(bool value) { FAutoIndent = value; }
  bool KeepTrailingBlanks() const { return FKeepTrailingBlanks; }
  void SetKeepTrailingBlanks(bool value) { FKeepTrailingBlanks = value; }
  bool CursorBeyondEOF() const { return FCursorBeyondEOF; }
  void SetCursorBeyondEOF(bool value) { FCursorBeyondEOF = value; }
  TColor SelForeColor() const { return FSelForeColor; }
  void SetSelForeColor(TColor value) { FSelForeColor = value; }
  TColor SelBackColor() const { return FSelBackColor; }
  void SetSelBackColor(TColor value) { FSelBackColor = value; }
  TSelBlockFormat SelBlockFormat() const { return FSelBlockFormat; }
  // Runs Command(356 + value), so it is recorded like any command.
  void SetSelBlockFormat(TSelBlockFormat value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  const TFont& Font() const { return FFont; }
  // Font change: geometry is recomputed when the window exists.
  void SetFont(const TFont& value);

  bool Modified() const { return FModified; }
  void SetModified(bool value) { FModified = value; }
  int UpdateLock() const { return FUpdateLock; }
  int CompoundLevel() const { return FCompoundLevel; }
  bool GroupUndo() const { return FGroupUndo; }
  TUndoBuffer* UndoBuffer() const { return FUndoBuffer.get(); }
  TKeyboard& Keyboard() const { return *FKeyboard; }
  void ClearUndo();

  void BeginUpdate();
  void EndUpdate();
  // Holds the update lock until the returned bracket ends, on every path.
  auto UpdateLocked() {
    return Bracketed([this] { BeginUpdate(); }, [this] { EndUpdate(); });
  }
  // Drops the selection when asked, tells descendants of the whole text, recomputes the
  // geometry and repaints.
  void RefreshText(bool clearSelection);

  // Overridable notifications.
  virtual void Changed();
  virtual void TextAllChanged();
  virtual void StatusChanged();
  virtual void SelectionChanged();
  virtual void PaintGutter(Canvas& canvas);
  virtual void BookmarkChanged(int index);
  // Pos: whole-text offset; Action a TTextAction (taInsert, taDelete, taColumnDelete).
  virtual void TextModified(int pos, int action, const std::string& text);
  // The whole text was replaced or rebuilt: TextModified(0, taInsert, whole text). Descendants
  // that can answer without the whole text override this to skip building it.
  virtual void WholeTextModified();
  virtual void DoCompletionIdentifier(bool& cancel);
  virtual void DoCompletionTemplate(bool& cancel);

  // ---- [EditorGeometry.cpp] geometry ----
  void UpdateEditorSize();
  void SetMaxScrollH(int n);
  void SetMaxScrollV(int n);
  void Resize();
  int CellWidth() const { return FCellWidth; }
  int CellHeight() const { return FCellHeight; }
  int VisibleColCount() const { return FVisibleColCount; }
  int VisibleRowCount() const { return FVisibleRowCount; }
  int LeftCol() const { return FLeftCol; }
  int TopRow() const { return FTopRow; }
  int LastVisibleCol() const { return FLastVisibleCol; }
  int LastVisibleRow() const { return FLastVisibleRow; }
  int MaxScrollH() const { return FMaxScrollH; }
  int MaxScrollV() const { return FMaxScrollV; }
  const int* CharWidths() const { return FCharWidths.data(); }
  TEditorClient& EditorClient() const { return *FEditorClient; }
  TRAControlScrollBar95& ScrollBarHorizontal() const { return *FScrollBarHorz; }
  TRAControlScrollBar95& ScrollBarVertical() const { return *FScrollBarVert; }

  // ---- [EditorPaint.cpp] painting ----
  void Paint();
  void PaintLine(int line, int colBeg, int colEnd);
  void PaintSelectionLines();
  void PaintRightMargin();
  // Invalidates the rows that show lines First..Last (clipped to the view), the gutter
  // included; lines below the view are ignored.
  void InvalidateLines(int first, int last);
  // Moves the pixels of the rows from line First to the bottom of the view one row down
  // (the gutter with them, which then shows the wrong line numbers until it is drawn
  // again), as inserting a line above them moves the lines; the row they uncover is
  // painted again. False, and nothing moved, when line First is not below the
  // top row of the view.
  bool MoveRowsDown(int first);
  // Limits a vertical extent to the rows the running Paint repaints (no change outside
  // Paint).
  void ClipToPaintedRows(int& top, int& bottom) const;
  // Cell rectangle of (Col, Row) relative to LeftCol and TopRow.
  TRect CellRect(int col, int row) const;
  bool PaintAllPending() const { return FPaintAll; }
  const TLineAttrs& LineAttrs() const { return FLineAttrs; }
  // The attributes painting gives line Index without the selection laid over them
  // (element Col + 1 is column Col), for readers of the text; valid until the next call
  // or paint.
  const TLineAttrs& TextAttrs(int index);

  // ---- [EditorCaret.cpp] caret, view, scrolling, focus, bookmarks ----
  int CaretX() const { return FCaretX; }
  int CaretY() const { return FCaretY; }
  void SetCaret(int x, int y);
  void SetCaretInternal(int x, int y);
  // Puts the system caret on the caret's cell when the control has the focus.
  void PlaceSystemCaret();
  void PaintCaret(bool show);
  // Hides the caret until the returned bracket ends, on every path.
  auto CaretHidden() {
    return Bracketed([this] { PaintCaret(false); }, [this] { PaintCaret(true); });
  }
  void SetLeftTop(int leftCol, int topRow);
  void Scroll(bool vertical, int value);
  void ScrollToLine(int line);
  void Bookmark(int index, bool toggle);
  std::array<TBookmark, 10>& Bookmarks() { return FBookmarks; }
  const std::array<TBookmark, 10>& Bookmarks() const { return FBookmarks; }
  // Window messages: scroll request (code: low 7 bits), wheel, focus.
  void HandleScrollRequest(bool vertical, int code);
  void MouseWheel(int delta);
  void FocusIn();
  void FocusOut();
  // ---- [EditorKeys.cpp] keys ----
  // Key down: Key may be changed (0 when consumed).
  void KeyDown(uint16_t& key, TShiftState shift);
  // A typed character (a byte of the code page).
  void KeyPress(char& key);
  bool ChordPending() const { return FChordPending; }

  // ---- [EditorMouse.cpp] mouse ----
  void PixelToCell(int x, int y, int& col, int& row) const;
  void PixelToCaret(int x, int y, int& col, int& row) const;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void DblClick();
  // Cursor to show for a pointer at client x.
  TCursorShape CursorAt(int x) const;

  // ---- [EditorSelection.cpp] selection and positions ----
  bool Selected() const { return FSelected; }
  int SelBegX() const { return FSelBegX; }
  int SelBegY() const { return FSelBegY; }
  int SelEndX() const { return FSelEndX; }
  int SelEndY() const { return FSelEndY; }
  void SetSel(int x, int y);
  void Unselect();
  int SelStart() const { return PosFromCaret(FCaretX, FCaretY); }
  void SetSelStart(int pos);
  void SetSelLength(int len);
  int PosFromCaret(int x, int y) const;
  void CaretFromPos(int pos, int& x, int& y) const;

  // ---- [EditorText.cpp] text operations ----
  std::string GetSelText() const;
  void SetSelText(const std::string& text);
  std::string SelText() const { return GetSelText(); }
  void InsertText(const std::string& text);
  void InsertChar(unsigned char ch);
  void DeleteSelected();
  void BeginCompound();
  void EndCompound();
  // Keeps a compound edit (one undo step) open until the returned bracket ends.
  auto CompoundEdit() {
    return Bracketed([this] { BeginCompound(); }, [this] { EndCompound(); });
  }
  void PostCommand(TEditCommand code);
  void BeginRecord();
  void EndRecord(std::string& macro);
  void PlayMacro(const std::string& macro);
  bool Recording() const { return FRecording; }
  const std::string& LastMacro() const { return FLastMacro; }

  // ---- [EditorClipboard.cpp] clipboard ----
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  bool CanCopy() const;
  bool CanCut() const;
  bool CanPaste() const;
  // Window clipboard messages (answer 1).
  void WMCopy();
  void WMCut();
  void WMPaste();
  static const char* BlockTypeFormatName();

  // ---- [TabStops.cpp] tab stops ----
  int NextTabStop(int x) const;
  int GetTabStop(int x, int y, bool force, bool smart);
  int GetBackStop(int x, int y);
  std::string ExpandTabs(const std::string& s) const;

  // ---- [EditorCommand.cpp] the command frame ----
  // Runs one command code (0..255 type a character).
  virtual void Command(TEditCommand code);

  // Events; empty means unassigned.
  TOnGetLineAttr OnGetLineAttr;
  TOnGetLineMarks OnGetLineMarks;
  TNotifyEvent OnChangeStatus;
  TNotifyEvent OnScroll;
  TNotifyEvent OnResize;
  TNotifyEvent OnChange;
  TNotifyEvent OnSelectionChange;
  TNotifyEvent OnDblClick;
  TOnPaintGutter OnPaintGutter;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TOnCompletion OnCompletionIdentifer;
  TOnCompletion OnCompletionTemplate;
  TOnCompletionApply OnCompletionApply;
  TDrawItemEvent OnCompletionDrawItem;
  TMeasureItemEvent OnCompletionMeasureItem;

  // The locale of the document's code page, as the host gives it: case, comparison and
  // where double-byte characters begin.
  const Locale& LocaleRef() const { return FHost.GetLocale(); }

 protected:
  // The attribute pipeline (EditorPaint.cpp).
  virtual void GetLineAttr(std::string& line, int lineIdx, int colBeg, int colEnd);
  virtual void GetAttr(int lineIdx, int colBeg, int colEnd);
  virtual void ChangeAttr(int lineIdx, int colBeg, int colEnd);
  // Helpers of PaintLine and GetLineAttr (EditorPaint.cpp).
  int PaintLineRuns(int line, int colBeg, int colEnd);
  void PaintRun(int line, int col, int length, const TLineAttr& attr);
  void ApplySelectionAttrs(int lineIdx, int colBeg, int colEnd);

  // Working values of one Command call (EditorCommand.cpp, EditingCommands.cpp).
  struct CommandState {
    int X = 0;
    int Y = 0;
    bool RecordCaret = true;
    int Direction = -1;
    bool FinalPlacement = true;
  };
  void ExecuteCommand(TEditCommand code, CommandState& s);
  void RunMovementCommand(TEditCommand code, CommandState& s);
  void RunEditingCommand(TEditCommand code, CommandState& s);
  void SelectTo(CommandState& s, int x, int y);
  void StepOutOfTrailByte(CommandState& s);
  void CommandReturn(CommandState& s);
  void CommandBackspace(CommandState& s);
  void CommandDelete(CommandState& s);
  void CommandTab(TEditCommand code, CommandState& s);
  void CommandBlockIndent(bool indent);
  void CommandChangeCase(TEditCommand code, CommandState& s);
  void ChangeColumnCase(TEditCommand code, const std::string& oldBlock);

  // Selection helpers (EditorSelection.cpp).
  void RepaintSelectionChange();
  // The selection's format as used for deleting and pasting: bfLine and unknown values
  // behave as bfNonInclusive.
  TSelBlockFormat EffectiveBlockFormat(TSelBlockFormat format) const;

  // Mouse scroll timer tick (EditorMouse.cpp).
  void ScrollTimerTick();
  void SkipTrailByte(int& x, int y, int delta, TMbcsByteType byteType) const;

  // Fields. Columns and lines are 0-based.
  EditorHost& FHost;
  std::unique_ptr<TEditorStrings> FLines;
  std::unique_ptr<TRAControlScrollBar95> FScrollBarHorz;
  std::unique_ptr<TRAControlScrollBar95> FScrollBarVert;
  std::unique_ptr<TEditorClient> FEditorClient;
  std::unique_ptr<TKeyboard> FKeyboard;
  std::unique_ptr<TUndoBuffer> FUndoBuffer;
  std::unique_ptr<TCompletion> FCompletion;
  std::unique_ptr<TGutter> FGutter;
  std::unique_ptr<Timer> FScrollTimer;

  bool FWindowCreated = false;
  int FCellWidth = 0;
  int FCellHeight = 0;
  int FVisibleColCount = 0;
  int FVisibleRowCount = 0;
  int FLeftCol = 0;
  int FTopRow = 0;
  int FLastVisibleCol = 0;
  int FLastVisibleRow = 0;
  int FMaxScrollH = 1;
  int FMaxScrollV = 1;
  std::array<int, MaxLineAttr + 1> FCharWidths{};
  int FCaretX = 0;
  int FCaretY = 0;
  bool FSelected = false;
  // Off while TextAttrs gives a line's own colours, without selection or marks.
  bool FMarksShown = true;
  int FSelBegX = 0, FSelBegY = 0, FSelEndX = 0, FSelEndY = 0;
  int FSelAnchorX = 0, FSelAnchorY = 0;
  int FSelUpdBegY = 0, FSelUpdEndY = 0;
  TSelBlockFormat FSelBlockFormat = bfNonInclusive;
  bool FPaintAll = false;
  // While Paint runs: the pixel rows it repaints (the gutter and the right margin are
  // drawn only there, the rest of the window keeps them), and the margin waits to be
  // drawn once after all text rows.
  bool FInPaint = false;
  int FPaintTop = 0;
  int FPaintBottom = 0;
  int FUpdateLock = 0;
  int FCompoundLevel = 0;
  bool FModified = false;
  // Set by the undo buffer while it tells of a step that came back to the save point:
  // Changed then clears Modified instead of setting it.
  bool FBackAtSavePoint = false;
  bool FGroupUndo = true;
  bool FRecording = false;
  std::string FMacroText;
  std::string FLastMacro;
  std::string FTabStops = "3 5";
  std::array<bool, MaxLineAttr + 1> FTabFlags{};
  TLineAttrs FLineAttrs{};
  // Line and run text of PaintLine, kept so that painting reuses their storage.
  std::string FPaintLineText;
  std::string FPaintRunText;
  std::array<TBookmark, 10> FBookmarks{};

  // Key chord state.
  bool FSkipKeyPress = false;
  bool FChordPending = false;
  uint16_t FChordKey = 0;
  TShiftState FChordShift = 0;

  // Mouse state.
  bool FMouseIsDown = false;
  bool FSkipMouseDown = false;
  int FMouseY = 0;
  int FMouseCol = 0;
  int FMouseRow = 0;

  // Published properties.
  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
  TScrollStyle FScrollBars = TScrollStyle::ssBoth;
  int FGutterWidth = 0;
  TColor FGutterColor = clBtnFace;
  bool FRightMarginVisible = true;
  int FRightMargin = 80;
  TColor FRightMarginColor = clSilver;
  bool FInsertMode = true;
  bool FReadOnly = false;
  bool FDoubleClickLine = false;
  bool FSmartTab = true;
  bool FBackSpaceUnindents = true;
  bool FAutoIndent = true;
  bool FKeepTrailingBlanks = false;
  bool FCursorBeyondEOF = false;
  TColor FSelForeColor = clHighlightText;
  TColor FSelBackColor = clHighlight;
  TColor FColor = clWindow;
  TFont FFont;

  friend class TEditorStrings;
  friend class TUndoBuffer;
  friend class TUndo;
  friend class TCaretUndo;
  friend class TInsertUndo;
  friend class TInsertColumnUndo;
  friend class TDeleteUndo;
  friend class TBackspaceUndo;
  friend class TDeleteSelectedUndo;
  friend class TOverwriteUndo;
  friend class TReplaceUndo;
  friend class TReplaceSelectedUndo;
  friend class TSelectUndo;
  friend class TGutter;
  friend class TCompletion;
};

// The published editor: adds no behaviour.
class TRAEditor : public TRACustomEditor {
 public:
  using TRACustomEditor::TRACustomEditor;
};

template <typename TRecord, typename... Args>
void Push(TRACustomEditor* editor, Args&&... args) {
  editor->UndoBuffer()->Add(std::make_unique<TRecord>(editor, std::forward<Args>(args)...));
}
