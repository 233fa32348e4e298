#include "app/SearchCount.h"

#include <QTimer>
#include <chrono>

#include "app/OccurrenceMarks.h"
#include "editor/RAEditor.h"

namespace {
// The longest slice of counting between two looks at the event queue.
constexpr auto kSlice = std::chrono::milliseconds(8);
constexpr qint64 kPatienceMs = 100;

QString Matches(int total) {
  if (total == 0) return QStringLiteral("No matches");
  return total == 1 ? QStringLiteral("1 match") : QStringLiteral("%1 matches").arg(total);
}
}  // namespace

TSearchCount::TSearchCount(TRACustomEditor& editor, QObject* parent)
    : QObject(parent), FEditor(editor) {
  FTimer = new QTimer(this);
  FTimer->setInterval(0);
  connect(FTimer, &QTimer::timeout, this, &TSearchCount::Step);
  FEditor.Lines().Store().AddObserver(this);
}

TSearchCount::~TSearchCount() {
  FEditor.Lines().Store().RemoveObserver(this);
}

void TSearchCount::SetSearch(const editorsearch::TSearchOptions& options) {
  // Find Next with the same search keeps the count it has.
  if (SameSearch(options, FOptions)) return;
  FOptions = options;
  FLastAnswer.clear();
  Restart();
}

void TSearchCount::LinesReplacing(int, int) {}

void TSearchCount::LinesReplaced(int, int) {
  // Told inside the edit: the count starts over once the event loop runs again.
  // A Replace All tells this once per replacement, so only the first one does anything.
  if (FOptions.Text.empty() || FPending) return;
  FPending = true;
  FAsked.start();
  FTimer->start();
}

void TSearchCount::Restart() {
  FPending = false;
  FNumberLine = -1;
  FCounter.Start(FOptions);
  FAsked.start();
  if (FCounter.Done()) {
    FTimer->stop();
  } else {
    FTimer->start();
  }
}

void TSearchCount::Step() {
  if (FPending) {
    const QElapsedTimer asked = FAsked;
    Restart();
    FAsked = asked;
  }
  if (FCounter.Step(FEditor.Lines(), TMatchCounter::TClock::now() + kSlice)) {
    FTimer->stop();
    FLastAnswer = Matches(FCounter.Total());
  }
}

QString TSearchCount::Text() const {
  if (FOptions.Text.empty()) return QString();
  if (FOptions.RegularExpression && !FOptions.Matcher) return QString();
  if (!Done()) return FAsked.elapsed() >= kPatienceMs ? QStringLiteral("counting...") : FLastAnswer;
  const int total = FCounter.Total();
  if (total > 0 && FEditor.Selected()) {
    // Only a selection that an occurrence starts at is asked whether it is that
    // occurrence: a pattern's search from elsewhere may run far.
    if (FNumberLine != FEditor.SelBegY() || FNumberCol != FEditor.SelBegX()) {
      FNumberLine = FEditor.SelBegY();
      FNumberCol = FEditor.SelBegX();
      FNumber = FCounter.NumberAt(FEditor.Lines(), FNumberLine, FNumberCol);
    }
    if (FNumber > 0 && editorsearch::SelectionMatches(FEditor, FOptions))
      return QStringLiteral("%1 of %2").arg(FNumber).arg(total);
  }
  return Matches(total);
}
