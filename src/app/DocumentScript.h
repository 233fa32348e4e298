#pragma once
// What a document window knows of its script beyond the text: the script model kept
// current by every edit, shown in the editor (each problem underlined, red for errors
// and olive for warnings, and marked in the gutter beside its line), the moves it allows
// (to the next problem, from a jump to its label and back again) and the words the
// editor's completion offers when suggestions are on.
#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/EditorScriptModel.h"
#include "util/JumpHistory.h"

class Canvas;
class EditorWidget;
class QTimer;
class TRAHLEditor;

class TDocumentScript final : public QObject {
  Q_OBJECT
 public:
  // Follows Editor's lines from now on; View is the widget that shows Editor.
  TDocumentScript(TRAHLEditor& editor, EditorWidget& view, QObject* parent = nullptr);
  ~TDocumentScript() override;

  const TScriptModel& Model() const { return FScript.Model(); }

  // The message of the problem the caret stands in or just behind; empty when none.
  QString ProblemAtCaret() const;
  // The caret to the next problem after it (previous before it), round the end of the
  // script; false when the script has none.
  bool GoToProblem(bool forward);
  // The caret to Line and Column, as far as the text has them, in view.
  void GoTo(int line, int column);

  enum class TJumpResult { Jumped, NoJump, UndefinedLabel };
  // From the goto target or menu entry target at the caret to its label, remembering
  // where the caret was; Target gets the target's name.
  TJumpResult GoToDefinition(std::string& target);
  // To label Name (its exact spelling, else the only one that differs in case alone),
  // remembering where the caret was; false when no label has that name.
  bool GoToLabel(std::string_view name);
  // GoTo, remembering where the caret was for GoBack.
  void Jump(int line, int column);
  // Back to where the caret was before the latest jump to a label; false when none is left.
  bool GoBack();

  // Whether the editor's completion offers the script's words (commands, built-in
  // functions, declared names, and labels after "goto"), also after a pause in typing.
  bool SuggestWords() const { return FSuggestWords; }
  void SetSuggestWords(bool on);

  // The gutter marks of the problem lines in view: a bar at the gutter's left edge.
  void PaintMarks(Canvas& canvas) const;

 signals:
  // The model changed; sent once changes pause for a quarter of a second, for the panels.
  void Changed();

 private:
  // A problem as the view shows it.
  struct TShownMark {
    int Line;
    int Column;
    int Length;
    TScriptSeverity Severity;
    bool operator==(const TShownMark&) const = default;
  };
  // After a change: repaints the view when a line in it shows other problems now (a
  // change elsewhere, such as a label defined, can mend or break any jump).
  void RepaintChangedMarks();
  std::vector<TShownMark> MarksInView() const;

  TRAHLEditor& FEditor;
  EditorWidget& FView;
  TEditorScriptModel FScript;
  TJumpHistory FHistory;
  bool FSuggestWords = false;
  std::vector<TShownMark> FShown;
  bool FRepaintPending = false;
  QTimer* FChangedTimer = nullptr;
};
