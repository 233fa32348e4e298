// Program start: the application, the main window, the files named on the command line.
#include <QApplication>
#include <QFileInfo>

#include "app/FirstPaint.h"
#include "app/MainWindow.h"
#include "app/TerminationSignals.h"
#include "qt/Guarded.h"

namespace {

// The last net under every event: a failure that an entry did not guard itself is
// reported the one way (qt/Guarded.h) and the program carries on.
class TApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    bool handled = false;
    Guarded(activeWindow(), [&] { handled = QApplication::notify(receiver, event); });
    return handled;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  TApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("MarvekWorld"));
  QApplication::setApplicationName(QStringLiteral("MarvekEdit"));
  // Lets the desktop match the windows to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.marvekworld.marvekedit"));
  TForm1 form;
  TTerminationSignals endings;
  QObject::connect(&endings, &TTerminationSignals::Received, &form, &TForm1::EndBySignal);
  form.show();
  QuitAfterFirstPaintWhenAsked(form);
  // Work that a crashed or killed copy left behind comes first.
  form.OfferRecovery();
  // Files named on the command line open as the Open command does.
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    form.OpenFile(QFileInfo(arguments[i]).absoluteFilePath());
  }
  return QApplication::exec();
}
