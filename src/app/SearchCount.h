#pragma once
// The status bar's count of a search in one document: "3 of 17" while the selection is
// an occurrence, "17 matches" otherwise. It is counted once per change of the text or the
// search, a slice at a time between the events of the user-interface thread, so typing
// in a million-line script never waits for it; an answer that takes longer than 100 ms
// shows as "counting..." until it comes.
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include "editor/EditorSearch.h"
#include "editor/LineList.h"
#include "editor/MatchCounter.h"

class QTimer;
class TRACustomEditor;

class TSearchCount : public QObject, private LineListObserver {
  Q_OBJECT
 public:
  TSearchCount(TRACustomEditor& editor, QObject* parent = nullptr);
  ~TSearchCount() override;

  // Counts Options from now on; an empty text (or an invalid pattern) counts nothing.
  void SetSearch(const editorsearch::TSearchOptions& options);
  // What the status bar shows; empty without a search.
  QString Text() const;
  // Whether the count is complete for the current text and search.
  bool Done() const { return !FPending && FCounter.Done(); }

 private:
  void LinesReplacing(int first, int removed) override;
  void LinesReplaced(int first, int added) override;
  // Starts over (once the edit that asked for it is over), then counts a slice.
  void Restart();
  void Step();

  TRACustomEditor& FEditor;
  editorsearch::TSearchOptions FOptions;
  TMatchCounter FCounter;
  QTimer* FTimer = nullptr;
  // Since the count was last asked for; "counting..." after 100 ms of it.
  QElapsedTimer FAsked;
  // The last complete answer, shown while a new count is on its way.
  QString FLastAnswer;
  bool FPending = false;
  // The number of the occurrence last asked about, kept until the count starts over:
  // the status refresh asks every 100 ms.
  mutable int FNumberLine = -1;
  mutable int FNumberCol = -1;
  mutable int FNumber = 0;
};
