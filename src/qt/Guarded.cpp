#include "qt/Guarded.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace {

ErrorReporter& Reporter() {
  static ErrorReporter reporter;
  return reporter;
}

}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
  return std::exchange(Reporter(), std::move(reporter));
}

void ShowErrorBox(QWidget* parent, const std::string& message) {
  const QPointer<QWidget> owner(parent);
  const QString text = QString::fromStdString(message);
  QMetaObject::invokeMethod(
      qApp,
      [owner, text] {
        QMessageBox::critical(owner.data(), QApplication::applicationDisplayName(), text);
      },
      Qt::QueuedConnection);
}

void ReportError(QWidget* parent, const std::string& message) noexcept {
  try {
    if (Reporter()) {
      Reporter()(parent, message);
    } else {
      ShowErrorBox(parent, message);
    }
  } catch (...) {
    // Nothing is left to report a failing report with; the program goes on.
  }
}
