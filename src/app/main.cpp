// Program start: the command line, the application, the main window, the files named on
// the command line.
#include <QApplication>
#include <QFileInfo>
#include <cstdio>

#include "app/ChildForm.h"
#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/TerminationSignals.h"
#include "highlight/RAHLEditor.h"
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

// The arguments as the application object would give them; read before it exists, so
// that --help and --version need no display.
QStringList ArgumentsOf(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
  const TCommandLine command = ParseCommandLine(ArgumentsOf(argc, argv));
  if (command.ExitCode) {
    std::fputs(command.Output.toLocal8Bit().constData(), *command.ExitCode == 0 ? stdout : stderr);
    return *command.ExitCode;
  }
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
  for (const TFileToOpen& file : command.Files) {
    TChildForm* child = form.OpenFile(QFileInfo(file.Path).absoluteFilePath());
    if (child != nullptr && file.Line > 0) child->Editor1().SetCaret(0, file.Line - 1);
  }
  return QApplication::exec();
}
