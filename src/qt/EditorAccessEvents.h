#pragma once
// Tells assistive technology what changes in an editor widget while an accessibility
// client listens: the text inserted, removed or replaced (only the changed text, at its
// accessible offset, taken from the lines the line store reports around each change,
// undo and whole-text replacement included), the caret's moves and the selection's
// changes. The changes of one group of the line store (an undo step, a Replace All) are
// told as one. Costs nothing beyond an empty check while no client listens.
#include <QString>
#include <vector>

#include "editor/LineList.h"

class EditorWidget;

class EditorAccessEvents final : public LineListObserver {
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
  void LinesReplacing(int first, int removed) override;
  void LinesReplaced(int first, int added) override;
  void GroupEnded() override { Report(); }
  // Tells of the lines changed since the first LinesReplacing, as one event.
  void Report();
  void SyncLater();
  // Sends the insertion held back to be joined with the next one.
  void FlushInsert();

  EditorWidget& FWidget;
  // The old text of the lines changed so far (while it is short enough to be told).
  QString OldText() const;

  // The lines changed so far, [FFirst, FEnd) in today's indices, and their text before
  // the first change: the pieces found in front of them (the latest first) and the rest.
  bool FCapturing = false;
  bool FTooLong = false;
  int FFirst = 0;
  int FEnd = 0;
  int FRemoved = 0;
  std::vector<QString> FOldFront;
  QString FOldSegment;
  qsizetype FOldSize = 0;
  int FOldLength = 0;  // of the whole text with a break after every line
  int FLastCaret = -1;
  int FLastSelStart = 0;
  int FLastSelEnd = 0;
  bool FSyncQueued = false;
  int FPendingPosition = 0;
  QString FPendingInsert;
};
