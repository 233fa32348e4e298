#include "app/DocumentScript.h"

#include <QTimer>
#include <algorithm>

#include "editor/Completion.h"
#include "highlight/RAHLEditor.h"
#include "highlight/ScriptSuggestions.h"
#include "platform/Canvas.h"
#include "qt/Codepage1252.h"
#include "qt/EditorWidget.h"

namespace {

// The gutter mark: a bar this wide, this far from the gutter's left edge.
constexpr int kMarkLeft = 1;
constexpr int kMarkWidth = 3;

TColor ColorOf(TScriptSeverity severity) {
  return severity == TScriptSeverity::Error ? clRed : clOlive;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

TDocumentScript::TDocumentScript(TRAHLEditor& editor, EditorWidget& view, QObject* parent)
    : QObject(parent), FEditor(editor), FView(view), FScript(editor.Lines()) {
  FChangedTimer = new QTimer(this);
  FChangedTimer->setSingleShot(true);
  // The panels read the whole model; typing on a long script waits for a pause.
  FChangedTimer->setInterval(250);
  connect(FChangedTimer, &QTimer::timeout, this, &TDocumentScript::Changed);
  // Inside the edit only a note is taken; a group of changes (Replace All) is looked at once.
  FScript.OnChange = [this] {
    FChangedTimer->start();
    if (FRepaintPending) return;
    FRepaintPending = true;
    QMetaObject::invokeMethod(this, &TDocumentScript::RepaintChangedMarks, Qt::QueuedConnection);
  };
  FEditor.OnGetLineAttr = [this](TRACustomEditor*, std::string&, int index, TLineAttrs& attrs) {
    FScript.MarkProblems(index, attrs);
  };
  FEditor.OnCompletionIdentifer = [this](TRACustomEditor*, bool& cancel) {
    TCompletion& completion = FEditor.Completion();
    if (!FSuggestWords || FEditor.CaretY() >= FEditor.Lines().Count()) {
      completion.Identifers().clear();
      cancel = !FSuggestWords;
      return;
    }
    completion.SetIdentifers(
        ScriptSuggestions(Model(), FEditor.Lines().View(FEditor.CaretY()), FEditor.CaretX()));
  };
}

TDocumentScript::~TDocumentScript() {
  // The editor may paint or complete while its window goes; nothing here answers then.
  FEditor.OnGetLineAttr = nullptr;
  FEditor.OnCompletionIdentifer = nullptr;
}

QString TDocumentScript::ProblemAtCaret() const {
  const int column = FEditor.CaretX();
  for (const TScriptProblem& p : Model().ProblemsOn(FEditor.CaretY())) {
    if (column >= p.Column && column <= p.Column + p.Length)
      return Codepage1252::ToQString(p.Message);
  }
  return {};
}

bool TDocumentScript::GoToProblem(bool forward) {
  const std::optional<TScriptProblem> next =
      Model().NextProblem(FEditor.CaretY(), FEditor.CaretX(), forward);
  if (!next) return false;
  GoTo(next->Line, next->Column);
  return true;
}

void TDocumentScript::GoTo(int line, int column) {
  FEditor.SetCaret(column, line);
}

TDocumentScript::TJumpResult TDocumentScript::GoToDefinition(std::string& target) {
  const std::optional<TScriptPlace> jump = Model().JumpAt(FEditor.CaretY(), FEditor.CaretX());
  if (!jump) return TJumpResult::NoJump;
  target = jump->Name;
  const std::optional<TScriptPlace> label = Model().FindLabel(jump->Name);
  if (!label) return TJumpResult::UndefinedLabel;
  Jump(label->Line, label->Column);
  return TJumpResult::Jumped;
}

bool TDocumentScript::GoToLabel(std::string_view name) {
  std::optional<TScriptPlace> label = Model().FindLabel(name);
  if (!label) {
    // A name typed in another case finds the one label it can mean.
    std::vector<std::string> names = Model().LabelNames();
    std::erase_if(names, [&](const std::string& n) { return !EqualIgnoringCase(n, name); });
    if (names.size() == 1) label = Model().FindLabel(names.front());
  }
  if (!label) return false;
  Jump(label->Line, label->Column);
  return true;
}

void TDocumentScript::Jump(int line, int column) {
  FHistory.Push({FEditor.CaretY(), FEditor.CaretX()});
  GoTo(line, column);
}

bool TDocumentScript::GoBack() {
  const std::optional<TCaretPlace> place = FHistory.Back();
  if (!place) return false;
  GoTo(place->Line, place->Column);
  return true;
}

void TDocumentScript::SetSuggestWords(bool on) {
  FSuggestWords = on;
  FEditor.Completion().SetEnabled(on);
}

void TDocumentScript::PaintMarks(Canvas& canvas) const {
  const int height = FEditor.CellHeight();
  const int count = std::min(FEditor.Lines().Count(), Model().LineCount());
  for (int row = 0; row <= FEditor.VisibleRowCount(); ++row) {
    const int line = FEditor.TopRow() + row;
    if (line >= count) break;
    const std::optional<TScriptSeverity> severity = Model().SeverityOn(line);
    if (!severity) continue;
    canvas.SetBrushColor(ColorOf(*severity));
    canvas.FillRect({kMarkLeft, row * height + 1, kMarkLeft + kMarkWidth, (row + 1) * height - 1});
  }
}

std::vector<TDocumentScript::TShownMark> TDocumentScript::MarksInView() const {
  std::vector<TShownMark> marks;
  const int last = std::min(FEditor.TopRow() + FEditor.VisibleRowCount(), Model().LineCount() - 1);
  for (int line = std::max(FEditor.TopRow(), 0); line <= last; ++line) {
    for (const TScriptProblem& p : Model().ProblemsOn(line))
      marks.push_back({line, p.Column, p.Length, p.Severity});
  }
  return marks;
}

void TDocumentScript::RepaintChangedMarks() {
  FRepaintPending = false;
  std::vector<TShownMark> marks = MarksInView();
  if (marks == FShown) return;
  FShown = std::move(marks);
  FView.Invalidate();
}
