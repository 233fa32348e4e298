// The editor workloads: one highlighting editor in an editor widget of 820 x 660 pixels
// on a 100,000-line script, workloads in a fixed order, each ending with one full paint.
// Prints "name  value ms" (median of the runs) and the peak resident memory.
//
//   editor_bench [--runs N] [--peer PEER_PROGRAM] [--peer-runs N] [--peer-seconds S]
//                [script.csm]
//
// load reads the script from its file as Open does, chunk by chunk into the line store.
// load-floor and start-floor are the machine's floors for load and for a program's start
// (see Floors.h). With --peer, the peer program (bench/peer) runs the same workloads on
// the same script afterwards, and a table sets its figures beside ours.
//
// idle runs on the application's main window with the script open in a document window;
// draft there too, timing the user-interface thread's part of one recovery draft.
// load-utf8 loads the same script with one non-ASCII character per hundred lines, written
// as UTF-8, after the memory peak of the other workloads is taken; load-cyrillic and
// load-sjis the same script with a Cyrillic or a Japanese comment on every hundredth line,
// as UTF-8, opened as a document's file is and kept in the code page that holds it
// (Windows-1251, Shift-JIS).
// export-pdf and export-html write the freshly loaded script as File > Export does (the
// pages as they print, with header and footer; the web page), into a temporary folder.
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

#include "Floors.h"
#include "Peers.h"
#include "app/ChildForm.h"
#include "app/DocumentFile.h"
#include "app/Documents.h"
#include "app/HtmlExport.h"
#include "app/LineNumbers.h"
#include "app/MainWindow.h"
#include "app/PrintOptions.h"
#include "app/PrintSource.h"
#include "app/Printing.h"
#include "app/RecoveryDrafts.h"
#include "editor/EditorSearch.h"
#include "editor/MatchCounter.h"
#include "editor/MatchMarks.h"
#include "editor/TextLoader.h"
#include "highlight/EditorScriptModel.h"
#include "highlight/RAHLEditor.h"
#include "qt/AccessibleEventSink.h"
#include "qt/EditorWidget.h"
#include "qt/RegexMatcher.h"
#include "util/TextCodec.h"

namespace {

constexpr int kLines = 100000;
constexpr int kViewportWidth = 820;
constexpr int kViewportHeight = 660;

struct Options {
  int Runs = 5;
  std::string Script;
  std::string Peer;
  int PeerRuns = 1;
  int PeerSeconds = 120;
};

Options ParseArguments(const QStringList& args) {
  Options o;
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == "--runs" && i + 1 < args.size()) {
      o.Runs = std::max(1, args[++i].toInt());
    } else if (args[i] == "--peer" && i + 1 < args.size()) {
      o.Peer = args[++i].toStdString();
    } else if (args[i] == "--peer-runs" && i + 1 < args.size()) {
      o.PeerRuns = std::max(1, args[++i].toInt());
    } else if (args[i] == "--peer-seconds" && i + 1 < args.size()) {
      o.PeerSeconds = std::max(1, args[++i].toInt());
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

// A screen reader's answer to a caret move: it reads the line the caret arrives on.
void ReadCaretLine(QAccessibleEvent* event) {
  if (event->type() != QAccessible::TextCaretMoved) return;
  const int caret = static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition();
  int start = 0;
  int end = 0;
  event->accessibleInterface()->textInterface()->textAtOffset(caret, QAccessible::LineBoundary,
                                                              &start, &end);
}

// The script's own search, with Match case on as the Replace All workload has it.
const editorsearch::TSearchOptions kStatusSearch{"GetCameraStatus", true};

editorsearch::TSearchOptions StatusRegex() {
  editorsearch::TSearchOptions o{"GetCamera(Status)", true};
  o.RegularExpression = true;
  o.Matcher = CompileRegex(QStringLiteral("GetCamera(Status)"), true, false);
  return o;
}

// Occurrences of the search text in the script's bytes: the floor that counting is held to.
int MemmemCount(const std::string& text, const std::string& sub) {
  int n = 0;
  const char* p = text.data();
  const char* end = p + text.size();
  while ((p = static_cast<const char*>(
              memmem(p, static_cast<size_t>(end - p), sub.data(), sub.size())))) {
    ++n;
    p += sub.size();
  }
  return n;
}

int& CountedOccurrences() {
  static int counted = 0;
  return counted;
}

struct Workload {
  const char* Name;
  std::function<void(EditorWidget&)> Prepare;  // untimed
  std::function<void(EditorWidget&)> Run;      // timed, full paint included
};

std::vector<Workload> Workloads(const std::string& path) {
  static TMatchMarks marks;
  static std::unique_ptr<TEditorScriptModel> script;
  return {
      {"load", nullptr,
       [&path](EditorWidget& w) {
         TFileByteSource file(path);
         w.Editor().Lines().LoadFrom(file, {});
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
      {"redo", nullptr,
       [](EditorWidget& w) {
         w.Editor().Command(cmdRedo);
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
      // The undo of that Replace All, one step, and its redo, while a screen reader
      // listens as in a11y-caret.
      {"undo-replaceall", nullptr,
       [](EditorWidget& w) {
         AccessibleEventSink::SetObserver(ReadCaretLine);
         w.Editor().Command(cmdUndo);
         AccessibleEventSink::SetObserver(nullptr);
         FullPaint(w);
       }},
      {"redo-replaceall", nullptr,
       [](EditorWidget& w) {
         AccessibleEventSink::SetObserver(ReadCaretLine);
         w.Editor().Command(cmdRedo);
         AccessibleEventSink::SetObserver(nullptr);
         FullPaint(w);
       }},
      // The same Replace All as a regular expression, on the script before Replace All.
      {"regex-replaceall", [](EditorWidget& w) { w.Editor().Command(cmdUndo); },
       [](EditorWidget& w) {
         editorsearch::ReplaceAll(w.Editor(), StatusRegex(), "GetCameraState");
         FullPaint(w);
       }},
      // Every occurrence counted, as the status bar's "n of m" needs it (its floor,
      // count-memmem, is measured after the memory peak).
      {"count", [](EditorWidget& w) { w.Editor().Command(cmdUndo); },
       [](EditorWidget& w) {
         TMatchCounter counter;
         counter.Start(kStatusSearch);
         counter.Step(w.Editor().Lines(), TMatchCounter::TClock::time_point::max());
         CountedOccurrences() = counter.Total();
       }},
      // paint100 with every occurrence of the search marked.
      {"paint100-matches",
       [](EditorWidget& w) {
         marks.SetSearch(kStatusSearch);
         w.Editor().OnGetLineMarks = [](TRACustomEditor* sender, int index, TLineAttrs& attrs) {
           marks.Mark(sender->Lines(), index, attrs);
         };
         w.Editor().SetLeftTop(w.Editor().LeftCol(), 60000);
       },
       [](EditorWidget& w) {
         for (int i = 0; i < 100; ++i) FullPaint(w);
         w.Editor().OnGetLineMarks = nullptr;
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
         AccessibleEventSink::SetObserver(ReadCaretLine);
         for (int i = 0; i < 1000; ++i) PressKey(w, Qt::Key_Down, QString());
         AccessibleEventSink::SetObserver(nullptr);
         FullPaint(w);
       }},
      // The whole script read by the script model and every problem listed, as the
      // command-line check does once the file is loaded.
      {"check", nullptr,
       [](EditorWidget& w) {
         TScriptModel model;
         model.Reset(TScriptLinesOf<TEditorStrings>(w.Editor().Lines()));
         if (model.Problems().empty()) std::fprintf(stderr, "editor_bench: no problem found\n");
       }},
      // type1000 with the document window's script model following every key.
      {"check-edit",
       [](EditorWidget& w) {
         w.Editor().SetCaret(0, 50000);
         script = std::make_unique<TEditorScriptModel>(w.Editor().Lines());
       },
       [](EditorWidget& w) {
         for (int i = 0; i < 1000; ++i) PressKey(w, Qt::Key_A, QStringLiteral("a"));
         FullPaint(w);
         script.reset();
       }},
  };
}

double Milliseconds(const std::function<void()>& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

// The main window's status and action refresh, 100 times, with the script open.
double IdleMilliseconds(const std::string& path) {
  TForm1 form;
  form.resize(1024, 768);
  form.show();
  form.Documents().OpenFile(QString::fromStdString(path));
  QApplication::processEvents();
  const double ms = Milliseconds([&] {
    for (int i = 0; i < 100; ++i) {
      form.UpdateStatus();
      form.UpdateActions();
    }
  });
  // The document goes without its save prompt.
  form.Documents().ActiveMDIChild()->Editor1().SetModified(false);
  return ms;
}

// Counts the paints of one widget.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return QObject::eventFilter(watched, event);
  }
  int Paints = 0;
};

// The main window's Open of the script, up to the end of the document window's first
// paint: the document window, the file read, decoded and digested, the watcher, the
// highlighter's line states and the paint.
double OpenMilliseconds(const std::string& path) {
  TForm1 form;
  form.resize(1024, 768);
  form.show();
  QApplication::processEvents();
  TChildForm* child = nullptr;
  PaintCounter counter;
  const double ms = Milliseconds([&] {
    child = form.Documents().OpenFile(QString::fromStdString(path));
    child->EditorView().viewport()->installEventFilter(&counter);
    QApplication::processEvents();
    if (counter.Paints == 0) child->EditorView().viewport()->repaint();
  });
  child->EditorView().viewport()->removeEventFilter(&counter);
  // The document goes without its save prompt.
  child->Editor1().SetModified(false);
  return ms;
}

// One load of the file at Path into a new editor, as load does.
double LoadMilliseconds(const std::string& path) {
  auto widget = MakeWidget();
  return Milliseconds([&] {
    TFileByteSource file(path);
    widget->Editor().Lines().LoadFrom(file, {});
    FullPaint(*widget);
  });
}

// One load of the UTF-8 file at Path into a new editor as a document window's Open reads
// it: read piece by piece with its digest, found to hold text beyond Western, read again
// whole and converted into the code page that holds it; then the view painted in it.
double LoadInCodePageMilliseconds(const std::string& path) {
  auto widget = MakeWidget();
  return Milliseconds([&] {
    TDocumentFile file;
    file.Load(widget->Editor().Lines(), QString::fromStdString(path));
    widget->SetCodePage(file.CodePage());
    FullPaint(*widget);
  });
}

// The user-interface thread's part of one recovery draft of the whole script (the copy of
// the text and the manifest); the worker writes the file afterwards, untimed.
// The first draft after a change, and the next one, as while the user goes on typing.
// Between them the worker runs and hands its buffers back, as in the two seconds the
// program waits before a draft.
std::pair<double, double> DraftMilliseconds(const std::string& path) {
  TForm1 form;
  form.show();
  TChildForm* child = form.Documents().OpenFile(QString::fromStdString(path));
  child->Editor1().SetModified(true);
  TRecoveryDrafts& drafts = form.Documents().Drafts();
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

// File > Export > PDF... and HTML... of the script just loaded into an editor of its own.
std::pair<double, double> ExportMilliseconds(const std::string& path, const QTemporaryDir& dir) {
  auto widget = MakeWidget();
  TFileByteSource file(path);
  widget->Editor().Lines().LoadFrom(file, {});
  TPrintSource source(static_cast<TRAHLEditor&>(widget->Editor()), "big.csm");
  const double pdf =
      Milliseconds([&] { ExportPdf(source, TPrintOptions(), dir.filePath("big.pdf"), nullptr); });
  const double html = Milliseconds([&] { ExportHtml(source, dir.filePath("big.html"), nullptr); });
  return {pdf, html};
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
  if (argc == 2 && std::string(argv[1]) == kStartFloorArgument) return RunStartFloor(argc, argv);
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

  const std::vector<Workload> workloads = Workloads(path);
  Figures times;
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
  for (int run = 0; run < options.Runs; ++run) times["open"].push_back(OpenMilliseconds(path));
  {
    const std::string script = ReadFile(path);
    const std::string utf8 = dir.filePath("utf8.csm").toStdString();
    std::ofstream(utf8, std::ios::binary) << WithEveryHundredth(script, "\xC3\xA9");
    const std::string cyrillic = dir.filePath("cyrillic.csm").toStdString();
    std::ofstream(cyrillic, std::ios::binary) << WithEveryHundredth(
        script, "  # \u041a\u043e\u043c\u043c\u0435\u043d\u0442\u0430\u0440\u0438\u0439");
    const std::string sjis = dir.filePath("sjis.csm").toStdString();
    std::ofstream(sjis, std::ios::binary)
        << WithEveryHundredth(script, "  # \u65e5\u672c\u8a9e\u306e\u30b3\u30e1\u30f3\u30c8");
    for (int run = 0; run < options.Runs; ++run) {
      times["load-utf8"].push_back(LoadMilliseconds(utf8));
      times["load-cyrillic"].push_back(LoadInCodePageMilliseconds(cyrillic));
      times["load-sjis"].push_back(LoadInCodePageMilliseconds(sjis));
    }
  }
  {
    const std::string bytes = ReadFile(path);
    int found = 0;
    for (int run = 0; run < options.Runs; ++run) {
      times["count-memmem"].push_back(
          Milliseconds([&] { found = MemmemCount(bytes, kStatusSearch.Text); }));
    }
    if (found != CountedOccurrences()) {
      std::fprintf(stderr, "editor_bench: counted %d, memmem %d\n", CountedOccurrences(), found);
    }
  }
  for (int run = 0; run < options.Runs; ++run) {
    const auto [first, next] = DraftMilliseconds(path);
    times["draft first"].push_back(first);
    times["draft"].push_back(next);
  }
  for (int run = 0; run < options.Runs; ++run) {
    const auto [pdf, html] = ExportMilliseconds(path, dir);
    times["export-pdf"].push_back(pdf);
    times["export-html"].push_back(html);
  }
  const std::string self = QCoreApplication::applicationFilePath().toStdString();
  // The program keeps its settings and drafts of these runs away from the user's.
  const std::string home = dir.path().toStdString();
  const std::vector<std::string> aside = {"XDG_CONFIG_HOME=" + home, "XDG_DATA_HOME=" + home,
                                          "XDG_CACHE_HOME=" + home, "XDG_STATE_HOME=" + home,
                                          std::string(kQuitAfterFirstPaint) + "=1"};
  for (int run = 0; run < options.Runs; ++run) {
    times["load-floor"].push_back(LoadFloorMilliseconds(path));
    times["start-floor"].push_back(StartMilliseconds(self, {kStartFloorArgument}));
    times["start"].push_back(StartMilliseconds(MARVEK_EDITOR_PROGRAM, {MARVEK_SAMPLE}, aside));
  }
  for (const Workload& w : workloads) std::printf("%s  %.2f ms\n", w.Name, Median(times[w.Name]));
  std::printf("load-floor  %.2f ms\n", Median(times["load-floor"]));
  std::printf("start-floor  %.2f ms\n", Median(times["start-floor"]));
  std::printf("start  %.2f ms\n", Median(times["start"]));
  std::printf("idle  %.2f ms\n", Median(times["idle"]));
  std::printf("open  %.2f ms\n", Median(times["open"]));
  std::printf("draft  %.2f ms (first after a change %.2f ms)\n", Median(times["draft"]),
              Median(times["draft first"]));
  std::printf("load-utf8  %.2f ms\n", Median(times["load-utf8"]));
  std::printf("load-cyrillic  %.2f ms\n", Median(times["load-cyrillic"]));
  std::printf("load-sjis  %.2f ms\n", Median(times["load-sjis"]));
  std::printf("export-pdf  %.2f ms\n", Median(times["export-pdf"]));
  std::printf("export-html  %.2f ms\n", Median(times["export-html"]));
  std::printf("count-memmem  %.2f ms\n", Median(times["count-memmem"]));
  std::printf("peak memory after load  %ld MB\n", loadPeak);
  std::printf("peak memory  %ld MB\n", peak);
  std::printf("memory after load  %ld MB\n", loadResident);
  std::printf("memory after workloads  %ld MB\n", residentPeak);
  std::printf("open / load-floor  %.1fx\n", Median(times["open"]) / Median(times["load-floor"]));
  std::printf("start / start-floor  %.1fx\n",
              Median(times["start"]) / Median(times["start-floor"]));
  if (!options.Peer.empty()) {
    std::fflush(stdout);
    const std::vector<PeerFigures> peers =
        RunPeers(options.Peer, path, options.PeerRuns, options.PeerSeconds);
    std::vector<std::string> names;
    for (const Workload& w : workloads) names.emplace_back(w.Name);
    PrintComparison(names, times, peers);
  }
  return 0;
}
