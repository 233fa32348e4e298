// The script's problems and labels in the windows, as a user meets them: a goto to no
// label underlined in red with a mark in the gutter and a row in the Problems panel, the
// keys that walk the problems and follow a jump to its label and back, the Labels panel
// with its filter, Go To Label, and the suggestions switch.
#include <QCoreApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTreeView>

#include "app/DocumentScript.h"
#include "app/ScriptAssist.h"
#include "app/ScriptPanels.h"
#include "app_fixture.h"
#include "editor/Completion.h"

namespace {

// Lets queued work and timers run until Done holds, for a second at most.
template <typename F>
bool WaitFor(F&& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 1000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

// One letter per character of Line: R underlined red, O underlined olive, "." plain.
std::string Marks(TRAHLEditor& editor, int line) {
  const TLineAttrs& attrs = editor.TextAttrs(line);
  std::string out;
  for (size_t i = 1; i <= editor.Lines()[line].size(); ++i) {
    const TLineAttr& a = attrs[i];
    out += !(a.Style & fsUnderline) ? '.'
           : a.ForeColor == clRed   ? 'R'
           : a.ForeColor == clOlive ? 'O'
                                    : '?';
  }
  return out;
}

std::pair<int, int> Caret(const TRAHLEditor& editor) {
  return {editor.CaretY(), editor.CaretX()};
}

}  // namespace

TEST_F(AppTest, ScriptProblemsAndLabelsAreShownAndWalkedWithTheKeys) {
  TChildForm& child = MakeChild(
      "label Start\r\n"
      "  Wait(1)\r\n"
      "  goto Nowhere\r\n"
      "  goto Start\r\n"
      "Goto Start\r\n");
  TRAHLEditor& e = child.Editor1();
  EditorWidget& view = child.EditorView();
  TScriptAssist& assist = Form->ScriptAssist();

  // Underlined through the editor's line attributes: the target red, the miscased
  // command olive; the gutter carries a red bar beside the goto's line.
  EXPECT_EQ(Marks(e, 2), ".......RRRRRRR");
  EXPECT_EQ(Marks(e, 3), "............");
  EXPECT_EQ(Marks(e, 4), "OOOO......");
  view.repaint();
  const QImage shown = view.Image();
  const int middle = 2 * e.CellHeight() + e.CellHeight() / 2;
  EXPECT_EQ(shown.pixelColor(2, middle), QColor(Qt::red));
  EXPECT_NE(shown.pixelColor(2, e.CellHeight() / 2), QColor(Qt::red));

  // View > Problems lists both, in line order.
  EXPECT_TRUE(assist.ProblemsDock().isHidden());
  assist.Problems1->trigger();
  EXPECT_EQ(
      assist.Problems().RowTexts(),
      QStringList({"Error|3|undefined label \"Nowhere\"",
                   "Warning|5|\"Goto\" is not a command (commands are lower case: \"goto\")"}));

  // F8 goes to the error and the status bar says what it is; Shift+F8 goes round.
  e.SetCaret(0, 0);
  view.setFocus();
  Type(&view, Qt::Key_F8, Qt::NoModifier);
  EXPECT_EQ(Caret(e), std::pair(2, 7));
  Form->UpdateStatus();
  EXPECT_EQ(Form->StatusPanel(2), "undefined label \"Nowhere\"");
  Type(&view, Qt::Key_F8, Qt::NoModifier);
  EXPECT_EQ(Caret(e), std::pair(4, 0));
  Type(&view, Qt::Key_F8, Qt::ShiftModifier);
  EXPECT_EQ(Caret(e), std::pair(2, 7));

  // F12 on a goto without its label stays and says so; on one with a label it lands
  // there, and Alt+Left comes back.
  Type(&view, Qt::Key_F12, Qt::NoModifier);
  EXPECT_EQ(Caret(e), std::pair(2, 7));
  e.SetCaret(9, 3);
  Type(&view, Qt::Key_F12, Qt::NoModifier);
  EXPECT_EQ(Caret(e), std::pair(0, 6));
  Type(&view, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(Caret(e), std::pair(3, 9));

  // Enter on a row of the panel goes there with the focus.
  assist.Problems().View().setCurrentIndex(assist.Problems().View().model()->index(1, 0));
  Type(&assist.Problems().View(), Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(Caret(e), std::pair(4, 0));

  // Defining the label mends the goto at once; the panel follows.
  e.SetCaret(10, 4);
  e.Command(cmdReturn);
  for (char c : std::string("label Nowhere")) e.Command(static_cast<TEditCommand>(c));
  EXPECT_EQ(Marks(e, 2), "..............");
  EXPECT_TRUE(WaitFor([&] { return assist.Problems().RowTexts().size() == 1; }));

  // View > Labels lists the labels in script order; the filter narrows them, and Enter
  // in it goes to the first one shown.
  assist.Labels1->trigger();
  EXPECT_EQ(assist.Labels().RowTexts(), QStringList({"Start|1", "Nowhere|6"}));
  assist.Labels().Filter().setText("WHERE");
  EXPECT_EQ(assist.Labels().RowTexts(), QStringList({"Nowhere|6"}));
  Type(&assist.Labels().Filter(), Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(Caret(e), std::pair(5, 6));

  // Go To Label offers the labels and takes a name in another case.
  Dialogs.LabelText = "start";
  view.setFocus();
  Type(&view, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Dialogs.LabelsOffered, QStringList({"Start", "Nowhere"}));
  EXPECT_EQ(Caret(e), std::pair(0, 6));

  // Suggestions are off until switched on, then labels follow "goto".
  EXPECT_FALSE(e.Completion().Enabled());
  assist.SuggestWords1->trigger();
  EXPECT_TRUE(e.Completion().Enabled());
  e.SetCaret(7, 3);
  e.Command(cmdCompleteIdentifier);
  EXPECT_EQ(e.Completion().Identifers(),
            (std::vector<std::string>{"Nowhere=Nowhere (label)", "Start=Start (label)"}));
  e.Completion().CloseList(false);

  Dialogs.Answer = QMessageBox::No;
  Form->close();
  EXPECT_EQ(AppStore().value("suggestwords").toInt(), 1);
}

namespace {

// Whether any pixel of Editor's cells Columns [First, Last) on Row is red (or nearly:
// text is drawn smoothed).
bool RedIn(EditorWidget& view, TRAHLEditor& editor, int row, int first, int last) {
  // The view takes its size (a panel was shown) and paints what that uncovered.
  QCoreApplication::processEvents();
  view.repaint();
  const QImage shown = view.Image();
  const TRect from = editor.CellRect(first, row);
  const TRect to = editor.CellRect(last - 1, row);
  for (int y = from.Top; y < from.Bottom; ++y)
    for (int x = from.Left; x < to.Right; ++x)
      if (const QColor c = shown.pixelColor(x, y); c.red() > 160 && c.green() < 90 && c.blue() < 90)
        return true;
  return false;
}

}  // namespace

TEST_F(AppTest, AChangeFarAwayRepaintsTheProblemsItMendsAndThePanelsFollowTheActiveDocument) {
  TChildForm& first = MakeChild("  goto Nowhere\r\n\r\n\r\n");
  TRAHLEditor& e = first.Editor1();
  TScriptAssist& assist = Form->ScriptAssist();
  assist.Problems1->trigger();
  EXPECT_TRUE(RedIn(first.EditorView(), e, 0, 7, 14));

  // A label typed two lines below mends the goto: its line is drawn again, not only the
  // line typed on, and the caret's hint goes with the problem.
  e.SetCaret(7, 0);
  Form->UpdateStatus();
  EXPECT_EQ(Form->StatusPanel(2), "undefined label \"Nowhere\"");
  e.SetCaret(0, 2);
  for (char c : std::string("label Nowhere")) e.Command(static_cast<TEditCommand>(c));
  QCoreApplication::processEvents();
  EXPECT_FALSE(RedIn(first.EditorView(), e, 0, 7, 14));
  e.SetCaret(7, 0);
  Form->UpdateStatus();
  EXPECT_EQ(Form->StatusPanel(2), "");

  // A second document's problems replace the first one's in the panel; closing it shows
  // the first one's again, and closing that one leaves the panel empty.
  TChildForm* second = Form->Documents().NewDocument();
  second->Editor1().Lines().SetTextStr("goto A\r\ngoto B\r\n");
  EXPECT_TRUE(WaitFor([&] { return assist.Problems().RowTexts().size() == 2; }));
  second->parentWidget()->close();
  DeleteClosed();
  EXPECT_TRUE(WaitFor([&] { return assist.Problems().RowTexts().isEmpty(); }));
  first.Editor1().Lines().SetTextStr("goto C\r\n");
  EXPECT_TRUE(WaitFor([&] { return assist.Problems().RowTexts().size() == 1; }));
  Dialogs.Answer = QMessageBox::No;
  first.parentWidget()->close();
  DeleteClosed();
  EXPECT_TRUE(WaitFor([&] { return assist.Problems().RowTexts().isEmpty(); }));
}
