#pragma once
// The editor's linear undo history: typed records grouped into undo steps, the records
// undone kept for redo until the next change, and the save point.
#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "editor/EditorTypes.h"
#include "editor/LineJournal.h"
#include "util/Bracket.h"

class TRACustomEditor;
class TUndo;

class TUndoBuffer {
 public:
  explicit TUndoBuffer(TRACustomEditor* editor) : Editor(editor) {}
  ~TUndoBuffer();
  TUndoBuffer(const TUndoBuffer&) = delete;
  TUndoBuffer& operator=(const TUndoBuffer&) = delete;

  // Takes ownership of R (dropped while an undo or redo step replays).
  void Add(std::unique_ptr<TUndo> r);
  void Undo();
  // Repeats the step the last Undo undid, exactly: the text, the selection and the caret
  // as they were before that undo. Nothing happens when nothing was undone.
  void Redo();
  void Clear();
  TUndo* LastUndo() const;
  bool IsNewGroup(const TUndo& r) const;
  bool CanUndo() const { return LastUndo() != nullptr; }
  bool CanRedo() const { return UndoPtr + 1 < Count(); }

  // The save point: the undo position (UndoPtr) of the text as last loaded or saved, set
  // by the editor's owner. kNoSavePoint when not known: never set, after Clear, or when a
  // change after an undo discarded the records that led back to it. An undo or redo step
  // that ends at the save point clears the editor's Modified; any other sets it.
  static constexpr int kNoSavePoint = -2;
  void SetSavePoint() { FSavePoint = UndoPtr; }
  int SavePoint() const { return FSavePoint; }
  // Whether the text is as at the save point: no record between it and UndoPtr changes
  // text (caret moves, selections and compound brackets do not). False without one.
  bool AtSavePoint() const;

  // Records made while the returned bracket lasts go to Into instead of the buffer, so
  // that an operation can store what another one recorded in a shorter form.
  auto CapturedInto(std::vector<std::unique_ptr<TUndo>>& into) {
    FCapture = &into;
    return Bracket([this] { FCapture = nullptr; });
  }

  int Count() const { return static_cast<int>(FItems.size()); }
  TUndo* Item(int index) const { return FItems.at(index).get(); }

  TRACustomEditor* Editor;
  int UndoPtr = -1;
  bool Undoing = false;

 private:
  // Runs R's undo, noting what it changes so that its redo can give it back.
  void UndoRecord(TUndo& r, bool stepTop);
  // Refreshes the editor once after a step, as after a whole-text change.
  void StepDone(int topRow, int leftCol);

  std::vector<std::unique_ptr<TUndo>> FItems;
  std::vector<std::unique_ptr<TUndo>>* FCapture = nullptr;
  int FSavePoint = kNoSavePoint;
};

// The caret and the selection of an editor at one moment.
struct TEditorMark {
  int CaretX = 0, CaretY = 0;
  bool Selected = false;
  TSelBlockFormat SelBlockFormat = bfNonInclusive;
  int SelBegX = 0, SelBegY = 0, SelEndX = 0, SelEndY = 0;
};

// What undoing a record changed, kept while the record is undone: the editor's caret and
// selection before, and the lines its undo replaced. StepTop marks the record an undo
// step began with, where the matching redo step ends.
struct TUndone {
  TEditorMark Before;
  LineJournal Lines;
  bool StepTop = false;
};

// Every record's constructor appends the record to its editor's buffer; make records
// with Push<TRecord>(editor, ...).
class TUndo {
 public:
  explicit TUndo(TRACustomEditor* editor) : Editor(editor) {}
  virtual ~TUndo();
  virtual void Undo() = 0;
  // Repeats the record's change, once it was undone: every record puts back the lines its
  // undo replaced and the caret and selection it found, so a redone change is exactly the
  // change as first made (the records an undo took along with it have nothing to do).
  virtual void Redo();
  // Whether the redo needs the lines the undo replaced noted (a record that can repeat its
  // change from its own fields keeps no copy of them).
  virtual bool RedoNeedsJournal() const { return true; }
  TRACustomEditor* Editor;
  // Set while the record is undone.
  std::unique_ptr<TUndone> Undone;

 protected:
  // The caret and the selection as they were before the undo.
  void RestoreMark(const TEditorMark& mark);
};

class TCaretUndo : public TUndo {
 public:
  TCaretUndo(TRACustomEditor* editor, int caretX, int caretY)
      : TUndo(editor), CaretX(caretX), CaretY(caretY) {}
  void Undo() override;
  int CaretX;
  int CaretY;
};

class TInsertUndo : public TCaretUndo {
 public:
  TInsertUndo(TRACustomEditor* editor, int caretX, int caretY, std::string text)
      : TCaretUndo(editor, caretX, caretY), Text(std::move(text)) {}
  void Undo() override;
  std::string Text;
};

class TReLineUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
};

class TInsertTabUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
};

class TInsertColumnUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
  void Undo() override;
  // Noted by the paste, so that undo gives the lines back exactly (blanks at their ends,
  // lines added below the text): the line count before the paste and the lines from
  // CaretY it changed, as they were; OldCount -1 when unknown.
  int OldCount = -1;
  std::vector<std::string> OldLines;
};

class TDeleteUndo : public TInsertUndo {
 public:
  using TInsertUndo::TInsertUndo;
  void Undo() override;
};

class TDeleteTrailUndo : public TDeleteUndo {
 public:
  using TDeleteUndo::TDeleteUndo;
};

class TBackspaceUndo : public TDeleteUndo {
 public:
  using TDeleteUndo::TDeleteUndo;
  void Undo() override;
  // For a joined line (Text CR): the column of line CaretY - 1 where the break stood,
  // noted by the undo buffer when the record is added (before the join); -1 unknown.
  int JoinX = -1;
};

class TDeleteSelectedUndo : public TDeleteUndo {
 public:
  TDeleteSelectedUndo(TRACustomEditor* editor, int caretX, int caretY, std::string text,
                      TSelBlockFormat format, int selBegX, int selBegY, int selEndX, int selEndY)
      : TDeleteUndo(editor, caretX, caretY, std::move(text)),
        SelBegX(selBegX),
        SelBegY(selBegY),
        SelEndX(selEndX),
        SelEndY(selEndY),
        SelBlockFormat(format) {}
  void Undo() override;
  int SelBegX, SelBegY, SelEndX, SelEndY;
  TSelBlockFormat SelBlockFormat;
  // Noted by DeleteSelected, so that undo puts the text back exactly. Stream formats: the
  // text offset it was removed at (a begin beyond its line's end counts from that end),
  // -1 unknown. bfColumn: the lines SelBegY.. as they were, null when unknown (held apart:
  // a Replace All keeps one record per replacement, none of them a column).
  int DeletedAt = -1;
  std::unique_ptr<std::vector<std::string>> OldLines;
};

// A stream selection replaced by a text, as SetSelText does it, in one record instead of
// its compound group of four (Replace All keeps one per occurrence). Undo takes the new
// text away where it went in, with the caret there, then gives the deleted selection back
// as TDeleteSelectedUndo does.
class TReplaceSelectedUndo : public TDeleteSelectedUndo {
 public:
  // Takes the texts of both records.
  TReplaceSelectedUndo(TDeleteSelectedUndo& deleted, TInsertUndo& inserted);
  // The records of a SetSelText that did just that (its compound brackets, the deletion
  // and the insertion), as one record; null when Records hold anything else.
  static std::unique_ptr<TReplaceSelectedUndo> Fold(std::vector<std::unique_ptr<TUndo>>& records);
  void Undo() override;
  // Deletes the selection's text again and puts the new text where it went in.
  void Redo() override;
  bool RedoNeedsJournal() const override { return false; }
  // Where the new text went in (a caret position) and the text.
  int InsertX, InsertY;
  std::string NewText;
};

class TOverwriteUndo : public TCaretUndo {
 public:
  TOverwriteUndo(TRACustomEditor* editor, int caretX, int caretY, std::string oldText,
                 std::string newText)
      : TCaretUndo(editor, caretX, caretY),
        OldText(std::move(oldText)),
        NewText(std::move(newText)) {}
  void Undo() override;
  std::string OldText;
  std::string NewText;
};

class TReplaceUndo : public TCaretUndo {
 public:
  TReplaceUndo(TRACustomEditor* editor, int caretX, int caretY, int begPos, int endPos,
               std::string oldText, std::string newText)
      : TCaretUndo(editor, caretX, caretY),
        BegPos(begPos),
        EndPos(endPos),
        OldText(std::move(oldText)),
        NewText(std::move(newText)) {}
  void Undo() override;
  int BegPos, EndPos;
  std::string OldText, NewText;
};

class TSelectUndo : public TCaretUndo {
 public:
  TSelectUndo(TRACustomEditor* editor, int caretX, int caretY, bool selected,
              TSelBlockFormat format, int selBegX, int selBegY, int selEndX, int selEndY)
      : TCaretUndo(editor, caretX, caretY),
        Selected(selected),
        SelBlockFormat(format),
        SelBegX(selBegX),
        SelBegY(selBegY),
        SelEndX(selEndX),
        SelEndY(selEndY) {}
  void Undo() override;
  bool Selected;
  TSelBlockFormat SelBlockFormat;
  int SelBegX, SelBegY, SelEndX, SelEndY;
};

class TUnselectUndo : public TSelectUndo {
 public:
  using TSelectUndo::TSelectUndo;
};

class TBeginCompoundUndo : public TUndo {
 public:
  using TUndo::TUndo;
  void Undo() override {}
};

class TEndCompoundUndo : public TBeginCompoundUndo {
 public:
  using TBeginCompoundUndo::TBeginCompoundUndo;
};

// Creates a record and appends it to the editor's undo buffer.
template <typename TRecord, typename... Args>
void Push(TRACustomEditor* editor, Args&&... args);
