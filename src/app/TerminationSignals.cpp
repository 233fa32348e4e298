#include "app/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int gPipe[2] = {-1, -1};

void OnSignal(int signal) {
  // Only async-signal-safe work here: one byte into the pipe, errno left as it was.
  const int savedErrno = errno;
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(gPipe[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

TTerminationSignals::TTerminationSignals(QObject* parent) : QObject(parent) {
  if (::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  FNotifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
  connect(FNotifier, &QSocketNotifier::activated, this, &TTerminationSignals::ReadPipe);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

TTerminationSignals::~TTerminationSignals() {
  if (FNotifier == nullptr) return;
  for (int signal : kSignals) std::signal(signal, SIG_DFL);
  delete FNotifier;
  ::close(gPipe[0]);
  ::close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

void TTerminationSignals::ReadPipe() {
  char byte = 0;
  while (::read(gPipe[0], &byte, 1) == 1) emit Received(static_cast<unsigned char>(byte));
}
