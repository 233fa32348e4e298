// The editor workloads: one highlighting editor in an editor widget of 820 x 660 pixels
// on a 100,000-line script, workloads in a fixed order, each ending with one full paint.
// Prints "name  value ms" (median of the runs) and the peak resident memory.
//
//   editor_bench [--runs N] [script.csm]
//
// idle runs on the application's main window with the script open in a document window;
// draft there too, timing the user-interface thread's part of one recovery draft.
// load-utf8 loads the same script with one non-ASCII character per hundred lines, written
// as UTF-8, after the memory peak of the other workloads is taken; load-cyrillic and
// load-sjis the same script with a Cyrillic or a Japanese comment on every hundredth line,
// as UTF-8, converted into the code page that holds them (Windows-1251, Shift-JIS).
//
// Without a script, ../shared/bench/gen_script.py writes one into a temporary folder.
#include <sys/resource.h>
#include <unistd.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/ChildForm.h"
#include "app/LineNumbers.h"
#include "app/MainWindow.h"
#include "app/RecoveryDrafts.h"
#include "editor/EditorSearch.h"
#include "highlight/RAHLEditor.h"
#include "qt/AccessibleEventSink.h"
#include "qt/EditorWidget.h"
#include "util/CodePage.h"
#include "util/TextCodec.h"

namespace {

constexpr int kLines = 100000;
constexpr int kViewportWidth = 820;
constexpr int kViewportHeight = 660;

struct Options {
  int Runs = 5;
  std::string Script;
};

Options ParseArguments(const QStringList& args) {
  Options o;
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == "--runs" && i + 1 < args.size()) {
      o.Runs = std::max(1, args[++i].toInt());
    } else {
      o.Script = args[i].toStdString();
    }
  }
  return o;
}

// The file in one string of its size, as opening a document reads it.
std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return {};
  std::string text(static_cast<size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(in.gcount()));
  return text;
}

// Writes the benchmark script with the shared generator; empty on failure.
std::string GenerateScript(const QTemporaryDir& dir) {
  const QString out = dir.filePath("big.csm");
  const QString generator = QStringLiteral(MARVEK_SHARED_DIR "/bench/gen_script.py");
  const int rc = QProcess::execute("python3", {generator, QString::number(kLines), out});
  if (rc != 0) return {};
  return out.toStdString();
}

// The document window's editor.
std::unique_ptr<TRACustomEditor> MakeScriptEditor(EditorHost& host) {
  auto editor = std::make_unique<TRAHLEditor>(host);
  ConfigureScriptEditor(*editor);
  return editor;
}

// A shown, focused widget whose viewport is exactly 820 x 660.
std::unique_ptr<EditorWidget> MakeWidget() {
  auto widget = std::make_unique<EditorWidget>(MakeScriptEditor);
  widget->resize(kViewportWidth + 40, kViewportHeight + 40);
  widget->show();
  QApplication::processEvents();
  const QSize extra = widget->size() - widget->viewport()->size();
  widget->resize(kViewportWidth + extra.width(), kViewportHeight + extra.height());
  widget->activateWindow();
  widget->setFocus();
  QApplication::processEvents();
  const QSize viewport = widget->viewport()->size();
  if (viewport != QSize(kViewportWidth, kViewportHeight)) {
    std::fprintf(stderr, "editor_bench: viewport %d x %d\n", viewport.width(), viewport.height());
  }
  return widget;
}

void FullPaint(EditorWidget& w) {
  w.Invalidate();
  w.UpdateNow();
}

void PressKey(EditorWidget& w, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&w, &press);
}

// One notch of a mouse wheel turned towards the user, over the middle of the text.
void WheelDown(EditorWidget& w) {
  const QPointF at(kViewportWidth / 2.0, kViewportHeight / 2.0);
  QWheelEvent wheel(at, w.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w.viewport(), &wheel);
}

// What Open does with the bytes it read: finds their encoding and decodes them in place,
// then fills the line store. (Bytes of the code page are left as they are, so the script
// of the other workloads serves every run.)
void OpenBytes(EditorWidget& w, std::string& bytes) {
  textcodec::Decode(bytes);
  w.Editor().Lines().SetTextStr(bytes);
  FullPaint(w);
}

// What Open does with UTF-8 bytes whose characters one code page holds: finds the code
// page, converts the bytes into it in place, and fills the line store of an editor of
// that code page.
void OpenInItsCodePage(EditorWidget& w, std::string& bytes) {
  const codepage::TUtf8Scan scan = codepage::ScanUtf8(bytes);
  const TCodePage page = codepage::FirstHolding(scan.Chars).value_or(TCodePage::cp1252);
  codepage::FromUtf8(bytes, page);
  w.SetCodePage(page);
  w.Editor().Lines().SetTextStr(bytes);
  FullPaint(w);
}

// Text with Suffix (UTF-8) at the end of every hundredth line.
std::string WithEveryHundredth(const std::string& text, std::string_view suffix) {
  std::string out;
  out.reserve(text.size() + text.size() / 1000);
  size_t line = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    size_t body = end;
    while (body > start && (text[body - 1] == '\n' || text[body - 1] == '\r')) --body;
    out.append(text, start, body - start);
    if (++line % 100 == 0) out += suffix;
    out.append(text, body, end - body);
    start = end;
  }
  return out;
}

struct Workload {
  const char* Name;
  std::function<void(EditorWidget&)> Prepare;  // untimed
  std::function<void(EditorWidget&)> Run;      // timed, full paint included
};

// Text holds the file only while it is loaded: the editor's memory is measured without a
// copy of the benchmark's own, as after Open, which drops what it read once it is loaded.
std::vector<Workload> Workloads(const std::string& path, std::string& text) {
  return {
      {"load", [&path, &text](EditorWidget&) { text = ReadFile(path); },
       [&text](EditorWidget& w) {
         w.Editor().Lines().SetTextStr(text);
         std::string().swap(text);
         FullPaint(w);
       }},
      {"type1000", [](EditorWidget& w) { w.Editor().SetCaret(0, 50000); },
       [](EditorWidget& w) {
         for (int i = 0; i < 1000; ++i) PressKey(w, Qt::Key_A, QStringLiteral("a"));
         FullPaint(w);
       }},
      {"undo", nullptr,
       [](EditorWidget& w) {
         w.Editor().Command(cmdUndo);
         FullPaint(w);
       }},
      {"return200", nullptr,
       [](EditorWidget& w) {
         for (int i = 0; i < 200; ++i) PressKey(w, Qt::Key_Return, QStringLiteral("\r"));
         FullPaint(w);
       }},
      // The hundredth repaint is the workload's closing full paint.
      {"paint100", [](EditorWidget& w) { w.Editor().SetLeftTop(w.Editor().LeftCol(), 60000); },
       [](EditorWidget& w) {
         for (int i = 0; i < 100; ++i) FullPaint(w);
       }},
      {"scroll100", [](EditorWidget& w) { w.Editor().SetLeftTop(w.Editor().LeftCol(), 60000); },
       [](EditorWidget& w) {
         for (int i = 0; i < 100; ++i) {
           WheelDown(w);
           w.UpdateNow();
         }
         FullPaint(w);
       }},
      // The Replace All that the document window's Replace dialog runs.
      {"replaceall", nullptr,
       [](EditorWidget& w) {
         editorsearch::ReplaceAll(w.Editor(), {"GetCameraStatus", true}, "GetCameraState");
         FullPaint(w);
       }},
      // paint100 with the gutter's line numbers on, as the View menu shows them.
      {"paint100ln",
       [](EditorWidget& w) {
         TRACustomEditor& e = w.Editor();
         e.OnPaintGutter = [](TRACustomEditor* sender, Canvas& canvas) {
           PaintLineNumbers(*sender, canvas);
           PaintBookmarkNumbers(*sender, canvas);
         };
         e.SetGutterWidth(ScriptGutterWidth(e, true));
         e.SetLeftTop(e.LeftCol(), 60000);
       },
       [](EditorWidget& w) {
         for (int i = 0; i < 100; ++i) FullPaint(w);
       }},
      // Caret moves in the middle of the script while an accessibility client listens and,
      // as a screen reader does, reads the line the caret arrives on.
      {"a11y-caret",
       [](EditorWidget& w) { w.Editor().SetCaret(0, w.Editor().Lines().Count() / 2); },
       [](EditorWidget& w) {
         AccessibleEventSink::SetObserver([](QAccessibleEvent* event) {
           if (event->type() != QAccessible::TextCaretMoved) return;
           const int caret = static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition();
           int start = 0;
           int end = 0;
           event->accessibleInterface()->textInterface()->textAtOffset(
               caret, QAccessible::LineBoundary, &start, &end);
         });
         for (int i = 0; i < 1000; ++i) PressKey(w, Qt::Key_Down, QString());
         AccessibleEventSink::SetObserver(nullptr);
         FullPaint(w);
       }},
  };
}

double Milliseconds(const std::function<void()>& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The main window's status and action refresh, 100 times, with the script open.
double IdleMilliseconds(const std::string& path) {
  TForm1 form;
  form.resize(1024, 768);
  form.show();
  form.OpenFile(QString::fromStdString(path));
  QApplication::processEvents();
  const double ms = Milliseconds([&] {
    for (int i = 0; i < 100; ++i) {
      form.UpdateStatus();
      form.UpdateActions();
    }
  });
  // The document goes without its save prompt.
  form.ActiveMDIChild()->Editor1().SetModified(false);
  return ms;
}

// One load of Text into a new editor; the text is decoded in a copy of its own.
double LoadMilliseconds(const std::string& text,
                        void (*open)(EditorWidget&, std::string&) = OpenBytes) {
  auto widget = MakeWidget();
  std::string read = text;
  return Milliseconds([&] { open(*widget, read); });
}

// The user-interface thread's part of one recovery draft of the whole script (the copy of
// the text and the manifest); the worker writes the file afterwards, untimed.
// The first draft after a change, and the next one, as while the user goes on typing.
// Between them the worker runs and hands its buffers back, as in the two seconds the
// program waits before a draft.
std::pair<double, double> DraftMilliseconds(const std::string& path) {
  TForm1 form;
  form.show();
  TChildForm* child = form.OpenFile(QString::fromStdString(path));
  child->Editor1().SetModified(true);
  TRecoveryDrafts& drafts = form.Drafts();
  const auto settle = [&] {
    drafts.Flush();
    QApplication::processEvents();
  };
  drafts.Changed(child);
  settle();
  const double first = Milliseconds([&] { drafts.Write(child); });
  settle();
  const double ms = Milliseconds([&] { drafts.Write(child); });
  settle();
  drafts.EndSession();
  child->Editor1().SetModified(false);
  return {first, ms};
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// The memory resident now (0 where /proc is missing).
long ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024) / 1024;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The main window of idle keeps its settings away from the user's.
  QStandardPaths::setTestModeEnabled(true);
  const Options options = ParseArguments(QApplication::arguments());

  QTemporaryDir dir;
  const std::string path = options.Script.empty() ? GenerateScript(dir) : options.Script;
  if (path.empty() || std::ifstream(path, std::ios::binary | std::ios::ate).tellg() <= 0) {
    std::fprintf(stderr, "editor_bench: no script (%s)\n", path.c_str());
    return 1;
  }

  std::string text;
  const std::vector<Workload> workloads = Workloads(path, text);
  std::map<std::string, std::vector<double>> times;
  // The peak once the first load is done: loading alone, before any edit or undo record;
  // and what the first run's editor holds once loaded, and at most after any workload
  // (later runs start on a heap the earlier editors left fragmented).
  long loadPeak = 0;
  long loadResident = 0;
  long residentPeak = 0;
  for (int run = 0; run < options.Runs; ++run) {
    auto widget = MakeWidget();
    for (const Workload& w : workloads) {
      if (w.Prepare) w.Prepare(*widget);
      QApplication::processEvents();
      times[w.Name].push_back(Milliseconds([&] { w.Run(*widget); }));
      QApplication::processEvents();
      if (loadPeak == 0) loadPeak = PeakMegabytes();
      if (loadResident == 0) loadResident = ResidentMegabytes();
      if (run == 0) residentPeak = std::max(residentPeak, ResidentMegabytes());
    }
  }
  // The peak of the editor workloads; idle opens the script once more in its own window.
  const long peak = PeakMegabytes();
  for (int run = 0; run < options.Runs; ++run) times["idle"].push_back(IdleMilliseconds(path));
  {
    const std::string script = ReadFile(path);
    const std::string utf8 = WithEveryHundredth(script, "\xC3\xA9");
    const std::string cyrillic = WithEveryHundredth(
        script, "  # \u041a\u043e\u043c\u043c\u0435\u043d\u0442\u0430\u0440\u0438\u0439");
    const std::string sjis =
        WithEveryHundredth(script, "  # \u65e5\u672c\u8a9e\u306e\u30b3\u30e1\u30f3\u30c8");
    for (int run = 0; run < options.Runs; ++run) {
      times["load-utf8"].push_back(LoadMilliseconds(utf8));
      times["load-cyrillic"].push_back(LoadMilliseconds(cyrillic, OpenInItsCodePage));
      times["load-sjis"].push_back(LoadMilliseconds(sjis, OpenInItsCodePage));
    }
  }
  for (int run = 0; run < options.Runs; ++run) {
    const auto [first, next] = DraftMilliseconds(path);
    times["draft first"].push_back(first);
    times["draft"].push_back(next);
  }
  for (const Workload& w : workloads) std::printf("%s  %.2f ms\n", w.Name, Median(times[w.Name]));
  std::printf("idle  %.2f ms\n", Median(times["idle"]));
  std::printf("draft  %.2f ms (first after a change %.2f ms)\n", Median(times["draft"]),
              Median(times["draft first"]));
  std::printf("load-utf8  %.2f ms\n", Median(times["load-utf8"]));
  std::printf("load-cyrillic  %.2f ms\n", Median(times["load-cyrillic"]));
  std::printf("load-sjis  %.2f ms\n", Median(times["load-sjis"]));
  std::printf("peak memory after load  %ld MB\n", loadPeak);
  std::printf("peak memory  %ld MB\n", peak);
  std::printf("memory after load  %ld MB\n", loadResident);
  std::printf("memory after workloads  %ld MB\n", residentPeak);
  return 0;
}
