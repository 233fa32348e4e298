// Whatever shortcut painting takes after an edit, a scroll or a caret move (rows moved
// instead of drawn again, single lines drawn at once), the document window must show
// pixel for pixel what a full repaint of the same state draws, gutter included.
#include <QFile>
#include <random>

#include "ImageDiff.h"
#include "app_fixture.h"
#include "editor/Commands.h"

namespace {

QByteArray SampleScript() {
  QFile file(QStringLiteral(MARVEK_SOURCE_DIR "/examples/sample.csm"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RepaintTest : public AppTest {
 protected:
  // What the view shows now, and what it shows once everything is painted again.
  std::string DifferenceFromFullRepaint() {
    QApplication::processEvents();  // a gutter that needs another digit widens queued
    EditorWidget& view = Child->EditorView();
    view.UpdateNow();
    const QImage shown = view.Image();
    view.Invalidate();
    view.UpdateNow();
    return Difference(shown, view.Image());
  }
  TChildForm* Child = nullptr;
};

// The document window of the user's report: line numbers on, the caret at the start of
// line 10, Return twice.
TEST_F(RepaintTest, ReturnsBelowLineNumbersRenumberTheRowsTheyMove) {
  const QByteArray script = SampleScript();
  ASSERT_FALSE(script.isEmpty());
  Child = &MakeChild(script.toStdString());
  Child->ShowLineNumbers(true);
  ASSERT_EQ(DifferenceFromFullRepaint(), "");
  TRAHLEditor& editor = Child->Editor1();
  editor.SetCaret(0, 9);
  Child->ToggleBookmark(3);
  for (int i = 0; i < 2; ++i) {
    editor.Command(cmdReturn);
    EXPECT_EQ(DifferenceFromFullRepaint(), "") << "after Return " << i + 1;
  }
}

// A few hundred seeded random steps: typing, Returns, deletions, scrolls, caret moves and
// bookmark toggles, each compared with a full repaint.
TEST_F(RepaintTest, RandomEditsAndScrollsLookLikeAFullRepaint) {
  Child = &MakeChild(SampleScript().toStdString());
  Child->ShowLineNumbers(true);
  TRAHLEditor& editor = Child->Editor1();
  std::mt19937 random(22);
  const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const char* const kSteps[] = {"type",   "return", "backspace", "delete",
                                "scroll", "caret",  "bookmark",  "undo"};
  for (int step = 0; step < 300; ++step) {
    const int lines = std::max(editor.Lines().Count(), 1);
    const int kind = below(8);
    switch (kind) {
      case 0:
        editor.Command(static_cast<TEditCommand>("ab /*\"x"[below(7)]));
        break;
      case 1:
        editor.Command(cmdReturn);
        break;
      case 2:
        editor.Command(cmdBackspace);
        break;
      case 3:
        editor.Command(cmdDelete);
        break;
      case 4:
        editor.SetLeftTop(below(3), std::max(0, editor.TopRow() + below(9) - 4));
        break;
      case 5:
        editor.SetCaret(below(30), editor.TopRow() + below(editor.VisibleRowCount() + 1));
        break;
      case 6:
        editor.SetCaret(editor.CaretX(), below(lines));
        Child->ToggleBookmark(below(10));
        break;
      default:
        editor.Command(cmdUndo);
        break;
    }
    const std::string difference = DifferenceFromFullRepaint();
    ASSERT_EQ(difference, "") << "step " << step << " (" << kSteps[kind] << "), caret "
                              << editor.CaretX() << "," << editor.CaretY() << ", top "
                              << editor.TopRow();
  }
}

}  // namespace
