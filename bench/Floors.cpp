#include "Floors.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <utility>
#include <vector>

namespace {

// Quits the application once the watched widget's first paint is done.
class FirstPaintQuit : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !FDone) {
      FDone = true;
      // The paint itself runs after the filter: the line is written once it is done.
      QMetaObject::invokeMethod(
          this,
          [] {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QApplication::quit();
          },
          Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool FDone = false;
};

}  // namespace

double LoadFloorMilliseconds(const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string text(static_cast<size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  std::vector<std::pair<uint32_t, uint32_t>> lines;
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  for (const char* p = begin; p < end;) {
    const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* lineEnd = lf ? lf : end;
    const char* body = lineEnd > p && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
    lines.emplace_back(static_cast<uint32_t>(p - begin), static_cast<uint32_t>(body - p));
    p = lineEnd + 1;
  }
  const auto stop = std::chrono::steady_clock::now();
  if (lines.empty()) std::fputs("editor_bench: empty script\n", stderr);
  return std::chrono::duration<double, std::milli>(stop - start).count();
}

double StartMilliseconds(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment) {
  QProcess process;
  QStringList args;
  for (const std::string& a : arguments) args << QString::fromStdString(a);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const std::string& e : environment) {
    const auto eq = e.find('=');
    env.insert(QString::fromStdString(e.substr(0, eq)), QString::fromStdString(e.substr(eq + 1)));
  }
  process.setProcessEnvironment(env);
  process.setProcessChannelMode(QProcess::SeparateChannels);
  process.setStandardErrorFile(QProcess::nullDevice());
  QElapsedTimer timer;
  timer.start();
  process.start(QString::fromStdString(program), args);
  double ms = -1;
  while (process.waitForReadyRead(20000)) {
    if (process.canReadLine()) {
      ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
      break;
    }
  }
  if (!process.waitForFinished(20000)) process.kill();
  process.waitForFinished();
  return ms;
}

int RunStartFloor(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  FirstPaintQuit quit;
  window.installEventFilter(&quit);
  window.show();
  return QApplication::exec();
}
