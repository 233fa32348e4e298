#include "qt/EditorAccessEvents.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QMetaObject>
#include <algorithm>

#include "editor/RAEditor.h"
#include "qt/AccessibleEventSink.h"
#include "qt/AccessibleTextMap.h"
#include "qt/EditorWidget.h"

namespace {

AccessibleTextMap MapOf(EditorWidget& widget) {
  return AccessibleTextMap(widget.Editor().Lines());
}

// Length of the text with a break after every line: one more than the accessible
// text's when there is a line.
int PaddedLength(const AccessibleTextMap& map, int count) {
  return count == 0 ? 0 : map.CharacterCount() + 1;
}

}  // namespace

EditorAccessEvents::EditorAccessEvents(EditorWidget& widget) : FWidget(widget) {
  LineList& store = widget.Editor().Lines().Store();
  store.OnReplacing = [this](int first, int removed) { Replacing(first, removed); };
  store.OnReplaced = [this](int first, int added) { Replaced(first, added); };
}

EditorAccessEvents::~EditorAccessEvents() {
  LineList& store = FWidget.Editor().Lines().Store();
  store.OnReplacing = nullptr;
  store.OnReplaced = nullptr;
}

int EditorAccessEvents::PaddedStart(int line) const {
  const AccessibleTextMap map = MapOf(FWidget);
  const int lines = FWidget.Editor().Lines().Count();
  return line < lines ? map.LineStart(line) : PaddedLength(map, lines);
}

int EditorAccessEvents::SegmentLength(int first, int count) const {
  return PaddedStart(first + count) - PaddedStart(first);
}

QString EditorAccessEvents::Segment(int first, int count) const {
  if (count == 0) return {};
  const AccessibleTextMap map = MapOf(FWidget);
  const int start = map.LineStart(first);
  if (first + count < FWidget.Editor().Lines().Count())
    return map.Text(start, map.LineStart(first + count));
  return map.Text(start, map.CharacterCount()) + QLatin1Char('\n');
}

void EditorAccessEvents::Replacing(int first, int removed) {
  FCapturing = AccessibleEventSink::Listening();
  if (!FCapturing) return;
  FOldLength = PaddedLength(MapOf(FWidget), FWidget.Editor().Lines().Count());
  const bool small = SegmentLength(first, removed) <= kMaxEventText;
  FOldSegment = small ? Segment(first, removed) : QString();
  FCapturing = small;
}

// Compares the old segment with the new one: what they share at both ends did not change.
// In the text with a break after every line, a change that reaches the end takes the last
// break with it; in the accessible text, which has no last break, the same change lies
// one character earlier and starts with a break instead (or, at offset 0, has none).
void EditorAccessEvents::Replaced(int first, int added) {
  if (!FCapturing) return;
  FCapturing = false;
  if (SegmentLength(first, added) > kMaxEventText) return;
  const QString oldText = std::move(FOldSegment);
  const QString newText = Segment(first, added);
  qsizetype prefix = 0;
  const qsizetype shorter = std::min(oldText.size(), newText.size());
  while (prefix < shorter && oldText[prefix] == newText[prefix]) ++prefix;
  qsizetype suffix = 0;
  while (suffix < shorter - prefix &&
         oldText[oldText.size() - 1 - suffix] == newText[newText.size() - 1 - suffix])
    ++suffix;
  QString removed = oldText.mid(prefix, oldText.size() - prefix - suffix);
  QString inserted = newText.mid(prefix, newText.size() - prefix - suffix);
  if (removed.isEmpty() && inserted.isEmpty()) return;
  int position = PaddedStart(first) + static_cast<int>(prefix);
  if (position + removed.size() == FOldLength) {
    for (QString* s : {&removed, &inserted}) {
      if (s->isEmpty()) continue;
      s->chop(1);
      if (position > 0) s->prepend(QLatin1Char('\n'));
    }
    if (position > 0) --position;
  }
  QObject* object = &FWidget;
  if (removed.isEmpty()) {
    // An insertion that goes on where the last one ended (the blanks that pad a line, then
    // the character typed after them) is told as one, once the edit is done.
    if (!FPendingInsert.isEmpty() && position == FPendingPosition + FPendingInsert.size()) {
      FPendingInsert += inserted;
    } else {
      FlushInsert();
      FPendingPosition = position;
      FPendingInsert = inserted;
    }
    SyncLater();
    return;
  }
  FlushInsert();
  if (inserted.isEmpty()) {
    QAccessibleTextRemoveEvent event(object, position, removed);
    AccessibleEventSink::Send(event);
  } else {
    QAccessibleTextUpdateEvent event(object, position, removed, inserted);
    AccessibleEventSink::Send(event);
  }
  SyncLater();
}

void EditorAccessEvents::FlushInsert() {
  if (FPendingInsert.isEmpty()) return;
  QAccessibleTextInsertEvent event(&FWidget, FPendingPosition, FPendingInsert);
  FPendingInsert.clear();
  AccessibleEventSink::Send(event);
}

void EditorAccessEvents::SyncLater() {
  if (FSyncQueued) return;
  FSyncQueued = true;
  QMetaObject::invokeMethod(
      &FWidget,
      [this] {
        FSyncQueued = false;
        Sync();
      },
      Qt::QueuedConnection);
}

void EditorAccessEvents::Sync() {
  FlushInsert();
  if (!AccessibleEventSink::Listening()) return;
  const TRACustomEditor& editor = FWidget.Editor();
  const AccessibleTextMap map = MapOf(FWidget);
  const int caret = map.OffsetOf(editor.CaretY(), editor.CaretX());
  int selStart = 0;
  int selEnd = 0;
  if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&FWidget)) {
    if (QAccessibleTextInterface* text = iface->textInterface())
      text->selection(0, &selStart, &selEnd);
  }
  if (selStart != FLastSelStart || selEnd != FLastSelEnd) {
    FLastSelStart = selStart;
    FLastSelEnd = selEnd;
    QAccessibleTextSelectionEvent event(&FWidget, selStart, selEnd);
    event.setCursorPosition(caret);
    AccessibleEventSink::Send(event);
  }
  if (caret != FLastCaret) {
    FLastCaret = caret;
    QAccessibleTextCursorEvent event(&FWidget, caret);
    AccessibleEventSink::Send(event);
  }
}
