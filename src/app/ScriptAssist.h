#pragma once
// The main window's help with scripts: the Problems and Labels panels docked beside the
// documents, showing the active document's script and following its edits, and the
// switch that lets every document's completion suggest the script's words. The View
// menu gets an entry for each.
#include <QObject>
#include <QPointer>

class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;
class TChildForm;
class TLabelsPanel;
class TProblemsPanel;
class TScriptPanel;

class TScriptAssist final : public QObject {
  Q_OBJECT
 public:
  // Docks the panels in Window, hidden at first, and adds "Problems", "Labels" and
  // "Suggest Script Words" to ViewMenu.
  TScriptAssist(QMainWindow& window, QMenu& viewMenu);

  // The panels show Child's script from now on; none shows nothing.
  void Follow(TChildForm* child);
  // Child's completion takes the suggestion switch.
  void Apply(TChildForm* child) const;

  bool SuggestWords() const;
  // Sets the switch; SuggestWordsChanged tells the main window to apply it everywhere.
  void SetSuggestWords(bool on);

  TProblemsPanel& Problems() const { return *FProblems; }
  TLabelsPanel& Labels() const { return *FLabels; }
  QDockWidget& ProblemsDock() const { return *FProblemsDock; }
  QDockWidget& LabelsDock() const { return *FLabelsDock; }

  QAction* Problems1 = nullptr;
  QAction* Labels1 = nullptr;
  QAction* SuggestWords1 = nullptr;

 signals:
  void SuggestWordsChanged(bool on);

 private:
  QDockWidget* Dock(QMainWindow& window, TScriptPanel* panel, Qt::DockWidgetArea area,
                    const char* caption, const char* hint);
  // The panels in view take the followed script's facts again.
  void Refresh();
  void Refresh(TScriptPanel& panel, const QDockWidget& dock);
  // A row chosen in a panel: the document's caret goes there, with the focus.
  void GoTo(int line, int column, bool remember);
  void FocusDocument();

  TProblemsPanel* FProblems = nullptr;
  TLabelsPanel* FLabels = nullptr;
  QDockWidget* FProblemsDock = nullptr;
  QDockWidget* FLabelsDock = nullptr;
  QPointer<TChildForm> FChild;
  QMetaObject::Connection FChildChanged;
};
