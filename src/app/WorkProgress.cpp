#include "app/WorkProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

namespace {

constexpr int kSteps = 1000;
constexpr int kShowAfterMs = 400;
constexpr qint64 kEventsEveryMs = 30;

}  // namespace

TWorkProgress::TWorkProgress(QWidget* parent, const QString& label)
    : FDialog(new QProgressDialog(label, QStringLiteral("Cancel"), 0, kSteps, parent)) {
  FDialog->setWindowTitle(QStringLiteral("MarvekWorld Script Editor"));
  FDialog->setWindowModality(Qt::ApplicationModal);
  FDialog->setMinimumDuration(kShowAfterMs);
  FDialog->setAutoClose(false);
  FDialog->setAutoReset(false);
  FDialog->setValue(0);
  FClock.start();
}

TWorkProgress::~TWorkProgress() {
  delete FDialog.data();
}

bool TWorkProgress::Advance(qint64 done, qint64 total) {
  if (!FDialog) return false;
  const qint64 now = FClock.elapsed();
  if (now - FLastEvents >= kEventsEveryMs) {
    FLastEvents = now;
    const qint64 step = total > 0 ? done * kSteps / total : 0;
    FDialog->setValue(static_cast<int>(std::clamp<qint64>(step, 0, kSteps - 1)));
    QCoreApplication::processEvents();
  }
  return !Cancelled();
}

void TWorkProgress::SetLabel(const QString& label) {
  if (FDialog) FDialog->setLabelText(label);
}

bool TWorkProgress::Cancelled() const {
  return !FDialog || FDialog->wasCanceled();
}
