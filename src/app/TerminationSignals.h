#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in a terminal) as a Qt signal.
// The handler only writes the signal's number into a pipe; the event loop reads it
// there, so every reaction runs on the user-interface thread like any other event.
#include <QObject>

class QSocketNotifier;

class TTerminationSignals : public QObject {
  Q_OBJECT
 public:
  // Installs the handlers; one object per program.
  explicit TTerminationSignals(QObject* parent = nullptr);
  ~TTerminationSignals() override;

 signals:
  void Received(int signal);

 private:
  void ReadPipe();

  QSocketNotifier* FNotifier = nullptr;
};
