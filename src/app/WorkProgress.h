#pragma once
// Long work on the user-interface thread, done in short steps. After a moment a progress
// dialog with Cancel says how far the work is; between the steps the program's events are
// handled, so it never stops answering for more than a moment. The dialog is modal: the
// documents stay as they are while the work reads them.
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

class QWidget;

class TWorkProgress {
 public:
  TWorkProgress(QWidget* parent, const QString& label);
  ~TWorkProgress();
  TWorkProgress(const TWorkProgress&) = delete;
  TWorkProgress& operator=(const TWorkProgress&) = delete;

  // The work has done Done of Total; false once the user cancelled. Cheap when called
  // often: the dialog and the events are seen to a few dozen times a second.
  bool Advance(qint64 done, qint64 total);
  void SetLabel(const QString& label);
  bool Cancelled() const;
  // The dialog, for tests that press Cancel.
  QProgressDialog* Dialog() const { return FDialog; }

 private:
  QPointer<QProgressDialog> FDialog;
  QElapsedTimer FClock;
  qint64 FLastEvents = 0;
};
