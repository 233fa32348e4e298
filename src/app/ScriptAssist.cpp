#include "app/ScriptAssist.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>

#include "app/Actions.h"
#include "app/ChildForm.h"
#include "app/DocumentScript.h"
#include "app/ScriptPanels.h"
#include "qt/EditorWidget.h"
#include "qt/Guarded.h"

TScriptAssist::TScriptAssist(QMainWindow& window, QMenu& viewMenu) : QObject(&window) {
  FProblems = new TProblemsPanel();
  FLabels = new TLabelsPanel();
  FProblemsDock = Dock(window, FProblems, Qt::BottomDockWidgetArea, "&Problems",
                       "Problems|Shows the problems of the active script");
  FLabelsDock = Dock(window, FLabels, Qt::RightDockWidgetArea, "&Labels",
                     "Labels|Shows the labels of the active script");
  Problems1 = FProblemsDock->toggleViewAction();
  Labels1 = FLabelsDock->toggleViewAction();
  connect(FProblems, &TScriptPanel::Activated, this,
          [this](int line, int column) { GoTo(line, column, false); });
  connect(FLabels, &TScriptPanel::Activated, this,
          [this](int line, int column) { GoTo(line, column, true); });
  for (TScriptPanel* panel :
       {static_cast<TScriptPanel*>(FProblems), static_cast<TScriptPanel*>(FLabels)})
    connect(panel, &TScriptPanel::Dismissed, this, &TScriptAssist::FocusDocument);

  SuggestWords1 = MakeAction(this, "&Suggest Script Words", {},
                             "Suggest Script Words|Offers commands, functions, names and labels "
                             "while a script is typed");
  SuggestWords1->setCheckable(true);
  connect(SuggestWords1, &QAction::toggled, this, &TScriptAssist::SuggestWordsChanged);

  viewMenu.addSeparator();
  viewMenu.addActions({Problems1, Labels1, SuggestWords1});
}

QDockWidget* TScriptAssist::Dock(QMainWindow& window, TScriptPanel* panel, Qt::DockWidgetArea area,
                                 const char* caption, const char* hint) {
  auto* dock = new QDockWidget(panel->windowTitle(), &window);
  dock->setObjectName(panel->windowTitle() + QStringLiteral("Dock"));
  dock->setWidget(panel);
  window.addDockWidget(area, dock);
  dock->hide();
  QAction* toggle = dock->toggleViewAction();
  toggle->setText(QString::fromLatin1(caption));
  const QString text = QString::fromLatin1(hint);
  toggle->setToolTip(text.section(QLatin1Char('|'), 0, 0));
  toggle->setStatusTip(text.section(QLatin1Char('|'), 1));
  // A panel shown from the menu takes the keys, so that its rows can be walked at once.
  connect(toggle, &QAction::triggered, panel, [dock, panel](bool on) {
    if (!on) return;
    dock->raise();
    panel->setFocus();
  });
  connect(dock, &QDockWidget::visibilityChanged, this, [this, panel, dock](bool visible) {
    if (visible) Refresh(*panel, *dock);
  });
  return dock;
}

void TScriptAssist::Follow(TChildForm* child) {
  disconnect(FChildChanged);
  FChild = child;
  if (child != nullptr)
    FChildChanged = connect(&child->Script(), &TDocumentScript::Changed, this,
                            qOverload<>(&TScriptAssist::Refresh));
  Refresh();
}

void TScriptAssist::Refresh() {
  Refresh(*FProblems, *FProblemsDock);
  Refresh(*FLabels, *FLabelsDock);
}

void TScriptAssist::Refresh(TScriptPanel& panel, const QDockWidget& dock) {
  // A hidden panel costs nothing; it takes the facts when it is shown.
  if (dock.isHidden()) return;
  Guarded(&panel, [&] { panel.Refresh(FChild ? &FChild->Script().Model() : nullptr); });
}

void TScriptAssist::GoTo(int line, int column, bool remember) {
  if (!FChild) return;
  Guarded(FChild, [&] {
    if (remember) {
      FChild->Script().Jump(line, column);
    } else {
      FChild->Script().GoTo(line, column);
    }
  });
  FocusDocument();
}

void TScriptAssist::FocusDocument() {
  if (!FChild) return;
  FChild->BringToFront();
  FChild->EditorView().setFocus();
}

void TScriptAssist::Apply(TChildForm* child) const {
  child->Script().SetSuggestWords(SuggestWords());
}

bool TScriptAssist::SuggestWords() const {
  return SuggestWords1->isChecked();
}

void TScriptAssist::SetSuggestWords(bool on) {
  SuggestWords1->setChecked(on);
}
