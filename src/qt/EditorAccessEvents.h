#pragma once
// Tells assistive technology what changes in an editor widget while an accessibility
// client listens: the text inserted, removed or replaced (only the changed text, at its
// accessible offset, taken from the lines the line store reports around each change,
// undo and whole-text replacement included), the caret's moves and the selection's
// changes. Costs nothing beyond an empty check while no client listens.
#include <QString>

class EditorWidget;

class EditorAccessEvents {
 public:
  explicit EditorAccessEvents(EditorWidget& widget);
  ~EditorAccessEvents();
  EditorAccessEvents(const EditorAccessEvents&) = delete;
  EditorAccessEvents& operator=(const EditorAccessEvents&) = delete;

  // Reports the text inserted since the last call, then a caret or selection that
  // differs from the last one reported. The widget
  // calls it after each event it handles; changes made from outside (menu commands)
  // are reported from the event loop shortly after.
  void Sync();

  // Changes whose old or new lines are longer than this (a whole script loaded) are not
  // reported as text changes; the caret and selection that follow them are.
  static constexpr int kMaxEventText = 1 << 16;

 private:
  // The text of lines [First, First + Count), each with the line break after it (the
  // last line's break too): the change is found between two such segments.
  QString Segment(int first, int count) const;
  // Where line Line starts in that text (its length for the line after the last).
  int PaddedStart(int line) const;
  int SegmentLength(int first, int count) const;
  void Replacing(int first, int removed);
  void Replaced(int first, int added);
  void SyncLater();
  // Sends the insertion held back to be joined with the next one.
  void FlushInsert();

  EditorWidget& FWidget;
  bool FCapturing = false;
  QString FOldSegment;
  int FOldLength = 0;  // of the whole text with a break after every line
  int FLastCaret = -1;
  int FLastSelStart = 0;
  int FLastSelEnd = 0;
  bool FSyncQueued = false;
  int FPendingPosition = 0;
  QString FPendingInsert;
};
