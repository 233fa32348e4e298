#pragma once
// The editor's linear undo history: typed records grouped into undo steps.
#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "editor/EditorTypes.h"

class TRACustomEditor;
class TUndo;

class TUndoBuffer {
 public:
  explicit TUndoBuffer(TRACustomEditor* editor) : Editor(editor) {}
  ~TUndoBuffer();
  TUndoBuffer(const TUndoBuffer&) = delete;
  TUndoBuffer& operator=(const TUndoBuffer&) = delete;

  // Takes ownership of R (dropped while an undo step replays).
  void Add(std::unique_ptr<TUndo> r);
  void Undo();
  void Redo();
  void Clear();
  TUndo* LastUndo() const;
  bool IsNewGroup(const TUndo& r) const;
  bool CanUndo() const { return LastUndo() != nullptr; }

  int Count() const { return static_cast<int>(FItems.size()); }
  TUndo* Item(int index) const { return FItems.at(index).get(); }

  TRACustomEditor* Editor;
  int UndoPtr = -1;
  bool Undoing = false;

 private:
  std::vector<std::unique_ptr<TUndo>> FItems;
};

// Every record's constructor appends the record to its editor's buffer; make records
// with Push<TRecord>(editor, ...).
class TUndo {
 public:
  explicit TUndo(TRACustomEditor* editor) : Editor(editor) {}
  virtual ~TUndo() = default;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  TRACustomEditor* Editor;
};

class TCaretUndo : public TUndo {
 public:
  TCaretUndo(TRACustomEditor* editor, int caretX, int caretY)
      : TUndo(editor), CaretX(caretX), CaretY(caretY) {}
  void Undo() override;
  void Redo() override;
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
  void Redo() override {}
};

class TEndCompoundUndo : public TBeginCompoundUndo {
 public:
  using TBeginCompoundUndo::TBeginCompoundUndo;
};

// Creates a record and appends it to the editor's undo buffer.
template <typename TRecord, typename... Args>
void Push(TRACustomEditor* editor, Args&&... args);
