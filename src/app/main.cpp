// Program start: the application, the main window, the files named on the command line.
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <exception>

#include "app/MainWindow.h"
#include "app/TerminationSignals.h"

namespace {

// Shows the message of any failure that escapes an event handler and carries on.
class TApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      ShowException(QString::fromStdString(e.what()));
    } catch (...) {
      ShowException(QStringLiteral("Unknown error"));
    }
    return false;
  }

 private:
  static void ShowException(const QString& message) {
    QMessageBox::critical(activeWindow(), applicationDisplayName(), message);
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
  // Work that a crashed or killed copy left behind comes first.
  form.OfferRecovery();
  // Files named on the command line open as the Open command does.
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    form.OpenFile(QFileInfo(arguments[i]).absoluteFilePath());
  }
  return QApplication::exec();
}
